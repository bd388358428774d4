// Colorado: a flat rate on annualised wages less the annual withholding allowance of the filing status,
// or the allowance the employee's own certificate gives; whole dollars.
#include "state/calculators.h"
#include "state/state_tables.h"

namespace orla {

namespace {

// Only the dates, the status, the allowance amount (the annual withholding allowance) and the rate count.
constexpr BracketRow kAllowances[] = {
    {k2026From, k2026To, 0, 1, 5500, 0, 0, 0, 0.044},
    {k2026From, k2026To, 1, 1, 11000, 0, 0, 0, 0.044},
    {k2025From, k2025To, 0, 1, 4500, 0, 0, 0, 0.044},
    {k2025From, k2025To, 1, 1, 9000, 0, 0, 0, 0.044},
    {k2024From, k2024To, 0, 1, 4500, 0, 0, 0, 0.044},
    {k2024From, k2024To, 1, 1, 9000, 0, 0, 0, 0.044},
};

constexpr FlatRateRow kSupplementalRates[] = {
    {k2026From, k2026To, 0.044},
    {k2025From, k2025To, 0.044},
    {k2024From, k2024To, 0.044},
};

struct Allowance {
    double amount = 0.0;
    double rate = 0.0;
    bool dateCovered = false;  // some row, of any status, covers the pay date
};

// The annual allowance and rate of the filing status; a status without a row gets neither (no tax).
// From 2020 a certificate with both of its switches set gives its own annual allowance.
Allowance allowanceFor(const PayRecord* pay, const StateRecord* state) {
    Allowance a;
    bool found = false;
    for (const BracketRow& r : kAllowances) {
        if (!rowCovers(r.from, r.to, pay->payDate)) continue;
        a.dateCovered = true;
        if (!found && r.status == state->stateFilingStatus) {
            a.amount = r.allowance;
            a.rate = r.rate;
            found = true;
        }
    }
    if (has(state, 212) && pay->payDate.year > 2019 && state->stateCertField1 > 0 && state->stateCertField2 > 0)
        a.amount = state->stateCertAmount2;
    return a;
}

// The tax of annualised wages, brought back to the pay when there are periods to divide by.
double payTax(double wages, int periods, const Allowance& a) {
    const double annual = zeroFloor(periods * wages - a.amount);
    double tax = annual * a.rate;
    if (periods > 0) tax = tax / periods;
    return tax;
}

}  // namespace

int calcColorado(int /*mode*/, PayRecord* pay, StateRecord* state) {
    state->stateTableDate = unmatchedTableDate(pay->payDate);
    const int periods = state->statePayPeriods;
    const Allowance allowance = allowanceFor(pay, state);
    state->stateTax = payTax(state->stateWages, periods, allowance);

    int result = 0;
    if (has(state, 144)) {
        if (state->stateSuppWages > 0 && state->stateSuppAggregate == 1) {
            const double withBonus = payTax(state->stateWages + state->stateSuppWages, periods, allowance);
            state->stateSuppTax = roundDollars(zeroFloor(withBonus - state->stateTax));
        } else if (state->stateSuppAggregate == 0) {
            if (const FlatRateRow* row = firstCovering<FlatRateRow>(kSupplementalRates, pay->payDate))
                state->stateSuppTax = roundDollars(row->rate * state->stateSuppWages);
            else
                result |= 64;
        }
    }
    state->stateTax = roundDollars(state->stateTax);
    // A filing status without a row is simply untaxed, but a pay date beyond the tables is a missing row:
    // reporting it lets the year fallback tax the pay instead of withholding nothing.
    if (!allowance.dateCovered) {
        state->status = ORLA_STATE_NO_ROW;
        result |= 1;
    }
    return result;
}

}  // namespace orla
