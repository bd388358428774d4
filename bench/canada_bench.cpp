// Speed of the Canadian exports over a spread of pays: each province and territory, the pay frequencies,
// wages across the brackets, contributions to date near the maximums, some bonuses. The pension
// contribution, accumulated cent by cent of earnings, is walked binade by binade, so a call costs about
// the same whatever the pay. Figures are ns per call.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include <orla/orla.h>

#include "sample_cases.h"

namespace {

using namespace orla_sample;

void runCanada(benchmark::State& state, int province) {
    const std::vector<CanadaCase> cases = canadaCases(province);
    std::size_t i = 0;
    for (auto _ : state) {
        CanadaCase c = cases[i++ % cases.size()];
        benchmark::DoNotOptimize(ORLA_Canada_Calc(0, &c.pay, &c.prov));
        benchmark::DoNotOptimize(c);
    }
}

void runProvincial(benchmark::State& state, int province) {
    const std::vector<CanadaCase> cases = canadaCases(province);
    const double block[3] = {0, 110.99, 32.80};
    std::size_t i = 0;
    for (auto _ : state) {
        ProvinceRecord prov = cases[i++ % cases.size()].prov;
        benchmark::DoNotOptimize(ORLA_Canada_Provincial_Calc(0, &prov, block));
        benchmark::DoNotOptimize(prov);
    }
}

template <class Record, int (*Calc)(int, Record*), std::vector<Record> (*Make)()>
void runRecords(benchmark::State& state) {
    const std::vector<Record> records = Make();
    std::size_t i = 0;
    for (auto _ : state) {
        Record r = records[i++ % records.size()];
        benchmark::DoNotOptimize(Calc(0, &r));
        benchmark::DoNotOptimize(r);
    }
}

const bool kRegistered = [] {
    for (int province = 1; province <= 14; ++province) {
        benchmark::RegisterBenchmark((std::string("Canada/") + kProvinces[province]).c_str(), runCanada, province);
        benchmark::RegisterBenchmark((std::string("CanadaProvincial/") + kProvinces[province]).c_str(), runProvincial,
                                     province);
    }
    benchmark::RegisterBenchmark("CanadaClaimCode", runRecords<ClaimCodeRecord, ORLA_Canada_Get_CC, claimCodeRecords>);
    benchmark::RegisterBenchmark("CanadaQuebec", runRecords<QuebecRecord, ORLA_Canada_Quebec_Calc, quebecRecords>);
    return true;
}();

}  // namespace
