// North Dakota: the standard state steps in whole dollars, with rows of their own for employees on the
// federal withholding certificate of 2020 or later, whose other income and deductions count per pay.
#include <iterator>

#include "state/calculators.h"
#include "state/standard_steps.h"

namespace orla {

namespace {

// Newest year first; per year the annual rows of the certificate statuses 16, 17 and 18, then statuses
// 0 and 1 for the periods 52, 26, 24, 12, 4, 2, 1 and 365.
constexpr BracketRow kRates[] = {
    {k2026From, k2026To, 16, 1, 0, 0, 55975, 0, 0},
    {k2026From, k2026To, 16, 1, 0, 55975, 252325, 0, 0.0195},
    {k2026From, k2026To, 16, 1, 0, 252325, 0, 3828.83, 0.025},
    {k2026From, k2026To, 17, 1, 0, 0, 55488, 0, 0},
    {k2026From, k2026To, 17, 1, 0, 55488, 164038, 0, 0.0195},
    {k2026From, k2026To, 17, 1, 0, 164038, 0, 2116.73, 0.025},
    {k2026From, k2026To, 18, 1, 0, 0, 76200, 0, 0},
    {k2026From, k2026To, 18, 1, 0, 76200, 282700, 0, 0.0195},
    {k2026From, k2026To, 18, 1, 0, 282700, 0, 4026.75, 0.025},
    {k2026From, k2026To, 0, 52, 97, 0, 1076, 0, 0},
    {k2026From, k2026To, 0, 52, 97, 1076, 4852, 0, 0.0195},
    {k2026From, k2026To, 0, 52, 97, 4852, 0, 73.63, 0.025},
    {k2026From, k2026To, 1, 52, 97, 0, 1067, 0, 0},
    {k2026From, k2026To, 1, 52, 97, 1067, 3155, 0, 0.0195},
    {k2026From, k2026To, 1, 52, 97, 3155, 0, 40.72, 0.025},
    {k2026From, k2026To, 0, 26, 194, 0, 2153, 0, 0},
    {k2026From, k2026To, 0, 26, 194, 2153, 9705, 0, 0.0195},
    {k2026From, k2026To, 0, 26, 194, 9705, 0, 147.26, 0.025},
    {k2026From, k2026To, 1, 26, 194, 0, 2134, 0, 0},
    {k2026From, k2026To, 1, 26, 194, 2134, 6309, 0, 0.0195},
    {k2026From, k2026To, 1, 26, 194, 6309, 0, 81.41, 0.025},
    {k2026From, k2026To, 0, 24, 210, 0, 2332, 0, 0},
    {k2026From, k2026To, 0, 24, 210, 2332, 10514, 0, 0.0195},
    {k2026From, k2026To, 0, 24, 210, 10514, 0, 159.55, 0.025},
    {k2026From, k2026To, 1, 24, 210, 0, 2312, 0, 0},
    {k2026From, k2026To, 1, 24, 210, 2312, 6835, 0, 0.0195},
    {k2026From, k2026To, 1, 24, 210, 6835, 0, 88.2, 0.025},
    {k2026From, k2026To, 0, 12, 420, 0, 4665, 0, 0},
    {k2026From, k2026To, 0, 12, 420, 4665, 21027, 0, 0.0195},
    {k2026From, k2026To, 0, 12, 420, 21027, 0, 319.06, 0.025},
    {k2026From, k2026To, 1, 12, 420, 0, 4624, 0, 0},
    {k2026From, k2026To, 1, 12, 420, 4624, 13670, 0, 0.0195},
    {k2026From, k2026To, 1, 12, 420, 13670, 0, 176.4, 0.025},
    {k2026From, k2026To, 0, 4, 1268, 0, 13994, 0, 0},
    {k2026From, k2026To, 0, 4, 1268, 13994, 63081, 0, 0.0195},
    {k2026From, k2026To, 0, 4, 1268, 63081, 0, 957.2, 0.025},
    {k2026From, k2026To, 1, 4, 1268, 0, 13872, 0, 0},
    {k2026From, k2026To, 1, 4, 1268, 13872, 41009, 0, 0.0195},
    {k2026From, k2026To, 1, 4, 1268, 41009, 0, 529.17, 0.025},
    {k2026From, k2026To, 0, 2, 2525, 0, 27988, 0, 0},
    {k2026From, k2026To, 0, 2, 2525, 27988, 126163, 0, 0.0195},
    {k2026From, k2026To, 0, 2, 2525, 126163, 0, 1914.41, 0.025},
    {k2026From, k2026To, 1, 2, 2525, 0, 27744, 0, 0},
    {k2026From, k2026To, 1, 2, 2525, 27744, 82019, 0, 0.0195},
    {k2026From, k2026To, 1, 2, 2525, 82019, 0, 1058.36, 0.025},
    {k2026From, k2026To, 0, 1, 5050, 0, 55975, 0, 0},
    {k2026From, k2026To, 0, 1, 5050, 55975, 252325, 0, 0.0195},
    {k2026From, k2026To, 0, 1, 5050, 252325, 0, 3828.83, 0.025},
    {k2026From, k2026To, 1, 1, 5050, 0, 55488, 0, 0},
    {k2026From, k2026To, 1, 1, 5050, 55488, 164038, 0, 0.0195},
    {k2026From, k2026To, 1, 1, 5050, 164038, 0, 2116.73, 0.025},
    {k2026From, k2026To, 0, 365, 19, 0, 215, 0, 0},
    {k2026From, k2026To, 0, 365, 19, 215, 970, 0, 0.0195},
    {k2026From, k2026To, 0, 365, 19, 970, 0, 14.72, 0.025},
    {k2026From, k2026To, 1, 365, 19, 0, 213, 0, 0},
    {k2026From, k2026To, 1, 365, 19, 213, 631, 0, 0.0195},
    {k2026From, k2026To, 1, 365, 19, 631, 0, 8.15, 0.025},
    {k2025From, k2025To, 16, 1, 0, 0, 55975, 0, 0},
    {k2025From, k2025To, 16, 1, 0, 55975, 252325, 0, 0.0195},
    {k2025From, k2025To, 16, 1, 0, 252325, 0, 3828.83, 0.025},
    {k2025From, k2025To, 17, 1, 0, 0, 55488, 0, 0},
    {k2025From, k2025To, 17, 1, 0, 55488, 164038, 0, 0.0195},
    {k2025From, k2025To, 17, 1, 0, 164038, 0, 2116.73, 0.025},
    {k2025From, k2025To, 18, 1, 0, 0, 76200, 0, 0},
    {k2025From, k2025To, 18, 1, 0, 76200, 282700, 0, 0.0195},
    {k2025From, k2025To, 18, 1, 0, 282700, 0, 4026.75, 0.025},
    {k2025From, k2025To, 0, 52, 97, 0, 1076, 0, 0},
    {k2025From, k2025To, 0, 52, 97, 1076, 4852, 0, 0.0195},
    {k2025From, k2025To, 0, 52, 97, 4852, 0, 73.63, 0.025},
    {k2025From, k2025To, 1, 52, 97, 0, 1067, 0, 0},
    {k2025From, k2025To, 1, 52, 97, 1067, 3155, 0, 0.0195},
    {k2025From, k2025To, 1, 52, 97, 3155, 0, 40.72, 0.025},
    {k2025From, k2025To, 0, 26, 194, 0, 2153, 0, 0},
    {k2025From, k2025To, 0, 26, 194, 2153, 9705, 0, 0.0195},
    {k2025From, k2025To, 0, 26, 194, 9705, 0, 147.26, 0.025},
    {k2025From, k2025To, 1, 26, 194, 0, 2134, 0, 0},
    {k2025From, k2025To, 1, 26, 194, 2134, 6309, 0, 0.0195},
    {k2025From, k2025To, 1, 26, 194, 6309, 0, 81.41, 0.025},
    {k2025From, k2025To, 0, 24, 210, 0, 2332, 0, 0},
    {k2025From, k2025To, 0, 24, 210, 2332, 10514, 0, 0.0195},
    {k2025From, k2025To, 0, 24, 210, 10514, 0, 159.55, 0.025},
    {k2025From, k2025To, 1, 24, 210, 0, 2312, 0, 0},
    {k2025From, k2025To, 1, 24, 210, 2312, 6835, 0, 0.0195},
    {k2025From, k2025To, 1, 24, 210, 6835, 0, 88.2, 0.025},
    {k2025From, k2025To, 0, 12, 420, 0, 4665, 0, 0},
    {k2025From, k2025To, 0, 12, 420, 4665, 21027, 0, 0.0195},
    {k2025From, k2025To, 0, 12, 420, 21027, 0, 319.06, 0.025},
    {k2025From, k2025To, 1, 12, 420, 0, 4624, 0, 0},
    {k2025From, k2025To, 1, 12, 420, 4624, 13670, 0, 0.0195},
    {k2025From, k2025To, 1, 12, 420, 13670, 0, 176.4, 0.025},
    {k2025From, k2025To, 0, 4, 1268, 0, 13994, 0, 0},
    {k2025From, k2025To, 0, 4, 1268, 13994, 63081, 0, 0.0195},
    {k2025From, k2025To, 0, 4, 1268, 63081, 0, 957.2, 0.025},
    {k2025From, k2025To, 1, 4, 1268, 0, 13872, 0, 0},
    {k2025From, k2025To, 1, 4, 1268, 13872, 41009, 0, 0.0195},
    {k2025From, k2025To, 1, 4, 1268, 41009, 0, 529.17, 0.025},
    {k2025From, k2025To, 0, 2, 2525, 0, 27988, 0, 0},
    {k2025From, k2025To, 0, 2, 2525, 27988, 126163, 0, 0.0195},
    {k2025From, k2025To, 0, 2, 2525, 126163, 0, 1914.41, 0.025},
    {k2025From, k2025To, 1, 2, 2525, 0, 27744, 0, 0},
    {k2025From, k2025To, 1, 2, 2525, 27744, 82019, 0, 0.0195},
    {k2025From, k2025To, 1, 2, 2525, 82019, 0, 1058.36, 0.025},
    {k2025From, k2025To, 0, 1, 5050, 0, 55975, 0, 0},
    {k2025From, k2025To, 0, 1, 5050, 55975, 252325, 0, 0.0195},
    {k2025From, k2025To, 0, 1, 5050, 252325, 0, 3828.83, 0.025},
    {k2025From, k2025To, 1, 1, 5050, 0, 55488, 0, 0},
    {k2025From, k2025To, 1, 1, 5050, 55488, 164038, 0, 0.0195},
    {k2025From, k2025To, 1, 1, 5050, 164038, 0, 2116.73, 0.025},
    {k2025From, k2025To, 0, 365, 19, 0, 215, 0, 0},
    {k2025From, k2025To, 0, 365, 19, 215, 970, 0, 0.0195},
    {k2025From, k2025To, 0, 365, 19, 970, 0, 14.72, 0.025},
    {k2025From, k2025To, 1, 365, 19, 0, 213, 0, 0},
    {k2025From, k2025To, 1, 365, 19, 213, 631, 0, 0.0195},
    {k2025From, k2025To, 1, 365, 19, 631, 0, 8.15, 0.025},
    {k2024From, k2024To, 16, 1, 0, 0, 52025, 0, 0},
    {k2024From, k2024To, 16, 1, 0, 52025, 233275, 0, 0.0195},
    {k2024From, k2024To, 16, 1, 0, 233275, 0, 3534.38, 0.025},
    {k2024From, k2024To, 17, 1, 0, 0, 51975, 0, 0},
    {k2024From, k2024To, 17, 1, 0, 51975, 152150, 0, 0.0195},
    {k2024From, k2024To, 17, 1, 0, 152150, 0, 1953.41, 0.025},
    {k2024From, k2024To, 18, 1, 0, 0, 70900, 0, 0},
    {k2024From, k2024To, 18, 1, 0, 70900, 261500, 0, 0.0195},
    {k2024From, k2024To, 18, 1, 0, 261500, 0, 3716.7, 0.025},
    {k2024From, k2024To, 0, 52, 83, 0, 1047, 0, 0},
    {k2024From, k2024To, 0, 52, 83, 1047, 4721, 0, 0.0195},
    {k2024From, k2024To, 0, 52, 83, 4721, 0, 71.64, 0.025},
    {k2024From, k2024To, 1, 52, 83, 0, 1038, 0, 0},
    {k2024From, k2024To, 1, 52, 83, 1038, 3069, 0, 0.0195},
    {k2024From, k2024To, 1, 52, 83, 3069, 0, 39.6, 0.025},
    {k2024From, k2024To, 0, 26, 165, 0, 2094, 0, 0},
    {k2024From, k2024To, 0, 26, 165, 2094, 9442, 0, 0.0195},
    {k2024From, k2024To, 0, 26, 165, 9442, 0, 143.29, 0.025},
    {k2024From, k2024To, 1, 26, 165, 0, 2076, 0, 0},
    {k2024From, k2024To, 1, 26, 165, 2076, 6138, 0, 0.0195},
    {k2024From, k2024To, 1, 26, 165, 6138, 0, 79.21, 0.025},
    {k2024From, k2024To, 0, 24, 179, 0, 2269, 0, 0},
    {k2024From, k2024To, 0, 24, 179, 2269, 10229, 0, 0.0195},
    {k2024From, k2024To, 0, 24, 179, 10229, 0, 155.22, 0.025},
    {k2024From, k2024To, 1, 24, 179, 0, 2249, 0, 0},
    {k2024From, k2024To, 1, 24, 179, 2249, 6649, 0, 0.0195},
    {k2024From, k2024To, 1, 24, 179, 6649, 0, 85.8, 0.025},
    {k2024From, k2024To, 0, 12, 358, 0, 4538, 0, 0},
    {k2024From, k2024To, 0, 12, 358, 4538, 20458, 0, 0.0195},
    {k2024From, k2024To, 0, 12, 358, 20458, 0, 310.44, 0.025},
    {k2024From, k2024To, 1, 12, 358, 0, 4499, 0, 0},
    {k2024From, k2024To, 1, 12, 358, 4499, 13299, 0, 0.0195},
    {k2024From, k2024To, 1, 12, 358, 13299, 0, 171.6, 0.025},
    {k2024From, k2024To, 0, 4, 1075, 0, 13613, 0, 0},
    {k2024From, k2024To, 0, 4, 1075, 13613, 61375, 0, 0.0195},
    {k2024From, k2024To, 0, 4, 1075, 61375, 0, 931.36, 0.025},
    {k2024From, k2024To, 1, 4, 1075, 0, 13497, 0, 0},
    {k2024From, k2024To, 1, 4, 1075, 13497, 39897, 0, 0.0195},
    {k2024From, k2024To, 1, 4, 1075, 39897, 0, 514.8, 0.025},
    {k2024From, k2024To, 0, 2, 2150, 0, 27225, 0, 0},
    {k2024From, k2024To, 0, 2, 2150, 27225, 122750, 0, 0.0195},
    {k2024From, k2024To, 0, 2, 2150, 122750, 0, 1862.74, 0.025},
    {k2024From, k2024To, 1, 2, 2150, 0, 26994, 0, 0},
    {k2024From, k2024To, 1, 2, 2150, 26994, 79794, 0, 0.0195},
    {k2024From, k2024To, 1, 2, 2150, 79794, 0, 1029.6, 0.025},
    {k2024From, k2024To, 0, 1, 4300, 0, 52025, 0, 0},
    {k2024From, k2024To, 0, 1, 4300, 52025, 233275, 0, 0.0195},
    {k2024From, k2024To, 0, 1, 4300, 233275, 0, 3534.38, 0.025},
    {k2024From, k2024To, 1, 1, 4300, 0, 51975, 0, 0},
    {k2024From, k2024To, 1, 1, 4300, 51975, 152150, 0, 0.0195},
    {k2024From, k2024To, 1, 1, 4300, 152150, 0, 1953.41, 0.025},
    {k2024From, k2024To, 0, 365, 17, 0, 209, 0, 0},
    {k2024From, k2024To, 0, 365, 17, 209, 944, 0, 0.0195},
    {k2024From, k2024To, 0, 365, 17, 944, 0, 14.33, 0.025},
    {k2024From, k2024To, 1, 365, 17, 0, 208, 0, 0},
    {k2024From, k2024To, 1, 365, 17, 208, 614, 0, 0.0195},
    {k2024From, k2024To, 1, 365, 17, 614, 0, 7.92, 0.025},
};
static_assert(std::size(kRates) == 171);

constexpr MappedBracketIndex<std::size(kRates)> kIndex(kRates);

constexpr FlatRateRow kSupplementalRates[] = {
    {k2026From, k2026To, 0.015},
    {k2025From, k2025To, 0.015},
    {k2024From, k2024To, 0.015},
};

// The certificate rows are the filing status (12 read as 0) plus this.
constexpr int kCertificateStatusBase = 16;
constexpr int kCertificateFirstYear = 2020;

// The taxable amount of the standard steps with the certificate's other income o and deductions d per pay.
struct Taxable {
    int periods;
    double wages;
    double supp;
    int allowances;
    double otherIncome;
    double deductions;
    static constexpr bool kAllowanceOnly = true;

    double pass1(const BracketRow& r) const {
        return atLeastZero(wages + supp - allowances * r.allowance + otherIncome - deductions);
    }
    double pass2(const BracketRow& r) const {
        return atLeastZero(periods * wages - allowances * r.allowance + periods * supp + periods * otherIncome -
                           periods * deductions);
    }
};

bool certificateElected(const PayRecord* pay, const StateRecord* state) {
    return holdsField(state, offsetof(StateRecord, stateCertField1), sizeof(int)) &&
           pay->payDate.year >= kCertificateFirstYear && state->stateCertField1 == 1;
}

}  // namespace

int calcNorthDakota(int /*mode*/, PayRecord* pay, StateRecord* state) {
    clearStateOutputs(state);
    writeUnmatchedTableDate(pay, state);
    if (rejectPeriodsBelowOne(state)) return 1;
    const int periods = state->statePayPeriods;
    Taxable taxable{periods, state->stateWages, 0.0, state->stateAllowances, 0.0, 0.0};
    int status = state->stateFilingStatus;
    if (certificateElected(pay, state)) {
        status = kCertificateStatusBase + (status == 12 ? 0 : status);
        if (holdsField(state, offsetof(StateRecord, stateCertAmount1), sizeof(double)))
            taxable.otherIncome = state->stateCertAmount1 / periods;
        if (holdsField(state, offsetof(StateRecord, stateCertAmount2), sizeof(double)))
            taxable.deductions = state->stateCertAmount2 / periods;
    }
    const auto find = indexedFinder(kIndex, pay->payDate, status);
    if (const int failed = applyRegularTax(state, standardLookup(find, periods, taxable))) return failed;

    int result = 0;
    if (supplementalStepRuns(state)) {
        const double supp = suppWagesOf(state);
        const int method = suppAggregateOf(state);
        if (method == 1) {
            Taxable withSupp = taxable;
            withSupp.supp = supp;
            const auto hit = standardLookup(find, periods, withSupp);
            if (hit.row == nullptr) {
                state->status = ORLA_STATE_NO_ROW;
                result = 1;
            } else {
                // No floor: negative supplemental wages give a negative supplemental tax.
                writeSuppTax(state, roundDollars(hit.tax - state->stateTax));
            }
        } else if (method == 0) {
            if (const FlatRateRow* r = firstCovering<FlatRateRow>(kSupplementalRates, pay->payDate))
                writeSuppTax(state, roundDollars(supp * r->rate));
            else
                result = kNoSupplementalRateRow;
        }
    }
    state->stateTax = roundDollars(state->stateTax);
    return result;
}

}  // namespace orla
