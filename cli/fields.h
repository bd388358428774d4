// The input fields of PayRecord and StateRecord as orla-calc names them: one table serves the command-line
// flags and the CSV columns, so a value is parsed and checked the same way wherever it comes from.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include <orla/orla.h>

namespace orla_cli {

enum class Kind {
    Integer,          // a whole number
    Amount,           // dollars
    Date,             // YYYY-MM-DD or M/D/YYYY
    Switch,           // 1/0, yes/no, true/false; a flag without a value means 1
    Jurisdiction,     // postal abbreviation (CA) or code 1-59
    FedFilingStatus,  // single, married, head-of-household, married-single-rate or a code
    PayRecordSize,    // 0 to sizeof(PayRecord)
    StateRecordSize,  // 0 to sizeof(StateRecord)
    LocalRecordSize,  // 0 to sizeof(LocalRecord)
};

enum class Target { Pay, State, Local };

struct Field {
    std::string_view name;        // kebab-case: the long flag and the column name
    std::string_view alias;       // a shorter flag and column name, or empty
    std::string_view recordName;  // the field's name in the record, also accepted as a column name
    Target target;
    std::size_t offset;
    Kind kind;
    std::string_view help;
};

std::span<const Field> fields();

// Finds a field by its name, alias or record name; null when there is none.
const Field* findField(std::string_view name);

// Index of a field in fields() (the local fields, local.h, follow them), for the `given` mask of PayInput.
std::size_t fieldIndex(const Field& field);

// One pay's records as the host fills them, and which fields were given explicitly.
struct PayInput {
    PayRecord pay{};
    StateRecord state{};
    LocalRecord local{};
    std::bitset<128> given;

    PayInput();
    bool has(const Field& field) const;
};

// Parses text as the field's value and stores it. On failure returns false with a message such as
// "'abc' is not an amount".
bool setField(const Field& field, std::string_view text, PayInput& input, std::string& error);

// Parses text as a value of the kind and stores it at `out`, which holds what the kind stores (an int, a
// double or a CalcDate). On failure returns false with a message, as setField.
bool parseValue(Kind kind, std::string_view text, void* out, std::string& error);

// Whether a pay in the mode needs the field given (as a flag, a column or a cell): the pay date, the pay
// periods and the federal wages always, the state unless the mode is federal only, the bonus in the
// gross-up of a bonus.
bool isRequired(const Field& field, int mode);

// Fills what the user left out from the fields it mirrors (FICA and state wages from the federal wages,
// state pay periods from the pay periods, ...), then checks that the pay can be calculated: returns false
// with a message when a required field is missing.
bool completeInput(PayInput& input, int mode, std::string& error);

// The offset of the first byte that is not part of valid UTF-8, or npos.
std::size_t invalidUtf8(std::string_view text);

// Text from the input made safe to echo in a message: control bytes and invalid UTF-8 as \xNN,
// cut after 60 characters with "...".
std::string printable(std::string_view text);

// Names for the output.
std::string_view jurisdictionAbbreviation(int code);  // "CA", or "" outside 1-59
std::string_view jurisdictionName(int code);          // "California", or "" outside 1-59
int jurisdictionCode(std::string_view text);          // from "CA", "ca" or "6"; 0 when unknown
std::string_view fedFilingStatusName(int code);        // "single", ..., or "" for other codes

}  // namespace orla_cli
