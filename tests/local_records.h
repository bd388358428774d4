// Records and calls of the local exports shared by the local tests.
#pragma once

#include <cstring>

#include "test_records.h"
#include "local/local_calculators.h"

namespace orla::testing {

// A zeroed local record of full size with the locality, periods and wages.
inline LocalRecord localRecord(int code, int periods, double wages) {
    LocalRecord l;
    std::memset(&l, 0, sizeof l);
    l.recordSize = sizeof l;
    l.localityCode = code;
    l.localPayPeriods = periods;
    l.localWages = wages;
    return l;
}

// The three records of one pay with a local tax: the pay's, the state's and the local wages equal.
struct LocalCall : Records {
    LocalRecord local;
    LocalCall(int stateCode, CalcDate payDate, int periods, double wages, int localityCode)
        : Records(makeRecords(stateCode, payDate, periods, wages)), local(localRecord(localityCode, periods, wages)) {
        pay.w4Form2020 = 1;
    }
    int calcLocal(int mode = ORLA_MODE_FULL) { return ORLA_Calc_Local(mode, &pay, &state, &local); }
    int calcCounty(int mode = ORLA_MODE_FULL) { return ORLA_Calc_County(mode, &pay, &state, &local); }
    // One local calculator alone.
    int run(LocalCalculator calc) { return calc(&pay, &state, &local); }
    // The net pay after every tax of the three records.
    double net() const {
        return pay.suppWages + pay.fedWages - pay.fedTax - pay.fedSuppTax - pay.medicareTax - pay.ssTax -
               state.stateTax - state.stateSuppTax - local.localTax - local.localSuppTax;
    }
};

// A prompt for one entry of a state's list.
inline PromptRecord prompt(int stateCode, int index, int selector = 0) {
    PromptRecord p;
    std::memset(&p, 0, sizeof p);
    p.recordSize = sizeof p;
    p.stateCode = stateCode;
    p.listSelector = selector;
    p.index = index;
    return p;
}

}  // namespace orla::testing
