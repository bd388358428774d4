#include <gtest/gtest.h>

#include "state/calculators.h"
#include "state/idaho.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::calcFull;
using testing::kUntouched;
using testing::makeRecords;
using testing::Records;
using testing::sameDate;
using testing::WorkedPay;

TEST(Idaho, WorkedPays) {
    const WorkedPay cases[] = {
        // 1,000 - 148.77 = 851.23; (851.23 - 577) x 0.053 = 14.53, whole dollars
        {"2026 single biweekly", date(2026, 2, 13), 26, 0, 1, 1000, 15, date(2026, 1, 1)},
        {"semimonthly married at the threshold", date(2026, 2, 13), 24, 1, 0, 1250, 0, date(2026, 1, 1)},
        {"semimonthly married above it", date(2026, 2, 13), 24, 1, 0, 1260, 1, date(2026, 1, 1)},
        {"head of household as single", date(2026, 2, 13), 26, 2, 1, 1000, 15, date(2026, 1, 1)},
        {"status 12 as single", date(2026, 2, 13), 26, 12, 1, 1000, 15, date(2026, 1, 1)},
        // The rate and thresholds change on 1 June 2025 and 1 July 2024.
        {"31 May 2025", date(2025, 5, 31), 26, 0, 0, 1000, 25, date(2025, 1, 1)},   // 438 x 0.05695
        {"1 June 2025", date(2025, 6, 1), 26, 0, 0, 1000, 22, date(2025, 6, 1)},    // 423 x 0.053
        {"30 June 2024", date(2024, 6, 30), 26, 0, 0, 1000, 27, date(2024, 1, 1)},  // 467 x 0.058
        {"1 July 2024", date(2024, 7, 1), 26, 0, 0, 1000, 25, date(2024, 7, 1)},    // 438 x 0.05695
        // Quarterly: the annual row. (20,000 - 3,868 - 15,000) x 0.053 = 59.996 -> 60.00; / 4 = 15
        {"quarterly", date(2026, 3, 31), 4, 0, 1, 5000, 15, date(2026, 1, 1)},
        // Semiannual: (15,018.80 - 15,000) x 0.053 = 0.9964 is rounded to 1.00 before the division,
        // so the half dollar rounds up; unrounded it would be 0.4982 and give 0.
        {"annual product in cents first", date(2026, 6, 30), 2, 0, 0, 7509.40, 1, date(2026, 1, 1)},
    };
    for (const WorkedPay& c : cases) {
        Records r = testing::workedPayRecords(ORLA_ID, c);
        testing::expectWorkedPay(r, c);
    }
}

struct SuppCase {
    const char* name;
    CalcDate payDate;
    int method;
    double suppWages;
    double want;  // kUntouched: not written
};

TEST(Idaho, Supplemental) {
    const SuppCase cases[] = {
        // Wages and bonus together: (1,351.23 - 577) x 0.053 = 41.03 -> 41, less the 15 of the wages
        {"aggregate", date(2026, 2, 13), 1, 500, 26},
        {"flat 2026", date(2026, 2, 13), 0, 500, 27},  // 26.50 rounds up
        {"flat early 2025", date(2025, 3, 14), 0, 500, 28},  // 28.475
        {"flat early 2024", date(2024, 3, 15), 0, 500, 29},
        {"other method: the driver's 0 stands", date(2026, 2, 13), 2, 500, 0},
    };
    for (const SuppCase& c : cases) {
        Records r = makeRecords(ORLA_ID, c.payDate, 26, 1000);
        r.state.stateAllowances = 1;
        r.state.stateSuppWages = c.suppWages;
        r.state.stateSuppAggregate = c.method;
        r.state.stateSuppTax = kUntouched;
        EXPECT_EQ(calcFull(r), 0u) << c.name;
        EXPECT_DOUBLE_EQ(r.state.stateSuppTax, c.want) << c.name;
    }
}

// The aggregate difference is not negative even when the annual cents rounding made the wages' tax
// larger than the unrounded repeat.
TEST(Idaho, AggregateNotNegative) {
    Records r = makeRecords(ORLA_ID, date(2026, 6, 30), 2, 7509.40);
    r.state.stateSuppAggregate = 1;
    r.state.stateSuppWages = 0.001;
    EXPECT_EQ(calcFull(r), 0u);
    EXPECT_DOUBLE_EQ(r.state.stateTax, 1);
    EXPECT_DOUBLE_EQ(r.state.stateSuppTax, 0);
}

TEST(Idaho, SupplementalGate) {
    for (int size : {144, 176}) {
        Records r = makeRecords(ORLA_ID, date(2026, 2, 13), 26, 1000);
        r.state.recordSize = size;
        r.state.stateSuppWages = 500;
        r.state.stateSuppTax = kUntouched;
        EXPECT_EQ(calcFull(r), 0u);
        EXPECT_DOUBLE_EQ(r.state.stateSuppTax, size > 144 ? 27 : kUntouched) << size;
    }
}

// Before 2024 neither the rate rows nor the supplemental rates exist.
TEST(Idaho, MissingRowsReported) {
    Records r = makeRecords(ORLA_ID, date(2023, 6, 1), 26, 1000);
    r.state.stateSuppWages = 100;
    r.state.stateSuppTax = kUntouched;
    // No rate row: the calculator stops there, before the supplemental step.
    EXPECT_EQ(calcIdaho(ORLA_MODE_FULL, &r.pay, &r.state), 1);
    EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
    EXPECT_DOUBLE_EQ(r.state.stateSuppTax, kUntouched);

    Records other = makeRecords(ORLA_ID, date(2026, 2, 13), 26, 1000);
    other.state.stateFilingStatus = 3;
    EXPECT_EQ(calcIdaho(ORLA_MODE_FULL, &other.pay, &other.state), 1);
    EXPECT_EQ(other.state.status, ORLA_STATE_NO_ROW);
}

TEST(Idaho, YearFallback) {
    Records r = makeRecords(ORLA_ID, date(2027, 2, 12), 26, 1000);
    r.state.stateAllowances = 1;
    r.state.stateSuppWages = 500;
    EXPECT_EQ(calcFull(r), 0u);
    EXPECT_DOUBLE_EQ(r.state.stateTax, 15);
    EXPECT_DOUBLE_EQ(r.state.stateSuppTax, 27);
    EXPECT_TRUE(sameDate(r.state.stateTableDate, date(2026, 1, 1)));

    Records late = makeRecords(ORLA_ID, date(2028, 2, 11), 26, 1000);
    EXPECT_NE(calcFull(late) & ORLA_FLAG_STATE, 0u);
    EXPECT_EQ(late.state.status, ORLA_STATE_NO_ROW);
}

TEST(Idaho, NoPeriodsFails) {
    Records r = makeRecords(ORLA_ID, date(2026, 2, 13), 26, 1000);
    r.state.statePayPeriods = -26;
    EXPECT_EQ(calcIdaho(ORLA_MODE_FULL, &r.pay, &r.state) & 1, 1);
    EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
    EXPECT_DOUBLE_EQ(r.state.stateTax, 0.0);
}

TEST(Idaho, Tables) {
    const auto rates = idahoRateTable();
    ASSERT_EQ(rates.size(), 100u);
    // 2026 single weekly: a zero bracket to 288 and 5.3 % above it.
    EXPECT_DOUBLE_EQ(rates[0].allowance, 74.38);
    EXPECT_DOUBLE_EQ(rates[0].high, 288);
    EXPECT_DOUBLE_EQ(rates[1].low, 288);
    EXPECT_DOUBLE_EQ(rates[1].rate, 0.053);
    // 2026 married annual, last of its range.
    EXPECT_EQ(rates[19].status, 1);
    EXPECT_EQ(rates[19].periods, 1);
    EXPECT_DOUBLE_EQ(rates[19].allowance, 3868);
    EXPECT_DOUBLE_EQ(rates[19].low, 30000);
    // The first half of 2024 closes the table.
    const BracketRow& last = rates[99];
    EXPECT_TRUE(sameDate(last.from, date(2024, 1, 1)));
    EXPECT_TRUE(sameDate(last.to, date(2024, 6, 30)));
    EXPECT_DOUBLE_EQ(last.allowance, 3534);
    EXPECT_DOUBLE_EQ(last.low, 27700);
    EXPECT_DOUBLE_EQ(last.rate, 0.058);

    const auto supp = idahoSupplementalTable();
    ASSERT_EQ(supp.size(), 5u);
    EXPECT_TRUE(sameDate(supp[1].from, date(2025, 6, 1)));
    EXPECT_DOUBLE_EQ(supp[3].rate, 0.05695);
    EXPECT_DOUBLE_EQ(supp[4].rate, 0.058);
}

}  // namespace
}  // namespace orla
