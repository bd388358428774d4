#include <gtest/gtest.h>

#include "state/calculators.h"
#include "state/maryland.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::Call;

struct TaxCase {
    const char* what;
    CalcDate payDate;
    int filingStatus;
    int periods;
    int exemptions;
    double wages;
    double wantTax;
};

TEST(Maryland, AnnualisedSchedule) {
    const TaxCase cases[] = {
        {"2026 single, flat standard deduction", date(2026, 3, 6), 0, 26, 1, 2000, 83.03},
        {"2025 single, deduction at its maximum", date(2025, 3, 6), 0, 26, 1, 2000, 84.22},
        {"2026 single, second bracket", date(2026, 3, 6), 0, 26, 1, 5000, 227.79},
        {"2026 married (2), first bracket still", date(2026, 3, 6), 2, 26, 1, 5000, 225.53},
        {"married 1", date(2026, 3, 6), 1, 26, 1, 5000, 225.53},
        {"status 3 takes the single rows", date(2026, 3, 6), 3, 26, 1, 5000, 227.79},
        {"status 6 takes the single rows", date(2026, 3, 6), 6, 26, 1, 5000, 227.79},
        {"status 12 takes the single rows", date(2026, 3, 6), 12, 26, 1, 5000, 227.79},
        {"below the annual threshold", date(2026, 3, 6), 0, 26, 0, 150, 0.0},
        {"exemptions above the wages", date(2026, 3, 6), 0, 52, 4, 300, 0.0},
        // A = 156,000; S = min(max(23,400, 1,800), 2,700) = 2,700; t = 153,300;
        // (153,300 - 150,000) x 0.05 + 7,125 = 7,290; / 26 = 280.38.
        {"2024 married, second bracket", date(2024, 3, 8), 1, 26, 0, 6000, 280.38},
        // A = 300,000; t = 300,000 - 2,700 - 6,400 = 290,900 in the open fifth bracket:
        // (290,900 - 250,000) x 0.0575 + 12,812.5 = 15,164.25; / 12 = 1,263.6875.
        {"2025 single, open top bracket", date(2025, 3, 31), 0, 12, 2, 25000, 1263.69},
        // A = 52 x 96 = 4,992, below the 5,000 threshold.
        {"2024 just below the threshold", date(2024, 3, 8), 0, 52, 0, 96, 0.0},
        // A = 5,000.32: S = 1,800 (the minimum); t = 3,200.32; x 0.0475 / 52 = 2.923...
        {"2024 just above the threshold", date(2024, 3, 8), 0, 52, 0, 96.16, 2.92},
    };
    for (const TaxCase& k : cases) {
        Call c(ORLA_MD, k.payDate, k.periods, k.wages);
        c.state.stateFilingStatus = k.filingStatus;
        c.state.stateAllowances = k.exemptions;
        EXPECT_EQ(c.run(), 0u) << k.what;
        EXPECT_DOUBLE_EQ(c.state.stateTax, k.wantTax) << k.what;
    }
}

TEST(Maryland, UnknownStatusHasNoRows) {
    Call c(ORLA_MD, date(2026, 3, 6), 26, 2000);
    c.state.stateFilingStatus = 4;
    EXPECT_EQ(c.run(), static_cast<unsigned>(ORLA_FLAG_STATE));
    EXPECT_EQ(c.state.status, ORLA_STATE_NO_ROW);
}

// The annual pass reports the per-pay tax in cents as the taxable income; the pay-period pass
// reports nothing.
TEST(Maryland, TaxableIncomeField) {
    Call biweekly(ORLA_MD, date(2026, 3, 6), 26, 2000);
    biweekly.state.stateAllowances = 1;
    biweekly.run();
    EXPECT_EQ(biweekly.pay.stateTaxableIncome, 8303);

    PayRecord pay{};
    StateRecord state{};
    state.recordSize = sizeof state;
    pay.payDate = date(2026, 3, 6);
    pay.stateTaxableIncome = -7;
    state.stateWages = 52000;
    state.stateAllowances = 1;
    state.statePayPeriods = 0;
    EXPECT_EQ(calcMaryland(1, &pay, &state), 0);
    EXPECT_EQ(state.statePayPeriods, 1);  // no period count: the pay is annual
    EXPECT_DOUBLE_EQ(state.stateTax, 2158.875);
    EXPECT_EQ(pay.stateTaxableIncome, -7);
}

TEST(Maryland, SupplementalMethods) {
    struct Case {
        const char* what;
        int recordSize;
        int method;
        double suppWages;
        double want;  // -1: left as the caller set it
    };
    const Case cases[] = {
        {"flat rate", 244, 0, 1000, 57.50},
        {"any method but 1 is the flat rate", 244, 7, 1000, 57.50},
        {"aggregate across a bracket", 244, 1, 1000, 48.50},
        {"no supplemental wages", 244, 1, 0, 0.0},
        {"record without supplemental fields", 144, 0, 1000, -1},
        {"smallest record with them", 176, 0, 1000, 57.50},
    };
    for (const Case& k : cases) {
        Call c(ORLA_MD, date(2026, 3, 6), 26, 3500);
        c.state.recordSize = k.recordSize;
        c.state.stateAllowances = 1;
        c.state.stateSuppWages = k.suppWages;
        c.state.stateSuppAggregate = k.method;
        c.state.stateSuppTax = -1;
        EXPECT_EQ(c.run(), 0u) << k.what;
        EXPECT_NEAR(c.state.stateSuppTax, k.want, 1e-9) << k.what;
    }
}

TEST(Maryland, YearFallback) {
    Call next(ORLA_MD, date(2027, 3, 6), 26, 2000);
    next.state.stateAllowances = 1;
    EXPECT_EQ(next.run(), 0u);
    EXPECT_DOUBLE_EQ(next.state.stateTax, 83.03);

    Call later(ORLA_MD, date(2028, 3, 6), 26, 2000);
    EXPECT_EQ(later.run(), static_cast<unsigned>(ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE));
    EXPECT_EQ(later.state.status, ORLA_STATE_NO_ROW);
}

TEST(Maryland, TableShape) {
    const auto table = marylandStateTable();
    ASSERT_EQ(table.size(), 34u);
    // 2026: seven single then seven married brackets; 2025 and 2024: five each, the fifth open.
    EXPECT_DOUBLE_EQ(table[6].low, 1000000);
    EXPECT_DOUBLE_EQ(table[6].rate, 0.065);
    EXPECT_DOUBLE_EQ(table[13].base, 69875);
    EXPECT_EQ(table[14].from.year, 2025);
    EXPECT_DOUBLE_EQ(table[18].high, 0);
    EXPECT_DOUBLE_EQ(table[18].rate, 0.0575);
    EXPECT_DOUBLE_EQ(table[23].base, 15125);
    EXPECT_DOUBLE_EQ(table[33].status, 1.0);
    EXPECT_DOUBLE_EQ(marylandStandardDeduction(table[14], 52000), 2700);
    EXPECT_DOUBLE_EQ(marylandStandardDeduction(table[14], 10000), 1800);
    EXPECT_DOUBLE_EQ(marylandStandardDeduction(table[14], 15000), 2250);
    for (const MarylandRow& r : table) EXPECT_EQ(r.periods, 1);
}

}  // namespace
}  // namespace orla
