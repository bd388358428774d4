// Arizona: the employee's elected percentage of the wages; no table.
#include "state/calculators.h"

namespace orla {

int calcArizona(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const double fraction = state->statePercent / 100;
    state->stateTax = fraction * state->stateWages;
    if (has(state, 144)) {
        // The bonus is the one of the pay record, which only a record with the supplemental fields carries.
        const double bonus = has(pay, 128) ? pay->suppWages : 0.0;
        state->stateSuppTax = fraction * bonus;
    }
    return 0;
}

}  // namespace orla
