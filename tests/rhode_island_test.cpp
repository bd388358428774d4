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

// One pay on every row of distinct values (status 1 repeats status 0), 30 allowances, with a bonus by the
// aggregate method: the pay lies far enough into the row's bracket that one unit more or less in its low,
// base, rate or allowance amount changes a result.
TEST(RhodeIsland, EveryRow) {
    const RowCase cases[] = {
        {date(2026, 3, 13), 0, 52, 1997.10, 39.45, 53.26, 1.48},
        {date(2026, 3, 13), 0, 52, 3962.10, 50.20, 145.02, 2.38},
        {date(2026, 3, 13), 0, 52, 5238.70, 1165.45, 219, 69.81},
        {date(2026, 3, 13), 0, 26, 3994.20, 78.90, 106.51, 2.96},
        {date(2026, 3, 13), 0, 26, 7923.30, 100.37, 289.99, 4.77},
        {date(2026, 3, 13), 0, 26, 10476.10, 2330.57, 437.92, 139.6},
        {date(2026, 3, 13), 0, 24, 4327.20, 85.47, 115.39, 3.21},
        {date(2026, 3, 13), 0, 24, 8584.10, 108.75, 314.17, 5.17},
        {date(2026, 3, 13), 0, 24, 11349.80, 2524.92, 474.45, 151.24},
        {date(2026, 3, 13), 0, 12, 8654.10, 170.95, 230.78, 6.41},
        {date(2026, 3, 13), 0, 12, 17167.90, 217.50, 628.36, 10.33},
        {date(2026, 3, 13), 0, 12, 22699.30, 5049.85, 948.9, 302.49},
        {date(2026, 3, 13), 0, 4, 25961.70, 512.82, 692.31, 19.23},
        {date(2026, 3, 13), 0, 4, 51503.00, 652.50, 1885.02, 30.99},
        {date(2026, 3, 13), 0, 4, 68096.90, 15149.22, 2846.63, 907.44},
        {date(2026, 3, 13), 0, 2, 51922.50, 1025.62, 1384.59, 38.46},
        {date(2026, 3, 13), 0, 2, 103005.00, 1305.00, 3769.99, 61.99},
        {date(2026, 3, 13), 0, 2, 136192.50, 30298.12, 5693.19, 1814.86},
        {date(2026, 3, 13), 0, 1, 103845.00, 2051.25, 2769.19, 76.92},
        {date(2026, 3, 13), 0, 1, 206010.00, 2610.00, 7539.98, 123.97},
        {date(2026, 3, 13), 0, 1, 272385.00, 60596.25, 11386.39, 3629.72},
        {date(2025, 3, 14), 0, 52, 1960.20, 38.42, 51.87, 1.44},
        {date(2025, 3, 14), 0, 52, 3874.30, 48.90, 141.26, 2.32},
        {date(2025, 3, 14), 0, 52, 5117.80, 1135.22, 213.32, 68},
        {date(2025, 3, 14), 0, 26, 3919.50, 76.82, 103.71, 2.88},
        {date(2025, 3, 14), 0, 26, 7749.40, 97.85, 282.56, 4.65},
        {date(2025, 3, 14), 0, 26, 10236.90, 2270.77, 426.72, 136.02},
        {date(2025, 3, 14), 0, 24, 4246.20, 83.22, 112.35, 3.12},
        {date(2025, 3, 14), 0, 24, 8395.10, 106.00, 306.1, 5.03},
        {date(2025, 3, 14), 0, 24, 11089.80, 2459.92, 462.25, 147.35},
        {date(2025, 3, 14), 0, 12, 8492.10, 166.45, 224.71, 6.24},
        {date(2025, 3, 14), 0, 12, 16789.90, 212.00, 612.2, 10.07},
        {date(2025, 3, 14), 0, 12, 22179.30, 4919.85, 924.51, 294.7},
        {date(2025, 3, 14), 0, 4, 25477.50, 499.37, 674.16, 18.73},
        {date(2025, 3, 14), 0, 4, 50369.20, 635.95, 1836.53, 30.21},
        {date(2025, 3, 14), 0, 4, 66536.90, 14759.22, 2773.44, 884.08},
        {date(2025, 3, 14), 0, 2, 50955.00, 998.75, 1348.31, 37.45},
        {date(2025, 3, 14), 0, 2, 100737.50, 1271.87, 3673.04, 60.41},
        {date(2025, 3, 14), 0, 2, 133072.50, 29518.12, 5546.82, 1768.14},
        {date(2025, 3, 14), 0, 1, 101910.00, 1997.50, 2696.63, 74.91},
        {date(2025, 3, 14), 0, 1, 201475.00, 2543.75, 7346.06, 120.83},
        {date(2025, 3, 14), 0, 1, 266145.00, 59036.25, 11093.63, 3536.27},
        {date(2024, 3, 15), 0, 52, 1917.00, 37.22, 50.25, 1.4},
        {date(2024, 3, 15), 0, 52, 3773.20, 47.42, 136.94, 2.25},
        {date(2024, 3, 15), 0, 52, 4978.70, 1100.45, 206.8, 65.92},
        {date(2024, 3, 15), 0, 26, 3834.90, 74.47, 100.54, 2.79},
        {date(2024, 3, 15), 0, 26, 7545.60, 94.80, 273.82, 4.5},
        {date(2024, 3, 15), 0, 26, 9956.10, 2200.57, 413.5, 131.81},
        {date(2024, 3, 15), 0, 24, 4154.40, 80.67, 108.91, 3.03},
        {date(2024, 3, 15), 0, 24, 8174.30, 102.70, 296.63, 4.88},
        {date(2024, 3, 15), 0, 24, 10785.60, 2383.87, 447.95, 142.79},
        {date(2024, 3, 15), 0, 12, 8308.50, 161.35, 217.82, 6.05},
        {date(2024, 3, 15), 0, 12, 16349.20, 205.42, 593.31, 9.76},
        {date(2024, 3, 15), 0, 12, 21572.20, 4768.07, 895.98, 285.61},
        {date(2024, 3, 15), 0, 4, 24926.70, 484.07, 653.5, 18.15},
        {date(2024, 3, 15), 0, 4, 49048.00, 616.25, 1779.9, 29.27},
        {date(2024, 3, 15), 0, 4, 64716.90, 14304.22, 2687.9, 856.82},
        {date(2024, 3, 15), 0, 2, 49852.50, 968.12, 1306.97, 36.3},
        {date(2024, 3, 15), 0, 2, 83305.00, 8627.50, 2857.24, 409.81},
        {date(2024, 3, 15), 0, 2, 129432.50, 28608.12, 5375.75, 1713.63},
        {date(2024, 3, 15), 0, 1, 99705.00, 1936.25, 2613.94, 72.61},
        {date(2024, 3, 15), 0, 1, 196190.00, 2465.00, 7119.53, 117.09},
        {date(2024, 3, 15), 0, 1, 258865.00, 57216.25, 10751.5, 3427.25},
    };
    static_assert(std::size(cases) == 63);
    for (const RowCase& c : cases) {
        Call call(ORLA_RI, c.payDate, c.periods, c.wages);
        call.state.stateFilingStatus = c.status;
        call.state.stateAllowances = 30;
        call.state.stateSuppWages = c.suppWages;
        call.state.stateSuppAggregate = 1;
        EXPECT_EQ(call.run(), 0u);
        const auto name = ::testing::Message() << c.payDate.year << " status " << c.status << " periods "
                                               << c.periods << " wages " << c.wages;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.wantTax) << name;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.wantSuppTax) << name;
    }
}

TEST(RhodeIsland, WorkedPays) {
    struct Case {
        const char* name;
        CalcDate payDate;
        int periods;
        int status;
        double wages;
        double wantTax;
    } const cases[] = {
        // At the weekly threshold the allowance counts: (5,573.08 - 3,586) x 0.0599 + 154.56
        {"at the threshold", date(2026, 3, 13), 52, 0, 5592.31, 273.59},
        {"above it", date(2026, 3, 13), 52, 0, 5592.32, 274.74},  // 5,592.32 taxable
        {"status 2 as 0", date(2026, 3, 13), 52, 2, 5592.32, 274.74},
        // Six pays: the annual threshold on 6 x wages; 289,400 or 291,000 taxable a year, divided by 6
        {"annual threshold kept", date(2026, 3, 13), 6, 1, 48400, 2367.1},
        {"annual threshold passed", date(2026, 3, 13), 6, 1, 48500, 2383.07},
        {"2025 weekly above", date(2025, 3, 14), 52, 1, 5447.13, 267.6},
        {"2024 weekly above", date(2024, 3, 15), 52, 1, 5281.74, 259.5},
    };
    for (const auto& c : cases) {
        Call call(ORLA_RI, c.payDate, c.periods, c.wages);
        call.state.stateFilingStatus = c.status;
        call.state.stateAllowances = 1;
        EXPECT_EQ(call.run(), 0u) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.wantTax) << c.name;
    }
}

TEST(RhodeIsland, FlatSupplementalAndFailures) {
    for (const int year : {2026, 2025, 2024}) {
        Call call(ORLA_RI, date(year, 3, 13), 52, 1000);
        call.state.stateSuppWages = 1000;
        EXPECT_EQ(call.run(), 0u);
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), 59.9) << year;
    }
    for (const auto& [status, periods] : {std::pair{3, 52}, std::pair{0, 0}}) {
        Call call(ORLA_RI, date(2026, 3, 13), 52, 1000);
        call.state.stateFilingStatus = status;
        call.state.statePayPeriods = periods;
        call.state.stateSuppWages = 1000;
        call.state.stateSuppTax = 9;
        EXPECT_EQ(call.run(calcRhodeIsland), 1);
        EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), 0);
    }
}

}  // namespace
}  // namespace orla
