// One pay through the library's public interface, and the results explained in words.
#pragma once

#include <string>
#include <vector>

#include "fields.h"

namespace orla_cli {

struct PayResult {
    PayRecord pay{};
    StateRecord state{};
    LocalRecord local{};
    bool withLocal = false;      // computed through ORLA_Calc_Local (flags then hold its status)
    unsigned flags = 0;
    int mode = ORLA_MODE_FULL;
    bool grossUpMissed = false;  // the search ended away from the desired net
    double wantedNet = 0;        // mode 11: the net pay, mode 12: the net bonus asked for
    double reachedNet = 0;       // what the search reached
};

bool federalOnly(int mode);

PayResult calculate(const PayInput& input, int mode);

// Net pay: wages and bonus less every tax withheld, over the fields the declared sizes include.
double netPay(const PayRecord& pay, const StateRecord& state);

// Whether anything about the result deserves a word (a flag, a status, a fallback, a missed search).
bool hasNotes(const PayResult& result);

// Sentences such as "no federal table row covers 2028-01-15 nor the year before".
std::vector<std::string> explain(const PayResult& result);

std::string formatDate(const CalcDate& date);

}  // namespace orla_cli
