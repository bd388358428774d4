// Missouri's withholding table, shared with the table checks.
#pragma once

#include <span>

#include "frame/common.h"

namespace orla {

struct MissouriRow {
    CalcDate from;
    CalcDate to;
    int status;
    int periods;
    double federalTaxCap;  // cap on the federal tax subtracted
    double deduction;      // annual, by filing status
    double firstAllowance;
    double furtherAllowance;
    double low;
    double high;  // 0: no upper bound
    double base;
    double rate;
};

// Annual rows: per year (newest first) eight brackets for each status in the order 0, 1, 5, 2, 3.
std::span<const MissouriRow> missouriTable();

}  // namespace orla
