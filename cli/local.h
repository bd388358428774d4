// Local taxes in orla-calc: the LocalRecord's fields as flags and CSV columns, the pays computed through
// ORLA_Calc_Local, and the locality lists.
#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calc.h"
#include "fields.h"

namespace orla_cli {

// The LocalRecord's input fields (Target::Local).
std::span<const Field> localFields();
const Field* findLocalField(std::string_view name);

// Whether the pay asks for local taxes: some local field was given.
bool wantsLocal(const PayInput& input);

// The pay through ORLA_Calc_Local; a gross-up is checked against its net with the local taxes.
PayResult calculateLocal(const PayInput& input, int mode);

// The local taxes withheld from the pay (local tax and local supplemental tax; the work locality's tax is
// shown apart).
double localTaxes(const PayResult& result);

// Notes on the local part, appended to the pay's notes.
void explainLocal(const PayResult& result, std::vector<std::string>& notes);

// The local lines of the report of one pay.
std::string describeLocal(const PayResult& result);

// --list STATE [SELECTOR]: prints the state's locality list, one entry a line: the published code, the
// code for --locality, the name. Returns an exit status.
int printLocalityList(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* errors);

}  // namespace orla_cli
