#include <gtest/gtest.h>

#include "state/calculators.h"
#include "state/wisconsin.h"
#include "table_checksum.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::Call;
using testing::field;
using testing::kUntouched;
using testing::sameDate;

struct Case {
    const char* name;
    int periods;
    int filingStatus;
    int allowances;
    double wages;
    double want;  // after the driver's rounding to cents
};

Call wisconsinCall(int periods, int filingStatus, int allowances, double wages) {
    Call call(ORLA_WI, date(2026, 5, 15), periods, wages);
    call.state.stateFilingStatus = filingStatus;
    call.state.stateAllowances = allowances;
    return call;
}

TEST(Wisconsin, RegularTax) {
    const Case cases[] = {
        // 17,780 is not below the first limit: 6,702 - 0 x 0.12; 17,780 - 6,702 - 400 = 10,678 x 0.0354
        {"single at 17,780", 1, 0, 1, 17780, 378},
        // 20,000: 6,702 - 2,220 x 0.12 = 6,435.60; 13,564.40 -> 804.40 x 0.0465 + 451.70
        {"single phase-out, second bracket", 1, 0, 0, 20000, 489.10},
        // Weekly 1,000: 52,000; D = 2,595.60; 48,604.40 - 25,520 -> (x 0.053 + 1,045.04) / 52
        {"weekly single", 52, 0, 2, 1000, 43.63},
        // Biweekly married: D = 9,461 - 26,273 x 0.2 = 4,206.40; 47,793.60 -> / 26
        {"biweekly married", 26, 1, 0, 2000, 85.60},
        {"single from 73,630 no deduction", 1, 0, 0, 73630, 3594.87},
        {"married from 73,032 no deduction", 1, 1, 0, 73032, 3563.18},
        {"top bracket", 1, 0, 0, 281950, 14659.33},  // 1,000 x 0.0765 + 14,582.83
    };
    for (const Case& c : cases) {
        Call call = wisconsinCall(c.periods, c.filingStatus, c.allowances, c.wages);
        EXPECT_EQ(call.driver(), 0u) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.want) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, date(2026, 1, 1))) << c.name;
    }
}

TEST(Wisconsin, Supplemental) {
    struct SuppCase {
        const char* name;
        double wages;
        int method;
        double supp;
        double want;
    };
    const SuppCase cases[] = {
        // 78,000 a year: no deduction; 52,000 - 0 + 26,000 - 800 = 77,200 -> 72.77, less 43.63
        {"aggregate", 1000, 1, 500, 29.15},
        {"aggregate without supplemental wages", 1000, 1, 0, 0},
        {"flat rate by the annual regular wage", 1000, 0, 500, 26.50},     // 52,000: 0.053
        {"flat rate of 300,000 a year", 300000.0 / 52, 0, 500, 38.25},     // 0.0765
        {"other method", 1000, 2, 500, 0},
    };
    for (const SuppCase& c : cases) {
        Call call = wisconsinCall(52, 0, 2, c.wages);
        call.state.stateSuppAggregate = c.method;
        call.state.stateSuppWages = c.supp;
        call.state.stateSuppTax = kUntouched;
        EXPECT_EQ(call.run(calcWisconsin), 0) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.want) << c.name;
    }
    // A status without rows fails, yet the flat supplemental step still runs.
    Call none = wisconsinCall(52, 3, 0, 100);
    none.state.stateSuppAggregate = 0;
    none.state.stateSuppWages = 100;
    EXPECT_EQ(none.run(calcWisconsin), 1);
    EXPECT_EQ(none.state.status, ORLA_STATE_NO_ROW);
    EXPECT_DOUBLE_EQ(field(none.state.stateSuppTax), 3.54);
    // Fewer than one pay period: failure, nothing computed.
    Call zero = wisconsinCall(0, 0, 0, 100);
    zero.state.stateSuppAggregate = 0;
    zero.state.stateSuppWages = 100;
    EXPECT_EQ(zero.run(calcWisconsin), 1);
    EXPECT_DOUBLE_EQ(field(zero.state.stateSuppTax), 0);
}

TEST(Wisconsin, Tables) {
    EXPECT_EQ(testing::tableChecksum(wisconsinDeductionTable(), [](const WisconsinDeductionRow& r) {
                  return std::array{ORLA_ROW_DATES(r), double(r.status), r.limit, r.amount, r.phaseOutRate};
              }),
              53809465800000u);
    EXPECT_EQ(testing::tableChecksum(wisconsinBracketTable(), [](const WisconsinBracketRow& r) {
                  return std::array{ORLA_ROW_DATES(r), double(r.status), double(r.periods), r.reserved1, r.reserved2,
                                    r.exemption, r.low, r.high, r.base, r.rate};
              }),
              663424975026000u);
    EXPECT_EQ(testing::tableChecksum(wisconsinSupplementalTable(), [](const WisconsinSupplementalRow& r) {
                  return std::array{ORLA_ROW_DATES(r), r.low, r.high, r.rate};
              }),
              106401848853000u);
}

}  // namespace
}  // namespace orla

// A negative wage falls in no flat-rate band: the failure shows in the status as well as in flag 8.
TEST(Wisconsin, NoFlatRateBandIsAFailedStatus) {
    orla::testing::Records r = orla::testing::makeRecords(ORLA_WI, CalcDate{3, 13, 2026}, 26, -0.5);
    r.state.stateSuppWages = 100;
    EXPECT_EQ(orla::testing::calcFull(r), static_cast<unsigned>(ORLA_FLAG_STATE));
    EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
}
