#include <gtest/gtest.h>

#include "state/calculators.h"
#include "state/illinois.h"
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
    int basic;
    int additional;
    double wages;
    double wantTax;
    CalcDate wantTableDate;
};

TEST(Illinois, WorkedPays) {
    const TaxCase cases[] = {
        // No 2026 row: the 2025 row through the year fallback, without a flag.
        // (52,000 - 2,850 - 1,000) x 0.0495 / 26
        {"2026 biweekly", date(2026, 5, 1), 26, 1, 1, 2000, 91.67, date(2025, 1, 1)},
        {"2025 biweekly", date(2025, 5, 2), 26, 1, 1, 2000, 91.67, date(2025, 1, 1)},
        // (52,000 - 2,775) x 0.0495 / 26
        {"2024 biweekly", date(2024, 5, 3), 26, 1, 0, 2000, 93.72, date(2024, 1, 1)},
        // Annual payroll, the row directly: (50,000 - 5,700) x 0.0495
        {"2025 annual", date(2025, 12, 31), 1, 2, 0, 50000, 2192.85, date(2025, 1, 1)},
        {"allowances exceed wages", date(2025, 5, 2), 26, 10, 10, 500, 0.0, date(2025, 1, 1)},
    };
    for (const TaxCase& c : cases) {
        Records r = makeRecords(ORLA_IL, c.payDate, c.periods, c.wages);
        r.state.stateAllowances = c.basic;
        r.state.stateAdditionalAllowances = c.additional;
        EXPECT_EQ(calcFull(r), 0u) << c.name;
        EXPECT_EQ(r.state.status, 0) << c.name;
        EXPECT_DOUBLE_EQ(r.state.stateTax, c.wantTax) << c.name;
        EXPECT_TRUE(sameDate(r.state.stateTableDate, c.wantTableDate)) << c.name;
    }
}

// The calculator itself has no 2026 row; the driver's fallback is what serves 2026.
TEST(Illinois, No2026Row) {
    Records r = makeRecords(ORLA_IL, date(2026, 5, 1), 26, 2000);
    EXPECT_EQ(calcIllinois(ORLA_MODE_FULL, &r.pay, &r.state), 1);
    EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
    EXPECT_TRUE(sameDate(r.state.stateTableDate, date(2017, 5, 1)));
}

// A 2027 pay falls back to 2026, which has no row either.
TEST(Illinois, YearsAfter2026Fail) {
    for (int year : {2027, 2028}) {
        Records r = makeRecords(ORLA_IL, date(year, 5, 7), 26, 2000);
        EXPECT_NE(calcFull(r) & ORLA_FLAG_STATE, 0u) << year;
        EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW) << year;
        EXPECT_DOUBLE_EQ(r.state.stateTax, 0.0) << year;
    }
}

// The supplemental wages join the annualised wages, whatever the method asked for.
TEST(Illinois, SupplementalAlwaysAggregate) {
    for (int method : {0, 1, 2}) {
        Records r = makeRecords(ORLA_IL, date(2025, 5, 2), 26, 2000);
        r.state.stateAllowances = 1;
        r.state.stateSuppWages = 1000;
        r.state.stateSuppAggregate = method;
        EXPECT_EQ(calcFull(r), 0u);
        EXPECT_NEAR(r.state.stateSuppTax, 49.50, 1e-9) << method;  // 26,000 x 0.0495 / 26
    }
    // Allowances beyond the wages absorb part of the bonus too.
    Records low = makeRecords(ORLA_IL, date(2025, 5, 2), 26, 0);
    low.state.stateAllowances = 1;
    low.state.stateSuppWages = 200;  // 5,200 a year against 2,850 of allowances
    EXPECT_EQ(calcFull(low), 0u);
    EXPECT_DOUBLE_EQ(low.state.stateTax, 0.0);
    EXPECT_DOUBLE_EQ(low.state.stateSuppTax, 4.47);  // 2,350 x 0.0495 / 26 = 4.474
}

TEST(Illinois, SupplementalGate) {
    for (int size : {144, 176}) {
        Records r = makeRecords(ORLA_IL, date(2025, 5, 2), 26, 2000);
        r.state.recordSize = size;
        r.state.stateAllowances = 1;
        r.state.stateSuppWages = 1000;
        r.state.stateSuppTax = kUntouched;
        EXPECT_EQ(calcFull(r), 0u);
        EXPECT_DOUBLE_EQ(r.state.stateSuppTax, size > 144 ? 49.50 : kUntouched) << size;
    }
}

TEST(Illinois, NoPeriodsFails) {
    Records r = makeRecords(ORLA_IL, date(2025, 5, 2), 26, 2000);
    r.state.statePayPeriods = 0;
    EXPECT_EQ(calcIllinois(ORLA_MODE_FULL, &r.pay, &r.state), 1);
    EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
    EXPECT_DOUBLE_EQ(r.state.stateTax, 0.0);
}

TEST(Illinois, Table) {
    const auto rows = illinoisTable();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(sameDate(rows[0].from, date(2025, 1, 1)));
    EXPECT_DOUBLE_EQ(rows[0].basicAllowance, 2850);
    EXPECT_DOUBLE_EQ(rows[1].basicAllowance, 2775);
    for (const IllinoisRow& row : rows) {
        EXPECT_DOUBLE_EQ(row.additionalAllowance, 1000);
        EXPECT_DOUBLE_EQ(row.rate, 0.0495);
        EXPECT_EQ(row.periods, 1);
    }
}

}  // namespace
}  // namespace orla
