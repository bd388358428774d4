// Tables of the local calculators that tests and tools read.
#pragma once

#include <span>

#include "frame/common.h"
#include "state/maryland.h"
#include "state/new_york.h"

namespace orla {

// New York City's bracket table (rows of the state's bracket-row shape).
std::span<const NewYorkBracketRow> newYorkCityBracketTable();

// A Maryland county's row: the combined top rate (state top rate plus the county rate) and the combined
// table it names.
struct MarylandCountyRow {
    CalcDate from;
    CalcDate to;
    int code;
    double combinedRate;
    std::span<const MarylandRow> table;
};
std::span<const MarylandCountyRow> marylandCountyTable();
// The combined tables of the income tiers that no county row names, by their county rate in basis points:
// 270 (Anne Arundel's lowest tier), 281 and 294 (its middle tier in 2024 and 2025; 281 is also its 2024
// row's table), 296 (Frederick's middle tier, 2024 and 2025 only). Empty for any other rate.
std::span<const MarylandRow> marylandTierTable(int localRateBasisPoints);

// A Michigan city's row: rates in percent, exemption in annual dollars.
struct MichiganCityRow {
    CalcDate from;
    CalcDate to;
    int code;
    double residentRate;
    double nonresidentRate;
    double exemption;
};
std::span<const MichiganCityRow> michiganCityTable();

}  // namespace orla
