// Maryland: a bracket schedule on annualised wages less a standard deduction and exemptions, with
// nothing withheld below an annual wage threshold.
#include "state/maryland.h"

#include <iterator>
#include <span>

#include "frame/run_index.h"
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

// The table's runs of consecutive rows sharing status, periods and dates. The table stores its status as
// a double, compared with the status asked for as a double.
struct StatusPeriodsKey {
    double status;
    int periods;
    friend constexpr bool operator==(const StatusPeriodsKey&, const StatusPeriodsKey&) = default;
};
constexpr auto kRuns =
    runIndexBy(kStateTable, [](const MarylandRow& r) { return StatusPeriodsKey{r.status, r.periods}; });
static_assert(kRuns.runCount() == 6, "two statuses in each of 2026, 2025 and 2024");

struct Found {
    bool found = false;
    double tax = 0.0;
    bool annual = false;
};

// The two passes. The wage threshold applies to the regular computation only; suppWages is added to
// the taxable amount (annualised in pass 2).
Found withholding(const CalcDate& payDate, int status, int periods, double wages, double suppWages, int exemptions,
                  bool thresholdApplies) {
    const double asked = status;
    Found found;
    found.found = kRuns.find(payDate, StatusPeriodsKey{asked, periods}, [&](const MarylandRow& r) {
        if (thresholdApplies && r.threshold > wages) return true;  // no tax
        const double t =
            zeroFloor(wages - marylandStandardDeduction(r, wages) - exemptions * r.exemption + suppWages);
        if (!inBand(r, t)) return false;
        found.tax = (t - r.low) * r.rate + r.base;
        return true;
    }) != nullptr;
    if (found.found) return found;
    const double annualWages = periods * wages;
    found.found = kRuns.find(payDate, StatusPeriodsKey{asked, 1}, [&](const MarylandRow& r) {
        if (thresholdApplies && r.threshold > annualWages) return true;  // no tax, and not annual
        const double t = zeroFloor(annualWages - marylandStandardDeduction(r, annualWages) -
                                   exemptions * r.exemption + periods * suppWages);
        if (!inBand(r, t)) return false;
        found.tax = ((t - r.low) * r.rate + r.base) / periods;
        found.annual = true;
        return true;
    }) != nullptr;
    return found;
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
