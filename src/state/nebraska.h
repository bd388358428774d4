// Nebraska income tax withholding: the standard steps over per-period and annual brackets with allowances.
#pragma once

#include "state/state_tables.h"

namespace orla {

// Common bracket rows, newest year first.
std::span<const BracketRow> nebraskaBracketTable();
// The flat supplemental rates.
std::span<const FlatRateRow> nebraskaSupplementalTable();

}  // namespace orla
