#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "state/calculators.h"
#include "state/oregon.h"
#include "state/table_years.h"
#include "table_checksum.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::Call;
using testing::field;
using testing::sameDate;
using testing::tableChecksum;

struct OregonCase {
    const char* name;
    CalcDate payDate;
    int periods;
    int filingStatus;
    int allowances;
    double wages;
    double fedTax;
    double want;
    int wantTaxableCents;  // 0 for the annualised pass, which stores nothing
};

Call oregonCall(const OregonCase& c) {
    Call call(ORLA_OR, c.payDate, c.periods, c.wages);
    call.state.stateFilingStatus = c.filingStatus;
    call.state.stateAllowances = c.allowances;
    call.pay.fedTax = c.fedTax;
    call.pay.stateTaxableIncome = 123;
    return call;
}

TEST(Oregon, RegularTax) {
    const OregonCase cases[] = {
        // Biweekly 2,000 >= 1,923: higher-wage table. 52,000 - min(8,500, 3,900) - 2,835 = 45,265;
        // ((45,265 - 11,100) x 0.0875 + 661 - 256) / 26 = 130.56
        {"biweekly higher-wage", date(2026, 3, 6), 26, 0, 1, 2000, 150, 131, 0},
        // 1,900 < 1,923: lower-wage table, 42,665: ((31,565 x 0.0875 + 917 - 256) / 26 = 131.65
        {"biweekly lower-wage", date(2026, 3, 6), 26, 0, 1, 1900, 150, 132, 0},
        // A weekly wage at the threshold takes the higher-wage table: (36,089 x 0.0875 + 661 - 256) / 52
        {"weekly at the threshold", date(2026, 3, 6), 52, 0, 1, 962, 0, 69, 0},
        // Single with 3 allowances: married rows, single subtraction and credit limit:
        // 60,000 - 5,000 - 5,670 = 49,330; 27,130 x 0.0875 + 1,323 - 768 = 2,928.88
        {"single with 3 allowances", date(2026, 3, 6), 1, 0, 3, 60000, 5000, 2929, 4933000},
        {"second single code with 3 allowances", date(2026, 3, 6), 1, 10, 3, 60000, 5000, 2929, 4933000},
        // At the credit income limit the credit stays; a cent above it goes.
        {"at the credit limit", date(2026, 3, 6), 1, 0, 1, 100000, 0, 7936, 9716500},
        {"above the credit limit", date(2026, 3, 6), 1, 0, 1, 100000.01, 0, 8192, 9716501},
        // 145,000 and over subtracts nothing: (142,165 - 125,000) x 0.099 + 10,627
        {"no subtraction from 145,000", date(2026, 3, 6), 1, 0, 0, 145000, 10000, 12326, 14216500},
        // 130,000 to 135,000 caps the subtraction at 5,100: 124,065 -> 10,545.44
        {"subtraction phased out", date(2026, 3, 6), 1, 0, 0, 132000, 10000, 10545, 12406500},
        // Credit above the tax: 256 - 512 is stored as 0.
        {"credit above the tax", date(2026, 3, 6), 1, 1, 2, 3000, 0, 0, 0},
        // 2024 married weekly, higher-wage: 52,000 - 2,600 - 5,495 = 43,905;
        // (22,405 x 0.0875 + 1,280) / 52 = 62.32
        {"2024 married weekly", date(2024, 5, 3), 52, 1, 0, 1000, 50, 62, 0},
    };
    for (const OregonCase& c : cases) {
        Call call = oregonCall(c);
        EXPECT_EQ(call.run(calcOregon), 0) << c.name;
        EXPECT_EQ(call.state.status, 0) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.want) << c.name;
        EXPECT_EQ(call.pay.stateTaxableIncome, c.wantTaxableCents) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, date(c.payDate.year, 1, 1))) << c.name;
    }
}

TEST(Oregon, Supplemental) {
    struct Case {
        const char* name;
        int size;
        int method;
        int wantResult;
        double want;
    };
    // The biweekly higher-wage pay above (130.56 before rounding) with a bonus of 500.
    const Case cases[] = {
        // 2,500: 65,000 - 3,900 - 2,835 = 58,265 -> 174.31; 174.31 - 130.56 = 43.75, whole dollars
        {"aggregate", sizeof(StateRecord), 1, 0, 44},
        {"any non-zero method is aggregate", sizeof(StateRecord), 7, 0, 44},
        {"flat rate in cents", sizeof(StateRecord), 0, 0, 40},
        {"record of 144", 144, 1, 0, testing::kUntouched},
    };
    for (const Case& c : cases) {
        Call call = oregonCall({"", date(2026, 3, 6), 26, 0, 1, 2000, 150, 0, 0});
        call.state.recordSize = c.size;
        call.state.stateSuppAggregate = c.method;
        call.state.stateSuppWages = 500;
        call.state.stateSuppTax = testing::kUntouched;
        EXPECT_EQ(call.run(calcOregon), c.wantResult) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), 131) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.want) << c.name;
    }
}

TEST(Oregon, Failures) {
    // No rows for 2023: status 1 and failure before any supplemental step; the 2017 table date stays.
    Call old = oregonCall({"", date(2023, 3, 6), 26, 0, 1, 2000, 150, 0, 0});
    old.state.stateSuppAggregate = 0;
    old.state.stateSuppWages = 500;
    EXPECT_EQ(old.run(calcOregon), 1);
    EXPECT_EQ(old.state.status, ORLA_STATE_NO_ROW);
    EXPECT_DOUBLE_EQ(field(old.state.stateSuppTax), 0);
    EXPECT_TRUE(sameDate(old.state.stateTableDate, date(2017, 3, 6)));

    // A status with no rate rows.
    Call unknown = oregonCall({"", date(2026, 3, 6), 26, 2, 1, 2000, 150, 0, 0});
    EXPECT_EQ(unknown.run(calcOregon), 1);
    EXPECT_EQ(unknown.state.status, ORLA_STATE_NO_ROW);

    // Fewer than one pay period: no division, failure.
    Call none = oregonCall({"", date(2026, 3, 6), 0, 0, 1, 2000, 150, 0, 0});
    EXPECT_EQ(none.run(calcOregon), 1);
    EXPECT_EQ(none.state.status, ORLA_STATE_NO_ROW);
    EXPECT_DOUBLE_EQ(field(none.state.stateTax), 0);
    // Through the driver a 2027 pay falls back to 2026.
    Call late = oregonCall({"", date(2027, 3, 5), 26, 0, 1, 2000, 150, 0, 0});
    EXPECT_EQ(late.driver() & ORLA_FLAG_STATE, 0u);
    EXPECT_TRUE(sameDate(late.state.stateTableDate, date(2026, 1, 1)));
}

TEST(Oregon, Tables) {
    auto dates = [](const auto& r) {
        return std::array{double(r.from.month), double(r.from.day), double(r.from.year),
                          double(r.to.month),   double(r.to.day),   double(r.to.year)};
    };
    EXPECT_EQ(oregonCreditLimitTable().size(), 9u);
    EXPECT_EQ(tableChecksum(oregonCreditLimitTable(), [&](const OregonCreditLimitRow& r) {
                  const auto d = dates(r);
                  return std::array{d[0], d[1], d[2], d[3], d[4], d[5], double(r.status), r.limit};
              }),
              51230409000000u);
    EXPECT_EQ(tableChecksum(oregonWageLevelTable(), [&](const OregonWageLevelRow& r) {
                  const auto d = dates(r);
                  return std::array{d[0], d[1], d[2], d[3], d[4], d[5], double(r.periods), r.threshold};
              }),
              11179266000000u);
    EXPECT_EQ(tableChecksum(oregonFederalSubtractionTable(), [&](const OregonFederalSubtractionRow& r) {
                  const auto d = dates(r);
                  return std::array{d[0], d[1], d[2], d[3], d[4], d[5], double(r.status), double(r.periods),
                                    r.low, r.high, r.limit};
              }),
              2849013064000000u);
    auto rateFields = [&](const OregonRateRow& r) {
        const auto d = dates(r);
        return std::array{d[0], d[1], d[2], d[3], d[4], d[5], double(r.status), double(r.periods),
                          double(r.reserved), r.allowanceCredit, r.maximumSubtraction, r.standardDeduction,
                          r.low, r.high, r.excessOver, r.base, r.rate};
    };
    EXPECT_EQ(tableChecksum(oregonLowerWageTable(), rateFields), 90271060302500u);
    EXPECT_EQ(tableChecksum(oregonHigherWageTable(), rateFields), 619027275816500u);
}

// The table years covering a date are those whose 1 January to 31 December row the row date test passes,
// for valid and odd dates alike.
TEST(TableYears, AgreeWithTheRowDateTest) {
    for (const int year : {INT_MIN, 2022, 2023, 2024, 2025, 2026, 2027, INT_MAX})
        for (int month = -1; month <= 14; ++month)
            for (int day = -1; day <= 33; ++day) {
                const CalcDate d{month, day, year};
                const TableYears years(d);
                std::size_t newest = kTableYearCount;
                for (std::size_t s = kTableYearCount; s-- > 0;) {
                    const int y = kTableYears[s];
                    const bool covers = rowCovers(date(y, 1, 1), date(y, 12, 31), d);
                    ASSERT_EQ(years.hold(y), covers) << year << "-" << month << "-" << day << " row " << y;
                    if (covers) newest = s;
                }
                ASSERT_EQ(years.newest(), newest);
                ASSERT_FALSE(years.hold(2023));
            }
}

// A band lookup through the table years returns the row of the plain first-match scan.
TEST(TableYears, BandLookupIsThePlainScan) {
    OregonFederalSubtractionRow table[42];
    ASSERT_EQ(oregonFederalSubtractionTable().size(), std::size(table));
    std::copy_n(oregonFederalSubtractionTable().begin(), std::size(table), table);
    const RunIndex<OregonFederalSubtractionRow, 42> index(table, statusPeriodsOf<OregonFederalSubtractionRow>);
    ASSERT_TRUE(oneRunPerTableYear(index));
    const CalcDate dates[] = {date(2026, 3, 6), date(2025, 12, 31), date(2024, 1, 1), date(2023, 6, 1),
                              date(2027, 1, 1), date(2025, 0, 5),   date(2026, 13, 1), date(2025, 1, 0)};
    const double amounts[] = {-1, 0, 49999.99, 50000, 124999, 125000, 144999.5, 145000, 290000, 1e12, NAN};
    for (const CalcDate& d : dates)
        for (const int status : {0, 1, 2})
            for (const double x : amounts) {
                const OregonFederalSubtractionRow* plain = nullptr;
                for (const OregonFederalSubtractionRow& r : table)
                    if (r.status == status && r.periods == 1 && bandHolds(r, x) && rowCovers(r.from, r.to, d)) {
                        plain = &r;
                        break;
                    }
                const TableYears years(d);
                EXPECT_EQ(findBandIn(index, table, years, StatusPeriods{status, 1}, [x](const auto&) { return x; }),
                          plain)
                    << d.year << "-" << d.month << "-" << d.day << " status " << status << " amount " << x;
            }
}

}  // namespace
}  // namespace orla
