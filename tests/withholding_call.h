// Records for one full withholding call of a state, and the call itself.
#pragma once

#include <cstring>

#include <orla/orla.h>

namespace orla::testing {

struct Call {
    PayRecord pay;
    StateRecord state;

    Call(int stateCode, CalcDate payDate, int periods, double stateWages) {
        std::memset(&pay, 0, sizeof pay);
        std::memset(&state, 0, sizeof state);
        pay.recordSize = sizeof(PayRecord);
        pay.payDate = payDate;
        pay.payPeriods = periods;
        pay.fedWages = stateWages;
        pay.ficaWages = stateWages;
        state.recordSize = sizeof(StateRecord);
        state.stateCode = stateCode;
        state.statePayPeriods = periods;
        state.stateWages = stateWages;
    }

    // The driver in its full mode: federal, then this state with the year fallback.
    unsigned run() { return ORLA_Calc(ORLA_MODE_FULL, &pay, &state); }
};

}  // namespace orla::testing
