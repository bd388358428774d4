// One pay through the library's public interface, and the results explained in words.
#pragma once

#include <string>
#include <vector>

#include "fields.h"
#include "levies.h"

namespace orla_cli {

// What a result tells beyond its amounts, worked out once per pay from the library's flags and statuses.
enum Finding : unsigned {
    kFederalFailed = 1u << 0,    // flag 1, or a federal status other than 0
    kStateFailed = 1u << 1,      // flag 8, or a state status other than 0 (full modes only)
    kGrossUpMissed = 1u << 2,    // the search ended away from the desired net, which the library does not flag
    kFederalFallback = 1u << 3,  // computed on the federal tables of the year before
    kStateFallback = 1u << 4,    // computed on state tables of an earlier year
    kNegativeWages = 1u << 5,    // a wage amount below zero, computed as given
    kLocalFailed = 1u << 6,      // flag 16, or a local status other than 0 (pays with local taxes)
};
constexpr unsigned kFailures = kFederalFailed | kStateFailed | kGrossUpMissed | kLocalFailed;

struct PayResult {
    PayRecord pay{};
    StateRecord state{};
    LocalRecord local{};
    bool withLocal = false;      // computed through ORLA_Calc_Local (flags then hold its status)
    unsigned flags = 0;
    unsigned findings = 0;       // Finding bits
    int mode = ORLA_MODE_FULL;
    double wantedNet = 0;        // mode 11: the net pay, mode 12: the net bonus asked for
    double reachedNet = 0;       // what the search reached
    LevyResult levies{};         // with --levies

    // A failed pay: some tax could not be computed, so its amounts are not the pay's withholding.
    bool failed() const { return (findings & kFailures) != 0; }
    bool hasNotes() const { return findings != 0; }
};

bool federalOnly(int mode);

PayResult calculate(const PayInput& input, int mode);

// Net pay: wages and bonus less every tax withheld, over the fields the declared sizes include.
double netPay(const PayRecord& pay, const StateRecord& state);

// Sentences such as "no federal table row covers 2028-01-15 nor the year before", failures first.
std::vector<std::string> explain(const PayResult& result);

// The status lines of a pay in words: what the library did for the federal and the state part.
std::string federalStatusWords(const PayResult& result);
std::string stateStatusWords(const PayResult& result);

// Whether the table dates name rows that were applied. A failed part has none, and several state
// calculators stamp the pay's month and day with the year 2017 before any lookup.
bool federalTableDateKnown(const PayResult& result);
bool stateTableDateKnown(const PayResult& result);

std::string formatDate(const CalcDate& date);

}  // namespace orla_cli
