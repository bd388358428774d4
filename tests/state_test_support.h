// Records for calling one state calculator, or the whole driver, in the state tests.
#pragma once

#include <cstring>

#include "frame/common.h"
#include "state/calculators.h"

namespace orla::testing {

// Sentinel for output fields that a calculator must leave alone.
constexpr double kUntouched = -777.0;

struct Call {
    PayRecord pay;
    StateRecord state;

    Call(int stateCode, CalcDate payDate, int periods, double wages) {
        std::memset(&pay, 0, sizeof pay);
        std::memset(&state, 0, sizeof state);
        pay.recordSize = sizeof pay;
        pay.payDate = payDate;
        pay.payPeriods = periods;
        pay.fedWages = wages;
        pay.ficaWages = wages;
        state.recordSize = sizeof state;
        state.stateCode = stateCode;
        state.statePayPeriods = periods;
        state.stateWages = wages;
        state.stateSuppTax = kUntouched;
        state.stateTableDate = CalcDate{0, 0, 0};
        state.stateSuppAggregate = 2;  // no supplemental method unless a test picks one
    }

    int run(StateCalculator calc) { return calc(ORLA_MODE_FULL, &pay, &state); }
    unsigned driver(int mode = ORLA_MODE_FULL) { return ORLA_Calc(mode, &pay, &state); }
};

inline bool sameDate(const CalcDate& a, const CalcDate& b) {
    return a.month == b.month && a.day == b.day && a.year == b.year;
}

}  // namespace orla::testing
