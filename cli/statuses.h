// The filing-status codes of each jurisdiction (StateRecord.stateFilingStatus), for --list-statuses and
// for the notes that explain a pay.
#pragma once

#include <string>
#include <string_view>

namespace orla_cli {

// Whether the jurisdiction reads a filing status and lists `code` among its own codes. True as well
// for a jurisdiction that reads no filing status, or has no entry yet: nothing can be said against the code.
bool isStateFilingStatus(int stateCode, int code);

// The listing of one jurisdiction ("GA", "13"), or of all of them for "all". False with a message for
// an unknown jurisdiction.
bool listStateStatuses(std::string_view which, std::string& text);

}  // namespace orla_cli
