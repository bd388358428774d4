// Ohio: per-period bracket tables with an annual fallback, exemptions subtracted per row, and the
// strict date test (a row never covers a pay date a year or more after its from-date, nor one after
// its to-date). Supplemental wages by the flat rate or the aggregate method.
#include "state/ohio.h"

#include <cmath>
#include <iterator>

#include "federal/federal.h"
#include "frame/run_index.h"
#include "state/calculators.h"

namespace orla {

namespace {

// Date blocks: 2026; October-December 2025; January-September 2025; July-December 2024;
// January-June 2024. Where the published tables give only the annual and weekly figures, the
// biweekly, semimonthly and monthly rows are built as the state builds its per-period rows: each
// bound is the annual bound divided by the periods, to the cent, and each base is the base below plus
// that bracket's width times its rate, to the cent (so the biweekly top base is 103.57, where the
// annual base divided by 26 would give 103.56). The 24-period top base of the three-bracket blocks
// (67.19) and the three-bracket annual base 462.36 stand as published.
constexpr BracketRow kWithholding[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 0, 52, 12.5, 0, 500.96, 0, 0.01775},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 52, 12.5, 500.96, 1923.08, 8.89, 0.0299},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 52, 12.5, 1923.08, 0, 51.41, 0.0364},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 26, 25, 0, 1001.92, 0, 0.01775},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 26, 25, 1001.92, 3846.15, 17.78, 0.0299},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 26, 25, 3846.15, 0, 102.82, 0.0364},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 24, 27.08, 0, 1085.42, 0, 0.01775},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 24, 27.08, 1085.42, 4166.67, 19.27, 0.0299},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 24, 27.08, 4166.67, 0, 67.19, 0.0364},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 12, 54.17, 0, 2170.83, 0, 0.01775},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 12, 54.17, 2170.83, 8333.33, 38.53, 0.0299},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 12, 54.17, 8333.33, 0, 222.79, 0.0364},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 650, 0, 26050, 0, 0.01775},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 650, 26050, 100000, 462.36, 0.0299},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 650, 100000, 0, 2673.5, 0.0364},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 52, 12.5, 0, 500.96, 0, 0.01775},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 52, 12.5, 500.96, 1923.08, 8.89, 0.0299},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 52, 12.5, 1923.08, 0, 51.41, 0.0364},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 26, 25, 0, 1001.92, 0, 0.01775},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 26, 25, 1001.92, 3846.15, 17.78, 0.0299},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 26, 25, 3846.15, 0, 102.82, 0.0364},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 24, 27.08, 0, 1085.42, 0, 0.01775},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 24, 27.08, 1085.42, 4166.67, 19.27, 0.0299},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 24, 27.08, 4166.67, 0, 67.19, 0.0364},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 12, 54.17, 0, 2170.83, 0, 0.01775},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 12, 54.17, 2170.83, 8333.33, 38.53, 0.0299},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 12, 54.17, 8333.33, 0, 222.79, 0.0364},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 1, 650, 0, 26050, 0, 0.01775},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 1, 650, 26050, 100000, 462.36, 0.0299},
    {date(2025, 10, 1), date(2025, 12, 31), 0, 1, 650, 100000, 0, 2673.5, 0.0364},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 52, 12.5, 0, 96.15, 0, 0.00501},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 52, 12.5, 96.15, 192.31, 0.48, 0.01001},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 52, 12.5, 192.31, 288.46, 1.44, 0.02005},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 52, 12.5, 288.46, 384.62, 3.37, 0.02505},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 52, 12.5, 384.62, 1923.08, 5.78, 0.0299},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 52, 12.5, 1923.08, 0, 51.78, 0.038},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 26, 25, 0, 192.31, 0, 0.00501},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 26, 25, 192.31, 384.62, 0.96, 0.01001},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 26, 25, 384.62, 576.92, 2.89, 0.02005},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 26, 25, 576.92, 769.23, 6.75, 0.02505},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 26, 25, 769.23, 3846.15, 11.57, 0.0299},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 26, 25, 3846.15, 0, 103.57, 0.038},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 24, 27.08, 0, 208.33, 0, 0.00501},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 24, 27.08, 208.33, 416.67, 1.04, 0.01001},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 24, 27.08, 416.67, 625, 3.13, 0.02005},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 24, 27.08, 625, 833.33, 7.31, 0.02505},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 24, 27.08, 833.33, 4166.67, 12.53, 0.0299},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 24, 27.08, 4166.67, 0, 112.2, 0.038},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 12, 54.17, 0, 416.67, 0, 0.00501},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 12, 54.17, 416.67, 833.33, 2.09, 0.01001},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 12, 54.17, 833.33, 1250, 6.26, 0.02005},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 12, 54.17, 1250, 1666.67, 14.61, 0.02505},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 12, 54.17, 1666.67, 8333.33, 25.05, 0.0299},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 12, 54.17, 8333.33, 0, 224.38, 0.038},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 1, 650, 0, 5000, 0, 0.00501},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 1, 650, 5000, 10000, 25.05, 0.01001},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 1, 650, 10000, 15000, 75.1, 0.02005},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 1, 650, 15000, 20000, 175.35, 0.02505},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 1, 650, 20000, 100000, 300.6, 0.0299},
    {date(2025, 1, 1), date(2025, 9, 30), 0, 1, 650, 100000, 0, 2692.6, 0.038},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 52, 12.5, 0, 96.15, 0, 0.00501},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 52, 12.5, 96.15, 192.31, 0.48, 0.01001},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 52, 12.5, 192.31, 288.46, 1.44, 0.02005},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 52, 12.5, 288.46, 384.62, 3.37, 0.02505},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 52, 12.5, 384.62, 1923.08, 5.78, 0.0299},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 52, 12.5, 1923.08, 0, 51.78, 0.038},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 26, 25, 0, 192.31, 0, 0.00501},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 26, 25, 192.31, 384.62, 0.96, 0.01001},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 26, 25, 384.62, 576.92, 2.89, 0.02005},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 26, 25, 576.92, 769.23, 6.75, 0.02505},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 26, 25, 769.23, 3846.15, 11.57, 0.0299},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 26, 25, 3846.15, 0, 103.57, 0.038},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 24, 27.08, 0, 208.33, 0, 0.00501},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 24, 27.08, 208.33, 416.67, 1.04, 0.01001},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 24, 27.08, 416.67, 625, 3.13, 0.02005},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 24, 27.08, 625, 833.33, 7.31, 0.02505},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 24, 27.08, 833.33, 4166.67, 12.53, 0.0299},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 24, 27.08, 4166.67, 0, 112.2, 0.038},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 12, 54.17, 0, 416.67, 0, 0.00501},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 12, 54.17, 416.67, 833.33, 2.09, 0.01001},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 12, 54.17, 833.33, 1250, 6.26, 0.02005},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 12, 54.17, 1250, 1666.67, 14.61, 0.02505},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 12, 54.17, 1666.67, 8333.33, 25.05, 0.0299},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 12, 54.17, 8333.33, 0, 224.38, 0.038},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 1, 650, 0, 5000, 0, 0.00501},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 1, 650, 5000, 10000, 25.05, 0.01001},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 1, 650, 10000, 15000, 75.1, 0.02005},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 1, 650, 15000, 20000, 175.35, 0.02505},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 1, 650, 20000, 100000, 300.6, 0.0299},
    {date(2024, 7, 1), date(2024, 12, 31), 0, 1, 650, 100000, 0, 2692.6, 0.038},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 52, 12.5, 0, 96.15, 0, 0.00501},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 52, 12.5, 96.15, 192.31, 0.48, 0.01001},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 52, 12.5, 192.31, 288.46, 1.44, 0.02005},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 52, 12.5, 288.46, 384.62, 3.37, 0.02505},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 52, 12.5, 384.62, 1923.08, 5.78, 0.0299},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 52, 12.5, 1923.08, 0, 51.78, 0.0441},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 26, 25, 0, 192.31, 0, 0.00501},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 26, 25, 192.31, 384.62, 0.96, 0.01001},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 26, 25, 384.62, 576.92, 2.89, 0.02005},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 26, 25, 576.92, 769.23, 6.75, 0.02505},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 26, 25, 769.23, 3846.15, 11.57, 0.0299},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 26, 25, 3846.15, 0, 103.57, 0.0441},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 24, 27.08, 0, 208.33, 0, 0.00501},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 24, 27.08, 208.33, 416.67, 1.04, 0.01001},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 24, 27.08, 416.67, 625, 3.13, 0.02005},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 24, 27.08, 625, 833.33, 7.31, 0.02505},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 24, 27.08, 833.33, 4166.67, 12.53, 0.0299},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 24, 27.08, 4166.67, 0, 112.2, 0.0441},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 12, 54.17, 0, 416.67, 0, 0.00501},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 12, 54.17, 416.67, 833.33, 2.09, 0.01001},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 12, 54.17, 833.33, 1250, 6.26, 0.02005},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 12, 54.17, 1250, 1666.67, 14.61, 0.02505},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 12, 54.17, 1666.67, 8333.33, 25.05, 0.0299},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 12, 54.17, 8333.33, 0, 224.38, 0.0441},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 1, 650, 0, 5000, 0, 0.00501},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 1, 650, 5000, 10000, 25.05, 0.01001},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 1, 650, 10000, 15000, 75.1, 0.02005},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 1, 650, 15000, 20000, 175.35, 0.02505},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 1, 650, 20000, 100000, 300.6, 0.0299},
    {date(2024, 1, 1), date(2024, 6, 30), 0, 1, 650, 100000, 0, 2692.6, 0.0441},
};
static_assert(std::size(kWithholding) == 120, "five date blocks: 15 + 15 + 30 + 30 + 30 rows");

struct FlatRateRow {
    CalcDate from;
    CalcDate to;
    double rate;
};

constexpr FlatRateRow kSupplementalRates[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 0.035},
    {date(2025, 1, 1), date(2025, 12, 31), 0.035},
    {date(2024, 1, 1), date(2024, 12, 31), 0.035},
};

constexpr bool exemptionsMatchTable() {
    for (const BracketRow& r : kWithholding) {
        bool known = false;
        for (const OhioExemption& e : kOhioExemptionAmounts)
            if (e.periods == r.periods) known = e.amount == r.allowance;
        if (!known) return false;
    }
    return true;
}
static_assert(exemptionsMatchTable(), "every row carries the exemption amount of its periods");

// The table's runs of consecutive rows sharing periods and dates (the rows of every status are looked up
// alike); the lookups find the row of the plain first-match scan.
constexpr auto kIndex = runIndexBy<UsualPeriodsMap>(kWithholding, [](const BracketRow& r) { return r.periods; });
static_assert(kIndex.runCount() == 25, "five date blocks of five period groups");
// The runs reached by the periods. Every row of a period count carries its exemption amount (asserted
// above), so the taxable wages are the same for each row of a run and a run of ordered brackets is
// bisected.
static_assert(kIndex.allKeysMapped());

struct Found {
    const BracketRow* row = nullptr;
    double tax = 0.0;
};

// The two passes over the withholding table: the rows of the pay's periods on the wages of this pay
// (plus any supplemental wages), else the annual rows on the annualised wages, the tax divided back.
Found withholding(const CalcDate& payDate, int periods, double wages, double suppWages, int exemptions) {
    Found found;
    const auto payTaxable = [&](const BracketRow& r) { return zeroFloor(wages - exemptions * r.allowance + suppWages); };
    found.row = kIndex.findBand<true>(payDate, periods, payTaxable);
    if (found.row != nullptr) {
        found.tax = (payTaxable(*found.row) - found.row->low) * found.row->rate + found.row->base;
        return found;
    }
    // Annualising needs at least one period.
    if (periods < 1) return {};
    const auto annualTaxable = [&](const BracketRow& r) {
        return zeroFloor(periods * wages + periods * suppWages - exemptions * r.allowance);
    };
    found.row = kIndex.findBand<true>(payDate, 1, annualTaxable);
    if (found.row != nullptr)
        found.tax = ((annualTaxable(*found.row) - found.row->low) * found.row->rate + found.row->base) / periods;
    return found;
}

const FlatRateRow* supplementalRate(const CalcDate& payDate) {
    for (const FlatRateRow& r : kSupplementalRates)
        if (rowCoversStrict(r.from, r.to, payDate)) return &r;
    return nullptr;
}

}  // namespace

std::span<const BracketRow> ohioWithholdingTable() { return kWithholding; }

const BracketRow* ohioWithholdingRow(const CalcDate& d, int periods) {
    // The periods' runs in stored order: the first covering run's first row is the first such row.
    for (const auto& run : kIndex.runsOf(periods))
        if (rowCovers(run.from, run.to, d)) return &kWithholding[run.begin];
    return nullptr;
}

int calcOhio(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    const int periods = state->statePayPeriods;
    const int exemptions = state->stateAllowances;
    state->stateTableDate = date(2017, payDate.month, payDate.day);

    int result = 0;
    const Found regular = withholding(payDate, periods, state->stateWages, 0.0, exemptions);
    if (regular.row != nullptr) {
        state->stateTax = zeroFloor(regular.tax);
        state->stateTableDate = regular.row->from;
    } else {
        state->status = ORLA_STATE_NO_ROW;
        result = 1;
    }

    if (!has(state, 144)) return result;
    if (state->stateSuppAggregate == 1) {
        // Supplemental wages of +0 make this the regular call again: its result is taken again.
        const double supp = state->stateSuppWages;
        const Found combined = isPlusZero(supp)
                                   ? regular
                                   : withholding(payDate, periods, state->stateWages, supp, exemptions);
        if (combined.row == nullptr) {
            state->status = ORLA_STATE_NO_ROW;
            return 1;
        }
        state->stateSuppTax = roundCents(zeroFloor(zeroFloor(combined.tax) - state->stateTax));
    } else if (state->stateSuppAggregate == 0) {
        const FlatRateRow* rate = supplementalRate(payDate);
        if (rate == nullptr) return result | kNoSupplementalRateRow;
        state->stateSuppTax = roundCents(rate->rate * state->stateSuppWages);
    }
    return result;
}

}  // namespace orla
