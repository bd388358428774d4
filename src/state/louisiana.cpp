// Louisiana: formulas without tables. From 2025 a flat rate after a standard deduction; in 2024 a
// graduated formula less an exemption credit.
#include "state/calculators.h"

namespace orla {

namespace {

constexpr int kNoDeductionStatus = 15;

// From 2025.
constexpr double kFlatRate = 0.0309;
constexpr double kDeductionSingle = 12500.0;
constexpr double kDeductionOther = 25000.0;

// 2024: per schedule, the bracket thresholds (annual, whole dollars) and the rates.
constexpr double kPersonalExemption2024 = 4500.0;
constexpr double kDependentExemption2024 = 1000.0;
constexpr double kRateFirst2024 = 0.0185;
constexpr double kRateSecond2024 = 0.0165;
constexpr double kRateThird2024 = 0.0075;

struct Schedule2024 {
    int first;   // the first tax threshold and the split of the exemption credit
    int second;  // the second tax threshold
};
constexpr Schedule2024 kSingle2024{12500, 50000};
constexpr Schedule2024 kMarried2024{25000, 100000};

double annualAfterDeduction(int filingStatus, double annual) {
    if (filingStatus == kNoDeductionStatus) return annual;
    return zeroFloor(annual - (filingStatus == 0 ? kDeductionSingle : kDeductionOther));
}

void rulesFrom2025(StateRecord* state, int periods) {
    const double annual = annualAfterDeduction(state->stateFilingStatus, periods * state->stateWages);
    state->stateTax = annual * kFlatRate / periods;
    if (has(state, 144) && state->stateSuppWages > 0) {
        // The supplemental wages join the annual wages once; their tax is the whole annual difference.
        const double withSupp =
            annualAfterDeduction(state->stateFilingStatus, periods * state->stateWages + state->stateSuppWages);
        state->stateSuppTax = withSupp * kFlatRate - periods * state->stateTax;
    }
}

// The 2024 tax of one pay of wages, after the exemption credit, in cents and not below 0.
double tax2024(const Schedule2024& schedule, double exemptionBase, int periods, double wages) {
    const double creditBelow = std::fmin(exemptionBase, schedule.first);
    const double creditAbove = std::fmax(0.0, exemptionBase - schedule.first);
    const double credit = roundCents(zeroFloor(creditBelow * kRateFirst2024 / periods)) +
                          roundCents(zeroFloor(creditAbove * kRateSecond2024 / periods));
    const double annual = periods * wages;
    // The per-pay thresholds are whole-dollar quotients.
    double tax = wages * kRateFirst2024;
    if (annual > schedule.first) tax += (wages - schedule.first / periods) * kRateSecond2024;
    if (annual > schedule.second) tax += (wages - schedule.second / periods) * kRateThird2024;
    return zeroFloor(roundCents(tax - credit));
}

void rules2024(StateRecord* state, int periods) {
    int status = state->stateFilingStatus;
    if (status == kNoDeductionStatus || (status == 1 && state->stateAllowances < 2)) status = 0;
    const Schedule2024& schedule = status == 0 ? kSingle2024 : kMarried2024;
    // In double: the counts come from the caller and their products may exceed the int range.
    const double exemptionBase =
        state->stateDependencyCredits * kDependentExemption2024 + state->stateAllowances * kPersonalExemption2024;
    state->stateTax = tax2024(schedule, exemptionBase, periods, state->stateWages);
    if (has(state, 144) && state->stateSuppWages > 0) {
        // The extra tax that the supplemental wages cause when paid with the wages of this pay.
        const double withSupp =
            tax2024(schedule, exemptionBase, periods, state->stateWages + state->stateSuppWages);
        state->stateSuppTax = roundCents(zeroFloor(withSupp - state->stateTax));
    }
}

}  // namespace

int calcLouisiana(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    const int periods = state->statePayPeriods > 1 ? state->statePayPeriods : 1;
    if (payDate.year >= 2025) {
        state->stateTableDate = date(2017, payDate.month, payDate.day);
        rulesFrom2025(state, periods);
    } else {
        state->stateTableDate = payDate;
        rules2024(state, periods);
    }
    return 0;
}

}  // namespace orla
