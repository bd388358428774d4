// Calls for the tests of the Pennsylvania, Ohio, Indiana and Kentucky local calculators and lists.
#pragma once

#include <string>

#include "local_records.h"

namespace orla::testing {

// localTax as the local driver leaves it, rounded to cents.
inline double rounded(const LocalCall& c) { return roundCents(c.local.localTax); }

struct ListEntry {
    int returned;
    int count;
    int listCode;
    int calcCode;
    std::string name;
};

// One entry of a state's list through ORLA_Get_Prompt.
inline ListEntry listEntry(int stateCode, int selector, int index) {
    PromptRecord p = prompt(stateCode, index, selector);
    p.listCode = p.calcCode = -1;
    char name[51] = "untouched";
    const int n = ORLA_Get_Prompt(&p, name);
    return ListEntry{n, p.count, p.listCode, p.calcCode, name};
}

}  // namespace orla::testing
