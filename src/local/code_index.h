// The code index of a locality table, built at compile time.
//
// A lookup wants the first row in stored order with the wanted key (a locality code, or a year and a
// code) that passes a test of its own (mostly the date test). The index holds every row's position sorted
// by key and then by position: the entries of one key lie together, in stored order. A binary search
// finds the first entry of the key, and walking the key's entries tests exactly the rows of the key that
// the plain scan would test, in the same order, so the lookup returns the row of the plain first-match
// scan without visiting the rows of other keys.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace orla {

// The key of a year and a code, as one integer (distinct pairs give distinct keys).
constexpr std::int64_t yearCodeKey(int year, int code) {
    return static_cast<std::int64_t>(year) * (std::int64_t{1} << 32) + static_cast<std::uint32_t>(code);
}

template <class Row, std::size_t N>
class CodeIndex {
  public:
    // Over the N rows from table; keyOf(row) gives a row's key (an integer).
    template <class KeyOf>
    constexpr CodeIndex(const Row* table, KeyOf keyOf) : rows_(table) {
        for (std::size_t i = 0; i < N; ++i)
            entries_[i] = Entry{static_cast<std::int64_t>(keyOf(table[i])), static_cast<std::uint32_t>(i)};
        std::sort(entries_, entries_ + N, before);
    }

    // As above, with the rows' positions already in key order (a long table's order is generated with it,
    // sparing the compiler the sort); ordered() tells whether they are.
    template <class KeyOf>
    constexpr CodeIndex(const Row* table, KeyOf keyOf, const std::uint32_t (&order)[N]) : rows_(table) {
        for (std::size_t i = 0; i < N; ++i)
            entries_[i] = Entry{order[i] < N ? static_cast<std::int64_t>(keyOf(table[order[i]])) : 0, order[i]};
    }

    // Every row's position once, in key order. (Keys and positions strictly rising: a position met twice
    // would repeat its key.)
    constexpr bool ordered() const {
        for (std::size_t i = 0; i < N; ++i)
            if (entries_[i].row >= N || (i > 0 && !before(entries_[i - 1], entries_[i]))) return false;
        return true;
    }

    // The first row in stored order with the key that accept(row) takes, or nullptr.
    template <class Accept>
    const Row* find(std::int64_t key, Accept&& accept) const {
        // The first entry whose key is not below the wanted one. It lies within [first, first + count]; each
        // step takes half of count off, from the end or (when the last entry before that end is below the
        // key) from the start. The steps depend on N alone, so they are constants and the loop unrolls.
        const Entry* first = entries_;
#pragma GCC unroll 32
        for (const std::size_t half : kHalves) first = first[half - 1].key < key ? first + half : first;
        if (first->key < key) ++first;
        for (const Entry* e = first; e != entries_ + N && e->key == key; ++e)
            if (accept(rows_[e->row])) return &rows_[e->row];
        return nullptr;
    }

  private:
    static_assert(N > 0);
    // The halves the search takes off its range of N entries in turn, until one entry is left.
    static constexpr std::size_t kSteps = [] {
        std::size_t steps = 0;
        for (std::size_t count = N; count > 1; count -= count / 2) ++steps;
        return steps;
    }();
    static constexpr std::array<std::size_t, kSteps> kHalves = [] {
        std::array<std::size_t, kSteps> halves{};
        std::size_t count = N;
        for (std::size_t& half : halves) {
            half = count / 2;
            count -= half;
        }
        return halves;
    }();

    struct Entry {
        std::int64_t key;
        std::uint32_t row;
    };
    static constexpr bool before(const Entry& a, const Entry& b) {
        return a.key != b.key ? a.key < b.key : a.row < b.row;
    }
    const Row* rows_;
    Entry entries_[N]{};
};

// An index keyed by keyOf(row), over a built-in array or a std::array; the table must outlive it.
template <class Row, std::size_t N, class KeyOf>
constexpr CodeIndex<Row, N> codeIndexBy(const Row (&table)[N], KeyOf keyOf) {
    return CodeIndex<Row, N>(table, keyOf);
}
template <class Row, std::size_t N, class KeyOf>
constexpr CodeIndex<Row, N> codeIndexBy(const Row (&table)[N], KeyOf keyOf, const std::uint32_t (&order)[N]) {
    return CodeIndex<Row, N>(table, keyOf, order);
}
template <class Row, std::size_t N, class KeyOf>
constexpr CodeIndex<Row, N> codeIndexBy(const std::array<Row, N>& table, KeyOf keyOf) {
    return CodeIndex<Row, N>(table.data(), keyOf);
}
// Keyed by the rows' code member.
template <class Table>
constexpr auto codeIndex(const Table& table) {
    return codeIndexBy(table, [](const auto& r) { return r.code; });
}

}  // namespace orla
