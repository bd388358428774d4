// Wisconsin: the annual wage less a standard deduction that phases out as the wage rises and an
// exemption per allowance, on a four-bracket annual schedule; the tax is left unrounded. The flat
// supplemental rate depends on the annual regular wage.
#include "state/wisconsin.h"

#include "state/calculators.h"
#include "state/standard_steps.h"

namespace orla {

namespace {

// Per year (newest first), single then married, three rows; the third (limit 0) never serves.
constexpr WisconsinDeductionRow kDeductions[] = {
    {k2026From, k2026To, 0, 17780, 6702, 0},
    {k2026From, k2026To, 0, 73630, 6702, 0.12},
    {k2026From, k2026To, 0, 0, 0, 0},
    {k2026From, k2026To, 1, 25727, 9461, 0},
    {k2026From, k2026To, 1, 73032, 9461, 0.2},
    {k2026From, k2026To, 1, 0, 0, 0},
    {k2025From, k2025To, 0, 17780, 6702, 0},
    {k2025From, k2025To, 0, 73630, 6702, 0.12},
    {k2025From, k2025To, 0, 0, 0, 0},
    {k2025From, k2025To, 1, 25727, 9461, 0},
    {k2025From, k2025To, 1, 73032, 9461, 0.2},
    {k2025From, k2025To, 1, 0, 0, 0},
    {k2024From, k2024To, 0, 17780, 6702, 0},
    {k2024From, k2024To, 0, 73630, 6702, 0.12},
    {k2024From, k2024To, 0, 0, 0, 0},
    {k2024From, k2024To, 1, 25727, 9461, 0},
    {k2024From, k2024To, 1, 73032, 9461, 0.2},
    {k2024From, k2024To, 1, 0, 0, 0},
};
static_assert(std::size(kDeductions) == 18);

// Per year (newest first), single then married, four annual brackets.
constexpr WisconsinBracketRow kBrackets[] = {
    {k2026From, k2026To, 0, 1, 0, 0, 400, 0, 12760, 0, 0.0354},
    {k2026From, k2026To, 0, 1, 0, 0, 400, 12760, 25520, 451.7, 0.0465},
    {k2026From, k2026To, 0, 1, 0, 0, 400, 25520, 280950, 1045.04, 0.053},
    {k2026From, k2026To, 0, 1, 0, 0, 400, 280950, 0, 14582.83, 0.0765},
    {k2026From, k2026To, 1, 1, 0, 0, 400, 0, 12760, 0, 0.0354},
    {k2026From, k2026To, 1, 1, 0, 0, 400, 12760, 25520, 451.7, 0.0465},
    {k2026From, k2026To, 1, 1, 0, 0, 400, 25520, 280950, 1045.04, 0.053},
    {k2026From, k2026To, 1, 1, 0, 0, 400, 280950, 0, 14582.83, 0.0765},
    {k2025From, k2025To, 0, 1, 0, 0, 400, 0, 12760, 0, 0.0354},
    {k2025From, k2025To, 0, 1, 0, 0, 400, 12760, 25520, 451.7, 0.0465},
    {k2025From, k2025To, 0, 1, 0, 0, 400, 25520, 280950, 1045.04, 0.053},
    {k2025From, k2025To, 0, 1, 0, 0, 400, 280950, 0, 14582.83, 0.0765},
    {k2025From, k2025To, 1, 1, 0, 0, 400, 0, 12760, 0, 0.0354},
    {k2025From, k2025To, 1, 1, 0, 0, 400, 12760, 25520, 451.7, 0.0465},
    {k2025From, k2025To, 1, 1, 0, 0, 400, 25520, 280950, 1045.04, 0.053},
    {k2025From, k2025To, 1, 1, 0, 0, 400, 280950, 0, 14582.83, 0.0765},
    {k2024From, k2024To, 0, 1, 0, 0, 400, 0, 12760, 0, 0.0354},
    {k2024From, k2024To, 0, 1, 0, 0, 400, 12760, 25520, 451.7, 0.0465},
    {k2024From, k2024To, 0, 1, 0, 0, 400, 25520, 280950, 1045.04, 0.053},
    {k2024From, k2024To, 0, 1, 0, 0, 400, 280950, 0, 14582.83, 0.0765},
    {k2024From, k2024To, 1, 1, 0, 0, 400, 0, 12760, 0, 0.0354},
    {k2024From, k2024To, 1, 1, 0, 0, 400, 12760, 25520, 451.7, 0.0465},
    {k2024From, k2024To, 1, 1, 0, 0, 400, 25520, 280950, 1045.04, 0.053},
    {k2024From, k2024To, 1, 1, 0, 0, 400, 280950, 0, 14582.83, 0.0765},
};
static_assert(std::size(kBrackets) == 24);
constexpr MappedRunIndex kBracketRuns(kBrackets);
constexpr auto kDeductionRuns = runIndexBy(kDeductions, [](const WisconsinDeductionRow& r) { return r.status; });

constexpr WisconsinSupplementalRow kSupplemental[] = {
    {k2026From, k2026To, 0, 12760, 0.0354},
    {k2026From, k2026To, 12760, 25520, 0.0465},
    {k2026From, k2026To, 25520, 280950, 0.053},
    {k2026From, k2026To, 280950, 0, 0.0765},
    {k2025From, k2025To, 0, 12760, 0.0354},
    {k2025From, k2025To, 12760, 25520, 0.0465},
    {k2025From, k2025To, 25520, 280950, 0.053},
    {k2025From, k2025To, 280950, 0, 0.0765},
    {k2024From, k2024To, 0, 12760, 0.0354},
    {k2024From, k2024To, 12760, 25520, 0.0465},
    {k2024From, k2024To, 25520, 280950, 0.053},
    {k2024From, k2024To, 280950, 0, 0.0765},
};
static_assert(std::size(kSupplemental) == 12);

// The standard deduction for the annual wage: the first row covering d with the status whose limit
// exceeds the wage; a phased-out amount falls from the limit of the row before it.
double standardDeduction(const CalcDate& d, int status, double annual) {
    const WisconsinDeductionRow* r = kDeductionRuns.find(
        d, status, [annual](const WisconsinDeductionRow& row) { return row.limit > 0 && row.limit > annual; });
    if (r == nullptr) return 0.0;
    if (r->phaseOutRate == 0) return r->amount;
    const double previousLimit = r != kDeductions ? r[-1].limit : 0.0;
    return r->amount - (annual - previousLimit) * r->phaseOutRate;
}

// The taxable amount: w + s less the deduction and the exemptions; annualised p x w - D + p x s - a x
// exemption.
struct Taxable {
    // The amounts read the row's exemption only, the same in every row of a run (checked below), so
    // runs of ordered brackets may be bisected.
    static constexpr bool kAllowanceOnly = true;
    int periods;
    double wages;
    double supp;
    double deduction;
    int allowances;

    double pass1(const WisconsinBracketRow& r) const {
        return atLeastZero(wages + supp - deduction - allowances * r.exemption);
    }
    double pass2(const WisconsinBracketRow& r) const {
        return atLeastZero(periods * wages - deduction + periods * supp - allowances * r.exemption);
    }
};
static_assert(constantWithinRuns(kBrackets, statusPeriodsOf<WisconsinBracketRow>,
                                 [](const WisconsinBracketRow& r) { return r.exemption; }));

}  // namespace

std::span<const WisconsinDeductionRow> wisconsinDeductionTable() { return kDeductions; }
std::span<const WisconsinBracketRow> wisconsinBracketTable() { return kBrackets; }
std::span<const WisconsinSupplementalRow> wisconsinSupplementalTable() { return kSupplemental; }

int calcWisconsin(int /*mode*/, PayRecord* pay, StateRecord* state) {
    clearStateOutputs(state);
    writeUnmatchedTableDate(pay, state);
    if (rejectPeriodsBelowOne(state)) return 1;
    const CalcDate& d = pay->payDate;
    const int periods = state->statePayPeriods;
    const int status = state->stateFilingStatus;
    const double wages = state->stateWages;
    const auto find = indexedFinder(kBracketRuns, d, status);

    int result = 0;
    const double annual = periods * wages;
    const Taxable regular{periods, wages, 0.0, standardDeduction(d, status, annual), state->stateAllowances};
    // A failed lookup still lets the supplemental step run.
    result |= applyRegularTax(state, standardLookup(find, periods, regular));
    if (!supplementalStepRuns(state)) return result;

    const double supp = suppWagesOf(state);
    const int method = suppAggregateOf(state);
    if (supp > 0 && method == 1) {
        Taxable withSupp = regular;
        withSupp.supp = supp;
        withSupp.deduction = standardDeduction(d, status, annual + periods * supp);
        const auto hit = standardLookup(find, periods, withSupp);
        if (hit.row == nullptr) {
            state->status = ORLA_STATE_NO_ROW;
            return result | 1;
        }
        writeSuppTax(state, roundCents(atLeastZero(hit.tax - state->stateTax)));
    } else if (method == 0) {
        const WisconsinSupplementalRow* rate = nullptr;
        for (const WisconsinSupplementalRow& r : kSupplemental)
            if (annual >= r.low && (annual < r.high || r.high == 0) && rowCovers(r.from, r.to, d)) {
                rate = &r;
                break;
            }
        if (rate == nullptr) return result | kNoSupplementalRateRow;
        writeSuppTax(state, roundCents(supp * rate->rate));
    }
    return result;
}

}  // namespace orla
