// Montana: the standard state steps on per-period tables, every tax rounded up to the next whole dollar;
// an employee may ask for a fixed tax per pay instead. The supplemental step needs no gate of its own:
// a record too small for the supplemental fields is refused at entry.
#include "state/montana.h"

#include <cmath>

#include "state/calculators.h"
#include "state/standard_steps.h"

namespace orla {

namespace {

// Per year (newest first), statuses 0, 1 and 2, periods 12, 24, 26, 52 and 1, three brackets.
constexpr BracketRow kRows[] = {
    {k2026From, k2026To, 0, 12, 0, 0, 1342, 0, 0},
    {k2026From, k2026To, 0, 12, 0, 1342, 5300, 0, 0.047},
    {k2026From, k2026To, 0, 12, 0, 5300, 0, 187, 0.0565},
    {k2026From, k2026To, 0, 24, 0, 0, 671, 0, 0},
    {k2026From, k2026To, 0, 24, 0, 671, 2650, 0, 0.047},
    {k2026From, k2026To, 0, 24, 0, 2650, 0, 94, 0.0565},
    {k2026From, k2026To, 0, 26, 0, 0, 619, 0, 0},
    {k2026From, k2026To, 0, 26, 0, 619, 2446, 0, 0.047},
    {k2026From, k2026To, 0, 26, 0, 2446, 0, 86, 0.0565},
    {k2026From, k2026To, 0, 52, 0, 0, 310, 0, 0},
    {k2026From, k2026To, 0, 52, 0, 310, 1223, 0, 0.047},
    {k2026From, k2026To, 0, 52, 0, 1223, 0, 43, 0.0565},
    {k2026From, k2026To, 0, 1, 0, 0, 16100, 0, 0},
    {k2026From, k2026To, 0, 1, 0, 16100, 63600, 0, 0.047},
    {k2026From, k2026To, 0, 1, 0, 63600, 0, 2233, 0.0565},
    {k2026From, k2026To, 1, 12, 0, 0, 2683, 0, 0},
    {k2026From, k2026To, 1, 12, 0, 2683, 10600, 0, 0.047},
    {k2026From, k2026To, 1, 12, 0, 10600, 0, 372, 0.0565},
    {k2026From, k2026To, 1, 24, 0, 0, 1342, 0, 0},
    {k2026From, k2026To, 1, 24, 0, 1342, 5300, 0, 0.047},
    {k2026From, k2026To, 1, 24, 0, 5300, 0, 187, 0.0565},
    {k2026From, k2026To, 1, 26, 0, 0, 1238, 0, 0},
    {k2026From, k2026To, 1, 26, 0, 1238, 4892, 0, 0.047},
    {k2026From, k2026To, 1, 26, 0, 4892, 0, 172, 0.0565},
    {k2026From, k2026To, 1, 52, 0, 0, 619, 0, 0},
    {k2026From, k2026To, 1, 52, 0, 619, 2446, 0, 0.047},
    {k2026From, k2026To, 1, 52, 0, 2446, 0, 86, 0.0565},
    {k2026From, k2026To, 1, 1, 0, 0, 32200, 0, 0},
    {k2026From, k2026To, 1, 1, 0, 32200, 127200, 0, 0.047},
    {k2026From, k2026To, 1, 1, 0, 127200, 0, 4465, 0.0565},
    {k2026From, k2026To, 2, 12, 0, 0, 2013, 0, 0},
    {k2026From, k2026To, 2, 12, 0, 2013, 7950, 0, 0.047},
    {k2026From, k2026To, 2, 12, 0, 7950, 0, 280, 0.0565},
    {k2026From, k2026To, 2, 24, 0, 0, 1006, 0, 0},
    {k2026From, k2026To, 2, 24, 0, 1006, 3975, 0, 0.047},
    {k2026From, k2026To, 2, 24, 0, 3975, 0, 140, 0.0565},
    {k2026From, k2026To, 2, 26, 0, 0, 929, 0, 0},
    {k2026From, k2026To, 2, 26, 0, 929, 3669, 0, 0.047},
    {k2026From, k2026To, 2, 26, 0, 3669, 0, 129, 0.0565},
    {k2026From, k2026To, 2, 52, 0, 0, 464, 0, 0},
    {k2026From, k2026To, 2, 52, 0, 464, 1835, 0, 0.047},
    {k2026From, k2026To, 2, 52, 0, 1835, 0, 65, 0.0565},
    {k2026From, k2026To, 2, 1, 0, 0, 24150, 0, 0},
    {k2026From, k2026To, 2, 1, 0, 24150, 95400, 0, 0.047},
    {k2026From, k2026To, 2, 1, 0, 95400, 0, 3349, 0.0565},
    {k2025From, k2025To, 0, 12, 0, 0, 1250, 0, 0},
    {k2025From, k2025To, 0, 12, 0, 1250, 3008, 0, 0.047},
    {k2025From, k2025To, 0, 12, 0, 3008, 0, 83, 0.059},
    {k2025From, k2025To, 0, 24, 0, 0, 625, 0, 0},
    {k2025From, k2025To, 0, 24, 0, 625, 1504, 0, 0.047},
    {k2025From, k2025To, 0, 24, 0, 1504, 0, 41, 0.059},
    {k2025From, k2025To, 0, 26, 0, 0, 577, 0, 0},
    {k2025From, k2025To, 0, 26, 0, 577, 1388, 0, 0.047},
    {k2025From, k2025To, 0, 26, 0, 1388, 0, 38, 0.059},
    {k2025From, k2025To, 0, 52, 0, 0, 288, 0, 0},
    {k2025From, k2025To, 0, 52, 0, 288, 694, 0, 0.047},
    {k2025From, k2025To, 0, 52, 0, 694, 0, 19, 0.059},
    {k2025From, k2025To, 0, 1, 0, 0, 15000, 0, 0},
    {k2025From, k2025To, 0, 1, 0, 15000, 36100, 0, 0.047},
    {k2025From, k2025To, 0, 1, 0, 36100, 0, 992, 0.059},
    {k2025From, k2025To, 1, 12, 0, 0, 2500, 0, 0},
    {k2025From, k2025To, 1, 12, 0, 2500, 6017, 0, 0.047},
    {k2025From, k2025To, 1, 12, 0, 6017, 0, 165, 0.059},
    {k2025From, k2025To, 1, 24, 0, 0, 1250, 0, 0},
    {k2025From, k2025To, 1, 24, 0, 1250, 3008, 0, 0.047},
    {k2025From, k2025To, 1, 24, 0, 3008, 0, 83, 0.059},
    {k2025From, k2025To, 1, 26, 0, 0, 1154, 0, 0},
    {k2025From, k2025To, 1, 26, 0, 1154, 2777, 0, 0.047},
    {k2025From, k2025To, 1, 26, 0, 2777, 0, 76, 0.059},
    {k2025From, k2025To, 1, 52, 0, 0, 577, 0, 0},
    {k2025From, k2025To, 1, 52, 0, 577, 1388, 0, 0.047},
    {k2025From, k2025To, 1, 52, 0, 1388, 0, 38, 0.059},
    {k2025From, k2025To, 1, 1, 0, 0, 30000, 0, 0},
    {k2025From, k2025To, 1, 1, 0, 30000, 72200, 0, 0.047},
    {k2025From, k2025To, 1, 1, 0, 72200, 0, 1983, 0.059},
    {k2025From, k2025To, 2, 12, 0, 0, 1875, 0, 0},
    {k2025From, k2025To, 2, 12, 0, 1875, 4517, 0, 0.047},
    {k2025From, k2025To, 2, 12, 0, 4517, 0, 124, 0.059},
    {k2025From, k2025To, 2, 24, 0, 0, 938, 0, 0},
    {k2025From, k2025To, 2, 24, 0, 938, 2258, 0, 0.047},
    {k2025From, k2025To, 2, 24, 0, 2258, 0, 62, 0.059},
    {k2025From, k2025To, 2, 26, 0, 0, 865, 0, 0},
    {k2025From, k2025To, 2, 26, 0, 865, 2085, 0, 0.047},
    {k2025From, k2025To, 2, 26, 0, 2085, 0, 57, 0.059},
    {k2025From, k2025To, 2, 52, 0, 0, 433, 0, 0},
    {k2025From, k2025To, 2, 52, 0, 433, 1042, 0, 0.047},
    {k2025From, k2025To, 2, 52, 0, 1042, 0, 29, 0.059},
    {k2025From, k2025To, 2, 1, 0, 0, 22500, 0, 0},
    {k2025From, k2025To, 2, 1, 0, 22500, 54200, 0, 0.047},
    {k2025From, k2025To, 2, 1, 0, 54200, 0, 1490, 0.059},
    {k2024From, k2024To, 0, 12, 0, 0, 1217, 0, 0},
    {k2024From, k2024To, 0, 12, 0, 1217, 2925, 0, 0.047},
    {k2024From, k2024To, 0, 12, 0, 2925, 0, 80, 0.059},
    {k2024From, k2024To, 0, 24, 0, 0, 608, 0, 0},
    {k2024From, k2024To, 0, 24, 0, 608, 1463, 0, 0.047},
    {k2024From, k2024To, 0, 24, 0, 1463, 0, 40, 0.059},
    {k2024From, k2024To, 0, 26, 0, 0, 562, 0, 0},
    {k2024From, k2024To, 0, 26, 0, 562, 1350, 0, 0.047},
    {k2024From, k2024To, 0, 26, 0, 1350, 0, 37, 0.059},
    {k2024From, k2024To, 0, 52, 0, 0, 281, 0, 0},
    {k2024From, k2024To, 0, 52, 0, 281, 675, 0, 0.047},
    {k2024From, k2024To, 0, 52, 0, 675, 0, 19, 0.059},
    {k2024From, k2024To, 0, 1, 0, 0, 14600, 0, 0},
    {k2024From, k2024To, 0, 1, 0, 14600, 35100, 0, 0.047},
    {k2024From, k2024To, 0, 1, 0, 35100, 0, 964, 0.059},
    {k2024From, k2024To, 1, 12, 0, 0, 2433, 0, 0},
    {k2024From, k2024To, 1, 12, 0, 2433, 5850, 0, 0.047},
    {k2024From, k2024To, 1, 12, 0, 5850, 0, 161, 0.059},
    {k2024From, k2024To, 1, 24, 0, 0, 1217, 0, 0},
    {k2024From, k2024To, 1, 24, 0, 1217, 2925, 0, 0.047},
    {k2024From, k2024To, 1, 24, 0, 2925, 0, 80, 0.059},
    {k2024From, k2024To, 1, 26, 0, 0, 1123, 0, 0},
    {k2024From, k2024To, 1, 26, 0, 1123, 2700, 0, 0.047},
    {k2024From, k2024To, 1, 26, 0, 2700, 0, 74, 0.059},
    {k2024From, k2024To, 1, 52, 0, 0, 562, 0, 0},
    {k2024From, k2024To, 1, 52, 0, 562, 1350, 0, 0.047},
    {k2024From, k2024To, 1, 52, 0, 1350, 0, 37, 0.059},
    {k2024From, k2024To, 1, 1, 0, 0, 29200, 0, 0},
    {k2024From, k2024To, 1, 1, 0, 29200, 70200, 0, 0.047},
    {k2024From, k2024To, 1, 1, 0, 70200, 0, 1927, 0.059},
    {k2024From, k2024To, 2, 12, 0, 0, 1825, 0, 0},
    {k2024From, k2024To, 2, 12, 0, 1825, 4388, 0, 0.047},
    {k2024From, k2024To, 2, 12, 0, 4388, 0, 120, 0.059},
    {k2024From, k2024To, 2, 24, 0, 0, 913, 0, 0},
    {k2024From, k2024To, 2, 24, 0, 913, 2194, 0, 0.047},
    {k2024From, k2024To, 2, 24, 0, 2194, 0, 60, 0.059},
    {k2024From, k2024To, 2, 26, 0, 0, 842, 0, 0},
    {k2024From, k2024To, 2, 26, 0, 842, 2025, 0, 0.047},
    {k2024From, k2024To, 2, 26, 0, 2025, 0, 56, 0.059},
    {k2024From, k2024To, 2, 52, 0, 0, 421, 0, 0},
    {k2024From, k2024To, 2, 52, 0, 421, 1013, 0, 0.047},
    {k2024From, k2024To, 2, 52, 0, 1013, 0, 28, 0.059},
    {k2024From, k2024To, 2, 1, 0, 0, 21900, 0, 0},
    {k2024From, k2024To, 2, 1, 0, 21900, 52650, 0, 0.047},
    {k2024From, k2024To, 2, 1, 0, 52650, 0, 1445, 0.059},
};
static_assert(std::size(kRows) == 135);
constexpr MappedBracketIndex<std::size(kRows)> kIndex(kRows);

constexpr FlatRateRow kSupplemental[] = {
    {k2026From, k2026To, 0.05},
    {k2025From, k2025To, 0.05},
    {k2024From, k2024To, 0.05},
};

// The smallest record the calculator serves (it holds the supplemental fields).
constexpr int kMinimumRecord = 177;

// Married (1, and 6) and head of household (2); every other code is taxed as single.
constexpr int tableStatus(int filingStatus) {
    if (filingStatus == 1 || filingStatus == 6) return 1;
    return filingStatus == 2 ? 2 : 0;
}

// stateFixedTax, or 0 when the record does not hold it.
double fixedTaxOf(const StateRecord* s) {
    return holdsField(s, offsetof(StateRecord, stateFixedTax), sizeof(double)) ? double{s->stateFixedTax} : 0.0;
}

}  // namespace

std::span<const BracketRow> montanaTable() { return kRows; }
std::span<const FlatRateRow> montanaSupplementalTable() { return kSupplemental; }

int calcMontana(int /*mode*/, PayRecord* pay, StateRecord* state) {
    clearStateOutputs(state);
    writeUnmatchedTableDate(pay, state);
    // A record too small computes no tax: a failure, reported as one.
    if (state->recordSize < kMinimumRecord) {
        state->status = ORLA_STATE_RECORD_TOO_SMALL;
        return 1;
    }
    if (rejectPeriodsBelowOne(state)) return 1;
    if (const double fixed = fixedTaxOf(state); fixed > 0) {
        state->stateTax = fixed;
        return 0;
    }

    const CalcDate& d = pay->payDate;
    const auto find = indexedFinder(kIndex, d, tableStatus(state->stateFilingStatus));
    StandardTaxable taxable{state->statePayPeriods, state->stateWages};
    taxable.allowances = state->stateAllowances;
    if (const int failed = applyRegularTax(state, standardLookup(find, taxable.periods, taxable))) return failed;
    state->stateTax = std::ceil(state->stateTax);

    const double supp = suppWagesOf(state);
    if (supp <= 0) return 0;
    const int method = suppAggregateOf(state);
    if (method == 0) {
        const FlatRateRow* row = firstCovering<FlatRateRow>(kSupplemental, d);
        if (row == nullptr) return kNoSupplementalRateRow;
        writeSuppTax(state, std::ceil(supp * row->rate));
    } else if (method == 1) {
        taxable.supp = supp;
        const auto withSupp = standardLookup(find, taxable.periods, taxable);
        if (withSupp.row == nullptr) {
            state->status = ORLA_STATE_NO_ROW;
            return 1;
        }
        writeSuppTax(state, std::ceil(atLeastZero(std::ceil(withSupp.tax) - state->stateTax)));
    }
    return 0;
}

}  // namespace orla
