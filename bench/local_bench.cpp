// Speed of the local exports: ORLA_Calc_Local over varied pays of every state with local taxes and every
// locality list (each pay's locality taken from the list), ORLA_Calc_County, and the local gross-up
// searches.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include <orla/orla.h>

#include "sample_cases.h"

namespace {

using namespace orla_sample;

void runLocal(benchmark::State& st, int mode, int stateCode, int list, bool county) {
    const std::vector<LocalCase> cases = makeLocalCases(stateCode, list);
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
    for (const LocalKind& k : kLocalKinds)
        benchmark::RegisterBenchmark((std::string("Local/") + k.name).c_str(), runLocal, ORLA_MODE_FULL, k.stateCode,
                                     k.list, false);
    benchmark::RegisterBenchmark("County/MD", runLocal, ORLA_MODE_FULL, ORLA_MD, 1, true);
    benchmark::RegisterBenchmark("LocalGrossUpWages/NY", runLocal, ORLA_MODE_GROSS_UP_WAGES, ORLA_NY, 1, false);
    benchmark::RegisterBenchmark("LocalGrossUpBonus/NY", runLocal, ORLA_MODE_GROSS_UP_BONUS, ORLA_NY, 1, false);
    benchmark::RegisterBenchmark("CalcCity", [](benchmark::State& st) {
        for (auto _ : st) benchmark::DoNotOptimize(ORLA_Calc_City());
    });
    return true;
}();

}  // namespace
