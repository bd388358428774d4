// Records for the state calculator tests: a zeroed pay and state record of full size.
#pragma once

#include <cstring>

#include <orla/orla.h>

#include "frame/common.h"

namespace orla::testing {

struct Records {
    PayRecord pay;
    StateRecord state;
};

inline Records makeRecords(int stateCode, CalcDate payDate, int periods, double wages) {
    Records r;
    std::memset(&r, 0, sizeof r);
    r.pay.recordSize = sizeof(PayRecord);
    r.pay.payDate = payDate;
    r.pay.payPeriods = periods;
    r.pay.fedWages = wages;
    r.pay.ficaWages = wages;
    r.state.recordSize = sizeof(StateRecord);
    r.state.stateCode = stateCode;
    r.state.statePayPeriods = periods;
    r.state.stateWages = wages;
    return r;
}

// One full calculation through the driver.
inline unsigned calcFull(Records& r) { return ORLA_Calc(ORLA_MODE_FULL, &r.pay, &r.state); }

inline bool sameDate(const CalcDate& a, const CalcDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

// A value that no calculation produces, to see whether an output field was written.
inline constexpr double kUntouched = -777.25;

}  // namespace orla::testing
