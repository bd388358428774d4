// Speed of the Canadian exports over a spread of pays: every province and territory, the pay
// frequencies, wages across the brackets, contributions to date near the maximums, some bonuses.
// The pension contribution is accumulated cent by cent of earnings, so a call costs in proportion to
// the pay until the year's maximum is reached. Figures are ns per call.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <vector>

#include <orla/orla.h>

namespace {

struct CanadaCase {
    CanadaRecord pay;
    ProvinceRecord prov;
};

std::vector<CanadaCase> canadaCases() {
    constexpr std::array periods{52, 26, 24, 12};
    constexpr std::array years{2024, 2025, 2026};
    std::vector<CanadaCase> cases;
    for (int i = 0; i < 64; ++i) {
        CanadaCase c;
        std::memset(&c, 0, sizeof c);
        CanadaRecord& p = c.pay;
        p.recordSize = sizeof p;
        p.payDate = CalcDate{1 + i % 12, 1 + i % 28, years[static_cast<std::size_t>(i) % years.size()]};
        p.payPeriods = periods[static_cast<std::size_t>(i / 3) % periods.size()];
        p.taxableIncome = p.cppEarnings = p.eiEarnings = 300.0 + 97.31 * (i % 41);
        p.fedClaimAmount = 16129;
        p.cppYtd = 70.0 * (i % 60);
        p.eiYtd = 18.0 * (i % 60);
        p.bonus = i % 5 == 0 ? 1000 : 0;
        ProvinceRecord& v = c.prov;
        v.recordSize = sizeof v;
        v.payDate = p.payDate;
        v.provinceCode = 1 + i % 14;
        v.payPeriods = p.payPeriods;
        v.provTaxableIncome = p.taxableIncome;
        v.provClaimAmount = 12000;
        v.provBonus = p.bonus;
        cases.push_back(c);
    }
    return cases;
}

void BM_CanadaCalc(benchmark::State& state) {
    const std::vector<CanadaCase> cases = canadaCases();
    std::size_t i = 0;
    for (auto _ : state) {
        CanadaCase c = cases[i++ % cases.size()];
        benchmark::DoNotOptimize(ORLA_Canada_Calc(0, &c.pay, &c.prov));
    }
}
BENCHMARK(BM_CanadaCalc);

void BM_CanadaProvincial(benchmark::State& state) {
    const std::vector<CanadaCase> cases = canadaCases();
    const double block[3] = {0, 110.99, 32.80};
    std::size_t i = 0;
    for (auto _ : state) {
        ProvinceRecord prov = cases[i++ % cases.size()].prov;
        benchmark::DoNotOptimize(ORLA_Canada_Provincial_Calc(0, &prov, block));
    }
}
BENCHMARK(BM_CanadaProvincial);

void BM_CanadaClaimCode(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        ClaimCodeRecord cc;
        std::memset(&cc, 0, sizeof cc);
        cc.recordSize = sizeof cc;
        cc.infoDate = CalcDate{6, 1, 2026};
        cc.provinceCode = i % 15;
        cc.claimCode = i % 11;
        cc.netIncome = 1000.0 * (i % 300);
        ++i;
        benchmark::DoNotOptimize(ORLA_Canada_Get_CC(0, &cc));
    }
}
BENCHMARK(BM_CanadaClaimCode);

void BM_CanadaQuebec(benchmark::State& state) {
    for (auto _ : state) {
        QuebecRecord qc;
        std::memset(&qc, 0, sizeof qc);
        qc.recordSize = sizeof qc;
        qc.payDate = CalcDate{6, 1, 2026};
        qc.qcExtraPerPay = 10;
        benchmark::DoNotOptimize(ORLA_Canada_Quebec_Calc(0, &qc));
    }
}
BENCHMARK(BM_CanadaQuebec);

}  // namespace
