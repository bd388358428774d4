// New Mexico income tax withholding: the standard steps over per-period and annual brackets.
#pragma once

#include "state/state_tables.h"

namespace orla {

// Common bracket rows, newest year first.
std::span<const BracketRow> newMexicoBracketTable();
// The flat supplemental rates.
std::span<const FlatRateRow> newMexicoSupplementalTable();

}  // namespace orla
