// New Jersey income tax withholding: the standard steps over the rate tables A to E.
#pragma once

#include "state/state_tables.h"

namespace orla {

// Common bracket rows, newest year first.
std::span<const BracketRow> newJerseyBracketTable();

}  // namespace orla
