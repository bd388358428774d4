// Illinois: a flat rate on wages less the basic and additional allowances. The supplemental wages are
// always taxed by the aggregate method. The table has no row for 2026, so a 2026 pay is computed with
// the 2025 row through the year fallback.
#include "state/illinois.h"

#include "state/calculators.h"

namespace orla {

namespace {

constexpr IllinoisRow kIllinois[] = {
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 2850, 1000, 0, 0, 0, 0.0495},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 2775, 1000, 0, 0, 0, 0.0495},
};
static_assert(std::size(kIllinois) == 2);

struct IllinoisHit {
    const IllinoisRow* row = nullptr;
    double tax = 0.0;
};

// suppWages is added before the floor: once in pass 1, times the periods in the annual pass 2.
IllinoisHit lookup(const CalcDate& d, int periods, int basic, int additional, double wages, double suppWages) {
    IllinoisHit hit;
    for (const IllinoisRow& r : kIllinois) {
        if (r.periods != periods || !rowCovers(r.from, r.to, d)) continue;
        const double w = std::fmax(0.0, wages - basic * r.basicAllowance - additional * r.additionalAllowance +
                                            suppWages);
        if (!(w >= r.low && (w < r.high || r.high == 0))) continue;
        hit.row = &r;
        hit.tax = (w - r.low) * r.rate + r.base;
        return hit;
    }
    if (periods < 1) return hit;
    for (const IllinoisRow& r : kIllinois) {
        if (r.periods != 1 || !rowCovers(r.from, r.to, d)) continue;
        const double w = std::fmax(0.0, periods * wages - basic * r.basicAllowance -
                                            additional * r.additionalAllowance + periods * suppWages);
        if (!(w >= r.low && (w < r.high || r.high == 0))) continue;
        hit.row = &r;
        hit.tax = ((w - r.low) * r.rate + r.base) / periods;
        return hit;
    }
    return hit;
}

}  // namespace

std::span<const IllinoisRow> illinoisTable() { return kIllinois; }

int calcIllinois(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    state->stateTableDate = date(2017, payDate.month, payDate.day);
    const int periods = state->statePayPeriods;
    const int basic = state->stateAllowances;
    const int additional = state->stateAdditionalAllowances;

    int result = 0;
    const IllinoisHit hit = lookup(payDate, periods, basic, additional, state->stateWages, 0.0);
    if (hit.row == nullptr) {
        // No regular row: nothing more is computed (the driver's year fallback follows).
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    state->stateTax = hit.tax;
    state->stateTableDate = hit.row->from;

    if (has(state, 144)) {
        // A failed repeat counts as a zero tax, so the supplemental tax becomes 0. Without supplemental
        // wages the repeat is the lookup of the wages alone.
        const double suppWages = state->stateSuppWages;
        const IllinoisHit withSupp =
            suppWages == 0 ? hit : lookup(payDate, periods, basic, additional, state->stateWages, suppWages);
        if (withSupp.row == nullptr) {
            state->status = ORLA_STATE_NO_ROW;
            result = 1;
        }
        state->stateSuppTax = roundCents(zeroFloor(withSupp.tax - state->stateTax));
    }
    return result;
}

}  // namespace orla
