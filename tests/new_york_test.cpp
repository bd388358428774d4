#include <gtest/gtest.h>

#include <cmath>

#include "state/calculators.h"
#include "state/new_york.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::field;
using testing::makeRecords;
using testing::Records;

Records newYorkRecords(CalcDate payDate, int periods, double wages, int status = 0, int allowances = 0) {
    Records r = makeRecords(ORLA_NY, payDate, periods, wages);
    r.pay.payPeriods = periods > 0 ? periods : 1;
    r.state.stateFilingStatus = status;
    r.state.stateAllowances = allowances;
    return r;
}

struct TaxCase {
    const char* name;
    CalcDate payDate;
    int periods;
    double wages;
    int status;
    int allowances;
    double wantTax;  // unrounded
};

TEST(NewYork, RegularTax) {
    const CalcDate d = date(2026, 5, 15);
    const TaxCase cases[] = {
        {"below the deduction", d, 52, 100, 0, 0, 0.0},
        {"negative wages", d, 52, -500, 0, 0, 0.0},
        // Taxable 163 equals the first row's high and falls in the second row.
        {"weekly at a row boundary", d, 52, 305.3, 0, 0, 6.38},
        {"annual just below a boundary", d, 1, 7400 + 8499.99, 0, 0, 8499.99 * 0.039},
        {"annual at a boundary", d, 1, 7400 + 8500, 0, 0, 332},
        // Weekly 1,000 single: 857.70 in the fourth row.
        {"weekly single", d, 52, 1000, 0, 0, (857.7 - 267) * 0.054 + 11.27},
        {"any status but 1 is single", d, 52, 1000, 7, 0, (857.7 - 267) * 0.054 + 11.27},
        {"allowances", d, 52, 1000, 0, 2, (1000 - 142.3 - 38.5 - 267) * 0.054 + 11.27},
        {"negative allowances raise the taxable amount", d, 52, 1000, 0, -2,
         (1000 - 142.3 + 38.5 - 267) * 0.054 + 11.27},
        // The semimonthly married eighth row has its own rate, 0.0802.
        {"semimonthly married row 8", d, 24, 7331.25, 1, 0, (7000 - 6569) * 0.0802 + 391.17},
        {"monthly married row 8", d, 12, 14000 + 662.5, 1, 0, (14000 - 13138) * 0.0801 + 782.33},
        {"biweekly single row 10", d, 26, 11284.6, 0, 0, (11000 - 10208) * 0.0735 + 734.227},
        // 4, 2 and 365 periods have no rows of their own: the annual rows, annualised and divided back.
        {"quarterly", d, 4, 5000, 0, 0, ((20000 - 7400 - 11700) * 0.0515 + 472) / 4},
        {"daily married", d, 365, 100, 1, 1, ((36500 - 7950 - 1000 - 13900) * 0.054 + 586) / 365},
        {"2025 rows", date(2025, 5, 15), 52, 1000, 0, 0, (857.7 - 267) * 0.055 + 11.54},
        {"2024 married", date(2024, 5, 15), 26, 5000, 1, 1, (5000 - 305.8 - 38.5 - 4140) * 0.0717 + 229.35},
        // High-income rows tax the whole annualised amount at the high-income rate, whose lows are not
        // tested: 52 x 20,722.05 = 1,077,546.60 still takes 0.1045.
        {"weekly just into the high-income row", d, 52, 20722.05 + 142.3, 0, 0, 52 * 20722.05 * 0.1045 / 52},
        {"weekly 100,000 taxable takes the 5 million rate", d, 52, 100142.3, 0, 0, 52 * 100000.0 * 0.111 / 52},
        {"annual above 25 million", d, 1, 30007400, 0, 0, 30000000 * 0.117},
        {"married annual high income", d, 1, 3007950, 1, 0, 3000000 * 0.1045},
        {"2024 high income", date(2024, 5, 15), 1, 2000000, 0, 0, 1992600 * 0.1045},
        // Pass 2 annualises before the high-income lookup: 4 x 500,000 - 7,400.
        {"quarterly high income", d, 4, 500000, 0, 0, (2000000 - 7400) * 0.1045 / 4},
    };
    for (const TaxCase& c : cases) {
        Records r = newYorkRecords(c.payDate, c.periods, c.wages, c.status, c.allowances);
        r.state.stateTableDate = date(1999, 9, 9);
        EXPECT_EQ(calcNewYork(ORLA_MODE_FULL, &r.pay, &r.state), 0) << c.name;
        EXPECT_NEAR(r.state.stateTax, c.wantTax, 1e-9) << c.name;
        EXPECT_EQ(r.state.status, 0) << c.name;
        EXPECT_EQ(r.state.stateTableDate.year, 1999) << c.name;  // New York records no table date
    }
}

TEST(NewYork, ThroughTheDriverAndYearFallback) {
    Records base = newYorkRecords(date(2026, 5, 15), 52, 1000);
    base.state.stateExtraWithholding = 2;
    ASSERT_EQ(ORLA_Calc(ORLA_MODE_FULL, &base.pay, &base.state), 0u);
    EXPECT_DOUBLE_EQ(field(base.state.stateTax), 45.17);  // 43.1678 + 2, rounded to cents

    Records later = newYorkRecords(date(2027, 5, 15), 52, 1000);
    later.state.stateExtraWithholding = 2;
    EXPECT_EQ(ORLA_Calc(ORLA_MODE_FULL, &later.pay, &later.state), 0u);
    EXPECT_DOUBLE_EQ(field(later.state.stateTax), 45.17);
    EXPECT_EQ(later.state.status, 0);

    Records beyond = newYorkRecords(date(2028, 5, 15), 52, 1000);
    EXPECT_NE(ORLA_Calc(ORLA_MODE_FULL, &beyond.pay, &beyond.state) & ORLA_FLAG_STATE, 0u);
    EXPECT_EQ(beyond.state.status, ORLA_STATE_NO_ROW);
    EXPECT_EQ(field(beyond.state.stateTax), 0.0);
}

// With no positive period count nothing can be annualised: the lookup fails instead of dividing by 0.
TEST(NewYork, NoPayPeriodsFails) {
    for (int periods : {0, -52}) {
        Records r = newYorkRecords(date(2026, 5, 15), periods, 1000);
        EXPECT_EQ(calcNewYork(ORLA_MODE_FULL, &r.pay, &r.state), 1) << periods;
        EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
        EXPECT_EQ(field(r.state.stateTax), 0.0);
    }
}

struct SupplementalCase {
    const char* name;
    CalcDate payDate;
    int method;
    double suppWages;
    int wantResult;
    double wantSuppTax;  // 99 when left as the caller set it
};

TEST(NewYork, Supplemental) {
    const CalcDate d = date(2026, 5, 15);
    const SupplementalCase cases[] = {
        // 1,357.70 taxable: (1,357.70 - 267) x 0.054 + 11.27 = 70.1678, less the regular 43.1678.
        {"aggregate", d, 1, 500, 0, 27.0},
        {"aggregate never negative", d, 1, -500, 0, 0.0},
        {"flat", d, 0, 500, 0, 58.5},
        {"other method leaves the field", d, 2, 500, 0, 99},
        {"flat without a rate row", date(2023, 5, 15), 0, 500, 1 | 64, 99},
        {"aggregate without a row", date(2023, 5, 15), 1, 500, 1, 99},
    };
    for (const SupplementalCase& c : cases) {
        Records r = newYorkRecords(c.payDate, 52, 1000);
        r.state.stateSuppWages = c.suppWages;
        r.state.stateSuppAggregate = c.method;
        r.state.stateSuppTax = 99;
        EXPECT_EQ(calcNewYork(ORLA_MODE_FULL, &r.pay, &r.state), c.wantResult) << c.name;
        EXPECT_DOUBLE_EQ(field(r.state.stateSuppTax), c.wantSuppTax) << c.name;
        if (c.wantResult == 0) {
            EXPECT_NEAR(r.state.stateTax, 43.1678, 1e-9) << c.name;
        }
    }
}

TEST(NewYork, SupplementalFieldsNeedSizeAbove144) {
    for (int size : {144, 176}) {
        Records r = newYorkRecords(date(2026, 5, 15), 52, 1000);
        r.state.recordSize = size;
        r.state.stateSuppWages = 500;
        r.state.stateSuppTax = -7;
        EXPECT_EQ(calcNewYork(ORLA_MODE_FULL, &r.pay, &r.state), 0);
        EXPECT_DOUBLE_EQ(field(r.state.stateSuppTax), size == 144 ? -7.0 : 58.5) << size;
    }
}

TEST(NewYork, HighIncomeLookup) {
    const CalcDate d = date(2025, 2, 1);
    const NewYorkBracketRow* single = newYorkHighIncomeRow(d, 0, 100);  // the low is not tested
    ASSERT_NE(single, nullptr);
    EXPECT_EQ(single->rate, 0.1045);
    EXPECT_EQ(single->from.year, 2025);
    EXPECT_EQ(newYorkHighIncomeRow(d, 1, 5000000)->rate, 0.111);
    EXPECT_EQ(newYorkHighIncomeRow(d, 1, 25000000)->rate, 0.117);
    EXPECT_EQ(newYorkHighIncomeRow(date(2023, 2, 1), 0, 2000000), nullptr);
    EXPECT_EQ(newYorkHighIncomeRow(d, 2, 2000000), nullptr);
}

// The bracket tax straight from the rule: every row in stored order, first match wins. The calculator's
// indexed scan must agree with it everywhere, to the bit.
NewYorkTax plainBracketTax(const CalcDate& d, int status, int periods, double w, double extra, int a) {
    const auto highIncomeRate = [&](double annual, double& rate) {
        for (const NewYorkBracketRow& h : newYorkHighIncomeTable())
            if (h.status == status && rowCovers(h.from, h.to, d) && (h.high > annual || h.high == 0)) {
                rate = h.rate;
                return true;
            }
        return false;
    };
    for (int pass = 1; pass <= 2; ++pass) {
        if (pass == 2 && periods < 1) break;
        const int rowPeriods = pass == 1 ? periods : 1;
        for (const NewYorkBracketRow& r : newYorkBracketTable()) {
            if (!rowCovers(r.from, r.to, d) || r.status != status || r.periods != rowPeriods) continue;
            const double t = pass == 1 ? std::fmax(0.0, w + extra - r.deduction - a * r.allowance)
                                       : std::fmax(0.0, periods * w + periods * extra - r.deduction - a * r.allowance);
            if (!(t >= r.low)) continue;
            if (r.base < 0) {
                const double annual = pass == 1 ? periods * t : t;
                double rate = 0;
                return {true, highIncomeRate(annual, rate) ? annual * rate / periods : 0.0};
            }
            if (r.high > t || r.high == 0) return {true, pass == 1 ? (t - r.low) * r.rate + r.base
                                                                  : ((t - r.low) * r.rate + r.base) / periods};
        }
    }
    return {};
}

TEST(NewYork, IndexedScanMatchesThePlainScan) {
    const CalcDate dates[] = {date(2023, 12, 31), date(2024, 1, 1), date(2024, 7, 4), date(2025, 12, 31),
                              date(2026, 1, 1), date(2026, 9, 30), date(2027, 1, 1)};
    const int periodCounts[] = {52, 26, 24, 12, 1, 4, 365, 0, -2};
    const double wages[] = {-100, 0, 150, 305.3, 1000, 3499.99, 7331.25, 20864.35, 45000, 100142.3, 2.5e6, 4e7};
    int compared = 0;
    for (const CalcDate& d : dates)
        for (int status : {0, 1, 2})
            for (int periods : periodCounts)
                for (double w : wages)
                    for (int a : {0, 3})
                        for (double extra : {0.0, 1234.5}) {
                            const NewYorkTax want = plainBracketTax(d, status, periods, w, extra, a);
                            const NewYorkTax got = newYorkBracketTax(d, status, periods, w, extra, a);
                            ASSERT_EQ(got.found, want.found) << d.year << " " << status << " " << periods << " " << w;
                            ASSERT_EQ(got.tax, want.tax) << d.year << " " << status << " " << periods << " " << w;
                            ++compared;
                        }
    EXPECT_EQ(compared, 7 * 3 * 9 * 12 * 2 * 2);
}

TEST(NewYork, TablesHoldTheirRows) {
    const auto brackets = newYorkBracketTable();
    ASSERT_EQ(brackets.size(), 360u);
    EXPECT_EQ(newYorkHighIncomeTable().size(), 18u);
    EXPECT_EQ(newYorkSupplementalRateTable().size(), 3u);
    // Each year holds 120 rows in the period order 52, 26, 12, 24, 1, single before married.
    const int periodOrder[] = {52, 26, 12, 24, 1};
    for (size_t i = 0; i < brackets.size(); ++i) {
        const NewYorkBracketRow& r = brackets[i];
        const size_t inYear = i % 120, inGroup = inYear % 24;
        EXPECT_EQ(r.from.year, 2026 - static_cast<int>(i / 120)) << i;
        EXPECT_EQ(r.periods, periodOrder[inYear / 24]) << i;
        EXPECT_EQ(r.status, inGroup < 11 ? 0 : 1) << i;
        // Contiguous rows; the last of each status is the high-income row.
        const bool last = inGroup == 10 || inGroup == 23;
        EXPECT_EQ(isHighIncomeRow(r), last) << i;
        if (!last) {
            EXPECT_EQ(r.high, brackets[i + 1].low) << i;
        }
    }
    // 2026 biweekly single: the last row's high stands at 193,308 (192,308 for married).
    EXPECT_EQ(brackets[24 + 10].high, 193308);
    EXPECT_EQ(brackets[24 + 23].high, 192308);
    EXPECT_EQ(brackets[24 + 9].base, 734.227);
    // 2026 semimonthly married row 8 (index 11 + 7 in the 24-period group).
    EXPECT_EQ(brackets[72 + 18].rate, 0.0802);
    EXPECT_EQ(brackets[48 + 18].rate, 0.0801);
    // 2024 annual married row 12 and its deduction.
    const NewYorkBracketRow& annualMarried2024 = brackets[240 + 96 + 22];
    EXPECT_EQ(annualMarried2024.low, 1077550);
    EXPECT_EQ(annualMarried2024.base, 79368);
    EXPECT_EQ(annualMarried2024.deduction, 7950);
    EXPECT_EQ(annualMarried2024.rate, 0.0765);
}

}  // namespace
}  // namespace orla
