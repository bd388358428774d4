#include <gtest/gtest.h>
#include <tuple>

#include "local_records.h"

namespace orla {
namespace {

using testing::field;
using testing::kUntouched;
using testing::LocalCall;

constexpr CalcDate kJune2026 = date(2026, 6, 15);
constexpr int kDetroit = 4;
constexpr int kLansing = 13;
constexpr int kMuskegonHeights = 16;

// Every city's rates and exemption, resident and not, in each table year: 2 exemptions, 26 periods,
// local wages 2,600.
TEST(MichiganLocal, EveryCityAndYear) {
    struct City {
        int code;
        double resident, nonresident, exemption, exemptionBefore2026;
    };
    const City cities[] = {
        {1, 1.0, 0.5, 600, 600},  // Albion
        {2, 1.0, 0.5, 750, 750},  // Battle Creek
        {24, 1.0, 0.5, 750, 750},  // Benton Harbor
        {3, 1.0, 0.5, 600, 600},  // Big Rapids
        {4, 2.4, 1.2, 600, 600},  // Detroit
        {23, 1.0, 0.5, 600, 600},  // East Lansing
        {5, 1.0, 0.5, 600, 600},  // Flint
        {6, 1.5, 0.75, 750, 750},  // Grand Rapids
        {7, 1.0, 0.5, 600, 600},  // Grayling
        {8, 1.0, 0.5, 600, 600},  // Hamtramck
        {9, 2.0, 1.0, 600, 600},  // Highland Park
        {10, 1.0, 0.5, 1000, 1000},  // Hudson
        {11, 1.0, 0.5, 700, 700},  // Ionia
        {12, 1.0, 0.5, 600, 600},  // Jackson
        {13, 1.0, 0.5, 600, 600},  // Lansing
        {14, 1.0, 0.5, 600, 600},  // Lapeer
        {15, 1.0, 0.5, 600, 600},  // Muskegon
        {16, 1.0, 0.5, 600, 1200},  // Muskegon Heights
        {17, 1.0, 0.5, 600, 600},  // Pontiac
        {18, 1.0, 0.5, 600, 600},  // Port Huron
        {19, 1.0, 0.5, 1000, 1000},  // Portland
        {20, 1.5, 0.75, 750, 750},  // Saginaw
        {21, 1.0, 0.5, 750, 750},  // Springfield
        {22, 1.0, 0.5, 600, 600},  // Walker
    };
    for (const int year : {2024, 2025, 2026}) {
        for (const City& c : cities) {
            const double exemption = year == 2026 ? c.exemption : c.exemptionBefore2026;
            const double base = 2600 - 2 * exemption / 26;
            for (const int resident : {1, 0}) {
                LocalCall call(ORLA_MI, date(year, 4, 1), 26, 2600, c.code);
                call.local.localExemptions = 2;
                call.local.localResident = resident;
                EXPECT_EQ(call.run(calcLocalMichigan), 0);
                EXPECT_NEAR(field(call.local.localTax), base * (resident ? c.resident : c.nonresident) / 100, 1e-9)
                    << c.code << " " << year << " resident " << resident;
            }
        }
    }
}

TEST(MichiganLocal, WorkedPays) {
    LocalCall detroit(ORLA_MI, kJune2026, 26, 2000, kDetroit);
    detroit.local.localExemptions = 1;
    detroit.local.localResident = 1;
    EXPECT_EQ(detroit.calcLocal(), 0);
    EXPECT_DOUBLE_EQ(field(detroit.local.localTax), 47.45);
    EXPECT_EQ(detroit.pay.stateTaxableIncome, 180);

    detroit.local.localResident = 0;
    EXPECT_EQ(detroit.calcLocal(), 0);
    EXPECT_DOUBLE_EQ(field(detroit.local.localTax), 23.72);
    EXPECT_DOUBLE_EQ(field(detroit.local.workLocalityTax), 0.0);

    // Muskegon Heights: localOption 1 doubles the exemption.
    for (const auto& [year, option, exemption] : {std::tuple{2026, 1, 1200.0}, std::tuple{2026, 0, 600.0},
                                                   std::tuple{2025, 0, 1200.0}, std::tuple{2025, 1, 2400.0}}) {
        LocalCall call(ORLA_MI, date(year, 6, 1), 26, 2000, kMuskegonHeights);
        call.local.localExemptions = 1;
        call.local.localResident = 1;
        call.local.localOption = option;
        EXPECT_EQ(call.run(calcLocalMichigan), 0);
        EXPECT_NEAR(field(call.local.localTax), (2000 - exemption / 26) * 0.01, 1e-9) << year << " " << option;
    }
}

// A non-resident of Lansing who works in Detroit: Lansing's non-resident tax, and Detroit's tax as the
// larger of its resident tax less Lansing's and its non-resident tax; the same on supplemental wages,
// written wherever the record holds the field.
TEST(MichiganLocal, SecondCity) {
    for (const int size : {156, 164, 171, 172, 180}) {
        LocalCall call(ORLA_MI, kJune2026, 26, 2000, kLansing);
        call.local.recordSize = size;
        call.local.localExemptions = 1;
        call.local.workLocalityCode = kDetroit;
        call.local.localSuppWages = 1000;
        call.local.localSuppTax = kUntouched;
        call.local.workLocalitySuppTax = kUntouched;
        EXPECT_EQ(call.calcLocal(), 0);
        const double base = 2000 - 600.0 / 26;
        EXPECT_DOUBLE_EQ(field(call.local.localTax), roundCents(base * 0.005)) << size;
        EXPECT_NEAR(field(call.local.workLocalityTax), 0.024 * base - base * 0.005, 1e-9) << size;
        EXPECT_DOUBLE_EQ(field(call.local.localSuppTax), size >= 164 ? 5.0 : kUntouched) << size;
        EXPECT_DOUBLE_EQ(field(call.local.workLocalitySuppTax), size >= 172 ? 19.0 : kUntouched) << size;
    }
    // A second city with no row counts as none: its tax is 0.
    LocalCall unknown(ORLA_MI, kJune2026, 26, 2000, kLansing);
    unknown.local.workLocalityCode = 99;
    EXPECT_EQ(unknown.run(calcLocalMichigan), 0);
    EXPECT_DOUBLE_EQ(field(unknown.local.workLocalityTax), 0.0);
}

// localResident is read only from records that hold it: a shorter record is a non-resident's.
TEST(MichiganLocal, ResidenceNotHeld) {
    LocalCall call(ORLA_MI, kJune2026, 26, 2000, kDetroit);
    call.local.recordSize = 62;
    call.local.localResident = 1;
    EXPECT_EQ(call.run(calcLocalMichigan), 0);
    EXPECT_NEAR(field(call.local.localTax), 2000 * 0.012, 1e-9);
}

TEST(MichiganLocal, CityWithoutRow) {
    LocalCall call(ORLA_MI, kJune2026, 26, 2000, 99);
    call.local.localExtraWithholding = 5;
    EXPECT_EQ(call.calcLocal(), ORLA_FLAG_LOCAL);
    EXPECT_DOUBLE_EQ(field(call.local.localTax), 0.0);
    LocalCall none(ORLA_MI, kJune2026, 26, 2000, 0);
    none.local.localExtraWithholding = 5;
    EXPECT_EQ(none.calcLocal(), 0);
    EXPECT_DOUBLE_EQ(field(none.local.localTax), 5.0);
}

}  // namespace
}  // namespace orla
