// Speed of the levy exports: each over a spread of pays (years, jurisdictions, wages below, across and
// above the wage bases). Registered statically; calc_bench.cpp's main runs them with the others.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include <orla/orla.h>

namespace {

constexpr std::size_t kPays = 64;

// A pay of the spread: every fourth year out of the tables, year-to-date wages from 0 to 200,000.
template <class Record>
std::array<Record, kPays> spread(const std::array<int, 8>& codes) {
    std::array<Record, kPays> records{};
    for (std::size_t i = 0; i < kPays; ++i) {
        Record& r = records[i];
        r.recordSize = sizeof r;
        r.payDate = CalcDate{1 + static_cast<int>(i % 12), 15, 2023 + static_cast<int>(i % 4)};
        r.wages = 500.0 + 97.3 * static_cast<double>(i);
        if constexpr (requires { r.stateCode; }) r.stateCode = codes[i % codes.size()];
        if constexpr (requires { r.ytdWages; }) r.ytdWages = 3200.0 * static_cast<double>(i);
    }
    return records;
}

template <class Record, int (*Calc)(Record*)>
void runLevy(benchmark::State& st, const std::array<Record, kPays>& records) {
    Record work;
    std::size_t i = 0;
    for (auto _ : st) {
        work = records[i++ % kPays];
        benchmark::DoNotOptimize(Calc(&work));
        benchmark::DoNotOptimize(work);
    }
}

constexpr std::array<int, 8> kSuiCodes{ORLA_CA, ORLA_AK, ORLA_NJ, ORLA_RI, ORLA_WY, ORLA_IL, ORLA_AS, ORLA_VI};
constexpr std::array<int, 8> kSdiCodes{ORLA_CA, ORLA_HI, ORLA_NJ, ORLA_NY, ORLA_PR, ORLA_RI, ORLA_TX, ORLA_CA};
constexpr std::array<int, 8> kLeaveCodes{ORLA_OR, ORLA_CO, ORLA_CT, ORLA_NJ, ORLA_NY, ORLA_WA, ORLA_MA, ORLA_DC};
constexpr std::array<int, 8> kOtherCodes{ORLA_OR, ORLA_WA, ORLA_CA, ORLA_OR, ORLA_WA, ORLA_TX, ORLA_OR, ORLA_WA};

void BM_Futa(benchmark::State& st) {
    auto records = spread<FutaRecord>(kOtherCodes);
    for (FutaRecord& r : records) r.rate = 0.006;
    runLevy<FutaRecord, FUTA_Calc>(st, records);
}
void BM_Sui(benchmark::State& st) {
    auto records = spread<SuiRecord>(kSuiCodes);
    for (SuiRecord& r : records) r.rate = 0.034;
    runLevy<SuiRecord, SUI_Calc>(st, records);
}
void BM_Ett(benchmark::State& st) { runLevy<EttRecord, ETT_Calc>(st, spread<EttRecord>(kOtherCodes)); }
void BM_Sdi(benchmark::State& st) {
    auto records = spread<SdiRecord>(kSdiCodes);
    for (SdiRecord& r : records) r.employerRate = 0.005, r.payPeriods = 26;
    runLevy<SdiRecord, SDI_Calc>(st, records);
}
void BM_FamilyLeave(benchmark::State& st) {
    auto records = spread<FamilyLeaveRecord>(kLeaveCodes);
    for (FamilyLeaveRecord& r : records) r.shareInput = 0.5, r.employerAmount = 30, r.extraInput = 0.6;
    runLevy<FamilyLeaveRecord, FAMLEAVE_Calc>(st, records);
}
void BM_Transit(benchmark::State& st) {
    auto records = spread<TransitRecord>(kOtherCodes);
    for (TransitRecord& r : records) r.rate = 0.0077;
    runLevy<TransitRecord, TT_Calc>(st, records);
}
void BM_WorkComp(benchmark::State& st) {
    std::array<WorkCompRecord, kPays> records{};
    for (std::size_t i = 0; i < kPays; ++i) {
        WorkCompRecord& r = records[i];
        r.recordSize = sizeof r;
        r.payDate = CalcDate{6, 15, 2023 + static_cast<int>(i % 4)};
        r.stateCode = kOtherCodes[i % kOtherCodes.size()];
        r.perHour = static_cast<int>(i % 2);
        r.hours = 40.0 + static_cast<double>(i);
        r.employeeRate = 0.01;
        r.employerRate = 0.02;
    }
    runLevy<WorkCompRecord, WORKCOMP_Calc>(st, records);
}
void BM_StateOther(benchmark::State& st) {
    auto records = spread<StateOtherRecord>(kOtherCodes);
    for (StateOtherRecord& r : records) r.levyKind = ORLA_LEVY_LONG_TERM_CARE, r.payPeriods = 26;
    runLevy<StateOtherRecord, StateOther_Calc>(st, records);
}

BENCHMARK(BM_Futa)->Name("Levy/FUTA");
BENCHMARK(BM_Sui)->Name("Levy/SUI");
BENCHMARK(BM_Ett)->Name("Levy/ETT");
BENCHMARK(BM_Sdi)->Name("Levy/SDI");
BENCHMARK(BM_FamilyLeave)->Name("Levy/FAMLEAVE");
BENCHMARK(BM_Transit)->Name("Levy/TT");
BENCHMARK(BM_WorkComp)->Name("Levy/WORKCOMP");
BENCHMARK(BM_StateOther)->Name("Levy/StateOther");

}  // namespace
