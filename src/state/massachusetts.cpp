// Massachusetts: wages less personal exemptions and the employee's social security and Medicare tax
// (up to a yearly cap), a no-tax threshold, and fixed credits from the tax for a head of household and
// for blindness.
#include "frame/run_index.h"
#include "state/calculators.h"
#include "state/massachusetts.h"

#include <iterator>

namespace orla {

namespace {

constexpr CalcDate kFrom2026 = date(2026, 1, 1);
constexpr CalcDate kTo2026 = date(2026, 12, 31);
constexpr CalcDate kFrom2025 = date(2025, 1, 1);
constexpr CalcDate kTo2025 = date(2025, 12, 31);
constexpr CalcDate kFrom2024 = date(2024, 1, 1);
constexpr CalcDate kTo2024 = date(2024, 12, 31);

// stateOption value that caps the deduction by what the year-to-date wages have already used.
constexpr int kOptionYearToDateCap = 2;
// The supplemental wages are taxed at the base rate together with the regular taxable wages.
constexpr double kSupplementalRate = 0.05;

constexpr MassachusettsExemptionRow kExemptions[] = {
    {kFrom2026, kTo2026, 1, 1000, 3400, 120, 110, 8000},
    {kFrom2026, kTo2026, 12, 83, 284, 10, 9.17, 667},
    {kFrom2026, kTo2026, 24, 42, 141, 5, 4.58, 333},
    {kFrom2026, kTo2026, 26, 39, 131, 4.62, 4.23, 308},
    {kFrom2026, kTo2026, 52, 19, 66, 2.31, 2.12, 154},
    {kFrom2025, kTo2025, 1, 1000, 3400, 120, 110, 8000},
    {kFrom2025, kTo2025, 12, 83, 284, 10, 9.17, 667},
    {kFrom2025, kTo2025, 24, 42, 141, 5, 4.58, 333},
    {kFrom2025, kTo2025, 26, 39, 131, 4.62, 4.23, 308},
    {kFrom2025, kTo2025, 52, 19, 66, 2.31, 2.12, 154},
    {kFrom2024, kTo2024, 1, 1000, 3400, 120, 110, 8000},
    {kFrom2024, kTo2024, 12, 83, 284, 10, 9.17, 667},
    {kFrom2024, kTo2024, 24, 42, 141, 5, 4.58, 333},
    {kFrom2024, kTo2024, 26, 39, 131, 4.62, 4.23, 308},
    {kFrom2024, kTo2024, 52, 19, 66, 2.31, 2.12, 154},
};
static_assert(std::size(kExemptions) == 15);

constexpr MassachusettsFicaDeductionRow kFicaDeductions[] = {
    {kFrom2026, kTo2026, 0.062, 0.0145, 2000},
    {kFrom2025, kTo2025, 0.062, 0.0145, 2000},
    {kFrom2024, kTo2024, 0.062, 0.0145, 2000},
};
static_assert(std::size(kFicaDeductions) == 3);

// 5 % up to the surtax threshold, 9 % above it; annual rows only.
constexpr BracketRow kRates[] = {
    {kFrom2026, kTo2026, 0, 1, 0, 0, 1083150, 0, 0.05},
    {kFrom2026, kTo2026, 0, 1, 0, 1083150, 0, 54157.50, 0.09},
    {kFrom2025, kTo2025, 0, 1, 0, 0, 1083150, 0, 0.05},
    {kFrom2025, kTo2025, 0, 1, 0, 1083150, 0, 54157.50, 0.09},
    {kFrom2024, kTo2024, 0, 1, 0, 0, 1053750, 0, 0.05},
    {kFrom2024, kTo2024, 0, 1, 0, 1053750, 0, 52687.50, 0.09},
};
static_assert(std::size(kRates) == 6);

constexpr int kRateStatus = 0;

// Massachusetts' own bracket test: the low bound is exclusive (except a low of 0) and the high bound
// inclusive.
constexpr bool inMassachusettsBracket(const BracketRow& r, double v) {
    return (v > r.low || r.low == 0) && (v <= r.high || r.high == 0);
}

constexpr RunIndex kRateRuns(kRates);

const BracketRow* findRate(const CalcDate& d, int periods, double v) {
    return kRateRuns.find(d, StatusPeriods{kRateStatus, periods},
                          [v](const BracketRow& r) { return inMassachusettsBracket(r, v); });
}

// Amounts of the exemption row for one pay (the annual row divided by the periods).
struct PayExemptions {
    double perExemption = 0.0;
    double baseExemption = 0.0;
    double headOfHousehold = 0.0;
    double blindness = 0.0;
    double noTaxThreshold = 0.0;
};

PayExemptions perPay(const MassachusettsExemptionRow& r, bool annual, int periods) {
    if (!annual) return {r.perExemption, r.baseExemption, r.headOfHousehold, r.blindness, r.noTaxThreshold};
    return {r.perExemption / periods, r.baseExemption / periods, r.headOfHousehold / periods, r.blindness / periods,
            r.noTaxThreshold / periods};
}

// The deduction for the employee's social security and Medicare tax of this pay.
double ficaDeduction(const PayRecord* pay, const StateRecord* state) {
    const MassachusettsFicaDeductionRow* r = firstCovering<MassachusettsFicaDeductionRow>(kFicaDeductions, pay->payDate);
    if (r == nullptr) return 0.0;
    const double ficaTax = pay->ssTax + pay->medicareTax;
    if (state->stateOption == kOptionYearToDateCap) {
        const double room = r->annualCap - (r->socialSecurityRate + r->medicareRate) * pay->ssYtdWages;
        return room > 0 ? std::fmin(room, ficaTax) : 0.0;
    }
    return std::fmin(r->annualCap / state->statePayPeriods, ficaTax);
}

}  // namespace

std::span<const MassachusettsExemptionRow> massachusettsExemptionTable() { return kExemptions; }
std::span<const MassachusettsFicaDeductionRow> massachusettsFicaDeductionTable() { return kFicaDeductions; }
std::span<const BracketRow> massachusettsRateTable() { return kRates; }

int calcMassachusetts(int, PayRecord* pay, StateRecord* state) {
    if (state->stateExempt > 0) {
        state->stateTax = 0.0;
        return 0;
    }
    if (state->statePayPeriods < 1) state->statePayPeriods = 1;
    const int periods = state->statePayPeriods;
    const int allowances = state->stateAllowances;
    const bool hasSupplemental = has(state, 144);
    int result = 0;

    // Exemptions. Without a row the wages go on untouched and no threshold or credit applies.
    double w = state->stateWages;
    bool annualRow = false;
    const MassachusettsExemptionRow* exemptionRow =
        periodLookup<MassachusettsExemptionRow>(kExemptions, pay->payDate, periods, annualRow);
    PayExemptions exemptions;
    if (exemptionRow != nullptr) {
        exemptions = perPay(*exemptionRow, annualRow, periods);
        if (allowances > 0) w = state->stateWages - allowances * exemptions.perExemption - exemptions.baseExemption;
    } else {
        state->status = ORLA_STATE_NO_ROW;
        result = 1;
    }

    w = w - ficaDeduction(pay, state);
    const double x = std::fmax(0.0, w);

    const double total = state->stateWages + (hasSupplemental ? state->stateSuppWages : 0.0);
    pay->stateTaxableIncome = truncToInt(total * 100);

    if (exemptionRow != nullptr && exemptions.noTaxThreshold > total && allowances >= 1) {
        state->stateTax = 0.0;
        if (hasSupplemental) state->stateSuppTax = 0.0;
        return result;
    }

    // Rows for the pay's periods first, then the annual row with the amount annualised.
    if (const BracketRow* r = findRate(pay->payDate, periods, x)) {
        pay->stateTaxableIncome = truncToInt(x);
        state->stateTax = (x - r->low) * r->rate + r->base;
        state->stateTableDate = r->from;
    } else if (const BracketRow* annual = findRate(pay->payDate, 1, periods * x)) {
        const double v = periods * x;
        state->stateTax = ((v - annual->low) * annual->rate + annual->base) / periods;
        state->stateTableDate = annual->from;
    } else {
        // No rate row: nothing more is computed (the driver's year fallback follows).
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }

    if (state->stateHeadOfHousehold > 0) state->stateTax -= exemptions.headOfHousehold;
    if (state->stateBlind > 0) state->stateTax -= exemptions.blindness;
    if (state->stateSpouseBlind > 0) state->stateTax -= exemptions.blindness;
    // The credits never turn the withholding into a refund.
    state->stateTax = zeroFloor(state->stateTax);

    if (hasSupplemental) {
        state->stateSuppTax = 0.0;
        if (state->stateSuppWages > 0)
            state->stateSuppTax = roundCents(zeroFloor((state->stateSuppWages + x) * kSupplementalRate - state->stateTax));
    }
    return result;
}

}  // namespace orla
