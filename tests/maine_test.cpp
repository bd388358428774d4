#include <gtest/gtest.h>


#include "state/calculators.h"
#include "state/maine.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::field;
using testing::makeRecords;
using testing::Records;

Records maineRecords(CalcDate payDate, int periods, double wages, int status = 0, int allowances = 0) {
    Records r = makeRecords(ORLA_ME, payDate, periods, wages);
    r.state.stateFilingStatus = status;
    r.state.stateAllowances = allowances;
    return r;
}

struct TaxCase {
    const char* name;
    CalcDate payDate;
    int periods;
    double wages;
    int status;
    int allowances;
    int option;
    double wantTax;  // whole dollars, halves rounded down
};

TEST(Maine, RegularTaxInWholeDollars) {
    const TaxCase cases[] = {
        // SD = (177,250 - 120,000) / 75,000 x 12,450 = 9,503.50 -> 9,504; (110,496 - 64,850) x 0.0715 + 4,117
        // = 7,380.689 -> 7,380.69 -> 7,381.
        {"phase-out midway", date(2026, 3, 1), 1, 120000, 0, 0, 0, 7381},
        // At the end of the phase-out no deduction is left: (177,250 - 64,850) x 0.0715 + 4,117 = 12,153.6.
        {"phase-out end", date(2026, 3, 1), 1, 177250, 0, 0, 0, 12154},
        {"beyond phase-out", date(2026, 3, 1), 1, 200000, 0, 0, 0, 13780},
        // Married: SD = (354,550 - 250,000) / 150,000 x 27,750 = 19,341.75 -> 19,342; w = 230,658;
        // (230,658 - 129,750) x 0.0715 + 8,237 = 15,451.922 -> 15,452.
        {"married phase-out midway", date(2026, 3, 1), 1, 250000, 1, 0, 0, 15452},
        // Tax 41.499 -> 41.50 -> 41 (a half goes down); 715.7 x 0.058 = 41.5106 -> 41.51 -> 42.
        {"half rounds down", date(2026, 3, 1), 1, 13165.5, 0, 0, 0, 41},
        {"above half rounds up", date(2026, 3, 1), 1, 13165.7, 0, 0, 0, 42},
        // Weekly married, 2 allowances: 52,000 - 10,600 - 27,750 = 13,650 x 0.058 / 52 = 15.225.
        {"weekly married", date(2026, 6, 5), 52, 1000, 1, 2, 0, 15},
        // Single: 52,000 - 10,600 - 12,450 = 28,950; (28,950 - 27,400) x 0.0675 + 1,589 = 1,693.625 / 52 = 32.57.
        {"option 99 takes single rows", date(2026, 6, 5), 52, 1000, 1, 2, 99, 33},
        {"status 5 reads as single", date(2026, 6, 5), 52, 1000, 5, 2, 0, 33},
        {"status 12 reads as single", date(2026, 6, 5), 52, 1000, 12, 2, 0, 33},
        // 2024 single: 52,000 - 5,000 - 11,750 = 35,250; (35,250 - 26,050) x 0.0675 + 1,511 = 2,132 / 52.
        {"2024 rows", date(2024, 6, 5), 52, 1000, 0, 1, 0, 41},
        // 2025 single: 52,000 - 5,150 - 12,150 = 34,700; (34,700 - 26,800) x 0.0675 + 1,554 = 2,087.25 / 52.
        {"2025 rows", date(2025, 6, 5), 52, 1000, 0, 1, 0, 40},
        {"allowances beyond the wages", date(2026, 6, 5), 52, 100, 0, 5, 0, 0},
    };
    for (const TaxCase& c : cases) {
        Records r = maineRecords(c.payDate, c.periods, c.wages, c.status, c.allowances);
        r.state.stateOption = c.option;
        EXPECT_EQ(calcMaine(ORLA_MODE_FULL, &r.pay, &r.state), 0) << c.name;
        EXPECT_DOUBLE_EQ(field(r.state.stateTax), c.wantTax) << c.name;
        EXPECT_EQ(r.state.status, 0) << c.name;
    }
}

TEST(Maine, TableDateIsPayMonthAndDayIn2017) {
    Records r = maineRecords(date(2025, 6, 5), 52, 1000);
    r.state.stateTableDate = date(1999, 1, 1);
    ASSERT_EQ(calcMaine(ORLA_MODE_FULL, &r.pay, &r.state), 0);
    EXPECT_EQ(r.state.stateTableDate.year, 2017);
    EXPECT_EQ(r.state.stateTableDate.month, 6);
    EXPECT_EQ(r.state.stateTableDate.day, 5);
}

TEST(Maine, UnknownStatusHasNoRow) {
    Records r = maineRecords(date(2026, 6, 5), 52, 1000, 3);
    EXPECT_EQ(calcMaine(ORLA_MODE_FULL, &r.pay, &r.state), 1);
    EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
    EXPECT_EQ(field(r.state.stateTax), 0.0);
}

// The annual tax is divided by the pay periods; without a positive count it has no per-pay share.
TEST(Maine, NoPayPeriodsFailsInsteadOfDividingByZero) {
    for (int periods : {0, -26}) {
        Records r = maineRecords(date(2026, 6, 5), periods, 1000);
        EXPECT_EQ(calcMaine(ORLA_MODE_FULL, &r.pay, &r.state), 1) << periods;
        EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
        EXPECT_EQ(field(r.state.stateTax), 0.0);
    }
}

TEST(Maine, SupplementalFlatAndAggregate) {
    Records flat = maineRecords(date(2026, 6, 5), 52, 1000);
    flat.state.stateSuppWages = 1234.56;
    flat.state.stateSuppAggregate = 0;
    EXPECT_EQ(calcMaine(ORLA_MODE_FULL, &flat.pay, &flat.state), 0);
    EXPECT_DOUBLE_EQ(field(flat.state.stateSuppTax), 61.73);  // 61.728

    // Weekly 1,000 plus 2,000: per-pay taxes 2,409.125 / 52 and (152,472 - 64,850) x 0.0715 + 4,117 over 52
    // (SD 3,527.5 -> 3,528); the difference 153.324 is kept in whole dollars.
    Records aggregate = maineRecords(date(2026, 6, 5), 52, 1000);
    aggregate.state.stateSuppWages = 2000;
    aggregate.state.stateSuppAggregate = 1;
    EXPECT_EQ(calcMaine(ORLA_MODE_FULL, &aggregate.pay, &aggregate.state), 0);
    EXPECT_DOUBLE_EQ(field(aggregate.state.stateSuppTax), 153);
    EXPECT_DOUBLE_EQ(field(aggregate.state.stateTax), 46);

    // Any method other than 1 is the flat rate.
    Records other = maineRecords(date(2026, 6, 5), 52, 1000);
    other.state.stateSuppWages = 100;
    other.state.stateSuppAggregate = 7;
    EXPECT_EQ(calcMaine(ORLA_MODE_FULL, &other.pay, &other.state), 0);
    EXPECT_DOUBLE_EQ(field(other.state.stateSuppTax), 5.0);

    // Negative supplemental wages never give a negative aggregate tax.
    Records negative = maineRecords(date(2026, 6, 5), 52, 1000);
    negative.state.stateSuppWages = -500;
    negative.state.stateSuppAggregate = 1;
    negative.state.stateSuppTax = 99;
    EXPECT_EQ(calcMaine(ORLA_MODE_FULL, &negative.pay, &negative.state), 0);
    EXPECT_EQ(field(negative.state.stateSuppTax), 0.0);
}

TEST(Maine, SupplementalWithoutRowsAddsBit64OrFails) {
    Records flat = maineRecords(date(2023, 6, 5), 52, 1000);
    flat.state.stateSuppWages = 100;
    flat.state.stateSuppTax = 7;
    // No regular row in 2023: the calculator stops before the supplemental step.
    EXPECT_EQ(calcMaine(ORLA_MODE_FULL, &flat.pay, &flat.state), 1);
    EXPECT_EQ(field(flat.state.stateSuppTax), 0.0);  // cleared before any lookup

    Records aggregate = maineRecords(date(2023, 6, 5), 52, 1000);
    aggregate.state.stateSuppWages = 100;
    aggregate.state.stateSuppAggregate = 1;
    EXPECT_EQ(calcMaine(ORLA_MODE_FULL, &aggregate.pay, &aggregate.state), 1);
    EXPECT_EQ(field(aggregate.state.stateSuppTax), 0.0);
}

TEST(Maine, SupplementalFieldsNeedSizeAbove144) {
    for (int size : {144, 176}) {
        Records r = maineRecords(date(2026, 6, 5), 52, 1000);
        r.state.recordSize = size;
        r.state.stateSuppWages = 1000;
        r.state.stateSuppTax = -7;
        EXPECT_EQ(calcMaine(ORLA_MODE_FULL, &r.pay, &r.state), 0);
        EXPECT_DOUBLE_EQ(field(r.state.stateSuppTax), size == 144 ? -7.0 : 50.0) << size;
        EXPECT_DOUBLE_EQ(field(r.state.stateTax), 46) << size;
    }
}

TEST(Maine, YearFallbackThroughTheDriver) {
    Records base = maineRecords(date(2026, 6, 5), 52, 1000);
    ASSERT_EQ(ORLA_Calc(ORLA_MODE_FULL, &base.pay, &base.state), 0u);

    Records later = maineRecords(date(2027, 6, 5), 52, 1000);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &later.pay, &later.state), 0u);
    EXPECT_EQ(field(later.state.stateTax), field(base.state.stateTax));
    EXPECT_EQ(later.state.status, 0);
    EXPECT_EQ(later.pay.payDate.year, 2027);

    Records beyond = maineRecords(date(2028, 6, 5), 52, 1000);
    beyond.state.stateExtraWithholding = 3;
    EXPECT_NE(ORLA_Calc(ORLA_MODE_FULL, &beyond.pay, &beyond.state) & ORLA_FLAG_STATE, 0u);
    EXPECT_EQ(beyond.state.status, ORLA_STATE_NO_ROW);
    EXPECT_DOUBLE_EQ(field(beyond.state.stateTax), 3.0);
}

TEST(Maine, TablesHoldTheirRows) {
    const auto rates = maineRateTable();
    ASSERT_EQ(rates.size(), 18u);
    EXPECT_EQ(rates[0].from.year, 2026);
    EXPECT_EQ(rates[17].from.year, 2024);
    // 2026 married top bracket: open, from 129,750 with base 8,237 at 7.15 %.
    const MaineRateRow& top = rates[5];
    EXPECT_EQ(top.status, 1);
    EXPECT_EQ(top.low, 129750);
    EXPECT_EQ(top.high, 0);
    EXPECT_EQ(top.base, 8237);
    EXPECT_EQ(top.rate, 0.0715);
    EXPECT_EQ(top.phaseOutStart, 204550);
    EXPECT_EQ(top.phaseOutWidth, 150000);
    // 2024 single middle bracket.
    EXPECT_EQ(rates[13].low, 26050);
    EXPECT_EQ(rates[13].high, 61600);
    EXPECT_EQ(rates[13].base, 1511);
    EXPECT_EQ(rates[13].allowance, 5000);
    EXPECT_EQ(maineSupplementalRateTable().size(), 3u);
}

}  // namespace
}  // namespace orla
