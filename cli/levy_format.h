// The levy columns of orla-calc's output (--levies), in each format.
#pragma once

#include <cstdint>
#include <string>

#include "format.h"
#include "levies.h"

namespace orla_cli {

using LevyCents = std::array<std::int64_t, kLevyCount>;

// Titles (table) or names (CSV) of the levy columns, each with its leading separator.
void appendLevyHeader(std::string& out, Format format);
// The levy amounts of one pay: padded cells, CSV cells, or JSON members, each with its separator.
void appendLevyCells(std::string& out, Format format, const LevyResult& levies);
// The totals in whole cents, laid out as the cells.
void appendLevyTotals(std::string& out, Format format, const LevyCents& cents);
void addLevyCents(LevyCents& cents, const LevyResult& levies);
// Width of the levy columns of the table.
int levyTableWidth();
// The levies of one pay in words and figures.
std::string describeLevies(const LevyResult& levies, const StateRecord& state);
nlohmann::json levyJson(const LevyResult& levies);

}  // namespace orla_cli
