// Maine: annual wages less allowances and a standard deduction that phases out with income, taxed by
// the annual brackets and divided back to the pay; the tax is kept in whole dollars, halves rounded down.
#include "federal/federal.h"
#include "frame/run_index.h"
#include "state/calculators.h"
#include "state/maine.h"

#include <iterator>

namespace orla {

namespace {

constexpr CalcDate kFrom2026 = date(2026, 1, 1);
constexpr CalcDate kTo2026 = date(2026, 12, 31);
constexpr CalcDate kFrom2025 = date(2025, 1, 1);
constexpr CalcDate kTo2025 = date(2025, 12, 31);
constexpr CalcDate kFrom2024 = date(2024, 1, 1);
constexpr CalcDate kTo2024 = date(2024, 12, 31);

// The year stamped into stateTableDate: Maine records the pay's month and day, not a row's date.
constexpr int kTableDateYear = 2017;

// Filing-status codes that Maine reads as single, and the option that forces the single rows.
constexpr int kSingle = 0;
constexpr int kSingleAlias1 = 5;
constexpr int kSingleAlias2 = 12;
constexpr int kOptionSingleRate = 99;

constexpr MaineRateRow kRates[] = {
    {kFrom2026, kTo2026, 0, 1, 5300, 12450, 102250, 75000, 12450, 0, 27400, 0, 0.058},
    {kFrom2026, kTo2026, 0, 1, 5300, 12450, 102250, 75000, 12450, 27400, 64850, 1589, 0.0675},
    {kFrom2026, kTo2026, 0, 1, 5300, 12450, 102250, 75000, 12450, 64850, 0, 4117, 0.0715},
    {kFrom2026, kTo2026, 1, 1, 5300, 27750, 204550, 150000, 27750, 0, 54850, 0, 0.058},
    {kFrom2026, kTo2026, 1, 1, 5300, 27750, 204550, 150000, 27750, 54850, 129750, 3181, 0.0675},
    {kFrom2026, kTo2026, 1, 1, 5300, 27750, 204550, 150000, 27750, 129750, 0, 8237, 0.0715},
    {kFrom2025, kTo2025, 0, 1, 5150, 12150, 100000, 75000, 12150, 0, 26800, 0, 0.058},
    {kFrom2025, kTo2025, 0, 1, 5150, 12150, 100000, 75000, 12150, 26800, 63450, 1554, 0.0675},
    {kFrom2025, kTo2025, 0, 1, 5150, 12150, 100000, 75000, 12150, 63450, 0, 4028, 0.0715},
    {kFrom2025, kTo2025, 1, 1, 5150, 27150, 200050, 150000, 27150, 0, 53600, 0, 0.058},
    {kFrom2025, kTo2025, 1, 1, 5150, 27150, 200050, 150000, 27150, 53600, 126900, 3109, 0.0675},
    {kFrom2025, kTo2025, 1, 1, 5150, 27150, 200050, 150000, 27150, 126900, 0, 8057, 0.0715},
    {kFrom2024, kTo2024, 0, 1, 5000, 11750, 97150, 75000, 11750, 0, 26050, 0, 0.058},
    {kFrom2024, kTo2024, 0, 1, 5000, 11750, 97150, 75000, 11750, 26050, 61600, 1511, 0.0675},
    {kFrom2024, kTo2024, 0, 1, 5000, 11750, 97150, 75000, 11750, 61600, 0, 3911, 0.0715},
    {kFrom2024, kTo2024, 1, 1, 5000, 26350, 194300, 150000, 26350, 0, 52100, 0, 0.058},
    {kFrom2024, kTo2024, 1, 1, 5000, 26350, 194300, 150000, 26350, 52100, 123250, 3022, 0.0675},
    {kFrom2024, kTo2024, 1, 1, 5000, 26350, 194300, 150000, 26350, 123250, 0, 7825, 0.0715},
};
static_assert(std::size(kRates) == 18);

constexpr MaineSupplementalRateRow kSupplementalRates[] = {
    {kFrom2026, kTo2026, 0.05},
    {kFrom2025, kTo2025, 0.05},
    {kFrom2024, kTo2024, 0.05},
};
static_assert(std::size(kSupplementalRates) == 3);

// The standard deduction at annual wages A: full below the phase-out start, none beyond its end,
// falling linearly in between; whole dollars.
double standardDeduction(const MaineRateRow& r, double annualWages) {
    if (annualWages < r.phaseOutStart) return r.standardDeduction;
    const double end = r.phaseOutStart + r.phaseOutWidth;
    if (annualWages > end) return 0.0;
    return roundDollars((end - annualWages) / r.phaseOutWidth * r.standardDeduction);
}

struct PayTax {
    bool found = false;
    double tax = 0.0;
};

// The rates in runs of one status and date range.
constexpr auto kStatusRuns = runIndexBy(kRates, [](const MaineRateRow& r) { return r.status; });

// The per-pay tax of annual wages A: the first row for the date and status whose bracket holds the
// taxable amount. The annual tax is divided by the periods, so without a positive count no row applies.
PayTax taxOfAnnualWages(const CalcDate& d, int status, int periods, int allowances, double annualWages) {
    if (periods < 1) return {};
    double taxable = 0;
    const MaineRateRow* r = kStatusRuns.find(d, status, [&](const MaineRateRow& row) {
        taxable = std::fmax(0.0, annualWages - allowances * row.allowance - standardDeduction(row, annualWages));
        return taxable >= row.low && (taxable < row.high || row.high == 0);
    });
    if (r == nullptr) return {};
    return {true, ((taxable - r->low) * r->rate + r->base) / periods};
}

// Whole dollars with halves rounded down: the amount is first rounded to cents, then its whole part is
// raised by one only when the cents left over exceed one half.
double roundDollarsHalfDown(double tax) {
    const double cents = roundCents(tax);
    const double whole = std::trunc(cents);
    return cents - whole > 0.5 ? whole + 1.0 : whole;
}

}  // namespace

std::span<const MaineRateRow> maineRateTable() { return kRates; }
std::span<const MaineSupplementalRateRow> maineSupplementalRateTable() { return kSupplementalRates; }

int calcMaine(int, PayRecord* pay, StateRecord* state) {
    const bool hasSupplemental = has(state, 144);
    if (hasSupplemental) state->stateSuppTax = 0.0;
    state->stateTableDate = CalcDate{pay->payDate.month, pay->payDate.day, kTableDateYear};

    int status = state->stateFilingStatus;
    if (status == kSingleAlias1 || status == kSingleAlias2 || state->stateOption == kOptionSingleRate) status = kSingle;
    const int periods = state->statePayPeriods;
    const int allowances = state->stateAllowances;
    const CalcDate& d = pay->payDate;

    int result = 0;
    const PayTax regular = taxOfAnnualWages(d, status, periods, allowances, periods * state->stateWages);
    if (!regular.found) {
        // No regular row: nothing more is computed (the driver's year fallback follows).
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    state->stateTax = regular.tax;

    if (hasSupplemental) {
        if (state->stateSuppAggregate == 1) {
            const PayTax combined = taxOfAnnualWages(d, status, periods, allowances,
                                                     periods * state->stateWages + periods * state->stateSuppWages);
            if (combined.found) {
                state->stateSuppTax = roundDollars(zeroFloor(combined.tax - state->stateTax));
            } else {
                state->status = ORLA_STATE_NO_ROW;
                result |= 1;
            }
        } else if (const MaineSupplementalRateRow* r = firstCovering<MaineSupplementalRateRow>(kSupplementalRates, d)) {
            state->stateSuppTax = roundCents(r->rate * state->stateSuppWages);
        } else {
            result |= kNoSupplementalRateRow;
        }
    }

    state->stateTax = roundDollarsHalfDown(state->stateTax);
    return result;
}

}  // namespace orla
