// Maine's tables, exposed for the checks of their rows.
#pragma once

#include "frame/common.h"

namespace orla {

struct MaineRateRow {
    CalcDate from;
    CalcDate to;
    int status;
    int periods;  // always 1: the rows are annual and the count is not consulted
    double allowance;
    double standardDeduction;
    double phaseOutStart;
    double phaseOutWidth;
    double standardDeductionCopy;  // kept with the row as published; not read
    double low;
    double high;  // 0: no upper bound
    double base;
    double rate;
};

struct MaineSupplementalRateRow {
    CalcDate from;
    CalcDate to;
    double rate;
};

std::span<const MaineRateRow> maineRateTable();
std::span<const MaineSupplementalRateRow> maineSupplementalRateTable();

}  // namespace orla
