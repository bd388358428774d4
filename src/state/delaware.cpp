// Delaware: graduated annual rates on wages less the standard deduction, less a fixed credit per
// exemption.
#include "frame/run_index.h"
#include "state/calculators.h"
#include "state/state_tables.h"

namespace orla {

namespace {

constexpr double kSingleDeduction = 3250;   // statuses 0 and 3
constexpr double kMarriedDeduction = 6500;  // status 1
constexpr double kCreditPerExemption = 110;

// Annual rows for statuses 0, 1 and 3, in the published layout: year groups newest first, some of them
// stored twice (the first matching row in stored order decides, and the copies change nothing).
constexpr BracketRow kRates[] = {
    // 2026: the first bracket of status 0 carries the 2025 dates, as published, so a 2026 pay in that
    // bracket finds no row and the year fallback takes it to the 2025 rows (same values).
    {k2025From, k2025To, 0, 1, 0, 0, 2000, 0, 0},
    {k2026From, k2026To, 0, 1, 0, 2000, 5000, 0, 0.022},
    {k2026From, k2026To, 0, 1, 0, 5000, 10000, 66, 0.039},
    {k2026From, k2026To, 0, 1, 0, 10000, 20000, 261, 0.048},
    {k2026From, k2026To, 0, 1, 0, 20000, 25000, 741, 0.052},
    {k2026From, k2026To, 0, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2026From, k2026To, 0, 1, 0, 60000, 0, 2943.5, 0.066},
    {k2026From, k2026To, 1, 1, 0, 0, 2000, 0, 0},
    {k2026From, k2026To, 1, 1, 0, 2000, 5000, 0, 0.022},
    {k2026From, k2026To, 1, 1, 0, 5000, 10000, 66, 0.039},
    {k2026From, k2026To, 1, 1, 0, 10000, 20000, 261, 0.048},
    {k2026From, k2026To, 1, 1, 0, 20000, 25000, 741, 0.052},
    {k2026From, k2026To, 1, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2026From, k2026To, 1, 1, 0, 60000, 0, 2943.5, 0.066},
    {k2026From, k2026To, 3, 1, 0, 0, 2000, 0, 0},
    {k2026From, k2026To, 3, 1, 0, 2000, 5000, 0, 0.022},
    {k2026From, k2026To, 3, 1, 0, 5000, 10000, 66, 0.039},
    {k2026From, k2026To, 3, 1, 0, 10000, 20000, 261, 0.048},
    {k2026From, k2026To, 3, 1, 0, 20000, 25000, 741, 0.052},
    {k2026From, k2026To, 3, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2026From, k2026To, 3, 1, 0, 60000, 0, 2943.5, 0.066},
    // 2025, stored twice.
    {k2025From, k2025To, 0, 1, 0, 0, 2000, 0, 0},
    {k2025From, k2025To, 0, 1, 0, 2000, 5000, 0, 0.022},
    {k2025From, k2025To, 0, 1, 0, 5000, 10000, 66, 0.039},
    {k2025From, k2025To, 0, 1, 0, 10000, 20000, 261, 0.048},
    {k2025From, k2025To, 0, 1, 0, 20000, 25000, 741, 0.052},
    {k2025From, k2025To, 0, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2025From, k2025To, 0, 1, 0, 60000, 0, 2943.5, 0.066},
    {k2025From, k2025To, 1, 1, 0, 0, 2000, 0, 0},
    {k2025From, k2025To, 1, 1, 0, 2000, 5000, 0, 0.022},
    {k2025From, k2025To, 1, 1, 0, 5000, 10000, 66, 0.039},
    {k2025From, k2025To, 1, 1, 0, 10000, 20000, 261, 0.048},
    {k2025From, k2025To, 1, 1, 0, 20000, 25000, 741, 0.052},
    {k2025From, k2025To, 1, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2025From, k2025To, 1, 1, 0, 60000, 0, 2943.5, 0.066},
    {k2025From, k2025To, 3, 1, 0, 0, 2000, 0, 0},
    {k2025From, k2025To, 3, 1, 0, 2000, 5000, 0, 0.022},
    {k2025From, k2025To, 3, 1, 0, 5000, 10000, 66, 0.039},
    {k2025From, k2025To, 3, 1, 0, 10000, 20000, 261, 0.048},
    {k2025From, k2025To, 3, 1, 0, 20000, 25000, 741, 0.052},
    {k2025From, k2025To, 3, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2025From, k2025To, 3, 1, 0, 60000, 0, 2943.5, 0.066},
    {k2025From, k2025To, 0, 1, 0, 0, 2000, 0, 0},
    {k2025From, k2025To, 0, 1, 0, 2000, 5000, 0, 0.022},
    {k2025From, k2025To, 0, 1, 0, 5000, 10000, 66, 0.039},
    {k2025From, k2025To, 0, 1, 0, 10000, 20000, 261, 0.048},
    {k2025From, k2025To, 0, 1, 0, 20000, 25000, 741, 0.052},
    {k2025From, k2025To, 0, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2025From, k2025To, 0, 1, 0, 60000, 0, 2943.5, 0.066},
    {k2025From, k2025To, 1, 1, 0, 0, 2000, 0, 0},
    {k2025From, k2025To, 1, 1, 0, 2000, 5000, 0, 0.022},
    {k2025From, k2025To, 1, 1, 0, 5000, 10000, 66, 0.039},
    {k2025From, k2025To, 1, 1, 0, 10000, 20000, 261, 0.048},
    {k2025From, k2025To, 1, 1, 0, 20000, 25000, 741, 0.052},
    {k2025From, k2025To, 1, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2025From, k2025To, 1, 1, 0, 60000, 0, 2943.5, 0.066},
    {k2025From, k2025To, 3, 1, 0, 0, 2000, 0, 0},
    {k2025From, k2025To, 3, 1, 0, 2000, 5000, 0, 0.022},
    {k2025From, k2025To, 3, 1, 0, 5000, 10000, 66, 0.039},
    {k2025From, k2025To, 3, 1, 0, 10000, 20000, 261, 0.048},
    {k2025From, k2025To, 3, 1, 0, 20000, 25000, 741, 0.052},
    {k2025From, k2025To, 3, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2025From, k2025To, 3, 1, 0, 60000, 0, 2943.5, 0.066},
    // 2024, stored twice.
    {k2024From, k2024To, 0, 1, 0, 0, 2000, 0, 0},
    {k2024From, k2024To, 0, 1, 0, 2000, 5000, 0, 0.022},
    {k2024From, k2024To, 0, 1, 0, 5000, 10000, 66, 0.039},
    {k2024From, k2024To, 0, 1, 0, 10000, 20000, 261, 0.048},
    {k2024From, k2024To, 0, 1, 0, 20000, 25000, 741, 0.052},
    {k2024From, k2024To, 0, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2024From, k2024To, 0, 1, 0, 60000, 0, 2943.5, 0.066},
    {k2024From, k2024To, 1, 1, 0, 0, 2000, 0, 0},
    {k2024From, k2024To, 1, 1, 0, 2000, 5000, 0, 0.022},
    {k2024From, k2024To, 1, 1, 0, 5000, 10000, 66, 0.039},
    {k2024From, k2024To, 1, 1, 0, 10000, 20000, 261, 0.048},
    {k2024From, k2024To, 1, 1, 0, 20000, 25000, 741, 0.052},
    {k2024From, k2024To, 1, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2024From, k2024To, 1, 1, 0, 60000, 0, 2943.5, 0.066},
    {k2024From, k2024To, 3, 1, 0, 0, 2000, 0, 0},
    {k2024From, k2024To, 3, 1, 0, 2000, 5000, 0, 0.022},
    {k2024From, k2024To, 3, 1, 0, 5000, 10000, 66, 0.039},
    {k2024From, k2024To, 3, 1, 0, 10000, 20000, 261, 0.048},
    {k2024From, k2024To, 3, 1, 0, 20000, 25000, 741, 0.052},
    {k2024From, k2024To, 3, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2024From, k2024To, 3, 1, 0, 60000, 0, 2943.5, 0.066},
    {k2024From, k2024To, 0, 1, 0, 0, 2000, 0, 0},
    {k2024From, k2024To, 0, 1, 0, 2000, 5000, 0, 0.022},
    {k2024From, k2024To, 0, 1, 0, 5000, 10000, 66, 0.039},
    {k2024From, k2024To, 0, 1, 0, 10000, 20000, 261, 0.048},
    {k2024From, k2024To, 0, 1, 0, 20000, 25000, 741, 0.052},
    {k2024From, k2024To, 0, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2024From, k2024To, 0, 1, 0, 60000, 0, 2943.5, 0.066},
    {k2024From, k2024To, 1, 1, 0, 0, 2000, 0, 0},
    {k2024From, k2024To, 1, 1, 0, 2000, 5000, 0, 0.022},
    {k2024From, k2024To, 1, 1, 0, 5000, 10000, 66, 0.039},
    {k2024From, k2024To, 1, 1, 0, 10000, 20000, 261, 0.048},
    {k2024From, k2024To, 1, 1, 0, 20000, 25000, 741, 0.052},
    {k2024From, k2024To, 1, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2024From, k2024To, 1, 1, 0, 60000, 0, 2943.5, 0.066},
    {k2024From, k2024To, 3, 1, 0, 0, 2000, 0, 0},
    {k2024From, k2024To, 3, 1, 0, 2000, 5000, 0, 0.022},
    {k2024From, k2024To, 3, 1, 0, 5000, 10000, 66, 0.039},
    {k2024From, k2024To, 3, 1, 0, 10000, 20000, 261, 0.048},
    {k2024From, k2024To, 3, 1, 0, 20000, 25000, 741, 0.052},
    {k2024From, k2024To, 3, 1, 0, 25000, 60000, 1001, 0.0555},
    {k2024From, k2024To, 3, 1, 0, 60000, 0, 2943.5, 0.066},
};
static_assert(std::size(kRates) == 105);

// The rate runs reached by status and periods; a run of ordered brackets is bisected (bandHolding).
constexpr MappedRunIndex kRateIndex(kRates);
static_assert(kRateIndex.allKeysMapped());

constexpr bool allRowsAnnual() {
    for (const BracketRow& r : kRates)
        if (r.periods != 1) return false;
    return true;
}
static_assert(allRowsAnnual());

// The annual tax of annual taxable wages: rows of the pay's periods first, then the annual rows. The
// amount is annual in both passes and nothing is divided here, so the annual rows serve any periods.
// Every row is annual, so the first pass finds a row only for an annual pay, the row the second pass
// finds: the annual rows are searched once.
const BracketRow* findRate(const CalcDate& d, int status, double taxable) {
    return kRateIndex.findBand(d, StatusPeriods{status, 1}, [taxable](const BracketRow&) { return taxable; });
}

double annualTax(const BracketRow& r, double taxable) { return (taxable - r.low) * r.rate + r.base; }

}  // namespace

int calcDelaware(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    state->stateTableDate = unmatchedTableDate(payDate);
    const int status = state->stateFilingStatus;
    const int periods = state->statePayPeriods;
    double deduction = 0.0;
    if (status == 0 || status == 3) {
        deduction = kSingleDeduction;
    } else if (status == 1) {
        deduction = kMarriedDeduction;
    } else {
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    const double taxable = zeroFloor(periods * state->stateWages - deduction);
    const double credits = state->stateAllowances * kCreditPerExemption;
    int result = 0;

    // Without a bracket row the annual tax is 0 and the steps go on: the credits still apply.
    double annual = 0.0;
    if (const BracketRow* row = findRate(payDate, status, taxable)) {
        annual = annualTax(*row, taxable);
        state->stateTableDate = row->from;
    } else {
        state->status = ORLA_STATE_NO_ROW;
        result = 1;
    }
    annual = zeroFloor(annual - credits);

    if (has(state, 144)) {
        // The bonus is added once to the annual taxable wages, not annualised.
        const double withBonus = taxable + state->stateSuppWages;
        double suppTax = 0.0;
        if (const BracketRow* row = findRate(payDate, status, withBonus)) {
            suppTax = zeroFloor(zeroFloor(annualTax(*row, withBonus) - credits) - annual);
        } else {
            state->status = ORLA_STATE_NO_ROW;
            result = 1;
        }
        state->stateSuppTax = roundCents(suppTax);
    }

    if (periods > 0) state->stateTax = annual / periods;
    return result;
}

}  // namespace orla
