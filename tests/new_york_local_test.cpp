#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "local/local_calculators.h"
#include "local/local_tables.h"
#include "local_records.h"

namespace orla {
namespace {

using testing::field;
using testing::kUntouched;
using testing::LocalCall;

constexpr CalcDate kJune2026 = date(2026, 6, 15);
constexpr int kYonkers = 1;
constexpr int kCity = 2;

LocalCall cityPay(int code, double wages, int periods = 26) {
    LocalCall call(ORLA_NY, kJune2026, periods, wages, code);
    call.local.localSuppAggregate = 2;  // no supplemental method unless a test picks one
    return call;
}

// The city table: every year equals 2026; per group the deduction and allowance amount; the rates of
// every group; each group's lows, highs and bases the annual group's divided by the periods (lows to
// the dollar, bases to the cent); the annual group as published. Worked pays pin a few lows exactly.
TEST(NewYorkCityTable, Structure) {
    const auto rows = newYorkCityBracketTable();
    ASSERT_EQ(rows.size(), 180u);
    struct Group {
        int status, periods;
        double deduction, allowance;
    };
    const Group groups[] = {
        {0, 52, 96.15, 19.25},  {0, 26, 192.30, 38.50}, {0, 24, 208.35, 41.65}, {0, 12, 416.70, 83.30},
        {0, 1, 5000, 1000},     {1, 52, 105.75, 19.25}, {1, 26, 211.50, 38.50}, {1, 24, 229.15, 41.65},
        {1, 12, 458.30, 83.30}, {1, 1, 5500, 1000},
    };
    const double rates[] = {0.0205, 0.028, 0.0325, 0.0395, 0.0415, 0.0425};
    const double annualLows[] = {0, 8000, 8700, 15000, 25000, 60000};
    const double annualBases[] = {0, 164, 184, 388, 783, 2236};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const NewYorkBracketRow& r = rows[i];
        const NewYorkBracketRow& same2026 = rows[i % 60];
        EXPECT_EQ(r.from.year, 2026 - static_cast<int>(i / 60));
        EXPECT_EQ(r.to.year, r.from.year);
        EXPECT_TRUE(r.status == same2026.status && r.periods == same2026.periods && r.low == same2026.low &&
                    r.high == same2026.high && r.base == same2026.base && r.rate == same2026.rate &&
                    r.deduction == same2026.deduction && r.allowance == same2026.allowance)
            << i;
        const Group& g = groups[(i % 60) / 6];
        const std::size_t band = i % 6;
        EXPECT_EQ(r.status, g.status) << i;
        EXPECT_EQ(r.periods, g.periods) << i;
        EXPECT_DOUBLE_EQ(r.deduction, g.deduction) << i;
        EXPECT_DOUBLE_EQ(r.allowance, g.allowance) << i;
        EXPECT_DOUBLE_EQ(r.rate, rates[band]) << i;
        // The published lows are the annual lows divided, rounded or cut to the dollar.
        const double low = annualLows[band] / r.periods;
        EXPECT_TRUE(r.low == std::floor(low) || r.low == std::round(low)) << i;
        EXPECT_LE(std::fabs(r.base - annualBases[band] / r.periods), 0.005 + 1e-9) << i;
        EXPECT_DOUBLE_EQ(r.high, band == 5 ? 0.0 : rows[i + 1].low) << i;
    }
}

struct Worked {
    const char* name;
    int code, option, resident, periods, statePeriods;
    double wages;
    double want;  // unrounded, before the additional withholding
};

TEST(NewYorkLocal, WorkedPays) {
    const double yonkersState = newYorkBracketTax(kJune2026, 0, 26, 2000, 0, 0).tax;
    const Worked cases[] = {
        {"city, single", kCity, 0, 0, 26, 26, 2000, (1807.70 - 962) * 0.0415 + 30.12},
        {"city, married", kCity, 1, 0, 26, 26, 2000, 64.41975},
        {"city, 4 periods: annualised by the state periods", kCity, 0, 0, 4, 26, 2000,
         ((26 * 2000 - 5000 - 25000) * 0.0415 + 783) / 4},
        {"city, weekly", kCity, 0, 0, 52, 52, 500, (500 - 96.15 - 288) * 0.0395 + 7.46},
        {"city, semi-monthly third band", kCity, 0, 0, 24, 24, 708.35, (500 - 362) * 0.0325 + 7.67},
        {"city, biweekly third band", kCity, 0, 0, 26, 26, 592.30, (400 - 334) * 0.0325 + 7.08},
        {"city, monthly second band", kCity, 1, 0, 12, 12, 1158.30, (700 - 667) * 0.028 + 13.67},
        {"Yonkers resident: a share of the state tax", kYonkers, 0, 1, 26, 26, 2000, yonkersState * 0.1675},
        {"Yonkers non-resident", kYonkers, 0, 0, 26, 26, 500, (500 - 77) * 0.005},
        {"Yonkers non-resident, biweekly bands overlap", kYonkers, 0, 0, 26, 26, 765, (765 - 77) * 0.005},
        {"Yonkers non-resident, 4 periods", kYonkers, 0, 0, 4, 26, 500, (13000 - 2000) * 0.005 / 4},
        {"Yonkers non-resident, lowest weekly band", kYonkers, 0, 0, 52, 52, 50, 0.0},
        {"Yonkers non-resident, lowest annual band", kYonkers, 0, 0, 1, 1, 3000, 0.0},
    };
    for (const Worked& c : cases) {
        LocalCall call = cityPay(c.code, c.wages, c.periods);
        call.state.statePayPeriods = c.statePeriods;
        call.local.localOption = c.option;
        call.local.localResident = c.resident;
        EXPECT_EQ(call.run(calcLocalNewYork), 0) << c.name;
        EXPECT_NEAR(field(call.local.localTax), c.want, 1e-9) << c.name;
        EXPECT_EQ(call.local.localStatus, 0) << c.name;
    }
}

// Through the export: the driver rounds, and the additional withholding is added; not for another code.
TEST(NewYorkLocal, ThroughTheLocalExport) {
    LocalCall city = cityPay(kCity, 2000);
    city.local.localExtraWithholding = 1;
    EXPECT_EQ(city.calcCounty(), 0);
    EXPECT_DOUBLE_EQ(field(city.local.localTax), 66.22);

    LocalCall none = cityPay(0, 2000);
    none.local.localExtraWithholding = 5;
    EXPECT_EQ(none.calcLocal(), 0);
    EXPECT_DOUBLE_EQ(field(none.local.localTax), 0.0);
}

// The state's high-income rows tax the whole annualised wage at the high-income rate, as the state does.
TEST(NewYorkLocal, YonkersResidentWithHighIncome) {
    LocalCall call = cityPay(kYonkers, 30000, 52);
    call.local.localResident = 1;
    EXPECT_EQ(call.run(calcLocalNewYork), 0);
    const double state = newYorkBracketTax(kJune2026, 0, 52, 30000, 0, 0).tax;
    EXPECT_GT(state, 3000.0);
    EXPECT_NEAR(field(call.local.localTax), state * 0.1675, 1e-9);
}

struct Supplemental {
    const char* name;
    int code, resident, method, size;
    double supplemental;
    double want;
};

// A Yonkers pay whose state periods equal the local ones takes the state's own bracket step; rows of the
// local periods never read the state periods, so other state periods (which scan the rows) must give the
// same tax to the bit, for every status, exemptions and wages from below the first band to the
// high-income rows.
TEST(NewYorkLocal, YonkersStateStepEqualsTheRowScan) {
    for (const int year : {2024, 2025, 2026})
        for (const int periods : {52, 26, 24, 12, 1})
            for (const int status : {0, 1})
                for (const int exemptions : {0, 3})
                    for (const double wages : {-5.0, 0.0, 150.0, 163.0, 1234.56, 20722.0, 96154.0, 250000.0, 3e6, 3e7}) {
                        auto yonkers = [&](int statePeriods) {
                            LocalCall call(ORLA_NY, date(year, 3, 9), periods, wages, kYonkers);
                            call.state.statePayPeriods = statePeriods;
                            call.local.localResident = 1;
                            call.local.localOption = status;
                            call.local.localExemptions = exemptions;
                            EXPECT_EQ(call.run(calcLocalNewYork), 0);
                            return std::bit_cast<std::uint64_t>(call.local.localTax);
                        };
                        EXPECT_EQ(yonkers(periods), yonkers(periods == 52 ? 26 : 52))
                            << year << " " << periods << " " << status << " " << exemptions << " " << wages;
                    }
}

TEST(NewYorkLocal, SupplementalWages) {
    const double city = (1807.70 - 962) * 0.0415 + 30.12;
    const double yonkers = newYorkBracketTax(kJune2026, 0, 26, 2000, 0, 0).tax * 0.1675;
    const double yonkersWithBonus = newYorkBracketTax(kJune2026, 0, 26, 2000, 1000, 0).tax * 0.1675;
    const Supplemental cases[] = {
        {"city flat rate", kCity, 0, 0, 180, 1000, 42.50},
        {"Yonkers flat rate", kYonkers, 1, 0, 180, 1000, 19.60},
        {"city aggregate", kCity, 0, 1, 180, 1000, roundCents((2807.70 - 2308) * 0.0425 + 86 - city)},
        {"Yonkers resident aggregate", kYonkers, 1, 1, 180, 1000, roundCents(yonkersWithBonus - yonkers)},
        {"Yonkers non-resident aggregate", kYonkers, 0, 1, 180, 1000, roundCents(1000 * 0.005)},
        {"no method", kCity, 0, 2, 180, 1000, kUntouched},
        {"record of 152: no supplemental tax", kCity, 0, 0, 152, 1000, kUntouched},
        {"record of 160: computed, not written", kCity, 0, 0, 160, 1000, kUntouched},
    };
    for (const Supplemental& c : cases) {
        LocalCall call = cityPay(c.code, 2000);
        call.local.recordSize = c.size;
        call.local.localResident = c.resident;
        call.local.localSuppAggregate = c.method;
        call.local.localSuppWages = c.supplemental;
        call.local.localSuppTax = kUntouched;
        call.local.localExtraWithholding = 1;
        EXPECT_EQ(call.run(calcLocalNewYork), 0) << c.name;
        EXPECT_DOUBLE_EQ(field(call.local.localSuppTax), c.want) << c.name;
        EXPECT_GT(field(call.local.localTax), 1.0) << c.name;  // the additional withholding in every case
    }
    // The Yonkers aggregate reports the supplemental tax base, truncated, also where the record does not
    // hold localSuppTax.
    LocalCall call = cityPay(kYonkers, 2000);
    call.local.recordSize = 160;
    call.local.localSuppAggregate = 1;
    call.local.localSuppWages = 1000;
    EXPECT_EQ(call.run(calcLocalNewYork), 0);
    EXPECT_EQ(call.pay.stateTaxableIncome, 15);  // (2,000 + 1,000) x 0.5%: no exclusion above 1,154
}

// No row: bit 1 with localStatus 1 (the additional withholding alone); no supplemental rate: bit 64.
// Fewer than one local period cannot be annualised: no division, the same failure.
TEST(NewYorkLocal, Failures) {
    LocalCall late = cityPay(kCity, 2000);
    late.pay.payDate = date(2027, 1, 15);
    late.local.localSuppAggregate = 0;
    late.local.localSuppTax = kUntouched;
    late.local.localExtraWithholding = 4;
    EXPECT_EQ(late.run(calcLocalNewYork), 65);
    EXPECT_EQ(late.local.localStatus, 1);
    EXPECT_DOUBLE_EQ(field(late.local.localTax), 4.0);
    EXPECT_DOUBLE_EQ(field(late.local.localSuppTax), kUntouched);

    for (const int code : {kCity, kYonkers}) {
        LocalCall none = cityPay(code, 2000);
        none.local.localPayPeriods = 0;
        none.local.localExtraWithholding = 4;
        EXPECT_EQ(none.calcLocal(), ORLA_FLAG_LOCAL) << code;
        EXPECT_EQ(none.local.localStatus, 1) << code;
        EXPECT_DOUBLE_EQ(field(none.local.localTax), 4.0) << code;
        none.local.localSuppAggregate = 1;
        none.local.localSuppWages = 500;
        EXPECT_EQ(none.calcLocal(), ORLA_FLAG_LOCAL) << code;
        EXPECT_TRUE(std::isfinite(none.local.localSuppTax)) << code;
    }
}

// Every band of the non-resident table, in every year: a wage inside the band, less its exclusion, at 0.5%
// (the lowest band of each frequency is free).
TEST(NewYorkLocal, YonkersNonresidentBands) {
    struct Band {
        int periods;
        double wages, exclusion;
        bool lowest;
    };
    const Band bands[] = {
        {52, 38.5, 0, true},
        {52, 134.5, 58, false},
        {52, 288.5, 38, false},
        {52, 481, 19, false},
        {52, 578, 0, false},
        {12, 166.5, 0, true},
        {12, 583, 250, false},
        {12, 1250, 167, false},
        {12, 2083.5, 83, false},
        {12, 2501, 0, false},
        {26, 77, 0, true},
        {26, 269.5, 115, false},
        {26, 577, 77, false},
        {26, 1000, 38, false},
        {26, 1155, 0, false},
        {24, 83.5, 0, true},
        {24, 292, 125, false},
        {24, 625, 83, false},
        {24, 1041.5, 42, false},
        {24, 1251, 0, false},
        {1, 1999.99, 0, true},
        {1, 6999.99, 3000, false},
        {1, 15000, 2000, false},
        {1, 25000, 1000, false},
        {1, 30001, 0, false},
    };
    for (const int year : {2024, 2025, 2026}) {
        for (const Band& b : bands) {
            LocalCall call = cityPay(kYonkers, b.wages, b.periods);
            call.pay.payDate = date(year, 7, 1);
            EXPECT_EQ(call.run(calcLocalNewYork), 0);
            const double want = b.lowest ? 0.0 : (b.wages - b.exclusion) * 0.005;
            EXPECT_NEAR(field(call.local.localTax), want, 1e-9) << b.periods << " " << b.wages << " " << year;
        }
    }
}

// The bounds of every non-resident band: its low belongs to it, a cent below its high too (the lowest
// bands, free of tax, are met at their highs only).
TEST(NewYorkLocal, YonkersNonresidentBandBounds) {
    struct Edge {
        int periods;
        double wages, exclusion;
        bool lowest;
    };
    const Edge edges[] = {
        {52, 76.99, 0, true},
        {52, 77, 58, false},
        {52, 191.99, 58, false},
        {52, 192, 38, false},
        {52, 384.99, 38, false},
        {52, 385, 19, false},
        {52, 576.99, 19, false},
        {52, 577, 0, false},
        {12, 332.99, 0, true},
        {12, 333, 250, false},
        {12, 832.99, 250, false},
        {12, 833, 167, false},
        {12, 1666.99, 167, false},
        {12, 1667, 83, false},
        {12, 2499.99, 83, false},
        {12, 2500, 0, false},
        {26, 153.99, 0, true},
        {26, 154, 115, false},
        {26, 384.99, 115, false},
        {26, 385, 77, false},
        {26, 768.99, 77, false},
        {26, 1153.99, 38, false},
        {26, 1154, 0, false},
        {24, 166.99, 0, true},
        {24, 167, 125, false},
        {24, 416.99, 125, false},
        {24, 417, 83, false},
        {24, 832.99, 83, false},
        {24, 833, 42, false},
        {24, 1249.99, 42, false},
        {24, 1250, 0, false},
        {1, 3999.98, 0, true},
        {1, 3999.99, 3000, false},
        {1, 9999.99, 3000, false},
        {1, 10000, 2000, false},
        {1, 19999.99, 2000, false},
        {1, 20000, 1000, false},
        {1, 29999.99, 1000, false},
        {1, 30000, 0, false},
    };
    for (const Edge& e : edges) {
        LocalCall call = cityPay(kYonkers, e.wages, e.periods);
        EXPECT_EQ(call.run(calcLocalNewYork), 0);
        EXPECT_NEAR(field(call.local.localTax), e.lowest ? 0.0 : (e.wages - e.exclusion) * 0.005, 1e-9)
            << e.periods << " " << e.wages;
    }
}

// localResident is read only where the record holds it: a shorter record is a non-resident's.
TEST(NewYorkLocal, ResidenceNotHeld) {
    LocalCall call = cityPay(kYonkers, 500);
    call.local.recordSize = 62;
    call.local.localResident = 1;
    EXPECT_EQ(call.run(calcLocalNewYork), 0);
    EXPECT_NEAR(field(call.local.localTax), (500 - 77) * 0.005, 1e-9);
}

}  // namespace
}  // namespace orla
