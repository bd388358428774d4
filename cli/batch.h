// A batch of pays from CSV, computed in blocks on several threads and written in input order.
#pragma once

#include <cstdio>
#include <string>

#include "fields.h"
#include "format.h"

namespace orla_cli {

struct BatchSettings {
    int mode = ORLA_MODE_FULL;
    Format format = Format::Table;
    PayInput defaults;         // the values given as flags; a row's cells override them
    std::string sourceName;    // for the messages: the file name, or "<stdin>"
    unsigned threads = 1;
    const LevySettings* levies = nullptr;  // with --levies: the levy columns and their settings
};

// Exit statuses of orla-calc.
constexpr int kExitOk = 0;          // every pay computed
constexpr int kExitIncomplete = 1;  // rows skipped as bad, or pays that failed
constexpr int kExitUsage = 2;       // unusable arguments, header or input, or output that could not be written

// Reads the CSV from `in`, writes the results to `out` and the bad rows and failed pays to `errors`.
// Returns one of the exit statuses above.
int runBatch(std::FILE* in, std::FILE* out, std::FILE* errors, const BatchSettings& settings);

}  // namespace orla_cli
