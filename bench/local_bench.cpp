// Speed of the local exports: ORLA_Calc_Local over varied pays of every state with local taxes (each
// pay's locality taken from the state's list), ORLA_Calc_County, and the local gross-up searches.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <utility>
#include <string>
#include <vector>

#include <orla/orla.h>

namespace {

struct LocalCase {
    PayRecord pay;
    StateRecord state;
    LocalRecord local;
};

std::vector<LocalCase> makeLocalCases(int stateCode) {
    constexpr std::array periods{52, 26, 24, 12};
    constexpr std::array years{2024, 2025, 2026};
    PromptRecord prompt{};
    prompt.recordSize = sizeof prompt;
    prompt.stateCode = stateCode;
    prompt.listSelector = 1;
    char name[64];
    ORLA_Get_Prompt(&prompt, name);
    const int localities = prompt.count > 0 ? prompt.count : 1;
    std::vector<LocalCase> cases;
    for (int i = 0; i < 256; ++i) {
        LocalCase c;
        std::memset(&c, 0, sizeof c);
        PayRecord& p = c.pay;
        p.recordSize = sizeof(PayRecord);
        p.payDate = CalcDate{1 + i % 12, 1 + i % 28, years[static_cast<size_t>(i) % years.size()]};
        p.payPeriods = periods[static_cast<size_t>(i / 3) % periods.size()];
        p.fedFilingStatus = i % 2;
        p.fedWages = 400.0 + 137.31 * (i % 61);
        p.ficaWages = p.fedWages;
        p.w4Form2020 = 1;
        p.suppWages = i % 9 == 0 ? 1500.0 : 0.0;
        StateRecord& s = c.state;
        s.recordSize = sizeof(StateRecord);
        s.stateCode = stateCode;
        s.statePayPeriods = p.payPeriods;
        s.stateWages = p.fedWages;
        s.stateFilingStatus = i % 2;
        s.stateSuppWages = p.suppWages;
        LocalRecord& l = c.local;
        l.recordSize = sizeof(LocalRecord);
        prompt.index = 1 + i % (localities > 1 ? localities - 1 : 1);
        ORLA_Get_Prompt(&prompt, name);
        l.localityCode = prompt.calcCode;
        l.localTaxType = 1;
        l.localPayPeriods = p.payPeriods;
        l.localWages = p.fedWages;
        l.localResident = i % 2;
        l.localExemptions = i % 3;
        l.localSuppWages = p.suppWages;
        l.localSuppAggregate = i % 2;
        l.workLocalityCode = i % 5;
        cases.push_back(c);
    }
    return cases;
}

void runLocal(benchmark::State& st, int mode, int stateCode, bool county) {
    const std::vector<LocalCase> cases = makeLocalCases(stateCode);
    LocalCase work;
    size_t i = 0;
    for (auto _ : st) {
        work = cases[i++ & 255];
        benchmark::DoNotOptimize(county ? ORLA_Calc_County(mode, &work.pay, &work.state, &work.local)
                                        : ORLA_Calc_Local(mode, &work.pay, &work.state, &work.local));
        benchmark::DoNotOptimize(work);
    }
}

// Registered before main runs.
const bool kRegistered = [] {
    constexpr std::pair<int, const char*> states[] = {{ORLA_AL, "AL"}, {ORLA_CO, "CO"}, {ORLA_DE, "DE"},
                                                      {ORLA_IN, "IN"}, {ORLA_KY, "KY"}, {ORLA_MD, "MD"},
                                                      {ORLA_MI, "MI"}, {ORLA_MO, "MO"}, {ORLA_NY, "NY"},
                                                      {ORLA_OH, "OH"}, {ORLA_PA, "PA"}};
    for (const auto& [code, postal] : states)
        benchmark::RegisterBenchmark((std::string("Local/") + postal).c_str(), runLocal, ORLA_MODE_FULL, code, false);
    benchmark::RegisterBenchmark("County/MD", runLocal, ORLA_MODE_FULL, ORLA_MD, true);
    benchmark::RegisterBenchmark("LocalGrossUpWages/NY", runLocal, ORLA_MODE_GROSS_UP_WAGES, ORLA_NY, false);
    benchmark::RegisterBenchmark("LocalGrossUpBonus/NY", runLocal, ORLA_MODE_GROSS_UP_BONUS, ORLA_NY, false);
    benchmark::RegisterBenchmark("CalcCity", [](benchmark::State& st) {
        for (auto _ : st) benchmark::DoNotOptimize(ORLA_Calc_City());
    });
    return true;
}();

}  // namespace
