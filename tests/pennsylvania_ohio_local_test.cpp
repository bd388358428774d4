#include <gtest/gtest.h>

#include "long_list_locals.h"

namespace orla {
namespace {

using testing::field;
using testing::kUntouched;
using testing::listEntry;
using testing::LocalCall;
using testing::rounded;

constexpr int kPhiladelphia = 510012, kScranton = 351022, kErie = 250332;
constexpr int kScrantonSchool = 1945, kPhiladelphiaSchool = 1752, kPittsburghSchool = 1772;

LocalCall paCall(int year, int code, int type, int resident, double wages = 1000, int periods = 26) {
    LocalCall c(ORLA_PA, date(year, 5, 15), periods, wages, code);
    c.local.localTaxType = type;
    c.local.localResident = resident;
    return c;
}

// The 2025 rows of the municipalities that tell the table apart, for residents and non-residents, with
// the annual amount spread over 12 periods; 2026 from the state register.
TEST(PennsylvaniaLocal, MunicipalRowsByYearAndResidence) {
    struct Case {
        int year;
        int code;
        double other, resident, annual;
    };
    for (const Case& k : {Case{2025, kPhiladelphia, 3.44, 3.75, 0}, Case{2025, 22612, 1.0, 1.0, 47},
                          Case{2025, kScranton, 1.0, 2.4, 151}, Case{2025, 220302, 1.0, 1.5, 151},
                          Case{2025, 61442, 1.0, 2.1, 47}, Case{2025, kErie, 1.65, 1.15, 47},
                          Case{2025, 460034, 1.0, 0.5, 52}, Case{2025, 530035, 0.0, 0.5, 0},
                          Case{2026, kPhiladelphia, 3.43, 3.74, 0}, Case{2026, 360842, 1.0, 1.1, 47},
                          // Allegheny rows of 2023 come from that year's register.
                          Case{2023, 20393, 1.2, 1.05, 52}, Case{2023, 20902, 1.4, 1.4, 47}}) {
        SCOPED_TRACE(std::to_string(k.year) + " " + std::to_string(k.code));
        LocalCall res = paCall(k.year, k.code, 1, 1, 1200, 12);
        ASSERT_EQ(res.run(calcLocalPennsylvania), 0);
        EXPECT_NEAR(field(res.local.localTax), 12 * k.resident + k.annual / 12, 1e-9);
        LocalCall non = paCall(k.year, k.code, 1, 0, 1200, 12);
        ASSERT_EQ(non.run(calcLocalPennsylvania), 0);
        EXPECT_NEAR(field(non.local.localTax), 12 * k.other, 1e-9);
    }
}

TEST(PennsylvaniaLocal, PhiladelphiaWorkedPay) {
    LocalCall res = paCall(2025, kPhiladelphia, 1, 1);
    EXPECT_EQ(res.run(calcLocalPennsylvania), 0);
    EXPECT_DOUBLE_EQ(rounded(res), 37.50);
    LocalCall non = paCall(2025, kPhiladelphia, 1, 0);
    EXPECT_EQ(non.run(calcLocalPennsylvania), 0);
    EXPECT_DOUBLE_EQ(rounded(non), 34.40);
}

// Tax types and the annual-amount options, Scranton 2025, 1,000 of wages, 26 periods.
TEST(PennsylvaniaLocal, TaxTypesAndOptions) {
    struct Case {
        int type, resident, option, code;
        double want;
    };
    for (const Case& k : {Case{1, 1, 0, kScranton, 29.81}, Case{1, 1, 1, kScranton, 175.00},
                          Case{1, 1, 2, kScranton, 24.00}, Case{20, 1, 0, kScranton, 24.00},
                          Case{21, 1, 0, kScranton, 5.81}, Case{21, 0, 0, kScranton, 0},
                          Case{1, 0, 0, kScranton, 10.00}, Case{20, 0, 1, kScranton, 10.00},
                          // school district: 1.0 % and 5 a year
                          Case{0, 1, 0, kScrantonSchool, 10.19}, Case{0, 1, 1, kScrantonSchool, 15.00},
                          Case{10, 1, 0, kScrantonSchool, 10.00}, Case{11, 1, 0, kScrantonSchool, 0.19},
                          Case{0, 0, 1, kScrantonSchool, 0}, Case{0, 1, 0, kPittsburghSchool, 20.00},
                          Case{0, 1, 0, kPhiladelphiaSchool, 0}, Case{7, 1, 0, kScrantonSchool, 0},
                          Case{0, 1, 0, 0, 0}}) {
        SCOPED_TRACE(std::to_string(k.type) + "/" + std::to_string(k.resident) + "/" + std::to_string(k.option));
        LocalCall c = paCall(2025, k.code, k.type, k.resident);
        c.local.localOption = k.option;
        c.local.localExtraWithholding = 2;
        c.local.localSuppWages = 100;
        c.local.localSuppTax = kUntouched;
        EXPECT_EQ(c.run(calcLocalPennsylvania), 0);
        EXPECT_DOUBLE_EQ(rounded(c), k.want + 2);
        EXPECT_EQ(c.local.localStatus, 0);
    }
}

TEST(PennsylvaniaLocal, MissingAndRateUnknownRowsFail) {
    struct Case {
        int year, code, type;
    };
    // Philadelphia's rates changed in July 2025, so 2024 is unknown; Lancaster's second row changed its
    // annual amount for 2026, so 2024 is unknown; a municipality code in the school-district table; a
    // type outside the table with a code no school-district row carries.
    for (const Case& k : {Case{2024, kPhiladelphia, 1}, Case{2024, 360842, 21}, Case{2025, 999999, 1},
                          Case{2025, 1, 1}, Case{2025, 9000, 5}, Case{2027, kScranton, 1}}) {
        LocalCall c = paCall(k.year, k.code, k.type, 1);
        c.local.localExtraWithholding = 3;
        EXPECT_EQ(c.run(calcLocalPennsylvania), 1) << k.year << " " << k.code;
        EXPECT_EQ(c.local.localStatus, 1);
        EXPECT_DOUBLE_EQ(field(c.local.localTax), 3);
    }
    // 2026 is computed from the state register.
    LocalCall y2026 = paCall(2026, kScranton, 1, 1);
    EXPECT_EQ(y2026.run(calcLocalPennsylvania), 0);
    EXPECT_DOUBLE_EQ(rounded(y2026), 29.81);
}

TEST(PennsylvaniaLocal, RecordSizesAndEarlyYears) {
    LocalCall early = paCall(2005, kScranton, 1, 1);
    early.local.localTax = kUntouched;
    EXPECT_EQ(early.run(calcLocalPennsylvania), 0);
    EXPECT_DOUBLE_EQ(field(early.local.localTax), kUntouched);

    // 128 and 131 bytes do not hold the tax type: type 1 finds Scranton's municipal row; from 132 bytes
    // type 0 looks for a school-district sequence 351022, which no row carries.
    for (const auto& [size, want] : {std::pair{128, 0}, std::pair{131, 0}, std::pair{132, 1}}) {
        LocalCall c = paCall(2025, kScranton, 0, 0);
        c.local.recordSize = size;
        EXPECT_EQ(c.run(calcLocalPennsylvania), want) << size;
        if (want == 0) {
            EXPECT_DOUBLE_EQ(rounded(c), 10.00);
        }
    }
    // localSuppTax (a non-resident's school-district tax is 0) only where the record holds it.
    for (const auto& [size, want] : {std::pair{156, kUntouched}, std::pair{163, kUntouched}, std::pair{164, 0.0}}) {
        LocalCall c = paCall(2025, kScrantonSchool, 0, 0);
        c.local.recordSize = size;
        c.local.localSuppWages = 500;
        c.local.localSuppTax = kUntouched;
        EXPECT_EQ(c.run(calcLocalPennsylvania), 0);
        EXPECT_DOUBLE_EQ(field(c.local.localSuppTax), want) << size;
    }
    LocalCall supp = paCall(2025, kPhiladelphia, 20, 1);
    supp.local.localSuppWages = 1000;
    EXPECT_EQ(supp.run(calcLocalPennsylvania), 0);
    EXPECT_NEAR(field(supp.local.localSuppTax), 37.5, 1e-9);
}

TEST(PennsylvaniaLocal, Lists) {
    const auto none = listEntry(ORLA_PA, 0, 0);
    EXPECT_EQ(none.count, 2628);
    EXPECT_EQ(none.name, "None (None)");
    EXPECT_EQ(none.returned, 11);
    EXPECT_EQ(none.listCode, 999999);
    EXPECT_EQ(none.calcCode, 0);
    const auto muniNone = listEntry(ORLA_PA, 1, 0);
    EXPECT_EQ(muniNone.count, 2628);
    EXPECT_EQ(muniNone.listCode, 9999);
    EXPECT_EQ(muniNone.calcCode, 9999);
    // The school-district entry at sequence 1752 and a municipality.
    const auto phl = listEntry(ORLA_PA, 0, 1751);
    EXPECT_EQ(phl.name, "PHILADELPHIA CITY S D (PHILADELPHIA CITY)");
    EXPECT_EQ(phl.listCode, 515001);
    EXPECT_EQ(phl.calcCode, kPhiladelphiaSchool);
    const auto abbott = listEntry(ORLA_PA, 1, 1);
    EXPECT_EQ(abbott.name, "ABBOTT TWP (POTTER)");
    EXPECT_EQ(abbott.calcCode, 530035);
    const auto past = listEntry(ORLA_PA, 1, 2628);
    EXPECT_EQ(past.returned, 0);
    EXPECT_EQ(past.name, "untouched");
    EXPECT_EQ(past.calcCode, -1);
    EXPECT_EQ(listEntry(ORLA_PA, 2, 0).count, 0);
    EXPECT_EQ(listEntry(ORLA_PA, 0, -1).returned, 0);
}

// ---- Ohio -----------------------------------------------------------------------------------------------
constexpr int kColumbus = 18000, kAda = 45187, kAmanda = 46847, kAlliance = 1420;

LocalCall ohCall(int year, int code, int selector, int exemptions = 2, double wages = 2000, int periods = 26) {
    LocalCall c(ORLA_OH, date(year, 6, 1), periods, wages, code);
    c.state.stateAllowances = exemptions;
    c.local.localTaxType = selector;
    return c;
}

TEST(OhioLocal, WorkedPays) {
    struct Case {
        const char* name;
        int year, code, selector, exemptions;
        double wages;
        int periods;
        double want;
    };
    for (const Case& k : {Case{"Columbus", 2026, kColumbus, 1, 2, 2000, 26, 48.75},
                          Case{"ADA EVSD", 2026, kAda, 0, 2, 2000, 26, 29.25},
                          Case{"Amanda-Clearcreek on the earned-income base", 2024, kAmanda, 0, 2, 2000, 26, 40.00},
                          Case{"Amanda-Clearcreek 2026", 2026, kAmanda, 0, 2, 2000, 26, 39.00},
                          Case{"annual rows for 4 periods", 2026, kAlliance, 1, 1, 2000, 4, 36.75},
                          Case{"annual rows on the earned-income base", 2024, kAmanda, 0, 1, 2000, 4, 40.00},
                          Case{"exemptions above the wages", 2026, kColumbus, 1, 9, 100, 52, 0},
                          Case{"Columbus 2025", 2025, kColumbus, 1, 0, 1000, 12, 25.00},
                          Case{"Cincinnati", 2026, 15000, 1, 0, 1000, 12, 18.00},
                          Case{"Youngstown", 2026, 88000, 1, 0, 1000, 12, 27.50},
                          Case{"Hamersville", 2026, 32984, 1, 0, 1000, 12, 10.00},
                          Case{"Hamersville not yet in 2025", 2025, 32984, 1, 0, 1000, 12, 0},
                          Case{"Akron CSD", 2026, 43489, 0, 0, 1000, 12, 0},
                          Case{"selector 2", 2026, kColumbus, 2, 0, 1000, 12, 0},
                          Case{"no such code", 2026, 12345, 1, 0, 1000, 12, 0}}) {
        LocalCall c = ohCall(k.year, k.code, k.selector, k.exemptions, k.wages, k.periods);
        c.local.localExtraWithholding = 1;
        EXPECT_EQ(c.run(calcLocalOhio), 0) << k.name;
        EXPECT_DOUBLE_EQ(rounded(c), k.want + 1) << k.name;
    }
}

TEST(OhioLocal, FailuresAndSupplementalTax) {
    // A district whose rate no source gives for 2025, a municipality whose rate changed in July 2025.
    for (const auto& [year, code, selector] : {std::tuple{2025, kAda, 0}, std::tuple{2025, 61252, 1}}) {
        LocalCall c = ohCall(year, code, selector);
        c.local.localExtraWithholding = 4;
        EXPECT_EQ(c.run(calcLocalOhio), 1) << code;
        EXPECT_EQ(c.local.localStatus, 1);
        EXPECT_EQ(c.state.status, 0);
        EXPECT_DOUBLE_EQ(field(c.local.localTax), 4);
    }
    // No withholding row for the pay date: the state record's status.
    LocalCall old = ohCall(2023, kColumbus, 1);
    EXPECT_EQ(old.run(calcLocalOhio), 1);
    EXPECT_EQ(old.state.status, 1);
    EXPECT_EQ(old.local.localStatus, 0);

    for (const auto& [size, want] : {std::pair{163, kUntouched}, std::pair{164, 25.0}}) {
        LocalCall c = ohCall(2026, kColumbus, 1);
        c.local.recordSize = size;
        c.state.stateSuppWages = 1000;
        c.local.localSuppTax = kUntouched;
        EXPECT_EQ(c.run(calcLocalOhio), 0);
        EXPECT_DOUBLE_EQ(field(c.local.localSuppTax), want) << size;
    }
}

TEST(OhioLocal, Lists) {
    const auto school = listEntry(ORLA_OH, 0, 0);
    EXPECT_EQ(school.count, 612);
    EXPECT_EQ(school.name, "None");
    EXPECT_EQ(school.calcCode, 0);
    const auto muni = listEntry(ORLA_OH, 1, 127);
    EXPECT_EQ(muni.count, 681);
    EXPECT_EQ(muni.name, "COLUMBUS");
    EXPECT_EQ(muni.returned, 8);
    EXPECT_EQ(muni.listCode, kColumbus);
    EXPECT_EQ(muni.calcCode, kColumbus);
    EXPECT_EQ(listEntry(ORLA_OH, 1, 681).returned, 0);
    EXPECT_EQ(listEntry(ORLA_OH, 3, 0).count, 0);
}

}  // namespace
}  // namespace orla
