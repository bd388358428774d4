// A checksum of a table's values, to pin every row of a long table: the sum over rows i and fields k of
// (i + 1) x (k + 1) x round(value x 10^6), in wrapping 64-bit arithmetic. A one-digit change in any field
// of any row, or two rows swapped, changes it.
#pragma once

#include <cmath>
#include <cstdint>
#include <array>
#include <span>

#include "frame/common.h"

namespace orla::testing {

// fieldsOf(row) gives the row's fields in order as a std::array of doubles (dates as month, day,
// year).
template <class Row, class FieldsOf>
std::uint64_t tableChecksum(std::span<const Row> rows, FieldsOf fieldsOf) {
    std::uint64_t sum = 0;
    std::uint64_t i = 1;
    for (const Row& r : rows) {
        std::uint64_t k = 1;
        for (const double v : fieldsOf(r)) {
            const auto q = static_cast<std::uint64_t>(std::llround(v * 1e6));
            sum += i * k * q;
            ++k;
        }
        ++i;
    }
    return sum;
}

// The fields of a row's date range, in the order month, day, year.
#define ORLA_ROW_DATES(r) \
    double((r).from.month), double((r).from.day), double((r).from.year), double((r).to.month), double((r).to.day), \
        double((r).to.year)

// The checksum of a common bracket table.
inline std::uint64_t bracketChecksum(std::span<const BracketRow> rows) {
    return tableChecksum(rows, [](const BracketRow& r) {
        return std::array{ORLA_ROW_DATES(r), double(r.status), double(r.periods), r.allowance, r.low, r.high, r.base,
                          r.rate};
    });
}

}  // namespace orla::testing
