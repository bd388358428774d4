#include <gtest/gtest.h>

#include "state/calculators.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::Call;
using testing::field;
using testing::WorkedPay;

// One pay in each bracket above the first of every period group, with the deduction capped in the top one.
TEST(SouthCarolina, WorkedPays) {
    const WorkedPay cases[] = {
        // 4,000 - 288.54 - 192.08 = 3,519.38: (3,519.38 - 722.08) x 0.064 + 17.34
        {"2024 semimonthly top", date(2024, 5, 15), 24, 0, 1, 4000, 196.37, date(2024, 1, 1)},
        // 500 - 50 - 192.08 = 257.92: (257.92 - 144.17) x 0.03
        {"2024 semimonthly second", date(2024, 5, 15), 24, 0, 1, 500, 3.41, date(2024, 1, 1)},
        {"2024 biweekly top", date(2024, 5, 17), 26, 0, 1, 4000, 200.95, date(2024, 1, 1)},
        {"2024 biweekly second", date(2024, 5, 17), 26, 0, 1, 500, 4.19, date(2024, 1, 1)},
        {"2024 weekly top", date(2024, 5, 17), 52, 0, 1, 2000, 100.47, date(2024, 1, 1)},
        {"2024 weekly second", date(2024, 5, 17), 52, 0, 1, 250, 2.09, date(2024, 1, 1)},
        {"2024 monthly top", date(2024, 5, 31), 12, 0, 1, 8000, 392.73, date(2024, 1, 1)},
        {"2024 monthly second", date(2024, 5, 31), 12, 0, 1, 1000, 6.82, date(2024, 1, 1)},
        {"2024 annual top", date(2024, 12, 20), 1, 0, 1, 100000, 4968.74, date(2024, 1, 1)},
        {"2024 annual second", date(2024, 12, 20), 1, 0, 1, 10000, 27.9, date(2024, 1, 1)},
        {"2024 quarterly by the annual rows", date(2024, 3, 29), 4, 0, 1, 5000, 74.48, date(2024, 1, 1)},
        // 100,000 - 7,500 (capped) - 5,000 = 87,500: (87,500 - 18,230) x 0.06 + 437.7
        {"2026 annual top", date(2026, 12, 18), 1, 0, 1, 100000, 4593.9, date(2026, 1, 1)},
        {"2026 annual second", date(2026, 12, 18), 1, 0, 1, 10000, 10.8, date(2026, 1, 1)},
        {"2025 annual top", date(2025, 12, 19), 1, 0, 1, 100000, 4768.72, date(2025, 1, 1)},
        {"2025 annual second", date(2025, 12, 19), 1, 0, 1, 10000, 17.4, date(2025, 1, 1)},
        // No allowances: no deduction, 10,000 taxable
        {"no allowances", date(2026, 12, 18), 1, 0, 0, 10000, 190.8, date(2026, 1, 1)},
        // 52,000 - 5,200 - 10,000 = 36,800: 1,551.90 a year over 26; the status is not read
        {"married biweekly 2026", date(2026, 3, 13), 26, 1, 2, 2000, 59.69, date(2026, 1, 1)},
    };
    for (const WorkedPay& c : cases) {
        testing::Records r = testing::workedPayRecords(ORLA_SC, c);
        testing::expectWorkedPay(r, c);
    }
}

TEST(SouthCarolina, Supplemental) {
    struct Case {
        const char* name;
        CalcDate payDate;
        int method;
        double want;
    } const cases[] = {
        // The deduction stays 5,200: 62,800 taxable gives 3,111.90 a year, 60.00 more per pay
        {"aggregate", date(2026, 3, 13), 1, 60},
        {"flat 2026", date(2026, 3, 13), 0, 60},
        {"flat 2025", date(2025, 3, 14), 0, 62},
        {"flat 2024", date(2024, 3, 15), 0, 64},
        {"other method", date(2026, 3, 13), 2, 0},
    };
    for (const auto& c : cases) {
        Call call(ORLA_SC, c.payDate, 26, 2000);
        call.state.stateFilingStatus = 1;
        call.state.stateAllowances = 2;
        call.state.stateSuppWages = 1000;
        call.state.stateSuppAggregate = c.method;
        call.state.stateSuppTax = 9;
        EXPECT_EQ(call.run(), 0u) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.want) << c.name;
    }
}

TEST(SouthCarolina, Failures) {
    for (const auto& [year, periods] : {std::pair{2023, 26}, std::pair{2026, 0}}) {
        Call call(ORLA_SC, date(year, 3, 13), 26, 2000);
        call.state.statePayPeriods = periods;
        call.state.stateSuppWages = 1000;
        call.state.stateSuppTax = 9;
        EXPECT_EQ(call.run(calcSouthCarolina), 1) << year;
        EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), 0);
    }
}

}  // namespace
}  // namespace orla
