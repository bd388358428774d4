#include <gtest/gtest.h>

#include "state/calculators.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::Call;
using testing::field;
using testing::WorkedPay;

TEST(NorthCarolina, WorkedPays) {
    const WorkedPay cases[] = {
        // 52,000 - 19,125 = 32,875 x 0.0435 = 1,430.06 a year; 27.50 a week
        {"head of household weekly", date(2026, 3, 6), 52, 2, 0, 1000, 28, date(2026, 1, 1)},
        // 52,000 - 12,750 - 2 x 2,500 = 34,250: x 0.0435 / 26 = 57.30; x 0.046 / 26 = 60.60
        {"single 2026", date(2026, 3, 13), 26, 0, 2, 2000, 57, date(2026, 1, 1)},
        {"single 2024", date(2024, 3, 15), 26, 0, 2, 2000, 61, date(2024, 1, 1)},
        // 60,000 - 12,750 - 2,500 = 44,750 x 0.0435 / 12 = 162.22
        {"status 6 in 2025", date(2025, 4, 30), 12, 6, 1, 5000, 162, date(2025, 1, 1)},
        {"married", date(2026, 4, 30), 12, 1, 1, 5000, 162, date(2026, 1, 1)},
        {"below the deduction", date(2026, 4, 30), 12, 0, 0, 1000, 0, date(2026, 1, 1)},
    };
    for (const WorkedPay& c : cases) {
        testing::Records r = testing::workedPayRecords(ORLA_NC, c);
        testing::expectWorkedPay(r, c);
    }
}

TEST(NorthCarolina, Supplemental) {
    struct Case {
        const char* name;
        CalcDate payDate;
        int method;
        double want;
    } const cases[] = {
        // 78,000 - 17,750 = 60,250 x 0.0435 / 26 = 100.80 -> 101, less the 57 of the wages
        {"aggregate", date(2026, 3, 13), 1, 44},
        {"flat 2026", date(2026, 3, 13), 0, 44},  // 43.50 in whole dollars
        {"flat 2024", date(2024, 3, 15), 0, 46},
        {"other method", date(2026, 3, 13), 2, 0},
    };
    for (const auto& c : cases) {
        Call call(ORLA_NC, c.payDate, 26, 2000);
        call.state.stateAllowances = 2;
        call.state.stateSuppWages = 1000;
        call.state.stateSuppAggregate = c.method;
        call.state.stateSuppTax = 9;
        EXPECT_EQ(call.run(), 0u) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.want) << c.name;
    }
}

// A status without rows, and no pay periods, fail at once: no supplemental tax is computed.
TEST(NorthCarolina, Failures) {
    for (const auto& [status, periods] : {std::pair{3, 26}, std::pair{0, 0}, std::pair{0, -4}}) {
        Call call(ORLA_NC, date(2026, 3, 13), 26, 2000);
        call.state.stateFilingStatus = status;
        call.state.statePayPeriods = periods;
        call.state.stateSuppWages = 1000;
        call.state.stateSuppAggregate = 0;
        call.state.stateSuppTax = 9;
        EXPECT_EQ(call.run(calcNorthCarolina), 1) << status << " " << periods;
        EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), 0);
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), 0);
        EXPECT_EQ(call.run() & ORLA_FLAG_STATE, unsigned{ORLA_FLAG_STATE});
    }
}

}  // namespace
}  // namespace orla
