// Every levy export on one pay, for the sweeps that want each export called on realistic input (the
// allocation check). Returns a checksum of the results so that nothing is optimised away.
#pragma once

#include <orla/orla.h>

inline unsigned callEveryLevy(const CalcDate& payDate, int stateCode, int payPeriods, double wages, double ytd) {
    unsigned sink = 0;
    FutaRecord futa{};
    futa.recordSize = sizeof futa;
    futa.payDate = payDate;
    futa.wages = wages;
    futa.ytdWages = ytd;
    futa.rate = 0.006;
    sink += static_cast<unsigned>(FUTA_Calc(&futa) + futa.status);
    SuiRecord sui{};
    sui.recordSize = sizeof sui;
    sui.payDate = payDate;
    sui.stateCode = stateCode;
    sui.wages = wages;
    sui.ytdWages = ytd;
    sui.rate = 0.027;
    sink += static_cast<unsigned>(SUI_Calc(&sui) + sui.status);
    EttRecord ett{};
    ett.recordSize = sizeof ett;
    ett.payDate = payDate;
    ett.wages = wages;
    ett.ytdWages = ytd;
    sink += static_cast<unsigned>(ETT_Calc(&ett) + ett.status);
    SdiRecord sdi{};
    sdi.recordSize = sizeof sdi;
    sdi.payDate = payDate;
    sdi.stateCode = stateCode;
    sdi.wages = wages;
    sdi.ytdWages = ytd;
    sdi.employerRate = 0.005;
    sdi.payPeriods = payPeriods;
    sink += static_cast<unsigned>(SDI_Calc(&sdi) + sdi.status);
    FamilyLeaveRecord leave{};
    leave.recordSize = sizeof leave;
    leave.payDate = payDate;
    leave.stateCode = stateCode;
    leave.wages = wages;
    leave.ytdWages = ytd;
    leave.shareInput = 0.5;
    leave.employerAmount = 30;
    leave.extraInput = 0.6;
    sink += static_cast<unsigned>(FAMLEAVE_Calc(&leave));
    TransitRecord transit{};
    transit.recordSize = sizeof transit;
    transit.payDate = payDate;
    transit.wages = wages;
    transit.rate = 0.0077;
    sink += static_cast<unsigned>(TT_Calc(&transit) + transit.status);
    WorkCompRecord comp{};
    comp.recordSize = sizeof comp;
    comp.payDate = payDate;
    comp.stateCode = stateCode;
    comp.hours = 80;
    comp.employeeRate = 0.01;
    comp.employerRate = 0.02;
    sink += static_cast<unsigned>(WORKCOMP_Calc(&comp) + comp.status);
    StateOtherRecord other{};
    other.recordSize = sizeof other;
    other.levyKind = ORLA_LEVY_LONG_TERM_CARE;
    other.payDate = payDate;
    other.stateCode = stateCode;
    other.payPeriods = payPeriods;
    other.wages = wages;
    sink += static_cast<unsigned>(StateOther_Calc(&other) + other.status);
    return sink;
}
