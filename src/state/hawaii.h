// Hawaii income tax withholding: graduated rates on annual wages less allowances and a deduction.
#pragma once

#include "frame/common.h"

namespace orla {

// One bracket of the annual table. The allowance (per allowance) and the deduction are annual amounts.
// A bracket holds w when (w > low, or low is 0) and (w <= high, or high is 0).
struct HawaiiRow {
    CalcDate from;
    CalcDate to;
    int status;
    int periods;  // 1 in every row
    double allowance;
    double deduction;
    double low;
    double high;
    double base;
    double rate;
};

std::span<const HawaiiRow> hawaiiTable();

}  // namespace orla
