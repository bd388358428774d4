// Georgia: a flat rate on wages less the standard deduction of the filing status and an allowance per
// dependent; supplemental wages at a rate chosen by the annual taxable wages.
#include "frame/run_index.h"
#include "state/calculators.h"
#include "state/state_tables.h"

namespace orla {

namespace {

constexpr CalcDate kOct2025From = date(2025, 10, 1);
constexpr CalcDate kOct2025To = date(2025, 12, 31);
constexpr CalcDate kJan2025From = date(2025, 1, 1);
constexpr CalcDate kJan2025To = date(2025, 9, 30);
constexpr CalcDate kJan2024From = date(2024, 1, 1);
constexpr CalcDate kJan2024To = date(2024, 6, 30);
constexpr CalcDate kJul2024From = date(2024, 7, 1);
constexpr CalcDate kJul2024To = date(2024, 12, 31);

struct RateRow {
    CalcDate from;
    CalcDate to;
    int status;
    int periods;  // 1 in every row: the table is annual
    double standardDeduction;
    double personalAllowance;  // used by rules before 2024 only
    double perDependent;
    double low;
    double high;  // 0 = open
    double base;
    double rate;
};

// No row is dated 2026: by the row date test the rows from 1 October 2025 serve pay dates up to
// 30 September 2026, and the year fallback brings the rest of 2026 back to them.
constexpr RateRow kRates[] = {
    {kOct2025From, kOct2025To, 0, 1, 12000, 0, 4000, 0, 0, 0, 0.0519},
    {kOct2025From, kOct2025To, 4, 1, 24000, 0, 4000, 0, 0, 0, 0.0519},
    {kOct2025From, kOct2025To, 2, 1, 12000, 0, 4000, 0, 0, 0, 0.0519},
    {kOct2025From, kOct2025To, 5, 1, 24000, 0, 4000, 0, 0, 0, 0.0519},
    {kOct2025From, kOct2025To, 3, 1, 12000, 0, 4000, 0, 0, 0, 0.0519},
    {kJan2025From, kJan2025To, 0, 1, 12000, 0, 4000, 0, 0, 0, 0.0539},
    {kJan2025From, kJan2025To, 4, 1, 24000, 0, 4000, 0, 0, 0, 0.0539},
    {kJan2025From, kJan2025To, 2, 1, 12000, 0, 4000, 0, 0, 0, 0.0539},
    {kJan2025From, kJan2025To, 5, 1, 12000, 0, 4000, 0, 0, 0, 0.0539},
    {kJan2025From, kJan2025To, 11, 1, 12000, 0, 4000, 0, 0, 0, 0.0539},
    {kJan2025From, kJan2025To, 3, 1, 12000, 0, 4000, 0, 0, 0, 0.0539},
    {kJan2024From, kJan2024To, 0, 1, 12000, 0, 3000, 0, 0, 0, 0.0549},
    {kJan2024From, kJan2024To, 4, 1, 24000, 0, 3000, 0, 0, 0, 0.0549},
    {kJan2024From, kJan2024To, 2, 1, 12000, 0, 3000, 0, 0, 0, 0.0549},
    {kJan2024From, kJan2024To, 5, 1, 12000, 0, 3000, 0, 0, 0, 0.0549},
    {kJan2024From, kJan2024To, 11, 1, 12000, 0, 3000, 0, 0, 0, 0.0549},
    {kJan2024From, kJan2024To, 3, 1, 12000, 0, 3000, 0, 0, 0, 0.0549},
    {kJul2024From, kJul2024To, 0, 1, 12000, 0, 4000, 0, 0, 0, 0.0539},
    {kJul2024From, kJul2024To, 4, 1, 24000, 0, 4000, 0, 0, 0, 0.0539},
    {kJul2024From, kJul2024To, 2, 1, 12000, 0, 4000, 0, 0, 0, 0.0539},
    {kJul2024From, kJul2024To, 5, 1, 12000, 0, 4000, 0, 0, 0, 0.0539},
    {kJul2024From, kJul2024To, 11, 1, 12000, 0, 4000, 0, 0, 0, 0.0539},
    {kJul2024From, kJul2024To, 3, 1, 12000, 0, 4000, 0, 0, 0, 0.0539},
};
static_assert(std::size(kRates) == 23);
constexpr MappedRunIndex kRateRuns(kRates);

struct SupplementalRow {
    CalcDate from;
    CalcDate to;
    double low;   // annual taxable wages
    double high;  // 0 = open
    double rate;
};

constexpr SupplementalRow kSupplementalRates[] = {
    {kOct2025From, kOct2025To, 0, 8000, 0.0519},      {kOct2025From, kOct2025To, 8000, 10000, 0.0519},
    {kOct2025From, kOct2025To, 10000, 12000, 0.0519}, {kOct2025From, kOct2025To, 12000, 15000, 0.0519},
    {kOct2025From, kOct2025To, 15000, 0, 0.0519},     {kJan2025From, kJan2025To, 0, 8000, 0.0539},
    {kJan2025From, kJan2025To, 8000, 10000, 0.0539},  {kJan2025From, kJan2025To, 10000, 12000, 0.0539},
    {kJan2025From, kJan2025To, 12000, 15000, 0.0539}, {kJan2025From, kJan2025To, 15000, 0, 0.0539},
    {kJul2024From, kJul2024To, 0, 8000, 0.0539},      {kJul2024From, kJul2024To, 8000, 10000, 0.0539},
    {kJul2024From, kJul2024To, 10000, 12000, 0.0539}, {kJul2024From, kJul2024To, 12000, 15000, 0.0539},
    {kJul2024From, kJul2024To, 15000, 0, 0.0539},     {kJan2024From, kJan2024To, 0, 8000, 0.02},
    {kJan2024From, kJan2024To, 8000, 10000, 0.03},    {kJan2024From, kJan2024To, 10000, 12000, 0.04},
    {kJan2024From, kJan2024To, 12000, 15000, 0.05},   {kJan2024From, kJan2024To, 15000, 0, 0.0575},
};
static_assert(std::size(kSupplementalRates) == 20);

// The supplemental rate rows in runs of one date range (every row has the one key 0): the date test runs
// once per run, and a run of ordered bands is bisected; the row is that of the plain first-match scan.
constexpr auto kSupplementalRuns = runIndexBy(kSupplementalRates, [](const SupplementalRow&) { return 0; });

template <class Row>
constexpr bool holds(const Row& r, double x) { return r.low <= x && (x < r.high || r.high == 0); }

struct Withholding {
    const RateRow* row = nullptr;  // nullptr when neither pass found a row
    double tax = 0.0;
    double annualTaxable = 0.0;
};

// The two-pass period lookup. Pass 1 takes the deductions as they stand; pass 2 spreads the annual
// deductions over the periods, taxes the annualised remainder and brings the tax back to the pay.
Withholding lookup(const StateRecord* state, const CalcDate& d, int status) {
    const int periods = state->statePayPeriods;
    const int dependents = state->stateDependentAllowances;
    Withholding out;
    double w = 0;
    if (const RateRow* r = kRateRuns.find(d, StatusPeriods{status, periods}, [&](const RateRow& row) {
            w = zeroFloor(state->stateWages - row.standardDeduction - dependents * row.perDependent);
            return holds(row, w);
        })) {
        out.row = r;
        out.tax = (w - r->low) * r->rate + r->base;
        out.annualTaxable = periods * w;
        return out;
    }
    if (periods < 1) return out;
    if (const RateRow* r = kRateRuns.find(d, StatusPeriods{status, 1}, [&](const RateRow& row) {
            w = zeroFloor(state->stateWages - row.standardDeduction / periods - row.perDependent / periods * dependents) *
                periods;
            return holds(row, w);
        })) {
        out.row = r;
        out.tax = ((w - r->low) * r->rate + r->base) / periods;
        out.annualTaxable = w;
    }
    return out;
}

}  // namespace

int calcGeorgia(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    state->stateTableDate = unmatchedTableDate(payDate);
    const int filed = state->stateFilingStatus;
    const int status = filed == 10 || filed == 3 ? 0 : filed;
    int result = 0;

    const Withholding w = lookup(state, payDate, status);
    if (w.row != nullptr) {
        state->stateTax = w.tax;
        state->stateTableDate = w.row->from;
    } else {
        state->status = ORLA_STATE_NO_ROW;
        result = 1;
    }

    if (has(state, 144)) {
        // Always the flat rate, its band chosen by the annual taxable wages (0 when no rate row matched).
        const double annual = w.annualTaxable;
        const SupplementalRow* band =
            kSupplementalRuns.findBand(payDate, 0, [annual](const SupplementalRow&) { return annual; });
        if (band != nullptr)
            state->stateSuppTax = roundCents(band->rate * state->stateSuppWages);
        else
            result |= 64;
    }
    return result;
}

}  // namespace orla
