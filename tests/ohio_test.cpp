#include <gtest/gtest.h>

#include <iterator>

#include "state/calculators.h"
#include "state/ohio.h"
#include "withholding_call.h"

namespace orla {
namespace {

using testing::Call;

struct TaxCase {
    const char* what;
    CalcDate payDate;
    int periods;
    int exemptions;
    double wages;
    double wantTax;
    CalcDate wantTableDate;
};

TEST(Ohio, WithholdingByDateBlockAndPeriods) {
    const TaxCase cases[] = {
        {"2026 biweekly, two exemptions", date(2026, 4, 10), 26, 2, 2000, 46.13, date(2026, 1, 1)},
        // No quarterly rows: the annual row on 4 x 30,000, top bracket.
        {"2026 quarterly", date(2026, 4, 10), 4, 0, 30000, 850.38, date(2026, 1, 1)},
        // The semimonthly top base stands as published (67.19).
        {"2026 semimonthly top bracket", date(2026, 2, 15), 24, 0, 5000, 97.52, date(2026, 1, 1)},
        {"last day of the six-bracket 2025 block", date(2025, 9, 30), 52, 0, 1000, 24.18, date(2025, 1, 1)},
        {"first day of the three-bracket 2025 block", date(2025, 10, 1), 52, 0, 1000, 23.81, date(2025, 10, 1)},
        {"first half of 2024, top rate 0.0441", date(2024, 6, 30), 52, 0, 2000, 55.17, date(2024, 1, 1)},
        {"second half of 2024, top rate 0.038", date(2024, 7, 1), 52, 0, 2000, 54.70, date(2024, 7, 1)},
        // Derived biweekly figures of 2025: bracket 769.23-3846.15, base 11.56.
        {"2025 biweekly derived row", date(2025, 3, 7), 26, 1, 1025, 18.46, date(2025, 1, 1)},
        {"exemptions above the wages", date(2026, 4, 10), 12, 3, 100, 0.0, date(2026, 1, 1)},
    };
    for (const TaxCase& k : cases) {
        Call c(ORLA_OH, k.payDate, k.periods, k.wages);
        c.state.stateAllowances = k.exemptions;
        EXPECT_EQ(c.run(), 0u) << k.what;
        EXPECT_DOUBLE_EQ(c.state.stateTax, k.wantTax) << k.what;
        EXPECT_EQ(c.state.stateTableDate.year, k.wantTableDate.year) << k.what;
        EXPECT_EQ(c.state.stateTableDate.month, k.wantTableDate.month) << k.what;
    }
}

// The strict date test: a 2027 pay is not covered by the 2026 rows, the retry with 2026 is.
TEST(Ohio, YearFallback) {
    Call next(ORLA_OH, date(2027, 5, 20), 26, 2000);
    next.state.stateAllowances = 2;
    EXPECT_EQ(next.run(), 0u);
    EXPECT_DOUBLE_EQ(next.state.stateTax, 46.13);
    EXPECT_EQ(next.state.stateTableDate.year, 2026);

    Call later(ORLA_OH, date(2028, 5, 20), 26, 2000);
    EXPECT_EQ(later.run(), static_cast<unsigned>(ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE));
    EXPECT_EQ(later.state.status, ORLA_STATE_NO_ROW);

    PayRecord pay{};
    StateRecord state{};
    pay.payDate = date(2027, 5, 20);
    state.recordSize = 144;
    state.statePayPeriods = 26;
    EXPECT_EQ(calcOhio(1, &pay, &state), 1);
    EXPECT_EQ(state.stateTableDate.year, 2017);
    EXPECT_EQ(state.stateTableDate.month, 5);
}

TEST(Ohio, SupplementalMethods) {
    struct Case {
        const char* what;
        int recordSize;
        int method;
        double want;  // -1: left as the caller set it
    };
    const Case cases[] = {
        {"flat rate", 244, 0, 35.00},
        {"aggregate", 244, 1, 29.90},
        {"no method", 244, 2, -1},
        {"record without supplemental fields", 144, 0, -1},
        {"smallest record with them", 145, 0, 35.00},
    };
    for (const Case& k : cases) {
        Call c(ORLA_OH, date(2026, 4, 10), 26, 2000);
        c.state.recordSize = k.recordSize;
        c.state.stateAllowances = 2;
        c.state.stateSuppWages = 1000;
        c.state.stateSuppAggregate = k.method;
        c.state.stateSuppTax = -1;
        EXPECT_EQ(c.run(), 0u) << k.what;
        EXPECT_NEAR(c.state.stateSuppTax, k.want, 1e-9) << k.what;
        EXPECT_DOUBLE_EQ(c.state.stateTax, 46.13) << k.what;
    }
}

TEST(Ohio, MissingRowsAndPeriods) {
    PayRecord pay{};
    StateRecord state{};
    state.recordSize = sizeof state;
    state.stateWages = 1000;
    state.stateSuppWages = 100;
    // Before the tables neither the withholding row nor the flat supplemental rate exists.
    pay.payDate = date(2023, 6, 1);
    state.statePayPeriods = 26;
    EXPECT_EQ(calcOhio(1, &pay, &state), 1 | 64);
    EXPECT_EQ(state.status, ORLA_STATE_NO_ROW);
    // Without a period count nothing can be annualised.
    state.status = 0;
    pay.payDate = date(2026, 6, 1);
    state.statePayPeriods = 0;
    EXPECT_EQ(calcOhio(1, &pay, &state), 1);
    EXPECT_EQ(state.status, ORLA_STATE_NO_ROW);
}

TEST(Ohio, TableShape) {
    const auto table = ohioWithholdingTable();
    ASSERT_EQ(table.size(), 120u);
    // Block starts: 2026, Oct 2025, Jan 2025, Jul 2024, Jan 2024.
    const std::size_t starts[] = {0, 15, 30, 60, 90};
    const int months[] = {1, 10, 1, 7, 1};
    for (std::size_t i = 0; i < std::size(starts); ++i) {
        EXPECT_EQ(table[starts[i]].from.month, months[i]);
        EXPECT_EQ(table[starts[i]].periods, 52);
    }
    // Telling rows: 2026 annual top bracket; 2024 first-half weekly top; 2025 monthly derived base.
    EXPECT_DOUBLE_EQ(table[14].low, 100000);
    EXPECT_DOUBLE_EQ(table[14].base, 2673.5);
    EXPECT_DOUBLE_EQ(table[95].rate, 0.0441);
    EXPECT_DOUBLE_EQ(table[95].base, 51.78);
    EXPECT_EQ(table[30 + 18 + 5].periods, 12);
    EXPECT_DOUBLE_EQ(table[30 + 18 + 5].base, 224.38);
    EXPECT_DOUBLE_EQ(kOhioExemptionAmounts[2].amount, 27.08);
}

}  // namespace
}  // namespace orla
