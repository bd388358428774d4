// Iowa: from 2025 a flat rate on wages less a standard deduction, less an allowance credit; in 2024 a
// three-bracket table on wages less a standard deduction, less a credit. Each rule set serves the older
// certificate (allowances) and the newer one (a filing status and an annual credit in dollars). The
// newer-certificate fields lie beyond 212 bytes, so a smaller record is not computed at all.
#include "frame/run_index.h"
#include "state/iowa.h"

#include "federal/federal.h"
#include "state/calculators.h"

namespace orla {

namespace {

// Per year, periods 52, 26, 24, 12 and 1, statuses 0, 1, 17, 16 and 2. Both deduction columns carry
// the status's amount; the older certificate reads statuses 0 and 1, the newer 16, 17 and 2.
constexpr IowaRow kIowa[] = {
    {k2026From, k2026To, 0, 52, 250, 250, 0.77, 0, 0, 0, 0.038},
    {k2026From, k2026To, 1, 52, 500, 500, 0.77, 0, 0, 0, 0.038},
    {k2026From, k2026To, 17, 52, 500, 500, 0.77, 0, 0, 0, 0.038},
    {k2026From, k2026To, 16, 52, 250, 250, 0.77, 0, 0, 0, 0.038},
    {k2026From, k2026To, 2, 52, 375, 375, 0.77, 0, 0, 0, 0.038},
    {k2026From, k2026To, 0, 26, 500, 500, 1.54, 0, 0, 0, 0.038},
    {k2026From, k2026To, 1, 26, 1000, 1000, 1.54, 0, 0, 0, 0.038},
    {k2026From, k2026To, 17, 26, 1000, 1000, 1.54, 0, 0, 0, 0.038},
    {k2026From, k2026To, 16, 26, 500, 500, 1.54, 0, 0, 0, 0.038},
    {k2026From, k2026To, 2, 26, 750, 750, 1.54, 0, 0, 0, 0.038},
    {k2026From, k2026To, 0, 24, 541.67, 541.67, 1.67, 0, 0, 0, 0.038},
    {k2026From, k2026To, 1, 24, 1083.33, 1083.33, 1.67, 0, 0, 0, 0.038},
    {k2026From, k2026To, 17, 24, 1083.33, 1083.33, 1.67, 0, 0, 0, 0.038},
    {k2026From, k2026To, 16, 24, 541.67, 541.67, 1.67, 0, 0, 0, 0.038},
    {k2026From, k2026To, 2, 24, 812.5, 812.5, 1.67, 0, 0, 0, 0.038},
    {k2026From, k2026To, 0, 12, 1083.33, 1083.33, 3.33, 0, 0, 0, 0.038},
    {k2026From, k2026To, 1, 12, 2166.67, 2166.67, 3.33, 0, 0, 0, 0.038},
    {k2026From, k2026To, 17, 12, 2166.67, 2166.67, 3.33, 0, 0, 0, 0.038},
    {k2026From, k2026To, 16, 12, 1083.33, 1083.33, 3.33, 0, 0, 0, 0.038},
    {k2026From, k2026To, 2, 12, 1625, 1625, 3.33, 0, 0, 0, 0.038},
    {k2026From, k2026To, 0, 1, 13000, 13000, 40, 0, 0, 0, 0.038},
    {k2026From, k2026To, 1, 1, 26000, 26000, 40, 0, 0, 0, 0.038},
    {k2026From, k2026To, 17, 1, 26000, 26000, 40, 0, 0, 0, 0.038},
    {k2026From, k2026To, 16, 1, 13000, 13000, 40, 0, 0, 0, 0.038},
    {k2026From, k2026To, 2, 1, 19500, 19500, 40, 0, 0, 0, 0.038},
    {k2025From, k2025To, 0, 52, 230.77, 230.77, 0.77, 0, 0, 0, 0.038},
    {k2025From, k2025To, 1, 52, 462.5, 462.5, 0.77, 0, 0, 0, 0.038},
    {k2025From, k2025To, 17, 52, 462.5, 462.5, 0.77, 0, 0, 0, 0.038},
    {k2025From, k2025To, 16, 52, 230.77, 230.77, 0.77, 0, 0, 0, 0.038},
    {k2025From, k2025To, 2, 52, 347.12, 347.12, 0.77, 0, 0, 0, 0.038},
    {k2025From, k2025To, 0, 26, 461.54, 461.54, 1.54, 0, 0, 0, 0.038},
    {k2025From, k2025To, 1, 26, 925, 925, 1.54, 0, 0, 0, 0.038},
    {k2025From, k2025To, 17, 26, 925, 925, 1.54, 0, 0, 0, 0.038},
    {k2025From, k2025To, 16, 26, 461.54, 461.54, 1.54, 0, 0, 0, 0.038},
    {k2025From, k2025To, 2, 26, 694.23, 694.23, 1.54, 0, 0, 0, 0.038},
    {k2025From, k2025To, 0, 24, 500, 500, 1.67, 0, 0, 0, 0.038},
    {k2025From, k2025To, 1, 24, 1002.08, 1002.08, 1.67, 0, 0, 0, 0.038},
    {k2025From, k2025To, 17, 24, 1002.08, 1002.08, 1.67, 0, 0, 0, 0.038},
    {k2025From, k2025To, 16, 24, 500, 500, 1.67, 0, 0, 0, 0.038},
    {k2025From, k2025To, 2, 24, 752.08, 752.08, 1.67, 0, 0, 0, 0.038},
    {k2025From, k2025To, 0, 12, 1000, 1000, 3.33, 0, 0, 0, 0.038},
    {k2025From, k2025To, 1, 12, 2004.17, 2004.17, 3.33, 0, 0, 0, 0.038},
    {k2025From, k2025To, 17, 12, 2004.17, 2004.17, 3.33, 0, 0, 0, 0.038},
    {k2025From, k2025To, 16, 12, 1000, 1000, 3.33, 0, 0, 0, 0.038},
    {k2025From, k2025To, 2, 12, 1504.17, 1504.17, 3.33, 0, 0, 0, 0.038},
    {k2025From, k2025To, 0, 1, 12000, 12000, 40, 0, 0, 0, 0.038},
    {k2025From, k2025To, 1, 1, 24050, 24050, 40, 0, 0, 0, 0.038},
    {k2025From, k2025To, 17, 1, 24050, 24050, 40, 0, 0, 0, 0.038},
    {k2025From, k2025To, 16, 1, 12000, 12000, 40, 0, 0, 0, 0.038},
    {k2025From, k2025To, 2, 1, 18050, 18050, 40, 0, 0, 0, 0.038},
};
static_assert(std::size(kIowa) == 50);

// Periods 52, 26, 24, 12 and 1, three brackets each.
constexpr Iowa2024Row kIowa2024[] = {
    {k2024From, k2024To, 0, 52, 280.77, 561.54, 0, 0, 94.15, 0, 0.044},
    {k2024From, k2024To, 0, 52, 280.77, 561.54, 0, 94.15, 470.77, 4.14, 0.0482},
    {k2024From, k2024To, 0, 52, 280.77, 561.54, 0, 470.77, 0, 22.29, 0.057},
    {k2024From, k2024To, 0, 26, 561.54, 1123.08, 0, 0, 188.31, 0, 0.044},
    {k2024From, k2024To, 0, 26, 561.54, 1123.08, 0, 188.31, 941.54, 8.29, 0.0482},
    {k2024From, k2024To, 0, 26, 561.54, 1123.08, 0, 941.54, 0, 44.6, 0.057},
    {k2024From, k2024To, 0, 24, 608.33, 1216.67, 0, 0, 204, 0, 0.044},
    {k2024From, k2024To, 0, 24, 608.33, 1216.67, 0, 204, 1020, 8.98, 0.0482},
    {k2024From, k2024To, 0, 24, 608.33, 1216.67, 0, 1020, 0, 48.31, 0.057},
    {k2024From, k2024To, 0, 12, 1216.67, 2433.33, 0, 0, 408, 0, 0.044},
    {k2024From, k2024To, 0, 12, 1216.67, 2433.33, 0, 408, 2040, 17.95, 0.0482},
    {k2024From, k2024To, 0, 12, 1216.67, 2433.33, 0, 2040, 0, 96.61, 0.057},
    {k2024From, k2024To, 0, 1, 14600, 29200, 0, 0, 4896, 0, 0.044},
    {k2024From, k2024To, 0, 1, 14600, 29200, 0, 4896, 24480, 215.42, 0.0482},
    {k2024From, k2024To, 0, 1, 14600, 29200, 0, 24480, 0, 1159.37, 0.057},
};
static_assert(std::size(kIowa2024) == 15);

constexpr IowaSupplementalRow kSupplemental[] = {
    {k2026From, k2026To, 0.038},
    {k2025From, k2025To, 0.038},
    {k2024From, k2024To, 0.06},
};
static_assert(std::size(kSupplemental) == 3);

constexpr int kCertificateGate = 212;
constexpr int kNewerSingle = 16;
constexpr int kNewerMarried = 17;
// 2024: the newer certificate's credit from which the higher deduction applies, and the annual credit
// of the older certificate whatever its allowances.
constexpr double kHigherDeductionCredit = 80.0;
constexpr double kOlderCertificateCredit2024 = 40.0;

struct Elections {
    bool newerCertificate;
    double certificateCredit;  // annual
    int allowances;
};

// The table status from 2025.
int statusFrom2025(const StateRecord* state) {
    const int filing = state->stateFilingStatus;
    if (state->stateCertField1 != 1) return filing == 1 || filing == kNewerMarried ? 1 : 0;
    int status = filing == 0 ? kNewerSingle : filing == 1 ? kNewerMarried : filing;
    if (state->stateCertField2 == 1 && status == kNewerMarried) status = kNewerSingle;
    return status;
}

struct FlatHit {
    const IowaRow* row = nullptr;
    double tax = 0.0;
};

// The rows in runs of one status, periods and date range, and the first row in stored order of a status
// and periods that covers d.
constexpr MappedRunIndex kRowRuns(kIowa);
const IowaRow* firstRow(const CalcDate& d, int status, int periods) {
    return kRowRuns.find(d, StatusPeriods{status, periods}, [](const IowaRow&) { return true; });
}

// The rules from 2025. suppWages joins the pay's wages before the deduction in pass 1 and, times the
// periods, the annual amount after the deduction in pass 2.
FlatHit flatTax(const CalcDate& d, int status, int periods, const Elections& e, double wages, double suppWages) {
    FlatHit hit;
    if (const IowaRow* found = firstRow(d, status, periods)) {
        const IowaRow& r = *found;
        double w = 0, credit = 0;
        if (e.newerCertificate) {
            w = wages + suppWages - r.deductionNewerCertificate;
            credit = e.certificateCredit / periods;
        } else {
            w = wages + suppWages - r.deductionOlderCertificate;
            credit = e.allowances * r.creditPerAllowance;
        }
        hit.row = &r;
        hit.tax = zeroFloor(std::fmax(0.0, w) * r.rate - credit);
        return hit;
    }
    if (periods < 1) return hit;
    if (const IowaRow* found = firstRow(d, status, 1)) {
        const IowaRow& r = *found;
        double w = 0, credit = 0;
        if (e.newerCertificate) {
            w = periods * wages - r.deductionNewerCertificate + periods * suppWages;
            credit = e.certificateCredit;
        } else {
            w = periods * wages - r.deductionOlderCertificate + periods * suppWages;
            credit = e.allowances * r.creditPerAllowance;
        }
        hit.row = &r;
        hit.tax = zeroFloor(std::fmax(0.0, w) * r.rate - credit) / periods;
        return hit;
    }
    return hit;
}

struct BracketHit2024 {
    const Iowa2024Row* row = nullptr;
    double tax = 0.0;
};

constexpr bool holds(const Iowa2024Row& r, double w) { return w >= r.low && (w < r.high || r.high == 0); }

// The 2024 rules. suppWages joins the amount after the deduction (times the periods in pass 2).
BracketHit2024 bracketTax2024(const CalcDate& d, int periods, bool higherDeduction, double credit, double wages,
                              double suppWages) {
    BracketHit2024 hit;
    const double perPayDivisor = periods > 1 ? periods : 1;
    for (const Iowa2024Row& r : kIowa2024) {
        if (r.periods != periods || !rowCovers(r.from, r.to, d)) continue;
        const double deduction = higherDeduction ? r.deductionHigher : r.deductionLower;
        const double w = std::fmax(0.0, wages - deduction + suppWages);
        if (!holds(r, w)) continue;
        hit.row = &r;
        hit.tax = zeroFloor((w - r.low) * r.rate + r.base - credit / perPayDivisor);
        return hit;
    }
    if (periods < 1) return hit;
    for (const Iowa2024Row& r : kIowa2024) {
        if (r.periods != 1 || !rowCovers(r.from, r.to, d)) continue;
        const double deduction = higherDeduction ? r.deductionHigher : r.deductionLower;
        const double w = std::fmax(0.0, periods * wages - deduction + periods * suppWages);
        if (!holds(r, w)) continue;
        hit.row = &r;
        hit.tax = zeroFloor(((w - r.low) * r.rate + r.base - credit) / periods);
        return hit;
    }
    return hit;
}

// The flat supplemental rate, rounded to whole dollars; false when no row covers the date.
bool flatSupplemental(const CalcDate& d, StateRecord* state) {
    const IowaSupplementalRow* row = firstCovering<IowaSupplementalRow>(kSupplemental, d);
    if (row == nullptr) return false;
    state->stateSuppTax = roundDollars(row->rate * state->stateSuppWages);
    return true;
}

int rulesFrom2025(const CalcDate& d, StateRecord* state) {
    const Elections e{state->stateCertField1 == 1, state->stateCertAmount1, state->stateAllowances};
    const int status = statusFrom2025(state);
    const int periods = state->statePayPeriods;
    int result = 0;
    const FlatHit hit = flatTax(d, status, periods, e, state->stateWages, 0.0);
    if (hit.row == nullptr) {
        // No regular row: nothing more is computed (the driver's year fallback follows).
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    state->stateTax = hit.tax;
    if (state->stateSuppWages > 0) {
        // A failed repeat counts as a zero tax.
        const FlatHit withSupp = flatTax(d, status, periods, e, state->stateWages, state->stateSuppWages);
        if (withSupp.row == nullptr) {
            state->status = ORLA_STATE_NO_ROW;
            result = 1;
        }
        state->stateSuppTax = zeroFloor(withSupp.tax - state->stateTax);
    }
    if (state->stateSuppAggregate == 0 && !flatSupplemental(d, state)) result |= kNoSupplementalRateRow;
    return result;
}

int rules2024(const CalcDate& d, StateRecord* state) {
    const bool newer = state->stateCertField1 == 1;
    const bool higherDeduction = newer && state->stateCertAmount1 >= kHigherDeductionCredit;
    const double credit = newer ? double{state->stateCertAmount1} : kOlderCertificateCredit2024;
    const int periods = state->statePayPeriods;
    int result = 0;
    const BracketHit2024 hit = bracketTax2024(d, periods, higherDeduction, credit, state->stateWages, 0.0);
    if (hit.row == nullptr) {
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    state->stateTax = hit.tax;
    state->stateTableDate = hit.row->from;
    if (state->stateSuppWages > 0 && state->stateSuppAggregate == 1) {
        // A failed repeat counts as a zero tax.
        const BracketHit2024 withSupp =
            bracketTax2024(d, periods, higherDeduction, credit, state->stateWages, state->stateSuppWages);
        if (withSupp.row == nullptr) {
            state->status = ORLA_STATE_NO_ROW;
            result = 1;
        }
        state->stateSuppTax = zeroFloor(withSupp.tax - state->stateTax);
    }
    if (state->stateSuppAggregate == 0 && !flatSupplemental(d, state)) result |= kNoSupplementalRateRow;
    return result;
}

}  // namespace

std::span<const IowaRow> iowaTable() { return kIowa; }
std::span<const Iowa2024Row> iowa2024Table() { return kIowa2024; }
std::span<const IowaSupplementalRow> iowaSupplementalTable() { return kSupplemental; }

int calcIowa(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    state->stateTableDate = date(2017, payDate.month, payDate.day);
    // A record too small for the certificate fields computes no tax: that is a failure, reported as one
    // (status 4 and a non-zero result, so the driver raises the state flag) rather than as a success.
    if (!has(state, kCertificateGate)) {
        state->status = ORLA_STATE_RECORD_TOO_SMALL;
        return 1;
    }
    return payDate.year > 2024 ? rulesFrom2025(payDate, state) : rules2024(payDate, state);
}

}  // namespace orla
