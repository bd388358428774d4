// Run indexes over effective-date tables.
//
// A lookup in a table wants the first row in stored order that covers the pay date, has the wanted key
// (the fields it compares for equality: status and periods, or a code, or the periods alone) and passes
// a test of its own (mostly the wage bracket). Consecutive rows usually share their dates and their key;
// such a stretch of rows is a run. A RunIndex holds a table's runs with those of each key together, in
// stored order. Walking the runs of one key visits exactly the rows the plain scan would test, in the
// same order, so every lookup returns the row of the plain first-match scan, while the date
// test runs once per run and the rows of other keys are never visited.
//
// A key map, chosen with the index, sends the keys it holds straight to their runs (a table of many
// statuses and frequencies has dozens of keys); the keys outside it are found by a scan of the others.
// Either way a key's runs are the same, so the map changes the cost of a lookup, never its row.
//
// find and findBand take the row date test (rowCovers) or, with Strict, the strict one
// (rowCoversStrict); runsOf and firstOfRuns leave the search within a run to the caller. The searches
// within a run of ordered bands (bandHolding, lowsEnd and the helpers over them) are here too, for
// callers that keep band lists of their own. The index keeps a pointer to the table, so the table must
// outlive it: in practice both are constants of the same file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <utility>

#include "frame/common.h"

namespace orla {

// The key of most tables: a row's status and periods.
struct StatusPeriods {
    int status;
    int periods;
    friend constexpr bool operator==(const StatusPeriods&, const StatusPeriods&) = default;
};

template <class Row>
constexpr StatusPeriods statusPeriodsOf(const Row& r) { return StatusPeriods{r.status, r.periods}; }

// ---- searches within ordered bands ----------------------------------------------------------------------

// Whether a band [low, high) (high 0: open) holds x: x >= low and (x < high or high = 0); false for NaN.
template <class Band>
constexpr bool bandHolds(const Band& b, double x) {
    return x >= b.low && (x < b.high || b.high == 0);
}

// The end of the rows from first up to last (not including) whose low does not exceed x (Strict: is
// below x), found by bisection: with the lows in ascending order (not decreasing), the rows before it are
// those rows. Indexes, not a span, so that a run of a table is searched in place.
template <bool Strict = false, class Row, class Index>
constexpr Index lowsEnd(const Row* rows, Index first, Index last, double x) {
    while (first < last) {
        const Index mid = first + (last - first) / 2;
        if (Strict ? rows[mid].low < x : rows[mid].low <= x)
            first = mid + 1;
        else
            last = mid;
    }
    return first;
}

// The number of rows at the front of rows whose low does not exceed x (lowsBelow: is below x).
template <class Row>
constexpr std::size_t lowsAtMost(std::span<const Row> rows, double x) {
    return lowsEnd(rows.data(), std::size_t{0}, rows.size(), x);
}
template <class Row>
constexpr std::size_t lowsBelow(std::span<const Row> rows, double x) {
    return lowsEnd<true>(rows.data(), std::size_t{0}, rows.size(), x);
}

// Ordered disjoint bands: every band but the last bounded, each ending at or below the next one's low,
// the lows not decreasing. Then no two bands hold the same amount, and the one that holds x, if any, is
// the last whose low does not exceed x.
template <class Band>
constexpr bool bandsInOrder(std::span<const Band> bands) {
    for (std::size_t i = 0; i + 1 < bands.size(); ++i)
        if (bands[i].high == 0 || bands[i].high > bands[i + 1].low || bands[i].low > bands[i + 1].low) return false;
    return true;
}

// The first row from first up to last (not including), in stored order, whose band holds amountOf(row),
// amountOf depending on the row through its allowance only. Ordered disjoint bands of one allowance
// (ordered) hold the amount in at most one band, found by bisection; other rows are scanned. amountOf
// is called at least once when there are rows.
template <class Row, class AmountOf>
const Row* bandHolding(const Row* rows, std::uint32_t first, std::uint32_t last, bool ordered, AmountOf& amountOf) {
    if (!ordered) {
        for (const Row *r = rows + first, *end = rows + last; r != end; ++r)
            if (bandHolds(*r, amountOf(*r))) return r;
        return nullptr;
    }
    const double x = amountOf(rows[first]);
    const std::uint32_t n = lowsEnd(rows, first, last, x);
    return n > first && bandHolds(rows[n - 1], x) ? &rows[n - 1] : nullptr;
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

// ---- key maps -------------------------------------------------------------------------------------------

// A key map sends a lookup key straight to its runs: slotOf(key) is a slot below kSlots, distinct for
// distinct keys, or -1 for a key the map does not hold (such keys are found by a scan of the keys).

// No map: every key is scanned (tables of a few keys).
struct ScannedKeys {
    static constexpr std::size_t kSlots = 0;
    template <class Key>
    static constexpr int slotOf(const Key&) { return -1; }
};

// The usual period counts (annual, semi-annual, quarterly, monthly, semi-monthly, biweekly, weekly) and
// the slot of each, read from a table of the counts 0 to 52 (-1: not a usual count).
inline constexpr int kUsualPeriods[] = {1, 2, 4, 12, 24, 26, 52};
inline constexpr int kUsualPeriodsSlots = static_cast<int>(std::size(kUsualPeriods));
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

// Keys that are small codes 0 to Codes - 1 (a status, a province).
template <std::size_t Codes>
struct CodesBelow {
    static constexpr std::size_t kSlots = Codes;
    static constexpr int slotOf(int code) {
        return code >= 0 && static_cast<std::size_t>(code) < Codes ? code : -1;
    }
};

// Keys that are period counts: the usual ones.
struct UsualPeriodsMap {
    static constexpr std::size_t kSlots = std::size(kUsualPeriods);
    static constexpr int slotOf(int periods) { return usualPeriodsSlot(periods); }
};

// Status and periods keys: statuses 0 to 15 with the usual period counts (statuses such as 16 to 18 and
// periods such as 260 or 365 are scanned).
struct StatusPeriodsMap {
    static constexpr int kStatuses = 16;
    static constexpr int kPeriodSlots = 8;  // the usual counts, rounded up to a power of two
    static_assert(kUsualPeriodsSlots <= kPeriodSlots);
    static constexpr std::size_t kSlots = kStatuses * kPeriodSlots;
    static constexpr int slotOf(const StatusPeriods& k) {
        const int p = usualPeriodsSlot(k.periods);
        return p >= 0 && static_cast<unsigned>(k.status) < kStatuses ? k.status * kPeriodSlots + p : -1;
    }
};

// ---- run indexes ----------------------------------------------------------------------------------------

// The runs of a table of N rows of type Row, each row with from and to dates; Key is the type keyOf
// gives for a row (compared with ==); KeyMap sends the keys it holds straight to their runs, the others
// are found by a scan of the keys outside the map.
template <class Row, std::size_t N, class Key = StatusPeriods, class KeyMap = ScannedKeys>
class RunIndex {
  public:
    struct Run {
        CalcDate from;
        CalcDate to;
        Key key;
        std::uint32_t begin;  // the run's rows are those from begin up to (not including) end
        std::uint32_t end;
        bool bands;           // the rows are ordered disjoint bands of one allowance (see bandsInOrder)
    };

    // Keyed by status and periods (Key is StatusPeriods).
    constexpr explicit RunIndex(const Row (&table)[N]) : RunIndex(table, statusPeriodsOf<Row>) {}

    // Keyed by keyOf(row).
    template <class KeyOf>
    constexpr RunIndex(const Row* table, KeyOf keyOf) : rows_(table) {
        // The runs in stored order, and the keys in the order they first appear.
        Run stored[N]{};
        Key keys[N]{};
        std::size_t count = 0, keyCount = 0;
        for (std::size_t i = 0; i < N; ++i) {
            const Row& r = table[i];
            const Key key = keyOf(r);
            if (count > 0) {
                Run& last = stored[count - 1];
                if (last.key == key && sameDate(last.from, r.from) && sameDate(last.to, r.to)) {
                    last.end = static_cast<std::uint32_t>(i + 1);
                    continue;
                }
            }
            const auto row = static_cast<std::uint32_t>(i);
            stored[count++] = Run{r.from, r.to, key, row, row + 1, false};
            std::size_t k = 0;
            while (k < keyCount && !(keys[k] == key)) ++k;
            if (k == keyCount) keys[keyCount++] = key;
        }
        for (std::size_t k = 0; k < count; ++k) {
            const std::span<const Row> rows(table + stored[k].begin, table + stored[k].end);
            stored[k].bands = orderedBandsOfOneAllowance(rows);
        }
        // The runs of each key together, in stored order; each key placed in the map or among the scanned.
        for (std::size_t k = 0; k < keyCount; ++k) {
            const auto first = static_cast<std::uint32_t>(runCount_);
            for (std::size_t j = 0; j < count; ++j)
                if (stored[j].key == keys[k]) runs_[runCount_++] = stored[j];
            const Span span{first, static_cast<std::uint32_t>(runCount_)};
            const int slot = KeyMap::slotOf(keys[k]);
            if (slot >= 0) {
                if (static_cast<std::size_t>(slot) >= KeyMap::kSlots || slots_[slot].end != 0)
                    throw "the key map gives a slot out of range, or one slot to two keys";
                slots_[slot] = span;
                continue;
            }
            scanned_[scannedCount_++] = Head{keys[k], span};
            if constexpr (std::is_same_v<Key, StatusPeriods>) periodsPresent_ |= periodsBit(keys[k].periods);
        }
    }

    // All runs: those of each key together (the keys in the order they first appear in the table), each
    // key's runs in stored order.
    constexpr std::span<const Run> runs() const { return {runs_, runCount_}; }
    constexpr std::size_t runCount() const { return runCount_; }
    constexpr std::span<const Row> rowsOf(const Run& run) const { return {rows_ + run.begin, run.end - run.begin}; }

    // A key's runs in stored order, as a pair of pointers (no division by the size of a run).
    struct Runs {
        const Run* first;
        const Run* last;
        constexpr const Run* begin() const { return first; }
        constexpr const Run* end() const { return last; }
        constexpr bool empty() const { return first == last; }
    };

    // Whether the map holds every key of the table (no lookup scans the keys).
    constexpr bool allKeysMapped() const { return scannedCount_ == 0; }

    // The key's runs in stored order (none for a key no row has).
    constexpr Runs runsOf(const Key& key) const {
        if constexpr (KeyMap::kSlots > 0) {
            if (const int slot = KeyMap::slotOf(key); slot >= 0) return runsIn(slots_[static_cast<std::size_t>(slot)]);
        }
        if constexpr (std::is_same_v<Key, StatusPeriods>)
            if ((periodsPresent_ & periodsBit(key.periods)) == 0) return {runs_, runs_};
        for (std::size_t h = 0; h < scannedCount_; ++h)
            if (scanned_[h].key == key) return runsIn(scanned_[h].span);
        return {runs_, runs_};
    }

    // Over the runs of the key in stored order whose dates pass covers(run): the first non-null result of
    // inRun(run), or nullptr.
    template <class Covers, class InRun>
    auto firstOfRuns(const Key& key, Covers&& covers, InRun&& inRun) const
        -> decltype(inRun(std::declval<const Run&>())) {
        for (const Run& run : runsOf(key)) {
            if (!covers(run)) continue;
            if (auto found = inRun(run)) return found;
        }
        return nullptr;
    }

    // The first row in stored order that has the key, covers d (rowCovers; Strict: rowCoversStrict) and
    // is accepted by accept.
    template <bool Strict = false, class Accept>
    const Row* find(const CalcDate& d, const Key& key, Accept&& accept) const {
        return firstOfRuns(key, datesCover<Strict>(d), [&](const Run& run) -> const Row* {
            for (const Row *r = rows_ + run.begin, *end = rows_ + run.end; r != end; ++r)
                if (accept(*r)) return r;
            return nullptr;
        });
    }

    // As find, with the strict date test (rowCoversStrict).
    template <class Accept>
    const Row* findStrict(const CalcDate& d, const Key& key, Accept&& accept) const {
        return find<true>(d, key, accept);
    }

    // The first row in stored order that has the key, covers d (Strict: by the strict test) and whose
    // band [low, high) (high 0: no bound) holds amountOf(row), the amount the row applies to. amountOf
    // may depend on the row through its allowance only. In a run of ordered disjoint bands of one
    // allowance (bands) at most one band holds the amount, found by bisection (bandHolding); other runs
    // are scanned. amountOf is called at least once for every run whose dates cover d, so an amount the
    // caller keeps from its last call is the matched row's.
    template <bool Strict = false, class AmountOf>
    const Row* findBand(const CalcDate& d, const Key& key, AmountOf&& amountOf) const {
        return firstOfRuns(key, datesCover<Strict>(d),
                           [&](const Run& run) { return bandHolding(rows_, run.begin, run.end, run.bands, amountOf); });
    }

  private:
    struct Span {
        std::uint32_t first = 0;  // a key's runs in runs_, from first up to (not including) end
        std::uint32_t end = 0;
    };
    struct Head {
        Key key{};
        Span span;
    };

    constexpr Runs runsIn(const Span& s) const { return {runs_ + s.first, runs_ + s.end}; }

    template <bool Strict>
    static constexpr auto datesCover(const CalcDate& d) {
        return [&d](const Run& run) { return Strict ? rowCoversStrict(run.from, run.to, d) : rowCovers(run.from, run.to, d); };
    }

    // Ordered disjoint bands (bandsInOrder) that share one allowance, where the rows have one.
    static constexpr bool orderedBandsOfOneAllowance(std::span<const Row> rows) {
        if constexpr (requires(const Row& r) { r.low; r.high; }) {
            if constexpr (requires(const Row& r) { r.allowance; })
                for (const Row& r : rows)
                    if (r.allowance != rows[0].allowance) return false;
            return bandsInOrder(rows);
        } else {
            return false;
        }
    }

    static constexpr bool sameDate(const CalcDate& a, const CalcDate& b) {
        return a.month == b.month && a.day == b.day && a.year == b.year;
    }

    // Which periods the scanned keys have (bit p for 0 <= p < 63, the top bit for any other), so that a
    // lookup of periods no row has, a pass over the pay's periods in a table of annual rows say, ends at
    // once.
    static constexpr std::uint64_t periodsBit(int periods) {
        return periods >= 0 && periods < 63 ? std::uint64_t{1} << periods : std::uint64_t{1} << 63;
    }

    const Row* rows_;
    std::uint64_t periodsPresent_ = 0;
    Run runs_[N]{};
    std::array<Span, KeyMap::kSlots> slots_{};
    Head scanned_[N]{};
    std::size_t runCount_ = 0;
    std::size_t scannedCount_ = 0;
};

// A run index keyed by keyOf(row), over a built-in array or a std::array, with an optional key map.
template <class KeyMap = ScannedKeys, class Row, std::size_t N, class KeyOf>
constexpr auto runIndexBy(const Row (&table)[N], KeyOf keyOf) {
    return RunIndex<Row, N, std::invoke_result_t<KeyOf&, const Row&>, KeyMap>(table, keyOf);
}
template <class KeyMap = ScannedKeys, class Row, std::size_t N, class KeyOf>
constexpr auto runIndexBy(const std::array<Row, N>& table, KeyOf keyOf) {
    return RunIndex<Row, N, std::invoke_result_t<KeyOf&, const Row&>, KeyMap>(table.data(), keyOf);
}

// A run index keyed by status and periods with the direct map of StatusPeriodsMap (tables of many
// statuses and frequencies).
template <class Row, std::size_t N>
class MappedRunIndex : public RunIndex<Row, N, StatusPeriods, StatusPeriodsMap> {
  public:
    constexpr explicit MappedRunIndex(const Row (&table)[N])
        : RunIndex<Row, N, StatusPeriods, StatusPeriodsMap>(table, statusPeriodsOf<Row>) {}
};

// A bracket table's index with the direct key map.
template <std::size_t N>
using MappedBracketIndex = MappedRunIndex<BracketRow, N>;

// ---- bracket tables ---------------------------------------------------------------------------------

// The index of a bracket table, keyed by status and periods.
template <std::size_t N>
using BracketIndex = RunIndex<BracketRow, N>;

// First row in stored order that covers d, serves status and periods, and whose bracket holds x (as
// findBracket over the plain rows).
template <std::size_t N>
const BracketRow* findBracket(const BracketIndex<N>& index, const CalcDate& d, int status, int periods, double x) {
    return index.find(d, StatusPeriods{status, periods}, [x](const BracketRow& r) { return inBracket(r, x); });
}

// The state bracket lookup over an indexed table (same result as over the plain rows).
template <std::size_t N>
BracketHit stateBracketLookup(const BracketIndex<N>& index, const CalcDate& d, int status, int periods, double w) {
    return stateBracketPasses(periods, w, [&](int rowPeriods, double x) {
        return findBracket(index, d, status, rowPeriods, x);
    });
}

}  // namespace orla
