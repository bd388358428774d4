// The table years that cover a pay date, tested once per calculation.
//
// Many tables hold rows that each run one table year (kTableYears), 1 January to 31 December. The row
// date test of such a row depends on its year only, so a calculation tests the table years once
// (TableYears). A scan then asks whether a row's year is among those covering the pay, and a run index
// holding one run per key and table year goes straight to the runs of those years (firstInYears): the
// rows a first-match scan accepts, and their order, stay those of the plain scan. A table is read this
// way only when it is laid out so (allRunTableYears, oneRunPerTableYear: checked at compile time).
#pragma once

#include <bit>
#include <cstddef>

#include "frame/common.h"
#include "frame/run_index.h"
#include "state/state_tables.h"

namespace orla {

inline constexpr int kNewestTableYear = kTableYears[0];
inline constexpr std::size_t kTableYearCount = std::size(kTableYears);

// The table years follow each other, newest first, so a year's place is its distance from the newest.
constexpr bool tableYearsConsecutive() {
    for (std::size_t s = 0; s < kTableYearCount; ++s)
        if (kTableYears[s] != kNewestTableYear - static_cast<int>(s)) return false;
    return true;
}
static_assert(tableYearsConsecutive() && kTableYearCount < 32);

// The place of a year in kTableYears, or kTableYearCount when it is not a table year (no overflow for
// any int).
constexpr std::size_t tableYearSlot(int year) {
    const unsigned slot = static_cast<unsigned>(kNewestTableYear) - static_cast<unsigned>(year);
    return slot < kTableYearCount ? slot : kTableYearCount;
}

// Whether a row runs one table year, 1 January to 31 December.
constexpr bool runsTableYear(const CalcDate& from, const CalcDate& to) {
    return tableYearSlot(from.year) < kTableYearCount && runsCalendarYear(from, to);
}
template <class Rows>
constexpr bool allRunTableYears(const Rows& rows) {
    for (const auto& r : rows)
        if (!runsTableYear(r.from, r.to)) return false;
    return true;
}

// The table years whose rows cover a date by the row date test (rowCovers).
class TableYears {
  public:
    explicit TableYears(const CalcDate& d) {
        // With a real month and day a table-year row covers the date in its own year only (see
        // runsCalendarYear). Other dates take the row test of every year.
        if (realMonthAndDay(d)) {
            const std::size_t slot = tableYearSlot(d.year);
            bits_ = slot < kTableYearCount ? 1u << slot : 0u;
            return;
        }
        for (std::size_t s = 0; s < kTableYearCount; ++s)
            if (rowCovers(date(kTableYears[s], 1, 1), date(kTableYears[s], 12, 31), d)) bits_ |= 1u << s;
    }

    // Whether a row of the year (running the table year) covers the date; false for any other year.
    bool hold(int year) const { return ((bits_ >> tableYearSlot(year)) & 1u) != 0; }
    // The covering years, bit s for kTableYears[s]; and the place of the newest covering year,
    // kTableYearCount when none covers the date.
    unsigned bits() const { return bits_; }
    std::size_t newest() const {
        return bits_ == 0 ? kTableYearCount : static_cast<std::size_t>(std::countr_zero(bits_));
    }

  private:
    unsigned bits_ = 0;  // bit s for kTableYears[s]
};

// Whether every key of a run index has exactly one run per table year, in the order of kTableYears (the
// index keeps a key's runs together, in stored order). The run of a key for the year at place s is then
// the s-th of the key's runs.
template <class Index>
constexpr bool oneRunPerTableYear(const Index& index) {
    const auto runs = index.runs();
    for (std::size_t first = 0; first < runs.size(); first += kTableYearCount) {
        for (std::size_t s = 0; s < kTableYearCount; ++s) {
            if (first + s >= runs.size()) return false;
            const auto& run = runs[first + s];
            if (!(run.key == runs[first].key) || !runsTableYear(run.from, run.to) || tableYearSlot(run.from.year) != s)
                return false;
        }
        if (first + kTableYearCount < runs.size() && runs[first + kTableYearCount].key == runs[first].key) return false;
    }
    return true;
}

// Over the key's runs whose year covers the date, in stored order: the first non-null inRun(run), or
// null. The index must hold one run per table year for every key (oneRunPerTableYear): the runs the
// date test passes are then those at the places of the covering years.
template <class Index, class Key, class InRun>
auto firstInYears(const Index& index, const TableYears& years, const Key& key, InRun&& inRun)
    -> decltype(inRun(*index.runs().data())) {
    const auto runs = index.runsOf(key);
    if (!runs.empty())
        for (unsigned bits = years.bits(); bits != 0; bits &= bits - 1)
            if (auto found = inRun(runs.first[std::countr_zero(bits)])) return found;
    return nullptr;
}

// As index.findBand (rows being the indexed table), over an index that holds one run per table year for
// every key.
template <class Row, std::size_t N, class Key, class Map, class AmountOf>
const Row* findBandIn(const RunIndex<Row, N, Key, Map>& index, const Row (&rows)[N], const TableYears& years,
                      const Key& key, AmountOf&& amountOf) {
    return firstInYears(index, years, key, [&](const auto& run) {
        return bandHolding(rows, run.begin, run.end, run.bands, amountOf);
    });
}

}  // namespace orla
