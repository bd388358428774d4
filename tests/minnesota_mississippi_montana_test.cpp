#include <gtest/gtest.h>

#include <limits>

#include "state/calculators.h"
#include "state/minnesota.h"
#include "state/mississippi.h"
#include "state/montana.h"
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
    CalcDate payDate;
    int periods;
    int filingStatus;
    int allowances;
    double wages;
    double want;
};

Call makeCall(int code, const Case& c) {
    Call call(code, c.payDate, c.periods, c.wages);
    call.state.stateFilingStatus = c.filingStatus;
    call.state.stateAllowances = c.allowances;
    return call;
}

// ---- Minnesota ----------------------------------------------------------------------------------------

TEST(Minnesota, RegularTax) {
    const Case cases[] = {
        // 26 x 2,000 - 2 x 5,200 = 41,600; (4,480 x 0.068 + 1,742.50) / 26 = 78.736
        {"biweekly single", date(2026, 4, 10), 26, 0, 2, 2000, 78.74},
        {"status 12 as single", date(2026, 4, 10), 26, 12, 2, 2000, 78.74},
        // Annual pay, pass 1: 70,000 - 5,050 = 64,950; 4,620 x 0.068 + 2,478.66
        {"2024 annual married", date(2024, 12, 20), 1, 1, 1, 70000, 2792.82},
    };
    for (const Case& c : cases) {
        Call call = makeCall(ORLA_MN, c);
        EXPECT_EQ(call.driver(), 0u) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.want) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, date(c.payDate.year, 1, 1))) << c.name;
    }
}

TEST(Minnesota, Supplemental) {
    // 26 x 3,000 - 10,400 = 67,600 -> 146.736; less 78.736 = 68.00. Flat: 1,000 x 0.0625.
    for (const auto& [method, want] : {std::pair{1, 68.0}, {0, 62.5}, {2, 0.0}}) {
        Call call = makeCall(ORLA_MN, {"", date(2026, 4, 10), 26, 0, 2, 2000, 0});
        call.state.stateSuppAggregate = method;
        call.state.stateSuppWages = 1000;
        call.state.stateSuppTax = kUntouched;
        EXPECT_EQ(call.run(calcMinnesota), 0) << method;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), want) << method;
    }
}

TEST(Minnesota, Table) {
    ASSERT_EQ(minnesotaTable().size(), 30u);
    EXPECT_EQ(testing::bracketChecksum(minnesotaTable()), 1108458498962500u);
    for (const FlatRateRow& r : minnesotaSupplementalTable()) EXPECT_DOUBLE_EQ(r.rate, 0.0625);
    Call none = makeCall(ORLA_MN, {"", date(2026, 4, 10), 26, 2, 0, 2000, 0});
    EXPECT_EQ(none.run(calcMinnesota), 1);
    EXPECT_EQ(none.state.status, ORLA_STATE_NO_ROW);
}

// ---- Mississippi --------------------------------------------------------------------------------------

TEST(Mississippi, AnnualTaxInWholeDollars) {
    struct MsCase {
        const char* name;
        CalcDate payDate;
        int periods;
        int filingStatus;
        double exemption;
        double wages;
        double want;
    };
    const MsCase cases[] = {
        // 30,000 - 6,000 - 2,300 = 21,700: 11,700 x 0.044 = 514.80 a year
        {"annual single", date(2026, 6, 5), 1, 0, 6000, 30000, 515},
        // 31,200 - 6,000 - 2,300 = 22,900: 567.60 / 52 = 10.92
        {"weekly single", date(2026, 6, 5), 52, 0, 6000, 600, 11},
        {"married deduction 4,600", date(2026, 6, 5), 52, 1, 0, 600, 14},       // 730.40 / 52
        {"code 5 deduction 2,300", date(2026, 6, 5), 52, 5, 0, 600, 16},        // 831.60 / 52
        {"head of household 3,400", date(2026, 6, 5), 52, 2, 0, 600, 15},      // 783.20 / 52
        {"2024 rate 0.047", date(2024, 6, 7), 52, 0, 6000, 600, 12},            // 606.30 / 52
        {"taxable 5,000 in the first bracket", date(2026, 6, 5), 1, 0, 0, 7300, 0},
        {"taxable 10,000 in the second", date(2026, 6, 5), 1, 0, 0, 12300, 0},
        {"taxable 10,100", date(2026, 6, 5), 1, 0, 0, 12400, 4},                // 4.40
        // The exemption and deduction exceed the wage: a zero tax, and success.
        {"taxable 0", date(2026, 6, 5), 52, 0, 20000, 100, 0},
    };
    for (const MsCase& c : cases) {
        Call call(ORLA_MS, c.payDate, c.periods, c.wages);
        call.state.stateFilingStatus = c.filingStatus;
        call.state.stateExemptionAmount = c.exemption;
        EXPECT_EQ(call.driver(), 0u) << c.name;
        EXPECT_EQ(call.state.status, 0) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.want) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, date(c.payDate.year, 1, 1))) << c.name;
    }
}

TEST(Mississippi, SupplementalAndFields) {
    // Weekly single 600 with 6,000 exempt and a bonus of 300: 46,800 - 8,300 = 38,500 -> 1,254.00 a
    // year; (1,254.00 - 567.60) / 52 = 13.20.
    for (const auto& [size, supp, want] :
         {std::tuple{int(sizeof(StateRecord)), 300.0, 13.2}, {int(sizeof(StateRecord)), 0.0, 0.0}, {144, 300.0, kUntouched}}) {
        Call call(ORLA_MS, date(2026, 6, 5), 52, 600);
        call.state.recordSize = size;
        call.state.stateExemptionAmount = 6000;
        call.state.stateSuppWages = supp;
        call.state.stateSuppTax = kUntouched;
        EXPECT_EQ(call.run(calcMississippi), 0) << size << " " << supp;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), 11) << size;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), want) << size << " " << supp;
    }
    // A record too small to hold the exemption amount counts it as 0: 31,200 - 2,300 -> 831.60 / 52.
    Call small(ORLA_MS, date(2026, 6, 5), 52, 600);
    small.state.recordSize = 131;
    small.state.stateExemptionAmount = 6000;
    EXPECT_EQ(small.run(calcMississippi), 0);
    EXPECT_DOUBLE_EQ(field(small.state.stateTax), 16);

    for (const auto& [status, periods] : {std::pair{3, 52}, {0, 0}}) {
        Call none(ORLA_MS, date(2026, 6, 5), periods, 600);
        none.state.stateFilingStatus = status;
        EXPECT_EQ(none.run(calcMississippi), 1) << status;
        EXPECT_EQ(none.state.status, ORLA_STATE_NO_ROW);
        EXPECT_DOUBLE_EQ(field(none.state.stateTax), 0);
    }
}

TEST(Mississippi, Table) {
    const auto rows = mississippiTable();
    ASSERT_EQ(rows.size(), 36u);
    EXPECT_EQ(testing::tableChecksum(rows, [](const MississippiRow& r) {
                  return std::array{ORLA_ROW_DATES(r), double(r.status), double(r.periods), r.standardDeduction,
                                    r.reserved, r.low, r.high, r.base, r.rate};
              }),
              118470800436000u);
}

// ---- Montana ------------------------------------------------------------------------------------------

TEST(Montana, RegularTaxRoundedUp) {
    const Case cases[] = {
        {"weekly 310.01: 0.00047 rounds up", date(2026, 1, 9), 52, 0, 0, 310.01, 1},
        {"weekly 310: nothing", date(2026, 1, 9), 52, 0, 0, 310, 0},
        {"single", date(2026, 1, 9), 52, 0, 0, 1000, 33},             // 690 x 0.047 = 32.43
        {"code 3 as single", date(2026, 1, 9), 52, 3, 0, 1000, 33},
        {"code 4 as single", date(2026, 1, 9), 52, 4, 0, 1000, 33},
        {"married", date(2026, 1, 9), 52, 1, 0, 1000, 18},            // 381 x 0.047 = 17.91
        {"code 6 as married", date(2026, 1, 9), 52, 6, 0, 1000, 18},
        {"head of household", date(2026, 1, 9), 52, 2, 0, 1000, 26},  // 536 x 0.047 = 25.19
        // 5,800 x 0.059 + 1,490 = 1,832.20
        {"2025 annual head of household", date(2025, 8, 1), 1, 2, 0, 60000, 1833},
        // Quarterly: the annual rows, (4,900 x 0.059 + 964) / 4 = 313.28
        {"2024 quarterly", date(2024, 3, 29), 4, 0, 0, 10000, 314},
    };
    for (const Case& c : cases) {
        Call call = makeCall(ORLA_MT, c);
        EXPECT_EQ(call.run(calcMontana), 0) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.want) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, date(c.payDate.year, 1, 1))) << c.name;
    }
}

TEST(Montana, Supplemental) {
    struct SuppCase {
        const char* name;
        int method;
        double supp;
        double want;
    };
    // Weekly single 1,000 (tax 33).
    const SuppCase cases[] = {
        {"flat 5.00", 0, 100, 5},
        {"flat 5.05 rounds up", 0, 101, 6},
        {"aggregate", 1, 100, 5},  // 790 x 0.047 = 37.13 -> 38, less 33
        {"other method", 2, 100, 0},
        {"no supplemental wages", 0, 0, 0},
    };
    for (const SuppCase& c : cases) {
        Call call(ORLA_MT, date(2026, 1, 9), 52, 1000);
        call.state.stateSuppAggregate = c.method;
        call.state.stateSuppWages = c.supp;
        call.state.stateSuppTax = kUntouched;
        EXPECT_EQ(call.run(calcMontana), 0) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), 33) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.want) << c.name;
    }
}

TEST(Montana, FixedTaxAndRecordSize) {
    struct SizeCase {
        const char* name;
        int size;
        int periods;
        int wantResult;
        int wantStatus;
        double wantTax;
    };
    const SizeCase cases[] = {
        {"fixed tax", sizeof(StateRecord), 52, 0, 0, 25},
        {"fixed tax of the smallest record holding it", 212, 52, 0, 0, 25},
        // A record that ends before stateFixedTax is computed from the tables.
        {"record of 211", 211, 52, 0, 0, 33},
        {"record of 177", 177, 52, 0, 0, 33},
        {"record of 176", 176, 52, 1, ORLA_STATE_RECORD_TOO_SMALL, 0},
        {"no pay periods", sizeof(StateRecord), 0, 1, ORLA_STATE_NO_ROW, 0},
    };
    for (const SizeCase& c : cases) {
        Call call(ORLA_MT, date(2026, 1, 9), c.periods, 1000);
        call.state.recordSize = c.size;
        call.state.stateFixedTax = 25;
        call.state.stateSuppWages = 100;
        call.state.stateSuppAggregate = 1;
        EXPECT_EQ(call.run(calcMontana), c.wantResult) << c.name;
        EXPECT_EQ(call.state.status, c.wantStatus) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.wantTax) << c.name;
        if (c.wantTax == 25) {
            EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), 0) << c.name;
            EXPECT_TRUE(sameDate(call.state.stateTableDate, date(2017, 1, 9))) << c.name;
        }
    }
    // Through the driver, a field beyond the declared size is not read, whatever the bytes there hold.
    Call beyond(ORLA_MT, date(2026, 1, 9), 52, 1000);
    beyond.state.recordSize = 211;
    beyond.state.stateFixedTax = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(beyond.driver(), 0u);
    EXPECT_DOUBLE_EQ(field(beyond.state.stateTax), 33);
    Call shortMs(ORLA_MS, date(2026, 6, 5), 52, 600);
    shortMs.state.recordSize = 131;
    shortMs.state.stateExemptionAmount = std::numeric_limits<double>::infinity();
    EXPECT_EQ(shortMs.driver(), 0u);
    EXPECT_DOUBLE_EQ(field(shortMs.state.stateTax), 16);
    // Through the driver a record too small is a state failure.
    Call small(ORLA_MT, date(2026, 1, 9), 52, 1000);
    small.state.recordSize = 176;
    EXPECT_EQ(small.driver(), unsigned{ORLA_FLAG_STATE});
    EXPECT_EQ(small.state.status, ORLA_STATE_RECORD_TOO_SMALL);
}

TEST(Montana, Table) {
    ASSERT_EQ(montanaTable().size(), 135u);
    EXPECT_EQ(testing::bracketChecksum(montanaTable()), 1539233502495000u);
    for (const FlatRateRow& r : montanaSupplementalTable()) EXPECT_DOUBLE_EQ(r.rate, 0.05);
}

}  // namespace
}  // namespace orla
