// Speed of every export: ORLA_Calc over realistic varied pays, and the other exports. Figures are ns
// per call.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include <orla/orla.h>

#include "sample_cases.h"

namespace {

using namespace orla_sample;

void runCalc(benchmark::State& st, int mode, int stateCode) {
    const std::vector<Case> cases = makeCases(stateCode);
    Case work;
    size_t i = 0;
    for (auto _ : st) {
        work = cases[i++ & 255];
        benchmark::DoNotOptimize(ORLA_Calc(mode, &work.pay, &work.state));
        benchmark::DoNotOptimize(work);
    }
}

// The advance earned income credit over the table years and the years around them.
void BM_Aeic(benchmark::State& st) {
    const std::vector<AeicRecord> records = aeicRecords();
    AeicRecord work;
    size_t i = 0;
    for (auto _ : st) {
        work = records[i++ & 7];
        benchmark::DoNotOptimize(ORLA_AEIC_Calc(&work));
        benchmark::DoNotOptimize(work);
    }
}

// The social security wage base for dates in and out of the tables.
void BM_TableInfo(benchmark::State& st) {
    const std::vector<TableInfoRecord> records = tableInfoRecords();
    TableInfoRecord work;
    size_t i = 0;
    for (auto _ : st) {
        work = records[i++ & 7];
        benchmark::DoNotOptimize(ORLA_Get_Table_Info(&work));
        benchmark::DoNotOptimize(work);
    }
}

// The locality lists of the states that have them, and of states that have none.
void BM_Prompt(benchmark::State& st) {
    const std::vector<PromptRecord> records = promptRecords();
    PromptRecord work;
    char name[64];
    size_t i = 0;
    for (auto _ : st) {
        work = records[i++ & 7];
        benchmark::DoNotOptimize(ORLA_Get_Prompt(&work, name));
        benchmark::DoNotOptimize(work);
        benchmark::DoNotOptimize(name);
    }
}

void BM_BuildInfo(benchmark::State& st) {
    char text[32];
    for (auto _ : st) {
        benchmark::DoNotOptimize(ORLA_Get_Build_Info(text));
        benchmark::DoNotOptimize(text);
    }
}

void BM_Versions(benchmark::State& st) {
    for (auto _ : st) {
        benchmark::DoNotOptimize(ORLA_Version());
        benchmark::DoNotOptimize(ORLA_Table_Version());
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("FederalOnly", runCalc, ORLA_MODE_FEDERAL, ORLA_TX);
    benchmark::RegisterBenchmark("FederalEmployer", runCalc, ORLA_MODE_FEDERAL_EMPLOYER, ORLA_TX);
    benchmark::RegisterBenchmark("GrossUpWages", runCalc, ORLA_MODE_GROSS_UP_WAGES, ORLA_TX);
    benchmark::RegisterBenchmark("GrossUpBonus", runCalc, ORLA_MODE_GROSS_UP_BONUS, ORLA_TX);
    // One full-mode case per jurisdiction: a no-tax state (TX) shows the federal part alone.
    for (int code = 1; code <= 59; ++code)
        if (supported(code))
            benchmark::RegisterBenchmark((std::string("Full/") + kPostal[code]).c_str(), runCalc, ORLA_MODE_FULL, code);
    // The other exports.
    benchmark::RegisterBenchmark("AEIC", BM_Aeic);
    benchmark::RegisterBenchmark("TableInfo", BM_TableInfo);
    benchmark::RegisterBenchmark("Prompt", BM_Prompt);
    benchmark::RegisterBenchmark("BuildInfo", BM_BuildInfo);
    benchmark::RegisterBenchmark("Versions", BM_Versions);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
