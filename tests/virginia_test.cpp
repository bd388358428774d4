#include <gtest/gtest.h>

#include "state/calculators.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::Call;
using testing::field;
using testing::sameDate;

struct Case {
    const char* name;
    CalcDate payDate;
    int periods;
    int allowances;
    int secondary;
    double wages;
    double wantTax;
    CalcDate wantTableDate;
};

TEST(Virginia, WorkedPays) {
    const Case cases[] = {
        // 50,000 - 930 - 8,750 = 40,320: (40,320 - 17,000) x 0.0575 + 720
        {"annual, July 2025", date(2025, 8, 15), 1, 1, 0, 50000, 2060.9, date(2025, 7, 1)},
        {"quarterly", date(2025, 8, 15), 4, 1, 0, 12500, 515.23, date(2025, 7, 1)},  // 2,060.90 / 4
        // The deduction changes on 1 July 2025: 41,500 and 41,300 taxable
        {"30 June 2025", date(2025, 6, 30), 1, 0, 0, 50000, 2128.75, date(2025, 1, 1)},
        {"1 July 2025", date(2025, 7, 1), 1, 0, 0, 50050, 2117.25, date(2025, 7, 1)},
        // 2026 has no rows (nor a flat supplemental rate): the retry in 2025 takes the half year of the
        // pay's month
        {"2026 first half", date(2026, 3, 13), 1, 0, 0, 50000, 2128.75, date(2025, 1, 1)},
        {"2026 second half", date(2026, 8, 14), 1, 0, 0, 50050, 2117.25, date(2025, 7, 1)},
        // The lower brackets, with 2 x 800 secondary exemptions: 2,000, 4,000 and 7,000 taxable
        {"first bracket", date(2024, 8, 15), 1, 0, 2, 12100, 40, date(2024, 7, 1)},
        {"second bracket", date(2024, 3, 15), 1, 0, 2, 13600, 90, date(2024, 1, 1)},
        {"third bracket", date(2023, 3, 15), 1, 0, 2, 16600, 220, date(2023, 1, 1)},
        {"nothing taxable", date(2025, 8, 15), 26, 3, 0, 100, 0, date(2025, 7, 1)},
    };
    for (const Case& c : cases) {
        Call call(ORLA_VA, c.payDate, c.periods, c.wages);
        call.state.stateAllowances = c.allowances;
        call.state.stateOption = c.secondary;
        EXPECT_EQ(call.run() & ORLA_FLAG_STATE, 0u) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.wantTax) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, c.wantTableDate)) << c.name;
        EXPECT_EQ(call.pay.stateTaxableIncome, c.secondary) << c.name;
    }
}

TEST(Virginia, Supplemental) {
    struct SuppCase {
        const char* name;
        CalcDate payDate;
        int method;
        double want;
    } const cases[] = {
        {"aggregate", date(2025, 8, 15), 1, 57.5},  // the top rate on the bonus
        {"flat", date(2025, 8, 15), 0, 57.5},
        {"flat 2023", date(2023, 8, 15), 0, 57.5},
        {"other method", date(2025, 8, 15), 2, 0},
        {"flat 2026 by the retry", date(2026, 8, 14), 0, 57.5},
    };
    for (const SuppCase& c : cases) {
        Call call(ORLA_VA, c.payDate, 1, 50000);
        call.state.stateSuppWages = 1000;
        call.state.stateSuppAggregate = c.method;
        call.state.stateSuppTax = 9;
        EXPECT_EQ(call.run() & ORLA_FLAG_STATE, 0u) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.want) << c.name;
    }
}

// A failed lookup, or no pay periods, fails at once: no supplemental tax and no taxable income reported.
TEST(Virginia, Failures) {
    for (const auto& [payDate, periods] :
         {std::pair{date(2022, 3, 15), 26}, std::pair{date(2026, 8, 14), 26}, std::pair{date(2025, 3, 14), 0}}) {
        Call call(ORLA_VA, payDate, periods, 2000);
        call.state.stateOption = 2;
        call.state.stateSuppWages = 1000;
        call.state.stateSuppAggregate = 1;
        call.state.stateSuppTax = 9;
        call.pay.stateTaxableIncome = 7;
        EXPECT_EQ(call.run(calcVirginia), 1) << payDate.year << " " << periods;
        EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), 0);
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), 0);
        EXPECT_EQ(call.pay.stateTaxableIncome, 0);
    }
}

}  // namespace
}  // namespace orla
