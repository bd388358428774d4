#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "local_records.h"

namespace orla {
namespace {

using testing::field;
using testing::kUntouched;
using testing::LocalCall;

constexpr CalcDate kJune2026 = date(2026, 6, 15);

struct OverrideCase {
    const char* name;
    int recordSize;
    double rate, limit, ytd;
    int exemptions;
    double exemptionAmount, deduction, flatAnnual;
    int localPeriods;
    double want;
};

// The caller-rate override, for a state without local tax (California) and over a table tax (Kansas City,
// 1% of 1,000).
TEST(LocalDriver, CallerRateOverride) {
    const OverrideCase cases[] = {
        {"rate less exemptions and deduction", 180, 0.01, 0, 0, 2, 2600, 2600, 0, 26, 7.00},
        {"annual limit cuts the pay's tax", 180, 0.01, 100, 9500, 0, 0, 0, 0, 26, 5.00},
        {"annual limit already passed", 180, 0.01, 100, 10100, 0, 0, 0, 0, 26, 0.00},
        {"flat annual amount over the periods", 180, 0, 0, 0, 0, 0, 0, 52, 26, 2.00},
        {"flat amount replaces the rate", 180, 0.02, 0, 0, 0, 0, 0, 52, 26, 2.00},
        {"no periods: the rate's tax stands", 180, 0.02, 0, 0, 0, 0, 0, 52, 0, 20.00},
        {"no periods: exemption and deduction taken whole", 180, 0.01, 0, 0, 1, 300, 200, 0, 0, 5.00},
        {"record of 176: no override", 176, 0.01, 0, 0, 0, 0, 0, 52, 26, 0.00},
        {"negative size passes the unsigned test", -1, 0.01, 0, 0, 0, 0, 0, 0, 26, 10.00},
    };
    for (const auto& c : cases) {
        for (const int state : {ORLA_CA, ORLA_MO}) {
            LocalCall call(state, kJune2026, 26, 1000, 2);
            call.local.recordSize = c.recordSize;
            call.local.localPayPeriods = c.localPeriods;
            call.local.overrideRate = c.rate;
            call.local.overrideAnnualLimit = c.limit;
            call.local.overrideYtd = c.ytd;
            call.local.overrideExemptions = c.exemptions;
            call.local.overrideExemptionAmount = c.exemptionAmount;
            call.local.overrideDeduction = c.deduction;
            call.local.overrideFlatAnnual = c.flatAnnual;
            EXPECT_EQ(call.calcLocal(), 0) << c.name;
            const bool overridden = c.recordSize != 176;
            const double want = state == ORLA_MO && !overridden ? 10.00 : c.want;
            EXPECT_DOUBLE_EQ(field(call.local.localTax), want) << c.name << " state " << state;
        }
    }
}

// Delaware runs through ORLA_Calc_Local only; ORLA_Calc_County leaves it to the override.
TEST(LocalDriver, CountyAgainstLocalDispatch) {
    LocalCall local(ORLA_DE, kJune2026, 26, 2000, 1);
    local.local.localExtraWithholding = 1;
    EXPECT_EQ(local.calcLocal(), 0);
    EXPECT_DOUBLE_EQ(field(local.local.localTax), 26.00);

    LocalCall county(ORLA_DE, kJune2026, 26, 2000, 1);
    county.local.localExtraWithholding = 1;
    county.local.localTax = 99;
    EXPECT_EQ(county.calcCounty(), 0);
    EXPECT_DOUBLE_EQ(field(county.local.localTax), 0.0);

    // Missouri is in both.
    LocalCall missouri(ORLA_MO, kJune2026, 26, 3000, 2);
    EXPECT_EQ(missouri.calcCounty(), 0);
    EXPECT_DOUBLE_EQ(field(missouri.local.localTax), 30.00);
    EXPECT_EQ(ORLA_Calc_City(), 0);
}

// A failed ORLA_Calc is the status; no local tax is computed and no old value survives.
TEST(LocalDriver, DriverFailureSkipsTheLocalTax) {
    LocalCall call(ORLA_AS, kJune2026, 26, 3000, 2);
    call.local.localTax = 99;
    call.local.localStatus = 7;
    call.local.localSuppTax = 99;
    call.local.workLocalityTax = 99;
    call.local.workLocalitySuppTax = 99;
    call.local.localExtraWithholding = 5;
    EXPECT_EQ(call.calcLocal(), ORLA_FLAG_STATE);
    EXPECT_DOUBLE_EQ(field(call.local.localTax), 0.0);
    EXPECT_EQ(call.local.localStatus, 0);
    EXPECT_DOUBLE_EQ(field(call.local.localSuppTax), 0.0);
    EXPECT_DOUBLE_EQ(field(call.local.workLocalityTax), 0.0);
    EXPECT_DOUBLE_EQ(field(call.local.workLocalitySuppTax), 0.0);

    LocalCall periods(ORLA_MO, kJune2026, 0, 3000, 2);
    EXPECT_EQ(periods.calcLocal(), ORLA_FLAG_FEDERAL);
    EXPECT_DOUBLE_EQ(field(periods.local.localTax), 0.0);
}

// The supplemental outputs are written only where the record holds the whole field.
TEST(LocalDriver, OutputsNearTheEndOfTheRecord) {
    for (const int size : {156, 163, 164}) {
        LocalCall call(ORLA_MO, kJune2026, 26, 3000, 1);
        call.local.recordSize = size;
        call.local.localSuppWages = 100;
        call.local.localSuppTax = kUntouched;
        call.local.workLocalitySuppTax = kUntouched;
        EXPECT_EQ(call.calcLocal(), 0);
        EXPECT_DOUBLE_EQ(field(call.local.localSuppTax), size >= 164 ? 1.00 : kUntouched) << size;
        EXPECT_DOUBLE_EQ(field(call.local.workLocalitySuppTax), kUntouched) << size;
    }
}

TEST(LocalDriver, NonFiniteInputIsALocalFailure) {
    LocalCall call(ORLA_MO, kJune2026, 26, 3000, 1);
    call.local.localWages = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(call.calcLocal(), ORLA_FLAG_LOCAL);
    EXPECT_DOUBLE_EQ(field(call.local.localTax), 0.0);
    EXPECT_EQ(call.local.localStatus, 1);
}

// Mode 11: the search ends when the net after every tax, the local tax included, is the target; a net
// between two cent amounts is never reached and the search ends after 50 trials with fedStatus 100.
TEST(LocalDriver, GrossUpOfWages) {
    LocalCall call(ORLA_MO, kJune2026, 26, 1500, 2);
    EXPECT_EQ(call.calcLocal(ORLA_MODE_GROSS_UP_WAGES), 0);
    EXPECT_EQ(call.pay.fedStatus, 0);
    EXPECT_NEAR(call.net(), 1500, 0.001);
    EXPECT_GT(field(call.local.localTax), 0.0);
    EXPECT_DOUBLE_EQ(field(call.local.localWages), field(call.pay.fedWages));
    EXPECT_DOUBLE_EQ(field(call.state.stateWages), field(call.pay.fedWages));
    EXPECT_DOUBLE_EQ(field(call.local.localTax), roundCents(0.01 * call.local.localWages));

    LocalCall between(ORLA_TX, kJune2026, 26, 1000.005, 2);
    EXPECT_EQ(between.calcLocal(ORLA_MODE_GROSS_UP_WAGES), 0);
    EXPECT_EQ(between.pay.fedStatus, ORLA_FED_STATUS_NOT_CONVERGED);

    // A target whose first trial overflows is not searched for: nothing is written.
    LocalCall huge(ORLA_TX, kJune2026, 26, 1.1e308, 2);
    EXPECT_EQ(huge.calcLocal(ORLA_MODE_GROSS_UP_WAGES), ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE);
    EXPECT_DOUBLE_EQ(field(huge.local.localWages), 1.1e308);
}

// Mode 12: the base pass without the bonus sets the target; the bonus's net effect is the desired net.
TEST(LocalDriver, GrossUpOfBonus) {
    LocalCall base(ORLA_TX, kJune2026, 26, 2000, 2);
    base.local.recordSize = 180;
    base.local.overrideRate = 0.01;
    ASSERT_EQ(base.calcLocal(), 0);

    LocalCall call = base;
    call.pay.suppWages = 500;
    EXPECT_EQ(call.calcLocal(ORLA_MODE_GROSS_UP_BONUS), 0);
    EXPECT_EQ(call.pay.fedStatus, 0);
    EXPECT_NEAR(call.net() - base.net(), 500, 0.001);
    EXPECT_DOUBLE_EQ(field(call.local.localSuppWages), field(call.pay.suppWages));
    EXPECT_DOUBLE_EQ(field(call.local.localTax), field(base.local.localTax));

    // Missouri's supplemental tax is not rounded: the net falls between cents and the search runs out.
    LocalCall missouri(ORLA_MO, kJune2026, 26, 2000, 2);
    missouri.pay.suppWages = 500;
    EXPECT_EQ(missouri.calcLocal(ORLA_MODE_GROSS_UP_BONUS), 0);
    EXPECT_EQ(missouri.pay.fedStatus, ORLA_FED_STATUS_NOT_CONVERGED);

    LocalCall zero(ORLA_MO, kJune2026, 26, 2000, 2);
    EXPECT_EQ(zero.calcLocal(ORLA_MODE_GROSS_UP_BONUS), 0);
    EXPECT_EQ(zero.pay.fedStatus, 0);
    EXPECT_DOUBLE_EQ(field(zero.pay.suppWages), 0.0);

    LocalCall noBonusField(ORLA_MO, kJune2026, 26, 2000, 2);
    noBonusField.pay.recordSize = 128;
    EXPECT_EQ(noBonusField.calcLocal(ORLA_MODE_GROSS_UP_BONUS), ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE);
}

TEST(LocalDriver, NullRecords) {
    LocalCall call(ORLA_MO, kJune2026, 26, 2000, 2);
    EXPECT_NE(ORLA_Calc_Local(1, &call.pay, &call.state, nullptr), 0);
    EXPECT_NE(ORLA_Calc_County(1, nullptr, &call.state, &call.local), 0);
}

}  // namespace
}  // namespace orla
