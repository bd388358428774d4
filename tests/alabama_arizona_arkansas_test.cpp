#include <gtest/gtest.h>

#include "test_records.h"

namespace orla {
namespace {

using Call = testing::SentinelCall;
using testing::kUntouched;
using testing::sameDate;

// ---- Alabama -------------------------------------------------------------------------------------

struct AlabamaCase {
    const char* name;
    int filing;
    int allowances;
    int dependents;
    int periods;
    double wages;
    double fedTax;
    double want;  // stateTax before the driver's rounding
};

TEST(Alabama, AnnualisedTaxAfterDeductionsAndFederalTax) {
    const AlabamaCase cases[] = {
        // 26,000 sits in the first reduced band: 2,975, not 3,000.
        {"single at 26,000", 0, 1, 0, 1, 26000, 0, (26000 - 2975 - 1500 - 3000) * 0.05 + 110},
        {"single just below 26,000", 0, 1, 0, 1, 25999.99, 0, 1034.9995},
        // No personal exemption: single deduction and brackets, dependents still deducted.
        {"married without exemption", 1, 0, 2, 1, 26000, 0, (26000 - 2975 - 2000 - 3000) * 0.05 + 110},
        {"married with exemption", 1, 1, 2, 1, 26000, 0, (26000 - 8325 - 3000 - 2000 - 6000) * 0.05 + 220},
        {"separately at 13,000", 3, 1, 0, 1, 13000, 0, (13000 - 4162 - 1500 - 3000) * 0.05 + 110},
        {"separately last step", 3, 1, 0, 1, 17749, 0, (17749 - 2578 - 1500 - 3000) * 0.05 + 110},
        {"separately at the floor", 3, 1, 0, 1, 17750, 0, (17750 - 2500 - 1500 - 3000) * 0.05 + 110},
        {"head of family floor", 2, 1, 0, 1, 40000, 0, (40000 - 2500 - 3000 - 3000) * 0.05 + 110},
        // Telling rows inside the phase-outs, and the smallest amount per dependent.
        {"single mid phase-out", 0, 1, 0, 1, 30000, 0, (30000 - 2775 - 1500 - 3000) * 0.05 + 110},
        {"married last step", 1, 1, 0, 1, 35499, 0, (35499 - 5175 - 3000 - 6000) * 0.05 + 220},
        {"head of family last step", 2, 1, 0, 1, 35000, 0, (35000 - 2635 - 3000 - 3000) * 0.05 + 110},
        {"dependents from 100,000", 0, 1, 3, 1, 100000, 0, (100000 - 2500 - 1500 - 900 - 3000) * 0.05 + 110},
        // Status 8 has brackets but no deductions.
        {"status 8", 8, 1, 3, 1, 10000, 0, (10000 - 3000) * 0.05 + 110},
        // Biweekly: federal tax annualised, dependents at the 50,000 to 100,000 amount.
        {"biweekly", 0, 1, 1, 26, 2000, 150, 2140.0 / 26},
        {"federal tax above wages", 0, 1, 0, 52, 1000, 1000, 0},
    };
    for (const auto& c : cases) {
        Call call(ORLA_AL, date(2026, 5, 15), c.periods, c.wages);
        call.state.stateFilingStatus = c.filing;
        call.state.stateAllowances = c.allowances;
        call.state.stateDependents = c.dependents;
        call.pay.fedTax = c.fedTax;
        EXPECT_EQ(call.run(calcAlabama), 0) << c.name;
        EXPECT_NEAR(call.state.stateTax, c.want, 1e-9) << c.name;
        EXPECT_EQ(call.state.status, 0) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, date(2026, 1, 1))) << c.name;
        EXPECT_EQ(+call.state.stateSuppTax, kUntouched) << c.name;
    }
}

TEST(Alabama, StatusWithoutBracketsFails) {
    Call call(ORLA_AL, date(2025, 3, 1), 12, 4000);
    call.state.stateAllowances = 1;
    call.state.stateFilingStatus = 5;
    EXPECT_EQ(call.run(calcAlabama), 1);
    EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
    EXPECT_EQ(+call.state.stateTax, 0.0);
    EXPECT_TRUE(sameDate(call.state.stateTableDate, date(2017, 3, 1)));
}

// The annual tax is divided by the periods: without periods the calculation cannot complete.
TEST(Alabama, NoPayPeriodsFailsInsteadOfDividingByZero) {
    Call call(ORLA_AL, date(2025, 3, 1), 0, 4000);
    call.state.stateAllowances = 1;
    EXPECT_EQ(call.run(calcAlabama), 1);
    EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
    EXPECT_EQ(+call.state.stateTax, 0.0);
}

struct SuppCase {
    const char* name;
    int recordSize;
    int method;
    double want;  // stateSuppTax
};

TEST(Alabama, SupplementalMethods) {
    const SuppCase cases[] = {
        // Weekly 50 leaves nothing taxable; a 5,000 bonus reaches the 5 % band, the annual difference stands.
        {"aggregate", sizeof(StateRecord), 1, (5000 - 3000) * 0.05 + 110},
        {"flat", sizeof(StateRecord), 0, 250},
        {"other method", sizeof(StateRecord), 2, kUntouched},
        {"record without supplemental fields", 144, 1, kUntouched},
        {"record with them", 176, 0, 250},
    };
    for (const auto& c : cases) {
        Call call(ORLA_AL, date(2024, 8, 1), 52, 50);
        call.state.recordSize = c.recordSize;
        call.state.stateSuppWages = 5000;
        call.state.stateSuppAggregate = c.method;
        EXPECT_EQ(call.run(calcAlabama), 0) << c.name;
        EXPECT_EQ(+call.state.stateSuppTax, c.want) << c.name;
        EXPECT_EQ(+call.state.stateTax, 0.0) << c.name;
    }
}

// The aggregate difference is annual: it is not divided by the periods, while the regular tax is.
TEST(Alabama, AggregateDifferenceIsAnnual) {
    Call call(ORLA_AL, date(2026, 5, 15), 26, 2000);
    call.state.stateAllowances = 1;
    call.state.stateDependents = 1;
    call.pay.fedTax = 150;
    call.state.stateSuppWages = 10000;
    call.state.stateSuppAggregate = 1;
    EXPECT_EQ(call.run(calcAlabama), 0);
    EXPECT_DOUBLE_EQ(call.state.stateSuppTax, 500.0);
    EXPECT_NEAR(call.state.stateTax, 2140.0 / 26, 1e-9);
}

// The same rules in every table year: each year's rows serve its whole year, dated 1 January. Biweekly,
// single, one dependent, wages 2,000: 52,000 a year, deduction 2,500, federal 26 x 150 = 3,900, exemption
// 1,500 and 500 per dependent: 43,600 taxable; (43,600 - 3,000) x 0.05 + 110 = 2,140 a year.
TEST(Alabama, EveryTableYear) {
    for (const CalcDate d : {date(2024, 1, 1), date(2024, 12, 31), date(2025, 1, 1), date(2025, 12, 31),
                             date(2026, 1, 1), date(2026, 12, 31)}) {
        Call call(ORLA_AL, d, 26, 2000);
        call.state.stateAllowances = 1;
        call.state.stateDependents = 1;
        call.pay.fedTax = 150;
        EXPECT_EQ(call.run(calcAlabama), 0) << d.year;
        EXPECT_NEAR(call.state.stateTax, 2140.0 / 26, 1e-9) << d.year;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, date(d.year, 1, 1))) << d.year;
    }
    Call call(ORLA_AL, date(2027, 1, 1), 26, 2000);
    EXPECT_EQ(call.run(calcAlabama), 1);
    EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
}

// Aggregate supplemental wages that lower the annual tax give no negative tax: weekly 2026, single, one
// allowance, wages 1,000: 52,000 less 2,500 and 1,500 is 48,000, (48,000 - 3,000) x 0.05 + 110 = 2,360;
// with a supplemental amount of -1,000: 47,000 gives 2,310, a difference of -50, raised to 0.
TEST(Alabama, AggregateDifferenceRaisedToZero) {
    Call call(ORLA_AL, date(2026, 5, 15), 52, 1000);
    call.state.stateAllowances = 1;
    call.state.stateSuppWages = -1000;
    call.state.stateSuppAggregate = 1;
    EXPECT_EQ(call.run(calcAlabama), 0);
    EXPECT_EQ(+call.state.stateSuppTax, 0.0);
    EXPECT_NEAR(call.state.stateTax, 2360.0 / 52, 1e-9);
}

// A status without rate rows in the aggregate method: both searches fail, status 1, result 1, and the
// supplemental tax is written as 0.
TEST(Alabama, AggregateWithoutRateRow) {
    Call call(ORLA_AL, date(2026, 5, 15), 52, 1000);
    call.state.stateAllowances = 1;
    call.state.stateFilingStatus = 4;
    call.state.stateSuppWages = 500;
    call.state.stateSuppAggregate = 1;
    EXPECT_EQ(call.run(calcAlabama), 1);
    EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
    EXPECT_EQ(+call.state.stateSuppTax, 0.0);
    EXPECT_EQ(+call.state.stateTax, 0.0);
    EXPECT_TRUE(sameDate(call.state.stateTableDate, date(2017, 5, 15)));
}

// ---- Arizona -------------------------------------------------------------------------------------

TEST(Arizona, ElectedPercentageOfWagesAndBonus) {
    Call call(ORLA_AZ, date(2099, 1, 1), 26, 1000);
    call.state.statePercent = 2.55;
    call.pay.suppWages = 333.33;
    EXPECT_EQ(call.run(calcArizona), 0);
    EXPECT_DOUBLE_EQ(call.state.stateTax, 2.55 / 100 * 1000);
    // Not rounded.
    EXPECT_DOUBLE_EQ(call.state.stateSuppTax, 2.55 / 100 * 333.33);
    EXPECT_EQ(call.state.status, 0);
    EXPECT_TRUE(sameDate(call.state.stateTableDate, CalcDate{0, 0, 0}));

    call.state.statePercent = 0;
    call.run(calcArizona);
    EXPECT_EQ(+call.state.stateTax, 0.0);
}

TEST(Arizona, BonusFieldsOnlyWithinTheDeclaredRecords) {
    Call call(ORLA_AZ, date(2025, 1, 1), 26, 1000);
    call.state.statePercent = 3;
    call.pay.suppWages = 500;
    call.state.recordSize = 144;
    call.run(calcArizona);
    EXPECT_EQ(+call.state.stateSuppTax, kUntouched);
    // A pay record without the supplemental fields has no bonus to tax.
    call.state.recordSize = 145;
    call.pay.recordSize = 128;
    call.run(calcArizona);
    EXPECT_EQ(+call.state.stateSuppTax, 0.0);
    call.pay.recordSize = 129;
    call.run(calcArizona);
    EXPECT_DOUBLE_EQ(call.state.stateSuppTax, 15.0);
}

// ---- Arkansas ------------------------------------------------------------------------------------

struct ArkansasCase {
    const char* name;
    CalcDate payDate;
    double taxable;  // annual wages less the standard deduction
    int exemptions;
    double wantAnnual;
};

TEST(Arkansas, BandedAnnualTable) {
    const ArkansasCase cases[] = {
        {"worked 2026", date(2026, 6, 1), 30000, 2, 752 - 58},
        {"zero is banded to 50", date(2026, 6, 1), 0, 0, 0},
        {"banded below the limit", date(2026, 6, 1), 100000.99, 0, 3813},
        {"not banded at the limit", date(2026, 6, 1), 100001, 0, 3811},
        {"credits beyond the tax", date(2026, 6, 1), 6000, 1, 0},
        {"2025 double-width band", date(2025, 6, 1), 94400, 0, 3486},
        {"2024 to 8 July", date(2024, 7, 8), 89850, 0, 3467},
        {"2024 from 9 July", date(2024, 7, 9), 89850, 0, 3129},
    };
    for (const auto& c : cases) {
        const double deduction = c.payDate.year == 2026 ? 2470 : c.payDate.year == 2025 ? 2410 : 2340;
        Call call(ORLA_AR, c.payDate, 1, c.taxable + deduction);
        call.state.stateAllowances = c.exemptions;
        call.pay.stateTaxableIncome = 999;
        EXPECT_EQ(call.run(calcArkansas), 0) << c.name;
        EXPECT_DOUBLE_EQ(call.state.stateTax, c.wantAnnual) << c.name;
        EXPECT_EQ(call.pay.stateTaxableIncome, 0) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, CalcDate{0, 0, 0})) << c.name;
    }
}

TEST(Arkansas, PerPayFromTheAnnualRows) {
    Call call(ORLA_AR, date(2026, 2, 1), 10, 3247);  // 32,470 a year: 30,000 taxable
    call.state.stateAllowances = 2;
    call.state.stateFilingStatus = 7;                // ignored
    EXPECT_EQ(call.run(calcArkansas), 0);
    EXPECT_DOUBLE_EQ(call.state.stateTax, 69.4);
}

// Pay periods without rows of their own take the annual rows of the date (pass 2), in each 2024 range and
// at the end of 2025. Ten periods: 89,850 taxable is 89,850 (banded) in 89,801-89,901: to 8 July 2024
// 89,850 x 0.044 - 486.50 = 3,466.90, 3,467; from 9 July 89,850 x 0.039 - 375.50 = 3,128.65, 3,129.
// 2025: 94,400 becomes 94,450 in the double band: 94,450 x 0.039 - 197.40 = 3,486.15, 3,486.
TEST(Arkansas, AnnualRowsForOtherPeriodsByDate) {
    struct {
        CalcDate payDate;
        double wages;
        double want;
    } const cases[] = {
        {date(2024, 7, 8), 9219, 346.7},
        {date(2024, 7, 9), 9219, 312.9},
        {date(2025, 12, 31), 9681, 348.6},
    };
    for (const auto& c : cases) {
        Call call(ORLA_AR, c.payDate, 10, c.wages);
        EXPECT_EQ(call.run(calcArkansas), 0);
        EXPECT_DOUBLE_EQ(call.state.stateTax, c.want);
    }
}

TEST(Arkansas, SupplementalFlatRateByDate) {
    struct {
        CalcDate payDate;
        int recordSize;
        double want;
    } const cases[] = {
        {date(2024, 7, 8), sizeof(StateRecord), 44},
        {date(2024, 7, 9), sizeof(StateRecord), 39},
        {date(2026, 7, 9), 176, 39},
        {date(2026, 7, 9), 144, kUntouched},
    };
    for (const auto& c : cases) {
        Call call(ORLA_AR, c.payDate, 26, 1000);
        call.state.recordSize = c.recordSize;
        call.state.stateSuppWages = 1000;
        EXPECT_EQ(call.run(calcArkansas), 0);
        EXPECT_EQ(+call.state.stateSuppTax, c.want);
    }
}

TEST(Arkansas, MissingRowsAndPeriods) {
    Call call(ORLA_AR, date(2028, 2, 1), 26, 1000);
    call.state.stateSuppWages = 100;
    EXPECT_EQ(call.run(calcArkansas), 1 | 64);
    EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
    EXPECT_EQ(+call.state.stateTax, 0.0);

    Call none(ORLA_AR, date(2026, 2, 1), 0, 1000);
    EXPECT_EQ(none.run(calcArkansas), 1);
    EXPECT_EQ(none.state.status, ORLA_STATE_NO_ROW);
}

}  // namespace
}  // namespace orla
