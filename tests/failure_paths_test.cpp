// What a failed lookup, a failed territory calculation or a search leaves in the records.
#include <gtest/gtest.h>

#include <limits>

#include "federal/federal.h"
#include "frame/common.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::Call;
using testing::field;
using testing::kUntouched;

constexpr unsigned kFed = ORLA_FLAG_FEDERAL;
constexpr unsigned kState = ORLA_FLAG_STATE;

// A calculator whose regular lookup finds no row returns 1 at once: no supplemental step runs (no bit
// 64, no supplemental tax), by either method.
TEST(FailurePaths, NoRegularRowStopsTheCalculator) {
    struct Case {
        const char* name;
        int code;
        StateCalculator calc;
        CalcDate payDate;
        int filingStatus;
        int periods;
    };
    const Case cases[] = {
        {"Hawaii, status 3", ORLA_HI, calcHawaii, date(2026, 6, 12), 3, 26},
        {"Hawaii, 2028", ORLA_HI, calcHawaii, date(2028, 6, 12), 0, 26},
        {"Idaho, 2028", ORLA_ID, calcIdaho, date(2028, 6, 12), 0, 26},
        {"Idaho, no periods", ORLA_ID, calcIdaho, date(2026, 6, 12), 0, 0},
        {"Illinois, 2027", ORLA_IL, calcIllinois, date(2027, 6, 12), 0, 26},
        {"Iowa, 2028", ORLA_IA, calcIowa, date(2028, 6, 12), 0, 26},
        {"Iowa, 2024 rules, no periods", ORLA_IA, calcIowa, date(2024, 6, 12), 0, 0},
        {"Kansas, status 3", ORLA_KS, calcKansas, date(2026, 6, 12), 3, 26},
        {"Massachusetts, 2028", ORLA_MA, calcMassachusetts, date(2028, 6, 12), 0, 26},
        {"Maine, status 3", ORLA_ME, calcMaine, date(2026, 6, 12), 3, 26},
    };
    for (const Case& c : cases)
        for (int method : {0, 1}) {
            Call call(c.code, c.payDate, 26, 5000);
            call.state.stateFilingStatus = c.filingStatus;
            call.state.statePayPeriods = c.periods;
            call.state.stateAllowances = 1;
            call.state.stateSuppWages = 20000;
            call.state.stateSuppAggregate = method;
            call.state.stateSuppTax = kUntouched;
            EXPECT_EQ(call.run(c.calc), 1) << c.name << ", method " << method;
            EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW) << c.name;
            // Maine clears the supplemental tax before any lookup.
            EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.code == ORLA_ME ? 0.0 : kUntouched) << c.name;
        }
    // Through the driver, a Massachusetts pay of 2028 fails with no supplemental tax.
    Call ma(ORLA_MA, date(2028, 6, 12), 26, 5000);
    ma.state.stateAllowances = 1;
    ma.state.stateSuppWages = 20000;
    EXPECT_EQ(ma.run() & kState, kState);
    EXPECT_DOUBLE_EQ(field(ma.state.stateSuppTax), 0.0);
}

// The territories' tax is never left in the federal fields: on a failing return fedTax and fedSuppTax
// are 0 (a host would withhold them as federal income tax).
TEST(FailurePaths, TerritoriesLeaveNoFederalTaxWhenTheyFail) {
    // Married, semi-monthly, state periods 1: no rebate row (the rows serve 52, 26, 24 and 12 periods).
    Call nmi(ORLA_MP, date(2026, 6, 14), 24, 5000);
    nmi.pay.fedFilingStatus = ORLA_FED_MARRIED;
    nmi.pay.suppWages = 1000;
    nmi.state.statePayPeriods = 1;
    EXPECT_EQ(nmi.run(), kState);
    EXPECT_EQ(nmi.pay.fedStatus, 0);
    EXPECT_DOUBLE_EQ(field(nmi.pay.fedTax), 0.0);
    EXPECT_DOUBLE_EQ(field(nmi.pay.fedSuppTax), 0.0);
    for (int code : {ORLA_GU, ORLA_VI, ORLA_MP}) {
        // A 2028 pay: the federal part fails too, and the territory's attempts add nothing up.
        Call c(code, date(2028, 6, 14), 26, 2000);
        c.pay.fedExtraWithholding = 10;
        EXPECT_EQ(c.run(), kFed | kState) << code;
        EXPECT_DOUBLE_EQ(field(c.pay.fedTax), 0.0) << code;
        EXPECT_DOUBLE_EQ(field(c.pay.fedSuppTax), 0.0) << code;
        // A record too small for the rebate field.
        Call small(code, date(2025, 6, 13), 26, 2000);
        small.state.recordSize = 212;
        const unsigned flags = small.run();
        EXPECT_EQ(flags, code == ORLA_MP ? kState : 0u) << code;
        EXPECT_DOUBLE_EQ(field(small.pay.fedTax), 0.0) << code;
    }
}

// A jurisdiction's computation is refused only for the amounts it reads; the additional withholding is
// added whenever it is finite.
TEST(FailurePaths, NonFiniteAmountsOfOtherJurisdictions) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Call nh(ORLA_NH, date(2026, 6, 12), 26, 2000);
    nh.state.stateWages = nan;
    nh.state.stateExtraWithholding = 7;
    EXPECT_EQ(nh.run(), 0u);
    EXPECT_DOUBLE_EQ(field(nh.state.stateTax), 7.0);

    Call oh(ORLA_OH, date(2026, 6, 12), 26, 2000);
    oh.state.stateWages = nan;
    oh.state.stateExtraWithholding = 7;
    EXPECT_EQ(oh.run(), kState);
    EXPECT_EQ(oh.state.status, ORLA_STATE_NO_ROW);
    EXPECT_DOUBLE_EQ(field(oh.state.stateTax), 7.0);

    // A Form W-4 from before 2020 reads no Step 4 amount: the federal part computes.
    Call ak(ORLA_AK, date(2026, 6, 12), 26, 2000);
    ak.pay.w4Form2020 = 0;
    ak.pay.w4OtherIncome = nan;
    EXPECT_EQ(ak.run(), 0u);
    EXPECT_GT(field(ak.pay.fedTax), 0.0);
    EXPECT_DOUBLE_EQ(field(ak.pay.ssTax), 124.0);
}

// After a failed federal lookup the aggregate method has no tax to compare with: 0, whatever the bonus.
TEST(FailurePaths, AggregateMethodAfterAFailedFederalLookup) {
    struct Case {
        CalcDate payDate;
        int filingStatus;
    };
    for (const Case& k : {Case{date(2028, 6, 12), ORLA_FED_SINGLE}, Case{date(2026, 6, 12), 5}})
        for (int mode : {ORLA_MODE_FEDERAL, ORLA_MODE_FEDERAL_EMPLOYER, ORLA_MODE_FULL})
            for (double bonus : {0.0, 0.01, 5000.0}) {
                Call c(ORLA_TX, k.payDate, 26, 2000);
                c.pay.fedFilingStatus = k.filingStatus;
                c.pay.fedExtraWithholding = 25;
                c.pay.suppAggregate = 1;
                c.pay.suppWages = bonus;
                c.pay.fedSuppTax = kUntouched;
                EXPECT_EQ(c.driver(mode) & kFed, kFed);
                EXPECT_DOUBLE_EQ(field(c.pay.fedSuppTax), 0.0) << mode << " " << bonus;
            }
}

// The running flags of a search: a first state failure clears flag 8, also one raised by an earlier
// trial, so a search whose last trial computed on the retry ends without it.
TEST(FailurePaths, GrossUpFlagsFollowTheLastTrial) {
    // A 2027 pay: Delaware's first attempt of a trial fails, and whether the 2026 retry finds a bracket
    // depends on the trial wages (52 state periods against 4 pay periods).
    Call c(ORLA_DE, date(2027, 9, 15), 4, 114);
    c.pay.fedFilingStatus = ORLA_FED_MARRIED;
    c.state.statePayPeriods = 52;
    EXPECT_EQ(c.driver(ORLA_MODE_GROSS_UP_WAGES), 0u);
    EXPECT_EQ(c.state.status, 0);
}

// Delaware without a bracket row (after the fallback) still subtracts the exemption credits from a tax of
// 0 and applies the zero floor: -1 exemptions give 110 a year.
TEST(FailurePaths, DelawareCreditsWithoutABracketRow) {
    Call c(ORLA_DE, date(2028, 10, 24), 26, 500);
    c.state.stateAllowances = -1;
    EXPECT_EQ(c.run() & kState, kState);
    EXPECT_EQ(c.state.status, ORLA_STATE_NO_ROW);
    EXPECT_DOUBLE_EQ(field(c.state.stateTax), 4.23);
}

// No path returns a caller's old supplemental tax.
TEST(FailurePaths, SupplementalTaxesClearedAtEntry) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double stale : {1234.56, nan})
        for (int code : {ORLA_TX, ORLA_FL, ORLA_WA, ORLA_NV, ORLA_NH, ORLA_SD, ORLA_TN, ORLA_AK, ORLA_WY, ORLA_KY, ORLA_LA})
            for (int mode : {ORLA_MODE_FULL, ORLA_MODE_GROSS_UP_WAGES}) {
                Call c(code, date(2026, 6, 12), 26, 2000);
                c.state.stateSuppTax = stale;
                c.pay.fedSuppTax = stale;
                EXPECT_EQ(c.driver(mode), 0u) << code;
                EXPECT_DOUBLE_EQ(field(c.state.stateSuppTax), 0.0) << code;
                EXPECT_DOUBLE_EQ(field(c.pay.fedSuppTax), 0.0) << code;
            }
    // A failed federal part, and no pay periods.
    Call late(ORLA_TX, date(2028, 6, 12), 26, 2000);
    late.pay.fedSuppTax = 99;
    EXPECT_EQ(late.run(), kFed);
    EXPECT_DOUBLE_EQ(field(late.pay.fedSuppTax), 0.0);
    for (int mode : {ORLA_MODE_FULL, ORLA_MODE_GROSS_UP_WAGES, ORLA_MODE_GROSS_UP_BONUS}) {
        Call none(ORLA_TX, date(2026, 6, 12), 0, 2000);
        none.pay.fedSuppTax = nan;
        none.state.stateSuppTax = nan;
        EXPECT_EQ(none.driver(mode), kFed) << mode;
        EXPECT_DOUBLE_EQ(field(none.pay.fedSuppTax), 0.0) << mode;
        EXPECT_DOUBLE_EQ(field(none.state.stateSuppTax), 0.0) << mode;
    }
}

}  // namespace
}  // namespace orla
