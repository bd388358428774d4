// The long locality tables of Pennsylvania, Ohio, Indiana and Kentucky. Their rows are kept as CSV under
// data/ and compiled in from the initialisers that data/locality_tables.py generates at build time.
//
// A row marked rate-unknown keeps its place (its codes and name stay in the lists) but no source gives
// its rates for that year: a pay that reaches it fails as a missing row would, never with a guessed rate.
#pragma once

#include <cstddef>
#include <span>

#include "frame/common.h"

namespace orla {

// ---- Pennsylvania: year blocks newest first (2026, 2025, 2024, 2023), each opening with "None" ----------
struct PaMunicipalRow {
    int year;
    const char* county;
    int code;  // municipality code; the calcCode of the municipal list
    const char* name;
    double rateOther;     // percent, for a non-resident
    double rateResident;  // percent, for a resident
    double annualAmount;  // dollars a year, residents only
    bool rateKnown;
};

struct PaSchoolRow {
    int year;
    int municipalityCode;
    const char* municipality;
    int districtCode;  // the listCode of the school-district list
    const char* district;
    double rate;          // percent
    double annualAmount;  // dollars a year
    int sequence;         // the calcCode of the school-district list, matched against localityCode
    bool rateKnown;
};

// ---- Ohio: blocks 1 January to 31 December, newest first, each opening with "None" (code 0) ------------
struct OhioMunicipalRow {
    CalcDate from;
    CalcDate to;
    int code;  // Census place code
    const char* name;
    double rate;  // fraction
    bool rateKnown;
};

struct OhioSchoolRow {
    CalcDate from;
    CalcDate to;
    int code;  // education IRN
    int code2;
    const char* name;
    double rate;  // percent
    bool rateKnown;
};

// The school districts whose tax falls on the wages without exemptions (only code and dates are read).
struct OhioEarnedBaseRow {
    CalcDate from;
    CalcDate to;
    int code;
    int code2;
    const char* name;
    double rate;
};

// ---- Indiana: one row per county and date range, newest first -------------------------------------------
struct IndianaCountyRow {
    CalcDate from;
    CalcDate to;
    int code;  // the code of the county list
    double residentRate;     // fraction
    double nonresidentRate;  // fraction
};

// ---- Kentucky: one row per band; a locality's bands are consecutive, the last one open (high 0) ----------
// A bound of kSocialSecurityBound stands for the social security wage base of the pay date.
inline constexpr double kSocialSecurityBound = -999;
struct KentuckyRow {
    CalcDate from;
    CalcDate to;
    const char* name;
    int code;
    double low;
    double high;   // 0: no upper limit
    double rate;   // percent
    double rate2;  // percent; informational
};

std::span<const PaMunicipalRow> paMunicipalTable();
std::span<const PaSchoolRow> paSchoolTable();
// The first row in table order of the year with the municipality code (municipal table) or the sequence
// number (school-district table); nullptr when none. These lookups and those below search an index built
// at compile time.
const PaMunicipalRow* paMunicipalRow(int year, int code);
const PaSchoolRow* paSchoolRow(int year, int sequence);
std::span<const OhioMunicipalRow> ohioMunicipalTable();
std::span<const OhioSchoolRow> ohioSchoolTable();
// The first row in table order with the code that covers d (rowCovers); nullptr when none.
const OhioMunicipalRow* ohioMunicipalRow(const CalcDate& d, int code);
const OhioSchoolRow* ohioSchoolRow(const CalcDate& d, int code);
std::span<const OhioEarnedBaseRow> ohioEarnedBaseTable();
std::span<const IndianaCountyRow> indianaCountyTable();
const IndianaCountyRow* indianaCountyRow(const CalcDate& d, int code);
// 0 school districts, 1 cities, 2 counties.
std::span<const KentuckyRow> kentuckyTable(int which);
// The first row of the table which (0, 1 or 2) with the code that covers d.
const KentuckyRow* kentuckyRow(int which, const CalcDate& d, int code);

}  // namespace orla
