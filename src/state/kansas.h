// Kansas income tax withholding: graduated per-period tables, with allowances until 28 July 2024 and
// a personal exemption with dependent exemptions from 29 July 2024.
#pragma once

#include "frame/common.h"

namespace orla {

struct KansasDependentRow {
    CalcDate from;
    CalcDate to;
    int reserved;  // not consulted
    int periods;
    double amount;  // per dependent
};

struct KansasSupplementalRow {
    CalcDate from;
    CalcDate to;
    double rate;
};

// Common bracket rows; the allowance column holds the personal exemption (new rules) or the amount
// per allowance (old rules).
std::span<const BracketRow> kansasRateTable();
std::span<const KansasDependentRow> kansasDependentTable();
std::span<const KansasSupplementalRow> kansasSupplementalTable();

}  // namespace orla
