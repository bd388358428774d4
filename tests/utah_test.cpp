#include <gtest/gtest.h>

#include "state/calculators.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::Call;
using testing::RowCase;
using testing::expectRowTaxes;
using testing::field;
using testing::sameDate;

// One pay on every row, in stored order: the wage lies just past a half dollar of phase-out (so a
// threshold one higher loses a dollar of reduction) and the wage with the bonus just short of the next one
// (so a threshold one lower gains one); the credit is partly phased out, so the base credit counts too.
TEST(Utah, EveryRow) {
    const RowCase cases[] = {
        {date(2026, 3, 13), 0, 52, 213.47, 76.90, 3, 3},
        {date(2026, 3, 13), 1, 52, 388.47, 76.90, 1, 4},
        {date(2026, 3, 13), 0, 26, 388.47, 76.90, 1, 4},
        {date(2026, 3, 13), 1, 26, 816.39, 76.91, 5, 3},
        {date(2026, 3, 13), 0, 24, 417.47, 76.90, 2, 3},
        {date(2026, 3, 13), 1, 24, 874.39, 76.91, 4, 4},
        {date(2026, 3, 13), 0, 12, 874.39, 76.91, 4, 4},
        {date(2026, 3, 13), 1, 12, 1633.39, 76.91, 3, 3},
        {date(2026, 3, 13), 0, 4, 2469.32, 76.90, 4, 4},
        {date(2026, 3, 13), 1, 4, 4822.24, 76.90, 1, 3},
        {date(2026, 3, 13), 0, 2, 4823.24, 76.90, 1, 4},
        {date(2026, 3, 13), 1, 2, 9683.93, 76.91, 4, 3},
        {date(2026, 3, 13), 0, 1, 9683.93, 76.91, 4, 3},
        {date(2026, 3, 13), 1, 1, 19328.39, 76.91, 5, 3},
        {date(2025, 8, 15), 0, 52, 213.47, 76.90, 3, 3},
        {date(2025, 8, 15), 1, 52, 388.47, 76.90, 1, 4},
        {date(2025, 8, 15), 0, 26, 388.47, 76.90, 1, 4},
        {date(2025, 8, 15), 1, 26, 816.39, 76.91, 5, 3},
        {date(2025, 8, 15), 0, 24, 417.47, 76.90, 2, 3},
        {date(2025, 8, 15), 1, 24, 874.39, 76.91, 4, 4},
        {date(2025, 8, 15), 0, 12, 874.39, 76.91, 4, 4},
        {date(2025, 8, 15), 1, 12, 1633.39, 76.91, 3, 3},
        {date(2025, 8, 15), 0, 4, 2469.32, 76.90, 4, 4},
        {date(2025, 8, 15), 1, 4, 4822.24, 76.90, 1, 3},
        {date(2025, 8, 15), 0, 2, 4823.24, 76.90, 1, 4},
        {date(2025, 8, 15), 1, 2, 9683.93, 76.91, 4, 3},
        {date(2025, 8, 15), 0, 1, 9683.93, 76.91, 4, 3},
        {date(2025, 8, 15), 1, 1, 19328.39, 76.91, 5, 3},
        {date(2025, 3, 14), 0, 52, 208.47, 76.90, 2, 4},
        {date(2025, 3, 14), 1, 52, 377.47, 76.90, 1, 4},
        {date(2025, 3, 14), 0, 26, 377.47, 76.90, 1, 4},
        {date(2025, 3, 14), 1, 26, 794.39, 76.91, 4, 4},
        {date(2025, 3, 14), 0, 24, 406.47, 76.90, 1, 4},
        {date(2025, 3, 14), 1, 24, 851.39, 76.91, 4, 3},
        {date(2025, 3, 14), 0, 12, 851.39, 76.91, 4, 3},
        {date(2025, 3, 14), 1, 12, 1586.39, 76.91, 1, 4},
        {date(2025, 3, 14), 0, 4, 2399.32, 76.90, 2, 4},
        {date(2025, 3, 14), 1, 4, 4759.16, 76.91, 2, 3},
        {date(2025, 3, 14), 0, 2, 4759.16, 76.91, 2, 3},
        {date(2025, 3, 14), 1, 2, 9556.78, 76.90, 5, 3},
        {date(2025, 3, 14), 0, 1, 9556.78, 76.90, 5, 3},
        {date(2025, 3, 14), 1, 1, 18998.16, 76.91, 2, 4},
        {date(2024, 8, 16), 0, 52, 208.47, 76.90, 2, 4},
        {date(2024, 8, 16), 1, 52, 377.47, 76.90, 1, 4},
        {date(2024, 8, 16), 0, 26, 377.47, 76.90, 1, 4},
        {date(2024, 8, 16), 1, 26, 794.39, 76.91, 4, 4},
        {date(2024, 8, 16), 0, 24, 406.47, 76.90, 1, 4},
        {date(2024, 8, 16), 1, 24, 851.39, 76.91, 4, 3},
        {date(2024, 8, 16), 0, 12, 851.39, 76.91, 4, 3},
        {date(2024, 8, 16), 1, 12, 1586.39, 76.91, 1, 4},
        {date(2024, 8, 16), 0, 4, 2399.32, 76.90, 2, 4},
        {date(2024, 8, 16), 1, 4, 4759.16, 76.91, 2, 3},
        {date(2024, 8, 16), 0, 2, 4759.16, 76.91, 2, 3},
        {date(2024, 8, 16), 1, 2, 9556.78, 76.90, 5, 3},
        {date(2024, 8, 16), 0, 1, 9556.78, 76.90, 5, 3},
        {date(2024, 8, 16), 1, 1, 18998.16, 76.91, 2, 4},
        {date(2024, 3, 15), 0, 52, 199.47, 76.90, 2, 4},
        {date(2024, 3, 15), 1, 52, 360.47, 76.90, 2, 3},
        {date(2024, 3, 15), 0, 26, 360.47, 76.90, 2, 3},
        {date(2024, 3, 15), 1, 26, 682.47, 76.90, 1, 3},
        {date(2024, 3, 15), 0, 24, 387.47, 76.90, 2, 4},
        {date(2024, 3, 15), 1, 24, 813.39, 76.91, 5, 3},
        {date(2024, 3, 15), 0, 12, 813.39, 76.91, 5, 3},
        {date(2024, 3, 15), 1, 12, 1510.39, 76.91, 3, 4},
        {date(2024, 3, 15), 0, 4, 2208.39, 76.91, 1, 3},
        {date(2024, 3, 15), 1, 4, 4455.24, 76.90, 3, 4},
        {date(2024, 3, 15), 0, 2, 4455.24, 76.90, 3, 4},
        {date(2024, 3, 15), 1, 2, 8871.01, 76.90, 5, 3},
        {date(2024, 3, 15), 0, 1, 8871.01, 76.90, 5, 3},
        {date(2024, 3, 15), 1, 1, 17626.63, 76.90, 2, 3},
    };
    static_assert(std::size(cases) == 70);
    for (const RowCase& c : cases) {
        Call call(ORLA_UT, c.payDate, c.periods, c.wages);
        call.state.stateFilingStatus = c.status;
        call.state.stateSuppWages = c.suppWages;
        call.state.stateSuppAggregate = 2;  // not read: always the aggregate method
        EXPECT_EQ(call.run(calcUtah), 0);
        const auto name = ::testing::Message() << c.payDate.year << "-" << c.payDate.month << " status "
                                               << c.status << " periods " << c.periods;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.wantTax) << name;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.wantSuppTax) << name;
    }
}

TEST(Utah, WorkedPays) {
    struct Case {
        const char* name;
        CalcDate payDate;
        int periods;
        double wages;
        double wantTax;
        int wantReductionCents;
        CalcDate wantTableDate;
    } const cases[] = {
        // G = 45, R = round(825 x 0.013) = 11, the credit 8 - 11 goes to 0
        {"weekly 2026", date(2026, 3, 13), 52, 1000, 45, 1100, date(2026, 1, 1)},
        // The rate changes on 1 June 2025: 45.5 rounds to 46 under 0.0455
        {"31 May 2025", date(2025, 5, 31), 52, 1000, 46, 1100, date(2025, 1, 1)},
        {"1 June 2025", date(2025, 6, 1), 52, 1000, 45, 1100, date(2025, 6, 1)},
        {"30 June 2024", date(2024, 6, 28), 52, 1000, 47, 1100, date(2024, 1, 1)},
        // Six pays a year: the annual row on 6,000: G = 270, R = 0, the credit 440 leaves nothing
        {"annualised", date(2026, 3, 13), 6, 1000, 0, 0, date(2026, 1, 1)},
        // 12,000 a year: G = 540, R = round(2,893 x 0.013) = 38, C = 402; 138 / 6 = 23
        {"annualised above the threshold", date(2026, 3, 13), 6, 2000, 23, 0, date(2026, 1, 1)},
    };
    for (const auto& c : cases) {
        Call call(ORLA_UT, c.payDate, c.periods, c.wages);
        call.pay.stateTaxableIncome = -5;
        EXPECT_EQ(call.run() & ORLA_FLAG_STATE, 0u) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.wantTax) << c.name;
        EXPECT_EQ(call.pay.stateTaxableIncome, c.wantReductionCents) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, c.wantTableDate)) << c.name;
    }
}

// Without supplemental wages the aggregate repeat still runs and stores 0; it also reports its own reduction.
TEST(Utah, SupplementalAlwaysAggregate) {
    for (const int method : {0, 1, 2}) {
        Call call(ORLA_UT, date(2026, 3, 13), 52, 1000);
        call.state.stateSuppAggregate = method;
        call.state.stateSuppTax = 9;
        EXPECT_EQ(call.run(), 0u);
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), 0) << method;

        call.state.stateSuppWages = 100;  // 1,100: G = 50 (49.5), R = round(12.025) = 12
        EXPECT_EQ(call.run(), 0u);
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), 5) << method;
        EXPECT_EQ(call.pay.stateTaxableIncome, 1200) << method;
    }
}

TEST(Utah, Failures) {
    for (const auto& [status, periods] : {std::pair{2, 52}, std::pair{0, 0}}) {
        Call call(ORLA_UT, date(2026, 3, 13), 52, 1000);
        call.state.stateFilingStatus = status;
        call.state.statePayPeriods = periods;
        call.state.stateSuppWages = 100;
        call.state.stateSuppTax = 9;
        EXPECT_EQ(call.run(calcUtah), 1) << status;
        EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), 0);
    }
}

}  // namespace
}  // namespace orla
