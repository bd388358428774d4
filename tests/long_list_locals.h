// Records and calls for the tests of the Pennsylvania, Ohio, Indiana and Kentucky local calculators.
#pragma once

#include <cstring>
#include <string>

#include "local/long_list_locals.h"
#include "test_records.h"

namespace orla::testing {

inline LocalRecord localRecord(int code, double wages) {
    LocalRecord l;
    std::memset(&l, 0, sizeof l);
    l.recordSize = sizeof l;
    l.localityCode = code;
    l.localWages = wages;
    return l;
}

// One local calculator on a pay of the state with local wages equal to the state's.
struct LocalCall {
    PayRecord pay;
    StateRecord state;
    LocalRecord local;
    LocalCall(int stateCode, CalcDate payDate, int periods, double wages, int code)
        : pay(payRecord(payDate, periods, wages)), state(stateRecord(stateCode, periods, wages)),
          local(localRecord(code, wages)) {
        local.localPayPeriods = periods;
    }
    int run(int (*calc)(PayRecord*, StateRecord*, LocalRecord*)) { return calc(&pay, &state, &local); }
    double tax() const { return roundCents(local.localTax); }
};

struct ListEntry {
    int returned;
    int count;
    int listCode;
    int calcCode;
    std::string name;
};

inline ListEntry listEntry(int (*list)(PromptRecord*, char*), int selector, int index) {
    PromptRecord p;
    std::memset(&p, 0, sizeof p);
    p.listSelector = selector;
    p.index = index;
    p.listCode = p.calcCode = -1;
    char name[51] = "untouched";
    const int n = list(&p, name);
    return ListEntry{n, p.count, p.listCode, p.calcCode, name};
}

}  // namespace orla::testing
