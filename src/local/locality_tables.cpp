// The locality tables, compiled in from the initialisers generated out of data/*.csv.
#include "local/locality_tables.h"

#include <iterator>

namespace orla {

namespace {

constexpr PaMunicipalRow kPaMunicipal[] = {
#include "locality/pa_municipal.inc"
};
constexpr PaSchoolRow kPaSchool[] = {
#include "locality/pa_school_districts.inc"
};
constexpr OhioMunicipalRow kOhioMunicipal[] = {
#include "locality/oh_municipal.inc"
};
constexpr OhioSchoolRow kOhioSchool[] = {
#include "locality/oh_school_districts.inc"
};
constexpr OhioEarnedBaseRow kOhioEarnedBase[] = {
#include "locality/oh_earned_income_base.inc"
};
constexpr IndianaCountyRow kIndianaCounty[] = {
#include "locality/in_county.inc"
};
constexpr KentuckyRow kKentuckySchool[] = {
#include "locality/ky_school_districts.inc"
};
constexpr KentuckyRow kKentuckyCity[] = {
#include "locality/ky_cities.inc"
};
constexpr KentuckyRow kKentuckyCounty[] = {
#include "locality/ky_counties.inc"
};

// Rows whose year (or from-year) is y.
template <class Row, std::size_t N, class Year>
constexpr int rowsOfYear(const Row (&rows)[N], int y, Year yearOf) {
    int n = 0;
    for (const Row& r : rows) n += yearOf(r) == y ? 1 : 0;
    return n;
}
constexpr int paYear(const PaMunicipalRow& r) { return r.year; }
constexpr int paSchoolYear(const PaSchoolRow& r) { return r.year; }
template <class Row>
constexpr int fromYear(const Row& r) { return r.from.year; }

// Every Pennsylvania block holds the register's 2,627 municipality and school-district pairs and "None".
static_assert(std::size(kPaMunicipal) == 4 * 2628);
static_assert(rowsOfYear(kPaMunicipal, 2026, paYear) == 2628 && rowsOfYear(kPaMunicipal, 2023, paYear) == 2628);
static_assert(std::size(kPaSchool) == 4 * 2628);
static_assert(rowsOfYear(kPaSchool, 2025, paSchoolYear) == 2628 && rowsOfYear(kPaSchool, 2024, paSchoolYear) == 2628);
static_assert(rowsOfYear(kOhioMunicipal, 2026, fromYear<OhioMunicipalRow>) == 681 &&
              rowsOfYear(kOhioMunicipal, 2025, fromYear<OhioMunicipalRow>) == 679 &&
              rowsOfYear(kOhioMunicipal, 2024, fromYear<OhioMunicipalRow>) == 679);
static_assert(std::size(kOhioSchool) == 3 * 612);
static_assert(rowsOfYear(kIndianaCounty, 2026, fromYear<IndianaCountyRow>) == 92 &&
              rowsOfYear(kIndianaCounty, 2025, fromYear<IndianaCountyRow>) == 92 &&
              rowsOfYear(kIndianaCounty, 2024, fromYear<IndianaCountyRow>) == 96);
static_assert(std::size(kKentuckySchool) == 9 && std::size(kKentuckyCity) == 50 && std::size(kKentuckyCounty) == 4);

// The composed Pennsylvania list names ("name (other name)") fit 50 characters.
constexpr std::size_t length(const char* s) {
    std::size_t n = 0;
    while (s[n] != '\0') ++n;
    return n;
}
constexpr bool paNamesFit() {
    for (const PaMunicipalRow& r : kPaMunicipal)
        if (length(r.name) + length(r.county) + 3 > 50) return false;
    for (const PaSchoolRow& r : kPaSchool)
        if (length(r.district) + length(r.municipality) + 3 > 50) return false;
    return true;
}
static_assert(paNamesFit());

}  // namespace

std::span<const PaMunicipalRow> paMunicipalTable() { return kPaMunicipal; }
std::span<const PaSchoolRow> paSchoolTable() { return kPaSchool; }
std::span<const OhioMunicipalRow> ohioMunicipalTable() { return kOhioMunicipal; }
std::span<const OhioSchoolRow> ohioSchoolTable() { return kOhioSchool; }
std::span<const OhioEarnedBaseRow> ohioEarnedBaseTable() { return kOhioEarnedBase; }
std::span<const IndianaCountyRow> indianaCountyTable() { return kIndianaCounty; }

std::span<const KentuckyRow> kentuckyTable(int which) {
    switch (which) {
        case 1: return kKentuckyCity;
        case 2: return kKentuckyCounty;
        default: return kKentuckySchool;
    }
}

}  // namespace orla
