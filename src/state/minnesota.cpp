// Minnesota: the standard state steps on annual rows only, so every pay period count but 1 is taxed by
// the annualised pass; the tax is left unrounded.
#include "state/minnesota.h"

#include "state/calculators.h"
#include "state/standard_steps.h"

namespace orla {

namespace {

// Per year (newest first), single then married, five annual brackets.
constexpr BracketRow kRows[] = {
    {k2026From, k2026To, 0, 1, 5200, 0, 4550, 0, 0},
    {k2026From, k2026To, 0, 1, 5200, 4550, 37120, 0, 0.0535},
    {k2026From, k2026To, 0, 1, 5200, 37120, 111540, 1742.5, 0.068},
    {k2026From, k2026To, 0, 1, 5200, 111540, 203180, 6803.06, 0.0785},
    {k2026From, k2026To, 0, 1, 5200, 203180, 0, 13996.8, 0.0985},
    {k2026From, k2026To, 1, 1, 5200, 0, 14300, 0, 0},
    {k2026From, k2026To, 1, 1, 5200, 14300, 61920, 0, 0.0535},
    {k2026From, k2026To, 1, 1, 5200, 61920, 203480, 2547.67, 0.068},
    {k2026From, k2026To, 1, 1, 5200, 203480, 344710, 12173.75, 0.0785},
    {k2026From, k2026To, 1, 1, 5200, 344710, 0, 23260.31, 0.0985},
    {k2025From, k2025To, 0, 1, 5200, 0, 4550, 0, 0},
    {k2025From, k2025To, 0, 1, 5200, 4550, 37120, 0, 0.0535},
    {k2025From, k2025To, 0, 1, 5200, 37120, 111540, 1742.5, 0.068},
    {k2025From, k2025To, 0, 1, 5200, 111540, 203180, 6803.06, 0.0785},
    {k2025From, k2025To, 0, 1, 5200, 203180, 0, 13996.8, 0.0985},
    {k2025From, k2025To, 1, 1, 5200, 0, 14300, 0, 0},
    {k2025From, k2025To, 1, 1, 5200, 14300, 61920, 0, 0.0535},
    {k2025From, k2025To, 1, 1, 5200, 61920, 203480, 2547.67, 0.068},
    {k2025From, k2025To, 1, 1, 5200, 203480, 344710, 12173.75, 0.0785},
    {k2025From, k2025To, 1, 1, 5200, 344710, 0, 23260.31, 0.0985},
    {k2024From, k2024To, 0, 1, 5050, 0, 4475, 0, 0},
    {k2024From, k2024To, 0, 1, 5050, 4475, 36165, 0, 0.0535},
    {k2024From, k2024To, 0, 1, 5050, 36165, 108565, 1695.42, 0.068},
    {k2024From, k2024To, 0, 1, 5050, 108565, 197715, 6618.62, 0.0785},
    {k2024From, k2024To, 0, 1, 5050, 197715, 0, 13616.9, 0.0985},
    {k2024From, k2024To, 1, 1, 5050, 0, 14000, 0, 0},
    {k2024From, k2024To, 1, 1, 5050, 14000, 60330, 0, 0.0535},
    {k2024From, k2024To, 1, 1, 5050, 60330, 198040, 2478.66, 0.068},
    {k2024From, k2024To, 1, 1, 5050, 198040, 335450, 11842.94, 0.0785},
    {k2024From, k2024To, 1, 1, 5050, 335450, 0, 22692.63, 0.0985},
};
static_assert(std::size(kRows) == 30);
constexpr MappedBracketIndex<std::size(kRows)> kIndex(kRows);

constexpr FlatRateRow kSupplemental[] = {
    {k2026From, k2026To, 0.0625},
    {k2025From, k2025To, 0.0625},
    {k2024From, k2024To, 0.0625},
};

// Status 12 is taxed as single.
constexpr int tableStatus(int filingStatus) { return filingStatus == 12 ? 0 : filingStatus; }

}  // namespace

std::span<const BracketRow> minnesotaTable() { return kRows; }
std::span<const FlatRateRow> minnesotaSupplementalTable() { return kSupplemental; }

int calcMinnesota(int /*mode*/, PayRecord* pay, StateRecord* state) {
    return runStandardSteps(pay, state, kIndex, tableStatus(state->stateFilingStatus), kSupplemental);
}

}  // namespace orla
