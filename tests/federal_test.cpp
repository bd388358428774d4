#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "federal/federal.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::payRecord;
using testing::stateRecord;

struct FederalCase {
    const char* name;
    PayRecord pay;
    double fedTax;
};

PayRecord with(PayRecord p, void (*edit)(PayRecord&)) {
    edit(p);
    return p;
}

// Worked numbers of the percentage method, each figured by hand from the annual tables.
TEST(FederalIncomeTax, WorkedNumbers) {
    const FederalCase cases[] = {
        // 52,000 - 8,600 = 43,400: 1,240 + 0.12 x 23,500 = 4,060 / 26
        {"2026 single biweekly", payRecord(2026, 6, 15, 26, 2000), 156.15},
        // Step 2: 52,000 in 33,250..60,900: 2,900 + 0.22 x 18,750 = 7,025 / 26
        {"2026 single Step 2", with(payRecord(2026, 6, 15, 26, 2000), [](PayRecord& p) { p.w4MultipleJobs = 1; }),
         270.19},
        // Form W-4 before 2020, married, 2 allowances: 60,000 - 8,600 = 51,400: 2,480 + 0.12 x 7,300 = 3,356 / 12
        {"pre-2020 married monthly", with(payRecord(2026, 6, 15, 12, 5000), [](PayRecord& p) {
             p.w4Form2020 = 0;
             p.fedFilingStatus = 1;
             p.fedAllowances = 2;
         }),
         279.67},
        // Annual pay uses the annual rows in the first pass: 4,060 with no division.
        {"annual pay", payRecord(2026, 6, 15, 1, 52000), 4060.00},
        // Married filing jointly: 52,000 - 12,900 = 39,100: 0.10 x 19,800 = 1,980 / 26
        {"2026 married", with(payRecord(2026, 6, 15, 26, 2000), [](PayRecord& p) { p.fedFilingStatus = 1; }), 76.15},
        // Married at the single rate takes the single rows and the 8,600 adjustment.
        {"married single rate", with(payRecord(2026, 6, 15, 26, 2000), [](PayRecord& p) { p.fedFilingStatus = 3; }),
         156.15},
        // Status 17 given directly: Step 2 rows, and the 8,600 adjustment of a filer other than code 1.
        // 43,400 in 28,500..66,500: 1,240 + 0.12 x 14,900 = 3,028 / 26
        {"status 17 directly", with(payRecord(2026, 6, 15, 26, 2000), [](PayRecord& p) { p.fedFilingStatus = 17; }),
         116.46},
        // Credits larger than the tax leave the additional withholding alone.
        {"credits exceed tax", with(payRecord(2026, 6, 15, 26, 2000), [](PayRecord& p) {
             p.w4Credits = 5000;
             p.fedExtraWithholding = 25;
         }),
         25.00},
        // Step 4: other income 2,600 and deductions 5,200 a year: 52,000 + 2,600 - 5,200 - 8,600 = 40,800:
        // 1,240 + 0.12 x 20,900 = 3,748 / 26 = 144.15; credits 2,000 / 26 = 76.92; plus 10 extra.
        {"Step 3 and 4", with(payRecord(2026, 6, 15, 26, 2000), [](PayRecord& p) {
             p.w4OtherIncome = 2600;
             p.w4Deductions = 5200;
             p.w4Credits = 2000;
             p.fedExtraWithholding = 10;
         }),
         77.23},
        // Nonresident alien, 2020 form, biweekly: 619.20 added: 68,099.20 - 8,600 = 59,499.20:
        // 5,800 + 0.22 x 1,599.20 = 6,151.824 / 26
        {"nonresident alien", with(payRecord(2026, 6, 15, 26, 2000), [](PayRecord& p) { p.nonresidentAlien = 1; }),
         236.61},
        // Nonresident alien on a daily payroll: the annual amount 16,100 / 260 = 61.923 a day is added;
        // 260 x 261.923 = 68,100 - 8,600 = 59,500: 5,800 + 0.22 x 1,600 = 6,152 / 260
        {"nonresident alien daily", with(payRecord(2026, 6, 15, 260, 200), [](PayRecord& p) { p.nonresidentAlien = 1; }),
         23.66},
        // 2024 head of household: 52,000 - 8,600 = 43,400 in 29,850..76,400: 1,655 + 0.12 x 13,550 = 3,281 / 26
        {"2024 head of household", with(payRecord(2024, 3, 1, 26, 2000), [](PayRecord& p) { p.fedFilingStatus = 2; }),
         126.19},
    };
    for (const auto& c : cases) {
        PayRecord p = c.pay;
        StateRecord s = stateRecord(ORLA_TX, p.payPeriods, 0);
        EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u) << c.name;
        EXPECT_DOUBLE_EQ(p.fedTax, c.fedTax) << c.name;
        EXPECT_EQ(p.fedStatus, 0) << c.name;
    }
}

TEST(FederalIncomeTax, ExemptEmployeeOwesNothing) {
    for (int size : {164, 200}) {
        PayRecord p = payRecord(2026, 6, 15, 26, 5000);
        p.recordSize = size;
        p.fedExempt = 1;
        p.suppWages = 1000;
        StateRecord s = stateRecord(ORLA_TX, 26, 0);
        EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
        EXPECT_EQ(p.fedTax, 0.0);
        EXPECT_EQ(p.ssTax, 0.0);
        EXPECT_EQ(p.medicareTax, 0.0);
        EXPECT_EQ(p.fedSuppTax, 0.0);
    }
    // At 160 the exemption field is absent: the employee is taxed (pre-2020 rules, since the form field is absent too).
    PayRecord p = payRecord(2026, 6, 15, 26, 2000);
    p.recordSize = 160;
    p.fedExempt = 1;
    StateRecord s = stateRecord(ORLA_TX, 26, 0);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
    // 52,000 with no allowances: 5,800 + 0.22 x (52,000 - 57,900) is below; 1,240 + 0.12 x 32,100 = 5,092 / 26
    EXPECT_DOUBLE_EQ(p.fedTax, 195.85);
}

TEST(FederalIncomeTax, UnknownStatusFindsNoRow) {
    PayRecord p = payRecord(2026, 6, 15, 26, 2000);
    p.fedFilingStatus = 16;
    p.w4MultipleJobs = 1;  // 16 + 16 = 32: no withholding row
    StateRecord s = stateRecord(ORLA_TX, 26, 0);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), static_cast<unsigned>(ORLA_FLAG_FEDERAL));
    EXPECT_EQ(p.fedStatus, 1);
}

struct SuppCase {
    const char* name;
    int year;
    double ytd;
    int aggregate;
    double bonus;
    double fedSuppTax;
    unsigned flags;
};

TEST(FederalSupplementalTax, FlatRateAndAggregate) {
    const SuppCase cases[] = {
        {"22 percent", 2025, 999999, 0, 5000, 1100.00, 0},
        {"37 percent above a million", 2025, 1000001, 0, 5000, 1850.00, 0},
        {"2024 flat", 2024, 0, 0, 1234.56, 271.60, 0},
        // The 2026 rates are unchanged from 2025.
        {"2026 flat", 2026, 0, 0, 1000, 220.00, 0},
        {"2026 above a million", 2026, 1000000.01, 0, 1000, 370.00, 0},
        // 2026 biweekly 2,000 plus 1,000 aggregated: 69,400 gives 8,330 / 26 = 320.3846, less 156.1538
        {"aggregate", 2026, 0, 1, 1000, 164.23, 0},
    };
    for (const auto& c : cases) {
        PayRecord p = payRecord(c.year, 6, 15, 26, 2000);
        p.suppWages = c.bonus;
        p.suppYtdWages = c.ytd;
        p.suppAggregate = c.aggregate;
        StateRecord s = stateRecord(ORLA_TX, 26, 0);
        EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), c.flags) << c.name;
        EXPECT_DOUBLE_EQ(p.fedSuppTax, c.fedSuppTax) << c.name;
        EXPECT_EQ(p.fedWages, 2000.0) << c.name;  // the aggregate method leaves the wages as given
    }
}

TEST(FederalSupplementalTax, AbsentBelowTheGate) {
    PayRecord p = payRecord(2025, 6, 15, 26, 2000);
    p.recordSize = 128;
    p.suppWages = 5000;
    p.fedSuppTax = -7;
    StateRecord s = stateRecord(ORLA_TX, 26, 0);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
    EXPECT_EQ(p.fedSuppTax, -7.0);
    EXPECT_DOUBLE_EQ(p.ssTax, 124.00);  // the bonus does not count for FICA below the gate
}

struct FicaCase {
    const char* name;
    int mode;
    int size;
    double fica, ssYtd, medicareYtd, bonus;
    double ssTax, medicareTax;
};

TEST(SocialSecurityAndMedicare, WageBaseAndAdditionalMedicare) {
    const FicaCase cases[] = {
        {"wage base reached", ORLA_MODE_FULL, 200, 10000, 180000, 0, 0, 279.00, 145.00},
        {"past the wage base", ORLA_MODE_FULL, 200, 10000, 190000, 0, 0, 0.00, 145.00},
        {"additional medicare", ORLA_MODE_FULL, 200, 10000, 0, 195000, 0, 620.00, 190.00},
        {"employer share", ORLA_MODE_FEDERAL_EMPLOYER, 200, 10000, 0, 195000, 0, 620.00, 145.00},
        {"above the threshold", ORLA_MODE_FULL, 200, 1000, 0, 250000, 0, 62.00, 23.50},
        {"bonus counts", ORLA_MODE_FULL, 136, 1000, 0, 0, 5000, 372.00, 87.00},
        {"bonus not held at 129", ORLA_MODE_FULL, 129, 1000, 0, 0, 5000, 62.00, 14.50},
        {"bonus absent at 128", ORLA_MODE_FULL, 128, 1000, 0, 0, 5000, 62.00, 14.50},
    };
    for (const auto& c : cases) {
        PayRecord p = payRecord(2026, 6, 15, 26, 1000);
        p.recordSize = c.size;
        p.ficaWages = c.fica;
        p.ssYtdWages = c.ssYtd;
        p.medicareYtdWages = c.medicareYtd;
        p.suppWages = c.bonus;
        p.suppAggregate = 1;
        StateRecord s = stateRecord(ORLA_TX, 26, 0);
        ORLA_Calc(c.mode, &p, &s);
        EXPECT_DOUBLE_EQ(p.ssTax, c.ssTax) << c.name;
        EXPECT_DOUBLE_EQ(p.medicareTax, c.medicareTax) << c.name;
    }
}

TEST(SocialSecurityAndMedicare, ExemptionsAndWageBaseLookup) {
    PayRecord p = payRecord(2026, 6, 15, 26, 1000);
    p.ssExempt = 1;
    p.medicareExempt = 1;
    StateRecord s = stateRecord(ORLA_TX, 26, 0);
    ORLA_Calc(ORLA_MODE_FULL, &p, &s);
    EXPECT_EQ(p.ssTax, 0.0);
    EXPECT_EQ(p.medicareTax, 0.0);
    EXPECT_EQ(ssWageBaseFor(date(2025, 6, 15)), 176100.0);
    EXPECT_EQ(ssWageBaseFor(date(2024, 12, 31)), 168600.0);
    EXPECT_EQ(ssWageBaseFor(date(2027, 1, 1)), -1.0);
}

TEST(FederalTables, RowCountsAndTellingRows) {
    const auto table = federalWithholdingTable();
    ASSERT_EQ(table.size(), 144u);
    // Stored newest year first, statuses 1, 0, 2, 17, 16, 18 within a year.
    EXPECT_EQ(table[0].from.year, 2026);
    EXPECT_EQ(table[0].status, 1);
    EXPECT_EQ(table[8].status, 0);
    EXPECT_EQ(table[48].from.year, 2025);
    EXPECT_EQ(table[143].status, 18);
    EXPECT_EQ(table[143].low, 315625);
    EXPECT_EQ(table[143].base, 90977.25);
    EXPECT_EQ(table[143].high, 0);
    EXPECT_EQ(table[15].low, 648100);         // 2026 single top bracket
    EXPECT_EQ(table[15].base, 192979.25);
    EXPECT_EQ(table[39].base, 96489.63);      // 2026 Step 2 single top base
    for (const BracketRow& r : table) {
        EXPECT_EQ(r.periods, 1);
        EXPECT_EQ(r.allowance, 4300);
    }
    const auto nra = nonresidentAlienTable();
    ASSERT_EQ(nra.size(), 42u);
    EXPECT_EQ(nra[0].status, 32);
    EXPECT_EQ(nra[0].base, 226.9);
    EXPECT_EQ(nra[13].base, 16100);
    EXPECT_EQ(nra[41].base, 14600);
    EXPECT_EQ(northernMarianasRebateTable().size(), 36u);
    const auto supplemental = supplementalRateTable();
    ASSERT_EQ(supplemental.size(), 4u);
    EXPECT_EQ(supplemental[0].from.year, 2026);  // newest year first
    EXPECT_EQ(supplemental[3].from.year, 2023);
}

TEST(Territories, GuamAndVirginIslandsMoveTheFederalTax) {
    for (int code : {ORLA_GU, ORLA_VI}) {
        PayRecord p = payRecord(2025, 6, 15, 52, 1000);
        p.suppWages = 500;
        StateRecord s = stateRecord(code, 52, 1000);
        s.stateExtraWithholding = 5;
        EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
        EXPECT_EQ(p.fedTax, 0.0);
        EXPECT_EQ(p.fedSuppTax, 0.0);
        // 52,000 - 8,600 = 43,400: 1,192.50 + 0.12 x 25,075 = 4,201.50 / 52 = 80.80, plus the extra 5
        EXPECT_DOUBLE_EQ(s.stateTax, 85.80);
        EXPECT_DOUBLE_EQ(s.stateSuppTax, 110.00);
        EXPECT_DOUBLE_EQ(p.ssTax, 93.00);
    }
    // 2026 weekly 1,000: 4,060 / 52 = 78.08 withheld as the territory's tax.
    PayRecord p = payRecord(2026, 6, 15, 52, 1000);
    StateRecord s = stateRecord(ORLA_GU, 52, 1000);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
    EXPECT_EQ(p.fedTax, 0.0);
    EXPECT_DOUBLE_EQ(s.stateTax, 78.08);
    // A year beyond the tables: the territory falls back with the federal part instead of withholding nothing.
    p = payRecord(2027, 6, 15, 52, 1000);
    s = stateRecord(ORLA_GU, 52, 1000);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
    EXPECT_DOUBLE_EQ(s.stateTax, 78.08);
    EXPECT_EQ(p.fedStatus, 0);
}

TEST(Territories, NorthernMarianasRebate) {
    // 2025 weekly: federal-rule tax 43,400 less 18,325 at 12 % plus 1,192.50 = 4,201.50 / 52 = 80.798;
    // rebate 300 x 0.05 = 15.
    PayRecord p = payRecord(2025, 6, 15, 52, 1000);
    StateRecord s = stateRecord(ORLA_MP, 52, 300);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
    EXPECT_EQ(p.fedTax, 0.0);
    EXPECT_DOUBLE_EQ(s.stateTax, 65.80);
    EXPECT_DOUBLE_EQ(s.stateCertAmount1, 15.0);
    EXPECT_EQ(s.stateTableDate.year, 2025);

    // A rebate larger than the tax leaves the extra withholding.
    p = payRecord(2025, 6, 15, 52, 200);
    s = stateRecord(ORLA_MP, 52, 950);
    s.stateExtraWithholding = 3;
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
    EXPECT_DOUBLE_EQ(s.stateTax, 3.0);

    // The rebate rows are 2025's: 2026 is served by the fallback, 2024 and quarterly pays are not.
    p = payRecord(2026, 6, 15, 52, 1000);
    s = stateRecord(ORLA_MP, 52, 300);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
    EXPECT_EQ(s.stateTableDate.year, 2025);
    p = payRecord(2024, 6, 15, 52, 1000);
    s = stateRecord(ORLA_MP, 52, 300);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), static_cast<unsigned>(ORLA_FLAG_STATE));
    EXPECT_EQ(s.status, ORLA_STATE_NO_ROW);
    p = payRecord(2025, 6, 15, 4, 1000);
    s = stateRecord(ORLA_MP, 4, 300);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), static_cast<unsigned>(ORLA_FLAG_STATE));
    EXPECT_EQ(s.status, ORLA_STATE_NO_ROW);
    // The record must reach the rebate field.
    p = payRecord(2025, 6, 15, 52, 1000);
    s = stateRecord(ORLA_MP, 52, 300);
    s.recordSize = 212;
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), static_cast<unsigned>(ORLA_FLAG_STATE));
}

TEST(Territories, OverlappingRebateRowsTakeTheFirst) {
    // Semimonthly 916.60 lies in both the fifth (to 916.71) and sixth (from 916.51) brackets: 5 % wins.
    PayRecord p = payRecord(2025, 6, 15, 24, 3000);
    StateRecord s = stateRecord(ORLA_MP, 24, 916.60);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &p, &s), 0u);
    EXPECT_DOUBLE_EQ(s.stateCertAmount1, 916.60 * 0.05);
}

// Results of an independent open-source implementation of the 2024 percentage method (see
// tests/data/peer-vectors/SOURCE.md for origin and licence).
TEST(PeerVectors, Federal2024) {
    std::ifstream in(std::string(ORLA_TEST_DATA) + "/peer-vectors/python-taxes-2024-federal.json");
    ASSERT_TRUE(in.good());
    const nlohmann::json cases = nlohmann::json::parse(in);
    ASSERT_EQ(cases.size(), 61u);
    for (const auto& c : cases) {
        const std::string when = c["payDate"];
        PayRecord p = payRecord(std::stoi(when.substr(0, 4)), std::stoi(when.substr(5, 2)), std::stoi(when.substr(8, 2)),
                                c["payPeriods"], c["fedWages"]);
        p.fedFilingStatus = c["fedFilingStatus"];
        p.w4Form2020 = c["w4Form2020"];
        p.w4MultipleJobs = c["w4MultipleJobs"];
        p.w4Credits = c["w4Credits"];
        p.w4OtherIncome = c["w4OtherIncome"];
        p.w4Deductions = c["w4Deductions"];
        p.fedExtraWithholding = c["fedExtraWithholding"];
        p.fedAllowances = c["fedAllowances"];
        StateRecord s = stateRecord(ORLA_TX, p.payPeriods, 0);
        EXPECT_EQ(ORLA_Calc(ORLA_MODE_FEDERAL, &p, &s), 0u);
        const double expected = std::stod(c["expected_fedTax"].get<std::string>());
        EXPECT_NEAR(p.fedTax, expected, 1e-9) << c["peer_test"] << " wages " << c["fedWages"] << " periods "
                                              << c["payPeriods"];
    }
}

}  // namespace
}  // namespace orla
