// Searches within a run of ordered bands that return the row of the plain scan of the run (bisection, a
// grid of the lows), and direct access to the runs of one key of a RunIndex, for tables with many keys
// (status and periods, say): the key is mapped to a small slot, so a lookup goes straight to the runs of
// its key instead of comparing the key with every other key first.
//
// The slots only locate the key's runs inside the index (runsOf): the runs themselves and their order are
// those RunIndex::firstOfRuns walks, so a lookup that tests them in turn as it does returns the same row.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <utility>

#include "frame/run_index.h"

namespace orla {

// The slot of a period count among the usual ones (annual, semi-annual, quarterly, monthly,
// semi-monthly, biweekly, weekly), or -1; read from a table of the counts 0 to 52.
inline constexpr int kUsualPeriods[] = {1, 2, 4, 12, 24, 26, 52};
inline constexpr auto kUsualPeriodsSlotOf = [] {
    std::array<signed char, 53> slots{};
    for (signed char& s : slots) s = -1;
    for (std::size_t i = 0; i < std::size(kUsualPeriods); ++i)
        slots[static_cast<std::size_t>(kUsualPeriods[i])] = static_cast<signed char>(i);
    return slots;
}();
constexpr int usualPeriodsSlot(int periods) {
    return periods >= 0 && periods <= 52 ? kUsualPeriodsSlotOf[static_cast<std::size_t>(periods)] : -1;
}
inline constexpr int kUsualPeriodsSlots = static_cast<int>(std::size(kUsualPeriods));

// The number of rows at the front of rows whose low does not exceed x (Strict: is below x), found by
// bisection: with the lows in ascending order (not decreasing), the last of them is the last such row.
template <class Row, bool Strict = false>
constexpr std::size_t lowsAtMost(std::span<const Row> rows, double x) {
    std::size_t low = 0, high = rows.size();
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if (Strict ? rows[mid].low < x : rows[mid].low <= x)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}
template <class Row>
constexpr std::size_t lowsBelow(std::span<const Row> rows, double x) {
    return lowsAtMost<Row, true>(rows, x);
}

// Brackets that follow each other from 0 without gap or overlap: the first low 0, each high the next
// low above it, the last bracket open (high 0).
template <class Row>
constexpr bool contiguousFromZero(std::span<const Row> rows) {
    if (rows.empty() || rows[0].low != 0 || rows.back().high != 0) return false;
    for (std::size_t i = 0; i + 1 < rows.size(); ++i)
        if (!(rows[i].low < rows[i].high) || rows[i].high != rows[i + 1].low) return false;
    return true;
}

// The first of such brackets, in stored order, that takes t by low < t <= high (a low of 0, or an open
// high, taking any t on its side). The first bracket takes t up to its high, every other one only t
// above its low, and the highs are the next lows: so the one bracket that can take t is the last whose
// low is below t, or the first when none is; it is tested.
template <class Row>
const Row* bracketAboveLow(std::span<const Row> rows, double t) {
    const std::size_t below = lowsBelow(rows, t);
    const Row& r = rows[below > 0 ? below - 1 : 0];
    return (t > r.low || r.low == 0) && (t <= r.high || r.high == 0) ? &r : nullptr;
}

// Whether a band [low, high) (high 0: open) holds x: x >= low and (x < high or high = 0); false for NaN.
template <class Band>
constexpr bool bandHolds(const Band& b, double x) {
    return x >= b.low && (x < b.high || b.high == 0);
}

// The first row of a run, in stored order, whose band [low, high) (high 0: open) holds amountOf(row),
// amountOf depending on the row through its allowance only. Ordered disjoint bands of one allowance
// (bands, as RunIndex finds them) hold the amount in at most one band, the last whose low does not exceed
// it, found by bisection; other rows are scanned.
template <class Row, class AmountOf>
const Row* bandHolding(std::span<const Row> rows, bool bands, AmountOf&& amountOf) {
    if (!bands) {
        for (const Row& r : rows)
            if (bandHolds(r, amountOf(r))) return &r;
        return nullptr;
    }
    const double x = amountOf(rows[0]);
    const std::size_t n = lowsAtMost(rows, x);
    return n > 0 && bandHolds(rows[n - 1], x) ? &rows[n - 1] : nullptr;
}

// A grid over ordered bands (lows not decreasing) whose lows are whole numbers: the range from the first
// low to the last is cut into cells of the largest width that puts every low on a cell boundary, and each
// cell records the number of bands whose low does not exceed the cell's start. A lookup starts from its
// cell's count and steps to the exact count of lows not exceeding x, so the grid only spares the steps
// of a bisection and gives its result. Bands whose cells would be too many get no grid (cells 0) and are
// bisected.
template <std::size_t MaxCells>
class LowGrid {
  public:
    constexpr LowGrid() = default;

    template <class Band>
    constexpr explicit LowGrid(std::span<const Band> bands) {
        if (bands.empty()) return;
        long long gcd = 0;
        for (const Band& b : bands) {
            const double offset = b.low - bands[0].low;
            if (offset != static_cast<double>(static_cast<long long>(offset)) || offset < 0) return;
            for (long long a = static_cast<long long>(offset); a != 0;) {
                const long long r = gcd % a;
                gcd = a;
                a = r;
            }
        }
        const double last = bands[bands.size() - 1].low - bands[0].low;
        const long long cells = gcd == 0 ? 1 : static_cast<long long>(last) / gcd + 1;
        if (cells > static_cast<long long>(MaxCells) || bands.size() > 255) return;
        origin_ = bands[0].low;
        step_ = gcd == 0 ? 1.0 : static_cast<double>(gcd);
        cells_ = static_cast<std::size_t>(cells);
        for (std::size_t c = 0; c < cells_; ++c)
            counts_[c] = static_cast<unsigned char>(orla::lowsAtMost(bands, origin_ + static_cast<double>(c) * step_));
    }

    // The number of bands whose low does not exceed x (as lowsAtMost(bands, x)); bands are those the grid
    // was built from.
    template <class Band>
    std::size_t lowsAtMost(std::span<const Band> bands, double x) const {
        if (cells_ == 0) return orla::lowsAtMost(bands, x);
        if (!(x >= origin_)) return 0;  // below every low, or NaN
        const double cell = (x - origin_) / step_;
        const int c = cell < static_cast<double>(cells_) ? static_cast<int>(cell) : static_cast<int>(cells_) - 1;
        std::size_t n = counts_[c];
        while (n < bands.size() && bands[n].low <= x) ++n;
        while (n > 0 && bands[n - 1].low > x) --n;
        return n;
    }

  private:
    double origin_ = 0;
    double step_ = 1;
    std::size_t cells_ = 0;
    unsigned char counts_[MaxCells]{};
};

// Index is a RunIndex; slotOf(key) gives a slot below S, or -1. Every key of the table must have a slot
// of its own (checked when the slots are built, at compile time for a constexpr object).
template <class Index, std::size_t S, class Key, class SlotOf>
class RunSlots {
  public:
    using Run = typename Index::Run;

    constexpr RunSlots(const Index& index, SlotOf slotOf) : index_(index), slotOf_(slotOf) {
        // The index keeps the runs of each key together; record where each key's runs lie.
        const auto runs = index.runs();
        for (std::size_t k = 0; k < runs.size(); ++k) {
            const int slot = slotOf(runs[k].key);
            if (slot < 0 || static_cast<std::size_t>(slot) >= S) throw "a key of the table has no slot";
            Slot& s = slots_[slot];
            if (s.end == 0) {
                s = Slot{runs[k].key, static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(k + 1)};
            } else {
                if (!(s.key == runs[k].key) || s.end != k) throw "two keys of the table share a slot";
                s.end = static_cast<std::uint32_t>(k + 1);
            }
        }
    }

    // The key's runs in stored order (none for a key the table does not have).
    std::span<const Run> runsOf(const Key& key) const {
        const int slot = slotOf_(key);
        if (slot < 0 || static_cast<std::size_t>(slot) >= S) return {};
        const Slot& s = slots_[slot];
        if (!(s.key == key)) return {};
        return index_.runs().subspan(s.first, s.end - s.first);
    }

    // As index.findBand(d, key, amountOf): the first row in stored order that has the key, covers d and
    // whose band [low, high) (high 0: open) holds amountOf(row), amountOf depending on the row through its
    // allowance only. A run of ordered disjoint bands (run.bands) holds the amount in at most one band,
    // the last whose low does not exceed it, found by bisection; other runs are scanned. With Strict the
    // date test is the strict one (rowCoversStrict).
    template <bool Strict = false, class AmountOf>
    auto findBand(const CalcDate& d, const Key& key, AmountOf&& amountOf) const
        -> decltype(bandHolding(std::declval<const Index&>().rowsOf(std::declval<const Run&>()), false, amountOf)) {
        for (const Run& run : runsOf(key))
            if (Strict ? rowCoversStrict(run.from, run.to, d) : rowCovers(run.from, run.to, d))
                if (const auto* r = bandHolding(index_.rowsOf(run), run.bands, amountOf)) return r;
        return nullptr;
    }

  private:
    struct Slot {
        Key key{};
        std::uint32_t first = 0;  // the key's runs in index.runs(), from first up to (not including) end
        std::uint32_t end = 0;
    };

    const Index& index_;
    SlotOf slotOf_;
    Slot slots_[S]{};
};

// Slots for a run index keyed by status and periods: status 0 to statuses - 1, the usual period counts.
template <std::size_t Statuses, class Index>
constexpr auto statusPeriodsSlots(const Index& index) {
    constexpr auto slotOf = [](const StatusPeriods& k) {
        const int p = usualPeriodsSlot(k.periods);
        if (p < 0 || k.status < 0 || static_cast<std::size_t>(k.status) >= Statuses) return -1;
        return k.status * kUsualPeriodsSlots + p;
    };
    return RunSlots<Index, Statuses * kUsualPeriodsSlots, StatusPeriods, decltype(slotOf)>(index, slotOf);
}

// Slots for a run index keyed by a status alone, 0 to statuses - 1.
template <std::size_t Statuses, class Index>
constexpr auto statusSlots(const Index& index) {
    constexpr auto slotOf = [](int status) {
        return status >= 0 && static_cast<std::size_t>(status) < Statuses ? status : -1;
    };
    return RunSlots<Index, Statuses, int, decltype(slotOf)>(index, slotOf);
}

// Slots for a run index keyed by the periods alone.
template <class Index>
constexpr auto periodsSlots(const Index& index) {
    constexpr auto slotOf = [](int periods) { return usualPeriodsSlot(periods); };
    return RunSlots<Index, kUsualPeriodsSlots, int, decltype(slotOf)>(index, slotOf);
}

}  // namespace orla
