// Speed of every export: ORLA_Calc over realistic varied pays, and the other exports. Figures are ns
// per call.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <vector>

#include <orla/orla.h>

namespace {

struct Case {
    PayRecord pay;
    StateRecord state;
};

// A spread of pays: frequencies, filing statuses, Form W-4 vintages, wages across the brackets,
// year-to-date wages near the social security and additional Medicare limits, some bonuses.
std::vector<Case> makeCases(int stateCode) {
    constexpr std::array periods{52, 26, 24, 12};
    constexpr std::array years{2024, 2025, 2026};
    std::vector<Case> cases;
    for (int i = 0; i < 256; ++i) {
        Case c;
        std::memset(&c, 0, sizeof c);
        PayRecord& p = c.pay;
        p.recordSize = sizeof(PayRecord);
        p.payDate = CalcDate{1 + i % 12, 1 + i % 28, years[static_cast<size_t>(i) % years.size()]};
        p.payPeriods = periods[static_cast<size_t>(i / 3) % periods.size()];
        p.fedFilingStatus = i % 4;
        p.fedWages = 400.0 + 137.31 * (i % 61);
        p.ficaWages = p.fedWages;
        p.ssYtdWages = 3000.0 * (i % 70);
        p.medicareYtdWages = p.ssYtdWages;
        p.fedAllowances = i % 3;
        p.w4Form2020 = i % 5 != 0;
        p.w4MultipleJobs = i % 7 == 0;
        p.w4Credits = (i % 4) * 500.0;
        p.suppWages = i % 9 == 0 ? 1500.0 : 0.0;
        p.suppAggregate = i % 18 == 0;
        StateRecord& s = c.state;
        s.recordSize = sizeof(StateRecord);
        s.stateCode = stateCode;
        s.statePayPeriods = p.payPeriods;
        s.stateWages = p.fedWages;
        s.stateFilingStatus = i % 2;
        s.stateAllowances = i % 3;
        cases.push_back(c);
    }
    return cases;
}

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

void BM_FederalOnly(benchmark::State& st) { runCalc(st, ORLA_MODE_FEDERAL, ORLA_TX); }
void BM_FullNoTaxState(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_TX); }
void BM_FullGuam(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_GU); }
void BM_GrossUpWages(benchmark::State& st) { runCalc(st, ORLA_MODE_GROSS_UP_WAGES, ORLA_TX); }
void BM_GrossUpBonus(benchmark::State& st) { runCalc(st, ORLA_MODE_GROSS_UP_BONUS, ORLA_TX); }

// The advance earned income credit over the table years and the years around them.
void BM_Aeic(benchmark::State& st) {
    std::array<AeicRecord, 8> records{};
    for (size_t i = 0; i < records.size(); ++i) {
        AeicRecord& a = records[i];
        a.recordSize = sizeof a;
        a.payDate = CalcDate{1 + static_cast<int>(i), 15, 2023 + static_cast<int>(i % 5)};
        a.payPeriods = 26;
        a.wages = 600.0 + 50.0 * static_cast<double>(i);
    }
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
    std::array<TableInfoRecord, 8> records{};
    for (size_t i = 0; i < records.size(); ++i) {
        TableInfoRecord& t = records[i];
        t.recordSize = sizeof t;
        t.infoDate = CalcDate{1 + static_cast<int>(i), 1, 2023 + static_cast<int>(i % 5)};
        t.infoKind = ORLA_INFO_SS_WAGE_BASE;
    }
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
    constexpr std::array codes{ORLA_KY, ORLA_OH, ORLA_PA, ORLA_MD, ORLA_NY, ORLA_TX, ORLA_IN, ORLA_MI};
    std::array<PromptRecord, 8> records{};
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].recordSize = sizeof(PromptRecord);
        records[i].stateCode = codes[i];
        records[i].index = static_cast<int>(i);
    }
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

BENCHMARK(BM_FederalOnly);
BENCHMARK(BM_FullNoTaxState);
BENCHMARK(BM_FullGuam);
BENCHMARK(BM_GrossUpWages);
BENCHMARK(BM_GrossUpBonus);
BENCHMARK(BM_Aeic);
BENCHMARK(BM_TableInfo);
BENCHMARK(BM_Prompt);
BENCHMARK(BM_BuildInfo);
BENCHMARK(BM_Versions);

BENCHMARK_MAIN();
