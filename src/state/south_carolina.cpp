// South Carolina: a standard deduction of a tenth of the wage, capped, for employees who claim
// allowances, then the brackets; the filing status is not consulted. Supplemental wages by the aggregate
// method (the deduction still taken from the wage alone) or at the flat supplemental rate.
#include <algorithm>
#include <iterator>

#include "frame/run_index.h"
#include "state/calculators.h"
#include "state/standard_steps.h"

namespace orla {

namespace {

struct SouthCarolinaRow {
    CalcDate from;
    CalcDate to;
    int status;  // 0 in every row; not read
    int periods;
    double allowance;
    double deductionWithoutAllowances;
    double deductionCap;
    double low;
    double high;  // 0: open
    double base;
    double rate;
};

// Newest year first; 2025 and 2026 have annual rows only.
constexpr SouthCarolinaRow kRates[] = {
    {k2026From, k2026To, 0, 1, 5000, 0, 7500, 0, 3640, 0, 0},
    {k2026From, k2026To, 0, 1, 5000, 0, 7500, 3640, 18230, 0, 0.03},
    {k2026From, k2026To, 0, 1, 5000, 0, 7500, 18230, 0, 437.7, 0.06},
    {k2025From, k2025To, 0, 1, 4860, 0, 7300, 0, 3560, 0, 0},
    {k2025From, k2025To, 0, 1, 4860, 0, 7300, 3560, 17830, 0, 0.03},
    {k2025From, k2025To, 0, 1, 4860, 0, 7300, 17830, 0, 428.1, 0.062},
    {k2024From, k2024To, 0, 24, 192.08, 0, 288.54, 0, 144.17, 0, 0},
    {k2024From, k2024To, 0, 24, 192.08, 0, 288.54, 144.17, 722.08, 0, 0.03},
    {k2024From, k2024To, 0, 24, 192.08, 0, 288.54, 722.08, 0, 17.34, 0.064},
    {k2024From, k2024To, 0, 26, 177.31, 0, 266.35, 0, 133.08, 0, 0},
    {k2024From, k2024To, 0, 26, 177.31, 0, 266.35, 133.08, 666.54, 0, 0.03},
    {k2024From, k2024To, 0, 26, 177.31, 0, 266.35, 666.54, 0, 16, 0.064},
    {k2024From, k2024To, 0, 52, 88.65, 0, 133.17, 0, 66.54, 0, 0},
    {k2024From, k2024To, 0, 52, 88.65, 0, 133.17, 66.54, 333.27, 0, 0.03},
    {k2024From, k2024To, 0, 52, 88.65, 0, 133.17, 333.27, 0, 8, 0.064},
    {k2024From, k2024To, 0, 12, 384.17, 0, 577.08, 0, 288.33, 0, 0},
    {k2024From, k2024To, 0, 12, 384.17, 0, 577.08, 288.33, 1444.17, 0, 0.03},
    {k2024From, k2024To, 0, 12, 384.17, 0, 577.08, 1444.17, 0, 34.68, 0.064},
    {k2024From, k2024To, 0, 1, 4610, 0, 6925, 0, 3460, 0, 0},
    {k2024From, k2024To, 0, 1, 4610, 0, 6925, 3460, 17330, 0, 0.03},
    {k2024From, k2024To, 0, 1, 4610, 0, 6925, 17330, 0, 416.1, 0.064},
};
static_assert(std::size(kRates) == 21);

constexpr FlatRateRow kSupplementalRates[] = {
    {k2026From, k2026To, 0.06},
    {k2025From, k2025To, 0.062},
    {k2024From, k2024To, 0.064},
};

// The taxable amount: the deduction is a tenth of the wage (annualised in pass 2), capped, when the
// employee claims allowances; the supplemental wages of the aggregate lookup add to the amount only.
struct Taxable {
    int periods;
    double wages;
    double supp;
    int allowances;

    double deduction(const SouthCarolinaRow& r, double payWages) const {
        return allowances > 0 ? std::min(r.deductionCap, 0.1 * payWages) : r.deductionWithoutAllowances;
    }
    double pass1(const SouthCarolinaRow& r) const {
        return atLeastZero(wages - deduction(r, wages) - allowances * r.allowance + supp);
    }
    double pass2(const SouthCarolinaRow& r) const {
        const double annual = periods * wages;
        return atLeastZero(annual - deduction(r, annual) - allowances * r.allowance + periods * supp);
    }
};

// The first row for the date and periods that accept takes, whatever the status.
constexpr auto kPeriodRuns = runIndexBy(kRates, [](const SouthCarolinaRow& r) { return r.periods; });

auto finder(const CalcDate& d) {
    return [d](int periods, auto&& accept) -> const SouthCarolinaRow* { return kPeriodRuns.find(d, periods, accept); };
}

}  // namespace

int calcSouthCarolina(int /*mode*/, PayRecord* pay, StateRecord* state) {
    clearStateOutputs(state);
    writeUnmatchedTableDate(pay, state);
    if (rejectPeriodsBelowOne(state)) return 1;
    const Taxable taxable{state->statePayPeriods, state->stateWages, 0.0, state->stateAllowances};
    const auto find = finder(pay->payDate);
    if (const int failed = applyRegularTax(state, standardLookup(find, taxable.periods, taxable))) return failed;
    return standardSupplemental(state, pay->payDate, kSupplementalRates, [&](double supp) {
        Taxable withSupp = taxable;
        withSupp.supp = supp;
        return standardLookup(find, withSupp.periods, withSupp);
    });
}

}  // namespace orla
