#include <gtest/gtest.h>

#include "state/calculators.h"
#include "state/hawaii.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::calcFull;
using testing::kUntouched;
using testing::makeRecords;
using testing::Records;
using testing::sameDate;
using testing::WorkedPay;

TEST(Hawaii, WorkedPays) {
    const WorkedPay cases[] = {
        // 52,000 - 1,144 - 1,650 = 49,206; (49,206 - 48,000) x 0.076 + 2,539 = 2,630.656; / 26
        {"2026 single biweekly", date(2026, 3, 6), 26, 0, 1, 2000, 101.18, date(2026, 1, 1)},
        // 2024 has no deduction: 50,856 in the top bracket: (14,856 x 0.079 + 2,266) / 26
        {"2024 single biweekly", date(2024, 3, 8), 26, 0, 1, 2000, 132.29, date(2024, 1, 1)},
        // 60,000 - 2,288 - 1,650 = 56,062: (8,062 x 0.068 + 1,718) / 12
        {"2025 married monthly", date(2025, 5, 30), 12, 1, 2, 5000, 188.85, date(2025, 1, 1)},
        // Statuses 2 and 12 take the single rows.
        {"head of household as single", date(2026, 3, 6), 26, 2, 1, 2000, 101.18, date(2026, 1, 1)},
        {"status 12 as single", date(2026, 3, 6), 26, 12, 1, 2000, 101.18, date(2026, 1, 1)},
        // Allowances beyond the wages leave nothing taxable.
        {"allowances exceed wages", date(2026, 3, 6), 26, 0, 40, 1000, 0.0, date(2026, 1, 1)},
    };
    for (const WorkedPay& c : cases) {
        Records r = testing::workedPayRecords(ORLA_HI, c);
        r.pay.stateTaxableIncome = -1;
        testing::expectWorkedPay(r, c);
        // Only an annual payroll reports its taxable amount.
        EXPECT_EQ(r.pay.stateTaxableIncome, -1) << c.name;
    }
}

// Annual payroll, 2026 single: the upper bound of a bracket is inclusive, the lower exclusive.
TEST(Hawaii, AnnualBracketBounds) {
    struct Case {
        double wages;
        double wantTax;
        int wantTaxable;
    };
    const Case cases[] = {
        {11250.00, 134.40, 9600},  // 9,600 taxable: still the first bracket
        {11250.01, 134.00, 9600},  // 9,600.01: second bracket, whose base is the table's 134
        {1650.00, 0.00, 0},
        {100.00, 0.00, 0},  // below the deduction: raised to 0
    };
    for (const Case& c : cases) {
        Records r = makeRecords(ORLA_HI, date(2026, 12, 15), 1, c.wages);
        EXPECT_EQ(calcFull(r), 0u);
        EXPECT_DOUBLE_EQ(r.state.stateTax, c.wantTax) << c.wages;
        EXPECT_EQ(r.pay.stateTaxableIncome, c.wantTaxable) << c.wages;
    }
}

TEST(Hawaii, ExemptStatusesWriteNothingElse) {
    for (int exempt : {13, 14}) {
        Records r = makeRecords(ORLA_HI, date(2026, 4, 10), 26, 5000);
        r.state.stateFilingStatus = exempt;
        r.state.stateSuppWages = 1000;
        r.state.stateSuppTax = kUntouched;
        r.state.stateExtraWithholding = 5;
        EXPECT_EQ(calcFull(r), 0u);
        EXPECT_EQ(r.state.status, 0);
        EXPECT_DOUBLE_EQ(r.state.stateTax, 5.0);
        EXPECT_DOUBLE_EQ(r.state.stateSuppTax, 0.0);  // the driver clears it
        EXPECT_TRUE(sameDate(r.state.stateTableDate, date(2017, 4, 10)));
    }
}

TEST(Hawaii, UnknownStatusFindsNoRow) {
    Records r = makeRecords(ORLA_HI, date(2026, 4, 10), 26, 2000);
    r.state.stateFilingStatus = 3;
    EXPECT_EQ(calcHawaii(ORLA_MODE_FULL, &r.pay, &r.state), 1);
    EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
    EXPECT_EQ(calcFull(r) & ORLA_FLAG_STATE, static_cast<unsigned>(ORLA_FLAG_STATE));
}

// The supplemental wages are annualised with the wages, whatever the method asked for.
TEST(Hawaii, SupplementalAlwaysAggregate) {
    for (int method : {0, 1, 2}) {
        Records r = makeRecords(ORLA_HI, date(2026, 3, 6), 26, 2000);
        r.state.stateAllowances = 1;
        r.state.stateSuppWages = 1000;
        r.state.stateSuppAggregate = method;
        EXPECT_EQ(calcFull(r), 0u);
        // (75,206 - 48,000) x 0.076 + 2,539 = 4,606.656 a year against 2,630.656: 1,976 / 26
        EXPECT_DOUBLE_EQ(r.state.stateSuppTax, 76.00) << method;
        EXPECT_DOUBLE_EQ(r.state.stateTax, 101.18) << method;
    }
}

TEST(Hawaii, SupplementalGate) {
    for (int size : {144, 176}) {
        Records r = makeRecords(ORLA_HI, date(2026, 3, 6), 26, 2000);
        r.state.recordSize = size;
        r.state.stateAllowances = 1;
        r.state.stateSuppWages = 1000;
        r.state.stateSuppTax = kUntouched;
        EXPECT_EQ(calcFull(r), 0u);
        EXPECT_DOUBLE_EQ(r.state.stateSuppTax, size > 144 ? 76.00 : kUntouched) << size;
    }
}

TEST(Hawaii, YearFallback) {
    Records r = makeRecords(ORLA_HI, date(2027, 3, 5), 26, 2000);
    r.state.stateAllowances = 1;
    EXPECT_EQ(calcFull(r), 0u);
    EXPECT_DOUBLE_EQ(r.state.stateTax, 101.18);
    EXPECT_TRUE(sameDate(r.state.stateTableDate, date(2026, 1, 1)));

    Records late = makeRecords(ORLA_HI, date(2028, 3, 5), 26, 2000);
    EXPECT_NE(calcFull(late) & ORLA_FLAG_STATE, 0u);
    EXPECT_EQ(late.state.status, ORLA_STATE_NO_ROW);
}

// Without a positive period count nothing can be annualised: a failure, not a division by zero.
TEST(Hawaii, NoPeriodsFails) {
    Records r = makeRecords(ORLA_HI, date(2026, 3, 6), 26, 2000);
    r.state.statePayPeriods = 0;
    EXPECT_EQ(calcHawaii(ORLA_MODE_FULL, &r.pay, &r.state), 1);
    EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
    EXPECT_DOUBLE_EQ(r.state.stateTax, 0.0);
    EXPECT_DOUBLE_EQ(r.state.stateSuppTax, 0.0);
}

TEST(Hawaii, Table) {
    const auto rows = hawaiiTable();
    ASSERT_EQ(rows.size(), 48u);
    EXPECT_TRUE(sameDate(rows[0].from, date(2026, 1, 1)));
    EXPECT_DOUBLE_EQ(rows[0].deduction, 1650);
    EXPECT_DOUBLE_EQ(rows[15].low, 250000);  // 2026 married top bracket
    EXPECT_DOUBLE_EQ(rows[15].base, 16782);
    EXPECT_DOUBLE_EQ(rows[15].rate, 0.079);
    EXPECT_EQ(rows[15].high, 0);
    const HawaiiRow& last = rows[47];  // 2024 married top bracket
    EXPECT_TRUE(sameDate(last.from, date(2024, 1, 1)));
    EXPECT_EQ(last.status, 1);
    EXPECT_DOUBLE_EQ(last.deduction, 0);
    EXPECT_DOUBLE_EQ(last.low, 72000);
    EXPECT_DOUBLE_EQ(last.base, 4531);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].periods, 1);
        EXPECT_DOUBLE_EQ(rows[i].allowance, 1144);
        if (i % 8 != 7) {
            EXPECT_DOUBLE_EQ(rows[i].high, rows[i + 1].low) << i;
        }
    }
}

}  // namespace
}  // namespace orla
