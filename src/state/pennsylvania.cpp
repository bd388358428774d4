// Pennsylvania: a flat rate on the state wages, no table.
#include "state/calculators.h"

namespace orla {

namespace {

constexpr double kRate = 0.0307;
// Before 2004 the rate was lower and supplemental wages were not taxed separately.
constexpr int kFirstYearOfCurrentRate = 2004;
constexpr double kRateBefore2004 = 0.028;

}  // namespace

int calcPennsylvania(int /*mode*/, PayRecord* pay, StateRecord* state) {
    if (pay->payDate.year < kFirstYearOfCurrentRate) {
        state->stateTax = state->stateWages * kRateBefore2004;
        return 0;
    }
    state->stateTax = state->stateWages * kRate;
    if (has(state, 144)) state->stateSuppTax = state->stateSuppWages * kRate;
    return 0;
}

}  // namespace orla
