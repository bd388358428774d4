// Virginia: the annualised wage after a standard deduction and two kinds of exemptions, taxed by one
// bracket scan. There are no 2026 rows: a 2026 pay is taxed by the driver's retry with the year before.
#include <array>
#include <cstddef>
#include <iterator>

#include "federal/federal.h"
#include "frame/run_index.h"
#include "state/calculators.h"
#include "state/standard_steps.h"
#include "state/state_tables.h"

namespace orla {

namespace {

struct VirginiaRow {
    CalcDate from;
    CalcDate to;
    int status;   // 0 in every row; not read
    int periods;  // 1 in every row; not read
    double standardDeduction;
    double exemption;           // per allowance
    double secondaryExemption;  // per exemption for age 65 or over and for blindness
    double low;
    double high;  // 0: open
    double base;
    double rate;
};

constexpr CalcDate kJul2025From = date(2025, 7, 1);
constexpr CalcDate kJul2025To = date(2025, 12, 31);
constexpr CalcDate kJan2025From = date(2025, 1, 1);
constexpr CalcDate kJan2025To = date(2025, 6, 30);
constexpr CalcDate kJul2024From = date(2024, 7, 1);
constexpr CalcDate kJul2024To = date(2024, 12, 31);
constexpr CalcDate kJan2024From = date(2024, 1, 1);
constexpr CalcDate kJan2024To = date(2024, 6, 30);

// Newest date range first.
constexpr VirginiaRow kRates[] = {
    {kJul2025From, kJul2025To, 0, 1, 8750, 930, 800, 0, 3000, 0, 0.02},
    {kJul2025From, kJul2025To, 0, 1, 8750, 930, 800, 3000, 5000, 60, 0.03},
    {kJul2025From, kJul2025To, 0, 1, 8750, 930, 800, 5000, 17000, 120, 0.05},
    {kJul2025From, kJul2025To, 0, 1, 8750, 930, 800, 17000, 0, 720, 0.0575},
    {kJan2025From, kJan2025To, 0, 1, 8500, 930, 800, 0, 3000, 0, 0.02},
    {kJan2025From, kJan2025To, 0, 1, 8500, 930, 800, 3000, 5000, 60, 0.03},
    {kJan2025From, kJan2025To, 0, 1, 8500, 930, 800, 5000, 17000, 120, 0.05},
    {kJan2025From, kJan2025To, 0, 1, 8500, 930, 800, 17000, 0, 720, 0.0575},
    {kJul2024From, kJul2024To, 0, 1, 8500, 930, 800, 0, 3000, 0, 0.02},
    {kJul2024From, kJul2024To, 0, 1, 8500, 930, 800, 3000, 5000, 60, 0.03},
    {kJul2024From, kJul2024To, 0, 1, 8500, 930, 800, 5000, 17000, 120, 0.05},
    {kJul2024From, kJul2024To, 0, 1, 8500, 930, 800, 17000, 0, 720, 0.0575},
    {kJan2024From, kJan2024To, 0, 1, 8000, 930, 800, 0, 3000, 0, 0.02},
    {kJan2024From, kJan2024To, 0, 1, 8000, 930, 800, 3000, 5000, 60, 0.03},
    {kJan2024From, kJan2024To, 0, 1, 8000, 930, 800, 5000, 17000, 120, 0.05},
    {kJan2024From, kJan2024To, 0, 1, 8000, 930, 800, 17000, 0, 720, 0.0575},
    {k2023From, k2023To, 0, 1, 8000, 930, 800, 0, 3000, 0, 0.02},
    {k2023From, k2023To, 0, 1, 8000, 930, 800, 3000, 5000, 60, 0.03},
    {k2023From, k2023To, 0, 1, 8000, 930, 800, 5000, 17000, 120, 0.05},
    {k2023From, k2023To, 0, 1, 8000, 930, 800, 17000, 0, 720, 0.0575},
};
static_assert(std::size(kRates) == 20);

constexpr FlatRateRow kSupplementalRates[] = {
    {date(2025, 1, 1), date(2025, 12, 31), 0.0575},
    {date(2024, 1, 1), date(2024, 12, 31), 0.0575},
    {k2023From, k2023To, 0.0575},
};

// The annual tax of the annual wage A: the first row for the date whose bracket holds the taxable amount.
// The rates in runs of one date range (one key for all), so that each range's dates are tested once.
constexpr auto kDateRuns = runIndexBy(kRates, [](const VirginiaRow&) { return 0; });

// The rows of one date range share their deduction and exemptions, so the taxable amount is the same
// for every row of a run and a run of ordered brackets may be bisected (RunIndex::findBand).
static_assert(constantWithinRuns(kRates, [](const VirginiaRow&) { return 0; }, [](const VirginiaRow& r) {
    return std::array{r.standardDeduction, r.exemption, r.secondaryExemption};
}));

const VirginiaRow* annualTax(const CalcDate& d, int allowances, int secondary, double annual, double& tax) {
    double taxable = 0;
    const VirginiaRow* row = kDateRuns.findBand(d, 0, [&](const VirginiaRow& r) {
        return taxable = atLeastZero(annual - allowances * r.exemption - secondary * r.secondaryExemption -
                                     r.standardDeduction);
    });
    if (row != nullptr) tax = (taxable - row->low) * row->rate + row->base;
    return row;
}

}  // namespace

int calcVirginia(int /*mode*/, PayRecord* pay, StateRecord* state) {
    clearStateOutputs(state);
    const bool hasTaxable = holdsField(pay, offsetof(PayRecord, stateTaxableIncome), sizeof(int));
    if (hasTaxable) pay->stateTaxableIncome = 0;
    const CalcDate& d = pay->payDate;
    writeUnmatchedTableDate(pay, state);
    // The annual tax is divided by the periods: with fewer than one there is no pay to divide into.
    if (rejectPeriodsBelowOne(state)) return 1;
    const int periods = state->statePayPeriods;
    const int allowances = state->stateAllowances;
    const int secondary = state->stateOption;

    double tax = 0;
    const VirginiaRow* row = annualTax(d, allowances, secondary, periods * state->stateWages, tax);
    if (row == nullptr) {
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    state->stateTax = tax / periods;
    state->stateTableDate = row->from;
    // The taxable-income field reports the number of secondary exemptions claimed.
    if (hasTaxable) pay->stateTaxableIncome = secondary;

    if (!supplementalStepRuns(state)) return 0;
    const double bonus = suppWagesOf(state);
    const int method = suppAggregateOf(state);
    if (method == 1) {
        double withBonus = 0;
        if (annualTax(d, allowances, secondary, periods * state->stateWages + periods * bonus, withBonus) == nullptr) {
            state->status = ORLA_STATE_NO_ROW;
            return 1;
        }
        writeSuppTax(state, roundCents(zeroFloor(withBonus / periods - state->stateTax)));
    } else if (method == 0) {
        return flatSupplemental(state, kSupplementalRates, d);
    }
    return 0;
}

}  // namespace orla
