// Arkansas's tax table, shared with the table checks.
#pragma once

#include <span>

#include "frame/common.h"

namespace orla {

struct ArkansasTaxRow {
    CalcDate from;
    CalcDate to;
    int status;   // 0 in every row
    int periods;  // 1 in every row: the table is annual
    double standardDeduction;
    double oldCredit;  // used by rules before 2024 only
    double creditPerExemption;
    double bandLimit;  // annual taxable wages below this are taken to the middle of their $100 band
    double low;
    double high;  // 0 = open
    double subtracted;
    double rate;
};

std::span<const ArkansasTaxRow> arkansasTaxTable();

}  // namespace orla
