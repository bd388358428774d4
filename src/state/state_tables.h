// Row types and helpers shared by several state calculators' tables.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>

#include "frame/common.h"

namespace orla {

// A flat rate in force over a date range (supplemental rates and the like).
struct FlatRateRow {
    CalcDate from;
    CalcDate to;
    double rate;
};

// One row of a table whose values repeat unchanged in every calendar year: the band of one year with
// the year's dates.
template <class Band>
struct DatedRow {
    CalcDate from;
    CalcDate to;
    Band band;
};

// The calendar years of the per-year tables, newest first (rows are scanned newest year first).
inline constexpr int kTableYears[] = {2026, 2025, 2024};

// Expands one year's bands into the dated rows of every table year, 1 January to 31 December, newest
// year first and the bands in their given order within each year.
template <class Band, std::size_t N>
constexpr std::array<DatedRow<Band>, N * std::size(kTableYears)> overTableYears(const Band (&bands)[N]) {
    std::array<DatedRow<Band>, N * std::size(kTableYears)> rows{};
    std::size_t i = 0;
    for (const int year : kTableYears)
        for (const Band& band : bands) rows[i++] = DatedRow<Band>{date(year, 1, 1), date(year, 12, 31), band};
    return rows;
}

// The table date written before any lookup: the pay's month and day in 2017. A matched row overwrites it
// with its from-date, so a caller can tell when nothing matched.
constexpr CalcDate unmatchedTableDate(const CalcDate& payDate) { return date(2017, payDate.month, payDate.day); }

}  // namespace orla
