// Lookups in the tables whose bands repeat unchanged in every table year (built by overTableYears).
//
// Such a table is the band list once per table year, newest year first, each year's rows running from
// 1 January to 31 December. The first row in stored order that covers a date and whose band passes a
// test therefore lies in the first table year that covers the date, and its band is the first band of
// the list that passes the test: every year carries the same bands in the same order, so when no band
// of that year passes, none of a later year does. A lookup tests the date once, against the table
// years, and then searches the band list of one year only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "frame/common.h"
#include "frame/run_index.h"
#include "state/state_tables.h"
#include "state/table_years.h"

namespace orla {

// Whether one of the table years covers d by the row date test (a row of overTableYears covers d).
inline bool tableYearCovers(const CalcDate& d) { return TableYears(d).bits() != 0; }

// A band list whose bands of each key lie together, the key being a small integer from keyOf(band)
// (a status or a withholding code less an offset) below Keys: the bands of a key are reached directly.
template <class Band, std::size_t N, std::size_t Keys>
class KeyedBands {
  public:
    template <class KeyOf>
    constexpr KeyedBands(const Band (&bands)[N], KeyOf keyOf) : bands_(bands) {
        for (std::size_t i = 0; i < N; ++i) {
            const int key = keyOf(bands[i]);
            if (key < 0 || static_cast<std::size_t>(key) >= Keys) throw "a band's key is out of range";
            Stretch& s = of_[key];
            if (s.end == 0)
                s = Stretch{static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(i + 1)};
            else if (s.end == i)
                s.end = static_cast<std::uint32_t>(i + 1);
            else
                throw "the bands of a key do not lie together";
        }
        if constexpr (requires(const Band& b) { b.low; b.high; })
            for (std::size_t k = 0; k < Keys; ++k) ordered_[k] = bandsInOrder(of(static_cast<int>(k)));
    }

    // The bands of the key in stored order (none for a key out of range).
    constexpr std::span<const Band> of(int key) const {
        if (key < 0 || static_cast<std::size_t>(key) >= Keys) return {};
        return {bands_ + of_[key].begin, bands_ + of_[key].end};
    }

    // The first band of the key, in stored order, whose range [low, high) (high 0: open) holds x. Bands
    // in order (every band but the last bounded, each ending at or below the next one's low, the lows
    // not decreasing) cannot overlap, so the band that holds x, if any, is the last whose low does not
    // exceed x, found by bisection; other bands are scanned.
    const Band* holding(int key, double x) const {
        if (key < 0 || static_cast<std::size_t>(key) >= Keys || of_[key].begin == of_[key].end) return nullptr;
        const auto amount = [x](const Band&) { return x; };
        return bandHolding(bands_, of_[key].begin, of_[key].end, ordered_[key], amount);
    }

  private:

    struct Stretch {
        std::uint32_t begin = 0;
        std::uint32_t end = 0;
    };
    const Band* bands_;
    Stretch of_[Keys]{};
    bool ordered_[Keys]{};
};

}  // namespace orla
