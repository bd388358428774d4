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

// One pay on every row of distinct values (the 2025 rows repeat those of 2026), five allowances: the wage
// puts the row's tax just past a half dollar and the wage with the bonus (aggregate method) just short of a
// later one, so that one unit more or less in the row's low, base, rate or allowance amount changes a
// result.
TEST(WestVirginia, EveryRow) {
    // Status 100: the two-earner rows.
    const RowCase cases[] = {
        {date(2026, 3, 13), 0, 1, 10022.53, 45.03, 1, 0},
        {date(2026, 3, 13), 0, 1, 20016.90, 33.77, 223, 0},
        {date(2026, 3, 13), 0, 1, 35015.02, 30.02, 667, 0},
        {date(2026, 3, 13), 0, 1, 50022.53, 22.51, 1167, 0},
        {date(2026, 3, 13), 0, 1, 70020.75, 20.74, 2055, 0},
        {date(2026, 3, 13), 0, 52, 214.83, 45.03, 1, 0},
        {date(2026, 3, 13), 0, 52, 392.42, 33.76, 5, 0},
        {date(2026, 3, 13), 0, 52, 693.73, 30.01, 14, 0},
        {date(2026, 3, 13), 0, 52, 963.33, 22.51, 23, 0},
        {date(2026, 3, 13), 0, 52, 1367.05, 20.74, 41, 0},
        {date(2026, 3, 13), 0, 26, 407.13, 45.03, 1, 0},
        {date(2026, 3, 13), 0, 26, 801.70, 33.77, 10, 0},
        {date(2026, 3, 13), 0, 26, 1372.73, 30.02, 27, 0},
        {date(2026, 3, 13), 0, 26, 1938.15, 22.51, 46, 0},
        {date(2026, 3, 13), 0, 26, 2702.98, 20.73, 80, 0},
        {date(2026, 3, 13), 0, 24, 439.18, 45.03, 1, 0},
        {date(2026, 3, 13), 0, 24, 841.77, 33.76, 10, 0},
        {date(2026, 3, 13), 0, 24, 1480.88, 30.01, 29, 0},
        {date(2026, 3, 13), 0, 24, 2104.60, 22.51, 50, 0},
        {date(2026, 3, 13), 0, 24, 2936.16, 20.73, 87, 0},
        {date(2026, 3, 13), 0, 12, 855.88, 45.03, 1, 0},
        {date(2026, 3, 13), 0, 12, 1700.48, 33.77, 20, 0},
        {date(2026, 3, 13), 0, 12, 2946.69, 30.01, 57, 0},
        {date(2026, 3, 13), 0, 12, 4174.92, 22.50, 98, 0},
        {date(2026, 3, 13), 0, 12, 5841.03, 20.74, 172, 0},
        {date(2026, 3, 13), 100, 1, 10022.53, 45.03, 1, 0},
        {date(2026, 3, 13), 100, 1, 17533.79, 33.77, 168, 0},
        {date(2026, 3, 13), 100, 1, 28780.04, 30.01, 501, 0},
        {date(2026, 3, 13), 100, 1, 40008.34, 22.51, 875, 0},
        {date(2026, 3, 13), 100, 1, 55007.68, 20.74, 1541, 0},
        {date(2026, 3, 13), 100, 52, 214.83, 45.03, 1, 0},
        {date(2026, 3, 13), 100, 52, 346.44, 33.77, 4, 0},
        {date(2026, 3, 13), 100, 52, 580.03, 30.02, 11, 0},
        {date(2026, 3, 13), 100, 52, 784.85, 22.51, 18, 0},
        {date(2026, 3, 13), 100, 52, 1076.36, 20.73, 31, 0},
        {date(2026, 3, 13), 100, 26, 407.13, 45.03, 1, 0},
        {date(2026, 3, 13), 100, 26, 676.65, 33.77, 7, 0},
        {date(2026, 3, 13), 100, 26, 1115.02, 30.01, 20, 0},
        {date(2026, 3, 13), 100, 26, 1558.65, 22.51, 35, 0},
        {date(2026, 3, 13), 100, 26, 2120.79, 20.74, 60, 0},
        {date(2026, 3, 13), 100, 24, 439.18, 45.03, 1, 0},
        {date(2026, 3, 13), 100, 24, 748.58, 33.76, 8, 0},
        {date(2026, 3, 13), 100, 24, 1219.08, 30.01, 22, 0},
        {date(2026, 3, 13), 100, 24, 1668.23, 22.51, 37, 0},
        {date(2026, 3, 13), 100, 24, 2298.50, 20.74, 65, 0},
        {date(2026, 3, 13), 100, 12, 855.88, 45.03, 1, 0},
        {date(2026, 3, 13), 100, 12, 1479.64, 33.77, 15, 0},
        {date(2026, 3, 13), 100, 12, 2421.78, 30.02, 43, 0},
        {date(2026, 3, 13), 100, 12, 3348.22, 22.51, 74, 0},
        {date(2026, 3, 13), 100, 12, 4607.22, 20.73, 130, 0},
        {date(2024, 3, 15), 0, 1, 10021.20, 42.35, 1, 0},
        {date(2024, 3, 15), 0, 1, 20015.88, 31.73, 237, 0},
        {date(2024, 3, 15), 0, 1, 35028.26, 28.23, 710, 0},
        {date(2024, 3, 15), 0, 1, 50021.19, 21.18, 1241, 0},
        {date(2024, 3, 15), 0, 1, 70019.54, 19.52, 2185, 0},
        {date(2024, 3, 15), 0, 52, 213.50, 42.35, 1, 0},
        {date(2024, 3, 15), 0, 52, 415.10, 31.73, 6, 0},
        {date(2024, 3, 15), 0, 52, 697.88, 28.24, 15, 0},
        {date(2024, 3, 15), 0, 52, 975.50, 21.17, 25, 0},
        {date(2024, 3, 15), 0, 52, 1356.07, 19.52, 43, 0},
        {date(2024, 3, 15), 0, 26, 405.80, 42.35, 1, 0},
        {date(2024, 3, 15), 0, 26, 782.62, 31.73, 10, 0},
        {date(2024, 3, 15), 0, 26, 1353.39, 28.23, 28, 0},
        {date(2024, 3, 15), 0, 26, 1940.62, 21.17, 49, 0},
        {date(2024, 3, 15), 0, 26, 2702.37, 19.52, 85, 0},
        {date(2024, 3, 15), 0, 24, 437.85, 42.35, 1, 0},
        {date(2024, 3, 15), 0, 24, 854.61, 31.73, 11, 0},
        {date(2024, 3, 15), 0, 24, 1486.06, 28.23, 31, 0},
        {date(2024, 3, 15), 0, 24, 2101.67, 21.17, 53, 0},
        {date(2024, 3, 15), 0, 24, 2927.01, 19.52, 92, 0},
        {date(2024, 3, 15), 0, 12, 854.55, 42.35, 1, 0},
        {date(2024, 3, 15), 0, 12, 1693.02, 31.73, 21, 0},
        {date(2024, 3, 15), 0, 12, 2929.63, 28.24, 60, 0},
        {date(2024, 3, 15), 0, 12, 4171.02, 21.17, 104, 0},
        {date(2024, 3, 15), 0, 12, 5843.71, 19.52, 183, 0},
        {date(2024, 3, 15), 100, 1, 10021.20, 42.35, 1, 0},
        {date(2024, 3, 15), 100, 1, 17515.88, 31.73, 178, 0},
        {date(2024, 3, 15), 100, 1, 28781.65, 28.23, 533, 0},
        {date(2024, 3, 15), 100, 1, 40018.44, 21.17, 931, 0},
        {date(2024, 3, 15), 100, 1, 55017.00, 19.52, 1639, 0},
        {date(2024, 3, 15), 100, 52, 213.50, 42.35, 1, 0},
        {date(2024, 3, 15), 100, 52, 339.48, 31.73, 4, 0},
        {date(2024, 3, 15), 100, 52, 560.93, 28.24, 11, 0},
        {date(2024, 3, 15), 100, 52, 782.65, 21.18, 19, 0},
        {date(2024, 3, 15), 100, 52, 1077.84, 19.52, 33, 0},
        {date(2024, 3, 15), 100, 26, 405.80, 42.35, 1, 0},
        {date(2024, 3, 15), 100, 26, 695.51, 31.73, 8, 0},
        {date(2024, 3, 15), 100, 26, 1136.27, 28.23, 22, 0},
        {date(2024, 3, 15), 100, 26, 1554.71, 21.17, 37, 0},
        {date(2024, 3, 15), 100, 26, 2125.37, 19.52, 64, 0},
        {date(2024, 3, 15), 100, 24, 437.85, 42.35, 1, 0},
        {date(2024, 3, 15), 100, 24, 733.47, 31.73, 8, 0},
        {date(2024, 3, 15), 100, 24, 1208.54, 28.24, 23, 0},
        {date(2024, 3, 15), 100, 24, 1682.76, 21.17, 40, 0},
        {date(2024, 3, 15), 100, 24, 2296.93, 19.52, 69, 0},
        {date(2024, 3, 15), 100, 12, 854.55, 42.35, 1, 0},
        {date(2024, 3, 15), 100, 12, 1482.49, 31.72, 16, 0},
        {date(2024, 3, 15), 100, 12, 2401.57, 28.24, 45, 0},
        {date(2024, 3, 15), 100, 12, 3355.39, 21.17, 79, 0},
        {date(2024, 3, 15), 100, 12, 4603.47, 19.52, 138, 0},
    };
    static_assert(std::size(cases) == 100);
    for (const RowCase& c : cases) {
        Call call(ORLA_WV, c.payDate, c.periods, c.wages);
        call.state.stateOption = c.status == 100 ? 1 : 0;
        call.state.stateFilingStatus = 7;  // not read
        call.state.stateAllowances = 5;
        call.state.stateSuppWages = c.suppWages;
        call.state.stateSuppAggregate = 1;
        EXPECT_EQ(call.run(calcWestVirginia), 0);
        const auto name = ::testing::Message() << c.payDate.year << " status " << c.status << " periods "
                                               << c.periods << " wages " << c.wages;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.wantTax) << name;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.wantSuppTax) << name;
    }
}

TEST(WestVirginia, WorkedPays) {
    struct Case {
        const char* name;
        CalcDate payDate;
        int periods;
        int option;
        double wages;
        double wantTax;
    } const cases[] = {
        {"two-earner weekly 100", date(2026, 3, 13), 52, 1, 100, 2},  // 2.22
        // Quarterly by the annual rows: 40,000 - 2,000 = 38,000: (38,000 - 30,000) x 0.0444 + 874.13 over 4
        {"two-earner quarterly", date(2026, 3, 31), 4, 2, 10000, 307},
        {"single rows quarterly", date(2026, 3, 31), 4, 0, 10000, 275},  // (38,000 - 25,000) x 0.0333 + 666
        {"negative option", date(2026, 3, 31), 4, -1, 10000, 275},
    };
    for (const auto& c : cases) {
        Call call(ORLA_WV, c.payDate, c.periods, c.wages);
        call.state.stateOption = c.option;
        call.state.stateAllowances = c.periods == 4 ? 1 : 0;
        EXPECT_EQ(call.run(), 0u) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.wantTax) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, date(2026, 1, 1))) << c.name;
    }
}

// The flat supplemental rate of the band that holds periods x wages.
TEST(WestVirginia, FlatSupplementalBands) {
    struct Case {
        CalcDate payDate;
        double wages;  // weekly
        double want;   // on a bonus of 1,000
    } const cases[] = {
        {date(2026, 3, 13), 192.30, 22.2},  // 9,999.60 a year
        {date(2026, 3, 13), 192.31, 29.6},  // 10,000.12
        {date(2026, 3, 13), 500, 33.3},
        {date(2026, 3, 13), 800, 44.4},
        {date(2026, 3, 13), 1153.85, 48.2},  // 60,000.20
        {date(2025, 3, 14), 100, 22.2},
        {date(2025, 3, 14), 300, 29.6},
        {date(2025, 3, 14), 600, 33.3},
        {date(2025, 3, 14), 1000, 44.4},
        {date(2025, 3, 14), 2000, 48.2},
        {date(2024, 3, 15), 100, 23.6},
        {date(2024, 3, 15), 300, 31.5},
        {date(2024, 3, 15), 600, 35.4},
        {date(2024, 3, 15), 1000, 47.2},
        {date(2024, 3, 15), 2000, 51.2},
    };
    for (const Case& c : cases) {
        Call call(ORLA_WV, c.payDate, 52, c.wages);
        call.state.stateSuppWages = 1000;
        EXPECT_EQ(call.run(), 0u);
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.want) << c.payDate.year << " " << c.wages;
    }
}

TEST(WestVirginia, Failures) {
    for (const auto& [year, periods] : {std::pair{2023, 52}, std::pair{2026, 0}}) {
        Call call(ORLA_WV, date(year, 3, 13), 52, 1000);
        call.state.statePayPeriods = periods;
        call.state.stateSuppWages = 100;
        call.state.stateSuppTax = 9;
        EXPECT_EQ(call.run(calcWestVirginia), 1) << year;
        EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), 0);
    }
}

}  // namespace
}  // namespace orla
