// The calculators of this group through the driver: a pay year beyond the tables falls back to the year
// before, and a second missing year is flagged.
#include <gtest/gtest.h>

#include "test_records.h"

namespace orla {
namespace {

using Call = testing::SentinelCall;
using testing::sameDate;

struct FallbackCase {
    const char* name;
    int stateCode;
    CalcDate wantTableDate;  // after a pay on 10 March 2027; 0/0/0 when the calculator writes none
    bool failsBeyond;        // a pay in 2028 raises the state flag
};

Call fallbackCall(const FallbackCase& c, int year) {
    Call call(c.stateCode, date(year, 3, 10), 26, 2000);
    call.state.stateAllowances = 1;
    call.state.stateWithholdingCode = 'A';
    call.state.statePercent = 2;
    call.state.stateSuppWages = 300;
    call.state.stateSuppAggregate = 0;
    return call;
}

const FallbackCase kCases[] = {
    {"Alabama", ORLA_AL, date(2026, 1, 1), true},
    {"Arizona", ORLA_AZ, CalcDate{0, 0, 0}, false},
    {"Arkansas", ORLA_AR, CalcDate{0, 0, 0}, true},
    {"Colorado", ORLA_CO, date(2017, 3, 10), true},
    {"Connecticut", ORLA_CT, CalcDate{0, 0, 0}, true},
    {"Delaware", ORLA_DE, date(2026, 1, 1), true},
    {"District of Columbia", ORLA_DC, date(2026, 1, 1), true},
    {"Georgia", ORLA_GA, date(2025, 10, 1), true},
};

TEST(StateYearFallback, NextYearUsesTheLastTables) {
    for (const auto& c : kCases) {
        Call later = fallbackCall(c, 2027);
        Call last = fallbackCall(c, 2026);
        EXPECT_EQ(later.driver(), 0u) << c.name;
        EXPECT_EQ(last.driver(), 0u) << c.name;
        EXPECT_EQ(later.state.status, 0) << c.name;
        EXPECT_GT(later.state.stateTax, 0.0) << c.name;
        EXPECT_EQ(+later.state.stateTax, +last.state.stateTax) << c.name;
        EXPECT_EQ(+later.state.stateSuppTax, +last.state.stateSuppTax) << c.name;
        EXPECT_TRUE(sameDate(later.state.stateTableDate, c.wantTableDate)) << c.name;
        EXPECT_TRUE(sameDate(later.pay.payDate, date(2027, 3, 10))) << c.name;
    }
}

TEST(StateYearFallback, TwoYearsBeyondIsFlagged) {
    for (const auto& c : kCases) {
        Call call = fallbackCall(c, 2028);
        const unsigned flags = call.driver();
        EXPECT_EQ((flags & ORLA_FLAG_STATE) != 0, c.failsBeyond) << c.name;
        if (c.failsBeyond) {
            EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW) << c.name;
        }
    }
}

}  // namespace
}  // namespace orla
