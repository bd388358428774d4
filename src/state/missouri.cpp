// Missouri: a bracket schedule on annualised wages less a deduction by filing status, rounded to
// whole dollars; a flat amount per pay set by the employee replaces the calculation.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <span>

#include "federal/federal.h"
#include "frame/run_index.h"
#include "state/calculators.h"
#include "state/missouri.h"
#include "state/state_tables.h"

namespace orla {

namespace {

using Row = MissouriRow;

// Annual rows: per year (newest first) eight brackets for each status in the order 0, 1, 5, 2, 3.
constexpr Row kTable[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 0, 16100, 0, 0, 0, 1348, 0, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 0, 16100, 0, 0, 1348, 2696, 0, 0.02},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 0, 16100, 0, 0, 2696, 4044, 27, 0.025},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 0, 16100, 0, 0, 4044, 5392, 61, 0.03},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 0, 16100, 0, 0, 5392, 6740, 101, 0.035},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 0, 16100, 0, 0, 6740, 8088, 148, 0.04},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 0, 16100, 0, 0, 8088, 9436, 202, 0.045},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 0, 16100, 0, 0, 9436, 0, 263, 0.047},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 0, 32200, 0, 0, 0, 1348, 0, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 0, 32200, 0, 0, 1348, 2696, 0, 0.02},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 0, 32200, 0, 0, 2696, 4044, 27, 0.025},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 0, 32200, 0, 0, 4044, 5392, 61, 0.03},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 0, 32200, 0, 0, 5392, 6740, 101, 0.035},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 0, 32200, 0, 0, 6740, 8088, 148, 0.04},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 0, 32200, 0, 0, 8088, 9436, 202, 0.045},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 0, 32200, 0, 0, 9436, 0, 263, 0.047},
    {date(2026, 1, 1), date(2026, 12, 31), 5, 1, 0, 16100, 0, 0, 0, 1348, 0, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 5, 1, 0, 16100, 0, 0, 1348, 2696, 0, 0.02},
    {date(2026, 1, 1), date(2026, 12, 31), 5, 1, 0, 16100, 0, 0, 2696, 4044, 27, 0.025},
    {date(2026, 1, 1), date(2026, 12, 31), 5, 1, 0, 16100, 0, 0, 4044, 5392, 61, 0.03},
    {date(2026, 1, 1), date(2026, 12, 31), 5, 1, 0, 16100, 0, 0, 5392, 6740, 101, 0.035},
    {date(2026, 1, 1), date(2026, 12, 31), 5, 1, 0, 16100, 0, 0, 6740, 8088, 148, 0.04},
    {date(2026, 1, 1), date(2026, 12, 31), 5, 1, 0, 16100, 0, 0, 8088, 9436, 202, 0.045},
    {date(2026, 1, 1), date(2026, 12, 31), 5, 1, 0, 16100, 0, 0, 9436, 0, 263, 0.047},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 0, 24150, 0, 0, 0, 1348, 0, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 0, 24150, 0, 0, 1348, 2696, 0, 0.02},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 0, 24150, 0, 0, 2696, 4044, 27, 0.025},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 0, 24150, 0, 0, 4044, 5392, 61, 0.03},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 0, 24150, 0, 0, 5392, 6740, 101, 0.035},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 0, 24150, 0, 0, 6740, 8088, 148, 0.04},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 0, 24150, 0, 0, 8088, 9436, 202, 0.045},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 1, 0, 24150, 0, 0, 9436, 0, 263, 0.047},
    {date(2026, 1, 1), date(2026, 12, 31), 3, 1, 0, 16100, 0, 0, 0, 1348, 0, 0},
    {date(2026, 1, 1), date(2026, 12, 31), 3, 1, 0, 16100, 0, 0, 1348, 2696, 0, 0.02},
    {date(2026, 1, 1), date(2026, 12, 31), 3, 1, 0, 16100, 0, 0, 2696, 4044, 27, 0.025},
    {date(2026, 1, 1), date(2026, 12, 31), 3, 1, 0, 16100, 0, 0, 4044, 5392, 61, 0.03},
    {date(2026, 1, 1), date(2026, 12, 31), 3, 1, 0, 16100, 0, 0, 5392, 6740, 101, 0.035},
    {date(2026, 1, 1), date(2026, 12, 31), 3, 1, 0, 16100, 0, 0, 6740, 8088, 148, 0.04},
    {date(2026, 1, 1), date(2026, 12, 31), 3, 1, 0, 16100, 0, 0, 8088, 9436, 202, 0.045},
    {date(2026, 1, 1), date(2026, 12, 31), 3, 1, 0, 16100, 0, 0, 9436, 0, 263, 0.047},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 0, 15000, 0, 0, 0, 1313, 0, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 0, 15000, 0, 0, 1313, 2626, 0, 0.02},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 0, 15000, 0, 0, 2626, 3939, 26, 0.025},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 0, 15000, 0, 0, 3939, 5252, 59, 0.03},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 0, 15000, 0, 0, 5252, 6565, 98, 0.035},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 0, 15000, 0, 0, 6565, 7878, 144, 0.04},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 0, 15000, 0, 0, 7878, 9191, 197, 0.045},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 0, 15000, 0, 0, 9191, 0, 256, 0.047},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 0, 30000, 0, 0, 0, 1313, 0, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 0, 30000, 0, 0, 1313, 2626, 0, 0.02},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 0, 30000, 0, 0, 2626, 3939, 26, 0.025},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 0, 30000, 0, 0, 3939, 5252, 59, 0.03},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 0, 30000, 0, 0, 5252, 6565, 98, 0.035},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 0, 30000, 0, 0, 6565, 7878, 144, 0.04},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 0, 30000, 0, 0, 7878, 9191, 197, 0.045},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 0, 30000, 0, 0, 9191, 0, 256, 0.047},
    {date(2025, 1, 1), date(2025, 12, 31), 5, 1, 0, 15000, 0, 0, 0, 1313, 0, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 5, 1, 0, 15000, 0, 0, 1313, 2626, 0, 0.02},
    {date(2025, 1, 1), date(2025, 12, 31), 5, 1, 0, 15000, 0, 0, 2626, 3939, 26, 0.025},
    {date(2025, 1, 1), date(2025, 12, 31), 5, 1, 0, 15000, 0, 0, 3939, 5252, 59, 0.03},
    {date(2025, 1, 1), date(2025, 12, 31), 5, 1, 0, 15000, 0, 0, 5252, 6565, 98, 0.035},
    {date(2025, 1, 1), date(2025, 12, 31), 5, 1, 0, 15000, 0, 0, 6565, 7878, 144, 0.04},
    {date(2025, 1, 1), date(2025, 12, 31), 5, 1, 0, 15000, 0, 0, 7878, 9191, 197, 0.045},
    {date(2025, 1, 1), date(2025, 12, 31), 5, 1, 0, 15000, 0, 0, 9191, 0, 256, 0.047},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 0, 22500, 0, 0, 0, 1313, 0, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 0, 22500, 0, 0, 1313, 2626, 0, 0.02},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 0, 22500, 0, 0, 2626, 3939, 26, 0.025},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 0, 22500, 0, 0, 3939, 5252, 59, 0.03},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 0, 22500, 0, 0, 5252, 6565, 98, 0.035},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 0, 22500, 0, 0, 6565, 7878, 144, 0.04},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 0, 22500, 0, 0, 7878, 9191, 197, 0.045},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 1, 0, 22500, 0, 0, 9191, 0, 256, 0.047},
    {date(2025, 1, 1), date(2025, 12, 31), 3, 1, 0, 15000, 0, 0, 0, 1313, 0, 0},
    {date(2025, 1, 1), date(2025, 12, 31), 3, 1, 0, 15000, 0, 0, 1313, 2626, 0, 0.02},
    {date(2025, 1, 1), date(2025, 12, 31), 3, 1, 0, 15000, 0, 0, 2626, 3939, 26, 0.025},
    {date(2025, 1, 1), date(2025, 12, 31), 3, 1, 0, 15000, 0, 0, 3939, 5252, 59, 0.03},
    {date(2025, 1, 1), date(2025, 12, 31), 3, 1, 0, 15000, 0, 0, 5252, 6565, 98, 0.035},
    {date(2025, 1, 1), date(2025, 12, 31), 3, 1, 0, 15000, 0, 0, 6565, 7878, 144, 0.04},
    {date(2025, 1, 1), date(2025, 12, 31), 3, 1, 0, 15000, 0, 0, 7878, 9191, 197, 0.045},
    {date(2025, 1, 1), date(2025, 12, 31), 3, 1, 0, 15000, 0, 0, 9191, 0, 256, 0.047},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 0, 14600, 0, 0, 0, 1273, 0, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 0, 14600, 0, 0, 1273, 2546, 0, 0.02},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 0, 14600, 0, 0, 2546, 3819, 25, 0.025},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 0, 14600, 0, 0, 3819, 5092, 57, 0.03},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 0, 14600, 0, 0, 5092, 6365, 95, 0.035},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 0, 14600, 0, 0, 6365, 7638, 140, 0.04},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 0, 14600, 0, 0, 7638, 8911, 191, 0.045},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 0, 14600, 0, 0, 8911, 0, 248, 0.048},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 0, 29200, 0, 0, 0, 1273, 0, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 0, 29200, 0, 0, 1273, 2546, 0, 0.02},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 0, 29200, 0, 0, 2546, 3819, 25, 0.025},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 0, 29200, 0, 0, 3819, 5092, 57, 0.03},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 0, 29200, 0, 0, 5092, 6365, 95, 0.035},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 0, 29200, 0, 0, 6365, 7638, 140, 0.04},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 0, 29200, 0, 0, 7638, 8911, 191, 0.045},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 0, 29200, 0, 0, 8911, 0, 248, 0.048},
    {date(2024, 1, 1), date(2024, 12, 31), 5, 1, 0, 14600, 0, 0, 0, 1273, 0, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 5, 1, 0, 14600, 0, 0, 1273, 2546, 0, 0.02},
    {date(2024, 1, 1), date(2024, 12, 31), 5, 1, 0, 14600, 0, 0, 2546, 3819, 25, 0.025},
    {date(2024, 1, 1), date(2024, 12, 31), 5, 1, 0, 14600, 0, 0, 3819, 5092, 57, 0.03},
    {date(2024, 1, 1), date(2024, 12, 31), 5, 1, 0, 14600, 0, 0, 5092, 6365, 95, 0.035},
    {date(2024, 1, 1), date(2024, 12, 31), 5, 1, 0, 14600, 0, 0, 6365, 7638, 140, 0.04},
    {date(2024, 1, 1), date(2024, 12, 31), 5, 1, 0, 14600, 0, 0, 7638, 8911, 191, 0.045},
    {date(2024, 1, 1), date(2024, 12, 31), 5, 1, 0, 14600, 0, 0, 8911, 0, 248, 0.048},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 0, 21900, 0, 0, 0, 1273, 0, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 0, 21900, 0, 0, 1273, 2546, 0, 0.02},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 0, 21900, 0, 0, 2546, 3819, 25, 0.025},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 0, 21900, 0, 0, 3819, 5092, 57, 0.03},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 0, 21900, 0, 0, 5092, 6365, 95, 0.035},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 0, 21900, 0, 0, 6365, 7638, 140, 0.04},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 0, 21900, 0, 0, 7638, 8911, 191, 0.045},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 1, 0, 21900, 0, 0, 8911, 0, 248, 0.048},
    {date(2024, 1, 1), date(2024, 12, 31), 3, 1, 0, 14600, 0, 0, 0, 1273, 0, 0},
    {date(2024, 1, 1), date(2024, 12, 31), 3, 1, 0, 14600, 0, 0, 1273, 2546, 0, 0.02},
    {date(2024, 1, 1), date(2024, 12, 31), 3, 1, 0, 14600, 0, 0, 2546, 3819, 25, 0.025},
    {date(2024, 1, 1), date(2024, 12, 31), 3, 1, 0, 14600, 0, 0, 3819, 5092, 57, 0.03},
    {date(2024, 1, 1), date(2024, 12, 31), 3, 1, 0, 14600, 0, 0, 5092, 6365, 95, 0.035},
    {date(2024, 1, 1), date(2024, 12, 31), 3, 1, 0, 14600, 0, 0, 6365, 7638, 140, 0.04},
    {date(2024, 1, 1), date(2024, 12, 31), 3, 1, 0, 14600, 0, 0, 7638, 8911, 191, 0.045},
    {date(2024, 1, 1), date(2024, 12, 31), 3, 1, 0, 14600, 0, 0, 8911, 0, 248, 0.048},
};
static_assert(std::size(kTable) == 120, "eight brackets for five statuses in each of 2026, 2025 and 2024");

constexpr FlatRateRow kSupplementalRates[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 0.047},
    {date(2025, 1, 1), date(2025, 12, 31), 0.047},
    {date(2024, 1, 1), date(2024, 12, 31), 0.048},
};

// The values the calculation reports in stateTaxableIncome for the pass that found the bracket.
constexpr int kPayPeriodPassMarker = 1234;
constexpr int kAnnualPassMarker = 54321;

struct AllowanceSplit {
    int first = 0;
    int further = 0;
};

// The allowances split into those at the first-allowance amount and the further ones.
AllowanceSplit splitAllowances(int n, int status, int payYear) {
    AllowanceSplit split;
    if (status == 2 || status == 3 || (status == 5 && payYear >= 2010)) {
        if (n > 1) {
            split.first = 1;
            split.further = n - 1;
        } else {
            split.first = n;
        }
    } else if (status == 0) {
        split.further = n > 1 ? n - 1 : 0;
        if (n > 2) {
            split.first = 2;
            split.further = n - 2;
        } else {
            split.first = n;  // two allowances count one further allowance as well
        }
    } else if (n > 2) {
        split.first = 2;
        split.further = n - 2;
    } else {
        split.first = n;
    }
    return split;
}

// The table's runs of consecutive rows sharing status, periods and dates, reached by status and periods.
constexpr MappedRunIndex kRuns(kTable);
static_assert(kRuns.runCount() == 15, "five statuses in each of 2026, 2025 and 2024");
static_assert(kRuns.allKeysMapped());

// Every run's rows share the deduction, the allowance amounts and the federal tax cap, so the taxable
// wages come out the same for every row of a run and are worked out once per run.
constexpr bool runsShareDeductions() {
    for (const auto& run : kRuns.runs())
        for (const Row& r : kRuns.rowsOf(run)) {
            const Row& first = kRuns.rowsOf(run)[0];
            if (r.deduction != first.deduction || r.firstAllowance != first.firstAllowance ||
                r.furtherAllowance != first.furtherAllowance || r.federalTaxCap != first.federalTaxCap)
                return false;
        }
    return true;
}
static_assert(runsShareDeductions());

// Every run's brackets follow each other from 0 without gap or overlap, so pass 2 (low < t <= high) finds
// its bracket by bisection (bracketAboveLow).
constexpr bool runsContiguousFromZero() {
    for (const auto& run : kRuns.runs())
        if (!contiguousFromZero(kRuns.rowsOf(run))) return false;
    return true;
}
static_assert(runsContiguousFromZero());

struct Found {
    const Row* row = nullptr;
    double tax = 0.0;
    bool annual = false;
};

// The taxable wages of a row: wages, supplemental wages and federal tax are those of the pass (annualised
// in pass 2).
double taxableWages(const Row& r, double wages, double suppWages, AllowanceSplit split, double federalTax) {
    return zeroFloor(wages - r.deduction - split.first * r.firstAllowance + suppWages -
                     split.further * r.furtherAllowance - std::min(r.federalTaxCap, federalTax));
}

// The two passes; suppWages is added to the taxable wages (annualised in pass 2). Pass 1 takes a
// bracket low <= t < high, pass 2 low < t <= high (a low of 0 taking t = 0).
Found withholding(const CalcDate& payDate, int status, int periods, double wages, double suppWages,
                  AllowanceSplit split, double federalTax) {
    Found found;
    auto payTaxable = [&](const Row& r) { return taxableWages(r, wages, suppWages, split, federalTax); };
    found.row = kRuns.findBand(payDate, StatusPeriods{status, periods}, payTaxable);
    if (found.row != nullptr) {
        found.tax = (payTaxable(*found.row) - found.row->low) * found.row->rate + found.row->base;
        return found;
    }
    if (periods < 1) return found;
    double t = 0.0;
    for (const auto& run : kRuns.runsOf(StatusPeriods{status, 1})) {
        if (!rowCovers(run.from, run.to, payDate)) continue;
        const std::span<const Row> rows = kRuns.rowsOf(run);
        t = taxableWages(rows[0], periods * wages, periods * suppWages, split, periods * federalTax);
        if ((found.row = bracketAboveLow(rows, t)) != nullptr) break;
    }
    if (found.row != nullptr) {
        found.tax = ((t - found.row->low) * found.row->rate + found.row->base) / periods;
        found.annual = true;
    }
    return found;
}

}  // namespace

std::span<const MissouriRow> missouriTable() { return kTable; }

int calcMissouri(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    state->stateTableDate = date(2017, payDate.month, payDate.day);
    if (state->stateFixedTax > 0) {
        state->stateTax = state->stateFixedTax;
        return 0;
    }

    const int status = state->stateFilingStatus;
    const int periods = state->statePayPeriods;
    const AllowanceSplit split = splitAllowances(state->stateAllowances, status, payDate.year);
    const Found regular = withholding(payDate, status, periods, state->stateWages, 0.0, split, pay->fedTax);
    if (regular.row == nullptr) {
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    pay->stateTaxableIncome = regular.annual ? kAnnualPassMarker : kPayPeriodPassMarker;
    state->stateTableDate = regular.row->from;
    state->stateTax = roundDollars(zeroFloor(regular.tax));

    if (!has(state, 144)) return 0;
    if (state->stateSuppAggregate == 1) {
        // Supplemental wages of +0 make this the regular call again: its result is taken again.
        const double supp = state->stateSuppWages;
        const Found combined = isPlusZero(supp)
                                   ? regular
                                   : withholding(payDate, status, periods, state->stateWages, supp, split, pay->fedTax);
        if (combined.row == nullptr) {
            state->status = ORLA_STATE_NO_ROW;
            return 1;
        }
        state->stateSuppTax = roundCents(zeroFloor(roundDollars(zeroFloor(combined.tax)) - state->stateTax));
    } else if (state->stateSuppAggregate == 0) {
        const FlatRateRow* rate = firstCovering<FlatRateRow>(kSupplementalRates, payDate);
        if (rate == nullptr) return kNoSupplementalRateRow;
        state->stateSuppTax = roundDollars(rate->rate * state->stateSuppWages);
    }
    return 0;
}

}  // namespace orla
