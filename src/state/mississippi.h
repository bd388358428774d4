// Mississippi income tax withholding: annual amounts less the exemption claimed and a standard deduction.
#pragma once

#include "frame/common.h"

namespace orla {

struct MississippiRow {
    CalcDate from;
    CalcDate to;
    int status;
    int periods;  // always 1, not consulted
    double standardDeduction;
    double reserved;  // not consulted
    double low;       // exclusive
    double high;      // inclusive; 0 for the open top bracket
    double base;
    double rate;
};

std::span<const MississippiRow> mississippiTable();

}  // namespace orla
