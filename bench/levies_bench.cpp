// Speed of the levy exports: each over a spread of pays (years, jurisdictions, wages below, across and
// above the wage bases). Registered statically; calc_bench.cpp's main runs them with the others.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include <orla/orla.h>

#include "sample_cases.h"

namespace {

using namespace orla_sample;

template <class Record, int (*Calc)(Record*), std::vector<Record> (*Make)()>
void runLevy(benchmark::State& st) {
    const std::vector<Record> records = Make();
    Record work;
    std::size_t i = 0;
    for (auto _ : st) {
        work = records[i++ % records.size()];
        benchmark::DoNotOptimize(Calc(&work));
        benchmark::DoNotOptimize(work);
    }
}

BENCHMARK(runLevy<FutaRecord, FUTA_Calc, futaRecords>)->Name("Levy/FUTA");
BENCHMARK(runLevy<SuiRecord, SUI_Calc, suiRecords>)->Name("Levy/SUI");
BENCHMARK(runLevy<EttRecord, ETT_Calc, ettRecords>)->Name("Levy/ETT");
BENCHMARK(runLevy<SdiRecord, SDI_Calc, sdiRecords>)->Name("Levy/SDI");
BENCHMARK(runLevy<FamilyLeaveRecord, FAMLEAVE_Calc, familyLeaveRecords>)->Name("Levy/FAMLEAVE");
BENCHMARK(runLevy<TransitRecord, TT_Calc, transitRecords>)->Name("Levy/TT");
BENCHMARK(runLevy<WorkCompRecord, WORKCOMP_Calc, workCompRecords>)->Name("Levy/WORKCOMP");
BENCHMARK(runLevy<StateOtherRecord, StateOther_Calc, stateOtherRecords>)->Name("Levy/StateOther");

}  // namespace
