// Mississippi: the annual wage less the employee's exemption amount and the standard deduction of the
// filing status, taxed on brackets that hold low < t <= high; the tax of the pay in whole dollars.
// Supplemental wages are always taxed by the aggregate method.
#include "frame/run_index.h"
#include "state/mississippi.h"

#include "state/calculators.h"
#include "state/standard_steps.h"

namespace orla {

namespace {

// Per year (newest first), statuses 0 (single), 1 (married), 5 and 2 (head of household), three brackets.
constexpr MississippiRow kRows[] = {
    {k2026From, k2026To, 0, 1, 2300, 1500, 0, 5000, 0, 0},
    {k2026From, k2026To, 0, 1, 2300, 1500, 5000, 10000, 0, 0},
    {k2026From, k2026To, 0, 1, 2300, 1500, 10000, 0, 0, 0.044},
    {k2026From, k2026To, 1, 1, 4600, 1500, 0, 5000, 0, 0},
    {k2026From, k2026To, 1, 1, 4600, 1500, 5000, 10000, 0, 0},
    {k2026From, k2026To, 1, 1, 4600, 1500, 10000, 0, 0, 0.044},
    {k2026From, k2026To, 5, 1, 2300, 1500, 0, 5000, 0, 0},
    {k2026From, k2026To, 5, 1, 2300, 1500, 5000, 10000, 0, 0},
    {k2026From, k2026To, 5, 1, 2300, 1500, 10000, 0, 0, 0.044},
    {k2026From, k2026To, 2, 1, 3400, 1500, 0, 5000, 0, 0},
    {k2026From, k2026To, 2, 1, 3400, 1500, 5000, 10000, 0, 0},
    {k2026From, k2026To, 2, 1, 3400, 1500, 10000, 0, 0, 0.044},
    {k2025From, k2025To, 0, 1, 2300, 1500, 0, 5000, 0, 0},
    {k2025From, k2025To, 0, 1, 2300, 1500, 5000, 10000, 0, 0},
    {k2025From, k2025To, 0, 1, 2300, 1500, 10000, 0, 0, 0.044},
    {k2025From, k2025To, 1, 1, 4600, 1500, 0, 5000, 0, 0},
    {k2025From, k2025To, 1, 1, 4600, 1500, 5000, 10000, 0, 0},
    {k2025From, k2025To, 1, 1, 4600, 1500, 10000, 0, 0, 0.044},
    {k2025From, k2025To, 5, 1, 2300, 1500, 0, 5000, 0, 0},
    {k2025From, k2025To, 5, 1, 2300, 1500, 5000, 10000, 0, 0},
    {k2025From, k2025To, 5, 1, 2300, 1500, 10000, 0, 0, 0.044},
    {k2025From, k2025To, 2, 1, 3400, 1500, 0, 5000, 0, 0},
    {k2025From, k2025To, 2, 1, 3400, 1500, 5000, 10000, 0, 0},
    {k2025From, k2025To, 2, 1, 3400, 1500, 10000, 0, 0, 0.044},
    {k2024From, k2024To, 0, 1, 2300, 1500, 0, 5000, 0, 0},
    {k2024From, k2024To, 0, 1, 2300, 1500, 5000, 10000, 0, 0},
    {k2024From, k2024To, 0, 1, 2300, 1500, 10000, 0, 0, 0.047},
    {k2024From, k2024To, 1, 1, 4600, 1500, 0, 5000, 0, 0},
    {k2024From, k2024To, 1, 1, 4600, 1500, 5000, 10000, 0, 0},
    {k2024From, k2024To, 1, 1, 4600, 1500, 10000, 0, 0, 0.047},
    {k2024From, k2024To, 5, 1, 2300, 1500, 0, 5000, 0, 0},
    {k2024From, k2024To, 5, 1, 2300, 1500, 5000, 10000, 0, 0},
    {k2024From, k2024To, 5, 1, 2300, 1500, 10000, 0, 0, 0.047},
    {k2024From, k2024To, 2, 1, 3400, 1500, 0, 5000, 0, 0},
    {k2024From, k2024To, 2, 1, 3400, 1500, 5000, 10000, 0, 0},
    {k2024From, k2024To, 2, 1, 3400, 1500, 10000, 0, 0, 0.047},
};
static_assert(std::size(kRows) == 36);

// low < t <= high (high 0: open). A taxable amount of exactly 0 lies in the bracket that starts at 0: a
// zero tax, not a missing row.
constexpr bool holds(const MississippiRow& r, double t) {
    return (t > r.low || (t == 0 && r.low == 0)) && (t <= r.high || r.high == 0);
}

struct AnnualHit {
    const MississippiRow* row = nullptr;
    double tax = 0.0;
};

// The rows in runs of one status and date range.
constexpr auto kStatusRuns = runIndexBy(kRows, [](const MississippiRow& r) { return r.status; });

// The annual tax of the annual amount A: the first row covering d with the status whose bracket holds
// t = max(0, A - exemption - standard deduction).
AnnualHit annualTax(const CalcDate& d, int status, double annual, double exemption) {
    AnnualHit hit;
    double t = 0;
    hit.row = kStatusRuns.find(d, status, [&](const MississippiRow& r) {
        t = atLeastZero(annual - exemption - r.standardDeduction);
        return holds(r, t);
    });
    if (hit.row != nullptr) hit.tax = (t - hit.row->low) * hit.row->rate + hit.row->base;
    return hit;
}

// stateExemptionAmount, or 0 when the record does not hold it.
double exemptionOf(const StateRecord* s) {
    return holdsField(s, offsetof(StateRecord, stateExemptionAmount), sizeof(double)) ? double{s->stateExemptionAmount}
                                                                                       : 0.0;
}

}  // namespace

std::span<const MississippiRow> mississippiTable() { return kRows; }

int calcMississippi(int /*mode*/, PayRecord* pay, StateRecord* state) {
    clearStateOutputs(state);
    writeUnmatchedTableDate(pay, state);
    if (rejectPeriodsBelowOne(state)) return 1;
    const CalcDate& d = pay->payDate;
    const int periods = state->statePayPeriods;
    const int status = state->stateFilingStatus;
    const double exemption = exemptionOf(state);
    const double annual = periods * state->stateWages;

    const AnnualHit hit = annualTax(d, status, annual, exemption);
    if (hit.row == nullptr) {
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    state->stateTableDate = hit.row->from;

    int result = 0;
    const double supp = suppWagesOf(state);
    if (supplementalStepRuns(state) && supp > 0) {
        const AnnualHit withSupp = annualTax(d, status, annual + periods * supp, exemption);
        if (withSupp.row != nullptr) {
            writeSuppTax(state, roundCents(atLeastZero(withSupp.tax - hit.tax) / periods));
        } else {
            state->status = ORLA_STATE_NO_ROW;
            result = 1;
        }
    }
    state->stateTax = roundDollars(hit.tax / periods);
    return result;
}

}  // namespace orla
