// Hawaii: the annual table applied to the annualised wages less allowances and the deduction. The
// supplemental wages are always taxed by the aggregate method.
#include "state/hawaii.h"

#include "frame/run_index.h"
#include "state/calculators.h"

namespace orla {

namespace {

// Newest year first; per year, status 0 then 1, eight brackets each.
constexpr HawaiiRow kHawaii[] = {
    {k2026From, k2026To, 0, 1, 1144, 1650, 0, 9600, 0, 0.014},
    {k2026From, k2026To, 0, 1, 1144, 1650, 9600, 14400, 134, 0.032},
    {k2026From, k2026To, 0, 1, 1144, 1650, 14400, 19200, 288, 0.055},
    {k2026From, k2026To, 0, 1, 1144, 1650, 19200, 24000, 552, 0.064},
    {k2026From, k2026To, 0, 1, 1144, 1650, 24000, 36000, 859, 0.068},
    {k2026From, k2026To, 0, 1, 1144, 1650, 36000, 48000, 1675, 0.072},
    {k2026From, k2026To, 0, 1, 1144, 1650, 48000, 125000, 2539, 0.076},
    {k2026From, k2026To, 0, 1, 1144, 1650, 125000, 0, 8391, 0.079},
    {k2026From, k2026To, 1, 1, 1144, 1650, 0, 19200, 0, 0.014},
    {k2026From, k2026To, 1, 1, 1144, 1650, 19200, 28800, 269, 0.032},
    {k2026From, k2026To, 1, 1, 1144, 1650, 28800, 38400, 576, 0.055},
    {k2026From, k2026To, 1, 1, 1144, 1650, 38400, 48000, 1104, 0.064},
    {k2026From, k2026To, 1, 1, 1144, 1650, 48000, 72000, 1718, 0.068},
    {k2026From, k2026To, 1, 1, 1144, 1650, 72000, 96000, 3350, 0.072},
    {k2026From, k2026To, 1, 1, 1144, 1650, 96000, 250000, 5078, 0.076},
    {k2026From, k2026To, 1, 1, 1144, 1650, 250000, 0, 16782, 0.079},
    {k2025From, k2025To, 0, 1, 1144, 1650, 0, 9600, 0, 0.014},
    {k2025From, k2025To, 0, 1, 1144, 1650, 9600, 14400, 134, 0.032},
    {k2025From, k2025To, 0, 1, 1144, 1650, 14400, 19200, 288, 0.055},
    {k2025From, k2025To, 0, 1, 1144, 1650, 19200, 24000, 552, 0.064},
    {k2025From, k2025To, 0, 1, 1144, 1650, 24000, 36000, 859, 0.068},
    {k2025From, k2025To, 0, 1, 1144, 1650, 36000, 48000, 1675, 0.072},
    {k2025From, k2025To, 0, 1, 1144, 1650, 48000, 125000, 2539, 0.076},
    {k2025From, k2025To, 0, 1, 1144, 1650, 125000, 0, 8391, 0.079},
    {k2025From, k2025To, 1, 1, 1144, 1650, 0, 19200, 0, 0.014},
    {k2025From, k2025To, 1, 1, 1144, 1650, 19200, 28800, 269, 0.032},
    {k2025From, k2025To, 1, 1, 1144, 1650, 28800, 38400, 576, 0.055},
    {k2025From, k2025To, 1, 1, 1144, 1650, 38400, 48000, 1104, 0.064},
    {k2025From, k2025To, 1, 1, 1144, 1650, 48000, 72000, 1718, 0.068},
    {k2025From, k2025To, 1, 1, 1144, 1650, 72000, 96000, 3350, 0.072},
    {k2025From, k2025To, 1, 1, 1144, 1650, 96000, 250000, 5078, 0.076},
    {k2025From, k2025To, 1, 1, 1144, 1650, 250000, 0, 16782, 0.079},
    {k2024From, k2024To, 0, 1, 1144, 0, 0, 2400, 0, 0.014},
    {k2024From, k2024To, 0, 1, 1144, 0, 2400, 4800, 34, 0.032},
    {k2024From, k2024To, 0, 1, 1144, 0, 4800, 9600, 110, 0.055},
    {k2024From, k2024To, 0, 1, 1144, 0, 9600, 14400, 374, 0.064},
    {k2024From, k2024To, 0, 1, 1144, 0, 14400, 19200, 682, 0.068},
    {k2024From, k2024To, 0, 1, 1144, 0, 19200, 24000, 1008, 0.072},
    {k2024From, k2024To, 0, 1, 1144, 0, 24000, 36000, 1354, 0.076},
    {k2024From, k2024To, 0, 1, 1144, 0, 36000, 0, 2266, 0.079},
    {k2024From, k2024To, 1, 1, 1144, 0, 0, 4800, 0, 0.014},
    {k2024From, k2024To, 1, 1, 1144, 0, 4800, 9600, 67, 0.032},
    {k2024From, k2024To, 1, 1, 1144, 0, 9600, 19200, 221, 0.055},
    {k2024From, k2024To, 1, 1, 1144, 0, 19200, 28800, 749, 0.064},
    {k2024From, k2024To, 1, 1, 1144, 0, 28800, 38400, 1363, 0.068},
    {k2024From, k2024To, 1, 1, 1144, 0, 38400, 48000, 2016, 0.072},
    {k2024From, k2024To, 1, 1, 1144, 0, 48000, 72000, 2707, 0.076},
    {k2024From, k2024To, 1, 1, 1144, 0, 72000, 0, 4531, 0.079},
};
static_assert(std::size(kHawaii) == 48);

// Filing statuses 13 and 14 mark an exempt employee; 2 and 12 are taxed as single.
constexpr int kExemptStatusA = 13;
constexpr int kExemptStatusB = 14;

int tableStatus(int filingStatus) { return filingStatus == 2 || filingStatus == 12 ? 0 : filingStatus; }

struct HawaiiHit {
    const HawaiiRow* row = nullptr;
    double tax = 0.0;
    double taxable = 0.0;
    bool annualised = false;
};

constexpr MappedRunIndex kHawaiiIndex(kHawaii);

// Every run's rows share the allowance and the deduction, so the taxable wages are the same for every
// row of a run and are worked out once per run; and its brackets follow each other from 0 without gap or
// overlap, so the bracket is found by bisection (bracketAboveLow).
constexpr bool runsShareDeductionsAndFollowFromZero() {
    for (const auto& run : kHawaiiIndex.runs()) {
        const std::span<const HawaiiRow> rows = kHawaiiIndex.rowsOf(run);
        if (!contiguousFromZero(rows)) return false;
        for (const HawaiiRow& r : rows)
            if (r.allowance != rows[0].allowance || r.deduction != rows[0].deduction) return false;
    }
    return true;
}
static_assert(runsShareDeductionsAndFollowFromZero());

// The first row in stored order of the status and periods that covers d and takes taxable(row): a bracket
// takes wages above its low (any wages from 0 for the first) and up to its high.
template <class Taxable>
const HawaiiRow* find(const CalcDate& d, int status, int periods, Taxable&& taxable, double& w) {
    return kHawaiiIndex.firstOfRuns(
        StatusPeriods{status, periods}, [&](const auto& run) { return rowCovers(run.from, run.to, d); },
        [&](const auto& run) {
            const std::span<const HawaiiRow> rows = kHawaiiIndex.rowsOf(run);
            w = taxable(rows[0]);
            return bracketAboveLow(rows, w);
        });
}

// Pass 1 serves an annual payroll directly; pass 2 annualises the pay's wages and divides the tax.
HawaiiHit lookup(const CalcDate& d, int status, int periods, int allowances, double wages) {
    HawaiiHit hit;
    double w = 0;
    hit.row = find(
        d, status, periods,
        [&](const HawaiiRow& r) { return std::fmax(0.0, wages - allowances * r.allowance - r.deduction); }, w);
    if (hit.row != nullptr) {
        hit.taxable = w;
        hit.tax = (w - hit.row->low) * hit.row->rate + hit.row->base;
        return hit;
    }
    if (periods < 1) return hit;
    hit.row = find(
        d, status, 1,
        [&](const HawaiiRow& r) { return std::fmax(0.0, periods * wages - allowances * r.allowance - r.deduction); },
        w);
    if (hit.row != nullptr) {
        hit.taxable = w;
        hit.tax = ((w - hit.row->low) * hit.row->rate + hit.row->base) / periods;
        hit.annualised = true;
    }
    return hit;
}

}  // namespace

std::span<const HawaiiRow> hawaiiTable() { return kHawaii; }

int calcHawaii(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    state->stateTableDate = date(2017, payDate.month, payDate.day);
    if (state->stateFilingStatus == kExemptStatusA || state->stateFilingStatus == kExemptStatusB) {
        state->stateTax = 0.0;
        return 0;
    }
    const int status = tableStatus(state->stateFilingStatus);
    const int periods = state->statePayPeriods;
    const int allowances = state->stateAllowances;

    int result = 0;
    const HawaiiHit hit = lookup(payDate, status, periods, allowances, state->stateWages);
    if (hit.row == nullptr) {
        // No regular row: nothing more is computed (the driver's year fallback follows).
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    state->stateTax = hit.tax;
    state->stateTableDate = hit.row->from;
    if (!hit.annualised) pay->stateTaxableIncome = truncToInt(hit.taxable);

    if (has(state, 144)) {
        // A failed repeat counts as a zero tax, so the supplemental tax becomes 0. Without supplemental
        // wages the repeat is the lookup of the wages alone.
        const double suppWages = state->stateSuppWages;
        const HawaiiHit withSupp =
            suppWages == 0 ? hit : lookup(payDate, status, periods, allowances, state->stateWages + suppWages);
        if (withSupp.row == nullptr) {
            state->status = ORLA_STATE_NO_ROW;
            result = 1;
        }
        state->stateSuppTax = roundCents(zeroFloor(withSupp.tax - state->stateTax));
    }
    return result;
}

}  // namespace orla
