#include <gtest/gtest.h>

#include "test_records.h"

namespace orla {
namespace {

using Call = testing::SentinelCall;
using testing::kUntouched;
using testing::sameDate;

// ---- District of Columbia ------------------------------------------------------------------------

TEST(DistrictOfColumbia, AnnualRowsLessAllowances) {
    struct {
        const char* name;
        int filing;
        int allowances;
        int periods;
        double wages;
        double want;
    } const cases[] = {
        // 52,000 - 4,150 = 47,850: (47,850 - 40,000) x 0.065 + 2,200 = 2,710.25 a year.
        {"single biweekly", 0, 1, 26, 2000, 2710.25 / 26},
        {"status 3 as single", 3, 1, 26, 2000, 2710.25 / 26},
        {"married annual payroll", 1, 0, 1, 60000, 3500},
        {"allowances above wages", 0, 20, 26, 2000, 0},
        {"top bracket", 2, 0, 1, 1200000, 91525 + 200000 * 0.1075},
    };
    for (const auto& c : cases) {
        Call call(ORLA_DC, date(2026, 8, 14), c.periods, c.wages);
        call.state.stateFilingStatus = c.filing;
        call.state.stateAllowances = c.allowances;
        EXPECT_EQ(call.run(calcDistrictOfColumbia), 0) << c.name;
        EXPECT_NEAR(call.state.stateTax, c.want, 1e-9) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, date(2026, 1, 1))) << c.name;
    }
}

TEST(DistrictOfColumbia, DriverRoundsTheWorkedExample) {
    Call call(ORLA_DC, date(2026, 8, 14), 26, 2000);
    call.state.stateAllowances = 1;
    EXPECT_EQ(call.driver(), 0u);
    EXPECT_DOUBLE_EQ(call.state.stateTax, 104.24);
}

TEST(DistrictOfColumbia, SupplementalAlwaysByTheBrackets) {
    struct {
        const char* name;
        int recordSize;
        int method;
        double want;
    } const cases[] = {
        // 52,000 - 4,150 + 26,000 = 73,850: 4,677.25 a year, less 2,710.25, per pay.
        {"aggregate asked", sizeof(StateRecord), 1, 75.65},
        {"flat asked", sizeof(StateRecord), 0, 75.65},
        {"record without supplemental fields", 144, 1, kUntouched},
    };
    for (const auto& c : cases) {
        Call call(ORLA_DC, date(2025, 8, 14), 26, 2000);
        call.state.recordSize = c.recordSize;
        call.state.stateAllowances = 1;
        call.state.stateSuppWages = 1000;
        call.state.stateSuppAggregate = c.method;
        EXPECT_EQ(call.run(calcDistrictOfColumbia), 0) << c.name;
        EXPECT_EQ(+call.state.stateSuppTax, c.want) << c.name;
    }
}

TEST(DistrictOfColumbia, NoRowForStatusOrPeriods) {
    Call call(ORLA_DC, date(2026, 8, 14), 26, 2000);
    call.state.stateFilingStatus = 4;
    call.state.stateSuppWages = 500;
    EXPECT_EQ(call.run(calcDistrictOfColumbia), 1);
    EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
    EXPECT_EQ(+call.state.stateTax, 0.0);
    EXPECT_EQ(+call.state.stateSuppTax, 0.0);
    EXPECT_TRUE(sameDate(call.state.stateTableDate, date(2017, 8, 14)));

    // No periods: the annual rows cannot be brought back to a pay.
    Call none(ORLA_DC, date(2026, 8, 14), 0, 2000);
    EXPECT_EQ(none.run(calcDistrictOfColumbia), 1);
    EXPECT_EQ(none.state.status, ORLA_STATE_NO_ROW);
}

// ---- Delaware ------------------------------------------------------------------------------------

TEST(Delaware, AnnualBracketsLessCredits) {
    struct {
        const char* name;
        int filing;
        int exemptions;
        int periods;
        double wages;
        double want;
    } const cases[] = {
        {"single at 60,000 taxable", 0, 2, 1, 63250, 2943.50 - 220},
        {"status 3 as single", 3, 0, 1, 63250, 2943.50},
        {"married deduction", 1, 0, 1, 16500, 261},
        {"first bracket is free", 0, 0, 1, 5250, 0},
        {"credits beyond the tax", 0, 5, 1, 8250, 0},  // 66 - 550
        // 52,000 - 3,250 = 48,750: 1,001 + 23,750 x 0.0555 - 110 = 2,209.125 a year.
        {"biweekly", 0, 1, 26, 2000, 2209.125 / 26},
    };
    for (const auto& c : cases) {
        Call call(ORLA_DE, date(2024, 2, 29), c.periods, c.wages);
        call.state.stateFilingStatus = c.filing;
        call.state.stateAllowances = c.exemptions;
        EXPECT_EQ(call.run(calcDelaware), 0) << c.name;
        EXPECT_NEAR(call.state.stateTax, c.want, 1e-9) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, date(2024, 1, 1))) << c.name;
    }
}

TEST(Delaware, UnknownStatusReturnsBeforeAnyLookup) {
    Call call(ORLA_DE, date(2026, 2, 27), 26, 2000);
    call.state.stateFilingStatus = 2;
    call.state.stateSuppWages = 500;
    EXPECT_EQ(call.run(calcDelaware), 1);
    EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
    EXPECT_EQ(+call.state.stateTax, 0.0);
    EXPECT_EQ(+call.state.stateSuppTax, kUntouched);
    EXPECT_TRUE(sameDate(call.state.stateTableDate, date(2017, 2, 27)));
}

TEST(Delaware, SupplementalAddedOnceToAnnualIncome) {
    struct {
        const char* name;
        int recordSize;
        double want;
    } const cases[] = {
        {"full record", sizeof(StateRecord), 55.50},  // 1,000 more in the 5.55 % band
        {"record with the fields", 176, 55.50},
        {"record without them", 144, kUntouched},
    };
    for (const auto& c : cases) {
        Call call(ORLA_DE, date(2025, 5, 1), 26, 2000);
        call.state.recordSize = c.recordSize;
        call.state.stateAllowances = 1;
        call.state.stateSuppWages = 1000;
        EXPECT_EQ(call.run(calcDelaware), 0) << c.name;
        EXPECT_EQ(+call.state.stateSuppTax, c.want) << c.name;
        EXPECT_NEAR(call.state.stateTax, 2209.125 / 26, 1e-9) << c.name;
    }
}

// The search is annual and divides nothing, so a pay without periods still finds its row: no annual
// wages, no tax of the pay, and the bonus taxed on its own.
TEST(Delaware, NoPeriodsTaxesOnlyTheBonus) {
    Call call(ORLA_DE, date(2025, 5, 1), 0, 2000);
    call.state.stateSuppWages = 3000;
    EXPECT_EQ(call.run(calcDelaware), 0);
    EXPECT_EQ(call.state.status, 0);
    EXPECT_EQ(+call.state.stateTax, 0.0);
    EXPECT_EQ(+call.state.stateSuppTax, 22.00);  // T = 0; (3,000 - 2,000) x 0.022
    EXPECT_TRUE(sameDate(call.state.stateTableDate, date(2025, 1, 1)));
}

// As published, the 2026 first bracket of status 0 carries the 2025 dates: a 2026 single pay in that
// bracket finds no 2026 row and is taxed by the 2025 rows through the year fallback.
TEST(Delaware, FirstSingleBracketOf2026CarriesThe2025Dates) {
    struct {
        const char* name;
        int filing;
        double wages;  // annual payroll
        int wantResult;
        CalcDate wantTableDate;
        double wantTax;
    } const cases[] = {
        {"single, first bracket", 0, 5000, 1, date(2017, 6, 5), 0},        // T = 1,750
        {"status 3, first bracket", 3, 5000, 0, date(2026, 1, 1), 0},      // T = 1,750
        {"married, first bracket", 1, 8000, 0, date(2026, 1, 1), 0},       // T = 1,500
        {"single, second bracket", 0, 6000, 0, date(2026, 1, 1), 16.50},  // (2,750 - 2,000) x 0.022
    };
    for (const auto& c : cases) {
        Call call(ORLA_DE, date(2026, 6, 5), 1, c.wages);
        call.state.stateFilingStatus = c.filing;
        EXPECT_EQ(call.run(calcDelaware), c.wantResult) << c.name;
        EXPECT_EQ(call.state.status, c.wantResult) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, c.wantTableDate)) << c.name;
        EXPECT_NEAR(call.state.stateTax, c.wantTax, 1e-9) << c.name;
    }
    Call driven(ORLA_DE, date(2026, 6, 5), 1, 5000);
    EXPECT_EQ(driven.driver(), 0u);
    EXPECT_EQ(driven.state.status, 0);
    EXPECT_EQ(+driven.state.stateTax, 0.0);
    EXPECT_TRUE(sameDate(driven.state.stateTableDate, date(2025, 1, 1)));
    EXPECT_TRUE(sameDate(driven.pay.payDate, date(2026, 6, 5)));
}

// ---- Georgia -------------------------------------------------------------------------------------

TEST(Georgia, FlatRateLessDeductionsByDate) {
    struct {
        const char* name;
        int filing;
        int dependents;
        int periods;
        CalcDate payDate;
        double wages;
        double want;
        CalcDate wantTableDate;
    } const cases[] = {
        {"single biweekly", 0, 1, 26, date(2025, 3, 1), 2000, 36000 * 0.0539 / 26, date(2025, 1, 1)},
        {"status 10 as single", 10, 1, 26, date(2025, 3, 1), 2000, 36000 * 0.0539 / 26, date(2025, 1, 1)},
        {"status 3 as single", 3, 1, 26, date(2025, 3, 1), 2000, 36000 * 0.0539 / 26, date(2025, 1, 1)},
        {"status 5 before October 2025", 5, 0, 1, date(2025, 9, 30), 40000, 28000 * 0.0539, date(2025, 1, 1)},
        {"status 5 from October 2025", 5, 0, 1, date(2025, 10, 1), 40000, 16000 * 0.0519, date(2025, 10, 1)},
        // No 2026 rows: the October 2025 rows serve pay dates to 30 September 2026.
        {"2026 on the 2025 rows", 5, 0, 1, date(2026, 9, 30), 40000, 16000 * 0.0519, date(2025, 10, 1)},
        {"first half of 2024", 4, 2, 1, date(2024, 6, 30), 40000, 10000 * 0.0549, date(2024, 1, 1)},
        {"second half of 2024", 4, 2, 1, date(2024, 7, 1), 40000, 8000 * 0.0539, date(2024, 7, 1)},
        {"deductions above wages", 0, 3, 52, date(2024, 7, 1), 100, 0, date(2024, 7, 1)},
    };
    for (const auto& c : cases) {
        Call call(ORLA_GA, c.payDate, c.periods, c.wages);
        call.state.stateFilingStatus = c.filing;
        call.state.stateDependentAllowances = c.dependents;
        EXPECT_EQ(call.run(calcGeorgia), 0) << c.name;
        EXPECT_NEAR(call.state.stateTax, c.want, 1e-9) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, c.wantTableDate)) << c.name;
    }
}

TEST(Georgia, LateIn2026FallsBackToTheSameRows) {
    Call call(ORLA_GA, date(2026, 11, 20), 1, 40000);
    call.state.stateFilingStatus = 5;
    EXPECT_EQ(call.run(calcGeorgia), 1 | 64);  // neither the rate nor the supplemental rows reach it
    EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);

    Call driven(ORLA_GA, date(2026, 11, 20), 1, 40000);
    driven.state.stateFilingStatus = 5;
    EXPECT_EQ(driven.driver(), 0u);
    EXPECT_DOUBLE_EQ(driven.state.stateTax, 830.40);  // 16,000 x 0.0519
    EXPECT_TRUE(sameDate(driven.state.stateTableDate, date(2025, 10, 1)));
}

TEST(Georgia, SupplementalRateByAnnualTaxableWages) {
    struct {
        const char* name;
        CalcDate payDate;
        int recordSize;
        double wages;  // single, annual payroll: 12,000 deducted
        double want;
    } const cases[] = {
        {"2024 band to 10,000", date(2024, 3, 1), sizeof(StateRecord), 21000, 30},
        {"2024 below 8,000", date(2024, 3, 1), sizeof(StateRecord), 19999.99, 20},
        {"2024 from 15,000", date(2024, 3, 1), sizeof(StateRecord), 27000, 57.50},
        {"2025 flat", date(2025, 3, 1), sizeof(StateRecord), 21000, 53.90},
        {"record with the fields", date(2025, 3, 1), 176, 21000, 53.90},
        {"record without them", date(2025, 3, 1), 144, 21000, kUntouched},
    };
    for (const auto& c : cases) {
        Call call(ORLA_GA, c.payDate, 1, c.wages);
        call.state.recordSize = c.recordSize;
        call.state.stateSuppWages = 1000;
        call.state.stateSuppAggregate = 1;  // not consulted
        EXPECT_EQ(call.run(calcGeorgia), 0) << c.name;
        EXPECT_EQ(+call.state.stateSuppTax, c.want) << c.name;
    }
}

TEST(Georgia, UnknownStatusFailsAndTaxesTheBonusAtTheLowestBand) {
    Call call(ORLA_GA, date(2024, 3, 1), 26, 2000);
    call.state.stateFilingStatus = 7;
    call.state.stateSuppWages = 1000;
    EXPECT_EQ(call.run(calcGeorgia), 1);
    EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
    EXPECT_EQ(+call.state.stateTax, 0.0);
    EXPECT_EQ(+call.state.stateSuppTax, 20);
}

TEST(Georgia, NoRowsAtAll) {
    Call call(ORLA_GA, date(2028, 3, 1), 26, 2000);
    call.state.stateSuppWages = 1000;
    EXPECT_EQ(call.run(calcGeorgia), 1 | 64);
    Call none(ORLA_GA, date(2025, 3, 1), 0, 2000);
    EXPECT_EQ(none.run(calcGeorgia), 1);
}

}  // namespace
}  // namespace orla
