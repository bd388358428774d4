#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <array>
#include <vector>

#include "state/arkansas.h"
#include "state/california.h"
#include "state/hawaii.h"
#include "state/missouri.h"
#include "state/new_york.h"
#include "state/run_slots.h"
#include "state/year_bands.h"

namespace orla {
namespace {

constexpr bool holdsBand(double low, double high, double x) { return x >= low && (x < high || high == 0); }

// The first-of-month, mid-month and year-end days of 2023 to 2027.
std::vector<CalcDate> testDates() {
    std::vector<CalcDate> dates;
    for (int year = 2023; year <= 2027; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day : {1, 15, 31}) dates.push_back(date(year, month, day));
    return dates;
}

// Every bound of the rows, just below and above it, and a negative amount.
template <class Row>
std::vector<double> testAmounts(std::span<const Row> rows) {
    std::vector<double> amounts{-1.0};
    for (const Row& r : rows)
        for (double b : {r.low, r.high}) amounts.insert(amounts.end(), {b - 0.01, b, b + 0.01});
    std::sort(amounts.begin(), amounts.end());
    amounts.erase(std::unique(amounts.begin(), amounts.end()), amounts.end());
    return amounts;
}

// The slotted band lookup over a copy of the table gives the row of the plain first-match scan, for keys
// the table has and others, with the row date test and the strict one.
template <class Row, std::size_t N, std::size_t Statuses>
void expectSlotsMatchPlainScan(std::span<const Row> table) {
    static Row copy[N];
    ASSERT_EQ(table.size(), N);
    std::copy(table.begin(), table.end(), copy);
    static const RunIndex<Row, N> index(copy);
    const auto slots = statusPeriodsSlots<Statuses>(index);
    const std::vector<double> amounts = testAmounts<Row>(copy);
    long checked = 0;
    for (const CalcDate& d : testDates())
        for (int status = -1; status <= static_cast<int>(Statuses); ++status)
            for (int periods : {1, 12, 26, 52, 3})
                for (double x : amounts) {
                    const Row* want = nullptr;
                    const Row* wantStrict = nullptr;
                    for (const Row& r : copy) {
                        if (r.status != status || r.periods != periods || !holdsBand(r.low, r.high, x)) continue;
                        if (want == nullptr && rowCovers(r.from, r.to, d)) want = &r;
                        if (wantStrict == nullptr && rowCoversStrict(r.from, r.to, d)) wantStrict = &r;
                    }
                    const auto amount = [x](const Row&) { return x; };
                    ASSERT_EQ(slots.findBand(d, StatusPeriods{status, periods}, amount), want)
                        << d.year << "-" << d.month << "-" << d.day << " status " << status << " periods " << periods
                        << " x " << x;
                    ASSERT_EQ(slots.template findBand<true>(d, StatusPeriods{status, periods}, amount), wantStrict)
                        << d.year << "-" << d.month << "-" << d.day << " status " << status << " periods " << periods
                        << " x " << x << " (strict)";
                    ++checked;
                }
    EXPECT_GT(checked, 0);
}

// A table with runs the bisection must not take: overlapping and unordered bands, a run repeated, a row
// dated apart from its neighbours.
struct TestRow {
    CalcDate from;
    CalcDate to;
    int status;
    int periods;
    double low;
    double high;
};
constexpr TestRow kOddRows[] = {
    {k2025From, k2025To, 0, 1, 0, 100},        {k2026From, k2026To, 0, 1, 100, 200},
    {k2026From, k2026To, 0, 1, 150, 0},        {k2026From, k2026To, 1, 1, 50, 80},
    {k2026From, k2026To, 1, 1, 0, 60},         {k2025From, k2025To, 0, 1, 0, 120},
    {k2025From, k2025To, 0, 1, 120, 0},        {k2025From, k2025To, 0, 1, 0, 500},
    {k2025From, k2025To, 0, 52, 10, 20},       {k2024From, k2024To, 1, 12, 0, 0},
};

TEST(RunSlots, SameRowAsPlainScan) {
    expectSlotsMatchPlainScan<BracketRow, 630, 3>(caTables().taxRate);
    expectSlotsMatchPlainScan<MissouriRow, 120, 6>(missouriTable());
    expectSlotsMatchPlainScan<NewYorkBracketRow, 360, 2>(newYorkBracketTable());
    expectSlotsMatchPlainScan<ArkansasTaxRow, 157, 1>(arkansasTaxTable());
    expectSlotsMatchPlainScan<TestRow, std::size(kOddRows), 2>(kOddRows);
}

// Band lists repeated over the table years: the first accepted band of the key, when a table year covers
// the date, is the band of the plain first-match scan over the dated rows.
struct TestBand {
    int status;
    double low;
    double high;
};
constexpr TestBand kBands[] = {
    {0, 0, 100}, {0, 100, 250}, {0, 250, 0},                // ordered
    {2, 0, 50},  {2, 70, 90},   {2, 90, 0},                 // ordered with a gap
    {1, 0, 100}, {1, 50, 150},  {1, 150, 0}, {1, 10, 20},   // overlapping
};

TEST(KeyedBands, SameBandAsPlainScanOfTheDatedRows) {
    constexpr KeyedBands<TestBand, std::size(kBands), 3> byStatus(kBands, [](const TestBand& b) { return b.status; });
    constexpr auto rows = overTableYears(kBands);
    const std::vector<double> amounts = testAmounts<TestBand>(kBands);
    long checked = 0;
    for (const CalcDate& d : testDates()) {
        bool anyYear = false;
        for (const auto& r : rows) anyYear = anyYear || rowCovers(r.from, r.to, d);
        ASSERT_EQ(tableYearCovers(d), anyYear);
        for (int status = -1; status <= 3; ++status)
            for (double x : amounts) {
                const TestBand* want = nullptr;
                for (std::size_t i = 0; i < rows.size() && want == nullptr; ++i)
                    if (rows[i].band.status == status && rowCovers(rows[i].from, rows[i].to, d) &&
                        holdsBand(rows[i].band.low, rows[i].band.high, x))
                        want = &kBands[i % std::size(kBands)];
                const TestBand* got = tableYearCovers(d) ? byStatus.holding(status, x) : nullptr;
                ASSERT_EQ(got, want) << d.year << "-" << d.month << "-" << d.day << " status " << status << " x " << x;
                ++checked;
            }
    }
    EXPECT_GT(checked, 0);
}

// Brackets taking low < t <= high (a low of 0 or an open high taking any t on its side): in every run of
// the Missouri and Hawaii tables the bisected bracket is the one the plain scan of the run stops at.
template <class Row, std::size_t N>
void expectBracketAboveLowMatchesTheScan(std::span<const Row> table) {
    static Row copy[N];
    ASSERT_EQ(table.size(), N);
    std::copy(table.begin(), table.end(), copy);
    static const RunIndex<Row, N> index(copy);
    std::vector<double> amounts = testAmounts<Row>(copy);
    amounts.insert(amounts.end(), {std::nan(""), 0.0, -0.0, 1e300});
    for (const auto& run : index.runs()) {
        const std::span<const Row> rows = index.rowsOf(run);
        ASSERT_TRUE(contiguousFromZero(rows));
        for (double t : amounts) {
            const Row* want = nullptr;
            for (const Row& r : rows)
                if ((t > r.low || r.low == 0) && (t <= r.high || r.high == 0)) {
                    want = &r;
                    break;
                }
            ASSERT_EQ(bracketAboveLow(rows, t), want) << "t " << t;
        }
    }
}

TEST(BracketAboveLow, SameRowAsTheScanOfTheRun) {
    expectBracketAboveLowMatchesTheScan<MissouriRow, 120>(missouriTable());
    expectBracketAboveLowMatchesTheScan<HawaiiRow, 48>(hawaiiTable());
}

// The grid of lows gives the count of the bisection for every amount: on and beside every low (by the
// smallest step too), between the lows, beyond them, NaN and the infinities; for lows on a grid, with a
// repeated low, with a fractional low (no grid) and with more cells than the grid holds (no grid).
TEST(LowGrid, SameCountAsTheBisection) {
    struct Low {
        double low;
    };
    const std::vector<std::vector<Low>> lists = {
        {{0}, {24000}, {25000}, {26000}, {35000}},
        {{12000}, {15000}, {15500}, {16000}, {52500}},
        {{0}, {105000}, {110000}, {150000}, {200000}, {540000}},
        {{100}, {100}, {300}, {300}, {900}},
        {{0}, {10.5}, {20}},
        {{0}, {1}, {100000}},
        {{7}},
    };
    for (const std::vector<Low>& list : lists) {
        const std::span<const Low> lows(list);
        const LowGrid<512> grid(lows);
        std::vector<double> amounts = {std::nan(""), std::numeric_limits<double>::infinity(),
                                       -std::numeric_limits<double>::infinity(), -1.0, 1e300};
        for (const Low& l : list)
            for (double x : {l.low, l.low - 0.01, l.low + 0.01, std::nextafter(l.low, -1e9), std::nextafter(l.low, 1e9),
                             l.low + 250, l.low + 499.99})
                amounts.push_back(x);
        for (double x : amounts) ASSERT_EQ(grid.lowsAtMost(lows, x), lowsAtMost(lows, x)) << "x " << x;
    }
}

}  // namespace
}  // namespace orla
