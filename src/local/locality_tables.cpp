// The locality tables, compiled in from the initialisers generated out of data/*.csv.
#include "local/locality_tables.h"

#include <array>
#include <iterator>

#include "local/code_index.h"
#include "local/local_calculators.h"

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

// The lookups by code (Pennsylvania: by year and code, the rows' order by year, code and position
// generated with the tables).
constexpr std::uint32_t kPaMunicipalOrder[] = {
#include "locality/pa_municipal_order.inc"
};
constexpr std::uint32_t kPaSchoolOrder[] = {
#include "locality/pa_school_districts_order.inc"
};
constexpr auto kPaMunicipalIndex = codeIndexBy(
    kPaMunicipal, [](const PaMunicipalRow& r) { return yearCodeKey(r.year, r.code); }, kPaMunicipalOrder);
constexpr auto kPaSchoolIndex = codeIndexBy(
    kPaSchool, [](const PaSchoolRow& r) { return yearCodeKey(r.year, r.sequence); }, kPaSchoolOrder);
static_assert(kPaMunicipalIndex.ordered() && kPaSchoolIndex.ordered());
constexpr auto kOhioMunicipalIndex = codeIndex(kOhioMunicipal);
constexpr auto kOhioSchoolIndex = codeIndex(kOhioSchool);
constexpr auto kIndianaCountyIndex = codeIndex(kIndianaCounty);
constexpr auto kKentuckySchoolIndex = codeIndex(kKentuckySchool);
constexpr auto kKentuckyCityIndex = codeIndex(kKentuckyCity);
constexpr auto kKentuckyCountyIndex = codeIndex(kKentuckyCounty);

// The first row of the code that covers d.
template <class Row, std::size_t N>
const Row* covering(const CodeIndex<Row, N>& index, const CalcDate& d, int code) {
    return index.find(code, [&d](const Row& r) { return rowCovers(r.from, r.to, d); });
}

template <class Row, std::size_t N>
const Row* ofYear(const CodeIndex<Row, N>& index, int year, int code) {
    return index.find(yearCodeKey(year, code), [](const Row&) { return true; });
}

// ---- the locality lists: the name columns of the newest block ------------------------------------------
// Pennsylvania: the rows, from the first, whose year is not below the first row's.
template <class Row, std::size_t N, class Code>
constexpr std::size_t paNewestRows(const Row (&rows)[N], Code code) {
    std::size_t n = 0;
    while (n < N && rows[n].year >= rows[0].year && code(rows[n]) != 0) ++n;
    return n;
}
constexpr int paSchoolCode(const PaSchoolRow& r) { return r.districtCode; }
constexpr int paMunicipalCode(const PaMunicipalRow& r) { return r.code; }
// Ohio: the rows, from the first, that end in the first row's year and month.
template <class Row, std::size_t N>
constexpr std::size_t ohioNewestRows(const Row (&rows)[N]) {
    std::size_t n = 0;
    while (n < N && rows[n].to.year == rows[0].to.year && rows[n].to.month == rows[0].to.month && rows[n].from.year != 0)
        ++n;
    return n;
}
// Kentucky: the runs of equal codes among the rows of the first row's year.
template <std::size_t N>
constexpr std::size_t kentuckyRuns(const KentuckyRow (&rows)[N]) {
    std::size_t runs = 0;
    for (std::size_t i = 0; i < N && rows[i].code != 0 && rows[i].from.year == rows[0].from.year; ++i)
        if (i == 0 || rows[i].code != rows[i - 1].code) ++runs;
    return runs;
}

template <std::size_t Count, class Row, std::size_t N, class Entry>
constexpr std::array<LocalityEntry, Count> listOf(const Row (&rows)[N], Entry entry) {
    std::array<LocalityEntry, Count> list{};
    for (std::size_t i = 0; i < Count; ++i) list[i] = entry(rows[i]);
    return list;
}

constexpr auto kPaSchoolList = listOf<paNewestRows(kPaSchool, paSchoolCode)>(
    kPaSchool, [](const PaSchoolRow& r) { return LocalityEntry{r.districtCode, r.sequence, r.district, r.municipality}; });
constexpr auto kPaMunicipalList = listOf<paNewestRows(kPaMunicipal, paMunicipalCode)>(
    kPaMunicipal, [](const PaMunicipalRow& r) { return LocalityEntry{r.code, r.code, r.name, r.county}; });
constexpr auto kOhioSchoolList = listOf<ohioNewestRows(kOhioSchool)>(
    kOhioSchool, [](const OhioSchoolRow& r) { return LocalityEntry{r.code, r.code, r.name, nullptr}; });
constexpr auto kOhioMunicipalList = listOf<ohioNewestRows(kOhioMunicipal)>(
    kOhioMunicipal, [](const OhioMunicipalRow& r) { return LocalityEntry{r.code, r.code, r.name, nullptr}; });

template <std::size_t Count, std::size_t N>
constexpr std::array<LocalityEntry, Count> kentuckyList(const KentuckyRow (&rows)[N]) {
    std::array<LocalityEntry, Count> list{};
    std::size_t n = 0;
    for (std::size_t i = 0; n < Count; ++i)
        if (i == 0 || rows[i].code != rows[i - 1].code) list[n++] = LocalityEntry{rows[i].code, rows[i].code, rows[i].name, nullptr};
    return list;
}
constexpr auto kKentuckySchoolList = kentuckyList<kentuckyRuns(kKentuckySchool)>(kKentuckySchool);
constexpr auto kKentuckyCityList = kentuckyList<kentuckyRuns(kKentuckyCity)>(kKentuckyCity);
constexpr auto kKentuckyCountyList = kentuckyList<kentuckyRuns(kKentuckyCounty)>(kKentuckyCounty);

static_assert(kPaSchoolList.size() == 2628 && kPaMunicipalList.size() == 2628);
static_assert(kOhioSchoolList.size() == 612 && kOhioMunicipalList.size() == 681);
static_assert(kKentuckySchoolList.size() == 9 && kKentuckyCityList.size() == 40 && kKentuckyCountyList.size() == 2);
static_assert(namesFit(kPaSchoolList) && namesFit(kPaMunicipalList) && namesFit(kOhioSchoolList) &&
              namesFit(kOhioMunicipalList) && namesFit(kKentuckySchoolList) && namesFit(kKentuckyCityList) &&
              namesFit(kKentuckyCountyList));

}  // namespace

std::span<const PaMunicipalRow> paMunicipalTable() { return kPaMunicipal; }
const PaMunicipalRow* paMunicipalRow(int year, int code) { return ofYear(kPaMunicipalIndex, year, code); }
const PaSchoolRow* paSchoolRow(int year, int sequence) { return ofYear(kPaSchoolIndex, year, sequence); }
std::span<const PaSchoolRow> paSchoolTable() { return kPaSchool; }
std::span<const OhioMunicipalRow> ohioMunicipalTable() { return kOhioMunicipal; }
std::span<const OhioSchoolRow> ohioSchoolTable() { return kOhioSchool; }
const OhioMunicipalRow* ohioMunicipalRow(const CalcDate& d, int code) { return covering(kOhioMunicipalIndex, d, code); }
const OhioSchoolRow* ohioSchoolRow(const CalcDate& d, int code) { return covering(kOhioSchoolIndex, d, code); }
std::span<const OhioEarnedBaseRow> ohioEarnedBaseTable() { return kOhioEarnedBase; }
std::span<const IndianaCountyRow> indianaCountyTable() { return kIndianaCounty; }
const IndianaCountyRow* indianaCountyRow(const CalcDate& d, int code) { return covering(kIndianaCountyIndex, d, code); }

std::span<const KentuckyRow> kentuckyTable(int which) {
    switch (which) {
        case 1: return kKentuckyCity;
        case 2: return kKentuckyCounty;
        default: return kKentuckySchool;
    }
}

const KentuckyRow* kentuckyRow(int which, const CalcDate& d, int code) {
    switch (which) {
        case 1: return covering(kKentuckyCityIndex, d, code);
        case 2: return covering(kKentuckyCountyIndex, d, code);
        default: return covering(kKentuckySchoolIndex, d, code);
    }
}

// Pennsylvania: 0 school districts (each with its municipality), 1 municipalities (each with its county).
std::span<const LocalityEntry> pennsylvaniaLocalityLists(int listSelector) {
    switch (listSelector) {
        case 0: return kPaSchoolList;
        case 1: return kPaMunicipalList;
        default: return {};
    }
}

// Ohio: 0 school districts, 1 municipalities.
std::span<const LocalityEntry> ohioLocalityLists(int listSelector) {
    switch (listSelector) {
        case 0: return kOhioSchoolList;
        case 1: return kOhioMunicipalList;
        default: return {};
    }
}

// Kentucky: 0 school districts, 1 cities, 2 counties.
std::span<const LocalityEntry> kentuckyLocalityLists(int listSelector) {
    switch (listSelector) {
        case 0: return kKentuckySchoolList;
        case 1: return kKentuckyCityList;
        case 2: return kKentuckyCountyList;
        default: return {};
    }
}

}  // namespace orla
