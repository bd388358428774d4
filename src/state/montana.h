// Montana income tax withholding: the standard state steps with whole dollars rounded upward.
#pragma once

#include "state/state_tables.h"

namespace orla {

std::span<const BracketRow> montanaTable();
std::span<const FlatRateRow> montanaSupplementalTable();

}  // namespace orla
