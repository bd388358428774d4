#include "state/registry.h"

#include "federal/federal.h"
#include "state/calculators.h"

namespace orla {

namespace {

constexpr Handling kNone = Handling::NoIncomeTax;
constexpr Handling kNotSupported = Handling::NotSupported;
constexpr Handling kCalc = Handling::Calculator;
constexpr Handling kFederalRule = Handling::FederalRule;

// Indexed by jurisdiction code. A calculator entry with no function yet answers as not supported.
constexpr Jurisdiction kJurisdictions[60] = {
    {"", kNotSupported, nullptr},
    {"AL", kCalc, calcAlabama},
    {"AK", kNone, nullptr},
    {"AS", kNotSupported, nullptr},
    {"AZ", kCalc, calcArizona},
    {"AR", kCalc, calcArkansas},
    {"CA", kCalc, calcCalifornia},
    {"CO", kCalc, calcColorado},
    {"CT", kCalc, calcConnecticut},
    {"DE", kCalc, calcDelaware},
    {"DC", kCalc, calcDistrictOfColumbia},
    {"FM", kNotSupported, nullptr},
    {"FL", kNone, nullptr},
    {"GA", kCalc, calcGeorgia},
    {"GU", kFederalRule, calcGuam},
    {"HI", kCalc, calcHawaii},
    {"ID", kCalc, calcIdaho},
    {"IL", kCalc, calcIllinois},
    {"IN", kCalc, calcIndiana},
    {"IA", kCalc, calcIowa},
    {"KS", kCalc, calcKansas},
    {"KY", kCalc, calcKentucky},
    {"LA", kCalc, calcLouisiana},
    {"ME", kCalc, calcMaine},
    {"MH", kNotSupported, nullptr},
    {"MD", kCalc, calcMaryland},
    {"MA", kCalc, calcMassachusetts},
    {"MI", kCalc, calcMichigan},
    {"MN", kCalc, calcMinnesota},
    {"MS", kCalc, calcMississippi},
    {"MO", kCalc, calcMissouri},
    {"MT", kCalc, calcMontana},
    {"NE", kCalc, calcNebraska},
    {"NV", kNone, nullptr},
    {"NH", kNone, nullptr},
    {"NJ", kCalc, calcNewJersey},
    {"NM", kCalc, calcNewMexico},
    {"NY", kCalc, calcNewYork},
    {"NC", kCalc, calcNorthCarolina},
    {"ND", kCalc, calcNorthDakota},
    {"MP", kFederalRule, calcNorthernMarianas},
    {"OH", kCalc, calcOhio},
    {"OK", kCalc, calcOklahoma},
    {"OR", kCalc, calcOregon},
    {"PW", kNotSupported, nullptr},
    {"PA", kCalc, calcPennsylvania},
    {"PR", kCalc, calcPuertoRico},
    {"RI", kCalc, calcRhodeIsland},
    {"SC", kCalc, calcSouthCarolina},
    {"SD", kNone, nullptr},
    {"TN", kNone, nullptr},
    {"TX", kNone, nullptr},
    {"UT", kCalc, calcUtah},
    {"VT", kCalc, calcVermont},
    {"VI", kFederalRule, calcVirginIslands},
    {"VA", kCalc, calcVirginia},
    {"WA", kNone, nullptr},
    {"WV", kCalc, calcWestVirginia},
    {"WI", kCalc, calcWisconsin},
    {"WY", kNone, nullptr},
};

}  // namespace

const Jurisdiction* jurisdiction(int code) {
    if (code < 1 || code > 59) return nullptr;
    return &kJurisdictions[code];
}

}  // namespace orla
