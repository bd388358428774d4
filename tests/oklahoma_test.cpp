#include <gtest/gtest.h>

#include "state/calculators.h"
#include "state/oklahoma.h"
#include "table_checksum.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::Call;
using testing::field;

struct Case {
    const char* name;
    CalcDate payDate;
    int periods;
    int filingStatus;
    int allowances;
    double wages;
    double want;
};

TEST(Oklahoma, RegularTaxInWholeDollars) {
    const Case cases[] = {
        {"weekly 193.99", date(2026, 2, 6), 52, 0, 0, 193.99, 0},
        {"weekly 194 starts row 2 at base 0", date(2026, 2, 6), 52, 0, 0, 194, 0},
        {"weekly 216: 0.55", date(2026, 2, 6), 52, 0, 0, 216, 1},
        // (300 - 261) x 0.045 + 2.10 = 3.86 on the single rows
        {"single", date(2026, 2, 6), 52, 0, 0, 300, 4},
        {"head of household as single", date(2026, 2, 6), 52, 2, 0, 300, 4},
        {"code 5 as single", date(2026, 2, 6), 52, 5, 0, 300, 4},
        {"code 12 as single", date(2026, 2, 6), 52, 12, 0, 300, 4},
        // 600 - 19.23 = 580.77: (59.77 x 0.045) + 4.20 = 6.89
        {"married with an allowance", date(2026, 2, 6), 52, 1, 1, 600, 7},
        // Daily rows: 60 - 3.85 = 56.15; 4.15 x 0.045 + 0.42 = 0.61
        {"365 periods", date(2026, 2, 6), 365, 0, 1, 60, 1},
        // 260 periods: annual rows, 52,000 - 1,000 = 51,000; (37,450 x 0.045 + 109.25) / 260 = 6.90
        {"260 periods", date(2026, 2, 6), 260, 0, 1, 200, 7},
        // 2025 monthly married, seven brackets: 3,000 - 166.66 = 2,833.34; 575.34 x 0.0475 + 25.28 = 52.61
        {"2025 monthly married", date(2025, 9, 30), 12, 1, 2, 3000, 53},
    };
    for (const Case& c : cases) {
        Call call(ORLA_OK, c.payDate, c.periods, c.wages);
        call.state.stateFilingStatus = c.filingStatus;
        call.state.stateAllowances = c.allowances;
        EXPECT_EQ(call.run(calcOklahoma), 0) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.want) << c.name;
    }
}

TEST(Oklahoma, SupplementalAlwaysAggregate) {
    // 300 taxes 4 and 500 taxes 13 (12.86): the difference of whole dollars, whatever the method asked for.
    for (int method : {0, 1, 5}) {
        Call call(ORLA_OK, date(2026, 2, 6), 52, 300);
        call.state.stateSuppAggregate = method;
        call.state.stateSuppWages = 200;
        EXPECT_EQ(call.run(calcOklahoma), 0) << method;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), 9) << method;
    }
    Call small(ORLA_OK, date(2026, 2, 6), 52, 300);
    small.state.recordSize = 144;
    small.state.stateSuppWages = 200;
    small.state.stateSuppTax = testing::kUntouched;
    EXPECT_EQ(small.run(calcOklahoma), 0);
    EXPECT_DOUBLE_EQ(field(small.state.stateSuppTax), testing::kUntouched);
}

TEST(Oklahoma, Failures) {
    const struct {
        const char* name;
        CalcDate payDate;
        int periods;
        int filingStatus;
    } cases[] = {
        {"status without rows", date(2026, 2, 6), 52, 3},
        {"no rows for 2023", date(2023, 2, 6), 52, 0},
        {"no pay periods", date(2026, 2, 6), 0, 0},
    };
    for (const auto& c : cases) {
        Call call(ORLA_OK, c.payDate, c.periods, 500);
        call.state.stateFilingStatus = c.filingStatus;
        call.state.stateSuppWages = 100;
        EXPECT_EQ(call.run(calcOklahoma), 1) << c.name;
        EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), 0) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), 0) << c.name;
    }
}

TEST(Oklahoma, Table) {
    const auto rows = oklahomaTable();
    ASSERT_EQ(rows.size(), 288u);
    EXPECT_EQ(testing::bracketChecksum(rows), 3911354692760000u);
    // Each group's rows are contiguous and end open.
    for (std::size_t i = 0; i + 1 < rows.size(); ++i)
        if (rows[i + 1].low != 0) EXPECT_DOUBLE_EQ(rows[i].high, rows[i + 1].low) << i;
        else EXPECT_DOUBLE_EQ(rows[i].high, 0) << i;
    // Monthly married row 7 of 2025 keeps its published base.
    EXPECT_DOUBLE_EQ(rows[64 + 14 * 3 + 13].base, 25.28);
}

}  // namespace
}  // namespace orla
