// Oklahoma income tax withholding: per-period bracket tables for eight pay frequencies.
#pragma once

#include "frame/common.h"

namespace orla {

std::span<const BracketRow> oklahomaTable();

}  // namespace orla
