// The local-tax dispatch: which local calculator and which locality lists each state has, the local
// calculator contract, the locality list query and the field-presence tests of the LocalRecord.
//
// Local calculator contract
// -------------------------
//   int calc(PayRecord* pay, StateRecord* state, LocalRecord* local)
//
// ORLA_Calc_Local and ORLA_Calc_County call a state's local calculator after ORLA_Calc (mode 1) has
// succeeded for the pay, so the federal and state results of the same pay are in pay and state
// (stateTax includes stateExtraWithholding and is rounded to cents). When the calculator runs:
//   - localTax and workLocalityTax are 0, and so are localSuppTax and workLocalitySuppTax where the
//     record holds them; localStatus is 0;
//   - the local driver runs the caller-rate override afterwards and then rounds localTax to cents, so
//     a calculator leaves localTax unrounded unless its own rule rounds it.
// A calculator writes localTax, may write localSuppTax, workLocalityTax, workLocalitySuppTax (only where
// the record holds them: use the has/read helpers below), localStatus and, where its rule says so,
// PayRecord.stateTaxableIncome or StateRecord.status; it reads only fields the records hold (a field the
// record does not hold counts as 0, or as the default its rule gives), never divides by a pay-period
// count below 1, allocates nothing and keeps no state. It returns 0 when it computed the tax and non-zero
// when no table row matched (or the pay cannot be computed); the driver then reports status 16.
//
// Registering a calculator: declare it in local/local_calculators.h and put its name in the state's
// entry of the dispatch table in local/local_registry.cpp (the `calc` member). The entry's `county`
// member says whether ORLA_Calc_County runs it too (every state but Delaware and Pennsylvania).
//
// Locality lists
// --------------
// A list is a table of LocalityEntry {listCode, calcCode, name, detail} in the order shown to the user.
// A state's list function takes the PromptRecord's listSelector and returns the list it selects (an
// empty span for a selector the state does not know: count 0, no entry). localityListQuery does the
// rest of ORLA_Get_Prompt: it writes count, checks the index and writes the entry's codes and name.
//
// Registering a list: write `std::span<const LocalityEntry> xxxLocalityLists(int listSelector)`, declare
// it in local/local_calculators.h and put it in the state's entry (`lists` member) of the dispatch
// table. Keep the entries constexpr arrays (generated from the rate tables where the list is their name
// column) and check at compile time that every name fits: static_assert(namesFit(list)).
#pragma once

#include <cstddef>
#include <span>

#include "frame/common.h"
#include "frame/records.h"

namespace orla {

using LocalCalculator = int (*)(PayRecord* pay, StateRecord* state, LocalRecord* local);

// One entry of a locality list. The name written is `name`, or, when detail is not null,
// `name (detail)` (the Pennsylvania lists).
struct LocalityEntry {
    int listCode;        // the published code of the entry
    int calcCode;        // the value the host puts into LocalRecord.localityCode
    const char* name;
    const char* detail;  // nullptr, or the second name written in parentheses
};

using LocalityLists = std::span<const LocalityEntry> (*)(int listSelector);

struct LocalJurisdiction {
    LocalCalculator calc;  // nullptr: the override alone runs
    bool county;           // ORLA_Calc_County runs calc as well (ORLA_Calc_Local always does)
    LocalityLists lists;   // nullptr: the state has no list
};

// The local entry of a jurisdiction code; nullptr for a state without local taxes (or any other code).
const LocalJurisdiction* localJurisdiction(int stateCode);

// The longest name a list may write, without its NUL: hosts supply 51 bytes.
inline constexpr std::size_t kMaxLocalityName = 50;

constexpr std::size_t textLength(const char* s) {
    std::size_t n = 0;
    while (s[n] != '\0') ++n;
    return n;
}

// The length of the name an entry writes.
constexpr std::size_t entryNameLength(const LocalityEntry& e) {
    return textLength(e.name) + (e.detail != nullptr ? textLength(e.detail) + 3 : 0);
}

// True when every name of the list fits the host's buffer.
constexpr bool namesFit(std::span<const LocalityEntry> list) {
    for (const LocalityEntry& e : list)
        if (e.name == nullptr || entryNameLength(e) > kMaxLocalityName) return false;
    return true;
}

// The list query: writes count; for an index inside the list writes listCode, calcCode and the name
// with its NUL, and returns the name's length; otherwise returns 0 and writes nothing else.
int localityListQuery(PromptRecord* prompt, char* name, std::span<const LocalityEntry> list);

// ORLA_Get_Prompt: the list query over the list the state and selector choose; 0 for a state without
// lists.
int localityPrompt(PromptRecord* prompt, char* name);

// ---- LocalRecord fields near the end of the record ------------------------------------------------
// A field is read or written only when the declared size holds the whole of it; a field that is not
// held counts as 0.
constexpr bool hasLocalResident(const LocalRecord* r) { return holdsField(r, offsetof(LocalRecord, localResident), 4); }
constexpr bool hasLocalTaxType(const LocalRecord* r) { return holdsField(r, offsetof(LocalRecord, localTaxType), 4); }
constexpr bool hasLocalSuppTax(const LocalRecord* r) { return holdsField(r, offsetof(LocalRecord, localSuppTax), 8); }
constexpr bool hasWorkLocalitySuppTax(const LocalRecord* r) {
    return holdsField(r, offsetof(LocalRecord, workLocalitySuppTax), 8);
}
// localResident, 0 when the record does not hold it.
constexpr int localResident(const LocalRecord* r) { return hasLocalResident(r) ? r->localResident : 0; }
// localTaxType, or `absent` when the record does not hold it.
constexpr int localTaxType(const LocalRecord* r, int absent) { return hasLocalTaxType(r) ? r->localTaxType : absent; }

// The StateRecord's stateSuppTax, 0 when the record does not hold it (its gate, 144, is short of its end).
inline double stateSuppTaxHeld(const StateRecord* s) {
    return holdsField(s, offsetof(StateRecord, stateSuppTax), 8) ? s->stateSuppTax : 0.0;
}

}  // namespace orla
