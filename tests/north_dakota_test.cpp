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

// One pay on every row of distinct values (the 2025 rows repeat those of 2026), five allowances, with a
// bonus by the aggregate method: the row's tax lies just past a half dollar, so a low or base one unit
// higher, or a rate or allowance amount one unit off, changes a result.
TEST(NorthDakota, EveryRow) {
    // Status 16 to 18: the certificate rows.
    const RowCase cases[] = {
        {date(2026, 3, 13), 16, 1, 50377.50, 1399.37, 0, 0},
        {date(2026, 3, 13), 16, 1, 56000.65, 51.26, 1, 1},
        {date(2026, 3, 13), 16, 1, 253351.81, 39.98, 3855, 1},
        {date(2026, 3, 13), 17, 1, 49939.20, 1387.20, 0, 0},
        {date(2026, 3, 13), 17, 1, 55513.65, 51.26, 1, 1},
        {date(2026, 3, 13), 17, 1, 165068.81, 39.98, 2143, 1},
        {date(2026, 3, 13), 18, 1, 68580.00, 1905.00, 0, 0},
        {date(2026, 3, 13), 18, 1, 76225.65, 51.26, 1, 1},
        {date(2026, 3, 13), 18, 1, 283730.01, 39.98, 4053, 1},
        {date(2026, 3, 13), 0, 52, 1453.40, 26.90, 0, 0},
        {date(2026, 3, 13), 0, 52, 1586.65, 51.26, 1, 1},
        {date(2026, 3, 13), 0, 52, 6371.81, 39.98, 100, 1},
        {date(2026, 3, 13), 1, 52, 1445.30, 26.67, 0, 0},
        {date(2026, 3, 13), 1, 52, 1577.65, 51.26, 1, 1},
        {date(2026, 3, 13), 1, 52, 4671.21, 39.98, 67, 1},
        {date(2026, 3, 13), 0, 26, 2907.70, 53.82, 0, 0},
        {date(2026, 3, 13), 0, 26, 3148.65, 51.26, 1, 1},
        {date(2026, 3, 13), 0, 26, 11684.61, 39.98, 173, 1},
        {date(2026, 3, 13), 1, 26, 2890.60, 53.35, 0, 0},
        {date(2026, 3, 13), 1, 26, 3129.65, 51.26, 1, 1},
        {date(2026, 3, 13), 1, 26, 8282.61, 39.98, 107, 1},
        {date(2026, 3, 13), 0, 24, 3148.80, 58.30, 0, 0},
        {date(2026, 3, 13), 0, 24, 3407.65, 51.26, 1, 1},
        {date(2026, 3, 13), 0, 24, 12602.01, 39.98, 186, 1},
        {date(2026, 3, 13), 1, 24, 3130.80, 57.80, 0, 0},
        {date(2026, 3, 13), 1, 24, 3387.65, 51.26, 1, 1},
        {date(2026, 3, 13), 1, 24, 8897.01, 39.98, 114, 1},
        {date(2026, 3, 13), 0, 12, 6298.50, 116.62, 0, 0},
        {date(2026, 3, 13), 0, 12, 6790.65, 51.26, 1, 1},
        {date(2026, 3, 13), 0, 12, 24144.61, 39.98, 345, 1},
        {date(2026, 3, 13), 1, 12, 6261.60, 115.60, 0, 0},
        {date(2026, 3, 13), 1, 12, 6749.65, 51.26, 1, 1},
        {date(2026, 3, 13), 1, 12, 16774.01, 39.98, 202, 1},
        {date(2026, 3, 13), 0, 4, 18934.60, 349.85, 0, 0},
        {date(2026, 3, 13), 0, 4, 20359.65, 51.26, 1, 1},
        {date(2026, 3, 13), 0, 4, 70433.01, 39.98, 983, 1},
        {date(2026, 3, 13), 1, 4, 18824.80, 346.80, 0, 0},
        {date(2026, 3, 13), 1, 4, 20237.65, 51.26, 1, 1},
        {date(2026, 3, 13), 1, 4, 48362.21, 39.98, 555, 1},
        {date(2026, 3, 13), 0, 2, 37814.20, 699.70, 0, 0},
        {date(2026, 3, 13), 0, 2, 40638.65, 51.26, 1, 1},
        {date(2026, 3, 13), 0, 2, 139791.61, 39.98, 1940, 1},
        {date(2026, 3, 13), 1, 2, 37594.60, 693.60, 0, 0},
        {date(2026, 3, 13), 1, 2, 40394.65, 51.26, 1, 1},
        {date(2026, 3, 13), 1, 2, 95649.61, 39.98, 1084, 1},
        {date(2026, 3, 13), 0, 1, 75627.50, 1399.37, 0, 0},
        {date(2026, 3, 13), 0, 1, 81250.65, 51.26, 1, 1},
        {date(2026, 3, 13), 0, 1, 278601.81, 39.98, 3855, 1},
        {date(2026, 3, 13), 1, 1, 75189.20, 1387.20, 0, 0},
        {date(2026, 3, 13), 1, 1, 80763.65, 51.26, 1, 1},
        {date(2026, 3, 13), 1, 1, 190318.81, 39.98, 2143, 1},
        {date(2026, 3, 13), 0, 365, 288.50, 5.37, 0, 0},
        {date(2026, 3, 13), 0, 365, 335.65, 51.26, 1, 1},
        {date(2026, 3, 13), 0, 365, 2096.21, 39.98, 41, 1},
        {date(2026, 3, 13), 1, 365, 286.70, 5.32, 0, 0},
        {date(2026, 3, 13), 1, 365, 333.65, 51.26, 1, 1},
        {date(2026, 3, 13), 1, 365, 1740.01, 39.98, 34, 1},
        {date(2024, 3, 15), 16, 1, 46822.50, 1300.62, 0, 0},
        {date(2024, 3, 15), 16, 1, 52050.65, 51.26, 1, 1},
        {date(2024, 3, 15), 16, 1, 234279.81, 39.98, 3560, 1},
        {date(2024, 3, 15), 17, 1, 46777.50, 1299.37, 0, 0},
        {date(2024, 3, 15), 17, 1, 52000.65, 51.26, 1, 1},
        {date(2024, 3, 15), 17, 1, 153153.61, 39.98, 1979, 1},
        {date(2024, 3, 15), 18, 1, 63810.00, 1772.50, 0, 0},
        {date(2024, 3, 15), 18, 1, 70925.65, 51.26, 1, 1},
        {date(2024, 3, 15), 18, 1, 262532.01, 39.98, 3743, 1},
        {date(2024, 3, 15), 0, 52, 1357.30, 26.17, 0, 0},
        {date(2024, 3, 15), 0, 52, 1487.65, 51.26, 1, 1},
        {date(2024, 3, 15), 0, 52, 6170.41, 39.98, 98, 1},
        {date(2024, 3, 15), 1, 52, 1349.20, 25.95, 0, 0},
        {date(2024, 3, 15), 1, 52, 1478.65, 51.26, 1, 1},
        {date(2024, 3, 15), 1, 52, 4520.01, 39.98, 66, 1},
        {date(2024, 3, 15), 0, 26, 2709.60, 52.35, 0, 0},
        {date(2024, 3, 15), 0, 26, 2944.65, 51.26, 1, 1},
        {date(2024, 3, 15), 0, 26, 11275.41, 39.98, 169, 1},
        {date(2024, 3, 15), 1, 26, 2693.40, 51.90, 0, 0},
        {date(2024, 3, 15), 1, 26, 2926.65, 51.26, 1, 1},
        {date(2024, 3, 15), 1, 26, 7974.61, 39.98, 105, 1},
        {date(2024, 3, 15), 0, 24, 2937.10, 56.72, 0, 0},
        {date(2024, 3, 15), 0, 24, 3189.65, 51.26, 1, 1},
        {date(2024, 3, 15), 0, 24, 12135.21, 39.98, 181, 1},
        {date(2024, 3, 15), 1, 24, 2919.10, 56.22, 0, 0},
        {date(2024, 3, 15), 1, 24, 3169.65, 51.26, 1, 1},
        {date(2024, 3, 15), 1, 24, 8572.01, 39.98, 112, 1},
        {date(2024, 3, 15), 0, 12, 5874.20, 113.45, 0, 0},
        {date(2024, 3, 15), 0, 12, 6353.65, 51.26, 1, 1},
        {date(2024, 3, 15), 0, 12, 23250.41, 39.98, 336, 1},
        {date(2024, 3, 15), 1, 12, 5839.10, 112.47, 0, 0},
        {date(2024, 3, 15), 1, 12, 6314.65, 51.26, 1, 1},
        {date(2024, 3, 15), 1, 12, 16125.01, 39.98, 198, 1},
        {date(2024, 3, 15), 0, 4, 17626.70, 340.32, 0, 0},
        {date(2024, 3, 15), 0, 4, 19013.65, 51.26, 1, 1},
        {date(2024, 3, 15), 0, 4, 67755.61, 39.98, 957, 1},
        {date(2024, 3, 15), 1, 4, 17522.30, 337.42, 0, 0},
        {date(2024, 3, 15), 1, 4, 18897.65, 51.26, 1, 1},
        {date(2024, 3, 15), 1, 4, 46300.01, 39.98, 541, 1},
        {date(2024, 3, 15), 0, 2, 35252.50, 680.62, 0, 0},
        {date(2024, 3, 15), 0, 2, 38000.65, 51.26, 1, 1},
        {date(2024, 3, 15), 0, 2, 134530.41, 39.98, 1889, 1},
        {date(2024, 3, 15), 1, 2, 35044.60, 674.85, 0, 0},
        {date(2024, 3, 15), 1, 2, 37769.65, 51.26, 1, 1},
        {date(2024, 3, 15), 1, 2, 91580.01, 39.98, 1056, 1},
        {date(2024, 3, 15), 0, 1, 68322.50, 1300.62, 0, 0},
        {date(2024, 3, 15), 0, 1, 73550.65, 51.26, 1, 1},
        {date(2024, 3, 15), 0, 1, 255779.81, 39.98, 3560, 1},
        {date(2024, 3, 15), 1, 1, 68277.50, 1299.37, 0, 0},
        {date(2024, 3, 15), 1, 1, 73500.65, 51.26, 1, 1},
        {date(2024, 3, 15), 1, 1, 174653.61, 39.98, 1979, 1},
        {date(2024, 3, 15), 0, 365, 273.10, 5.22, 0, 0},
        {date(2024, 3, 15), 0, 365, 319.65, 51.26, 1, 1},
        {date(2024, 3, 15), 0, 365, 2035.81, 39.98, 40, 1},
        {date(2024, 3, 15), 1, 365, 272.20, 5.20, 0, 0},
        {date(2024, 3, 15), 1, 365, 318.65, 51.26, 1, 1},
        {date(2024, 3, 15), 1, 365, 1722.21, 39.98, 34, 1},
    };
    static_assert(std::size(cases) == 114);
    for (const RowCase& c : cases) {
        Call call(ORLA_ND, c.payDate, c.periods, c.wages);
        const bool certificate = c.status >= 16;
        call.state.stateCertField1 = certificate ? 1 : 0;
        call.state.stateFilingStatus = certificate ? c.status - 16 : c.status;
        call.state.stateAllowances = 5;
        call.state.stateSuppWages = c.suppWages;
        call.state.stateSuppAggregate = 1;
        EXPECT_EQ(call.run(calcNorthDakota), 0);
        const auto name = ::testing::Message() << c.payDate.year << " status " << c.status << " periods "
                                               << c.periods << " wages " << c.wages;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.wantTax) << name;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.wantSuppTax) << name;
    }
}

TEST(NorthDakota, Certificate) {
    struct Case {
        const char* name;
        int recordSize;
        int filingStatus;
        double otherIncome;
        double deductions;
        double wantTax;
    } const cases[] = {
        // Biweekly 3,000 by the annual rows: 78,000 - 55,975 = 22,025 x 0.0195 / 26 = 16.52
        {"single", int{sizeof(StateRecord)}, 0, 0, 0, 17},
        {"status 12 as single", int{sizeof(StateRecord)}, 12, 0, 0, 17},
        // 78,000 + 26,000 - 13,000 = 91,000: (91,000 - 55,488) x 0.0195 / 26 = 26.63
        {"married, other income and deductions", int{sizeof(StateRecord)}, 1, 26000, 13000, 27},
        {"head of household", int{sizeof(StateRecord)}, 2, 0, 0, 1},  // (78,000 - 76,200) x 0.0195 / 26
        // The deductions need the whole field: 243 bytes leave them out
        {"deductions not held", 243, 1, 26000, 13000, 36},  // 104,000: 945.98 / 26
        // Without the certificate field the allowances count: 3,000 - 5 x 194 = 2,030 on the biweekly rows
        {"certificate not held", 215, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        Call call(ORLA_ND, date(2026, 3, 13), 26, 3000);
        call.state.recordSize = c.recordSize;
        call.state.stateCertField1 = 1;
        call.state.stateFilingStatus = c.filingStatus;
        call.state.stateAllowances = 5;
        call.state.stateCertAmount1 = c.otherIncome;
        call.state.stateCertAmount2 = c.deductions;
        EXPECT_EQ(call.run(calcNorthDakota), 0) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.wantTax) << c.name;
    }
}

TEST(NorthDakota, Supplemental) {
    struct Case {
        const char* name;
        int method;
        double suppWages;
        double want;
    } const cases[] = {
        {"flat", 0, 1000, 15},
        {"flat in whole dollars", 0, 1100, 17},  // 16.50
        // Weekly 2,000 - 97 = 1,903: 16.1265; with -1,000 of bonus 903 is taxed 0, and -16.1265 in whole
        // dollars is -15 (negative amounts round toward zero from the half)
        {"aggregate negative", 1, -1000, -15},
        {"aggregate", 1, 1000, 20},  // 2,903: (2,903 - 1,076) x 0.0195 = 35.6265, 19.5 more
        {"other method", 2, 1000, 0},
    };
    for (const auto& c : cases) {
        Call call(ORLA_ND, date(2026, 3, 13), 52, 2000);
        call.state.stateAllowances = 1;
        call.state.stateSuppWages = c.suppWages;
        call.state.stateSuppAggregate = c.method;
        call.state.stateSuppTax = 9;
        EXPECT_EQ(call.run(calcNorthDakota), 0) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.want) << c.name;
    }
}

TEST(NorthDakota, Failures) {
    for (const auto& [status, periods] : {std::pair{2, 52}, std::pair{0, 0}}) {
        Call call(ORLA_ND, date(2026, 3, 13), 52, 1000);
        call.state.stateFilingStatus = status;
        call.state.statePayPeriods = periods;
        call.state.stateSuppWages = 100;
        call.state.stateSuppTax = 9;
        EXPECT_EQ(call.run(calcNorthDakota), 1) << status;
        EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), 0);
    }
}

}  // namespace
}  // namespace orla
