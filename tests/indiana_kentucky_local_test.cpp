#include <gtest/gtest.h>

#include "federal/federal.h"
#include "long_list_locals.h"

namespace orla {
namespace {

using testing::field;
using testing::kUntouched;
using testing::listEntry;
using testing::LocalCall;
using testing::rounded;

constexpr int kMarion = 49, kDecatur = 16;

LocalCall inCall(CalcDate d, int county, int periods, double wages, int exemptions = 1) {
    LocalCall c(ORLA_IN, d, periods, wages, county);
    c.local.localExemptions = exemptions;
    c.local.localResident = 1;
    return c;
}

TEST(IndianaLocal, CountyRatesOnTheStateWageBase) {
    struct Case {
        const char* name;
        CalcDate d;
        int county, periods;
        double wages, want;
    };
    for (const Case& k : {Case{"Marion", date(2026, 3, 1), kMarion, 26, 2000, 39.62},
                          Case{"Allen", date(2026, 3, 1), 2, 26, 2000, 31.19},
                          Case{"Hamilton", date(2026, 3, 1), 29, 26, 2000, 21.58},
                          Case{"Vanderburgh", date(2026, 3, 1), 82, 26, 2000, 24.52},
                          Case{"Lake", date(2026, 3, 1), 99, 26, 2000, 29.42},
                          Case{"Clark", date(2026, 3, 1), 93, 26, 2000, 39.23},
                          Case{"Carroll changed for 2026", date(2026, 3, 1), 8, 12, 1083.33, 24.73},
                          Case{"Carroll 2025", date(2025, 3, 1), 8, 12, 1083.33, 22.73},
                          Case{"Decatur until September 2024", date(2024, 9, 30), kDecatur, 12, 1083.33, 25.00},
                          Case{"Decatur from October 2024", date(2024, 10, 1), kDecatur, 12, 1083.33, 24.50},
                          Case{"Jennings, 39 in the county list", date(2026, 3, 1), 39, 12, 1083.33, 25.00},
                          Case{"Brown as published", date(2026, 3, 1), 7, 1, 101000, 2523.40},
                          Case{"annual rows for 4 periods", date(2026, 3, 1), kMarion, 4, 2000, 35.35},
                          Case{"a county without a row", date(2026, 3, 1), 40, 26, 2000, 0}}) {
        LocalCall c = inCall(k.d, k.county, k.periods, k.wages);
        c.local.localExtraWithholding = 1;
        EXPECT_EQ(c.run(calcLocalIndiana), 0) << k.name;
        EXPECT_DOUBLE_EQ(field(c.local.localTax), k.want + 1) << k.name;
    }
    LocalCall annual = inCall(date(2026, 3, 1), kMarion, 4, 2000);
    annual.run(calcLocalIndiana);
    EXPECT_EQ(annual.pay.stateTaxableIncome, 2);
}

TEST(IndianaLocal, DependentsResidenceAndRecordSizes) {
    // One dependent, one additional and one adopted dependent: 57.69 + 115.38 + 57.69 less.
    LocalCall deps = inCall(date(2026, 3, 1), kMarion, 26, 2000);
    deps.state.stateDependentExemptions = 1;
    deps.state.stateCertField1 = 1;
    deps.state.stateCertField2 = 1;
    EXPECT_EQ(deps.run(calcLocalIndiana), 0);
    EXPECT_DOUBLE_EQ(field(deps.local.localTax), 34.96);
    deps.state.recordSize = 264;  // counts no dependents
    deps.run(calcLocalIndiana);
    EXPECT_DOUBLE_EQ(field(deps.local.localTax), 39.62);

    // Resident and non-resident rates are equal in every row; the non-resident one is read.
    LocalCall non = inCall(date(2026, 3, 1), kMarion, 26, 2000);
    non.local.localResident = 0;
    EXPECT_EQ(non.run(calcLocalIndiana), 0);
    EXPECT_DOUBLE_EQ(field(non.local.localTax), 39.62);

    for (const auto& [size, want] : {std::pair{60, kUntouched}, std::pair{163, kUntouched}, std::pair{164, 20.2}}) {
        LocalCall c = inCall(date(2026, 3, 1), kMarion, 26, 2000);
        c.local.recordSize = size;
        c.local.localSuppWages = 1000;
        c.local.localSuppTax = kUntouched;
        EXPECT_EQ(c.run(calcLocalIndiana), 0);
        EXPECT_NEAR(field(c.local.localSuppTax), want, 1e-9) << size;
    }
    // No withholding row: 2023, or periods below 1 that no row serves.
    for (const auto& [d, periods] : {std::pair{date(2023, 6, 1), 26}, std::pair{date(2026, 6, 1), 0}}) {
        LocalCall c = inCall(d, kMarion, periods, 2000);
        c.local.localExtraWithholding = 5;
        EXPECT_EQ(c.run(calcLocalIndiana), 1);
        EXPECT_EQ(c.local.localStatus, 1);
        EXPECT_DOUBLE_EQ(field(c.local.localTax), 0);
    }
}

// ---- Kentucky -------------------------------------------------------------------------------------------
constexpr int kSchools = 0, kCities = 1, kCounties = 2;

LocalCall kyCall(int table, int code, double ytd, double wages, CalcDate d = date(2026, 4, 1)) {
    LocalCall c(ORLA_KY, d, 26, wages, code);
    c.local.localTaxType = table;
    c.local.overrideYtd = ytd;
    return c;
}

TEST(KentuckyLocal, BandsOnTheYearToDateWages) {
    const double base = ssWageBaseFor(date(2026, 4, 1));
    ASSERT_GT(base, 0);
    struct Case {
        const char* name;
        int table, code;
        double ytd, wages, want;
    };
    for (const Case& k : {Case{"Augusta to its cap", kCities, 2124, 70000, 5000, 25.00},
                          Case{"Augusta past its cap", kCities, 2124, 72000, 5000, 0},
                          Case{"Alexandria to the wage base", kCities, 2105, base - 1000, 5000, 15.00},
                          Case{"Wilder to the wage base", kCities, 1037, base - 100, 5000, 2.25},
                          Case{"Warsaw below the wage base", kCities, 1034, 0, 5000, 50.00},
                          Case{"Covington to its cap", kCities, 2057, 1599000, 2000, 25.00},
                          Case{"Louisville", kCities, 2108, 0, 1000, 22.00},
                          Case{"Bowling Green", kCities, 2099, 0, 1000, 20.00},
                          Case{"Owensboro", kCities, 2077, 0, 1000, 17.80},
                          Case{"Elizabethtown 2024", kCities, 1008, 0, 1000, 19.50},
                          Case{"Adair", kCounties, 9, 0, 1000, 5.00},
                          Case{"Boone across two bands", kCounties, 13, 16000, 2000, 6.327 + 10.672},
                          Case{"Boone to its cap", kCounties, 13, 75000, 2000, 1.784},
                          Case{"Jefferson County", kSchools, 10003, 0, 1000, 7.50},
                          Case{"Boone County schools", kSchools, 10000, 0, 1000, 6.26},
                          Case{"Anchorage", kSchools, 10007, 0, 1000, 7.50},
                          Case{"Walton-Verona", kSchools, 10008, 0, 1000, 11.18},
                          Case{"Fayette County", kSchools, 10002, 0, 1000, 5.00}}) {
        LocalCall c = kyCall(k.table, k.code, k.ytd, k.wages, k.code == 1008 ? date(2024, 4, 1) : date(2026, 4, 1));
        c.local.localExtraWithholding = 10;  // not added
        EXPECT_EQ(c.run(calcLocalKentucky), 0) << k.name;
        EXPECT_NEAR(field(c.local.localTax), k.want, 1e-9) << k.name;
    }
}

TEST(KentuckyLocal, SupplementalTaxMissingRowsAndRecordSizes) {
    LocalCall c = kyCall(kCities, 2124, 70000, 1000);
    c.local.localSuppWages = 2000;
    EXPECT_EQ(c.run(calcLocalKentucky), 0);
    EXPECT_DOUBLE_EQ(field(c.local.localTax), 12.50);
    EXPECT_DOUBLE_EQ(field(c.local.localSuppTax), 12.50);  // only 1,000 of it below the cap

    for (const auto& [table, code, d] : {std::tuple{kCities, 2124, date(2025, 4, 1)}, std::tuple{kCities, 5, date(2026, 4, 1)},
                                         std::tuple{kCounties, 10003, date(2026, 4, 1)}}) {
        LocalCall miss = kyCall(table, code, 0, 1000, d);
        miss.local.localTax = kUntouched;
        EXPECT_EQ(miss.run(calcLocalKentucky), 1) << code;
        EXPECT_EQ(miss.local.localStatus, 1);
        EXPECT_DOUBLE_EQ(field(miss.local.localTax), 0);
    }
    // A record that does not hold localTaxType reads the school districts.
    LocalCall shortRecord = kyCall(kCities, 10003, 0, 1000);
    shortRecord.local.recordSize = 128;
    EXPECT_EQ(shortRecord.run(calcLocalKentucky), 0);
    EXPECT_DOUBLE_EQ(field(shortRecord.local.localTax), 7.50);
}

TEST(KentuckyLocal, Lists) {
    const auto school = listEntry(ORLA_KY, 0, 3);
    EXPECT_EQ(school.count, 9);
    EXPECT_EQ(school.name, "Jefferson County");
    EXPECT_EQ(school.calcCode, 10003);
    // Covington and Ft Mitchell share code 2057: one entry.
    const auto covington = listEntry(ORLA_KY, 1, 0);
    EXPECT_EQ(covington.count, 40);
    EXPECT_EQ(covington.name, "Covington");
    EXPECT_EQ(listEntry(ORLA_KY, 1, 1).name, "Owensboro");
    const auto boone = listEntry(ORLA_KY, 2, 1);
    EXPECT_EQ(boone.count, 2);
    EXPECT_EQ(boone.name, "Boone");
    EXPECT_EQ(boone.listCode, 13);
    EXPECT_EQ(listEntry(ORLA_KY, 2, 2).returned, 0);
    EXPECT_EQ(listEntry(ORLA_KY, 3, 0).count, 0);
}

}  // namespace
}  // namespace orla

namespace orla {
namespace {

// The four calculators behind ORLA_Calc_Local and ORLA_Calc_County (Pennsylvania only behind the first).
TEST(LongListLocals, ThroughTheLocalDriver) {
    struct Case {
        const char* name;
        int state;
        CalcDate d;
        int code, type, resident;
        double ytd;
        int wantLocal, wantCounty;
        double wantLocalTax, wantCountyTax;
    };
    for (const Case& k : {Case{"Philadelphia", ORLA_PA, date(2025, 5, 1), 510012, 1, 1, 0, 0, 0, 75.00 + 1, 0},
                          Case{"Philadelphia 2024", ORLA_PA, date(2024, 5, 1), 510012, 1, 1, 0, 16, 0, 1.00, 0},
                          Case{"Columbus", ORLA_OH, date(2026, 5, 1), 18000, 1, 0, 0, 0, 0, 48.75 + 1, 48.75 + 1},
                          Case{"Marion", ORLA_IN, date(2026, 5, 1), 49, 0, 1, 0, 0, 0, 39.62 + 1, 39.62 + 1},
                          Case{"Augusta", ORLA_KY, date(2026, 5, 1), 2124, 1, 0, 70000, 0, 0, 25.00, 25.00}}) {
        for (const bool county : {false, true}) {
            LocalCall c(k.state, k.d, 26, 2000, k.code);
            c.state.stateAllowances = k.state == ORLA_OH ? 2 : 1;
            c.local.localExemptions = 1;
            c.local.localTaxType = k.type;
            c.local.localResident = k.resident;
            c.local.overrideYtd = k.ytd;
            c.local.localExtraWithholding = 1;
            EXPECT_EQ(county ? c.calcCounty() : c.calcLocal(), county ? k.wantCounty : k.wantLocal) << k.name;
            EXPECT_DOUBLE_EQ(field(c.local.localTax), county ? k.wantCountyTax : k.wantLocalTax) << k.name << county;
            EXPECT_EQ(c.local.localStatus, !county && k.wantLocal == 16 ? 1 : 0) << k.name;
        }
    }
}

}  // namespace
}  // namespace orla
