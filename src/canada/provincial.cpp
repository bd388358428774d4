// The annual provincial or territorial income tax of one pay, for every province and territory but Quebec:
// the bracket tax less the personal, pension and insurance credits, with each province's own additions
// and reductions (Ontario's surtax, tax reduction and health premium, British Columbia's reductions,
// Alberta's supplementary credit, Yukon's employment credit, the labour-sponsored funds credits). Three
// passes: the regular pay, the pay with its bonus, the regular pay with earlier bonuses.
#include <cstddef>
#include <cstdint>
#include <span>

#include "canada/canada.h"
#include "canada/canada_tables.h"

namespace orla::canada {
namespace {

constexpr double minOf(double a, double b) { return a < b ? a : b; }
constexpr double maxOf(double a, double b) { return a > b ? a : b; }

bool onOrAfter(const CalcDate& d, int year, int month, int day) {
    if (d.year != year) return d.year > year;
    if (d.month != month) return d.month > month;
    return d.day >= day;
}

// The tables in runs of rows of one province and dates.
constexpr auto kBracketRuns = provinceRuns(kProvincialBrackets);
constexpr auto kCreditRateRuns = provinceRuns(kProvincialCreditRate);
constexpr auto kLabourFundRuns = provinceRuns(kLabourFund);
static_assert(kBracketRuns.allKeysMapped() && kCreditRateRuns.allKeysMapped() && kLabourFundRuns.allKeysMapped(),
              "a row of an unknown province");

// The surtax rows stand where the labour-fund rows of the same province and dates do: one lookup finds both.
constexpr bool sameProvinces(const auto& a, const auto& b) {
    for (std::size_t i = 0; i < std::size(a); ++i)
        if (a[i].province != b[i].province) return false;
    return true;
}
static_assert(sameDates(kLabourFund, kSurtax) && sameProvinces(kLabourFund, kSurtax),
              "the surtax rows pair with the labour-fund rows");

// The labour-fund rows run calendar years: each province's first row of each year, found by position.
constexpr int kLabourFundYears = 8;
struct RowsByYear {
    int newest;
    std::int16_t first[kLabourFundYears][kProvinceCodes];
};
constexpr RowsByYear labourFundByYear() {
    RowsByYear t{kLabourFund[0].from.year, {}};
    for (const ProvincialRateRow& r : kLabourFund) t.newest = r.from.year > t.newest ? r.from.year : t.newest;
    for (auto& year : t.first)
        for (auto& row : year) row = -1;
    for (std::size_t i = 0; i < kLabourFund.size(); ++i) {
        const ProvincialRateRow& r = kLabourFund[i];
        const int year = t.newest - r.from.year;
        if (!runsCalendarYear(r.from, r.to) || year >= kLabourFundYears || r.province < 0 || r.province >= kProvinceCodes)
            throw "the labour-fund rows must run calendar years of known provinces";
        if (t.first[year][r.province] < 0) t.first[year][r.province] = static_cast<std::int16_t>(i);
    }
    return t;
}
constexpr RowsByYear kLabourFundByYear = labourFundByYear();

const ProvincialBracketRow* provincialBracket(const CalcDate& d, int province, double income) {
    return kBracketRuns.find(d, province, [income](const ProvincialBracketRow& r) {
        return income >= r.low && (income < r.high || r.high == 0);
    });
}

template <class Runs>
const ProvincialRateRow* provincialRate(const Runs& runs, const CalcDate& d, int province) {
    return runs.find(d, province, [](const ProvincialRateRow&) { return true; });
}

// Ontario's surtax on the basic provincial tax.
double ontarioSurtax(double t4, int year) {
    const double first = year <= 2024 ? 5554 : 5710;
    const double second = year <= 2024 ? 7108 : 7307;
    if (t4 <= first) return 0;
    double s = 0.2 * (t4 - first);
    if (t4 > second) s += 0.36 * (t4 - second);
    return s;
}

// Ontario's health premium on the annual income.
double ontarioHealthPremium(double a) {
    if (a <= 20000) return 0;
    if (a <= 36000) return minOf(300, 0.06 * (a - 20000));
    if (a <= 48000) return minOf(450, 300 + 0.06 * (a - 36000));
    if (a <= 72000) return minOf(600, 450 + 0.25 * (a - 48000));
    if (a <= 200000) return minOf(750, 600 + 0.25 * (a - 72000));
    return minOf(900, 750 + 0.25 * (a - 200000));
}

struct ProvincialPass {
    double annualTax = 0;
    bool failed = false;
};

// What depends on the date, the province and the record only, the same in every pass: the credits of
// the claim amount, of the pension and premium, and of the labour funds, and the surtax row.
struct PassCommon {
    bool rowsMissing;  // no credit rate or no yearly maximums for the date
    double k1p;
    double k2p;
    double labourFund;
    const ProvincialRateRow* surtax;
};

PassCommon passCommon(const ProvinceRecord& in, double contribution, double premium) {
    const int periods = in.payPeriods;
    const ProvincialRateRow* lowest = provincialRate(kCreditRateRuns, in.payDate, in.provinceCode);
    // The yearly maximums: the pension row and the insurance row beside it.
    const int year = pensionYear(in.payDate);
    const PensionRow* pension = year < 0 ? nullptr : &kPension[static_cast<std::size_t>(year)];
    const double q = lowest ? lowest->rate : 0.0;
    const double maxContribution = pension ? pension->maxContribution : 0.0;
    const double maxPremium = pension ? kInsurance[static_cast<std::size_t>(year)].maxPremium : 0.0;
    double labourFund = 0;
    const ProvincialRateRow* lf = labourFundRow(in.payDate, in.provinceCode);
    if (lf) labourFund = roundCentsOrZero(minOf(lf->maximum, lf->rate * in.labourFundAmount));
    return {lowest == nullptr || pension == nullptr, q * in.provClaimAmount,
            roundCents(q * (minOf(maxPremium, periods * premium) + minOf(maxContribution, periods * contribution))),
            labourFund, lf ? &kSurtax[static_cast<std::size_t>(lf - kLabourFund.data())] : nullptr};
}

// The pass on the annual income a; the passes differ in nothing else.
ProvincialPass provincialPass(const ProvinceRecord& in, const PassCommon& common, double a) {
    ProvincialPass out;
    const int periods = in.payPeriods;
    const int province = in.provinceCode;
    const CalcDate& day = in.payDate;

    const ProvincialBracketRow* bracket = provincialBracket(day, province, a);
    out.failed = bracket == nullptr || common.rowsMissing;
    const double v = bracket ? bracket->rate : 0.0;
    const double kp = bracket ? bracket->constant : 0.0;

    double t4 = v * a - kp - common.k1p;
    if (province == ORLA_CA_AB) {
        // Alberta's supplementary credit from 23 July 2025.
        const double credit = onOrAfter(day, 2025, 7, 23) ? maxOf(0, (0.06 * in.provClaimAmount - 3600) * 2 / 3) : 0.0;
        t4 = maxOf(0, t4 - credit);
    }
    t4 = t4 - common.k2p - in.provOtherCredits;
    // Yukon's employment credit.
    if (province == ORLA_CA_YT) t4 = t4 - minOf(0.0704 * a, 70.4);
    t4 = roundCents(t4);

    double surtax = 0;
    if (province == ORLA_CA_ON) {
        surtax = ontarioSurtax(t4, day.year);
    } else if (province != ORLA_CA_NB) {
        if (const ProvincialRateRow* s = common.surtax)
            surtax = s->maximum > t4 ? 0.0 : (t4 - s->maximum) * s->rate;
    }
    surtax = roundCentsOrZero(surtax);

    double reduction = 0;
    if (province == ORLA_CA_ON) {
        const double persons = static_cast<double>(in.reductionCountA) + static_cast<double>(in.reductionCountB);
        const double base = (day.year <= 2024 ? 286 : 294) + 529 * persons;
        reduction = maxOf(0, minOf(t4 + surtax, 2 * base - (t4 + surtax)));
    } else if (province == ORLA_CA_BC) {
        const bool y2024 = day.year <= 2024;
        const double limit = y2024 ? 547 : 562;
        const double threshold = y2024 ? 24338 : 25020;
        const double end = y2024 ? 39703 : 40807;
        if (a <= threshold)
            reduction = minOf(t4, limit);
        else if (a < end)
            reduction = minOf(t4, maxOf(0, limit - (a - threshold) * 0.0356));
    }

    const double health = province == ORLA_CA_ON ? ontarioHealthPremium(a) : 0.0;

    double reduction2 = 0;
    if (province == ORLA_CA_BC) {
        const double a2 = a + in.bcReductionIncome;
        if (a2 <= 16000)
            reduction2 = minOf(t4, 360);
        else if (a2 <= 26000)
            reduction2 = minOf(t4, maxOf(0, 360 - 0.036 * (a2 - 16000)));
    }

    out.annualTax = maxOf(0, surtax + t4 + health - reduction2 - reduction - common.labourFund) + periods * in.provExtraPerPay;
    return out;
}

bool finiteInputs(const ProvinceRecord& p) {
    return allFinite(p.provClaimAmount, p.provExtraPerPay, p.bcReductionIncome, p.labourFundAmount, p.provOtherCredits,
                      p.provTaxableIncome, p.provBonus, p.provPriorBonuses);
}

}  // namespace

const ProvincialRateRow* labourFundRow(const CalcDate& d, int province) {
    if (!realMonthAndDay(d)) return provincialRate(kLabourFundRuns, d, province);
    const long long year = static_cast<long long>(kLabourFundByYear.newest) - d.year;
    if (province < 0 || province >= kProvinceCodes || year < 0 || year >= kLabourFundYears) return nullptr;
    const int row = kLabourFundByYear.first[year][province];
    return row < 0 ? nullptr : &kLabourFund[static_cast<std::size_t>(row)];
}

void clearProvincialOutputs(ProvinceRecord* prov) {
    ORLA_CA_PUT(prov, ProvinceRecord, status, 0);
    ORLA_CA_PUT(prov, ProvinceRecord, provAnnualTax, 0.0);
    ORLA_CA_PUT(prov, ProvinceRecord, provBonusTax, 0.0);
}

namespace {

// Status 1 and the amounts the record holds 0.
double refuse(ProvinceRecord* prov, bool& failed) {
    clearProvincialOutputs(prov);
    ORLA_CA_PUT(prov, ProvinceRecord, status, 1);
    failed = true;
    return 0;
}

}  // namespace

double provincialTax(ProvinceRecord* prov, const double block[3], bool& failed) {
    // No output is read: a refused record has them all cleared, a computed one all written.
    const ProvinceRecord in = heldCopy(prov);
    const double contribution = block[1];
    const double premium = block[2];
    // No annual amounts can be formed from fewer than one period or from amounts that are not finite.
    if (in.payPeriods < 1 || !finiteInputs(in) || !allFinite(contribution, premium)) return refuse(prov, failed);
    // The annual incomes of the regular pay, the pay with its bonus and the regular pay with earlier
    // bonuses. A pass whose income has the same bits as an earlier one's repeats it and is copied
    // (without bonuses all three coincide).
    const double regular = in.payPeriods * in.provTaxableIncome;
    const double incomes[3] = {regular, regular + in.provBonus + in.provPriorBonuses, regular + in.provPriorBonuses};
    const PassCommon common = passCommon(in, contribution, premium);
    ProvincialPass passes[3];
    passes[0] = provincialPass(in, common, incomes[0]);
    passes[2] = sameBits(incomes[2], incomes[0]) ? passes[0] : provincialPass(in, common, incomes[2]);
    passes[1] = sameBits(incomes[1], incomes[2])   ? passes[2]
                : sameBits(incomes[1], incomes[0]) ? passes[0]
                                                   : provincialPass(in, common, incomes[1]);
    const bool anyFailed = passes[0].failed || passes[1].failed || passes[2].failed;
    const double annualTax = roundCents(passes[0].annualTax);
    const double bonusTax = centsDifference(passes[1].annualTax, passes[2].annualTax);
    if (!allFinite(annualTax, bonusTax)) return refuse(prov, failed);
    // The status is set afresh in each pass: the last pass's stands (every pass looks up the same date).
    ORLA_CA_PUT(prov, ProvinceRecord, status, passes[2].failed ? 1 : 0);
    ORLA_CA_PUT(prov, ProvinceRecord, provAnnualTax, annualTax);
    ORLA_CA_PUT(prov, ProvinceRecord, provBonusTax, bonusTax);
    failed = anyFailed;
    return annualTax;
}

}  // namespace orla::canada

extern "C" ORLA_API int ORLA_CALL ORLA_Canada_Provincial_Calc(int /*mode*/, ProvinceRecord* prov, const double block[3]) {
    if (prov == nullptr) return 1;
    if (block == nullptr) {
        orla::canada::clearProvincialOutputs(prov);
        ORLA_CA_PUT(prov, ProvinceRecord, status, 1);
        return 1;
    }
    bool failed = false;
    orla::canada::provincialTax(prov, block, failed);
    return failed ? 1 : 0;
}
