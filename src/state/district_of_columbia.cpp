// District of Columbia: graduated annual rates on wages less an amount per withholding allowance.
#include "frame/run_index.h"
#include "state/calculators.h"
#include "state/state_tables.h"

#include <cmath>

namespace orla {

namespace {

// Annual rows for statuses 1, 0 and 2 in each year, with the annual amount per allowance.
constexpr BracketRow kRates[] = {
    {k2026From, k2026To, 1, 1, 4150, 0, 10000, 0, 0.04},
    {k2026From, k2026To, 1, 1, 4150, 10000, 40000, 400, 0.06},
    {k2026From, k2026To, 1, 1, 4150, 40000, 60000, 2200, 0.065},
    {k2026From, k2026To, 1, 1, 4150, 60000, 250000, 3500, 0.085},
    {k2026From, k2026To, 1, 1, 4150, 250000, 500000, 19650, 0.0925},
    {k2026From, k2026To, 1, 1, 4150, 500000, 1000000, 42775, 0.0975},
    {k2026From, k2026To, 1, 1, 4150, 1000000, 0, 91525, 0.1075},
    {k2026From, k2026To, 0, 1, 4150, 0, 10000, 0, 0.04},
    {k2026From, k2026To, 0, 1, 4150, 10000, 40000, 400, 0.06},
    {k2026From, k2026To, 0, 1, 4150, 40000, 60000, 2200, 0.065},
    {k2026From, k2026To, 0, 1, 4150, 60000, 250000, 3500, 0.085},
    {k2026From, k2026To, 0, 1, 4150, 250000, 500000, 19650, 0.0925},
    {k2026From, k2026To, 0, 1, 4150, 500000, 1000000, 42775, 0.0975},
    {k2026From, k2026To, 0, 1, 4150, 1000000, 0, 91525, 0.1075},
    {k2026From, k2026To, 2, 1, 4150, 0, 10000, 0, 0.04},
    {k2026From, k2026To, 2, 1, 4150, 10000, 40000, 400, 0.06},
    {k2026From, k2026To, 2, 1, 4150, 40000, 60000, 2200, 0.065},
    {k2026From, k2026To, 2, 1, 4150, 60000, 250000, 3500, 0.085},
    {k2026From, k2026To, 2, 1, 4150, 250000, 500000, 19650, 0.0925},
    {k2026From, k2026To, 2, 1, 4150, 500000, 1000000, 42775, 0.0975},
    {k2026From, k2026To, 2, 1, 4150, 1000000, 0, 91525, 0.1075},
    {k2025From, k2025To, 1, 1, 4150, 0, 10000, 0, 0.04},
    {k2025From, k2025To, 1, 1, 4150, 10000, 40000, 400, 0.06},
    {k2025From, k2025To, 1, 1, 4150, 40000, 60000, 2200, 0.065},
    {k2025From, k2025To, 1, 1, 4150, 60000, 250000, 3500, 0.085},
    {k2025From, k2025To, 1, 1, 4150, 250000, 500000, 19650, 0.0925},
    {k2025From, k2025To, 1, 1, 4150, 500000, 1000000, 42775, 0.0975},
    {k2025From, k2025To, 1, 1, 4150, 1000000, 0, 91525, 0.1075},
    {k2025From, k2025To, 0, 1, 4150, 0, 10000, 0, 0.04},
    {k2025From, k2025To, 0, 1, 4150, 10000, 40000, 400, 0.06},
    {k2025From, k2025To, 0, 1, 4150, 40000, 60000, 2200, 0.065},
    {k2025From, k2025To, 0, 1, 4150, 60000, 250000, 3500, 0.085},
    {k2025From, k2025To, 0, 1, 4150, 250000, 500000, 19650, 0.0925},
    {k2025From, k2025To, 0, 1, 4150, 500000, 1000000, 42775, 0.0975},
    {k2025From, k2025To, 0, 1, 4150, 1000000, 0, 91525, 0.1075},
    {k2025From, k2025To, 2, 1, 4150, 0, 10000, 0, 0.04},
    {k2025From, k2025To, 2, 1, 4150, 10000, 40000, 400, 0.06},
    {k2025From, k2025To, 2, 1, 4150, 40000, 60000, 2200, 0.065},
    {k2025From, k2025To, 2, 1, 4150, 60000, 250000, 3500, 0.085},
    {k2025From, k2025To, 2, 1, 4150, 250000, 500000, 19650, 0.0925},
    {k2025From, k2025To, 2, 1, 4150, 500000, 1000000, 42775, 0.0975},
    {k2025From, k2025To, 2, 1, 4150, 1000000, 0, 91525, 0.1075},
    {k2024From, k2024To, 1, 1, 4150, 0, 10000, 0, 0.04},
    {k2024From, k2024To, 1, 1, 4150, 10000, 40000, 400, 0.06},
    {k2024From, k2024To, 1, 1, 4150, 40000, 60000, 2200, 0.065},
    {k2024From, k2024To, 1, 1, 4150, 60000, 250000, 3500, 0.085},
    {k2024From, k2024To, 1, 1, 4150, 250000, 500000, 19650, 0.0925},
    {k2024From, k2024To, 1, 1, 4150, 500000, 1000000, 42775, 0.0975},
    {k2024From, k2024To, 1, 1, 4150, 1000000, 0, 91525, 0.1075},
    {k2024From, k2024To, 0, 1, 4150, 0, 10000, 0, 0.04},
    {k2024From, k2024To, 0, 1, 4150, 10000, 40000, 400, 0.06},
    {k2024From, k2024To, 0, 1, 4150, 40000, 60000, 2200, 0.065},
    {k2024From, k2024To, 0, 1, 4150, 60000, 250000, 3500, 0.085},
    {k2024From, k2024To, 0, 1, 4150, 250000, 500000, 19650, 0.0925},
    {k2024From, k2024To, 0, 1, 4150, 500000, 1000000, 42775, 0.0975},
    {k2024From, k2024To, 0, 1, 4150, 1000000, 0, 91525, 0.1075},
    {k2024From, k2024To, 2, 1, 4150, 0, 10000, 0, 0.04},
    {k2024From, k2024To, 2, 1, 4150, 10000, 40000, 400, 0.06},
    {k2024From, k2024To, 2, 1, 4150, 40000, 60000, 2200, 0.065},
    {k2024From, k2024To, 2, 1, 4150, 60000, 250000, 3500, 0.085},
    {k2024From, k2024To, 2, 1, 4150, 250000, 500000, 19650, 0.0925},
    {k2024From, k2024To, 2, 1, 4150, 500000, 1000000, 42775, 0.0975},
    {k2024From, k2024To, 2, 1, 4150, 1000000, 0, 91525, 0.1075},
};
static_assert(std::size(kRates) == 63);

constexpr MappedRunIndex kRateIndex(kRates);

// The two-pass period lookup with allowances, over the runs of rows sharing status, periods and dates (the
// rows in stored order). The bonus is added once to a pay's wages in pass 1 and annualised with them in
// pass 2.
BracketHit lookup(const StateRecord* state, const CalcDate& d, int status, double bonus) {
    const int periods = state->statePayPeriods;
    const int allowances = state->stateAllowances;
    BracketHit hit;
    // The taxable wages depend on a row through its allowance amount only: a run of ordered brackets of
    // one allowance is bisected.
    const auto payWages = [&](const BracketRow& r) { return zeroFloor(state->stateWages - allowances * r.allowance + bonus); };
    hit.row = kRateIndex.findBand(d, StatusPeriods{status, periods}, payWages);
    if (hit.row != nullptr) {
        hit.tax = (payWages(*hit.row) - hit.row->low) * hit.row->rate + hit.row->base;
        return hit;
    }
    // An annual row can only be brought back to a pay when there are periods.
    if (periods < 1) return hit;
    const auto annualWages = [&](const BracketRow& r) {
        return zeroFloor(periods * state->stateWages - allowances * r.allowance + periods * bonus);
    };
    hit.row = kRateIndex.findBand(d, StatusPeriods{status, 1}, annualWages);
    if (hit.row != nullptr)
        hit.tax = ((annualWages(*hit.row) - hit.row->low) * hit.row->rate + hit.row->base) / periods;
    return hit;
}

}  // namespace

int calcDistrictOfColumbia(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    state->stateTableDate = unmatchedTableDate(payDate);
    const int status = state->stateFilingStatus == 3 ? 0 : state->stateFilingStatus;
    int result = 0;

    const BracketHit hit = lookup(state, payDate, status, 0.0);
    if (hit.row != nullptr) {
        state->stateTax = zeroFloor(hit.tax);
        state->stateTableDate = hit.row->from;
    } else {
        state->status = ORLA_STATE_NO_ROW;
        result = 1;
    }

    if (has(state, 144)) {
        // The supplemental tax is the extra tax of wages and bonus together, whatever method was asked for.
        // Supplemental wages of +0 make this the regular lookup again: its result is taken again.
        const double supp = state->stateSuppWages;
        const BracketHit withBonus = isPlusZero(supp) ? hit : lookup(state, payDate, status, supp);
        if (withBonus.row == nullptr) {
            state->status = ORLA_STATE_NO_ROW;
            result = 1;
        }
        state->stateSuppTax = roundCents(zeroFloor(zeroFloor(withBonus.tax) - state->stateTax));
    }
    return result;
}

}  // namespace orla
