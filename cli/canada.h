// Canadian pays in orla-calc (--country CA): the inputs of CanadaRecord and ProvinceRecord as flags and CSV
// columns, one pay or a batch through ORLA_Canada_Calc, and the claim codes through ORLA_Canada_Get_CC.
#pragma once

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "format.h"

namespace orla_cli {

// The options of the Canadian mode. The flags a Canadian pay shares with a US one (--pay-date, --pay-periods,
// --bonus) are the program's own; the others are added here.
struct CanadaOptions {
    std::string country = "US";
    std::string claimCodes;             // --claim-codes PROVINCE
    std::string netIncome;              // --net-income, for --claim-codes
    std::vector<std::string> values;    // one per Canadian field, for the flags added here
    std::vector<CLI::Option*> options;  // one per Canadian field: the flag added here, or the shared one
};

void addCanadaOptions(CLI::App& app, CanadaOptions& canada);

// After the parse: runs a Canadian pay, batch or claim-code listing when --country CA or --claim-codes asks
// for one, and refuses a Canadian flag without --country CA. Returns false when the run is a US one;
// otherwise sets the exit status.
bool runCanada(CLI::App& app, CanadaOptions& canada, const std::string& file, Format format, int& status);

}  // namespace orla_cli
