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
        std::sort(entries_, entries_ + N, [](const Entry& a, const Entry& b) {
            return a.key != b.key ? a.key < b.key : a.row < b.row;
        });
    }

    // The first row in stored order with the key that accept(row) takes, or nullptr.
    template <class Accept>
    const Row* find(std::int64_t key, Accept&& accept) const {
        // The first entry whose key is not below the wanted one: the search keeps it within [first, first +
        // count], halving count at each step without a branch on the comparison.
        const Entry* first = entries_;
        std::size_t count = N;
        while (count > 1) {
            const std::size_t half = count / 2;
            first = first[half - 1].key < key ? first + half : first;
            count -= half;
        }
        if (count == 1 && first->key < key) ++first;
        for (const Entry* e = first; e != entries_ + N && e->key == key; ++e)
            if (accept(rows_[e->row])) return &rows_[e->row];
        return nullptr;
    }

  private:
    struct Entry {
        std::int64_t key;
        std::uint32_t row;
    };
    const Row* rows_;
    Entry entries_[N]{};
};

// An index keyed by keyOf(row), over a built-in array or a std::array; the table must outlive it.
template <class Row, std::size_t N, class KeyOf>
constexpr CodeIndex<Row, N> codeIndexBy(const Row (&table)[N], KeyOf keyOf) {
    return CodeIndex<Row, N>(table, keyOf);
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
