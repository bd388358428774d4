// Output of orla-calc: the report of one pay, and the batch rows as an aligned table, CSV or JSON.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "calc.h"

namespace orla_cli {

enum class Format { Table, Csv, Json };

// The amounts of a result, in the order of kAmountNames.
constexpr std::size_t kAmountCount = 12;
extern const std::array<std::string_view, kAmountCount> kAmountNames;
std::array<double, kAmountCount> amounts(const PayResult& result);

// Sums in whole cents, so that a million rows add up exactly. A failed pay is counted but its amounts
// stay out of the sums: they are not what the pay withholds.
struct Totals {
    std::array<std::int64_t, kAmountCount> cents{};
    std::array<std::int64_t, kLevyCount> levyCents{};  // with --levies
    std::int64_t pays = 0;           // computed, in the sums
    std::int64_t failedPays = 0;     // calculated with a failure, left out of the sums
    std::int64_t paysWithNotes = 0;  // of both
    std::int64_t badRows = 0;
    std::int64_t skippedLines = 0;   // blank lines, and comment lines before the header

    void add(const PayResult& result);
    void merge(const Totals& other);
};

// Appends an amount with two decimals ("-12.30").
void appendAmount(std::string& out, double amount);

class BatchWriter {
public:
    BatchWriter(Format format, bool withId, bool withLevies = false)
        : format_(format), withId_(withId), withLevies_(withLevies) {}

    std::string header() const;
    // Appends one row. JSON rows start with a comma; the writer of the first row drops it.
    void row(std::string& out, long line, std::string_view id, const PayResult& result) const;
    std::string footer(const Totals& totals) const;

private:
    Format format_;
    bool withId_;
    bool withLevies_;
};

// One pay in words and figures, for a person at a terminal.
std::string describePay(const PayResult& result);
nlohmann::json payJson(const PayResult& result);

}  // namespace orla_cli
