// Record builders shared by the tests.
#pragma once

#include <cstring>

#include <orla/orla.h>

namespace orla::test {

// A full-size pay record for a 2020-or-later Form W-4, single, with FICA wages equal to the wages.
inline PayRecord payRecord(int year, int month, int day, int periods, double wages) {
    PayRecord p;
    std::memset(&p, 0, sizeof p);
    p.recordSize = sizeof p;
    p.payDate = CalcDate{month, day, year};
    p.payPeriods = periods;
    p.fedWages = wages;
    p.ficaWages = wages;
    p.w4Form2020 = 1;
    return p;
}

// A full-size state record with the pay's periods and wages.
inline StateRecord stateRecord(int code, int periods, double wages) {
    StateRecord s;
    std::memset(&s, 0, sizeof s);
    s.recordSize = sizeof s;
    s.stateCode = code;
    s.statePayPeriods = periods;
    s.stateWages = wages;
    return s;
}

}  // namespace orla::test
