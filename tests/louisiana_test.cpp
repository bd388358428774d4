#include <gtest/gtest.h>

#include "state/calculators.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::calcFull;
using testing::kUntouched;
using testing::makeRecords;
using testing::Records;
using testing::sameDate;

struct TaxCase {
    const char* name;
    CalcDate payDate;
    int periods;
    int filingStatus;
    int allowances;
    int dependents;
    double wages;
    double wantTax;
};

TEST(Louisiana, WorkedPays) {
    const TaxCase cases[] = {
        // (52,000 - 12,500) x 0.0309 / 26
        {"2026 single", date(2026, 2, 6), 26, 0, 0, 0, 2000, 46.94},
        {"2026 married", date(2026, 2, 6), 26, 1, 0, 0, 2000, 32.09},       // 27,000 x 0.0309 / 26
        {"2026 other status", date(2026, 2, 6), 26, 7, 0, 0, 2000, 32.09},  // 25,000 deduction
        {"2026 status 15", date(2026, 2, 6), 26, 15, 0, 0, 2000, 61.80},    // no deduction
        {"2025 below the deduction", date(2025, 2, 7), 26, 0, 0, 0, 400, 0.00},
        // 2024, married with one allowance: the single schedule. Credit 4,500 x 0.0185 / 26 = 3.20;
        // 2,000 x 0.0185 + (2,000 - 480) x 0.0165 + (2,000 - 1,923) x 0.0075 = 62.6575
        {"2024 married one allowance", date(2024, 2, 9), 26, 1, 1, 0, 2000, 59.46},
        // Married schedule: credit 9,000 x 0.0185 / 26 = 6.40; 37 + (2,000 - 961) x 0.0165 = 54.1435
        {"2024 married two allowances", date(2024, 2, 9), 26, 1, 2, 0, 2000, 47.74},
        // X = 15,500: 12,500 x 0.0185 / 26 = 8.89 and 3,000 x 0.0165 / 26 = 1.90, each in cents
        {"2024 single with dependents", date(2024, 2, 9), 26, 0, 3, 2, 2000, 51.87},
        {"2024 status 15 as single", date(2024, 2, 9), 26, 15, 1, 0, 2000, 59.46},
        {"2024 credit above the tax", date(2024, 2, 9), 26, 1, 10, 10, 300, 0.00},
    };
    for (const TaxCase& c : cases) {
        Records r = makeRecords(ORLA_LA, c.payDate, c.periods, c.wages);
        r.state.stateFilingStatus = c.filingStatus;
        r.state.stateAllowances = c.allowances;
        r.state.stateDependencyCredits = c.dependents;
        EXPECT_EQ(calcFull(r), 0u) << c.name;
        EXPECT_EQ(r.state.status, 0) << c.name;
        EXPECT_DOUBLE_EQ(r.state.stateTax, c.wantTax) << c.name;
    }
}

TEST(Louisiana, TableDate) {
    Records r = makeRecords(ORLA_LA, date(2026, 2, 6), 26, 2000);
    EXPECT_EQ(calcFull(r), 0u);
    EXPECT_TRUE(sameDate(r.state.stateTableDate, date(2017, 2, 6)));
    Records old = makeRecords(ORLA_LA, date(2024, 2, 9), 26, 2000);
    EXPECT_EQ(calcFull(old), 0u);
    EXPECT_TRUE(sameDate(old.state.stateTableDate, date(2024, 2, 9)));
}

struct SuppCase {
    const char* name;
    CalcDate payDate;
    int size;
    double suppWages;
    double want;  // kUntouched: not written
};

// Single, biweekly 2,000.
TEST(Louisiana, Supplemental) {
    const SuppCase cases[] = {
        // The bonus joins the annual wages once: 40,500 x 0.0309 - 39,500 x 0.0309
        {"2026", date(2026, 2, 6), 244, 1000, 30.90},
        {"2026 record of 144", date(2026, 2, 6), 144, 1000, kUntouched},
        {"2026 record of 176", date(2026, 2, 6), 176, 1000, 30.90},
        {"2026 no bonus: the driver's 0", date(2026, 2, 6), 244, 0, 0},
        // 2024: the bonus paid with this pay's wages: 105.16 for 3,000 against 62.66 for 2,000
        {"2024", date(2024, 2, 9), 244, 1000, 42.50},
        {"2024 record of 144", date(2024, 2, 9), 144, 1000, kUntouched},
        {"2024 no bonus: the driver's 0", date(2024, 2, 9), 244, 0, 0},
    };
    for (const SuppCase& c : cases) {
        Records r = makeRecords(ORLA_LA, c.payDate, 26, 2000);
        r.state.recordSize = c.size;
        r.state.stateSuppWages = c.suppWages;
        r.state.stateSuppTax = kUntouched;
        EXPECT_EQ(calcFull(r), 0u) << c.name;
        EXPECT_NEAR(r.state.stateSuppTax, c.want, 1e-9) << c.name;
    }
}

// Louisiana has no table to miss: a pay year beyond the others is computed by the current rules.
TEST(Louisiana, NeverFails) {
    Records r = makeRecords(ORLA_LA, date(2028, 2, 4), 26, 2000);
    EXPECT_EQ(calcFull(r) & ORLA_FLAG_STATE, 0u);
    EXPECT_EQ(r.state.status, 0);
    EXPECT_DOUBLE_EQ(r.state.stateTax, 46.94);
}

// Fewer than one period counts as one; huge counts of exemptions stay in range.
TEST(Louisiana, OddInputs) {
    Records r = makeRecords(ORLA_LA, date(2026, 2, 6), 26, 52000);
    r.state.statePayPeriods = 0;
    EXPECT_EQ(calcLouisiana(ORLA_MODE_FULL, &r.pay, &r.state), 0);
    EXPECT_NEAR(r.state.stateTax, 39500 * 0.0309, 1e-9);

    Records big = makeRecords(ORLA_LA, date(2024, 2, 9), 26, 2000);
    big.state.stateDependencyCredits = INT_MAX;
    big.state.stateAllowances = INT_MAX;
    EXPECT_EQ(calcLouisiana(ORLA_MODE_FULL, &big.pay, &big.state), 0);
    EXPECT_DOUBLE_EQ(big.state.stateTax, 0.0);
}

}  // namespace
}  // namespace orla
