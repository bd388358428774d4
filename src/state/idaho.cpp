// Idaho: a flat rate above a per-period threshold after allowances, rounded to whole dollars. The
// supplemental wages are taxed by the aggregate method or at the flat supplemental rate.
#include "state/idaho.h"

#include "federal/federal.h"
#include "frame/run_index.h"
#include "state/calculators.h"

namespace orla {

namespace {

constexpr CalcDate kJun2025From = date(2025, 6, 1);
constexpr CalcDate kJun2025To = date(2025, 12, 31);
constexpr CalcDate kJan2025From = date(2025, 1, 1);
constexpr CalcDate kJan2025To = date(2025, 5, 31);
constexpr CalcDate kJul2024From = date(2024, 7, 1);
constexpr CalcDate kJul2024To = date(2024, 12, 31);
constexpr CalcDate kJan2024From = date(2024, 1, 1);
constexpr CalcDate kJan2024To = date(2024, 6, 30);

// Newest date range first; per range, status 0 then 1, periods 52, 26, 24, 12 and 1.
constexpr BracketRow kRates[] = {
    {k2026From, k2026To, 0, 52, 74.38, 0, 288, 0, 0},
    {k2026From, k2026To, 0, 52, 74.38, 288, 0, 0, 0.053},
    {k2026From, k2026To, 0, 26, 148.77, 0, 577, 0, 0},
    {k2026From, k2026To, 0, 26, 148.77, 577, 0, 0, 0.053},
    {k2026From, k2026To, 0, 24, 161.16, 0, 625, 0, 0},
    {k2026From, k2026To, 0, 24, 161.16, 625, 0, 0, 0.053},
    {k2026From, k2026To, 0, 12, 322.33, 0, 1250, 0, 0},
    {k2026From, k2026To, 0, 12, 322.33, 1250, 0, 0, 0.053},
    {k2026From, k2026To, 0, 1, 3868, 0, 15000, 0, 0},
    {k2026From, k2026To, 0, 1, 3868, 15000, 0, 0, 0.053},
    {k2026From, k2026To, 1, 52, 74.38, 0, 577, 0, 0},
    {k2026From, k2026To, 1, 52, 74.38, 577, 0, 0, 0.053},
    {k2026From, k2026To, 1, 26, 148.77, 0, 1154, 0, 0},
    {k2026From, k2026To, 1, 26, 148.77, 1154, 0, 0, 0.053},
    {k2026From, k2026To, 1, 24, 161.16, 0, 1250, 0, 0},
    {k2026From, k2026To, 1, 24, 161.16, 1250, 0, 0, 0.053},
    {k2026From, k2026To, 1, 12, 322.33, 0, 2500, 0, 0},
    {k2026From, k2026To, 1, 12, 322.33, 2500, 0, 0, 0.053},
    {k2026From, k2026To, 1, 1, 3868, 0, 30000, 0, 0},
    {k2026From, k2026To, 1, 1, 3868, 30000, 0, 0, 0.053},
    {kJun2025From, kJun2025To, 0, 52, 74.38, 0, 288, 0, 0},
    {kJun2025From, kJun2025To, 0, 52, 74.38, 288, 0, 0, 0.053},
    {kJun2025From, kJun2025To, 0, 26, 148.77, 0, 577, 0, 0},
    {kJun2025From, kJun2025To, 0, 26, 148.77, 577, 0, 0, 0.053},
    {kJun2025From, kJun2025To, 0, 24, 161.16, 0, 625, 0, 0},
    {kJun2025From, kJun2025To, 0, 24, 161.16, 625, 0, 0, 0.053},
    {kJun2025From, kJun2025To, 0, 12, 322.33, 0, 1250, 0, 0},
    {kJun2025From, kJun2025To, 0, 12, 322.33, 1250, 0, 0, 0.053},
    {kJun2025From, kJun2025To, 0, 1, 3868, 0, 15000, 0, 0},
    {kJun2025From, kJun2025To, 0, 1, 3868, 15000, 0, 0, 0.053},
    {kJun2025From, kJun2025To, 1, 52, 74.38, 0, 577, 0, 0},
    {kJun2025From, kJun2025To, 1, 52, 74.38, 577, 0, 0, 0.053},
    {kJun2025From, kJun2025To, 1, 26, 148.77, 0, 1154, 0, 0},
    {kJun2025From, kJun2025To, 1, 26, 148.77, 1154, 0, 0, 0.053},
    {kJun2025From, kJun2025To, 1, 24, 161.16, 0, 1250, 0, 0},
    {kJun2025From, kJun2025To, 1, 24, 161.16, 1250, 0, 0, 0.053},
    {kJun2025From, kJun2025To, 1, 12, 322.33, 0, 2500, 0, 0},
    {kJun2025From, kJun2025To, 1, 12, 322.33, 2500, 0, 0, 0.053},
    {kJun2025From, kJun2025To, 1, 1, 3868, 0, 30000, 0, 0},
    {kJun2025From, kJun2025To, 1, 1, 3868, 30000, 0, 0, 0.053},
    {kJan2025From, kJan2025To, 0, 52, 69.22, 0, 281, 0, 0},
    {kJan2025From, kJan2025To, 0, 52, 69.22, 281, 0, 0, 0.05695},
    {kJan2025From, kJan2025To, 0, 26, 138.45, 0, 562, 0, 0},
    {kJan2025From, kJan2025To, 0, 26, 138.45, 562, 0, 0, 0.05695},
    {kJan2025From, kJan2025To, 0, 24, 149.99, 0, 608, 0, 0},
    {kJan2025From, kJan2025To, 0, 24, 149.99, 608, 0, 0, 0.05695},
    {kJan2025From, kJan2025To, 0, 12, 299.97, 0, 1217, 0, 0},
    {kJan2025From, kJan2025To, 0, 12, 299.97, 1217, 0, 0, 0.05695},
    {kJan2025From, kJan2025To, 0, 1, 3600, 0, 14600, 0, 0},
    {kJan2025From, kJan2025To, 0, 1, 3600, 14600, 0, 0, 0.05695},
    {kJan2025From, kJan2025To, 1, 52, 69.22, 0, 562, 0, 0},
    {kJan2025From, kJan2025To, 1, 52, 69.22, 562, 0, 0, 0.05695},
    {kJan2025From, kJan2025To, 1, 26, 138.45, 0, 1123, 0, 0},
    {kJan2025From, kJan2025To, 1, 26, 138.45, 1123, 0, 0, 0.05695},
    {kJan2025From, kJan2025To, 1, 24, 149.99, 0, 1217, 0, 0},
    {kJan2025From, kJan2025To, 1, 24, 149.99, 1217, 0, 0, 0.05695},
    {kJan2025From, kJan2025To, 1, 12, 299.97, 0, 2433, 0, 0},
    {kJan2025From, kJan2025To, 1, 12, 299.97, 2433, 0, 0, 0.05695},
    {kJan2025From, kJan2025To, 1, 1, 3600, 0, 29200, 0, 0},
    {kJan2025From, kJan2025To, 1, 1, 3600, 29200, 0, 0, 0.05695},
    {kJul2024From, kJul2024To, 0, 52, 69.22, 0, 281, 0, 0},
    {kJul2024From, kJul2024To, 0, 52, 69.22, 281, 0, 0, 0.05695},
    {kJul2024From, kJul2024To, 0, 26, 138.45, 0, 562, 0, 0},
    {kJul2024From, kJul2024To, 0, 26, 138.45, 562, 0, 0, 0.05695},
    {kJul2024From, kJul2024To, 0, 24, 149.99, 0, 608, 0, 0},
    {kJul2024From, kJul2024To, 0, 24, 149.99, 608, 0, 0, 0.05695},
    {kJul2024From, kJul2024To, 0, 12, 299.97, 0, 1217, 0, 0},
    {kJul2024From, kJul2024To, 0, 12, 299.97, 1217, 0, 0, 0.05695},
    {kJul2024From, kJul2024To, 0, 1, 3600, 0, 14600, 0, 0},
    {kJul2024From, kJul2024To, 0, 1, 3600, 14600, 0, 0, 0.05695},
    {kJul2024From, kJul2024To, 1, 52, 69.22, 0, 562, 0, 0},
    {kJul2024From, kJul2024To, 1, 52, 69.22, 562, 0, 0, 0.05695},
    {kJul2024From, kJul2024To, 1, 26, 138.45, 0, 1123, 0, 0},
    {kJul2024From, kJul2024To, 1, 26, 138.45, 1123, 0, 0, 0.05695},
    {kJul2024From, kJul2024To, 1, 24, 149.99, 0, 1217, 0, 0},
    {kJul2024From, kJul2024To, 1, 24, 149.99, 1217, 0, 0, 0.05695},
    {kJul2024From, kJul2024To, 1, 12, 299.97, 0, 2433, 0, 0},
    {kJul2024From, kJul2024To, 1, 12, 299.97, 2433, 0, 0, 0.05695},
    {kJul2024From, kJul2024To, 1, 1, 3600, 0, 29200, 0, 0},
    {kJul2024From, kJul2024To, 1, 1, 3600, 29200, 0, 0, 0.05695},
    {kJan2024From, kJan2024To, 0, 52, 67.97, 0, 266, 0, 0},
    {kJan2024From, kJan2024To, 0, 52, 67.97, 266, 0, 0, 0.058},
    {kJan2024From, kJan2024To, 0, 26, 135.94, 0, 533, 0, 0},
    {kJan2024From, kJan2024To, 0, 26, 135.94, 533, 0, 0, 0.058},
    {kJan2024From, kJan2024To, 0, 24, 142.36, 0, 577, 0, 0},
    {kJan2024From, kJan2024To, 0, 24, 142.36, 577, 0, 0, 0.058},
    {kJan2024From, kJan2024To, 0, 12, 294.54, 0, 1154, 0, 0},
    {kJan2024From, kJan2024To, 0, 12, 294.54, 1154, 0, 0, 0.058},
    {kJan2024From, kJan2024To, 0, 1, 3534, 0, 13850, 0, 0},
    {kJan2024From, kJan2024To, 0, 1, 3534, 13850, 0, 0, 0.058},
    {kJan2024From, kJan2024To, 1, 52, 67.97, 0, 533, 0, 0},
    {kJan2024From, kJan2024To, 1, 52, 67.97, 533, 0, 0, 0.058},
    {kJan2024From, kJan2024To, 1, 26, 135.94, 0, 1065, 0, 0},
    {kJan2024From, kJan2024To, 1, 26, 135.94, 1065, 0, 0, 0.058},
    {kJan2024From, kJan2024To, 1, 24, 142.36, 0, 1154, 0, 0},
    {kJan2024From, kJan2024To, 1, 24, 142.36, 1154, 0, 0, 0.058},
    {kJan2024From, kJan2024To, 1, 12, 294.54, 0, 2308, 0, 0},
    {kJan2024From, kJan2024To, 1, 12, 294.54, 2308, 0, 0, 0.058},
    {kJan2024From, kJan2024To, 1, 1, 3534, 0, 27700, 0, 0},
    {kJan2024From, kJan2024To, 1, 1, 3534, 27700, 0, 0, 0.058},
};
static_assert(std::size(kRates) == 100);

constexpr IdahoSupplementalRow kSupplemental[] = {
    {k2026From, k2026To, 0.053},
    {kJun2025From, kJun2025To, 0.053},
    {kJan2025From, kJan2025To, 0.05695},
    {kJul2024From, kJul2024To, 0.05695},
    {kJan2024From, kJan2024To, 0.058},
};
static_assert(std::size(kSupplemental) == 5);

int tableStatus(int filingStatus) { return filingStatus == 2 || filingStatus == 12 ? 0 : filingStatus; }

constexpr MappedRunIndex kRateIndex(kRates);

// suppWages is added to the pay's wages after the allowances (0 for the wages alone). In the annual
// pass the bracket product is rounded to cents first when centsFirst is set.
BracketHit lookup(const CalcDate& d, int status, int periods, int allowances, double wages, double suppWages,
                  bool centsFirst) {
    BracketHit hit;
    double w = 0;
    // The amounts depend on the row through its allowance only: the band lookup applies.
    hit.row = kRateIndex.findBand(d, StatusPeriods{status, periods}, [&](const BracketRow& r) {
        return w = std::fmax(0.0, wages - allowances * r.allowance + suppWages);
    });
    if (hit.row != nullptr) {
        hit.tax = zeroFloor((w - hit.row->low) * hit.row->rate + hit.row->base);
        return hit;
    }
    if (periods < 1) return hit;
    hit.row = kRateIndex.findBand(d, StatusPeriods{status, 1}, [&](const BracketRow& r) {
        return w = std::fmax(0.0, periods * wages - allowances * r.allowance + periods * suppWages);
    });
    if (hit.row != nullptr) {
        double product = (w - hit.row->low) * hit.row->rate;
        if (centsFirst) product = roundCents(product);
        hit.tax = zeroFloor((product + hit.row->base) / periods);
    }
    return hit;
}

}  // namespace

std::span<const BracketRow> idahoRateTable() { return kRates; }
std::span<const IdahoSupplementalRow> idahoSupplementalTable() { return kSupplemental; }

int calcIdaho(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    state->stateTableDate = date(2017, payDate.month, payDate.day);
    const int status = tableStatus(state->stateFilingStatus);
    const int periods = state->statePayPeriods;
    const int allowances = state->stateAllowances;

    int result = 0;
    const BracketHit hit = lookup(payDate, status, periods, allowances, state->stateWages, 0.0, true);
    if (hit.row == nullptr) {
        // No regular row: nothing more is computed (the driver's year fallback follows).
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    state->stateTax = roundDollars(hit.tax);
    state->stateTableDate = hit.row->from;

    if (!has(state, 144)) return result;
    if (state->stateSuppAggregate == 1) {
        // A failed repeat counts as a zero tax, so the supplemental tax becomes 0.
        const BracketHit withSupp =
            lookup(payDate, status, periods, allowances, state->stateWages, state->stateSuppWages, false);
        if (withSupp.row == nullptr) {
            state->status = ORLA_STATE_NO_ROW;
            result = 1;
        }
        const double total = roundDollars(withSupp.tax);
        state->stateSuppTax = roundDollars(zeroFloor(total - state->stateTax));
    } else if (state->stateSuppAggregate == 0) {
        if (const IdahoSupplementalRow* row = firstCovering<IdahoSupplementalRow>(kSupplemental, payDate))
            state->stateSuppTax = roundDollars(row->rate * state->stateSuppWages);
        else
            result |= kNoSupplementalRateRow;
    }
    return result;
}

}  // namespace orla
