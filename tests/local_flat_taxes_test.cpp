#include <gtest/gtest.h>

#include <cmath>

#include "local_records.h"

// Alabama, Colorado, Delaware and Missouri local taxes.
namespace orla {
namespace {

using testing::field;
using testing::kUntouched;
using testing::LocalCall;

constexpr CalcDate kJune2026 = date(2026, 6, 15);

// Every Alabama locality, in every table year: the rate on 1,000 of local wages. Southside shares
// Beaverton's code 25 and so gets Beaverton's rate.
TEST(AlabamaLocal, EveryLocalityAndYear) {
    struct Row {
        int code;
        const char* name;
        double rate;
    };
    const Row rows[] = {
        {0, "None", 0},
        {1, "Attalla", 0.02},
        {2, "Auburn", 0.01},
        {3, "Bear Creek", 0.01},
        {25, "Beaverton", 0.01},
        {4, "Bessemer", 0.01},
        {5, "Birmingham", 0.01},
        {6, "Brilliant", 0.01},
        {26, "Fort Deposit", 0.1},
        {7, "Fairfield", 0.01},
        {8, "Gadsden", 0.02},
        {9, "Glencoe", 0.02},
        {10, "Goodwater", 0.0075},
        {11, "Guin", 0.01},
        {12, "Hackleburg", 0.01},
        {13, "Haleyville", 0.01},
        {14, "Hamilton", 0.01},
        {15, "Leeds", 0.01},
        {16, "Lynn", 0.01},
        {27, "Macon County", 0.01},
        {18, "Mosses", 0.01},
        {19, "Opelika", 0.015},
        {20, "Rainbow City", 0.02},
        {21, "Red Bay", 0.005},
        {22, "Shorter", 0.01},
        {25, "Southside", 0.02},
        {23, "Sulligent", 0.01},
        {24, "Tuskegee", 0.03},
    };
    for (const int year : {2024, 2025, 2026}) {
        for (const Row& r : rows) {
            LocalCall call(ORLA_AL, date(year, 3, 1), 26, 1000, r.code);
            call.local.localSuppWages = 100;
            EXPECT_EQ(call.run(calcLocalAlabama), 0);
            const double rate = r.code == 25 ? 0.01 : r.rate;
            EXPECT_DOUBLE_EQ(field(call.local.localTax), 1000 * rate) << r.name << " " << year;
            EXPECT_DOUBLE_EQ(field(call.local.localSuppTax), 100 * rate) << r.name << " " << year;
        }
    }
}

TEST(AlabamaLocal, ThroughTheLocalExport) {
    LocalCall birmingham(ORLA_AL, kJune2026, 26, 1500, 5);
    birmingham.local.localExtraWithholding = 2;
    EXPECT_EQ(birmingham.calcCounty(), 0);
    EXPECT_DOUBLE_EQ(field(birmingham.local.localTax), 17.00);
    LocalCall tuskegee(ORLA_AL, kJune2026, 26, 1500, 24);
    EXPECT_EQ(tuskegee.calcLocal(), 0);
    EXPECT_DOUBLE_EQ(field(tuskegee.local.localTax), 45.00);
    // No row: the additional withholding alone, and no failure.
    LocalCall unknown(ORLA_AL, date(2027, 1, 15), 26, 1500, 5);
    unknown.local.localExtraWithholding = 2;
    EXPECT_EQ(unknown.run(calcLocalAlabama), 0);
    EXPECT_DOUBLE_EQ(field(unknown.local.localTax), 2.00);
}

// Colorado, with 12 periods (monthly wages are the state wages): a cent above the threshold owes the
// monthly amounts, the threshold itself owes nothing.
TEST(ColoradoLocal, EveryCityAtItsThreshold) {
    struct Row {
        int code;
        double threshold, employee, employer;
    };
    const Row rows[] = {
        {1, 500, 5.75, 4.00}, {2, 250, 2.00, 2.00}, {3, 250, 2.00, 2.00}, {4, 500, 3.00, 3.00}, {5, 750, 5.00, 5.00},
    };
    for (const int year : {2024, 2025, 2026}) {
        for (const Row& r : rows) {
            const bool owed = !(r.code == 2 && year == 2026);  // Aurora's tax ends with 2025
            LocalCall above(ORLA_CO, date(year, 5, 1), 12, r.threshold + 0.01, r.code);
            EXPECT_EQ(above.run(calcLocalColorado), 0);
            EXPECT_DOUBLE_EQ(field(above.local.localTax), owed ? r.employee : 0.0) << r.code << " " << year;
            EXPECT_DOUBLE_EQ(field(above.local.workLocalityTax), owed ? r.employer : 0.0) << r.code << " " << year;
            LocalCall at(ORLA_CO, date(year, 5, 1), 12, r.threshold, r.code);
            EXPECT_EQ(at.run(calcLocalColorado), 0);
            EXPECT_DOUBLE_EQ(field(at.local.localTax), 0.0) << r.code << " " << year;
        }
    }
}

TEST(ColoradoLocal, PerPayAmountsAndSupplemental) {
    LocalCall denver(ORLA_CO, kJune2026, 26, 300, 1);
    denver.local.localSuppWages = 300;
    denver.local.localExtraWithholding = 1;
    EXPECT_EQ(denver.calcLocal(), 0);
    EXPECT_DOUBLE_EQ(field(denver.local.localTax), 3.65);
    EXPECT_DOUBLE_EQ(field(denver.local.workLocalityTax), 1.85);
    EXPECT_DOUBLE_EQ(field(denver.local.localSuppTax), 2.65);

    LocalCall below(ORLA_CO, kJune2026, 26, 200, 1);  // 433.33 a month
    EXPECT_EQ(below.run(calcLocalColorado), 0);
    EXPECT_DOUBLE_EQ(field(below.local.localTax), 0.0);

    LocalCall noPeriods(ORLA_CO, kJune2026, 0, 3000, 1);
    noPeriods.local.localPayPeriods = 0;
    EXPECT_EQ(noPeriods.run(calcLocalColorado), 0);
    EXPECT_DOUBLE_EQ(field(noPeriods.local.localTax), 0.0);
}

TEST(DelawareLocal, Wilmington) {
    for (const int year : {2024, 2025, 2026}) {
        LocalCall call(ORLA_DE, date(year, 2, 1), 26, 2000, 1);
        call.local.localSuppWages = 500;
        call.local.localSuppTax = kUntouched;
        EXPECT_EQ(call.run(calcLocalDelaware), 0);
        EXPECT_NEAR(field(call.local.localTax), 25.00, 1e-9) << year;
        EXPECT_DOUBLE_EQ(field(call.local.localSuppTax), 0.0) << year;  // nothing withheld on supplemental wages
    }
    // No pay periods: taken as one, still the state wages at the rate (no division by 0).
    LocalCall once(ORLA_DE, kJune2026, 26, 2000, 1);
    once.local.localPayPeriods = 0;
    EXPECT_EQ(once.run(calcLocalDelaware), 0);
    EXPECT_NEAR(field(once.local.localTax), 25.00, 1e-9);
    LocalCall none(ORLA_DE, kJune2026, 26, 2000, 0);
    none.local.localExtraWithholding = 3;
    EXPECT_EQ(none.calcLocal(), 0);
    EXPECT_DOUBLE_EQ(field(none.local.localTax), 3.00);
}

TEST(MissouriLocal, CitiesAndNone) {
    struct Case {
        int code;
        double wages, extra, supplemental, wantTax, wantSupp;
    };
    const Case cases[] = {
        {2, 3000, 5, 0, 35.00, 0},
        {1, 3000, 0, 1000, 30.00, 10.00},
        {0, 3000, 5, 1000, 5.00, kUntouched},
        {3, 3000, 5, 1000, 5.00, kUntouched},
    };
    for (const auto& c : cases) {
        LocalCall call(ORLA_MO, kJune2026, 26, c.wages, c.code);
        call.local.localExtraWithholding = c.extra;
        call.local.localSuppWages = c.supplemental;
        call.local.localSuppTax = kUntouched;
        EXPECT_EQ(call.run(calcLocalMissouri), 0);
        EXPECT_DOUBLE_EQ(field(call.local.localTax), c.wantTax) << c.code;
        EXPECT_DOUBLE_EQ(field(call.local.localSuppTax), c.wantSupp) << c.code;
    }
}

}  // namespace
}  // namespace orla
