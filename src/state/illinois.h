// Illinois income tax withholding: a flat rate on wages less two kinds of allowances.
#pragma once

#include "frame/common.h"

namespace orla {

// One annual bracket; the allowance amounts are annual, per allowance.
struct IllinoisRow {
    CalcDate from;
    CalcDate to;
    int reserved;  // not consulted
    int periods;   // 1 in every row
    double basicAllowance;
    double additionalAllowance;
    double low;
    double high;
    double base;
    double rate;
};

std::span<const IllinoisRow> illinoisTable();

}  // namespace orla
