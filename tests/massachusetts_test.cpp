#include <gtest/gtest.h>


#include "state/calculators.h"
#include "state/massachusetts.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::field;
using testing::makeRecords;
using testing::Records;

// A pay whose social security and Medicare taxes are given directly (the driver computes them before
// the state calculators run).
Records massachusettsRecords(CalcDate payDate, int periods, double wages, int exemptions, double ssTax = 0,
                             double medicareTax = 0) {
    Records r = makeRecords(ORLA_MA, payDate, periods, wages);
    r.pay.payPeriods = periods > 0 ? periods : 1;
    r.pay.ssTax = ssTax;
    r.pay.medicareTax = medicareTax;
    r.state.stateAllowances = exemptions;
    return r;
}

struct TaxCase {
    const char* name;
    Records records;
    double wantTax;  // unrounded
    int wantTaxableIncome;
};

Records withFlags(Records r, int headOfHousehold, int blind, int spouseBlind) {
    r.state.stateHeadOfHousehold = headOfHousehold;
    r.state.stateBlind = blind;
    r.state.stateSpouseBlind = spouseBlind;
    return r;
}

Records withYtd(Records r, double ssYtdWages) {
    r.state.stateOption = 2;
    r.pay.ssYtdWages = ssYtdWages;
    return r;
}

TEST(Massachusetts, RegularTax) {
    const CalcDate d = date(2026, 4, 10);
    const TaxCase cases[] = {
        // 1,000 - 39 - 131 - 76.50 = 753.50; no 26-period rate row: 26 x 753.50 x 0.05 / 26.
        {"biweekly worked example", massachusettsRecords(d, 26, 1000, 1, 62, 14.5), 37.675, 100000},
        {"head of household", withFlags(massachusettsRecords(d, 26, 1000, 1, 62, 14.5), 1, 0, 0), 37.675 - 4.62,
         100000},
        {"both blind", withFlags(massachusettsRecords(d, 26, 1000, 1, 62, 14.5), 0, 1, 1), 37.675 - 4.23 - 4.23,
         100000},
        // Two exemptions: 1,000 - 78 - 131 - 76.50 = 714.50.
        {"two exemptions", massachusettsRecords(d, 26, 1000, 2, 62, 14.5), 35.725, 100000},
        // No exemption amounts and no threshold with 0 exemptions: 150 - 11.475 = 138.525.
        {"weekly, no exemptions", massachusettsRecords(d, 52, 150, 0, 9.3, 2.175), 6.92625, 15000},
        // Deduction capped at 2,000 / 52 = 38.46...: 3,000 - 19 - 66 - 38.4615... = 2,876.538...
        {"weekly deduction cap", massachusettsRecords(d, 52, 3000, 1, 186, 43.5), (3000 - 19 - 66 - 2000.0 / 52) * 0.05,
         300000},
        // Quarterly has no row: the annual amounts divided by 4 (250, 850; cap 500).
        {"quarterly from the annual rows", massachusettsRecords(d, 4, 10000, 1, 620, 145),
         (10000 - 250 - 850 - 500.0) * 4 * 0.05 / 4, 1000000},
        // The annual no-tax threshold is divided too: 8,000 / 4 = 2,000 does not exceed 2,001, so
        // 2,001 - 250 - 850 = 901 is taxed: 4 x 901 x 0.05 / 4 = 45.05.
        {"quarterly just above the divided threshold", massachusettsRecords(d, 4, 2001, 1), 45.05, 200100},
        {"quarterly just below the divided threshold", massachusettsRecords(d, 4, 1999, 1), 0.0, 199900},
        // Annual pay: the rate rows serve it directly and the taxable amount is reported in dollars.
        {"annual pay", massachusettsRecords(d, 1, 100000, 1, 6200, 1450), 93600 * 0.05, 93600},
        // The surtax threshold belongs to the lower bracket; above it 9 %.
        {"at the surtax threshold", massachusettsRecords(d, 1, 1083150, 0), 54157.5, 1083150},
        {"above the surtax threshold", massachusettsRecords(d, 1, 2000000, 0), 82516.5 + 54157.5, 2000000},
        {"2024 surtax threshold", massachusettsRecords(date(2024, 4, 10), 1, 2000000, 0),
         (2000000 - 1053750) * 0.09 + 52687.5, 2000000},
        // Year-to-date cap: room 2,000 - 0.0765 x ytd, limited by the pay's own taxes.
        {"ytd room larger than the pay's taxes", withYtd(massachusettsRecords(d, 26, 1000, 1, 62, 14.5), 20000), 37.675,
         100000},
        {"ytd room smaller", withYtd(massachusettsRecords(d, 26, 1000, 1, 62, 14.5), 26000),
         (830 - (2000 - 0.0765 * 26000)) * 0.05, 100000},
        {"ytd room used up", withYtd(massachusettsRecords(d, 26, 1000, 1, 62, 14.5), 30000), 830 * 0.05, 100000},
    };
    for (const TaxCase& c : cases) {
        Records r = c.records;
        EXPECT_EQ(calcMassachusetts(ORLA_MODE_FULL, &r.pay, &r.state), 0) << c.name;
        EXPECT_NEAR(r.state.stateTax, c.wantTax, 1e-9) << c.name;
        EXPECT_EQ(r.pay.stateTaxableIncome, c.wantTaxableIncome) << c.name;
        EXPECT_EQ(r.state.status, 0) << c.name;
        if (c.wantTax != 0) {  // below the no-tax threshold no rate row is used
            EXPECT_EQ(r.state.stateTableDate.year, c.records.pay.payDate.year) << c.name;
        }
    }
}

TEST(Massachusetts, WorkedExampleThroughTheDriver) {
    Records r = massachusettsRecords(date(2026, 4, 10), 26, 1000, 1);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &r.pay, &r.state), 0u);
    EXPECT_DOUBLE_EQ(field(r.pay.ssTax), 62.0);
    EXPECT_DOUBLE_EQ(field(r.pay.medicareTax), 14.5);
    EXPECT_DOUBLE_EQ(field(r.state.stateTax), 37.68);
}

TEST(Massachusetts, BelowTheNoTaxThreshold) {
    Records r = massachusettsRecords(date(2026, 4, 10), 52, 150, 1, 9.3, 2.175);
    r.state.stateSuppTax = 5;
    r.state.stateTableDate = date(1999, 1, 1);
    EXPECT_EQ(calcMassachusetts(ORLA_MODE_FULL, &r.pay, &r.state), 0);
    EXPECT_EQ(field(r.state.stateTax), 0.0);
    EXPECT_EQ(field(r.state.stateSuppTax), 0.0);
    EXPECT_EQ(r.state.stateTableDate.year, 1999);  // no rate row was used

    // Supplemental wages count toward the threshold.
    Records withBonus = massachusettsRecords(date(2026, 4, 10), 52, 150, 1, 9.3, 2.175);
    withBonus.state.stateSuppWages = 10;
    EXPECT_EQ(calcMassachusetts(ORLA_MODE_FULL, &withBonus.pay, &withBonus.state), 0);
    EXPECT_GT(field(withBonus.state.stateTax), 0.0);
}

TEST(Massachusetts, ExemptEmployeeWritesOnlyTheTax) {
    Records r = massachusettsRecords(date(2026, 4, 10), 0, 5000, 1);
    r.state.stateExempt = 1;
    r.state.stateTax = 12;
    r.state.stateSuppTax = 3;
    r.pay.stateTaxableIncome = 77;
    EXPECT_EQ(calcMassachusetts(ORLA_MODE_FULL, &r.pay, &r.state), 0);
    EXPECT_EQ(field(r.state.stateTax), 0.0);
    EXPECT_EQ(field(r.state.stateSuppTax), 3.0);
    EXPECT_EQ(r.pay.stateTaxableIncome, 77);
    EXPECT_EQ(r.state.statePayPeriods, 0);
}

TEST(Massachusetts, NoPayPeriodsMeansAnnual) {
    Records r = massachusettsRecords(date(2026, 4, 10), 0, 100000, 1, 6200, 1450);
    EXPECT_EQ(calcMassachusetts(ORLA_MODE_FULL, &r.pay, &r.state), 0);
    EXPECT_EQ(r.state.statePayPeriods, 1);
    EXPECT_DOUBLE_EQ(field(r.state.stateTax), 4680);
}

// The fixed credits stop at zero: a small tax never turns into a refund.
TEST(Massachusetts, CreditsDoNotMakeTheTaxNegative) {
    Records r = withFlags(massachusettsRecords(date(2026, 4, 10), 52, 10, 0), 1, 1, 1);
    EXPECT_EQ(calcMassachusetts(ORLA_MODE_FULL, &r.pay, &r.state), 0);
    EXPECT_EQ(field(r.state.stateTax), 0.0);
}

TEST(Massachusetts, Supplemental) {
    // (500 + 753.50) x 0.05 - 37.675 = 25.00, whatever the method field says.
    for (int method : {0, 1, 5}) {
        Records r = massachusettsRecords(date(2026, 4, 10), 26, 1000, 1, 62, 14.5);
        r.state.stateSuppWages = 500;
        r.state.stateSuppAggregate = method;
        EXPECT_EQ(calcMassachusetts(ORLA_MODE_FULL, &r.pay, &r.state), 0);
        EXPECT_DOUBLE_EQ(field(r.state.stateSuppTax), 25.0) << method;
        EXPECT_EQ(r.pay.stateTaxableIncome, 150000);
    }
    Records none = massachusettsRecords(date(2026, 4, 10), 26, 1000, 1, 62, 14.5);
    none.state.stateSuppTax = 9;
    EXPECT_EQ(calcMassachusetts(ORLA_MODE_FULL, &none.pay, &none.state), 0);
    EXPECT_EQ(field(none.state.stateSuppTax), 0.0);
}

// The head-of-household and blindness credits come off the regular tax before the supplemental tax is
// worked out from it: 37.675 - 4.62 = 33.055; (500 + 753.50) x 0.05 - 33.055 = 29.62.
TEST(Massachusetts, SupplementalAfterTheCredits) {
    Records r = withFlags(massachusettsRecords(date(2026, 4, 10), 26, 1000, 1, 62, 14.5), 1, 0, 0);
    r.state.stateSuppWages = 500;
    EXPECT_EQ(calcMassachusetts(ORLA_MODE_FULL, &r.pay, &r.state), 0);
    EXPECT_NEAR(r.state.stateTax, 33.055, 1e-9);
    EXPECT_DOUBLE_EQ(field(r.state.stateSuppTax), 29.62);
}

// Wages times 100 beyond the int range: the taxable income in cents stops at the largest int instead of
// overflowing (weekly pays have no rate row of their own, so the cents figure stands).
TEST(Massachusetts, TaxableIncomeInCentsSaturates) {
    Records r = massachusettsRecords(date(2026, 4, 10), 52, 30000000, 0);
    EXPECT_EQ(calcMassachusetts(ORLA_MODE_FULL, &r.pay, &r.state), 0);
    EXPECT_EQ(r.pay.stateTaxableIncome, 2147483647);
}

TEST(Massachusetts, SupplementalFieldsNeedSizeAbove144) {
    for (int size : {144, 176}) {
        Records r = massachusettsRecords(date(2026, 4, 10), 26, 1000, 1, 62, 14.5);
        r.state.recordSize = size;
        r.state.stateSuppWages = 500;
        r.state.stateSuppTax = -7;
        EXPECT_EQ(calcMassachusetts(ORLA_MODE_FULL, &r.pay, &r.state), 0);
        EXPECT_DOUBLE_EQ(field(r.state.stateSuppTax), size == 144 ? -7.0 : 25.0) << size;
        EXPECT_EQ(r.pay.stateTaxableIncome, size == 144 ? 100000 : 150000) << size;
        EXPECT_DOUBLE_EQ(field(r.state.stateTax), 37.675) << size;
    }
}

TEST(Massachusetts, MissingYear) {
    Records direct = massachusettsRecords(date(2023, 4, 10), 26, 1000, 1, 62, 14.5);
    EXPECT_EQ(calcMassachusetts(ORLA_MODE_FULL, &direct.pay, &direct.state), 1);
    EXPECT_EQ(direct.state.status, ORLA_STATE_NO_ROW);
    EXPECT_EQ(field(direct.state.stateTax), 0.0);

    Records later = massachusettsRecords(date(2027, 4, 10), 26, 1000, 1);
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &later.pay, &later.state), 0u);
    EXPECT_DOUBLE_EQ(field(later.state.stateTax), 37.68);
    EXPECT_EQ(later.state.stateTableDate.year, 2026);
    EXPECT_EQ(later.state.status, 0);

    Records beyond = massachusettsRecords(date(2028, 4, 10), 26, 1000, 1);
    EXPECT_NE(ORLA_Calc(ORLA_MODE_FULL, &beyond.pay, &beyond.state) & ORLA_FLAG_STATE, 0u);
    EXPECT_EQ(beyond.state.status, ORLA_STATE_NO_ROW);
}

TEST(Massachusetts, TablesHoldTheirRows) {
    const auto exemptions = massachusettsExemptionTable();
    ASSERT_EQ(exemptions.size(), 15u);
    const MassachusettsExemptionRow& biweekly2024 = exemptions[13];
    EXPECT_EQ(biweekly2024.from.year, 2024);
    EXPECT_EQ(biweekly2024.periods, 26);
    EXPECT_EQ(biweekly2024.headOfHousehold, 4.62);
    EXPECT_EQ(biweekly2024.blindness, 4.23);
    EXPECT_EQ(biweekly2024.noTaxThreshold, 308);
    EXPECT_EQ(exemptions[1].blindness, 9.17);
    ASSERT_EQ(massachusettsFicaDeductionTable().size(), 3u);
    const auto rates = massachusettsRateTable();
    ASSERT_EQ(rates.size(), 6u);
    EXPECT_EQ(rates[1].low, 1083150);
    EXPECT_EQ(rates[1].base, 54157.50);
    EXPECT_EQ(rates[5].low, 1053750);
    EXPECT_EQ(rates[5].base, 52687.50);
}

}  // namespace
}  // namespace orla
