// Alabama: city and county occupational taxes, a flat rate on the local wages. The rate table's newest
// year block is the Alabama locality list as well.
#include <array>
#include <iterator>

#include "local/code_index.h"
#include "local/local_calculators.h"
#include "state/state_tables.h"

namespace orla {

namespace {

struct Locality {
    int code;
    const char* name;
    double rate;  // a fraction
};

// One year's rows, the same in every table year. Beaverton and Southside share code 25: a lookup by
// code finds Beaverton's rate.
constexpr Locality kLocalities[] = {
    {0, "None", 0},
    {1, "Attalla", 0.02},
    {2, "Auburn", 0.01},
    {3, "Bear Creek", 0.01},
    {25, "Beaverton", 0.01},
    {4, "Bessemer", 0.01},
    {5, "Birmingham", 0.01},
    {6, "Brilliant", 0.01},
    {26, "Fort Deposit", 0.1},
    {7, "Fairfield", 0.01},
    {8, "Gadsden", 0.02},
    {9, "Glencoe", 0.02},
    {10, "Goodwater", 0.0075},
    {11, "Guin", 0.01},
    {12, "Hackleburg", 0.01},
    {13, "Haleyville", 0.01},
    {14, "Hamilton", 0.01},
    {15, "Leeds", 0.01},
    {16, "Lynn", 0.01},
    {27, "Macon County", 0.01},
    {18, "Mosses", 0.01},
    {19, "Opelika", 0.015},
    {20, "Rainbow City", 0.02},
    {21, "Red Bay", 0.005},
    {22, "Shorter", 0.01},
    {25, "Southside", 0.02},
    {23, "Sulligent", 0.01},
    {24, "Tuskegee", 0.03},
};
static_assert(std::size(kLocalities) == 28);

// 2026, 2025, 2024, each 1 January to 31 December, newest first.
constexpr auto kRates = overTableYears(kLocalities);
constexpr auto kRateIndex = codeIndexBy(kRates, [](const auto& row) { return row.band.code; });

// The list: the rows of the newest year block, in stored order.
constexpr auto kList = [] {
    std::array<LocalityEntry, std::size(kLocalities)> list{};
    std::size_t n = 0;
    for (const auto& row : kRates) {
        if (row.from.year != kRates[0].from.year) break;
        list[n++] = LocalityEntry{row.band.code, row.band.code, row.band.name, nullptr};
    }
    return list;
}();
static_assert(namesFit(kList));

}  // namespace

int calcLocalAlabama(PayRecord* pay, StateRecord*, LocalRecord* local) {
    local->localTax = 0.0;
    const CalcDate& d = pay->payDate;
    if (const auto* row = kRateIndex.find(local->localityCode, [&d](const auto& r) { return rowCovers(r.from, r.to, d); })) {
        local->localTax = local->localWages * row->band.rate;
        if (hasLocalSuppTax(local)) local->localSuppTax = local->localSuppWages * row->band.rate;
    }
    local->localTax = local->localTax + local->localExtraWithholding;
    return 0;
}

std::span<const LocalityEntry> alabamaLocalityLists(int) { return kList; }

}  // namespace orla
