// Speed of every export: ORLA_Calc over realistic varied pays, and the other exports. Figures are ns
// per call.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <string>
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
        s.stateWithholdingCode = 'A' + i % 3;  // Connecticut certificate letters A to C
        s.statePercent = 2.5;                  // Arizona's elected percentage
        s.stateRateTable = 'A' + i % 6;        // New Jersey rate tables A to E, or the filing status
        s.stateExemptions[1] = i % 3;          // Puerto Rico: dependents
        s.stateSuppWages = p.suppWages;
        s.stateSuppAggregate = i % 2;
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

constexpr const char* kPostal[60] = {
    "",   "AL", "AK", "AS", "AZ", "AR", "CA", "CO", "CT", "DE", "DC", "FM", "FL", "GA", "GU", "HI", "ID", "IL", "IN", "IA",
    "KS", "KY", "LA", "ME", "MH", "MD", "MA", "MI", "MN", "MS", "MO", "MT", "NE", "NV", "NH", "NJ", "NM", "NY", "NC", "ND",
    "MP", "OH", "OK", "OR", "PW", "PA", "PR", "RI", "SC", "SD", "TN", "TX", "UT", "VT", "VI", "VA", "WA", "WV", "WI", "WY"};

// A jurisdiction is benchmarked when the library computes it (it is not answered as unsupported).
bool supported(int code) {
    Case c = makeCases(code)[1];
    ORLA_Calc(ORLA_MODE_FULL, &c.pay, &c.state);
    return c.state.status != ORLA_STATE_UNSUPPORTED;
}

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
