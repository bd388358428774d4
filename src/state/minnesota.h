// Minnesota income tax withholding: the standard state steps on annual rows.
#pragma once

#include "state/state_tables.h"

namespace orla {

std::span<const BracketRow> minnesotaTable();
std::span<const FlatRateRow> minnesotaSupplementalTable();

}  // namespace orla
