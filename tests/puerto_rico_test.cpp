#include <gtest/gtest.h>

#include "state/calculators.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::Call;
using testing::field;
using testing::sameDate;

Call puertoRico(CalcDate payDate, int periods, double wages, int code, int dependents = 0, int veteran = 0,
                int units = 0) {
    Call call(ORLA_PR, payDate, periods, wages);
    call.state.stateExemptions[0] = code;
    call.state.stateExemptions[1] = dependents;
    call.state.stateExemptions[2] = veteran;
    call.state.stateExemptions[3] = units;
    return call;
}

// Every rate row: a taxable amount inside each row of each period group, for every rate status (the codes
// 1, 3, 6 and 8 have no personal exemption) and every year.
TEST(PuertoRico, RateRows) {
    struct Case {
        int periods;
        double taxable;
        double want;  // taxable x rate - subtraction
    } const cases[] = {
        {1, 5000, 0}, {1, 20000, 770}, {1, 30000, 1820}, {1, 50000, 5555}, {1, 80000, 14535},
        {12, 500, 0}, {12, 1500, 52.5}, {12, 3000, 221.7}, {12, 4000, 421.3}, {12, 6000, 991.3},
        {24, 300, 0}, {24, 800, 29.7}, {24, 1500, 110.8}, {24, 2000, 210.6}, {24, 3000, 495.6},
        {26, 300, 0}, {26, 700, 24.8}, {26, 1500, 118.5}, {26, 2000, 232.9}, {26, 3000, 533.7},
        // The third biweekly row runs to 1,596.2, past the fourth row's low of 1,196
        {26, 1200, 76.5},
        {52, 100, 0}, {52, 300, 8.9}, {52, 600, 38.2}, {52, 1000, 116.4}, {52, 1500, 266.8},
    };
    for (const Case& c : cases)
        for (const int code : {1, 3, 6, 8})
            for (const int year : {2026, 2025, 2024}) {
                Call call = puertoRico(date(year, 3, 15), c.periods, c.taxable, code);
                EXPECT_EQ(call.run(calcPuertoRico), 0);
                EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.want)
                    << year << " code " << code << " periods " << c.periods << " taxable " << c.taxable;
                EXPECT_TRUE(sameDate(call.state.stateTableDate, date(2017, 3, 15)));
            }
}

// The exemption amounts of every period group: personal, per dependent, per deduction unit and veteran.
TEST(PuertoRico, Exemptions) {
    struct Case {
        int periods;
        std::initializer_list<int> codes;
        int dependents;
        int units;
        int veteran;
        double wages;
        double want;
    } const cases[] = {
        // 1,000 - 3 x 9.5 - 2 x 48 - 67 - 29 = 779.5: 779.5 x 0.14 - 45.8
        {52, {0, 5, 7}, 2, 3, 1, 1000, 63.33},
        {52, {2}, 0, 0, 0, 1000, 99.65},
        {52, {4}, 0, 0, 0, 1000, 82.65},
        {52, {1, 3, 6, 8}, 1, 1, 1, 1000, 94.78},
        {26, {0, 5, 7}, 2, 3, 1, 2000, 126.69},
        {26, {2}, 0, 0, 0, 2000, 199.15},
        {26, {4}, 0, 0, 0, 2000, 165.4},
        {26, {1, 3, 6, 8}, 1, 1, 1, 2000, 189.77},
        {24, {0, 5, 7}, 2, 3, 1, 2200, 141.67},
        {24, {2}, 0, 0, 0, 2200, 224.1},
        {24, {4}, 0, 0, 0, 2200, 187.6},
        {24, {1, 3, 6, 8}, 1, 1, 1, 2200, 213.73},
        {12, {0, 5, 7}, 2, 3, 1, 4500, 306.92},
        {12, {2}, 0, 0, 0, 4500, 473.3},
        {12, {4}, 0, 0, 0, 4500, 400.55},
        {12, {1, 3, 6, 8}, 1, 1, 1, 4500, 452.67},
        {1, {0, 5, 7}, 2, 3, 1, 50000, 3010},
        {1, {2}, 0, 0, 0, 50000, 5230},  // the annual personal exemption of code 2 is 1,300
        {1, {4}, 0, 0, 0, 50000, 3805},
        {1, {1, 3, 6, 8}, 1, 1, 1, 50000, 4430},
    };
    for (const Case& c : cases)
        for (const int code : c.codes)
            for (const int year : {2026, 2025, 2024}) {
                Call call = puertoRico(date(year, 3, 15), c.periods, c.wages, code, c.dependents, c.veteran, c.units);
                EXPECT_EQ(call.run(calcPuertoRico), 0);
                EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.want)
                    << year << " code " << code << " periods " << c.periods;
            }
}

TEST(PuertoRico, WorkedPays) {
    struct Case {
        const char* name;
        int periods;
        int veteran;
        double wages;
        double want;
    } const cases[] = {
        {"semimonthly taxable 2000", 24, 0, 2000, 210.6},  // 2,000 x 0.25 - 289.4
        {"negative veteran flag", 24, -1, 2000, 210.6},
        {"veteran", 24, 1, 2000, 194.98},  // 1,937.5 x 0.25 - 289.4 = 194.975
        // Quarterly: no exemption row, the annual rows on 4 x 5,000: (20,000 x 0.07 - 630) / 4
        {"quarterly", 4, 1, 5000, 192.5},
    };
    for (const auto& c : cases) {
        Call call = puertoRico(date(2026, 3, 13), c.periods, c.wages, 1, 0, c.veteran);
        call.pay.stateTaxableIncome = 5;
        EXPECT_EQ(call.run(), 0u) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.want) << c.name;
        EXPECT_EQ(call.pay.stateTaxableIncome, 0) << c.name;
    }
}

TEST(PuertoRico, Supplemental) {
    struct Case {
        const char* name;
        int method;
        double want;
    } const cases[] = {
        {"flat", 0, 70},
        {"any other method is flat", 2, 70},
        // 3,000 x 0.33 - 494.4 = 495.6, less the 210.6 of the wages
        {"aggregate", 1, 285},
    };
    for (const auto& c : cases) {
        Call call = puertoRico(date(2026, 3, 13), 24, 2000, 1);
        call.state.stateSuppWages = 1000;
        call.state.stateSuppAggregate = c.method;
        EXPECT_EQ(call.run(), 0u) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.want) << c.name;
    }
}

// A code without rate rows, a year without rows and no pay periods report failure (the driver's fallback
// then runs); a 2027 pay is taxed with the 2026 rows.
TEST(PuertoRico, Failures) {
    for (const auto& [code, periods] : {std::pair{9, 24}, std::pair{-1, 24}, std::pair{1, 0}}) {
        Call call = puertoRico(date(2026, 3, 13), periods, 2000, code);
        call.state.stateSuppWages = 1000;
        call.state.stateSuppTax = 9;
        EXPECT_EQ(call.run(calcPuertoRico), 1) << code;
        EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), 0);
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), 0);
    }
    Call late = puertoRico(date(2028, 3, 13), 24, 2000, 1);
    EXPECT_EQ(late.run(calcPuertoRico), 1);
    EXPECT_EQ(late.state.status, ORLA_STATE_NO_ROW);
    EXPECT_NE(late.run() & ORLA_FLAG_STATE, 0u);

    Call next = puertoRico(date(2027, 3, 12), 24, 2000, 1);
    EXPECT_EQ(next.run(), 0u);
    EXPECT_DOUBLE_EQ(field(next.state.stateTax), 210.6);
}

// The supplemental fields are used only by a record that declares them, and each election only when the
// declared size holds it whole (an election left out counts as 0).
TEST(PuertoRico, RecordSizes) {
    for (const int size : {144, 145, 175, 176, 179, 180, 183, 184, 187, 188, 191, 192}) {
        Call call = puertoRico(date(2026, 3, 13), 24, 2000, 4, 1, 1, 2);
        call.state.recordSize = size;
        call.state.stateSuppWages = 1000;
        call.state.stateSuppTax = 9;
        EXPECT_EQ(call.run(calcPuertoRico), 0) << size;
        // Code 0 or 4 (personal 146 or 292), then one dependent (104), the veteran (62.5), 2 units (42)
        double taxable = 2000 - (size >= 180 ? 292 : 146);
        if (size >= 184) taxable -= 104;
        if (size >= 188) taxable -= 62.5;
        if (size >= 192) taxable -= 42;
        const double want = taxable >= 1729.2 ? taxable * 0.25 - 289.4 : taxable * 0.14 - 99.2;
        EXPECT_NEAR(field(call.state.stateTax), want, 0.006) << size;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), size >= 176 ? 70 : 9) << size;
    }
}

}  // namespace
}  // namespace orla
