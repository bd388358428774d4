// Speed of ORLA_Calc over realistic varied pays. Figures are ns per call.
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
        s.stateWithholdingCode = 'A' + i % 3;  // Connecticut certificate letters A to C
        s.statePercent = 2.5;                  // Arizona's elected percentage
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

void BM_FederalOnly(benchmark::State& st) { runCalc(st, ORLA_MODE_FEDERAL, ORLA_TX); }
void BM_FullNoTaxState(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_TX); }
void BM_FullGuam(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_GU); }
void BM_FullCalifornia(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_CA); }
void BM_FullMaine(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_ME); }
void BM_FullMassachusetts(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_MA); }
void BM_FullNewYork(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_NY); }
void BM_FullPennsylvania(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_PA); }
void BM_FullOhio(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_OH); }
void BM_FullIndiana(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_IN); }
void BM_FullMaryland(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_MD); }
void BM_FullMichigan(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_MI); }
void BM_FullKentucky(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_KY); }
void BM_FullMissouri(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_MO); }
void BM_FullHawaii(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_HI); }
void BM_FullIdaho(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_ID); }
void BM_FullIllinois(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_IL); }
void BM_FullIowa(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_IA); }
void BM_FullKansas(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_KS); }
void BM_FullLouisiana(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_LA); }
void BM_FullAlabama(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_AL); }
void BM_FullArizona(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_AZ); }
void BM_FullArkansas(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_AR); }
void BM_FullColorado(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_CO); }
void BM_FullConnecticut(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_CT); }
void BM_FullDelaware(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_DE); }
void BM_FullDistrictOfColumbia(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_DC); }
void BM_FullGeorgia(benchmark::State& st) { runCalc(st, ORLA_MODE_FULL, ORLA_GA); }
void BM_GrossUpWages(benchmark::State& st) { runCalc(st, ORLA_MODE_GROSS_UP_WAGES, ORLA_TX); }
void BM_GrossUpBonus(benchmark::State& st) { runCalc(st, ORLA_MODE_GROSS_UP_BONUS, ORLA_TX); }

}  // namespace

BENCHMARK(BM_FederalOnly);
BENCHMARK(BM_FullNoTaxState);
BENCHMARK(BM_FullGuam);
BENCHMARK(BM_FullCalifornia);
BENCHMARK(BM_FullMaine);
BENCHMARK(BM_FullMassachusetts);
BENCHMARK(BM_FullNewYork);
BENCHMARK(BM_FullPennsylvania);
BENCHMARK(BM_FullOhio);
BENCHMARK(BM_FullIndiana);
BENCHMARK(BM_FullMaryland);
BENCHMARK(BM_FullMichigan);
BENCHMARK(BM_FullKentucky);
BENCHMARK(BM_FullMissouri);
BENCHMARK(BM_FullHawaii);
BENCHMARK(BM_FullIdaho);
BENCHMARK(BM_FullIllinois);
BENCHMARK(BM_FullIowa);
BENCHMARK(BM_FullKansas);
BENCHMARK(BM_FullLouisiana);
BENCHMARK(BM_FullAlabama);
BENCHMARK(BM_FullArizona);
BENCHMARK(BM_FullArkansas);
BENCHMARK(BM_FullColorado);
BENCHMARK(BM_FullConnecticut);
BENCHMARK(BM_FullDelaware);
BENCHMARK(BM_FullDistrictOfColumbia);
BENCHMARK(BM_FullGeorgia);
BENCHMARK(BM_GrossUpWages);
BENCHMARK(BM_GrossUpBonus);

BENCHMARK_MAIN();
