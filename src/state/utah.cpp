// Utah: one flat rate on the wage, less a credit that phases out as the wage rises, in whole dollars.
// Supplemental wages are always taxed by the aggregate method.
#include <iterator>

#include "frame/run_index.h"
#include "state/calculators.h"
#include "state/standard_steps.h"

namespace orla {

namespace {

struct UtahRow {
    CalcDate from;
    CalcDate to;
    int status;  // 0 single, 1 married
    int periods;
    double rate;
    double creditPerAllowance;
    double baseCredit;
    double creditThreshold;
    double phaseOutRate;
};

constexpr CalcDate kJun2025From = date(2025, 6, 1);
constexpr CalcDate kJun2025To = date(2025, 12, 31);
constexpr CalcDate kJan2025From = date(2025, 1, 1);
constexpr CalcDate kJan2025To = date(2025, 5, 31);
constexpr CalcDate kJul2024From = date(2024, 7, 1);
constexpr CalcDate kJul2024To = date(2024, 12, 31);
constexpr CalcDate kJan2024From = date(2024, 1, 1);
constexpr CalcDate kJan2024To = date(2024, 6, 30);

// Newest date range first.
constexpr UtahRow kRates[] = {
    {k2026From, k2026To, 0, 52, 0.045, 0, 8, 175, 0.013},
    {k2026From, k2026To, 1, 52, 0.045, 0, 17, 350, 0.013},
    {k2026From, k2026To, 0, 26, 0.045, 0, 17, 350, 0.013},
    {k2026From, k2026To, 1, 26, 0.045, 0, 34, 701, 0.013},
    {k2026From, k2026To, 0, 24, 0.045, 0, 18, 379, 0.013},
    {k2026From, k2026To, 1, 24, 0.045, 0, 37, 759, 0.013},
    {k2026From, k2026To, 0, 12, 0.045, 0, 37, 759, 0.013},
    {k2026From, k2026To, 1, 12, 0.045, 0, 73, 1518, 0.013},
    {k2026From, k2026To, 0, 4, 0.045, 0, 110, 2277, 0.013},
    {k2026From, k2026To, 1, 4, 0.045, 0, 220, 4553, 0.013},
    {k2026From, k2026To, 0, 2, 0.045, 0, 220, 4554, 0.013},
    {k2026From, k2026To, 1, 2, 0.045, 0, 440, 9107, 0.013},
    {k2026From, k2026To, 0, 1, 0.045, 0, 440, 9107, 0.013},
    {k2026From, k2026To, 1, 1, 0.045, 0, 880, 18213, 0.013},
    {kJun2025From, kJun2025To, 0, 52, 0.045, 0, 8, 175, 0.013},
    {kJun2025From, kJun2025To, 1, 52, 0.045, 0, 17, 350, 0.013},
    {kJun2025From, kJun2025To, 0, 26, 0.045, 0, 17, 350, 0.013},
    {kJun2025From, kJun2025To, 1, 26, 0.045, 0, 34, 701, 0.013},
    {kJun2025From, kJun2025To, 0, 24, 0.045, 0, 18, 379, 0.013},
    {kJun2025From, kJun2025To, 1, 24, 0.045, 0, 37, 759, 0.013},
    {kJun2025From, kJun2025To, 0, 12, 0.045, 0, 37, 759, 0.013},
    {kJun2025From, kJun2025To, 1, 12, 0.045, 0, 73, 1518, 0.013},
    {kJun2025From, kJun2025To, 0, 4, 0.045, 0, 110, 2277, 0.013},
    {kJun2025From, kJun2025To, 1, 4, 0.045, 0, 220, 4553, 0.013},
    {kJun2025From, kJun2025To, 0, 2, 0.045, 0, 220, 4554, 0.013},
    {kJun2025From, kJun2025To, 1, 2, 0.045, 0, 440, 9107, 0.013},
    {kJun2025From, kJun2025To, 0, 1, 0.045, 0, 440, 9107, 0.013},
    {kJun2025From, kJun2025To, 1, 1, 0.045, 0, 880, 18213, 0.013},
    {kJan2025From, kJan2025To, 0, 52, 0.0455, 0, 8, 170, 0.013},
    {kJan2025From, kJan2025To, 1, 52, 0.0455, 0, 17, 339, 0.013},
    {kJan2025From, kJan2025To, 0, 26, 0.0455, 0, 17, 339, 0.013},
    {kJan2025From, kJan2025To, 1, 26, 0.0455, 0, 34, 679, 0.013},
    {kJan2025From, kJan2025To, 0, 24, 0.0455, 0, 18, 368, 0.013},
    {kJan2025From, kJan2025To, 1, 24, 0.0455, 0, 37, 736, 0.013},
    {kJan2025From, kJan2025To, 0, 12, 0.0455, 0, 37, 736, 0.013},
    {kJan2025From, kJan2025To, 1, 12, 0.0455, 0, 73, 1471, 0.013},
    {kJan2025From, kJan2025To, 0, 4, 0.0455, 0, 110, 2207, 0.013},
    {kJan2025From, kJan2025To, 1, 4, 0.0455, 0, 220, 4413, 0.013},
    {kJan2025From, kJan2025To, 0, 2, 0.0455, 0, 220, 4413, 0.013},
    {kJan2025From, kJan2025To, 1, 2, 0.0455, 0, 440, 8826, 0.013},
    {kJan2025From, kJan2025To, 0, 1, 0.0455, 0, 440, 8826, 0.013},
    {kJan2025From, kJan2025To, 1, 1, 0.0455, 0, 880, 17652, 0.013},
    {kJul2024From, kJul2024To, 0, 52, 0.0455, 0, 8, 170, 0.013},
    {kJul2024From, kJul2024To, 1, 52, 0.0455, 0, 17, 339, 0.013},
    {kJul2024From, kJul2024To, 0, 26, 0.0455, 0, 17, 339, 0.013},
    {kJul2024From, kJul2024To, 1, 26, 0.0455, 0, 34, 679, 0.013},
    {kJul2024From, kJul2024To, 0, 24, 0.0455, 0, 18, 368, 0.013},
    {kJul2024From, kJul2024To, 1, 24, 0.0455, 0, 37, 736, 0.013},
    {kJul2024From, kJul2024To, 0, 12, 0.0455, 0, 37, 736, 0.013},
    {kJul2024From, kJul2024To, 1, 12, 0.0455, 0, 73, 1471, 0.013},
    {kJul2024From, kJul2024To, 0, 4, 0.0455, 0, 110, 2207, 0.013},
    {kJul2024From, kJul2024To, 1, 4, 0.0455, 0, 220, 4413, 0.013},
    {kJul2024From, kJul2024To, 0, 2, 0.0455, 0, 220, 4413, 0.013},
    {kJul2024From, kJul2024To, 1, 2, 0.0455, 0, 440, 8826, 0.013},
    {kJul2024From, kJul2024To, 0, 1, 0.0455, 0, 440, 8826, 0.013},
    {kJul2024From, kJul2024To, 1, 1, 0.0455, 0, 880, 17652, 0.013},
    {kJan2024From, kJan2024To, 0, 52, 0.0465, 0, 8, 161, 0.013},
    {kJan2024From, kJan2024To, 1, 52, 0.0465, 0, 16, 322, 0.013},
    {kJan2024From, kJan2024To, 0, 26, 0.0465, 0, 16, 322, 0.013},
    {kJan2024From, kJan2024To, 1, 26, 0.0465, 0, 32, 644, 0.013},
    {kJan2024From, kJan2024To, 0, 24, 0.0465, 0, 17, 349, 0.013},
    {kJan2024From, kJan2024To, 1, 24, 0.0465, 0, 35, 698, 0.013},
    {kJan2024From, kJan2024To, 0, 12, 0.0465, 0, 35, 698, 0.013},
    {kJan2024From, kJan2024To, 1, 12, 0.0465, 0, 69, 1395, 0.013},
    {kJan2024From, kJan2024To, 0, 4, 0.0465, 0, 104, 2093, 0.013},
    {kJan2024From, kJan2024To, 1, 4, 0.0465, 0, 208, 4186, 0.013},
    {kJan2024From, kJan2024To, 0, 2, 0.0465, 0, 208, 4186, 0.013},
    {kJan2024From, kJan2024To, 1, 2, 0.0465, 0, 415, 8371, 0.013},
    {kJan2024From, kJan2024To, 0, 1, 0.0465, 0, 415, 8371, 0.013},
    {kJan2024From, kJan2024To, 1, 1, 0.0465, 0, 830, 16742, 0.013},
};
static_assert(std::size(kRates) == 70);

struct UtahHit {
    const UtahRow* row = nullptr;
    double tax = 0.0;
};

// The tax of an amount x under a row: the rate's dollars less the credit left after the phase-out.
double taxOf(const UtahRow& r, int allowances, double x, double& reduction) {
    const double gross = roundDollars(x * r.rate);
    reduction = roundDollars(atLeastZero(x - r.creditThreshold) * r.phaseOutRate);
    const double credit = atLeastZero(allowances * r.creditPerAllowance + r.baseCredit - reduction);
    return gross - credit;
}

// The rates in runs of one status, periods and dates.
constexpr MappedRunIndex kRateRuns(kRates);

// The first row in stored order with the status and periods that covers d.
const UtahRow* firstRow(const CalcDate& d, int status, int periods) {
    return kRateRuns.find(d, StatusPeriods{status, periods}, [](const UtahRow&) { return true; });
}

// The row of a pay: the first of the pay's periods, else the first annual one (annual). The choice does
// not depend on the amount, so the regular and the aggregate tax share it.
struct UtahRowChoice {
    const UtahRow* row = nullptr;
    bool annual = false;
};
UtahRowChoice chooseRow(const CalcDate& d, int status, int periods) {
    if (const UtahRow* r = firstRow(d, status, periods)) return {r, false};
    return {firstRow(d, status, 1), true};
}

// The row of the pay's periods on w + s, else the annual row on p x w + p x s with the tax divided by p.
// Pass 1 reports its phase-out reduction in cents in the taxable-income field (when the record holds it).
UtahHit lookup(PayRecord* pay, const UtahRowChoice& choice, int periods, int allowances, double wages, double supp) {
    UtahHit hit{choice.row};
    double reduction = 0;
    if (hit.row == nullptr) return hit;
    if (!choice.annual) {
        hit.tax = taxOf(*hit.row, allowances, wages + supp, reduction);
        if (holdsField(pay, offsetof(PayRecord, stateTaxableIncome), sizeof(int)))
            pay->stateTaxableIncome = truncToInt(reduction * 100);
        return hit;
    }
    hit.tax = taxOf(*hit.row, allowances, periods * wages + periods * supp, reduction) / periods;
    return hit;
}

}  // namespace

int calcUtah(int /*mode*/, PayRecord* pay, StateRecord* state) {
    clearStateOutputs(state);
    if (holdsField(pay, offsetof(PayRecord, stateTaxableIncome), sizeof(int))) pay->stateTaxableIncome = 0;
    writeUnmatchedTableDate(pay, state);
    if (rejectPeriodsBelowOne(state)) return 1;
    const int status = state->stateFilingStatus;
    const int periods = state->statePayPeriods;
    const int allowances = state->stateAllowances;

    const UtahRowChoice choice = chooseRow(pay->payDate, status, periods);

    const UtahHit regular = lookup(pay, choice, periods, allowances, state->stateWages, 0.0);
    if (regular.row == nullptr) {
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    state->stateTax = roundDollars(atLeastZero(regular.tax));
    state->stateTableDate = regular.row->from;

    if (!supplementalStepRuns(state)) return 0;
    // Always the aggregate method, whatever the method elected and even without supplemental wages.
    const UtahHit withSupp = lookup(pay, choice, periods, allowances, state->stateWages, suppWagesOf(state));
    if (withSupp.row == nullptr) {
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    writeSuppTax(state, roundCents(atLeastZero(roundDollars(atLeastZero(withSupp.tax)) - state->stateTax)));
    return 0;
}

}  // namespace orla
