// North Carolina: one flat rate on the annual wage after a standard deduction and allowances, rounded to
// whole dollars per pay. Supplemental wages by the aggregate method or at the flat supplemental rate.
#include <iterator>

#include "federal/federal.h"
#include "state/calculators.h"
#include "state/standard_steps.h"
#include "state/state_tables.h"

namespace orla {

namespace {

struct NorthCarolinaRow {
    CalcDate from;
    CalcDate to;
    int status;
    int periods;  // 1 in every row; not read
    double standardDeduction;
    double allowance;
    double secondAllowance;      // per allowance when the annual wage exceeds the threshold
    double allowanceThreshold;   // 0: every wage takes the first allowance amount
    double low;
    double high;  // 0: open
    double base;
    double rate;
};

// Newest year first; per year the statuses 0, 1, 6 and 2 (head of household).
constexpr NorthCarolinaRow kRates[] = {
    {k2026From, k2026To, 0, 1, 12750, 2500, 0, 0, 0, 0, 0, 0.0435},
    {k2026From, k2026To, 1, 1, 12750, 2500, 0, 0, 0, 0, 0, 0.0435},
    {k2026From, k2026To, 6, 1, 12750, 2500, 0, 0, 0, 0, 0, 0.0435},
    {k2026From, k2026To, 2, 1, 19125, 2500, 0, 0, 0, 0, 0, 0.0435},
    {k2025From, k2025To, 0, 1, 12750, 2500, 0, 0, 0, 0, 0, 0.0435},
    {k2025From, k2025To, 1, 1, 12750, 2500, 0, 0, 0, 0, 0, 0.0435},
    {k2025From, k2025To, 6, 1, 12750, 2500, 0, 0, 0, 0, 0, 0.0435},
    {k2025From, k2025To, 2, 1, 19125, 2500, 0, 0, 0, 0, 0, 0.0435},
    {k2024From, k2024To, 0, 1, 12750, 2500, 0, 0, 0, 0, 0, 0.046},
    {k2024From, k2024To, 1, 1, 12750, 2500, 0, 0, 0, 0, 0, 0.046},
    {k2024From, k2024To, 6, 1, 12750, 2500, 0, 0, 0, 0, 0, 0.046},
    {k2024From, k2024To, 2, 1, 19125, 2500, 0, 0, 0, 0, 0, 0.046},
};
static_assert(std::size(kRates) == 12);

constexpr FlatRateRow kSupplementalRates[] = {
    {k2026From, k2026To, 0.0435},
    {k2025From, k2025To, 0.0435},
    {k2024From, k2024To, 0.046},
};

// The annual tax of the annual wage A: the first row for the date and status whose bracket holds the
// taxable amount.
const NorthCarolinaRow* annualTax(const CalcDate& d, int status, int allowances, double annual, double& tax) {
    for (const NorthCarolinaRow& r : kRates) {
        if (r.status != status || !rowCovers(r.from, r.to, d)) continue;
        const double perAllowance =
            r.allowanceThreshold >= annual || r.allowanceThreshold == 0 ? r.allowance : r.secondAllowance;
        const double taxable = atLeastZero(annual - r.standardDeduction - allowances * perAllowance);
        if (taxable >= r.low && (taxable < r.high || r.high == 0)) {
            tax = (taxable - r.low) * r.rate + r.base;
            return &r;
        }
    }
    return nullptr;
}

}  // namespace

int calcNorthCarolina(int /*mode*/, PayRecord* pay, StateRecord* state) {
    clearStateOutputs(state);
    const CalcDate& d = pay->payDate;
    writeUnmatchedTableDate(pay, state);
    // The annual tax is divided by the periods: with fewer than one there is no pay to divide into.
    if (rejectPeriodsBelowOne(state)) return 1;
    const int periods = state->statePayPeriods;
    const int status = state->stateFilingStatus;
    const int allowances = state->stateAllowances;
    const double annual = periods * state->stateWages;

    double tax = 0;
    const NorthCarolinaRow* row = annualTax(d, status, allowances, annual, tax);
    if (row == nullptr) {
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    state->stateTableDate = row->from;
    state->stateTax = roundDollars(tax / periods);

    if (!supplementalStepRuns(state)) return 0;
    const double bonus = suppWagesOf(state);
    const int method = suppAggregateOf(state);
    if (method == 1) {
        double withBonus = 0;
        if (annualTax(d, status, allowances, annual + periods * bonus, withBonus) == nullptr) {
            state->status = ORLA_STATE_NO_ROW;
            return 1;
        }
        writeSuppTax(state, roundCents(zeroFloor(roundDollars(withBonus / periods) - state->stateTax)));
    } else if (method == 0) {
        const FlatRateRow* r = firstCovering<FlatRateRow>(kSupplementalRates, d);
        if (r == nullptr) return kNoSupplementalRateRow;
        writeSuppTax(state, roundDollars(bonus * r->rate));
    }
    return 0;
}

}  // namespace orla
