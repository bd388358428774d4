// CSV input of a batch: one pay per line, the columns named like the flags.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fields.h"

namespace orla_cli {

// What each column of a batch holds: a field, or (null) the row's identifier, column "id".
struct CsvLayout {
    std::vector<const Field*> columns;
    int idColumn = -1;
};

// Splits one line (without its line break) at commas. A quoted cell may hold commas and doubled quotes;
// its text goes to `unquoted`, which the cells may point into. Returns 0, or the 1-based column of a
// malformed quote.
int splitCsvLine(std::string_view line, std::vector<std::string_view>& cells, std::string& unquoted);

// Reads the header line. Unknown or repeated column names are an error: a misspelt column would
// otherwise be ignored silently.
bool parseCsvHeader(std::string_view line, CsvLayout& layout, std::string& error);

// Reusable buffers of one parsing thread.
struct CsvScratch {
    std::vector<std::string_view> cells;
    std::string unquoted;
    std::string error;
};

// A field the mode requires that neither a column nor a flag gives, or null.
const Field* missingColumn(const CsvLayout& layout, const PayInput& defaults, int mode);

// Parses one row on top of the defaults (the values given as flags). On failure returns false with
// scratch.error saying which column and why.
bool parseCsvRow(std::string_view line, const CsvLayout& layout, const PayInput& defaults, int mode,
                 PayInput& input, std::string_view& id, CsvScratch& scratch);

}  // namespace orla_cli
