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
// find takes the row date test (rowCovers), findStrict the strict one (rowCoversStrict); firstOfRuns
// leaves both the date test and the search within a run to the caller (Connecticut keeps a cached date
// test and bisects its contiguous bands). The index keeps a pointer to the table, so the table must
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

// The runs of a table of N rows of type Row, each row with from and to dates; Key is the type keyOf
// gives for a row (compared with ==).
template <class Row, std::size_t N, class Key = StatusPeriods>
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
        std::size_t count = 0;
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
            std::size_t h = 0;
            while (h < headCount_ && !(heads_[h].key == key)) ++h;
            if (h == headCount_) heads_[headCount_++] = Head{key, 0, 0};
            if constexpr (std::is_same_v<Key, StatusPeriods>)
                periodsPresent_ |= key.periods >= 0 && key.periods < 63 ? std::uint64_t{1} << key.periods : kOtherPeriods;
        }
        for (std::size_t k = 0; k < count; ++k) stored[k].bands = bandsInOrder(table, stored[k].begin, stored[k].end);
        // The runs of each key together, in stored order.
        for (std::size_t h = 0; h < headCount_; ++h) {
            heads_[h].first = runCount_;
            for (std::size_t k = 0; k < count; ++k)
                if (stored[k].key == heads_[h].key) runs_[runCount_++] = stored[k];
            heads_[h].end = runCount_;
        }
    }

    // All runs: those of each key together (the keys in the order they first appear in the table), each
    // key's runs in stored order.
    constexpr std::span<const Run> runs() const { return {runs_, runCount_}; }
    constexpr std::size_t runCount() const { return runCount_; }
    constexpr std::span<const Row> rowsOf(const Run& run) const { return {rows_ + run.begin, rows_ + run.end}; }

    // Over the runs of the key in stored order whose dates pass covers(run): the first non-null result of
    // inRun(run), or nullptr.
    template <class Covers, class InRun>
    auto firstOfRuns(const Key& key, Covers&& covers, InRun&& inRun) const
        -> decltype(inRun(std::declval<const Run&>())) {
        if constexpr (std::is_same_v<Key, StatusPeriods>)
            if (!mayHavePeriods(key.periods)) return nullptr;
        for (std::size_t h = 0; h < headCount_; ++h) {
            if (!(heads_[h].key == key)) continue;
            const Run* const end = runs_ + heads_[h].end;
            for (const Run* run = runs_ + heads_[h].first; run != end; ++run) {
                if (!covers(*run)) continue;
                if (auto found = inRun(*run)) return found;
            }
            break;
        }
        return nullptr;
    }

    // The first row in stored order that has the key, covers d (rowCovers) and is accepted by accept.
    template <class Accept>
    const Row* find(const CalcDate& d, const Key& key, Accept&& accept) const {
        return firstOfRuns(
            key, [&](const Run& run) { return rowCovers(run.from, run.to, d); },
            [&](const Run& run) { return firstAccepted(run, accept); });
    }

    // The first row in stored order that has the key, covers d and whose band [low, high) (high 0: no
    // bound) holds amountOf(row), the amount the row applies to. amountOf may depend on the row through
    // its allowance only. In a run of ordered disjoint bands of one allowance (bands) the amount is the
    // same for every row and at most one band holds it: the last band whose low does not exceed it,
    // found by bisection, is then the row the plain scan stops at. Other runs are scanned. amountOf is
    // called at least once for every run whose dates cover d, so an amount the caller keeps from its
    // last call is the matched row's.
    template <class AmountOf>
    const Row* findBand(const CalcDate& d, const Key& key, AmountOf&& amountOf) const {
        return firstOfRuns(
            key, [&](const Run& run) { return rowCovers(run.from, run.to, d); },
            [&](const Run& run) { return bandInRun(run, amountOf); });
    }

    // findBand within one run: the run's first row whose band holds amountOf(row), or nullptr.
    template <class AmountOf>
    const Row* bandInRun(const Run& run, AmountOf& amountOf) const {
        if (!run.bands) {
            auto inBand = [&](const Row& r) { return holds(r, amountOf(r)); };
            return firstAccepted(run, inBand);
        }
        const double x = amountOf(rows_[run.begin]);
        std::uint32_t low = run.begin, high = run.end;  // the first row whose low exceeds x
        while (low < high) {
            const std::uint32_t mid = low + (high - low) / 2;
            if (rows_[mid].low <= x)
                low = mid + 1;
            else
                high = mid;
        }
        return low > run.begin && holds(rows_[low - 1], x) ? &rows_[low - 1] : nullptr;
    }

    // As find, with the strict date test (rowCoversStrict).
    template <class Accept>
    const Row* findStrict(const CalcDate& d, const Key& key, Accept&& accept) const {
        return firstOfRuns(
            key, [&](const Run& run) { return rowCoversStrict(run.from, run.to, d); },
            [&](const Run& run) { return firstAccepted(run, accept); });
    }

  private:
    struct Head {
        Key key;
        std::size_t first;  // the key's runs in runs_, from first up to (not including) end
        std::size_t end;
    };

    template <class Accept>
    const Row* firstAccepted(const Run& run, Accept& accept) const {
        for (std::uint32_t k = run.begin; k < run.end; ++k)
            if (accept(rows_[k])) return &rows_[k];
        return nullptr;
    }

    // x >= low and (x < high or high = 0); false for NaN.
    static constexpr bool holds(const Row& r, double x) { return x >= r.low && (x < r.high || r.high == 0); }

    // Rows begin..end are ordered disjoint bands of one allowance: every band but the last bounded, each
    // ending at or below the next one's low, the lows not decreasing. Then no two bands hold the same
    // amount, and the one that holds x, if any, is the last whose low does not exceed x.
    static constexpr bool bandsInOrder(const Row* table, std::uint32_t begin, std::uint32_t end) {
        if constexpr (requires(const Row& r) { r.low; r.high; }) {
            for (std::uint32_t i = begin; i + 1 < end; ++i) {
                const Row& r = table[i];
                const Row& next = table[i + 1];
                if (r.high == 0 || r.high > next.low || r.low > next.low) return false;
                if constexpr (requires { r.allowance; })
                    if (r.allowance != next.allowance) return false;
            }
            return true;
        } else {
            return false;
        }
    }

    static constexpr bool sameDate(const CalcDate& a, const CalcDate& b) {
        return a.month == b.month && a.day == b.day && a.year == b.year;
    }

    // Which periods the keys have (bit p for 0 <= p < 63, the top bit for any other), so that a lookup of
    // periods no row has, a pass over the pay's periods in a table of annual rows say, ends at once.
    static constexpr std::uint64_t kOtherPeriods = std::uint64_t{1} << 63;
    constexpr bool mayHavePeriods(int periods) const {
        return (periodsPresent_ & (periods >= 0 && periods < 63 ? std::uint64_t{1} << periods : kOtherPeriods)) != 0;
    }

    const Row* rows_;
    std::uint64_t periodsPresent_ = 0;
    Run runs_[N]{};
    Head heads_[N]{};
    std::size_t runCount_ = 0;
    std::size_t headCount_ = 0;
};

// A run index keyed by keyOf(row), over a built-in array or a std::array.
template <class Row, std::size_t N, class KeyOf>
constexpr auto runIndexBy(const Row (&table)[N], KeyOf keyOf) {
    return RunIndex<Row, N, std::invoke_result_t<KeyOf&, const Row&>>(table, keyOf);
}
template <class Row, std::size_t N, class KeyOf>
constexpr auto runIndexBy(const std::array<Row, N>& table, KeyOf keyOf) {
    return RunIndex<Row, N, std::invoke_result_t<KeyOf&, const Row&>>(table.data(), keyOf);
}

// ---- keys found through a direct map ----------------------------------------------------------------

// A run index keyed by status and periods whose keys are found through a direct map instead of a scan
// of the keys (a table of many statuses and frequencies has dozens). The map goes from a status below
// kStatuses and periods below kPeriodsBelow to the key's runs in runs(); a key outside it, or of a table
// with more than kPeriodKinds - 1 distinct periods, is left to the scan of the base index. find and
// findBand walk the same runs in the same order as the base index's, so they return the same row.
template <class Row, std::size_t N>
class DirectRunIndex : public RunIndex<Row, N> {
    using Base = RunIndex<Row, N>;
    using Run = typename Base::Run;
    static_assert(N < 65536, "run positions are held in 16 bits");

  public:
    static constexpr int kStatuses = 16;
    static constexpr int kPeriodsBelow = 64;
    static constexpr int kPeriodKinds = 16;

    constexpr explicit DirectRunIndex(const Row (&table)[N]) : Base(table) {
        const std::span<const Run> runs = this->runs();
        for (std::size_t first = 0; first < runs.size();) {
            std::size_t end = first + 1;
            while (end < runs.size() && runs[end].key == runs[first].key) ++end;  // a key's runs lie together
            place(runs[first].key, first, end);
            first = end;
        }
    }

    template <class Accept>
    const Row* find(const CalcDate& d, const StatusPeriods& key, Accept&& accept) const {
        const Span* span = spanOf(key);
        if (span == nullptr) return Base::find(d, key, accept);
        return firstInCoveringRuns(*span, d, [&](const Run& run) -> const Row* {
            for (const Row& r : this->rowsOf(run))
                if (accept(r)) return &r;
            return nullptr;
        });
    }

    template <class AmountOf>
    const Row* findBand(const CalcDate& d, const StatusPeriods& key, AmountOf&& amountOf) const {
        const Span* span = spanOf(key);
        if (span == nullptr) return Base::findBand(d, key, amountOf);
        return firstInCoveringRuns(*span, d, [&](const Run& run) { return this->bandInRun(run, amountOf); });
    }

  private:
    struct Span {
        std::uint16_t first = 0;  // the key's runs in runs(), from first up to (not including) end
        std::uint16_t end = 0;
    };
    static constexpr std::uint8_t kScan = 0xff;  // periods slot: left to the base index's scan

    constexpr const Run* runAt(std::size_t k) const { return this->runs().data() + k; }

    // Over the span's runs in stored order whose dates cover d: the first non-null inRun(run).
    template <class InRun>
    const Row* firstInCoveringRuns(const Span& span, const CalcDate& d, InRun&& inRun) const {
        for (const Run* run = runAt(span.first); run != runAt(span.end); ++run)
            if (rowCovers(run->from, run->to, d))
                if (const Row* r = inRun(*run)) return r;
        return nullptr;
    }

    // The key's runs (empty when no row has the key), or nullptr for a key the map does not hold.
    constexpr const Span* spanOf(const StatusPeriods& key) const {
        if (static_cast<unsigned>(key.status) >= kStatuses || static_cast<unsigned>(key.periods) >= kPeriodsBelow)
            return nullptr;
        const std::uint8_t slot = periodsSlot_[key.periods];
        return slot == kScan ? nullptr : &spans_[key.status][slot];
    }

    constexpr void place(const StatusPeriods& key, std::size_t first, std::size_t end) {
        if (static_cast<unsigned>(key.status) >= kStatuses || static_cast<unsigned>(key.periods) >= kPeriodsBelow)
            return;
        std::uint8_t& slot = periodsSlot_[key.periods];
        if (slot == 0) slot = periodKinds_ + 1 < kPeriodKinds ? ++periodKinds_ : kScan;  // slot 0: no rows
        if (slot != kScan)
            spans_[key.status][slot] = Span{static_cast<std::uint16_t>(first), static_cast<std::uint16_t>(end)};
    }

    std::uint8_t periodsSlot_[kPeriodsBelow]{};
    std::uint8_t periodKinds_ = 0;
    Span spans_[kStatuses][kPeriodKinds]{};
};

// A bracket table's index with the direct key map.
template <std::size_t N>
using DirectBracketIndex = DirectRunIndex<BracketRow, N>;

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
