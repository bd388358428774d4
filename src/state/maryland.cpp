// Maryland: a bracket schedule on annualised wages less a standard deduction and exemptions, with
// nothing withheld below an annual wage threshold.
#include "state/maryland.h"

#include <cstdint>
#include <iterator>
#include <span>

#include "state/calculators.h"

namespace orla {

namespace {

// Annual rows only: per year (newest first) single then married, brackets ascending. From 2026 a
// flat standard deduction and seven brackets; before, 15% held between 1,800 and 2,700 and five.
// The state's table also holds ten 2023 rows (five brackets for each status), whose figures are not
// carried here: they serve pay years before 2024 only, since a 2024 pay of status 0 or 1 always finds
// its 2024 row (the brackets run from 0 without a gap) and any other status has no row in any year.
constexpr MarylandRow kStateTable[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 0.0, 1, 5000, 0, 3350, 3350, 3200, 0, 100000, 0, 0.0475},
    {date(2026, 1, 1), date(2026, 12, 31), 0.0, 1, 5000, 0, 3350, 3350, 3200, 100000, 125000, 4750, 0.05},
    {date(2026, 1, 1), date(2026, 12, 31), 0.0, 1, 5000, 0, 3350, 3350, 3200, 125000, 150000, 6000, 0.0525},
    {date(2026, 1, 1), date(2026, 12, 31), 0.0, 1, 5000, 0, 3350, 3350, 3200, 150000, 250000, 7312.5, 0.055},
    {date(2026, 1, 1), date(2026, 12, 31), 0.0, 1, 5000, 0, 3350, 3350, 3200, 250000, 500000, 12812.5, 0.0575},
    {date(2026, 1, 1), date(2026, 12, 31), 0.0, 1, 5000, 0, 3350, 3350, 3200, 500000, 1000000, 27187.5, 0.0625},
    {date(2026, 1, 1), date(2026, 12, 31), 0.0, 1, 5000, 0, 3350, 3350, 3200, 1000000, 0, 58437.5, 0.065},
    {date(2026, 1, 1), date(2026, 12, 31), 1.0, 1, 5000, 0, 3350, 3350, 3200, 0, 150000, 0, 0.0475},
    {date(2026, 1, 1), date(2026, 12, 31), 1.0, 1, 5000, 0, 3350, 3350, 3200, 150000, 175000, 7125, 0.05},
    {date(2026, 1, 1), date(2026, 12, 31), 1.0, 1, 5000, 0, 3350, 3350, 3200, 175000, 225000, 8375, 0.0525},
    {date(2026, 1, 1), date(2026, 12, 31), 1.0, 1, 5000, 0, 3350, 3350, 3200, 225000, 300000, 11000, 0.055},
    {date(2026, 1, 1), date(2026, 12, 31), 1.0, 1, 5000, 0, 3350, 3350, 3200, 300000, 600000, 15125, 0.0575},
    {date(2026, 1, 1), date(2026, 12, 31), 1.0, 1, 5000, 0, 3350, 3350, 3200, 600000, 1200000, 32375, 0.0625},
    {date(2026, 1, 1), date(2026, 12, 31), 1.0, 1, 5000, 0, 3350, 3350, 3200, 1200000, 0, 69875, 0.065},
    {date(2025, 1, 1), date(2025, 12, 31), 0.0, 1, 5000, 0.15, 1800, 2700, 3200, 0, 100000, 0, 0.0475},
    {date(2025, 1, 1), date(2025, 12, 31), 0.0, 1, 5000, 0.15, 1800, 2700, 3200, 100000, 125000, 4750, 0.05},
    {date(2025, 1, 1), date(2025, 12, 31), 0.0, 1, 5000, 0.15, 1800, 2700, 3200, 125000, 150000, 6000, 0.0525},
    {date(2025, 1, 1), date(2025, 12, 31), 0.0, 1, 5000, 0.15, 1800, 2700, 3200, 150000, 250000, 7312.5, 0.055},
    {date(2025, 1, 1), date(2025, 12, 31), 0.0, 1, 5000, 0.15, 1800, 2700, 3200, 250000, 0, 12812.5, 0.0575},
    {date(2025, 1, 1), date(2025, 12, 31), 1.0, 1, 5000, 0.15, 1800, 2700, 3200, 0, 150000, 0, 0.0475},
    {date(2025, 1, 1), date(2025, 12, 31), 1.0, 1, 5000, 0.15, 1800, 2700, 3200, 150000, 175000, 7125, 0.05},
    {date(2025, 1, 1), date(2025, 12, 31), 1.0, 1, 5000, 0.15, 1800, 2700, 3200, 175000, 225000, 8375, 0.0525},
    {date(2025, 1, 1), date(2025, 12, 31), 1.0, 1, 5000, 0.15, 1800, 2700, 3200, 225000, 300000, 11000, 0.055},
    {date(2025, 1, 1), date(2025, 12, 31), 1.0, 1, 5000, 0.15, 1800, 2700, 3200, 300000, 0, 15125, 0.0575},
    {date(2024, 1, 1), date(2024, 12, 31), 0.0, 1, 5000, 0.15, 1800, 2700, 3200, 0, 100000, 0, 0.0475},
    {date(2024, 1, 1), date(2024, 12, 31), 0.0, 1, 5000, 0.15, 1800, 2700, 3200, 100000, 125000, 4750, 0.05},
    {date(2024, 1, 1), date(2024, 12, 31), 0.0, 1, 5000, 0.15, 1800, 2700, 3200, 125000, 150000, 6000, 0.0525},
    {date(2024, 1, 1), date(2024, 12, 31), 0.0, 1, 5000, 0.15, 1800, 2700, 3200, 150000, 250000, 7312.5, 0.055},
    {date(2024, 1, 1), date(2024, 12, 31), 0.0, 1, 5000, 0.15, 1800, 2700, 3200, 250000, 0, 12812.5, 0.0575},
    {date(2024, 1, 1), date(2024, 12, 31), 1.0, 1, 5000, 0.15, 1800, 2700, 3200, 0, 150000, 0, 0.0475},
    {date(2024, 1, 1), date(2024, 12, 31), 1.0, 1, 5000, 0.15, 1800, 2700, 3200, 150000, 175000, 7125, 0.05},
    {date(2024, 1, 1), date(2024, 12, 31), 1.0, 1, 5000, 0.15, 1800, 2700, 3200, 175000, 225000, 8375, 0.0525},
    {date(2024, 1, 1), date(2024, 12, 31), 1.0, 1, 5000, 0.15, 1800, 2700, 3200, 225000, 300000, 11000, 0.055},
    {date(2024, 1, 1), date(2024, 12, 31), 1.0, 1, 5000, 0.15, 1800, 2700, 3200, 300000, 0, 15125, 0.0575},
};
static_assert(std::size(kStateTable) == 34, "2026: 14 rows; 2025 and 2024: 10 rows each");

constexpr bool inBand(const MarylandRow& r, double t) { return t >= r.low && (t < r.high || r.high == 0); }

// The table's runs of consecutive rows sharing status, periods and dates, in stored order. Scanning the
// runs and then the rows of a matching run visits the rows in stored order, so it finds exactly the row
// of the plain first-match scan, while the date test runs once per run.
struct Run {
    double status;
    int periods;
    CalcDate from;
    CalcDate to;
    std::uint32_t begin;
    std::uint32_t end;
};

struct Runs {
    Run runs[std::size(kStateTable)]{};
    std::size_t count = 0;

    constexpr Runs() {
        for (std::size_t i = 0; i < std::size(kStateTable); ++i) {
            const MarylandRow& r = kStateTable[i];
            if (count > 0) {
                Run& last = runs[count - 1];
                if (last.status == r.status && last.periods == r.periods && sameDate(last.from, r.from) &&
                    sameDate(last.to, r.to)) {
                    last.end = static_cast<std::uint32_t>(i + 1);
                    continue;
                }
            }
            runs[count++] = Run{r.status, r.periods, r.from, r.to, static_cast<std::uint32_t>(i),
                                static_cast<std::uint32_t>(i + 1)};
        }
    }

    std::span<const Run> list() const { return {runs, count}; }
    static std::span<const MarylandRow> rowsOf(const Run& run) {
        return {kStateTable + run.begin, kStateTable + run.end};
    }

    static constexpr bool sameDate(const CalcDate& a, const CalcDate& b) {
        return a.month == b.month && a.day == b.day && a.year == b.year;
    }
};

constexpr Runs kRuns{};
static_assert(kRuns.count == 6, "two statuses in each of 2026, 2025 and 2024");

bool serves(const Run& run, const CalcDate& payDate, int status, int periods) {
    return run.status == static_cast<double>(status) && run.periods == periods && rowCovers(run.from, run.to, payDate);
}

struct Found {
    bool found = false;
    double tax = 0.0;
    bool annual = false;
};

// The two passes. The wage threshold applies to the regular computation only; suppWages is added to
// the taxable amount (annualised in pass 2).
Found withholding(const CalcDate& payDate, int status, int periods, double wages, double suppWages, int exemptions,
                  bool thresholdApplies) {
    for (const Run& run : kRuns.list()) {
        if (!serves(run, payDate, status, periods)) continue;
        for (const MarylandRow& r : Runs::rowsOf(run)) {
            if (thresholdApplies && r.threshold > wages) return {true, 0.0, false};
            const double t =
                zeroFloor(wages - marylandStandardDeduction(r, wages) - exemptions * r.exemption + suppWages);
            if (inBand(r, t)) return {true, (t - r.low) * r.rate + r.base, false};
        }
    }
    const double annualWages = periods * wages;
    for (const Run& run : kRuns.list()) {
        if (!serves(run, payDate, status, 1)) continue;
        for (const MarylandRow& r : Runs::rowsOf(run)) {
            if (thresholdApplies && r.threshold > annualWages) return {true, 0.0, false};
            const double t = zeroFloor(annualWages - marylandStandardDeduction(r, annualWages) -
                                       exemptions * r.exemption + periods * suppWages);
            if (inBand(r, t)) return {true, ((t - r.low) * r.rate + r.base) / periods, true};
        }
    }
    return {};
}

}  // namespace

std::span<const MarylandRow> marylandStateTable() { return kStateTable; }

int calcMaryland(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const bool hasSupplemental = has(state, 144);
    if (hasSupplemental) state->stateSuppTax = 0.0;
    // Fewer than one period: the pay is taken as annual.
    if (state->statePayPeriods < 1) state->statePayPeriods = 1;
    state->stateTax = 0.0;

    const CalcDate& payDate = pay->payDate;
    const int status = marylandTableStatus(state->stateFilingStatus);
    const int periods = state->statePayPeriods;
    const int exemptions = state->stateAllowances;
    const double wages = state->stateWages;

    int result = 0;
    const Found regular = withholding(payDate, status, periods, wages, 0.0, exemptions, true);
    if (regular.found) {
        state->stateTax = regular.tax;
        if (regular.annual) pay->stateTaxableIncome = truncToInt(regular.tax * 100);
        state->stateTax = zeroFloor(state->stateTax);
    } else {
        state->status = ORLA_STATE_NO_ROW;
        result = 1;
    }

    if (!hasSupplemental || !(state->stateSuppWages > 0)) return result;
    if (state->stateSuppAggregate != 1) {
        state->stateSuppTax = roundCents(state->stateSuppWages * kMarylandSupplementalRate);
        return result;
    }
    const Found combined = withholding(payDate, status, periods, wages, state->stateSuppWages, exemptions, false);
    if (!combined.found) {
        state->status = ORLA_STATE_NO_ROW;
        state->stateSuppTax = 0.0;
        return 1;
    }
    state->stateSuppTax = roundCents(zeroFloor(zeroFloor(combined.tax) - state->stateTax));
    return result;
}

}  // namespace orla
