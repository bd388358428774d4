#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "state/arkansas.h"
#include "state/california.h"
#include "state/hawaii.h"
#include "state/idaho.h"
#include "state/kansas.h"
#include "state/missouri.h"
#include "state/new_jersey.h"
#include "state/new_york.h"
#include "state/ohio.h"
#include "federal/federal.h"
#include "frame/run_index.h"
#include "state/year_bands.h"

namespace orla {
namespace {

// The plain scan: the first row in stored order that serves status and periods, covers d and holds x.
template <class Row, class Holds>
const Row* plainScan(std::span<const Row> rows, const CalcDate& d, int status, int periods, Holds holds) {
    for (const Row& r : rows)
        if (r.status == status && r.periods == periods && rowCovers(r.from, r.to, d) && holds(r)) return &r;
    return nullptr;
}

// Over the first, middle and last days of every month of 2023 to 2027 (with 28 and 29 July, where Kansas
// changes rows), every status and periods the table knows and some others, and amounts around every bound,
// the index finds the row of the plain scan.
template <class Row, std::size_t N, class Holds>
void expectSameAsPlainScan(std::span<const Row> table, Holds holds) {
    static Row copy[N];
    ASSERT_EQ(table.size(), N);
    std::copy(table.begin(), table.end(), copy);
    const RunIndex<Row, N> index(copy);
    std::vector<double> amounts{-1.0, 0.0};
    for (const Row& r : copy)
        for (double b : {r.low, r.high}) amounts.insert(amounts.end(), {b - 0.01, b, b + 0.01});
    std::sort(amounts.begin(), amounts.end());
    amounts.erase(std::unique(amounts.begin(), amounts.end()), amounts.end());
    long checked = 0;
    for (int year = 2023; year <= 2027; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day : {1, 15, 28, 29, 30, 31})
                for (int status : {0, 1, 2, 3})
                    for (int periods : {1, 2, 4, 12, 24, 26, 52, 260})
                        for (double x : amounts) {
                            const CalcDate d = date(year, month, day);
                            auto accept = [&](const Row& r) { return holds(r, x); };
                            const Row* want = plainScan<Row>(copy, d, status, periods, accept);
                            ASSERT_EQ(index.find(d, StatusPeriods{status, periods}, accept), want)
                                << year << "-" << month << "-" << day << " status " << status << " periods "
                                << periods << " x " << x;
                            ++checked;
                        }
    EXPECT_GT(checked, 0);
}

TEST(RunIndex, SameRowAsPlainScanHawaii) {
    expectSameAsPlainScan<HawaiiRow, 48>(hawaiiTable(), [](const HawaiiRow& r, double w) {
        return (w > r.low || r.low == 0) && (w <= r.high || r.high == 0);
    });
}

TEST(RunIndex, SameRowAsPlainScanIdaho) {
    expectSameAsPlainScan<BracketRow, 100>(idahoRateTable(), inBracket);
}

TEST(RunIndex, SameRowAsPlainScanKansas) {
    expectSameAsPlainScan<BracketRow, 273>(kansasRateTable(), inBracket);
}

// The bisecting band lookup finds the row of the plain scan whose band holds the row's own amount
// (wages less the allowances at the row's allowance), for every status, periods, date and amount around the
// bounds, whether or not the runs are ordered bands; the amount last computed is the matched row's.
template <std::size_t N>
void expectBandSameAsPlainScan(std::span<const BracketRow> table) {
    static BracketRow copy[N];
    ASSERT_EQ(table.size(), N);
    std::copy(table.begin(), table.end(), copy);
    const RunIndex<BracketRow, N> index(copy);
    std::vector<double> wages{-1.0, 0.0, std::nan("")};
    for (const BracketRow& r : copy)
        for (double b : {r.low, r.high}) wages.insert(wages.end(), {b - 0.01, b, b + 0.01, b + r.allowance});
    for (int year = 2023; year <= 2027; ++year)
        for (int month : {1, 6, 7, 12})
            for (int status = 0; status <= 18; ++status)
                for (int periods : {1, 12, 26, 52})
                    for (int allowances : {0, 2})
                        for (double w : wages) {
                            const CalcDate d = date(year, month, 15);
                            auto amountOf = [&](const BracketRow& r) { return atLeastZero(w - allowances * r.allowance); };
                            const BracketRow* want = plainScan<BracketRow>(
                                copy, d, status, periods, [&](const BracketRow& r) { return inBracket(r, amountOf(r)); });
                            double last = -1;
                            const BracketRow* got = index.findBand(d, StatusPeriods{status, periods},
                                                                   [&](const BracketRow& r) { return last = amountOf(r); });
                            ASSERT_EQ(got, want) << year << "-" << month << " status " << status << " periods "
                                                 << periods << " w " << w;
                            if (got != nullptr) {
                                ASSERT_EQ(last, amountOf(*got));
                            }
                        }
}

TEST(RunIndex, BandLookupSameRowAsPlainScan) {
    expectBandSameAsPlainScan<144>(federalWithholdingTable());
    expectBandSameAsPlainScan<100>(idahoRateTable());
    expectBandSameAsPlainScan<273>(kansasRateTable());
}

// Runs that are not ordered bands (allowances differing within the run, overlapping or unordered bands)
// are scanned: the first row in stored order still wins.
TEST(RunIndex, BandLookupScansRunsThatAreNotOrderedBands) {
    static constexpr BracketRow rows[] = {
        {date(2026, 1, 1), date(2026, 12, 31), 0, 26, 100, 0, 50, 0, 0.01},   // 0: allowance differs from row 1
        {date(2026, 1, 1), date(2026, 12, 31), 0, 26, 0, 50, 0, 0, 0.02},     // 1
        {date(2026, 1, 1), date(2026, 12, 31), 1, 26, 0, 100, 200, 0, 0.03},  // 2: unordered
        {date(2026, 1, 1), date(2026, 12, 31), 1, 26, 0, 0, 150, 0, 0.04},    // 3: overlaps row 2
        {date(2026, 1, 1), date(2026, 12, 31), 2, 26, 0, 0, 100, 0, 0.05},    // 4: ordered bands
        {date(2026, 1, 1), date(2026, 12, 31), 2, 26, 0, 100, 0, 0, 0.06},    // 5
    };
    constexpr RunIndex index(rows);
    static_assert(!index.runs()[0].bands && !index.runs()[1].bands && index.runs()[2].bands);
    const CalcDate d = date(2026, 5, 1);
    auto less = [](double w) { return [w](const BracketRow& r) { return w - r.allowance; }; };
    EXPECT_EQ(index.findBand(d, StatusPeriods{0, 26}, less(120)), &rows[0]);  // 20 in row 0's band
    EXPECT_EQ(index.findBand(d, StatusPeriods{0, 26}, less(60)), &rows[1]);   // -40 in none of row 0, 60 in row 1
    EXPECT_EQ(index.findBand(d, StatusPeriods{1, 26}, less(120)), &rows[2]);
    EXPECT_EQ(index.findBand(d, StatusPeriods{1, 26}, less(60)), &rows[3]);
    EXPECT_EQ(index.findBand(d, StatusPeriods{2, 26}, less(100)), &rows[5]);
    EXPECT_EQ(index.findBand(d, StatusPeriods{2, 26}, less(-1)), nullptr);
}

// An index keyed by the periods alone, with the strict date test, scanning its keys or mapping the usual
// periods: the row of the plain scan that ignores the status and tests the dates strictly.
TEST(RunIndex, KeyedByPeriodsStrictSameAsPlainScanOhio) {
    static BracketRow copy[120];
    const std::span<const BracketRow> table = ohioWithholdingTable();
    ASSERT_EQ(table.size(), std::size(copy));
    std::copy(table.begin(), table.end(), copy);
    const auto periodsOf = [](const BracketRow& r) { return r.periods; };
    const auto index = runIndexBy(copy, periodsOf);
    const auto mapped = runIndexBy<UsualPeriodsMap>(copy, periodsOf);
    long checked = 0;
    for (int year = 2023; year <= 2027; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day : {1, 15, 28, 31})
                for (int periods : {1, 2, 4, 12, 24, 26, 52, 260})
                    for (const BracketRow& bound : copy)
                        for (double x : {bound.low - 0.01, bound.low, bound.high}) {
                            const CalcDate d = date(year, month, day);
                            const BracketRow* want = nullptr;
                            for (const BracketRow& r : copy)
                                if (r.periods == periods && rowCoversStrict(r.from, r.to, d) && inBracket(r, x)) {
                                    want = &r;
                                    break;
                                }
                            SCOPED_TRACE(testing::Message() << year << "-" << month << "-" << day << " periods "
                                                            << periods << " x " << x);
                            const auto inIt = [x](const BracketRow& r) { return inBracket(r, x); };
                            ASSERT_EQ(index.findStrict(d, periods, inIt), want);
                            ASSERT_EQ(mapped.findStrict(d, periods, inIt), want);
                            ASSERT_EQ(mapped.findBand<true>(d, periods, [x](const BracketRow&) { return x; }), want);
                            ++checked;
                        }
    EXPECT_GT(checked, 0);
}

// The Ohio row the local taxes take (the first row of the periods covering the date) is the plain scan's.
TEST(RunIndex, OhioWithholdingRowSameAsPlainScan) {
    for (int year = 2022; year <= 2028; ++year)
        for (int month : {1, 6, 12})
            for (int periods : {0, 1, 2, 12, 24, 26, 52, 53}) {
                const CalcDate d = date(year, month, 15);
                const BracketRow* want = nullptr;
                for (const BracketRow& r : ohioWithholdingTable())
                    if (r.periods == periods && rowCovers(r.from, r.to, d)) {
                        want = &r;
                        break;
                    }
                ASSERT_EQ(ohioWithholdingRow(d, periods), want) << year << "-" << month << " periods " << periods;
            }
}

// A row whose to-date lies in a year before the pay: the plain date test takes it within a year of its
// from-date, the strict one never.
TEST(RunIndex, StrictDateTestRefusesALaterYear) {
    static constexpr BracketRow rows[] = {
        {date(2025, 7, 1), date(2025, 12, 31), 0, 26, 0, 0, 0, 0, 0.01},
        {date(2026, 1, 1), date(2026, 12, 31), 0, 12, 0, 0, 0, 0, 0.02},
    };
    constexpr auto index = runIndexBy(rows, [](const BracketRow& r) { return r.periods; });
    const auto any = [](const BracketRow&) { return true; };
    EXPECT_EQ(index.find(date(2026, 3, 1), 26, any), &rows[0]);
    EXPECT_EQ(index.findStrict(date(2026, 3, 1), 26, any), nullptr);
    EXPECT_EQ(index.findStrict(date(2025, 9, 1), 26, any), &rows[0]);
    EXPECT_EQ(index.findStrict(date(2026, 3, 1), 12, any), &rows[1]);
    EXPECT_EQ(index.findStrict(date(2026, 3, 1), 52, any), nullptr);
}

// Rows of one status and periods that are not consecutive, and overlapping dates: the earlier stored row wins.
TEST(RunIndex, InterleavedRunsKeepStoredOrder) {
    static constexpr BracketRow rows[] = {
        {date(2025, 1, 1), date(2025, 12, 31), 0, 26, 0, 0, 100, 0, 0.01},     // 0
        {date(2025, 1, 1), date(2025, 12, 31), 1, 26, 0, 0, 0, 0, 0.02},       // 1
        {date(2025, 6, 1), date(2025, 12, 31), 0, 26, 0, 0, 0, 0, 0.03},       // 2: overlaps row 0's dates
        {date(2025, 1, 1), date(2025, 12, 31), 0, 26, 0, 100, 0, 0, 0.04},     // 3: same key as row 0, later
        {date(2026, 1, 1), date(2025, 12, 31), 0, 26, 0, 0, 0, 0, 0.05},       // 4: covers all of 2026
    };
    constexpr RunIndex index(rows);
    auto holdsAt = [](double x) { return [x](const BracketRow& r) { return inBracket(r, x); }; };
    EXPECT_EQ(index.find(date(2025, 3, 1), StatusPeriods{0, 26}, holdsAt(50)), &rows[0]);
    EXPECT_EQ(index.find(date(2025, 3, 1), StatusPeriods{0, 26}, holdsAt(150)), &rows[3]);
    EXPECT_EQ(index.find(date(2025, 7, 1), StatusPeriods{0, 26}, holdsAt(150)), &rows[2]);  // stored before row 3
    EXPECT_EQ(index.find(date(2025, 7, 1), StatusPeriods{1, 26}, holdsAt(150)), &rows[1]);
    EXPECT_EQ(index.find(date(2026, 7, 1), StatusPeriods{0, 26}, holdsAt(150)), &rows[4]);
    EXPECT_EQ(index.find(date(2025, 7, 1), StatusPeriods{0, 52}, holdsAt(150)), nullptr);
    EXPECT_EQ(index.find(date(2024, 7, 1), StatusPeriods{0, 26}, holdsAt(150)), nullptr);
}

// The direct key map finds the row of the plain scan, with the whole-row test (find) and the band test
// on an amount that depends on the row's allowance (findBand), for keys in the map, keys outside it
// (negative, large statuses and periods) and keys no row has.
template <std::size_t N>
void expectMappedSameAsPlainScan(std::span<const BracketRow> table) {
    static BracketRow copy[N];
    ASSERT_EQ(table.size(), N);
    std::copy(table.begin(), table.end(), copy);
    const MappedBracketIndex<N> index(copy);
    long checked = 0;
    for (int year = 2023; year <= 2027; ++year)
        for (int month : {1, 6, 7, 12})
            for (int status : {-1, 0, 1, 2, 4, 5, 15, 16, 20})
                for (int periods : {0, 1, 2, 4, 12, 17, 26, 52, 63, 64, 260})
                    for (const BracketRow& bound : copy)
                        for (double x : {bound.low - 0.01, bound.low, bound.high}) {
                            const CalcDate d = date(year, month, 15);
                            const auto amountOf = [x](const BracketRow& r) { return x - 2 * r.allowance; };
                            const auto inBand = [&](const BracketRow& r) { return inBracket(r, amountOf(r)); };
                            const BracketRow* want = plainScan<BracketRow>(copy, d, status, periods, inBand);
                            const StatusPeriods key{status, periods};
                            ASSERT_EQ(index.find(d, key, inBand), want) << year << "-" << month << " " << status
                                                                        << "/" << periods << " x " << x;
                            ASSERT_EQ(index.findBand(d, key, amountOf), want) << year << "-" << month << " "
                                                                              << status << "/" << periods << " x " << x;
                            ++checked;
                        }
    EXPECT_GT(checked, 0);
}

TEST(MappedRunIndex, SameRowAsPlainScanNewJersey) {
    expectMappedSameAsPlainScan<777>(newJerseyBracketTable());
}

// Keys the map does not hold (statuses outside 0 to 15, periods other than the usual ones: 0, 3, 17,
// 63, 260) are left to the key scan; overlapping runs of one key keep their stored order.
TEST(MappedRunIndex, KeysOutsideTheMapSameAsPlainScan) {
    static std::array<BracketRow, 42> rows{};
    std::size_t n = 0;
    for (int periods = 1; periods <= 17; ++periods)  // usual periods and others
        for (int status : {0, 3}) rows[n++] = {date(2025, 1, 1), date(2026, 12, 31), status, periods, 1, 0, 100, 0, 0.01};
    rows[n++] = {date(2026, 1, 1), date(2026, 12, 31), -2, 12, 0, 0, 0, 0, 0.02};
    rows[n++] = {date(2026, 1, 1), date(2026, 12, 31), 20, 12, 0, 0, 0, 0, 0.03};
    rows[n++] = {date(2026, 1, 1), date(2026, 12, 31), 0, 260, 0, 0, 0, 0, 0.04};
    rows[n++] = {date(2026, 3, 1), date(2026, 12, 31), 3, 12, 1, 50, 0, 0, 0.05};
    rows[n++] = {date(2026, 1, 1), date(2026, 12, 31), 3, 12, 1, 100, 0, 0, 0.06};
    rows[n++] = {date(2026, 1, 1), date(2026, 12, 31), 3, 12, 1, 0, 200, 0, 0.07};
    rows[n++] = {date(2026, 1, 1), date(2026, 12, 31), 15, 63, 0, 0, 0, 0, 0.08};
    rows[n++] = {date(2026, 1, 1), date(2026, 12, 31), 0, 0, 0, 0, 0, 0, 0.09};
    ASSERT_EQ(n, rows.size());
    expectMappedSameAsPlainScan<42>(rows);
}

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

// The band lookup over a copy of the table, with and without the key map, gives the row of the plain
// first-match scan, for keys the table has and others, with the row date test and the strict one.
template <class Row, std::size_t N, std::size_t Statuses>
void expectBandsMatchPlainScan(std::span<const Row> table) {
    static Row copy[N];
    ASSERT_EQ(table.size(), N);
    std::copy(table.begin(), table.end(), copy);
    static const RunIndex<Row, N> scanned(copy);
    static const MappedRunIndex<Row, N> mapped(copy);
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
                    const StatusPeriods key{status, periods};
                    SCOPED_TRACE(testing::Message() << d.year << "-" << d.month << "-" << d.day << " status " << status
                                                    << " periods " << periods << " x " << x);
                    ASSERT_EQ(mapped.findBand(d, key, amount), want);
                    ASSERT_EQ(mapped.template findBand<true>(d, key, amount), wantStrict);
                    ASSERT_EQ(scanned.findBand(d, key, amount), want);
                    ASSERT_EQ(scanned.template findBand<true>(d, key, amount), wantStrict);
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

TEST(RunIndex, BandsSameRowAsPlainScanWithTheStrictTest) {
    expectBandsMatchPlainScan<BracketRow, 630, 3>(caTables().taxRate);
    expectBandsMatchPlainScan<MissouriRow, 120, 6>(missouriTable());
    expectBandsMatchPlainScan<NewYorkBracketRow, 360, 2>(newYorkBracketTable());
    expectBandsMatchPlainScan<ArkansasTaxRow, 157, 1>(arkansasTaxTable());
    expectBandsMatchPlainScan<TestRow, std::size(kOddRows), 2>(kOddRows);
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
