// Canadian withholding: pension contribution, insurance premium, federal and provincial tax, claim codes
// and Quebec. Expected amounts were worked independently from the published rules and rates.
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <orla/orla.h>

#include "canada/canada.h"

namespace {

constexpr CalcDate d(int year, int month, int day) { return CalcDate{month, day, year}; }

CanadaRecord canadaPay(CalcDate day, int periods, double income) {
    CanadaRecord p;
    std::memset(&p, 0, sizeof p);
    p.recordSize = sizeof p;
    p.payDate = day;
    p.payPeriods = periods;
    p.taxableIncome = income;
    p.cppEarnings = income;
    p.eiEarnings = income;
    return p;
}

ProvinceRecord province(CalcDate day, int code, int periods, double income) {
    ProvinceRecord p;
    std::memset(&p, 0, sizeof p);
    p.recordSize = sizeof p;
    p.payDate = day;
    p.provinceCode = code;
    p.payPeriods = periods;
    p.provTaxableIncome = income;
    return p;
}

double v(double x) { return x; }  // copies a packed field before gtest binds a reference to it

// ---- full pays -------------------------------------------------------------------------------------

struct FullPay {
    const char* name;
    CalcDate day;
    int periods;
    int code;
    double income, fedClaim, provClaim, bonus, priorBonuses, cppYtd, eiYtd, extra, otherCredits, annualCredit;
    double fedAnnualTax, incomeTaxPerPay, cpp, ei, fedTaxPerPay, bonusFedTax, bonusCpp, bonusEi;
};

const FullPay kFullPays[] = {
    {"Ontario biweekly 2026 with a bonus", d(2026, 3, 13), 26, 7, 2000, 16452, 12989, 1000, 0, 0, 0, 0, 0, 0,
     4290.77, 256.62, 110.99, 32.80, 165.03, 133.61, 59.50, 16.40},
    {"Quebec: federal tax abated by 16.5 %", d(2026, 3, 13), 26, 6, 2000, 18571, 0, 500, 0, 0, 0, 0, 0, 0,
     3317.39, 127.59, 110.99, 32.80, 127.59, 55.78, 29.75, 8.20},
    {"Alberta monthly after 22 July 2025, earlier bonuses", d(2025, 8, 15), 12, 10, 9000, 16129, 22323, 2500, 3000,
     0, 0, 0, 0, 0, 15619.26, 1754.69, 518.15, 147.60, 1301.61, 512.50, 148.75, 41.00},
    {"British Columbia weekly before 23 July 2025, extra tax", d(2025, 3, 14), 52, 11, 1200, 16129, 12932, 0, 0, 0, 0,
     10, 0, 0, 6919.78, 133.07, 67.40, 19.68, 133.07, 0, 0, 0},
    {"Ontario 2024 near both maximums", d(2024, 11, 29), 24, 7, 6000, 15705, 12399, 4000, 0, 3800, 990, 0, 500, 100,
     24426.35, 1614.81, 255.50, 12.45, 1017.76, 1040.00, 0, 0},
    {"Yukon annual pay in the top bracket", d(2026, 12, 18), 1, 12, 300000, 16452, 16452, 0, 0, 0, 0, 0, 0, 0,
     70317.81, 100215.34, 4430.10, 1077.48, 70317.81, 0, 0, 0},
};

TEST(CanadaCalc, FullPays) {
    for (const FullPay& c : kFullPays) {
        SCOPED_TRACE(c.name);
        CanadaRecord p = canadaPay(c.day, c.periods, c.income);
        p.fedClaimAmount = c.fedClaim;
        p.bonus = c.bonus;
        p.priorBonuses = c.priorBonuses;
        p.cppYtd = c.cppYtd;
        p.eiYtd = c.eiYtd;
        p.fedExtraPerPay = c.extra;
        p.fedOtherCredits = c.otherCredits;
        p.fedAnnualCredit = c.annualCredit;
        ProvinceRecord prov = province(c.day, c.code, c.periods, c.income);
        prov.provClaimAmount = c.provClaim;
        const int result = ORLA_Canada_Calc(0, &p, &prov);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(p.status, 0);
        EXPECT_NEAR(v(p.fedAnnualTax), c.fedAnnualTax, 1e-9);
        EXPECT_NEAR(v(p.incomeTaxPerPay), c.incomeTaxPerPay, 1e-9);
        EXPECT_NEAR(v(p.cppContribution), c.cpp, 1e-9);
        EXPECT_NEAR(v(p.eiPremium), c.ei, 1e-9);
        EXPECT_NEAR(v(p.fedTaxPerPay), c.fedTaxPerPay, 1e-9);
        EXPECT_NEAR(v(p.bonusFedTax), c.bonusFedTax, 1e-9);
        EXPECT_NEAR(v(p.bonusCpp), c.bonusCpp, 1e-9);
        EXPECT_NEAR(v(p.bonusEi), c.bonusEi, 1e-9);
        // Quebec has no provincial rows here, nor British Columbia for 2025: the province record says so.
        const bool provinceRows = c.code != ORLA_CA_QC && !(c.code == ORLA_CA_BC && c.day.year == 2025);
        EXPECT_EQ(prov.status, provinceRows ? 0 : 1);
    }
}

// Every federal bracket row of every period, at an annual income inside it (no credits but the
// pension, insurance and employment amounts).
struct FederalRow {
    CalcDate day;
    double annualIncome;
    double fedAnnualTax;
};

const FederalRow kFederalRows[] = {
    {d(2026, 1, 1), 28688, 3939.11},
    {d(2026, 1, 1), 86062, 13979.06},
    {d(2026, 1, 1), 146316, 28067.51},
    {d(2026, 1, 1), 215648, 47227.27},
    {d(2026, 1, 1), 263414, 61478.97},
    {d(2025, 7, 23), 28688, 3795.67},
    {d(2025, 7, 23), 86062, 13693.06},
    {d(2025, 7, 23), 146316, 27780.51},
    {d(2025, 7, 23), 215648, 46940.27},
    {d(2025, 7, 23), 263414, 61191.97},
    {d(2025, 1, 1), 27934, 3969.45},
    {d(2025, 1, 1), 83800, 13885.35},
    {d(2025, 1, 1), 142469, 27603.29},
    {d(2025, 1, 1), 209978, 46258.97},
    {d(2025, 1, 1), 256752, 60223.51},
    {d(2024, 1, 1), 27934, 3975.15},
    {d(2024, 1, 1), 83800, 13891.05},
    {d(2024, 1, 1), 142469, 27608.99},
    {d(2024, 1, 1), 209978, 46264.67},
    {d(2024, 1, 1), 256752, 60229.21},
};

TEST(CanadaCalc, EveryFederalBracket) {
    for (const FederalRow& c : kFederalRows) {
        SCOPED_TRACE(c.annualIncome);
        CanadaRecord p = canadaPay(c.day, 1, c.annualIncome);
        p.cppEarnings = 0;
        p.eiEarnings = 0;
        ProvinceRecord prov = province(c.day, ORLA_CA_ON, 1, 0);
        ORLA_Canada_Calc(0, &p, &prov);
        EXPECT_NEAR(v(p.fedAnnualTax), c.fedAnnualTax, 1e-9);
    }
}

TEST(CanadaCalc, AnnualIncomeJustAboveABracketLowUsesThatBracket) {
    // 114,800 lies in the third 2026 bracket (from 114,750: 26 %, constant 9,754).
    CanadaRecord p = canadaPay(d(2026, 5, 1), 1, 114800);
    p.cppEarnings = 0;
    p.eiEarnings = 0;
    ProvinceRecord prov = province(d(2026, 5, 1), ORLA_CA_ON, 1, 0);
    ORLA_Canada_Calc(0, &p, &prov);
    EXPECT_NEAR(v(p.fedAnnualTax), std::round((0.26 * 114800 - 9754 - 0.15 * 1471) * 100) / 100, 1e-9);
}

TEST(CanadaCalc, PensionAtBothMaximumsContributesNothing) {
    CanadaRecord p = canadaPay(d(2026, 7, 1), 26, 5000);
    p.cppYtd = 4034.10 + 396;
    ProvinceRecord prov = province(d(2026, 7, 1), ORLA_CA_ON, 26, 5000);
    ORLA_Canada_Calc(0, &p, &prov);
    EXPECT_EQ(v(p.cppContribution), 0.0);
}

TEST(CanadaCalc, PensionWalksIntoTheSecondTierCentByCent) {
    // From 4,034.05 the first 84 cents add 0.000595 each, the rest 0.0004 each.
    const struct { double earningsAboveExemption, contribution; } cases[] = {{0.5, 0.03}, {1.0, 0.06}, {3.0, 0.14}};
    for (const auto& c : cases) {
        CanadaRecord p = canadaPay(d(2026, 6, 1), 1, 0);
        p.cppEarnings = 3500 + c.earningsAboveExemption;
        p.cppYtd = 4034.05;
        ProvinceRecord prov = province(d(2026, 6, 1), ORLA_CA_ON, 1, 0);
        ORLA_Canada_Calc(0, &p, &prov);
        EXPECT_NEAR(v(p.cppContribution), c.contribution, 1e-9);
    }
}

TEST(CanadaCalc, HugeEarningsStopAtTheMaximums) {
    CanadaRecord p = canadaPay(d(2026, 6, 1), 1, 1e12);
    ProvinceRecord prov = province(d(2026, 6, 1), ORLA_CA_ON, 1, 1e12);
    EXPECT_EQ(ORLA_Canada_Calc(0, &p, &prov), 0);
    EXPECT_NEAR(v(p.cppContribution), 4430.10, 1e-9);
    EXPECT_NEAR(v(p.eiPremium), 1077.48, 1e-9);
    EXPECT_TRUE(std::isfinite(v(p.incomeTaxPerPay)));
}

TEST(CanadaCalc, BonusOfZeroGivesZeroBonusAmounts) {
    CanadaRecord p = canadaPay(d(2026, 4, 3), 26, 2500);
    p.bonusFedTax = p.bonusCpp = p.bonusEi = 99;
    ProvinceRecord prov = province(d(2026, 4, 3), ORLA_CA_ON, 26, 2500);
    ORLA_Canada_Calc(0, &p, &prov);
    EXPECT_EQ(v(p.bonusFedTax), 0.0);
    EXPECT_EQ(v(p.bonusCpp), 0.0);
    EXPECT_EQ(v(p.bonusEi), 0.0);
}

TEST(CanadaCalc, FailuresReportedAndNothingStaleLeft) {
    struct Case {
        const char* name;
        CalcDate day;
        int periods;
        double income;
        double cppYtd;
    };
    const Case cases[] = {
        {"no rows for 2027", d(2027, 1, 15), 26, 2000, 0},
        {"no pay periods", d(2026, 1, 15), 0, 2000, 0},
        {"negative periods", d(2026, 1, 15), -4, 2000, 0},
        {"income not finite", d(2026, 1, 15), 26, NAN, 0},
        {"contributions to date negative", d(2026, 1, 15), 26, 2000, -1e300},
        {"income overflows when annualised", d(2026, 1, 15), 26, 1e308, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CanadaRecord p = canadaPay(c.day, c.periods, c.income);
        p.cppYtd = c.cppYtd;
        p.fedAnnualTax = p.incomeTaxPerPay = p.cppContribution = p.eiPremium = 55;
        p.fedTaxPerPay = p.bonusFedTax = p.bonusCpp = p.bonusEi = 55;
        ProvinceRecord prov = province(c.day, ORLA_CA_ON, 26, 2000);
        prov.provAnnualTax = prov.provBonusTax = 55;
        EXPECT_EQ(ORLA_Canada_Calc(0, &p, &prov), 1);
        EXPECT_EQ(p.status, 1);
        for (const double out : {v(p.fedAnnualTax), v(p.incomeTaxPerPay), v(p.cppContribution), v(p.eiPremium),
                                 v(p.fedTaxPerPay), v(p.bonusFedTax), v(p.bonusCpp), v(p.bonusEi),
                                 v(prov.provAnnualTax), v(prov.provBonusTax)})
            EXPECT_TRUE(std::isfinite(out) && out != 55);
    }
    EXPECT_EQ(ORLA_Canada_Calc(0, nullptr, nullptr), 1);
}

TEST(CanadaCalc, ShortRecordHasNoBonusFields) {
    // A record of 160 bytes ends before the bonus fields: the bonus is neither read nor anything written there.
    std::vector<unsigned char> block(sizeof(CanadaRecord), 0xA5);
    CanadaRecord p = canadaPay(d(2026, 3, 13), 26, 2000);
    p.recordSize = 160;
    p.fedClaimAmount = 16452;
    p.bonus = 1000;
    std::memcpy(block.data(), &p, 160);
    ProvinceRecord prov = province(d(2026, 3, 13), ORLA_CA_ON, 26, 2000);
    prov.provClaimAmount = 12989;
    ORLA_Canada_Calc(0, reinterpret_cast<CanadaRecord*>(block.data()), &prov);
    for (std::size_t i = 160; i < block.size(); ++i) ASSERT_EQ(block[i], 0xA5) << i;
    CanadaRecord out;
    std::memcpy(&out, block.data(), sizeof out);
    EXPECT_NEAR(v(out.incomeTaxPerPay), 256.62, 1e-9);  // the bonus of the full-size case does not count
}

// ---- provincial ------------------------------------------------------------------------------------

struct ProvincialRow {
    CalcDate day;
    int code;
    double annualIncome;
    double annualTax;  // with a provincial claim amount of 10,000
};

// Every provincial bracket row that the library carries, at an annual income inside it.
const ProvincialRow kProvincialRows[] = {
    {d(2026, 6, 1), 1, 22096, 1052.35},
    {d(2026, 6, 1), 1, 66287, 6178.62},
    {d(2026, 6, 1), 1, 123087, 14865.75},
    {d(2026, 6, 1), 1, 189351, 25966.48},
    {d(2026, 6, 1), 1, 251562, 37653.28},
    {d(2026, 6, 1), 1, 423322, 73072.98},
    {d(2026, 6, 1), 1, 846644, 162535.17},
    {d(2026, 6, 1), 1, 1138858.0, 224826.04},
    {d(2026, 6, 1), 2, 15254, 470.83},
    {d(2026, 6, 1), 2, 45761, 4092.27},
    {d(2026, 6, 1), 2, 78449, 9278.45},
    {d(2026, 6, 1), 2, 125266, 17326.55},
    {d(2026, 6, 1), 2, 164650.0, 24569.50},
    {d(2026, 6, 1), 3, 15254, 461.83},
    {d(2026, 6, 1), 3, 45761, 4083.27},
    {d(2026, 6, 1), 3, 78449, 9269.45},
    {d(2026, 6, 1), 3, 125266, 17317.55},
    {d(2026, 6, 1), 3, 164650.0, 24560.50},
    {d(2026, 6, 1), 4, 16664, 658.08},
    {d(2026, 6, 1), 4, 48992, 4404.61},
    {d(2026, 6, 1), 4, 84828, 9826.86},
    {d(2026, 6, 1), 4, 122500, 16682.00},
    {d(2026, 6, 1), 4, 150000.0, 20825.00},
    {d(2026, 6, 1), 5, 25653, 1471.38},
    {d(2026, 6, 1), 5, 76960, 7474.40},
    {d(2026, 6, 1), 5, 146337, 18061.92},
    {d(2026, 6, 1), 5, 200060.0, 27007.70},
    {d(2026, 6, 1), 7, 26443, 1130.37},
    {d(2026, 6, 1), 7, 79330, 5335.70},
    {d(2026, 6, 1), 7, 127888, 11755.83},
    {d(2026, 6, 1), 7, 185000, 22244.80},
    {d(2026, 6, 1), 7, 230000.0, 31087.12},
    {d(2026, 6, 1), 8, 23500, 1458.00},
    {d(2026, 6, 1), 8, 73500, 7374.25},
    {d(2026, 6, 1), 8, 110000.0, 12493.00},
    {d(2026, 6, 1), 9, 26732, 1730.13},
    {d(2026, 6, 1), 9, 103106, 10769.25},
    {d(2026, 6, 1), 9, 162750.0, 18424.75},
    {d(2026, 6, 1), 10, 30000, 1320.00},
    {d(2026, 6, 1), 10, 105617, 8281.70},
    {d(2026, 6, 1), 10, 166358, 14657.96},
    {d(2026, 6, 1), 10, 211728, 20405.64},
    {d(2026, 6, 1), 10, 302468, 32806.52},
    {d(2026, 6, 1), 10, 372961.0, 42775.15},
    {d(2026, 6, 1), 11, 24640, 129.82},
    {d(2026, 6, 1), 11, 73920, 3884.84},
    {d(2026, 6, 1), 11, 105859, 6548.20},
    {d(2026, 6, 1), 11, 125282, 8805.16},
    {d(2026, 6, 1), 11, 161856, 13888.83},
    {d(2026, 6, 1), 11, 223068, 23659.42},
    {d(2026, 6, 1), 11, 269829.0, 31884.95},
    {d(2026, 6, 1), 12, 28688, 1125.63},
    {d(2026, 6, 1), 12, 86062, 5543.18},
    {d(2026, 6, 1), 12, 146316, 11566.04},
    {d(2026, 6, 1), 12, 338941, 35622.05},
    {d(2026, 6, 1), 12, 510000.0, 57737.60},
    {d(2026, 6, 1), 13, 25982, 942.94},
    {d(2026, 6, 1), 13, 77947, 4710.44},
    {d(2026, 6, 1), 13, 136448, 10911.66},
    {d(2026, 6, 1), 13, 178967.0, 16284.86},
    {d(2026, 6, 1), 14, 27354, 694.16},
    {d(2026, 6, 1), 14, 82060, 3703.20},
    {d(2026, 6, 1), 14, 143647, 8699.23},
    {d(2026, 6, 1), 14, 187881.0, 12930.32},
    {d(2025, 9, 1), 10, 30000, 720.00},
    {d(2025, 9, 1), 10, 105617, 7081.70},
    {d(2025, 9, 1), 10, 166358, 13457.96},
    {d(2025, 9, 1), 10, 211728, 19205.64},
    {d(2025, 9, 1), 10, 302468, 31606.52},
    {d(2025, 9, 1), 10, 372961, 41575.15},
    {d(2025, 3, 1), 10, 74134, 6413.40},
    {d(2025, 3, 1), 10, 163096, 15606.52},
    {d(2025, 3, 1), 10, 207576, 21239.88},
    {d(2025, 3, 1), 10, 296538, 33398.32},
    {d(2025, 3, 1), 10, 365845, 43201.75},
    {d(2025, 5, 1), 7, 25723, 1094.01},
    {d(2025, 5, 1), 7, 77170, 5197.06},
    {d(2025, 5, 1), 7, 126447, 11687.48},
    {d(2025, 5, 1), 7, 185000, 22427.32},
    {d(2025, 5, 1), 7, 230000, 31269.64},
    {d(2024, 5, 1), 7, 25723, 1094.01},
    {d(2024, 5, 1), 7, 77170, 5197.06},
    {d(2024, 5, 1), 7, 126447, 11790.32},
    {d(2024, 5, 1), 7, 185000, 22530.16},
    {d(2024, 5, 1), 7, 230000, 31372.48},
};

TEST(CanadaProvincial, EveryBracketRow) {
    for (const ProvincialRow& c : kProvincialRows) {
        SCOPED_TRACE(testing::Message() << c.code << " " << c.annualIncome);
        ProvinceRecord prov = province(c.day, c.code, 1, c.annualIncome);
        prov.provClaimAmount = 10000;
        const double block[3] = {0, 0, 0};
        EXPECT_EQ(ORLA_Canada_Provincial_Calc(0, &prov, block), 0);
        EXPECT_NEAR(v(prov.provAnnualTax), c.annualTax, 1e-9);
    }
}

TEST(CanadaProvincial, OntarioAdditionsAndReductions) {
    // Health premium on the annual income; the surtax and the reduction come from the basic tax.
    const double block[3] = {0, 0, 0};
    ProvinceRecord a = province(d(2026, 6, 1), ORLA_CA_ON, 1, 22000);
    ORLA_Canada_Provincial_Calc(0, &a, block);
    // basic tax 0.0505 x 22,000 = 1,111; reduction max(0, min(1111, 588 - 1111)) = 0; premium 120
    EXPECT_NEAR(v(a.provAnnualTax), 1111 + 120, 1e-9);
    ProvinceRecord b = province(d(2026, 6, 1), ORLA_CA_ON, 1, 30000);
    b.reductionCountA = 1;
    b.reductionCountB = 1;
    ORLA_Canada_Provincial_Calc(0, &b, block);
    // basic 1,515; base 294 + 529 x 2 = 1,352; reduction min(1515, 2704 - 1515) = 1,189; premium 300
    EXPECT_NEAR(v(b.provAnnualTax), 1515 - 1189 + 300, 1e-9);
    ProvinceRecord c = province(d(2026, 6, 1), ORLA_CA_ON, 1, 250000);
    ORLA_Canada_Provincial_Calc(0, &c, block);
    // basic 0.1316 x 250,000 - 7,994 = 24,906; surtax 0.2 x 19,196 + 0.36 x 17,599 = 10,174.84; premium 900
    EXPECT_NEAR(v(c.provAnnualTax), 24906 + 10174.84 + 900, 1e-9);
    ProvinceRecord y2024 = province(d(2024, 6, 1), ORLA_CA_ON, 1, 250000);
    ORLA_Canada_Provincial_Calc(0, &y2024, block);
    // basic 25,023; 2024 thresholds 5,554 and 7,108: surtax 3,893.80 + 6,449.40
    EXPECT_NEAR(v(y2024.provAnnualTax), 25023 + 3893.8 + 6449.4 + 900, 1e-9);
}

TEST(CanadaProvincial, BritishColumbiaReductions) {
    const double block[3] = {0, 0, 0};
    ProvinceRecord a = province(d(2025, 6, 1), ORLA_CA_BC, 1, 25025);
    ORLA_Canada_Provincial_Calc(0, &a, block);
    EXPECT_EQ(a.status, 1);  // no 2025 British Columbia brackets are carried
    ProvinceRecord b = province(d(2026, 6, 1), ORLA_CA_BC, 1, 25025);
    ORLA_Canada_Provincial_Calc(0, &b, block);
    // basic 0.0506 x 25,025 = 1,266.27; reduction 562 - 5 x 0.0356; A2 > 16,000: second 360 - 0.036 x 9,025
    EXPECT_NEAR(v(b.provAnnualTax), std::round((1266.265 - (562 - 5 * 0.0356) - (360 - 0.036 * 9025)) * 100) / 100,
                0.011);
    ProvinceRecord c = province(d(2026, 6, 1), ORLA_CA_BC, 1, 15000);
    ORLA_Canada_Provincial_Calc(0, &c, block);
    EXPECT_EQ(v(c.provAnnualTax), 0.0);  // both reductions take all of 759
}

TEST(CanadaProvincial, CreditsAndLabourFunds) {
    struct Case {
        const char* name;
        CalcDate day;
        int code;
        double income, claim, labourFund, annualTax;
    } cases[] = {
        {"Manitoba fund credit capped at 1,800", d(2026, 6, 1), 8, 60000, 0, 20000, 0.1275 * 60000 - 917 - 1800},
        {"New Brunswick 20 % credit", d(2026, 6, 1), 5, 40000, 0, 5000, 0.094 * 40000 - 1000},
        {"Nova Scotia 20 % credit", d(2026, 6, 1), 3, 40000, 0, 5000, 0.1495 * 40000 - 1879 - 1000},
        {"Saskatchewan 17.5 % up to 875", d(2026, 6, 1), 9, 40000, 0, 1000, 0.104 * 40000 - 175},
        {"British Columbia no credit in 2026", d(2026, 6, 1), 11, 60000, 0, 1000, 0.077 * 60000 - 1301},
        {"Alberta credit from 23 July 2025", d(2025, 8, 1), 10, 150000, 70000, 0,
         0.10 * 150000 - 2400 - 0.108 * 70000 - (0.06 * 70000 - 3600) * 2 / 3},
        {"Alberta before 23 July 2025", d(2025, 7, 22), 10, 80000, 20000, 0, 0.10 * 80000 - 0.10 * 20000},
    };
    const double block[3] = {0, 0, 0};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProvinceRecord p = province(c.day, c.code, 1, c.income);
        p.provClaimAmount = c.claim;
        p.labourFundAmount = c.labourFund;
        EXPECT_EQ(ORLA_Canada_Provincial_Calc(0, &p, block), 0);
        EXPECT_NEAR(v(p.provAnnualTax), std::round(c.annualTax * 100) / 100, 1e-6);
    }
}

TEST(CanadaProvincial, PensionAndPremiumCreditsAtTheYearsMaximums) {
    // Monthly 2024 Ontario: 12 x 400 of contributions is capped at 3,867.50, 12 x 100 of premiums at 1,002.45.
    ProvinceRecord p = province(d(2024, 3, 1), ORLA_CA_ON, 12, 5000);
    const double block[3] = {0, 400, 100};
    ORLA_Canada_Provincial_Calc(0, &p, block);
    const double basic = 0.0915 * 60000 - 2109 - std::round(0.0505 * (1002.45 + 3867.50) * 100) / 100;
    EXPECT_NEAR(v(p.provAnnualTax), std::round(basic * 100) / 100 + 600, 1e-6);  // health premium 600
}

TEST(CanadaProvincial, BonusPassesAndShortRecord) {
    const double block[3] = {0, 0, 0};
    ProvinceRecord p = province(d(2026, 6, 1), ORLA_CA_NU, 1, 50000);
    p.provBonus = 10000;
    ORLA_Canada_Provincial_Calc(0, &p, block);
    EXPECT_NEAR(v(p.provAnnualTax), 2000, 1e-9);
    EXPECT_NEAR(v(p.provBonusTax), 0.07 * 60000 - 1641 - 2000, 1e-9);
    // A record of 116 bytes holds no bonus fields: nothing is written past it.
    std::vector<unsigned char> bytes(sizeof(ProvinceRecord), 0xA5);
    p.recordSize = 116;
    std::memcpy(bytes.data(), &p, 116);
    ORLA_Canada_Provincial_Calc(0, reinterpret_cast<ProvinceRecord*>(bytes.data()), block);
    for (std::size_t i = 116; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], 0xA5) << i;
}

TEST(CanadaProvincial, FailuresAreReported) {
    const double block[3] = {0, 0, 0};
    for (const ProvinceRecord& base : {province(d(2026, 6, 1), ORLA_CA_QC, 26, 1000),
                                       province(d(2024, 6, 1), ORLA_CA_NS, 26, 1000),
                                       province(d(2026, 6, 1), ORLA_CA_ON, 0, 1000),
                                       province(d(2026, 6, 1), 15, 26, 1000)}) {
        ProvinceRecord p = base;
        p.provAnnualTax = 77;
        EXPECT_EQ(ORLA_Canada_Provincial_Calc(0, &p, block), 1);
        EXPECT_EQ(p.status, 1);
        EXPECT_NE(v(p.provAnnualTax), 77.0);
    }
    ProvinceRecord p = province(d(2026, 6, 1), ORLA_CA_ON, 26, 1000);
    EXPECT_EQ(ORLA_Canada_Provincial_Calc(0, &p, nullptr), 1);
}

// ---- claim codes -----------------------------------------------------------------------------------

ClaimCodeRecord claimCode(CalcDate day, int provinceCode, int code, double netIncome) {
    ClaimCodeRecord c;
    std::memset(&c, 0, sizeof c);
    c.recordSize = sizeof c;
    c.infoDate = day;
    c.provinceCode = provinceCode;
    c.claimCode = code;
    c.netIncome = netIncome;
    return c;
}

TEST(CanadaClaimCodes, RangesAndAmounts) {
    struct Case {
        const char* name;
        int provinceCode, code;
        double netIncome, low, high, amount;
        CalcDate day = d(2026, 2, 1);
    } cases[] = {
        {"federal basic amount", 0, 1, 100000, 0, 16452, 16452},
        {"federal at the lowest basic amount", 0, 3, 300000, 17179, 19529, 18354},
        {"federal between the thresholds", 0, 1, 200000, 0, 16452 - 18560 * (1623.0 / 77042), 16452 - 18560 * (1623.0 / 77042)},
        {"Manitoba falls by 6 %", 8, 2, 250000, 12780, 15130, 13955},
        {"Yukon code 11", 12, 11, 0, 16452 + 9 * 2350, 16452 + 10 * 2350, 16452 + 9 * 2350 + 1175},
        {"Nova Scotia: no 2026 reduction, the table's codes", 3, 4, 0, 11932 + 2 * 1676 + 0.01, 11932 + 3 * 1676, 11932 + 2.5 * 1676},
        {"code 0", 5, 0, 0, 0, 0, 0},
        {"Nova Scotia 2025 reduced", 3, 1, 50000, 0, 11744 - 0.06 * 25000, 11744 - 0.06 * 25000, d(2025, 4, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClaimCodeRecord r = claimCode(c.day, c.provinceCode, c.code, c.netIncome);
        if (c.day.year == 2025) {
            // No 2025 claim-code rows are carried: the request is not served.
            EXPECT_EQ(ORLA_Canada_Get_CC(0, &r), 1);
            continue;
        }
        EXPECT_EQ(ORLA_Canada_Get_CC(0, &r), 0);
        EXPECT_EQ(r.status, 0);
        EXPECT_NEAR(v(r.rangeLow), c.low, 1e-9);
        EXPECT_NEAR(v(r.rangeHigh), c.high, 1e-9);
        EXPECT_NEAR(v(r.claimAmount), c.amount, 1e-9);
    }
}

TEST(CanadaClaimCodes, EveryGroupOf2026) {
    // Code 10 of each level: low B + 8 W + 0.01, high B + 9 W (read from the table, the income not tested).
    const struct { int province; double basic, width; } groups[] = {
        {1, 11188, 2416}, {2, 11188, 2416}, {3, 11932, 1676}, {4, 15000, 1600}, {5, 13664, 2797},
        {7, 12989, 2798}, {8, 15780, 1693}, {9, 20381, 2493}, {10, 22769, 3257}, {11, 13216, 2974},
        {13, 18198, 3129}, {14, 19659, 3179}, {0, 16452, 2833}, {12, 16452, 2833},
    };
    for (const auto& g : groups) {
        SCOPED_TRACE(g.province);
        ClaimCodeRecord r = claimCode(d(2026, 9, 1), g.province, 10, 0);
        r.recordSize = 52;  // no net income: the table's rows for every level
        ASSERT_EQ(ORLA_Canada_Get_CC(0, &r), 0);
        EXPECT_NEAR(v(r.rangeLow), g.basic + 8 * g.width + 0.01, 1e-9);
        EXPECT_NEAR(v(r.rangeHigh), g.basic + 9 * g.width, 1e-9);
        EXPECT_NEAR(v(r.claimAmount), g.basic + 8.5 * g.width, 1e-9);
    }
}

TEST(CanadaClaimCodes, RequestsNotServed) {
    const ClaimCodeRecord cases[] = {
        claimCode(d(2026, 1, 1), ORLA_CA_QC, 1, 0), claimCode(d(2026, 1, 1), 7, 11, 0),
        claimCode(d(2026, 1, 1), 0, 12, 50000), claimCode(d(2027, 1, 1), 7, 1, 0),
        claimCode(d(2024, 1, 1), 0, 1, 50000),
    };
    for (ClaimCodeRecord c : cases) {
        c.rangeLow = c.rangeHigh = c.claimAmount = 5;
        EXPECT_EQ(ORLA_Canada_Get_CC(0, &c), 1);
        EXPECT_EQ(c.status, 1);
        EXPECT_EQ(v(c.rangeLow) + v(c.rangeHigh) + v(c.claimAmount), 0.0);
    }
    EXPECT_EQ(ORLA_Canada_Get_CC(0, nullptr), 1);
}

// ---- Quebec ----------------------------------------------------------------------------------------

TEST(CanadaQuebec, NoRowsForTheSupportedYears) {
    QuebecRecord q;
    std::memset(&q, 0, sizeof q);
    q.recordSize = sizeof q;
    q.payDate = d(2026, 5, 15);
    q.qcPayPeriods = 26;
    q.qcGross = 2500;
    q.qcExtraPerPay = 12.345;
    EXPECT_EQ(ORLA_Canada_Quebec_Calc(0, &q), 1);
    EXPECT_EQ(q.status, 1);
    EXPECT_NEAR(v(q.qcTaxPerPay), 12.35, 1e-9);
    q.qcExtraPerPay = INFINITY;
    ORLA_Canada_Quebec_Calc(0, &q);
    EXPECT_EQ(v(q.qcTaxPerPay), 0.0);
}

// ---- record sizes ----------------------------------------------------------------------------------

// Every declared size, in a heap block of exactly that size, so that the address sanitizer catches any
// read or write past it.
TEST(CanadaRecords, EveryDeclaredSizeStaysInsideTheRecord) {
    CanadaRecord pay = canadaPay(d(2026, 3, 13), 26, 2000);
    pay.bonus = 500;
    ProvinceRecord prov = province(d(2026, 3, 13), ORLA_CA_BC, 26, 2000);
    prov.provBonus = 500;
    ClaimCodeRecord cc = claimCode(d(2026, 3, 13), 0, 4, 200000);
    QuebecRecord qc;
    std::memset(&qc, 0, sizeof qc);
    qc.qcExtraPerPay = 3;
    const double block[3] = {0, 100, 30};
    for (int size = 4; size <= static_cast<int>(sizeof(CanadaRecord)); ++size) {
        auto bytes = std::make_unique<unsigned char[]>(static_cast<std::size_t>(size));
        auto provBytes = std::make_unique<unsigned char[]>(sizeof prov);
        pay.recordSize = size;
        std::memcpy(bytes.get(), &pay, static_cast<std::size_t>(size));
        std::memcpy(provBytes.get(), &prov, sizeof prov);
        ORLA_Canada_Calc(0, reinterpret_cast<CanadaRecord*>(bytes.get()), reinterpret_cast<ProvinceRecord*>(provBytes.get()));
    }
    for (int size = 4; size <= static_cast<int>(sizeof(ProvinceRecord)); ++size) {
        auto bytes = std::make_unique<unsigned char[]>(static_cast<std::size_t>(size));
        prov.recordSize = size;
        std::memcpy(bytes.get(), &prov, static_cast<std::size_t>(size));
        ORLA_Canada_Provincial_Calc(0, reinterpret_cast<ProvinceRecord*>(bytes.get()), block);
        pay.recordSize = sizeof pay;
        ORLA_Canada_Calc(0, &pay, reinterpret_cast<ProvinceRecord*>(bytes.get()));
    }
    for (int size = 4; size <= static_cast<int>(sizeof(ClaimCodeRecord)); ++size) {
        auto bytes = std::make_unique<unsigned char[]>(static_cast<std::size_t>(size));
        cc.recordSize = size;
        std::memcpy(bytes.get(), &cc, static_cast<std::size_t>(size));
        ORLA_Canada_Get_CC(0, reinterpret_cast<ClaimCodeRecord*>(bytes.get()));
    }
    for (int size = 4; size <= static_cast<int>(sizeof(QuebecRecord)); ++size) {
        auto bytes = std::make_unique<unsigned char[]>(static_cast<std::size_t>(size));
        qc.recordSize = size;
        std::memcpy(bytes.get(), &qc, static_cast<std::size_t>(size));
        ORLA_Canada_Quebec_Calc(0, reinterpret_cast<QuebecRecord*>(bytes.get()));
    }
}

}  // namespace

// ---- the pension walk ------------------------------------------------------------------------------

namespace orla::canada {
namespace {

// The walk one cent at a time, as the rule states it.
double pensionTotalCentByCent(double ytd, double g, const PensionRow& row, int periods) {
    const double exemption = row.basicExemption / periods;
    const double c = row.rate * 0.01;
    const double c2 = row.secondTierRate * 0.01;
    double total = ytd;
    if (g - exemption >= 0)
        for (double k = 0; g - exemption >= k; k += 0.01) {
            if (row.maxContribution > total + c)
                total += c;
            else if (row.maxContribution + row.maxSecondTier > total + c2)
                total += c2;
            else
                break;  // nothing more can be added
        }
    return total;
}

TEST(CanadaPensionWalk, RunsGiveTheSameBitsAsSingleSteps) {
    std::uint64_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(seed >> 11) / 9007199254740992.0;
    };
    const int periodCounts[] = {1, 4, 12, 24, 26, 52, 365};
    for (int i = 0; i < 300; ++i) {
        const PensionRow& row = kPension[static_cast<std::size_t>(i) % std::size(kPension)];
        const int periods = periodCounts[static_cast<std::size_t>(i / 3) % std::size(periodCounts)];
        const double ytd = i % 7 == 0 ? 0.0 : std::round(next() * 450000) / 100;
        const double g = std::round(next() * (i % 10 == 0 ? 20000000 : 1500000)) / 100;
        SCOPED_TRACE(testing::Message() << "ytd " << ytd << " g " << g << " periods " << periods);
        EXPECT_EQ(pensionTotal(ytd, g, row, periods), pensionTotalCentByCent(ytd, g, row, periods));
    }

    // Totals to date on the edges: at and just below each maximum, a few steps short of it, at and
    // beside binade edges, the smallest positive amount; earnings just past a few cents or huge.
    const PensionRow& row = kPension[0];
    const double c = row.rate * 0.01, c2 = row.secondTierRate * 0.01;
    const double top = row.maxContribution, both = row.maxContribution + row.maxSecondTier;
    const double ytds[] = {0, 5e-324, 1e-300, c, 3 * c, 1.0 / 1024, std::nextafter(2048.0, 0.0), 2048, 1024 - 2.5 * c,
                           top - 7 * c, top - c, std::nextafter(top, 0.0), top, both - 7 * c2, std::nextafter(both, 0.0),
                           both, 1e300};
    const double earnings[] = {3500, 3500.01, 3500.05, 3510.37, 4200, 90000, 1e12, 1e300};
    for (const double ytd : ytds)
        for (const double g : earnings) {
            if (ytd < 1 && g > 3e6) continue;  // the reference would take millions of steps for each
            SCOPED_TRACE(testing::Message() << "ytd " << ytd << " g " << g);
            EXPECT_EQ(pensionTotal(ytd, g, row, 1), pensionTotalCentByCent(ytd, g, row, 1));
        }
}

// Rows no table carries: no rate (the total does not move, -0 becomes +0), a rate so small its cent's
// contribution is subnormal, a negative rate.
TEST(CanadaPensionWalk, UnusualRatesStepAsTheRuleDoes) {
    for (const double rate : {0.0, 1e-310, -0.0595}) {
        PensionRow row = kPension[0];
        row.rate = rate;
        row.secondTierRate = rate;
        for (const double ytd : {-0.0, 0.0, 10.0})
            for (const double g : {3500.0, 3500.07, 3501.0}) {
                SCOPED_TRACE(testing::Message() << "rate " << rate << " ytd " << ytd << " g " << g);
                const double walked = pensionTotal(ytd, g, row, 1), reference = pensionTotalCentByCent(ytd, g, row, 1);
                EXPECT_EQ(std::memcmp(&walked, &reference, sizeof walked), 0) << walked << " " << reference;
            }
    }
}

// A contribution per cent exactly halfway between two grid points of the totals' binade [4096, 8192)
// (an odd multiple of 2^-41): ties go to even there, so the step that enters the binade on an odd
// mantissa adds a different amount from the rest.
TEST(CanadaPensionWalk, TiesToEvenInTheTotalsBinade) {
    PensionRow row = kPension[0];
    row.maxContribution = 6000;
    row.maxSecondTier = 100;
    double c = 0;
    for (double m = 1319412001; m < 1319414001 && !(row.rate * 0.01 == c); m += 2) {
        c = std::ldexp(m, -41);  // about 0.0006
        row.rate = c / 0.01;
    }
    ASSERT_EQ(row.rate * 0.01, c);
    // 4096 - c + 2^-40 steps into the binade on the odd mantissa 2^52 + 1.
    const double odd = std::ldexp(1.0, -40);
    for (const double ytd : {4096.0, 4100.0, std::nextafter(4100.0, 0.0), 4096 - c + odd, 4096 - 3 * c + odd, 5999.5})
        for (const double g : {3600.0, 3733.33, 9000.0}) {
            SCOPED_TRACE(testing::Message() << "ytd " << ytd << " g " << g);
            EXPECT_EQ(pensionTotal(ytd, g, row, 1), pensionTotalCentByCent(ytd, g, row, 1));
        }
}

// The table's rows walk with their increments and their walk from 0 worked out beforehand; a copy of the
// row is walked binade by binade from scratch (itself checked against single steps above). Earnings
// from a cent past the exemption to past both maximums, a fine sweep where the first tier fills up.
TEST(CanadaPensionWalk, TabledRowsWalkAsTheirCopies) {
    std::uint64_t seed = 99;
    auto next = [&seed] {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(seed >> 11) / 9007199254740992.0;
    };
    for (const PensionRow& row : kPension) {
        const PensionRow copy = row;
        const double fills = row.maxContribution / (row.rate * 0.01) / 100;  // the earnings that fill the first tier
        std::vector<double> earnings = {0, 0.01, 0.02, 0.03, 0.05, 0.07, 1, 1e6};
        for (int i = 0; i < 400; ++i) earnings.push_back(std::round(next() * 9000000) / 100);
        for (int cents = -300; cents <= 300; ++cents) earnings.push_back(std::round(fills * 100 + cents) / 100);
        for (const double ytd : {0.0, -0.0, 0.01, 17.5, 1234.56, row.maxContribution - 1})
            for (const double e : earnings) {
                const double g = row.basicExemption + e;
                const double tabled = pensionTotal(ytd, g, row, 1), walked = pensionTotal(ytd, g, copy, 1);
                ASSERT_EQ(std::memcmp(&tabled, &walked, sizeof tabled), 0) << "ytd " << ytd << " g " << g;
            }
    }
}

// The pension year by the pay's year is the first covering row of the plain scan, for dates of every
// kind: real, day 31 of a short month, month or day out of range, years at the ends of the int range.
TEST(CanadaPensionWalk, PensionYearIsThePlainScansRow) {
    for (const int year : {INT_MIN, 2022, 2023, 2024, 2025, 2026, 2027, 2028, INT_MAX})
        for (int month = -1; month <= 14; ++month)
            for (const int day : {-1, 0, 1, 15, 22, 23, 28, 30, 31, 32}) {
                const CalcDate date = d(year, month, day);
                int plain = -1;
                for (std::size_t i = 0; i < std::size(kPension); ++i)
                    if (rowCovers(kPension[i].from, kPension[i].to, date)) {
                        plain = static_cast<int>(i);
                        break;
                    }
                EXPECT_EQ(pensionYear(date), plain) << year << "-" << month << "-" << day;
            }
}

// The labour-fund row found by the pay's year is the plain scan's, for dates of every kind.
TEST(CanadaProvincialRuns, LabourFundRowIsThePlainScansRow) {
    for (int province = -1; province <= kProvinceCodes; ++province)
        for (const int year : {INT_MIN, 2017, 2023, 2024, 2025, 2026, 2027, INT_MAX})
            for (int month = -1; month <= 14; ++month)
                for (const int day : {-1, 0, 1, 23, 30, 31, 32}) {
                    const CalcDate date = d(year, month, day);
                    const ProvincialRateRow* plain = nullptr;
                    for (const ProvincialRateRow& r : kLabourFund)
                        if (r.province == province && rowCovers(r.from, r.to, date)) {
                            plain = &r;
                            break;
                        }
                    EXPECT_EQ(labourFundRow(date, province), plain) << province << " " << year << "-" << month << "-" << day;
                }
}

// Each province's runs give the row of the plain first-match scan in stored order.
TEST(CanadaProvincialRuns, FindTheRowOfThePlainScan) {
    auto check = [](const auto& table, auto accept) {
        const auto runs = provinceRuns(table);
        for (int province = -1; province <= kProvinceCodes; ++province)
            for (int year = 2023; year <= 2027; ++year)
                for (const int month : {1, 6, 7, 8, 12})
                    for (const int day : {1, 22, 23, 31}) {
                        const CalcDate date = d(year, month, day);
                        const auto* plain = static_cast<decltype(&table[0])>(nullptr);
                        for (const auto& r : table)
                            if (r.province == province && rowCovers(r.from, r.to, date) && accept(r)) {
                                plain = &r;
                                break;
                            }
                        EXPECT_EQ(runs.find(date, province, accept), plain) << province << " " << year << "-" << month;
                    }
    };
    check(kProvincialCreditRate, [](const ProvincialRateRow&) { return true; });
    check(kLabourFund, [](const ProvincialRateRow&) { return true; });
    for (const double income : {0.0, 15000.0, 51446.0, 60000.0, 102894.5, 250000.0, 1e7})
        check(kProvincialBrackets, [income](const ProvincialBracketRow& r) {
            return income >= r.low && (income < r.high || r.high == 0);
        });
}

// The step count over a room is the number of k_j = fl(k_(j-1) + 0.01) from k_0 = 0 that do not pass it:
// checked at every k_j of the first ten million steps and beside it, and where k stops growing.
TEST(CanadaPensionWalk, StepCountsMatchTheCounterWalk) {
    double k = 0;
    for (std::int64_t j = 0; j < 10000000; ++j, k += 0.01) {
        if (j > 100000 && j % 997 != 0 && std::ilogb(k) == std::ilogb(k + 0.01)) continue;
        ASSERT_EQ(centSteps(k), j + 1) << k;
        ASSERT_EQ(centSteps(std::nextafter(k, -1.0)), j) << k;
        ASSERT_EQ(centSteps(std::nextafter(k, 1e300)), j + 1) << k;
    }
    EXPECT_EQ(centSteps(0), 1);
    EXPECT_LT(centSteps(1e14), centSteps(1.4e14));
    EXPECT_EQ(centSteps(3e14), INT64_MAX);  // 0.01 is below half the grid there: k never passes
    EXPECT_EQ(centSteps(HUGE_VAL), INT64_MAX);
}

}  // namespace
}  // namespace orla::canada
