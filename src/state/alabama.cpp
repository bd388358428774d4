// Alabama: annualised wages less the standard deduction, the federal income tax of the pay and the
// exemptions, taxed by the annual brackets and brought back to the pay.
#include <cmath>

#include "frame/run_index.h"
#include "state/calculators.h"
#include "state/state_tables.h"
#include "state/year_bands.h"

namespace orla {

namespace {

// Standard deduction by annual gross wages (high 0 = open): the full amount, then a step less per wage
// band, down to a floor. The same in every table year (the rows are these bands in every year of
// kTableYears, looked up as year_bands.h describes; likewise the exemptions).
struct DeductionBand {
    int status;
    double low;
    double high;
    double deduction;
};

constexpr DeductionBand kDeductionBands[] = {
    {0, 0, 26000, 3000},
    {0, 26000, 26500, 2975},
    {0, 26500, 27000, 2950},
    {0, 27000, 27500, 2925},
    {0, 27500, 28000, 2900},
    {0, 28000, 28500, 2875},
    {0, 28500, 29000, 2850},
    {0, 29000, 29500, 2825},
    {0, 29500, 30000, 2800},
    {0, 30000, 30500, 2775},
    {0, 30500, 31000, 2750},
    {0, 31000, 31500, 2725},
    {0, 31500, 32000, 2700},
    {0, 32000, 32500, 2675},
    {0, 32500, 33000, 2650},
    {0, 33000, 33500, 2625},
    {0, 33500, 34000, 2600},
    {0, 34000, 34500, 2575},
    {0, 34500, 35000, 2550},
    {0, 35000, 35500, 2525},
    {0, 35500, 0, 2500},
    {1, 0, 26000, 8500},
    {1, 26000, 26500, 8325},
    {1, 26500, 27000, 8150},
    {1, 27000, 27500, 7975},
    {1, 27500, 28000, 7800},
    {1, 28000, 28500, 7625},
    {1, 28500, 29000, 7450},
    {1, 29000, 29500, 7275},
    {1, 29500, 30000, 7100},
    {1, 30000, 30500, 6925},
    {1, 30500, 31000, 6750},
    {1, 31000, 31500, 6575},
    {1, 31500, 32000, 6400},
    {1, 32000, 32500, 6225},
    {1, 32500, 33000, 6050},
    {1, 33000, 33500, 5875},
    {1, 33500, 34000, 5700},
    {1, 34000, 34500, 5525},
    {1, 34500, 35000, 5350},
    {1, 35000, 35500, 5175},
    {1, 35500, 0, 5000},
    {2, 0, 26000, 5200},
    {2, 26000, 26500, 5065},
    {2, 26500, 27000, 4930},
    {2, 27000, 27500, 4795},
    {2, 27500, 28000, 4660},
    {2, 28000, 28500, 4525},
    {2, 28500, 29000, 4390},
    {2, 29000, 29500, 4255},
    {2, 29500, 30000, 4120},
    {2, 30000, 30500, 3985},
    {2, 30500, 31000, 3850},
    {2, 31000, 31500, 3715},
    {2, 31500, 32000, 3580},
    {2, 32000, 32500, 3445},
    {2, 32500, 33000, 3310},
    {2, 33000, 33500, 3175},
    {2, 33500, 34000, 3040},
    {2, 34000, 34500, 2905},
    {2, 34500, 35000, 2770},
    {2, 35000, 35500, 2635},
    {2, 35500, 0, 2500},
    {3, 0, 13000, 4250},
    {3, 13000, 13250, 4162},
    {3, 13250, 13500, 4074},
    {3, 13500, 13750, 3986},
    {3, 13750, 14000, 3898},
    {3, 14000, 14250, 3810},
    {3, 14250, 14500, 3722},
    {3, 14500, 14750, 3634},
    {3, 14750, 15000, 3546},
    {3, 15000, 15250, 3458},
    {3, 15250, 15500, 3370},
    {3, 15500, 15750, 3282},
    {3, 15750, 16000, 3194},
    {3, 16000, 16250, 3106},
    {3, 16250, 16500, 3018},
    {3, 16500, 16750, 2930},
    {3, 16750, 17000, 2842},
    {3, 17000, 17250, 2754},
    {3, 17250, 17500, 2666},
    {3, 17500, 17750, 2578},
    {3, 17750, 0, 2500},
};
static_assert(std::size(kDeductionBands) == 84);

// Personal exemption and amount per dependent by annual gross wages; status 8 has none.
struct ExemptionBand {
    int status;
    double low;
    double high;
    double personal;
    double perDependent;
};

constexpr ExemptionBand kExemptionBands[] = {
    {0, 0, 50000, 1500, 1000}, {0, 50000, 100000, 1500, 500}, {0, 100000, 0, 1500, 300},
    {1, 0, 50000, 3000, 1000}, {1, 50000, 100000, 3000, 500}, {1, 100000, 0, 3000, 300},
    {2, 0, 50000, 3000, 1000}, {2, 50000, 100000, 3000, 500}, {2, 100000, 0, 3000, 300},
    {3, 0, 50000, 1500, 1000}, {3, 50000, 100000, 1500, 500}, {3, 100000, 0, 1500, 300},
};
static_assert(std::size(kExemptionBands) == 12);

// Annual brackets (periods and allowance amount are not consulted).
constexpr BracketRow kRates[] = {
    {k2026From, k2026To, 0, 1, 0, 0, 500, 0, 0.02},
    {k2026From, k2026To, 0, 1, 0, 500, 3000, 10, 0.04},
    {k2026From, k2026To, 0, 1, 0, 3000, 0, 110, 0.05},
    {k2026From, k2026To, 1, 1, 0, 0, 1000, 0, 0.02},
    {k2026From, k2026To, 1, 1, 0, 1000, 6000, 20, 0.04},
    {k2026From, k2026To, 1, 1, 0, 6000, 0, 220, 0.05},
    {k2026From, k2026To, 2, 1, 0, 0, 500, 0, 0.02},
    {k2026From, k2026To, 2, 1, 0, 500, 3000, 10, 0.04},
    {k2026From, k2026To, 2, 1, 0, 3000, 0, 110, 0.05},
    {k2026From, k2026To, 3, 1, 0, 0, 500, 0, 0.02},
    {k2026From, k2026To, 3, 1, 0, 500, 3000, 10, 0.04},
    {k2026From, k2026To, 3, 1, 0, 3000, 0, 110, 0.05},
    {k2026From, k2026To, 8, 1, 0, 0, 500, 0, 0.02},
    {k2026From, k2026To, 8, 1, 0, 500, 3000, 10, 0.04},
    {k2026From, k2026To, 8, 1, 0, 3000, 0, 110, 0.05},
    {k2025From, k2025To, 0, 1, 0, 0, 500, 0, 0.02},
    {k2025From, k2025To, 0, 1, 0, 500, 3000, 10, 0.04},
    {k2025From, k2025To, 0, 1, 0, 3000, 0, 110, 0.05},
    {k2025From, k2025To, 1, 1, 0, 0, 1000, 0, 0.02},
    {k2025From, k2025To, 1, 1, 0, 1000, 6000, 20, 0.04},
    {k2025From, k2025To, 1, 1, 0, 6000, 0, 220, 0.05},
    {k2025From, k2025To, 2, 1, 0, 0, 500, 0, 0.02},
    {k2025From, k2025To, 2, 1, 0, 500, 3000, 10, 0.04},
    {k2025From, k2025To, 2, 1, 0, 3000, 0, 110, 0.05},
    {k2025From, k2025To, 3, 1, 0, 0, 500, 0, 0.02},
    {k2025From, k2025To, 3, 1, 0, 500, 3000, 10, 0.04},
    {k2025From, k2025To, 3, 1, 0, 3000, 0, 110, 0.05},
    {k2025From, k2025To, 8, 1, 0, 0, 500, 0, 0.02},
    {k2025From, k2025To, 8, 1, 0, 500, 3000, 10, 0.04},
    {k2025From, k2025To, 8, 1, 0, 3000, 0, 110, 0.05},
    {k2024From, k2024To, 0, 1, 0, 0, 500, 0, 0.02},
    {k2024From, k2024To, 0, 1, 0, 500, 3000, 10, 0.04},
    {k2024From, k2024To, 0, 1, 0, 3000, 0, 110, 0.05},
    {k2024From, k2024To, 1, 1, 0, 0, 1000, 0, 0.02},
    {k2024From, k2024To, 1, 1, 0, 1000, 6000, 20, 0.04},
    {k2024From, k2024To, 1, 1, 0, 6000, 0, 220, 0.05},
    {k2024From, k2024To, 2, 1, 0, 0, 500, 0, 0.02},
    {k2024From, k2024To, 2, 1, 0, 500, 3000, 10, 0.04},
    {k2024From, k2024To, 2, 1, 0, 3000, 0, 110, 0.05},
    {k2024From, k2024To, 3, 1, 0, 0, 500, 0, 0.02},
    {k2024From, k2024To, 3, 1, 0, 500, 3000, 10, 0.04},
    {k2024From, k2024To, 3, 1, 0, 3000, 0, 110, 0.05},
    {k2024From, k2024To, 8, 1, 0, 0, 500, 0, 0.02},
    {k2024From, k2024To, 8, 1, 0, 500, 3000, 10, 0.04},
    {k2024From, k2024To, 8, 1, 0, 3000, 0, 110, 0.05},
};
static_assert(std::size(kRates) == 45);

constexpr FlatRateRow kSupplementalRates[] = {
    {k2026From, k2026To, 0.05},
    {k2025From, k2025To, 0.05},
    {k2024From, k2024To, 0.05},
};

// The wage-banded tables' bands of each status (0 to 3): the table year is tested once per call, and the
// band is the first of the status to hold the wages (see year_bands.h).
constexpr std::size_t kBandStatuses = 4;
constexpr auto statusOf = [](const auto& band) { return band.status; };
constexpr KeyedBands<DeductionBand, std::size(kDeductionBands), kBandStatuses> kDeductionsByStatus(kDeductionBands,
                                                                                                   statusOf);
constexpr KeyedBands<ExemptionBand, std::size(kExemptionBands), kBandStatuses> kExemptionsByStatus(kExemptionBands,
                                                                                                   statusOf);

// The rate rows' runs by status (the periods of the rows are not consulted), statuses 0 to 8: the date
// test runs once per run, and the first row in stored order is found as by the plain scan.
constexpr auto kRatesIndex = runIndexBy<CodesBelow<9>>(kRates, [](const BracketRow& r) { return r.status; });
static_assert(kRatesIndex.allKeysMapped());

// The annual brackets for the status; the periods of the rows are not consulted.
const BracketRow* findRate(const CalcDate& d, int status, double taxable) {
    return kRatesIndex.findBand(d, status, [taxable](const BracketRow&) { return taxable; });
}

double bracketTax(const BracketRow& r, double taxable) { return (taxable - r.low) * r.rate + r.base; }

}  // namespace

int calcAlabama(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    state->stateTableDate = unmatchedTableDate(payDate);
    const int periods = state->statePayPeriods;
    // The tax is annual until it is divided by the periods; with no periods there is no pay to divide into.
    if (periods < 1) {
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }

    // Without a personal exemption the employee is taxed as single.
    const int status = state->stateAllowances != 0 ? state->stateFilingStatus : 0;
    const double annualWages = periods * state->stateWages;
    const double bandWages = zeroFloor(annualWages);

    const bool inTableYears = tableYearCovers(payDate);
    const DeductionBand* deduction = inTableYears ? kDeductionsByStatus.holding(status, bandWages) : nullptr;
    double taxable = annualWages - (deduction ? deduction->deduction : 0.0) - periods * pay->fedTax;

    const ExemptionBand* exemption = inTableYears ? kExemptionsByStatus.holding(status, bandWages) : nullptr;
    const double personal = exemption && state->stateAllowances != 0 ? exemption->personal : 0.0;
    const double perDependent = exemption ? exemption->perDependent : 0.0;
    taxable = zeroFloor(taxable - personal - state->stateDependents * perDependent);

    int result = 0;
    const BracketRow* const regularRow = findRate(payDate, status, taxable);
    if (regularRow != nullptr) {
        state->stateTax = bracketTax(*regularRow, taxable);
        state->stateTableDate = regularRow->from;
    } else {
        state->status = ORLA_STATE_NO_ROW;
        result = 1;
    }

    if (has(state, 144)) {
        if (state->stateSuppAggregate == 1) {
            // The bonus is added once to the annual income: the difference is the tax of the bonus itself.
            // A bonus of +0 leaves the income as it is (it not being -0): the lookup would repeat the regular one.
            const double supp = state->stateSuppWages;
            const double withBonus = taxable + supp;
            const bool repeats = sumIsFirst(taxable, supp);
            double suppTax = 0.0;
            if (const BracketRow* row = repeats ? regularRow : findRate(payDate, status, withBonus)) {
                state->stateTableDate = row->from;
                suppTax = zeroFloor(bracketTax(*row, withBonus) - state->stateTax);
            } else {
                state->status = ORLA_STATE_NO_ROW;
                result |= 1;
            }
            state->stateSuppTax = roundCents(suppTax);
        } else if (state->stateSuppAggregate == 0) {
            if (const FlatRateRow* row = firstCovering<FlatRateRow>(kSupplementalRates, payDate))
                state->stateSuppTax = roundCents(row->rate * state->stateSuppWages);
            else
                result |= 64;
        }
    }

    state->stateTax = state->stateTax / periods;
    return result;
}

}  // namespace orla
