// The jurisdiction dispatch: what the driver does with each state code.
#pragma once

#include "frame/common.h"

namespace orla {

// The state calculator contract: computes stateTax (and stateSuppTax) for the pay; returns 0 when
// done, non-zero when no table row covers the pay date or the record is too small (status 1 or 4).
using StateCalculator = int (*)(int mode, PayRecord* pay, StateRecord* state);

enum class Handling : unsigned char {
    NotSupported,  // status 3, flag 8
    NoIncomeTax,   // stateTax is the additional withholding alone
    Calculator,    // a calculator computes stateTax (not supported while calc is null)
    FederalRule,   // the federal computation again (federalRuleTerritory; calc is the same without the
                   // driver's knowledge of the shares)
};

struct Jurisdiction {
    const char* postal;
    Handling handling;
    StateCalculator calc;
};

// The entry of a jurisdiction code 1 to 59; nullptr for any other code.
const Jurisdiction* jurisdiction(int code);

}  // namespace orla
