// A generated payroll for measuring batches: `orla-calc --generate N` writes N pays as CSV.
#pragma once

#include <cstdio>

namespace orla_cli {

void generatePayroll(long count, std::FILE* out);

}  // namespace orla_cli
