// No export allocates: this program replaces the global operator new and delete with counting
// versions and sweeps calls of every export, realistic and bad input alike, requiring that the
// sweep allocates nothing. (A program of its own, since the replacement is global.)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "levy_sweep.h"
#include "varied_cases.h"

namespace {
bool counting = false;
unsigned long allocations = 0;

void* allocate(std::size_t size) {
    if (counting) ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (counting) ++allocations;
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (counting) ++allocations;
    return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

int main() {
    const std::vector<orla_cases::CalcCase> cases = orla_cases::variedCases();
    const double awkward[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                              -0.0, 1e300, 1e-300};
    char text[64];
    unsigned long calls = 0;
    unsigned sink = 0;

    // The counter itself must see an allocation, or the sweep proves nothing.
    counting = true;
    int* volatile probe = new int(1);
    delete probe;
    counting = false;
    if (allocations != 1) {
        std::printf("FAIL: the allocation counter is not active (%lu)\n", allocations);
        return 1;
    }
    allocations = 0;

    counting = true;
    for (const orla_cases::CalcCase& c : cases) {
        for (int mode : {c.mode, 1, 7}) {
            PayRecord pay = c.pay;
            StateRecord state = c.state;
            sink += ORLA_Calc(mode, &pay, &state);
            for (double v : awkward) {
                pay = c.pay;
                state = c.state;
                pay.fedWages = v;
                state.stateWages = v;
                sink += ORLA_Calc(mode, &pay, &state);
                ++calls;
            }
            ++calls;
        }
        AeicRecord a{};
        a.recordSize = sizeof a;
        a.payDate = c.pay.payDate;
        a.wages = c.pay.fedWages;
        sink += static_cast<unsigned>(ORLA_AEIC_Calc(&a));
        TableInfoRecord t{};
        t.recordSize = sizeof t;
        t.infoDate = c.pay.payDate;
        t.infoKind = ORLA_INFO_SS_WAGE_BASE;
        sink += static_cast<unsigned>(ORLA_Get_Table_Info(&t));
        PromptRecord p{};
        p.recordSize = sizeof p;
        p.stateCode = c.state.stateCode;
        sink += static_cast<unsigned>(ORLA_Get_Prompt(&p, text));
        // The local exports, with a locality of the state's list.
        for (int mode : {1, 11, 12}) {
            PayRecord pay = c.pay;
            StateRecord state = c.state;
            LocalRecord local{};
            local.recordSize = sizeof local;
            local.localityCode = 1 + static_cast<int>(calls % 4);
            local.localPayPeriods = c.pay.payPeriods;
            local.localWages = c.pay.fedWages;
            local.localSuppWages = 100;
            local.localSuppAggregate = static_cast<int>(calls % 2);
            sink += static_cast<unsigned>(ORLA_Calc_Local(mode, &pay, &state, &local));
            sink += static_cast<unsigned>(ORLA_Calc_County(mode, &pay, &state, &local));
            calls += 2;
        }
        sink += static_cast<unsigned>(ORLA_Get_Build_Info(text));
        CanadaRecord ca{};
        ca.recordSize = sizeof ca;
        ca.payDate = c.pay.payDate;
        ca.payPeriods = c.pay.payPeriods;
        ca.taxableIncome = ca.cppEarnings = ca.eiEarnings = c.pay.fedWages;
        ca.bonus = 100;
        ProvinceRecord prov{};
        prov.recordSize = sizeof prov;
        prov.payDate = c.pay.payDate;
        prov.provinceCode = 1 + c.state.stateCode % 14;
        prov.payPeriods = c.pay.payPeriods;
        prov.provTaxableIncome = c.pay.fedWages;
        sink += static_cast<unsigned>(ORLA_Canada_Calc(0, &ca, &prov));
        ClaimCodeRecord cc{};
        cc.recordSize = sizeof cc;
        cc.infoDate = c.pay.payDate;
        cc.provinceCode = c.state.stateCode % 15;
        cc.claimCode = c.state.stateCode % 12;
        sink += static_cast<unsigned>(ORLA_Canada_Get_CC(0, &cc));
        QuebecRecord qc{};
        qc.recordSize = sizeof qc;
        sink += static_cast<unsigned>(ORLA_Canada_Quebec_Calc(0, &qc));
        calls += 3;
        sink += static_cast<unsigned>(ORLA_Version() + ORLA_Table_Version());
        calls += 6;
        // The levies on this pay, and on the awkward amounts.
        sink += callEveryLevy(c.pay.payDate, c.state.stateCode, c.pay.payPeriods, c.pay.fedWages, c.pay.ssYtdWages);
        for (double v : awkward) sink += callEveryLevy(c.pay.payDate, c.state.stateCode, c.pay.payPeriods, v, v);
        calls += 8 * (1 + std::size(awkward));
    }
    sink += ORLA_Calc(1, nullptr, nullptr);
    counting = false;

    std::printf("no_alloc: %lu calls of the exports, %lu allocations (checksum %u)\n", calls, allocations, sink);
    if (allocations != 0) {
        std::printf("FAIL: the exports allocated\n");
        return 1;
    }
    return 0;
}
