// Kentucky: a flat rate on annualised wages less a standard deduction; supplemental wages always by
// the aggregate method.
#include <iterator>

#include "state/calculators.h"

namespace orla {

namespace {

struct Row {
    CalcDate from;
    CalcDate to;
    int status;  // not tested
    int periods;
    double deduction;  // annual standard deduction
    double credit;     // annual credit per allowance
    double low;
    double high;  // 0: no upper bound
    double base;
    double rate;
};

constexpr Row kTable[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 3360, 0, 0, 0, 0, 0.035},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 3270, 0, 0, 0, 0, 0.04},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 3160, 0, 0, 0, 0, 0.04},
};
static_assert(std::size(kTable) == 3, "one annual row for each of 2026, 2025 and 2024");

constexpr bool inBand(const Row& r, double t) { return t >= r.low && (t < r.high || r.high == 0); }

struct Found {
    bool found = false;
    double tax = 0.0;
    bool annual = false;
    double annualTax = 0.0;  // before the division, pass 2 only
};

// The two passes; suppWages is added to the taxable wages (annualised in pass 2). Pass 2 rounds the
// per-pay tax to cents.
Found withholding(const CalcDate& payDate, int periods, double wages, double suppWages, int allowances) {
    for (const Row& r : kTable) {
        if (r.periods != periods || !rowCovers(r.from, r.to, payDate)) continue;
        const double t = zeroFloor(wages - r.deduction + suppWages);
        if (inBand(r, t))
            return {true, zeroFloor((t - r.low) * r.rate + r.base - static_cast<double>(periods) * allowances * r.credit)};
    }
    if (periods < 1) return {};
    for (const Row& r : kTable) {
        if (r.periods != 1 || !rowCovers(r.from, r.to, payDate)) continue;
        const double t = zeroFloor(periods * wages + periods * suppWages - r.deduction);
        if (!inBand(r, t)) continue;
        const double annualTax = (t - r.low) * r.rate + r.base - allowances * r.credit;
        return {true, zeroFloor(roundCents(annualTax / periods)), true, annualTax};
    }
    return {};
}

}  // namespace

int calcKentucky(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    const int periods = state->statePayPeriods;
    const int allowances = state->stateAllowances;

    int result = 0;
    const Found regular = withholding(payDate, periods, state->stateWages, 0.0, allowances);
    if (regular.found) {
        if (regular.annual) pay->stateTaxableIncome = truncToInt(regular.annualTax * 1000);
        state->stateTax = regular.tax;
    } else {
        state->status = ORLA_STATE_NO_ROW;
        result = 1;
    }

    if (!has(state, 144) || !(state->stateSuppWages > 0)) return result;
    const Found combined = withholding(payDate, periods, state->stateWages, state->stateSuppWages, allowances);
    if (!combined.found) {
        state->status = ORLA_STATE_NO_ROW;
        state->stateSuppTax = 0.0;
        return 1;
    }
    state->stateSuppTax = roundCents(zeroFloor(combined.tax - state->stateTax));
    return result;
}

}  // namespace orla
