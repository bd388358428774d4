#include <gtest/gtest.h>

#include "frame/common.h"

namespace orla {
namespace {

struct RoundCase {
    double in;
    double want;
};

TEST(RoundCents, HalfUpOnTruncatedThousandths) {
    const RoundCase cases[] = {
        {1.005, 1.00},   {0.125, 0.13},  {12.345, 12.35}, {12.3449, 12.34}, {-1.23, -1.22}, {0.0049, 0.0},
        {2.675, 2.68},   {-1.235, -1.23}, {-1.234, -1.22}, {-0.004, 0.0},   {-0.006, 0.0},  {0.0, 0.0},
        {156.153846, 156.15},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(roundCents(c.in), c.want) << c.in;
}

TEST(RoundDollars, HalfUpOnTruncatedTenths) {
    const RoundCase cases[] = {{12.45, 12}, {12.5, 13}, {-12.5, -12}, {12.49, 12}, {0.949, 1}, {-12.4, -11}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(roundDollars(c.in), c.want) << c.in;
}

// Beyond the 32-bit range of the original rule the 64-bit steps keep rounding correctly.
TEST(RoundCents, LargeAmountsStayExact) {
    EXPECT_DOUBLE_EQ(roundCents(2147483.65), 2147483.65);
    EXPECT_DOUBLE_EQ(roundCents(3000000.126), 3000000.13);
    EXPECT_DOUBLE_EQ(roundCents(123456789.004), 123456789.0);
    EXPECT_DOUBLE_EQ(roundDollars(214748364.5), 214748365.0);
    EXPECT_DOUBLE_EQ(roundDollars(5e12 + 0.5), 5e12 + 1);
    EXPECT_DOUBLE_EQ(roundCents(1e300), 1e300);
}

TEST(RoundCents, NonFiniteIsReturnedAsItIs) {
    EXPECT_TRUE(std::isnan(roundCents(std::nan(""))));
    EXPECT_EQ(roundCents(INFINITY), INFINITY);
    EXPECT_EQ(roundDollars(-INFINITY), -INFINITY);
}

TEST(TruncToInt, SaturatesAndClearsNaN) {
    EXPECT_EQ(truncToInt(12.9), 12);
    EXPECT_EQ(truncToInt(-12.9), -12);
    EXPECT_EQ(truncToInt(1e12), INT_MAX);
    EXPECT_EQ(truncToInt(-1e12), INT_MIN);
    EXPECT_EQ(truncToInt(std::nan("")), 0);
}

TEST(DateDiff, ThirtyOneDayMonths) {
    int y = 9, m = 9, d = 9;
    EXPECT_EQ(dateDiff(date(2025, 3, 1), date(2025, 1, 31), y, m, d), 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(m, 1);
    EXPECT_EQ(d, 1);
    EXPECT_EQ(dateDiff(date(2026, 6, 15), date(2025, 6, 15), y, m, d), 0);
    EXPECT_EQ(y, 1);
    EXPECT_EQ(dateDiff(date(2025, 6, 14), date(2025, 6, 15), y, m, d), 0);
    EXPECT_EQ(y, -1);
}

TEST(DateDiff, LaterYearWritesNothingUnlessStrict) {
    int y = 7, m = 7, d = 7;
    EXPECT_EQ(dateDiff(date(2025, 1, 1), date(2026, 1, 1), y, m, d), 1);
    EXPECT_EQ(y, 7);
    EXPECT_EQ(dateDiffStrict(date(2025, 1, 1), date(2026, 1, 1), y, m, d), 1);
    EXPECT_EQ(y, 1);
    EXPECT_EQ(m, 7);
}

TEST(DateDiff, ExtremeYearsDoNotOverflow) {
    int y = 0, m = 0, d = 0;
    EXPECT_EQ(dateDiff(date(INT_MAX, 12, 31), date(INT_MIN, 1, 1), y, m, d), 0);
    EXPECT_EQ(y, INT_MAX);
    EXPECT_EQ(yearBefore(INT_MIN), INT_MIN);
    EXPECT_FALSE(rowCovers(date(2025, 1, 1), date(2025, 12, 31), date(INT_MIN, INT_MIN, INT_MIN)));
    EXPECT_FALSE(rowCovers(date(2025, 1, 1), date(2025, 12, 31), date(INT_MAX, INT_MAX, INT_MAX)));
}

struct CoverCase {
    CalcDate from, to, d;
    bool covers, coversStrict;
};

TEST(RowCovers, DateTests) {
    const CalcDate jan25 = date(2025, 1, 1), dec25 = date(2025, 12, 31), jan26 = date(2026, 1, 1);
    const CoverCase cases[] = {
        {jan25, dec25, date(2025, 1, 1), true, true},
        {jan25, dec25, date(2025, 12, 31), true, true},
        {jan25, dec25, date(2024, 12, 31), false, false},
        {jan25, dec25, date(2026, 1, 1), false, false},
        // A to-date in an earlier year than the pay: covered while less than a year after from.
        {jan26, dec25, date(2026, 6, 15), true, false},
        {jan26, dec25, date(2027, 1, 1), false, false},
        // A row starting in 2026 never covers 2025, whatever its to-date.
        {jan26, date(2026, 12, 31), date(2025, 12, 31), false, false},
        {jan26, date(2027, 12, 31), date(2025, 6, 1), false, false},
        // A two-year range covers no day at all.
        {date(2024, 1, 1), dec25, date(2024, 6, 1), false, false},
        {date(2024, 1, 1), dec25, date(2025, 6, 1), false, false},
        // Invalid months never match a calendar-year row.
        {jan25, dec25, date(2025, 13, 1), false, false},
        {jan25, dec25, date(2025, 0, 1), false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rowCovers(c.from, c.to, c.d), c.covers) << c.d.year << "-" << c.d.month << "-" << c.d.day;
        EXPECT_EQ(rowCoversStrict(c.from, c.to, c.d), c.coversStrict) << c.d.year << "-" << c.d.month << "-" << c.d.day;
    }
}

// The shortcuts of rowCovers equal the full 31-day-month rule (both differences by dateDiff) for rows
// within one year (mid-year ones too) and pay dates in the years around them, valid or not.
TEST(RowCovers, ShortcutsEqualTheFullRule) {
    auto fullRule = [](const CalcDate& from, const CalcDate& to, const CalcDate& d) {
        int years = 0, months = 0, days = 0;
        if (dateDiff(d, from, years, months, days) != 0 || years != 0) return false;
        if (d.year > to.year) return true;
        return dateDiff(to, d, years, months, days) == 0 && years == 0;
    };
    const CalcDate rows[][2] = {{date(2025, 1, 1), date(2025, 12, 31)}, {date(2025, 7, 23), date(2025, 12, 31)},
                                {date(2025, 3, 15), date(2025, 9, 30)}, {date(2025, 12, 31), date(2025, 12, 31)}};
    for (const auto& row : rows)
        for (int year : {INT_MIN, 2023, 2024, 2025, 2026, 2027, INT_MAX})
            for (int month = -1; month <= 14; ++month)
                for (int day : {-1, 0, 1, 14, 15, 16, 22, 23, 24, 30, 31, 32})
                    ASSERT_EQ(rowCovers(row[0], row[1], date(year, month, day)),
                              fullRule(row[0], row[1], date(year, month, day)))
                        << year << "-" << month << "-" << day << " from " << row[0].month << "/" << row[0].day;
}

constexpr BracketRow kRows[] = {
    {date(2025, 1, 1), date(2025, 12, 31), 0, 26, 100, 0, 500, 0, 0.0},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 26, 100, 500, 0, 0, 0.1},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 2600, 0, 10000, 50, 0.0},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 2600, 10000, 0, 50, 0.2},
};

TEST(BracketLookup, PeriodRowsFirstThenAnnual) {
    const CalcDate d = date(2025, 5, 1);
    BracketHit hit = bracketLookup(kRows, d, 0, 26, 800, 1);
    ASSERT_EQ(hit.row, &kRows[1]);
    EXPECT_DOUBLE_EQ(hit.tax, 20.0);  // (800 - 100 - 500) x 0.1
    hit = bracketLookup(kRows, d, 0, 12, 1200, 1);
    ASSERT_EQ(hit.row, &kRows[3]);
    EXPECT_DOUBLE_EQ(hit.tax, (50 + (12 * 1200 - 2600 - 10000) * 0.2) / 12);
    // A negative wage is raised to 0 and finds the bracket whose low is 0.
    hit = bracketLookup(kRows, d, 0, 26, -50, 0);
    ASSERT_EQ(hit.row, &kRows[0]);
    EXPECT_DOUBLE_EQ(hit.tax, 0.0);
    // No annual division is possible with no pay periods.
    EXPECT_EQ(bracketLookup(kRows, d, 0, 0, 100, 0).row, nullptr);
    EXPECT_EQ(bracketLookup(kRows, date(2026, 1, 1), 0, 26, 100, 0).row, nullptr);
}

TEST(BracketLookup, StateVariantKeepsNegativeWages) {
    const CalcDate d = date(2025, 5, 1);
    EXPECT_EQ(stateBracketLookup(kRows, d, 0, 26, -0.01).row, nullptr);
    const BracketHit hit = stateBracketLookup(kRows, d, 0, 4, 3000);
    ASSERT_EQ(hit.row, &kRows[3]);
    EXPECT_DOUBLE_EQ(hit.tax, ((12000.0 - 10000) * 0.2 + 50) / 4);
}

}  // namespace
}  // namespace orla
