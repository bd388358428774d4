#include <gtest/gtest.h>

#include "state/calculators.h"
#include "state/kansas.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::calcFull;
using testing::kUntouched;
using testing::makeRecords;
using testing::Records;
using testing::sameDate;
using testing::WorkedPay;

TEST(Kansas, WorkedPays) {
    const WorkedPay cases[] = {
        // Half of the married exemption with one allowance: 3,000 - 352.31 = 2,647.69;
        // (2,647.69 - 2,086) x 0.0558 + 92 = 123.34, whole dollars
        {"married one allowance", date(2026, 1, 16), 26, 1, 1, 3000, 123, date(2026, 1, 1)},
        {"married two allowances", date(2026, 1, 16), 26, 1, 2, 3000, 104, date(2026, 1, 1)},  // 2,295.38
        {"married no allowance", date(2026, 1, 16), 26, 1, 0, 3000, 143, date(2026, 1, 1)},    // 3,000
        // Single with no allowance: no personal exemption. (1,000 - 139) x 0.052 = 44.77
        {"single no allowance", date(2025, 1, 17), 26, 0, 0, 1000, 45, date(2025, 1, 1)},
        // Two dependents: 2,000 - 352.31 - 2 x 89.23 = 1,469.23; (446.23 x 0.0558) + 46 = 70.90
        {"single with dependents", date(2026, 1, 16), 26, 0, 3, 2000, 71, date(2026, 1, 1)},
        {"head of household like single", date(2026, 1, 16), 26, 2, 3, 2000, 71, date(2026, 1, 1)},
        // The rules change between 28 and 29 July 2024.
        // Old: 1,000 - 86.54 = 913.46; (201.46 x 0.0525) + 17.88 = 28.46
        {"28 July 2024", date(2024, 7, 28), 26, 0, 1, 1000, 28, date(2024, 1, 1)},
        // New: 1,000 - 352.31 = 647.69; 508.69 x 0.052 = 26.45
        {"29 July 2024", date(2024, 7, 29), 26, 0, 1, 1000, 26, date(2024, 7, 29)},
        // Old rules: allowances of a fixed amount, married rows: 2,000 - 2 x 86.54 = 1,826.92;
        // (364.92 x 0.0525) + 35.77 = 54.93
        {"old rules married", date(2024, 3, 1), 26, 1, 2, 2000, 55, date(2024, 1, 1)},
        // Annual married above 54,240: 80,000 - 18,320 = 61,680; 7,440 x 0.0558 + 2,392 = 2,807.15
        {"annual married top bracket", date(2026, 12, 18), 1, 1, 2, 80000, 2807, date(2026, 1, 1)},
        // Daily pay: the annual rows and the annual dependent amount:
        // 52,000 - 9,160 - 2,320 = 40,520; (13,915 x 0.0558 + 1,196) / 260 = 7.59
        {"daily", date(2026, 6, 5), 260, 0, 2, 200, 8, date(2026, 1, 1)},
        // Old rules, daily pay: the annual rows with the annual allowance of 2,250:
        // 52,000 - 2,250 = 49,750; ((49,750 - 33,500) x 0.057 + 1,252.50) / 260 = 8.38
        {"old rules daily", date(2024, 3, 1), 260, 0, 1, 200, 8, date(2024, 1, 1)},
        // Old rules, quarterly married: 10,000 - 2 x 562.50 = 8,875; (8,875 - 2,000) x 0.031 = 213.13
        {"old rules quarterly", date(2024, 3, 29), 4, 1, 2, 10000, 213, date(2024, 1, 1)},
    };
    for (const WorkedPay& c : cases) {
        Records r = testing::workedPayRecords(ORLA_KS, c);
        testing::expectWorkedPay(r, c);
    }
}

struct SuppCase {
    const char* name;
    int size;
    int method;
    double suppWages;
    double want;  // kUntouched: not written
};

// Married biweekly 3,000 with one allowance; the tax of the wages alone is 123.34.
TEST(Kansas, SupplementalAndWholeDollars) {
    const SuppCase cases[] = {
        // 3,647.69: (1,561.69 x 0.0558 + 92) = 179.14, less 123.34 = 55.80, whole dollars
        {"aggregate", 244, 1, 1000, 56},
        {"flat", 244, 0, 1010, 51},        // 50.50 rounds up
        {"flat below half", 244, 0, 1001, 50},  // 50.05
        // No method computes it: the 0 the driver set stands.
        {"other method", 244, 2, 1000, 0},
        {"record of 144", 144, 1, 1000, kUntouched},
        {"record of 176", 176, 1, 1000, 56},
    };
    for (const SuppCase& c : cases) {
        Records r = makeRecords(ORLA_KS, date(2026, 1, 16), 26, 3000);
        r.state.recordSize = c.size;
        r.state.stateFilingStatus = 1;
        r.state.stateAllowances = 1;
        r.state.stateSuppWages = c.suppWages;
        r.state.stateSuppAggregate = c.method;
        r.state.stateSuppTax = kUntouched;
        EXPECT_EQ(calcFull(r), 0u) << c.name;
        EXPECT_DOUBLE_EQ(r.state.stateTax, 123) << c.name;
        EXPECT_DOUBLE_EQ(r.state.stateSuppTax, c.want) << c.name;
    }
}

// The last step rounds both results to whole dollars, also a supplemental tax that no method computed
// (here one left in the record), as it does when the flat rate has no row.
TEST(Kansas, SupplementalTaxAlwaysWholeDollars) {
    const struct {
        double left;
        double want;
    } cases[] = {{12.34, 12}, {12.5, 13}, {12.49, 12}};
    for (const auto& c : cases) {
        Records r = makeRecords(ORLA_KS, date(2026, 1, 16), 26, 3000);
        r.state.stateSuppAggregate = 7;
        r.state.stateSuppTax = c.left;
        EXPECT_EQ(calcKansas(ORLA_MODE_FULL, &r.pay, &r.state), 0);
        EXPECT_DOUBLE_EQ(double{r.state.stateSuppTax}, c.want) << c.left;
    }
    Records noRow = makeRecords(ORLA_KS, date(2023, 6, 2), 26, 1000);
    noRow.state.stateSuppAggregate = 0;
    noRow.state.stateSuppTax = 12.34;
    // No rate row: the calculator stops before the supplemental step.
    EXPECT_EQ(calcKansas(ORLA_MODE_FULL, &noRow.pay, &noRow.state), 1);
    EXPECT_DOUBLE_EQ(double{noRow.state.stateSuppTax}, 12.34);
}

TEST(Kansas, UnknownStatusFindsNoRow) {
    Records r = makeRecords(ORLA_KS, date(2026, 1, 16), 26, 3000);
    r.state.stateFilingStatus = 3;
    EXPECT_EQ(calcKansas(ORLA_MODE_FULL, &r.pay, &r.state), 1);
    EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
}

TEST(Kansas, MissingRowsReported) {
    Records r = makeRecords(ORLA_KS, date(2023, 6, 2), 26, 1000);
    r.state.stateSuppWages = 100;
    EXPECT_EQ(calcKansas(ORLA_MODE_FULL, &r.pay, &r.state), 1);
    EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
}

TEST(Kansas, YearFallback) {
    Records r = makeRecords(ORLA_KS, date(2027, 1, 15), 26, 3000);
    r.state.stateFilingStatus = 1;
    r.state.stateAllowances = 1;
    EXPECT_EQ(calcFull(r), 0u);
    EXPECT_DOUBLE_EQ(r.state.stateTax, 123);
    EXPECT_TRUE(sameDate(r.state.stateTableDate, date(2026, 1, 1)));

    Records late = makeRecords(ORLA_KS, date(2028, 1, 14), 26, 3000);
    EXPECT_NE(calcFull(late) & ORLA_FLAG_STATE, 0u);
    EXPECT_EQ(late.state.status, ORLA_STATE_NO_ROW);
}

// Extreme allowance counts neither overflow nor leave the tax negative.
TEST(Kansas, ExtremeAllowances) {
    for (int allowances : {INT_MIN, -1, INT_MAX}) {
        Records r = makeRecords(ORLA_KS, date(2026, 1, 16), 26, 3000);
        r.state.stateFilingStatus = 1;
        r.state.stateAllowances = allowances;
        EXPECT_EQ(calcFull(r), 0u) << allowances;
        EXPECT_GE(r.state.stateTax, 0.0) << allowances;
    }
}

TEST(Kansas, NoPeriodsFails) {
    Records r = makeRecords(ORLA_KS, date(2026, 1, 16), 26, 3000);
    r.state.statePayPeriods = 0;
    EXPECT_EQ(calcKansas(ORLA_MODE_FULL, &r.pay, &r.state), 1);
    EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
    EXPECT_DOUBLE_EQ(r.state.stateTax, 0.0);
}

TEST(Kansas, Tables) {
    const auto rates = kansasRateTable();
    ASSERT_EQ(rates.size(), 273u);
    // 2026 status 1 annual, the top bracket closes the first range (63 rows per new-rule range).
    const BracketRow& top = rates[62];
    EXPECT_EQ(top.status, 1);
    EXPECT_EQ(top.periods, 1);
    EXPECT_DOUBLE_EQ(top.allowance, 18320);
    EXPECT_DOUBLE_EQ(top.low, 54240);
    EXPECT_DOUBLE_EQ(top.base, 2392);
    EXPECT_DOUBLE_EQ(top.rate, 0.0558);
    // The new rules of 2024 start on 29 July; the old rules follow with four brackets.
    EXPECT_TRUE(sameDate(rates[126].from, date(2024, 7, 29)));
    const BracketRow& oldFirst = rates[189];
    EXPECT_TRUE(sameDate(oldFirst.to, date(2024, 7, 28)));
    EXPECT_DOUBLE_EQ(oldFirst.allowance, 43.27);
    EXPECT_DOUBLE_EQ(oldFirst.high, 67);
    const BracketRow& oldLast = rates[272];  // status 1 annual, top bracket
    EXPECT_EQ(oldLast.status, 1);
    EXPECT_DOUBLE_EQ(oldLast.low, 68000);
    EXPECT_DOUBLE_EQ(oldLast.base, 2505);
    EXPECT_DOUBLE_EQ(oldLast.rate, 0.057);

    const auto dependents = kansasDependentTable();
    ASSERT_EQ(dependents.size(), 21u);
    EXPECT_DOUBLE_EQ(dependents[1].amount, 89.23);
    EXPECT_TRUE(sameDate(dependents[20].from, date(2024, 7, 29)));
    EXPECT_DOUBLE_EQ(dependents[20].amount, 2320);

    const auto supp = kansasSupplementalTable();
    ASSERT_EQ(supp.size(), 3u);
    for (const KansasSupplementalRow& row : supp) EXPECT_DOUBLE_EQ(row.rate, 0.05);
}

}  // namespace
}  // namespace orla
