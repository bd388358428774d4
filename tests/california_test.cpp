// California (jurisdiction 6). Expected values are worked by hand from the tables; each
// comment gives the steps: low-income test, estimated deduction, standard deduction, bracket, credit.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "state/calculators.h"
#include "state/california.h"
#include "test_records.h"

namespace orla {
namespace {

constexpr double kEps = 1e-9;
constexpr double kSentinel = 99.0;  // an output the calculator must leave alone

struct Ca : testing::Records {
    Ca(int year, int month, int day, int periods, int filingStatus, int allowances, double wages)
        : Records(testing::makeRecords(ORLA_CA, CalcDate{month, day, year}, periods, wages)) {
        state.stateFilingStatus = filingStatus;
        state.stateAllowances = allowances;
        state.stateSuppAggregate = 2;  // no supplemental tax unless a test asks for one
        state.stateSuppTax = kSentinel;
    }

    // The calculator alone, as the driver calls it (stateTax and status cleared).
    int direct() {
        state.stateTax = 0.0;
        state.status = 0;
        return calcCalifornia(ORLA_MODE_FULL, &pay, &state);
    }
    unsigned full() { return ORLA_Calc(ORLA_MODE_FULL, &pay, &state); }
};

void expectDate(const CalcDate& d, int year, int month, int day) {
    EXPECT_EQ(d.year, year);
    EXPECT_EQ(d.month, month);
    EXPECT_EQ(d.day, day);
}

// The tax rate row of a year, period count, status and bracket (1 to 10) by the stored layout.
const BracketRow& rateRow(int year, int periods, int status, int bracket) {
    static constexpr int kPeriodOrder[] = {1, 4, 2, 24, 12, 52, 26};
    int p = 0;
    while (kPeriodOrder[p] != periods) ++p;
    return caTables().taxRate[static_cast<size_t>((2026 - year) * 210 + p * 30 + status * 10 + bracket - 1)];
}

// ---- worked numbers ----------------------------------------------------------------------------------

// 2026 weekly, single, 1 allowance, wages 1,000: not below 363; no estimated deduction; standard 110 gives
// 890; bracket 797-1,107: 21.61 + (890 - 797) x 0.066 = 27.748; credit 3.24: 24.508.
TEST(California, WeeklySingle2026) {
    Ca c(2026, 3, 9, 52, 0, 1, 1000);
    EXPECT_EQ(c.direct(), 0);
    EXPECT_NEAR(c.state.stateTax, 24.508, kEps);
    EXPECT_EQ(c.state.status, 0);
    expectDate(c.state.stateTableDate, 2026, 1, 1);
    EXPECT_DOUBLE_EQ(c.state.stateSuppTax, kSentinel);  // stateSuppAggregate 2: not written

    // Through the driver: rounded to cents, with the additional withholding added first.
    Ca d(2026, 3, 9, 52, 0, 1, 1000);
    d.state.stateExtraWithholding = 5;
    EXPECT_EQ(d.full(), 0u);
    EXPECT_DOUBLE_EQ(d.state.stateTax, 29.51);  // 24.508 + 5
    EXPECT_EQ(d.state.status, 0);
}

// 2026 biweekly, married, 2 allowances, 1 additional: low-income column 2+ (1,454); estimated 38 gives
// 3,962; standard (2 allowances: 439) gives 3,523; bracket 3,188-4,428: 86.46 + 335 x 0.066 = 108.57;
// credit 2 allowances 12.95 (336.60 / 26 = 12.946): 95.62.
TEST(California, BiweeklyMarried2026) {
    Ca c(2026, 7, 2, 26, 1, 2, 4000);
    c.state.stateEstimatedAllowances = 1;
    EXPECT_EQ(c.direct(), 0);
    EXPECT_NEAR(c.state.stateTax, 95.62, kEps);
}

// 2025 monthly, head of household, 1 allowance, wages 10,000 (the state's 2025 monthly rows): standard 923
// gives 9,077; bracket 8,008-40,874: 321.78 + 1,069 x 0.1023 = 431.1387; credit 13.66: 417.4787.
TEST(California, MonthlyHeadOfHousehold2025) {
    Ca c(2025, 11, 30, 12, 2, 1, 10000);
    EXPECT_EQ(c.direct(), 0);
    EXPECT_NEAR(c.state.stateTax, 417.4787, kEps);
    EXPECT_EQ(c.full(), 0u);
    EXPECT_DOUBLE_EQ(c.state.stateTax, 417.48);
}

// 2024 semi-monthly, single, 1 allowance, wages 3,000 (derived 2024 rows): standard 223 gives 2,777;
// bracket 2,253-2,848: 85.58 + 524 x 0.088 = 131.692; credit 158.40 / 24 = 6.60: 125.092.
TEST(California, SemimonthlySingle2024DerivedRows) {
    Ca c(2024, 5, 15, 24, 0, 1, 3000);
    EXPECT_EQ(c.direct(), 0);
    EXPECT_NEAR(c.state.stateTax, 125.092, kEps);
    expectDate(c.state.stateTableDate, 2024, 1, 1);
}

// 2025 annual, single, no allowance, wages 31,035: standard 5,540 gives 25,495, which lies below the
// corrected third low 25,499: 118.32 + (25,495 - 10,756) x 0.022 = 442.578 (with the printed 25,490 it
// would be 442.67 + 5 x 0.044 = 442.89).
TEST(California, Corrected2025SingleThirdLow) {
    Ca c(2025, 6, 1, 1, 0, 0, 31035);
    EXPECT_EQ(c.direct(), 0);
    EXPECT_NEAR(c.state.stateTax, 442.578, kEps);
    EXPECT_EQ(rateRow(2025, 1, 0, 2).high, 25499);
    EXPECT_EQ(rateRow(2025, 1, 0, 3).low, 25499);
    EXPECT_EQ(rateRow(2025, 1, 0, 3).base, 442.67);
}

// 2025 annual, head of household, no allowance, wages 111,080: standard 11,080 gives 100,000; bracket
// 96,107-490,493: 3,862.25 + 3,893 x 0.1023 = 4,260.5039, 4,260.50 after rounding (the printed 3,862.24
// would give 4,260.49).
TEST(California, Corrected2025HeadOfHouseholdSixthBase) {
    Ca c(2025, 6, 1, 1, 2, 0, 111080);
    EXPECT_EQ(c.direct(), 0);
    EXPECT_NEAR(c.state.stateTax, 4260.5039, 1e-8);
    EXPECT_EQ(c.full(), 0u);
    EXPECT_DOUBLE_EQ(c.state.stateTax, 4260.50);
    EXPECT_EQ(rateRow(2025, 1, 2, 6).base, 3862.25);
}

// A daily payroll (260 periods) takes the annual row of every table: threshold 18,896 / 260 = 72.68;
// standard 5,706 / 260 = 21 in whole dollars, so w = 279; annualised 72,540 in 57,542-72,724:
// (2,186.15 + 14,998 x 0.088) / 260 = 3,505.974 / 260; credit 168.30 / 260 x 1.
TEST(California, DailyPayrollUsesAnnualRows) {
    Ca c(2026, 4, 14, 260, 0, 1, 300);
    EXPECT_EQ(c.direct(), 0);
    EXPECT_NEAR(c.state.stateTax, 3505.974 / 260 - 168.30 / 260, kEps);  // 12.8372...
    EXPECT_EQ(c.full(), 0u);
    EXPECT_DOUBLE_EQ(c.state.stateTax, 12.84);

    // Two allowances, twelve additional allowances: estimated 12 x 1,000 / 260 = 46.1538..., so
    // w = 300 - 46.1538... - 21 = 232.8461...; annualised 60,540 in 57,542-72,724:
    // (2,186.15 + 2,998 x 0.088) / 260 = 2,449.974 / 260; credit 168.30 / 260 x 2.
    Ca e(2026, 4, 14, 260, 0, 2, 300);
    e.state.stateEstimatedAllowances = 12;
    EXPECT_EQ(e.direct(), 0);
    EXPECT_NEAR(e.state.stateTax, 2449.974 / 260 - 168.30 / 260 * 2, 1e-8);

    // Below the annual threshold spread over the periods: exempt, dated by the low-income row.
    Ca x(2026, 4, 14, 260, 0, 1, 72.67);
    EXPECT_EQ(x.direct(), 0);
    EXPECT_DOUBLE_EQ(x.state.stateTax, 0.0);
    expectDate(x.state.stateTableDate, 2026, 1, 1);
}

// ---- elections --------------------------------------------------------------------------------------

// Additional allowances for estimated deductions, weekly 2026, single, no regular allowance (no credit).
TEST(California, EstimatedDeductionColumns) {
    // 10: column 10, 192; 1,000 - 192 - 110 = 698; 8.76 + 193 x 0.044 = 17.252.
    Ca ten(2026, 2, 6, 52, 0, 0, 1000);
    ten.state.stateEstimatedAllowances = 10;
    EXPECT_EQ(ten.direct(), 0);
    EXPECT_NEAR(ten.state.stateTax, 17.252, kEps);

    // 12: 12 x column 1 = 228; 1,000 - 228 - 110 = 662; 8.76 + 157 x 0.044 = 15.668.
    Ca twelve(2026, 2, 6, 52, 0, 0, 1000);
    twelve.state.stateEstimatedAllowances = 12;
    EXPECT_EQ(twelve.direct(), 0);
    EXPECT_NEAR(twelve.state.stateTax, 15.668, kEps);

    // A negative count deducts nothing: 890; 21.61 + 93 x 0.066 = 27.748.
    Ca negative(2026, 2, 6, 52, 0, 0, 1000);
    negative.state.stateEstimatedAllowances = -3;
    EXPECT_EQ(negative.direct(), 0);
    EXPECT_NEAR(negative.state.stateTax, 27.748, kEps);
}

// Married: the low-income column counts regular plus additional allowances, the standard deduction only
// the regular ones. Weekly 2026.
TEST(California, MarriedColumns) {
    // 1 + 1 allowances: threshold 727 > 700, exempt.
    Ca exempt(2026, 8, 21, 52, 1, 1, 700);
    exempt.state.stateEstimatedAllowances = 1;
    EXPECT_EQ(exempt.direct(), 0);
    EXPECT_DOUBLE_EQ(exempt.state.stateTax, 0.0);
    expectDate(exempt.state.stateTableDate, 2026, 1, 1);

    // 1 + 0: threshold 363, taxed: 700 - 110 = 590; 4.69 + 164 x 0.022 = 8.298; credit 3.24: 5.058.
    Ca taxed(2026, 8, 21, 52, 1, 1, 700);
    EXPECT_EQ(taxed.direct(), 0);
    EXPECT_NEAR(taxed.state.stateTax, 5.058, kEps);

    // 1 + 1, wages 800: second low-income column (727) but first standard column (110):
    // 800 - 19 - 110 = 671; 4.69 + 245 x 0.022 = 10.08; credit 3.24: 6.84.
    Ca mixed(2026, 8, 21, 52, 1, 1, 800);
    mixed.state.stateEstimatedAllowances = 1;
    EXPECT_EQ(mixed.direct(), 0);
    EXPECT_NEAR(mixed.state.stateTax, 6.84, kEps);

    // 2 + 0, wages 800: second standard column (219): 581; 4.69 + 155 x 0.022 = 8.10; credit 6.47: 1.63.
    Ca two(2026, 8, 21, 52, 1, 2, 800);
    EXPECT_EQ(two.direct(), 0);
    EXPECT_NEAR(two.state.stateTax, 1.63, kEps);
}

// Eleven or more regular allowances find no row of the pay's periods: the annual one-allowance credit.
// Weekly 2026, single, 12 allowances, wages 2,000: 1,890; 67.77 + 491 x 0.1023 = 117.9993;
// credit 168.30 / 52 x 12 = 38.8384...
TEST(California, ElevenOrMoreAllowancesTakeTheAnnualCredit) {
    Ca c(2026, 9, 4, 52, 0, 12, 2000);
    EXPECT_EQ(c.direct(), 0);
    EXPECT_NEAR(c.state.stateTax, 117.9993 - 168.30 / 52 * 12, kEps);
    EXPECT_EQ(c.full(), 0u);
    EXPECT_DOUBLE_EQ(c.state.stateTax, 79.16);
}

// The credit never takes the tax below 0: weekly 2026, single, 10 allowances, wages 500:
// 390; 2.34 + 177 x 0.022 = 6.234; credit 32.37.
TEST(California, ZeroFloor) {
    Ca c(2026, 9, 4, 52, 0, 10, 500);
    EXPECT_EQ(c.direct(), 0);
    EXPECT_DOUBLE_EQ(c.state.stateTax, 0.0);
}

// A filing status other than 0, 1, 2: no low-income test, no standard deduction, no bracket row: status 1,
// result 1, tax 0, and the table date keeps the 2017 stamp.
TEST(California, UnknownFilingStatus) {
    Ca c(2026, 3, 9, 52, 3, 0, 100);
    EXPECT_EQ(c.direct(), 1);
    EXPECT_EQ(c.state.status, 1);
    EXPECT_DOUBLE_EQ(c.state.stateTax, 0.0);
    expectDate(c.state.stateTableDate, 2017, 3, 9);

    Ca d(2026, 3, 9, 52, 3, 0, 100);
    d.state.stateExtraWithholding = 1.5;
    EXPECT_EQ(d.full() & ORLA_FLAG_STATE, static_cast<unsigned>(ORLA_FLAG_STATE));
    EXPECT_EQ(d.state.status, 1);
    EXPECT_DOUBLE_EQ(d.state.stateTax, 1.5);
}

// Taxable wages below zero match no bracket: status 1 and a zero tax. Weekly 2026, single, 20 additional
// allowances (380): 400 - 380 - 110 = -90.
TEST(California, NegativeTaxableWages) {
    Ca c(2026, 3, 9, 52, 0, 0, 400);
    c.state.stateEstimatedAllowances = 20;
    EXPECT_EQ(c.direct(), 1);
    EXPECT_EQ(c.state.status, 1);
    EXPECT_DOUBLE_EQ(c.state.stateTax, 0.0);
    expectDate(c.state.stateTableDate, 2017, 3, 9);

    // The aggregate step still runs: -90 + 300 = 210 in the first bracket, 2.31, less the zero tax.
    Ca a(2026, 3, 9, 52, 0, 0, 400);
    a.state.stateEstimatedAllowances = 20;
    a.state.stateSuppAggregate = 1;
    a.state.stateSuppWages = 300;
    EXPECT_EQ(a.direct(), 1);
    EXPECT_DOUBLE_EQ(a.state.stateTax, 0.0);
    EXPECT_DOUBLE_EQ(a.state.stateSuppTax, 2.31);
}

// ---- low-income test and the record size --------------------------------------------------------------

// Weekly 2026, single, no allowance, threshold 363 on wages plus supplemental wages (flat, bonus).
TEST(California, LowIncomeThresholdCountsSupplementalWages) {
    // 300 + 63 = 363: taxed. 300 - 110 = 190 x 0.011 = 2.09; 63 x 0.1024 = 6.4512.
    Ca at(2026, 10, 16, 52, 0, 0, 300);
    at.state.stateSuppAggregate = 0;
    at.state.stateSuppWages = 63;
    EXPECT_EQ(at.direct(), 0);
    EXPECT_NEAR(at.state.stateTax, 2.09, kEps);
    EXPECT_DOUBLE_EQ(at.state.stateSuppTax, 6.45);

    // One cent below: exempt, result 0, stateSuppTax untouched.
    Ca below(2026, 10, 16, 52, 0, 0, 300);
    below.state.stateSuppAggregate = 0;
    below.state.stateSuppWages = 62.99;
    EXPECT_EQ(below.direct(), 0);
    EXPECT_DOUBLE_EQ(below.state.stateTax, 0.0);
    EXPECT_DOUBLE_EQ(below.state.stateSuppTax, kSentinel);
    expectDate(below.state.stateTableDate, 2026, 1, 1);
}

// The supplemental fields exist only when the declared size exceeds 144. At 144 the supplemental wages lie
// outside the caller's record: they are neither read nor taxed, so they cannot count in the low-income test
// either. Weekly 2026, single, wages 300, bonus 100 (flat).
TEST(California, RecordSizeGate144) {
    Ca small(2026, 10, 16, 52, 0, 0, 300);
    small.state.recordSize = 144;
    small.state.stateSuppAggregate = 0;
    small.state.stateSuppWages = 100;
    EXPECT_EQ(small.direct(), 0);
    EXPECT_DOUBLE_EQ(small.state.stateTax, 0.0);  // 300 < 363: exempt
    EXPECT_DOUBLE_EQ(small.state.stateSuppTax, kSentinel);

    Ca large(2026, 10, 16, 52, 0, 0, 300);
    large.state.recordSize = 145;
    large.state.stateSuppAggregate = 0;
    large.state.stateSuppWages = 100;
    EXPECT_EQ(large.direct(), 0);
    EXPECT_NEAR(large.state.stateTax, 2.09, kEps);
    EXPECT_DOUBLE_EQ(large.state.stateSuppTax, 10.24);  // 100 x 0.1024

    // The aggregate method behind the same gate.
    Ca aggregateSmall(2026, 10, 16, 52, 0, 0, 300);
    aggregateSmall.state.recordSize = 144;
    aggregateSmall.state.stateSuppAggregate = 1;
    aggregateSmall.state.stateSuppWages = 100;
    EXPECT_EQ(aggregateSmall.direct(), 0);
    EXPECT_DOUBLE_EQ(aggregateSmall.state.stateSuppTax, kSentinel);
}

// ---- supplemental wages ---------------------------------------------------------------------------------

// Aggregate: weekly 2026, single, 1 allowance, wages 1,000, supplemental 500. Without: 890, 27.748. With:
// 1,390 in 1,107-1,399: 42.07 + 283 x 0.088 = 66.974. Supplemental tax 39.226, 39.23; the credit reduces
// only stateTax: 24.508.
TEST(California, AggregateSupplemental) {
    Ca c(2026, 12, 18, 52, 0, 1, 1000);
    c.state.stateSuppAggregate = 1;
    c.state.stateSuppWages = 500;
    EXPECT_EQ(c.direct(), 0);
    EXPECT_DOUBLE_EQ(c.state.stateSuppTax, 39.23);
    EXPECT_NEAR(c.state.stateTax, 24.508, kEps);
    expectDate(c.state.stateTableDate, 2026, 1, 1);

    Ca d(2026, 12, 18, 52, 0, 1, 1000);
    d.state.stateSuppAggregate = 1;
    d.state.stateSuppWages = 500;
    EXPECT_EQ(d.full(), 0u);
    EXPECT_DOUBLE_EQ(d.state.stateTax, 24.51);
    EXPECT_DOUBLE_EQ(d.state.stateSuppTax, 39.23);
}

// Flat rates: bonus and stock options 10.24 %, other supplemental wages 6.6 %; any method code other than 0
// and 1 writes nothing.
TEST(California, FlatSupplemental) {
    const struct {
        int aggregate;
        int kind;
        double want;
    } cases[] = {{0, 0, 51.20}, {0, 1, 33.00}, {0, 7, 33.00}, {2, 0, kSentinel}, {-1, 0, kSentinel}};
    for (const auto& k : cases) {
        Ca c(2025, 12, 18, 52, 0, 1, 1000);
        c.state.stateSuppAggregate = k.aggregate;
        c.state.stateSuppKind = k.kind;
        c.state.stateSuppWages = 500;
        EXPECT_EQ(c.direct(), 0);
        EXPECT_DOUBLE_EQ(c.state.stateSuppTax, k.want) << k.aggregate << " " << k.kind;
    }
}

// A failed aggregate re-lookup: status 1, result 1, supplemental tax 0.
TEST(California, AggregateWithoutRow) {
    Ca c(2026, 3, 9, 52, 5, 0, 1000);
    c.state.stateSuppAggregate = 1;
    c.state.stateSuppWages = 500;
    EXPECT_EQ(c.direct(), 1);
    EXPECT_EQ(c.state.status, 1);
    EXPECT_DOUBLE_EQ(c.state.stateSuppTax, 0.0);
}

// No flat supplemental row: the bit 64, status unchanged, the tax of the pay still computed.
TEST(California, FlatSupplementalWithoutRowSetsBit64) {
    CaTables tables = caTables();
    tables.supplementalRate = {};
    Ca c(2026, 3, 9, 52, 0, 1, 1000);
    c.state.stateSuppAggregate = 0;
    c.state.stateSuppWages = 500;
    EXPECT_EQ(calcCaliforniaWith(tables, &c.pay, &c.state), 64);
    EXPECT_EQ(c.state.status, 0);
    EXPECT_NEAR(c.state.stateTax, 24.508, kEps);
    EXPECT_DOUBLE_EQ(c.state.stateSuppTax, 0.0);
}

// No credit row in either pass: status 1, result 1 at once.
TEST(California, CreditWithoutRow) {
    CaTables tables = caTables();
    tables.exemptionCredit = {};
    Ca c(2026, 3, 9, 52, 0, 1, 1000);
    EXPECT_EQ(calcCaliforniaWith(tables, &c.pay, &c.state), 1);
    EXPECT_EQ(c.state.status, 1);
}

// No pay periods: no row in either pass of the first lookup.
TEST(California, NoPeriods) {
    Ca c(2026, 3, 9, 0, 0, 1, 1000);
    EXPECT_EQ(c.direct(), 1);
    EXPECT_EQ(c.state.status, 1);
    expectDate(c.state.stateTableDate, 2017, 3, 9);
}

// The library's own dated tables are searched through run indexes; the same rows in other
// storage are scanned row by row. Both must give the same result bit for bit, dates at the year ends, odd
// period counts, unknown statuses and allowances beyond the table included.
TEST(California, IndexedLookupsMatchThePlainScan) {
    const std::vector<BracketRow> taxRate(caTables().taxRate.begin(), caTables().taxRate.end());
    const std::vector<CaExemptionCreditRow> credit(caTables().exemptionCredit.begin(), caTables().exemptionCredit.end());
    const std::vector<CaLowIncomeRow> lowIncome(caTables().lowIncome.begin(), caTables().lowIncome.end());
    const std::vector<CaStandardDeductionRow> standard(caTables().standardDeduction.begin(),
                                                       caTables().standardDeduction.end());
    CaTables plain = caTables();
    plain.taxRate = taxRate;
    plain.exemptionCredit = credit;
    plain.lowIncome = lowIncome;
    plain.standardDeduction = standard;
    const CalcDate dates[] = {{1, 1, 2024}, {12, 31, 2024}, {6, 13, 2025}, {1, 1, 2026}, {12, 31, 2026}, {3, 1, 2027}};
    const int periodCounts[] = {1, 2, 4, 12, 24, 26, 52, 260, 3};
    const double wages[] = {400, 1500, 9000, 60000, 400000, 2000000};
    int compared = 0;
    for (const CalcDate& d : dates)
        for (const int periods : periodCounts)
            for (int status = 0; status <= 3; ++status)
                for (const int allowances : {0, 1, 10, 11})
                    for (const double w : wages) {
                        Ca a(d.year, d.month, d.day, periods, status, allowances, w);
                        a.state.stateSuppAggregate = 1;
                        a.state.stateSuppWages = w / 3;
                        Ca b = a;
                        const int ra = calcCaliforniaWith(caTables(), &a.pay, &a.state);
                        const int rb = calcCaliforniaWith(plain, &b.pay, &b.state);
                        ASSERT_EQ(ra, rb);
                        ASSERT_EQ(a.state.status, b.state.status);
                        ASSERT_EQ(a.state.stateTax, b.state.stateTax);
                        ASSERT_EQ(a.state.stateSuppTax, b.state.stateSuppTax);
                        ASSERT_TRUE(a.state.stateTableDate.year == b.state.stateTableDate.year &&
                                    a.state.stateTableDate.month == b.state.stateTableDate.month);
                        ++compared;
                    }
    EXPECT_EQ(compared, 6 * 9 * 4 * 4 * 6);
}

// ---- year fallback ------------------------------------------------------------------------------------

// 2027 has no row; the driver retries with 2026 and leaves no flag; the table date shows 2026.
TEST(California, Year2027FallsBackTo2026) {
    Ca c(2027, 6, 15, 52, 0, 1, 1000);
    EXPECT_EQ(c.full(), 0u);
    EXPECT_EQ(c.state.status, 0);
    EXPECT_DOUBLE_EQ(c.state.stateTax, 24.51);  // the 2026 weekly example
    expectDate(c.state.stateTableDate, 2026, 1, 1);
    expectDate(c.pay.payDate, 2027, 6, 15);
}

// 2028: neither 2028 nor 2027 has a row: flag 8, status 1, the 2017 stamp of the retry.
TEST(California, Year2028Fails) {
    Ca c(2028, 6, 15, 52, 0, 1, 1000);
    c.state.stateExtraWithholding = 2;
    EXPECT_EQ(c.full() & ORLA_FLAG_STATE, static_cast<unsigned>(ORLA_FLAG_STATE));
    EXPECT_EQ(c.state.status, 1);
    EXPECT_DOUBLE_EQ(c.state.stateTax, 2.0);
    expectDate(c.state.stateTableDate, 2017, 6, 15);
}

// ---- tables ---------------------------------------------------------------------------------------------

TEST(CaliforniaTables, RowCounts) {
    const CaTables& t = caTables();
    EXPECT_EQ(t.lowIncome.size(), 21u);
    EXPECT_EQ(t.estimatedDeduction.size(), 7u);
    EXPECT_EQ(t.standardDeduction.size(), 21u);
    EXPECT_EQ(t.taxRate.size(), 630u);
    EXPECT_EQ(t.supplementalRate.size(), 4u);
    EXPECT_EQ(t.exemptionCredit.size(), 231u);
}

// The stored order: years 2026, 2025, 2024; periods 1, 4, 2, 24, 12, 52, 26; statuses 0, 1, 2; ten
// brackets, each high the next low, the tenth open, the ten rates, first bracket at 0 with base 0.
TEST(CaliforniaTables, TaxRateLayout) {
    const double rates[] = {0.011, 0.022, 0.044, 0.066, 0.088, 0.1023, 0.1133, 0.1243, 0.1353, 0.1463};
    const int periods[] = {1, 4, 2, 24, 12, 52, 26};
    const auto rows = caTables().taxRate;
    for (size_t i = 0; i < rows.size(); ++i) {
        const BracketRow& r = rows[i];
        const int year = 2026 - static_cast<int>(i / 210);
        const size_t bracket = i % 10;
        expectDate(r.from, year, 1, 1);
        expectDate(r.to, year, 12, 31);
        EXPECT_EQ(r.periods, periods[(i / 30) % 7]) << i;
        EXPECT_EQ(r.status, static_cast<int>((i / 10) % 3)) << i;
        EXPECT_EQ(r.allowance, 0.0);
        EXPECT_EQ(r.rate, rates[bracket]) << i;
        if (bracket == 0) {
            EXPECT_EQ(r.low, 0.0) << i;
            EXPECT_EQ(r.base, 0.0) << i;
        }
        EXPECT_EQ(r.high, bracket == 9 ? 0.0 : rows[i + 1].low) << i;
    }
}

// In every group one boundary lies at 1,000,000 / periods, rounded half up.
TEST(CaliforniaTables, MillionBoundary) {
    const struct {
        int periods;
        double boundary;
    } cases[] = {{1, 1000000}, {2, 500000}, {4, 250000}, {12, 83334}, {24, 41667}, {26, 38462}, {52, 19231}};
    for (int year : {2026, 2025, 2024})
        for (const auto& k : cases)
            for (int status = 0; status < 3; ++status) {
                bool found = false;
                for (int b = 1; b <= 10; ++b) found = found || rateRow(year, k.periods, status, b).low == k.boundary;
                // The 2026 biweekly head-of-household group carries 38,461 (kept as tabled).
                if (year == 2026 && k.periods == 26 && status == 2) found = !found;
                EXPECT_TRUE(found) << year << " " << k.periods << " " << status;
            }
}

// Each base tax of the 2025 and 2024 groups is the previous base plus the previous bracket's tax, to the
// cent (the published 2025 rows and the derived 2024 rows alike).
TEST(CaliforniaTables, BaseTaxChain2025And2024) {
    for (int year : {2025, 2024})
        for (int periods : {1, 2, 4, 12, 24, 26, 52})
            for (int status = 0; status < 3; ++status) {
                if (year == 2024 && periods == 1 && status == 2) continue;  // printed 100,771.81, see below
                for (int b = 2; b <= 10; ++b) {
                    const BracketRow& prev = rateRow(year, periods, status, b - 1);
                    const BracketRow& r = rateRow(year, periods, status, b);
                    EXPECT_NEAR(r.base, prev.base + (r.low - prev.low) * prev.rate, 0.005 + 1e-7)
                        << year << " " << periods << " " << status << " " << b;
                }
            }
}

// The two corrections of the 2025 annual rows and the 2025 per-period rows of the state's table.
TEST(CaliforniaTables, Rows2025) {
    EXPECT_EQ(rateRow(2025, 1, 0, 3).low, 25499);
    EXPECT_EQ(rateRow(2025, 1, 2, 6).base, 3862.25);
    EXPECT_EQ(rateRow(2025, 1, 2, 7).base, 44207.94);
    // Weekly single: 207 / 490 / ... / 19,231 with base 2,208.41.
    EXPECT_EQ(rateRow(2025, 52, 0, 2).low, 207);
    EXPECT_EQ(rateRow(2025, 52, 0, 10).low, 19231);
    EXPECT_EQ(rateRow(2025, 52, 0, 10).base, 2208.41);
    // Married weekly top low 27,743 (not twice the single 13,871).
    EXPECT_EQ(rateRow(2025, 52, 1, 10).low, 27743);
    EXPECT_EQ(rateRow(2025, 26, 1, 10).low, 55486);
    // Monthly head of household: 8,008 with base 321.78.
    EXPECT_EQ(rateRow(2025, 12, 2, 6).low, 8008);
    EXPECT_EQ(rateRow(2025, 12, 2, 6).base, 321.78);
    EXPECT_EQ(rateRow(2025, 2, 2, 10).base, 53334.84);
}

// The derived 2024 rows (rule in california.cpp): weekly single lows R(annual / 52); biweekly twice weekly;
// married brackets 2-8 twice the single per-period low, the married top R(1,396,542 / 52) = 26,857.
TEST(CaliforniaTables, Rows2024Derived) {
    const double weeklySingle[] = {0, 200, 475, 749, 1040, 1314, 6714, 8057, 13428, 19231};
    const double weeklySingleBase[] = {0, 2.20, 8.25, 20.31, 39.52, 63.63, 616.05, 768.21, 1435.83, 2220.98};
    for (int b = 1; b <= 10; ++b) {
        EXPECT_EQ(rateRow(2024, 52, 0, b).low, weeklySingle[b - 1]) << b;
        EXPECT_DOUBLE_EQ(rateRow(2024, 52, 0, b).base, weeklySingleBase[b - 1]) << b;
        if (b <= 8) {
            EXPECT_EQ(rateRow(2024, 52, 1, b).low, 2 * weeklySingle[b - 1]) << b;
        }
        EXPECT_EQ(rateRow(2024, 26, 0, b).low, 2 * weeklySingle[b - 1]) << b;
    }
    EXPECT_EQ(rateRow(2024, 52, 1, 9).low, 19231);
    EXPECT_EQ(rateRow(2024, 52, 1, 10).low, 26857);
    EXPECT_EQ(rateRow(2024, 24, 2, 3).low, 2057);       // 49,371 / 24 = 2,057.1
    EXPECT_EQ(rateRow(2024, 12, 2, 3).low, 4114);       // twice the semi-monthly
    EXPECT_EQ(rateRow(2024, 4, 0, 2).low, 2603);        // 10,412 / 4
    EXPECT_EQ(rateRow(2024, 2, 0, 2).low, 5206);        // twice the quarterly
    EXPECT_EQ(rateRow(2024, 4, 2, 10).low, 250000);
    EXPECT_EQ(rateRow(2024, 4, 2, 9).low, 237412);      // 949,649 / 4 = 237,412.25
    EXPECT_DOUBLE_EQ(rateRow(2024, 4, 2, 10).base, 26896.08);
}

// Tabled values kept as they stand although they break the chain of base taxes (reported, not
// corrected): 2026 weekly head of household base 7, 2026 biweekly head of household low 9, 2026
// semi-monthly and monthly single base 8, 2024 annual head of household base 9.
TEST(CaliforniaTables, TabledValuesKeptAsTheyStand) {
    EXPECT_EQ(rateRow(2026, 52, 2, 7).base, 875.73);
    EXPECT_EQ(rateRow(2026, 26, 2, 9).low, 38461);
    EXPECT_EQ(rateRow(2026, 26, 2, 9).base, 4074.10);
    EXPECT_EQ(rateRow(2026, 24, 0, 8).base, 1770.94);
    EXPECT_EQ(rateRow(2026, 12, 0, 8).base, 3541.86);
    EXPECT_EQ(rateRow(2024, 1, 2, 9).base, 100771.81);
}

TEST(CaliforniaTables, TellingRows2026) {
    EXPECT_EQ(rateRow(2026, 1, 0, 2).low, 11079);
    EXPECT_EQ(rateRow(2026, 1, 0, 10).base, 114220.27);
    EXPECT_EQ(rateRow(2026, 52, 0, 5).base, 42.07);
    EXPECT_EQ(rateRow(2026, 26, 1, 10).low, 57150);
    EXPECT_EQ(rateRow(2026, 2, 2, 10).base, 53667.30);
    const auto low = caTables().lowIncome;
    EXPECT_EQ(low[0].periods, 1);
    EXPECT_EQ(low[0].married2Plus, 37791);
    EXPECT_EQ(low[6].periods, 52);
    EXPECT_EQ(low[20].single, 342);
    expectDate(low[20].from, 2024, 1, 1);
    const auto standard = caTables().standardDeduction;
    EXPECT_EQ(standard[5].periods, 26);
    EXPECT_EQ(standard[5].married2Plus, 439);
    EXPECT_EQ(standard[14].single, 5363);
    const auto estimated = caTables().estimatedDeduction;
    EXPECT_EQ(estimated[6].periods, 52);
    EXPECT_EQ(estimated[6].amount[0], 19);
    EXPECT_EQ(estimated[3].amount[9], 833);
}

TEST(CaliforniaTables, SupplementalRates) {
    const auto rows = caTables().supplementalRate;
    const int years[] = {2026, 2025, 2024, 2023};
    for (size_t i = 0; i < rows.size(); ++i) {
        expectDate(rows[i].from, years[i], 1, 1);
        expectDate(rows[i].to, years[i], 12, 31);
        EXPECT_EQ(rows[i].bonusRate, years[i] == 2023 ? 0.1023 : 0.1024);
        EXPECT_EQ(rows[i].otherRate, 0.066);
    }
}

// Every credit is the annual credit x count / periods rounded half up to cents; telling 2026 rows.
TEST(CaliforniaTables, ExemptionCredit) {
    const auto rows = caTables().exemptionCredit;
    const int periods[] = {52, 26, 24, 12, 4, 2, 1};
    const double annual[] = {168.30, 163.90, 158.40};
    for (size_t i = 0; i < rows.size(); ++i) {
        const size_t year = i / 77;
        const int p = periods[(i / 11) % 7];
        const int count = static_cast<int>(i % 11);
        expectDate(rows[i].from, 2026 - static_cast<int>(year), 1, 1);
        EXPECT_EQ(rows[i].periods, p) << i;
        EXPECT_EQ(rows[i].allowances, count) << i;
        EXPECT_NEAR(rows[i].credit, std::floor(annual[year] * count / p * 100 + 0.5 + 1e-9) / 100, 1e-9) << i;
    }
    auto credit = [&](int p, int count) {
        for (const CaExemptionCreditRow& r : rows)
            if (r.from.year == 2026 && r.periods == p && r.allowances == count) return r.credit;
        return -1.0;
    };
    const struct {
        int periods;
        double one, ten;
    } named[] = {{52, 3.24, 32.37}, {26, 6.47, 64.73}, {24, 7.01, 70.13},  {12, 14.03, 140.25},
                 {4, 42.08, 420.75}, {2, 84.15, 841.50}, {1, 168.30, 1683.00}};
    for (const auto& n : named) {
        EXPECT_EQ(credit(n.periods, 1), n.one) << n.periods;
        EXPECT_EQ(credit(n.periods, 10), n.ten) << n.periods;
        EXPECT_EQ(credit(n.periods, 0), 0.0) << n.periods;
    }
}

}  // namespace
}  // namespace orla
