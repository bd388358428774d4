// Michigan: a flat rate on the wages less a per-exemption amount by pay periods.
#include <iterator>

#include "federal/federal.h"
#include "state/calculators.h"

namespace orla {

namespace {

struct ExemptionRow {
    CalcDate from;
    CalcDate to;
    int periods;
    double unused1;  // not read by the state calculation
    double unused2;
    double amount;  // per exemption and pay period
};

// Periods 1, 52, 26, 24, 12, 4, 2 for each year, newest first.
constexpr ExemptionRow kExemptions[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 1, 0, 0, 5800},
    {date(2026, 1, 1), date(2026, 12, 31), 52, 0, 0, 111.54},
    {date(2026, 1, 1), date(2026, 12, 31), 26, 0, 0, 223.08},
    {date(2026, 1, 1), date(2026, 12, 31), 24, 0, 0, 241.67},
    {date(2026, 1, 1), date(2026, 12, 31), 12, 0, 0, 483.33},
    {date(2026, 1, 1), date(2026, 12, 31), 4, 0, 0, 1450},
    {date(2026, 1, 1), date(2026, 12, 31), 2, 0, 0, 2900},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 0, 0, 5800},
    {date(2025, 1, 1), date(2025, 12, 31), 52, 0, 0, 111.54},
    {date(2025, 1, 1), date(2025, 12, 31), 26, 0, 0, 223.08},
    {date(2025, 1, 1), date(2025, 12, 31), 24, 0, 0, 241.67},
    {date(2025, 1, 1), date(2025, 12, 31), 12, 0, 0, 483.33},
    {date(2025, 1, 1), date(2025, 12, 31), 4, 0, 0, 1450},
    {date(2025, 1, 1), date(2025, 12, 31), 2, 0, 0, 2900},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 0, 0, 5600},
    {date(2024, 1, 1), date(2024, 12, 31), 52, 0, 0, 107.69},
    {date(2024, 1, 1), date(2024, 12, 31), 26, 0, 0, 215.38},
    {date(2024, 1, 1), date(2024, 12, 31), 24, 0, 0, 233.33},
    {date(2024, 1, 1), date(2024, 12, 31), 12, 0, 0, 466.67},
    {date(2024, 1, 1), date(2024, 12, 31), 4, 0, 0, 1400},
    {date(2024, 1, 1), date(2024, 12, 31), 2, 0, 0, 2800},
};
static_assert(std::size(kExemptions) == 21, "seven period rows for each of 2026, 2025 and 2024");

constexpr BracketRow kRates[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 0, 0, 0, 0, 0.0425},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 0, 0, 0, 0, 0.0425},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 0, 0, 0, 0, 0.0425},
};

struct FlatRateRow {
    CalcDate from;
    CalcDate to;
    double rate;
};

constexpr FlatRateRow kSupplementalRates[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 0.0425},
    {date(2025, 1, 1), date(2025, 12, 31), 0.0425},
    {date(2024, 1, 1), date(2024, 12, 31), 0.0425},
};

}  // namespace

int calcMichigan(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    const int periods = state->statePayPeriods;
    state->stateTableDate = date(2017, payDate.month, payDate.day);

    // The exemption of the pay's periods, else the annual one spread over the periods.
    bool annual = false;
    const ExemptionRow* exemption = periodLookup<ExemptionRow>(kExemptions, payDate, periods, annual);
    if (exemption == nullptr) {
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    const double perExemption = annual ? exemption->amount / periods : exemption->amount;
    state->stateTableDate = exemption->from;

    const double taxable = zeroFloor(state->stateWages - state->stateAllowances * perExemption);
    const BracketHit hit = stateBracketLookup(kRates, payDate, 0, periods, taxable);
    if (hit.row == nullptr) {
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    state->stateTax = hit.tax;

    if (!has(state, 144)) return 0;
    const FlatRateRow* rate = firstCovering<FlatRateRow>(kSupplementalRates, payDate);
    if (rate == nullptr) return kNoSupplementalRateRow;
    state->stateSuppTax = roundCents(rate->rate * state->stateSuppWages);
    return 0;
}

}  // namespace orla
