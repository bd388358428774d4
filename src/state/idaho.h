// Idaho income tax withholding: a flat rate above a per-period threshold after allowances.
#pragma once

#include "frame/common.h"

namespace orla {

struct IdahoSupplementalRow {
    CalcDate from;
    CalcDate to;
    double rate;
};

// Common bracket rows: per date range, status and periods, a zero-rate bracket up to the threshold
// and the flat rate above it; the allowance column is the amount per allowance.
std::span<const BracketRow> idahoRateTable();
std::span<const IdahoSupplementalRow> idahoSupplementalTable();

}  // namespace orla
