// Row types and helpers shared by several state calculators' tables.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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

// An index over a table of rows with from and to dates: its runs of consecutive rows that share their
// dates and a key (the fields the lookup compares for equality, such as the periods or the status), in
// stored order. find visits the rows of the runs with the key that cover the date in stored order, so it
// returns exactly the row of the plain first-match scan, while the date test runs once per run.
template <class Row, std::size_t N>
struct KeyedRunIndex {
    struct Run {
        CalcDate from;
        CalcDate to;
        long long key;
        std::uint32_t begin;
        std::uint32_t end;
    };
    const Row* rows;
    Run runs[N]{};
    std::size_t count = 0;

    template <class KeyOf>
    constexpr KeyedRunIndex(const Row* table, KeyOf keyOf) : rows(table) {
        for (std::size_t i = 0; i < N; ++i) {
            const Row& r = table[i];
            const long long key = keyOf(r);
            if (count > 0) {
                Run& last = runs[count - 1];
                if (last.key == key && sameDate(last.from, r.from) && sameDate(last.to, r.to)) {
                    last.end = static_cast<std::uint32_t>(i + 1);
                    continue;
                }
            }
            runs[count++] = Run{r.from, r.to, key, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(i + 1)};
        }
    }

    // First row in stored order whose run has the key and covers d and that passes test.
    template <class Test>
    const Row* find(const CalcDate& d, long long key, Test test) const {
        for (std::size_t k = 0; k < count; ++k) {
            const Run& run = runs[k];
            if (run.key != key || !rowCovers(run.from, run.to, d)) continue;
            for (std::uint32_t i = run.begin; i < run.end; ++i)
                if (test(rows[i])) return &rows[i];
        }
        return nullptr;
    }

  private:
    static constexpr bool sameDate(const CalcDate& a, const CalcDate& b) {
        return a.month == b.month && a.day == b.day && a.year == b.year;
    }
};

// The table date written before any lookup: the pay's month and day in 2017. A matched row overwrites it
// with its from-date, so a caller can tell when nothing matched.
constexpr CalcDate unmatchedTableDate(const CalcDate& payDate) { return date(2017, payDate.month, payDate.day); }

}  // namespace orla
