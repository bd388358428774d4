// Guam, the Northern Mariana Islands and the Virgin Islands tax wages by the federal computation; the
// tax is moved from the federal fields to the state fields, so no federal income tax is withheld.
#include "federal/federal.h"
#include "frame/run_index.h"

namespace orla {

namespace {

constexpr CalcDate kFrom2025 = date(2025, 1, 1);
constexpr CalcDate kTo2025 = date(2025, 12, 31);

// Rebate of the Northern Mariana Islands: the rate applies to the whole wage of the pay. The bounds stand
// as published, overlaps and gaps included (between overlapping rows the first wins).
constexpr BracketRow kRebate[] = {
    {kFrom2025, kTo2025, 0, 52, 0, 0, 19.25, 0, 0},
    {kFrom2025, kTo2025, 0, 52, 0, 19.25, 96.18, 0, 0.02},
    {kFrom2025, kTo2025, 0, 52, 0, 96.18, 134.67, 0, 0.03},
    {kFrom2025, kTo2025, 0, 52, 0, 134.67, 288.49, 0, 0.04},
    {kFrom2025, kTo2025, 0, 52, 0, 288.49, 423.10, 0, 0.05},
    {kFrom2025, kTo2025, 0, 52, 0, 423.10, 576.95, 0, 0.06},
    {kFrom2025, kTo2025, 0, 52, 0, 576.95, 769.25, 0, 0.07},
    {kFrom2025, kTo2025, 0, 52, 0, 769.25, 961.56, 0, 0.08},
    {kFrom2025, kTo2025, 0, 52, 0, 961.56, 0, 0, 0.09},
    {kFrom2025, kTo2025, 0, 26, 0, 0, 38.50, 0, 0},
    {kFrom2025, kTo2025, 0, 26, 0, 38.50, 192.34, 0, 0.02},
    {kFrom2025, kTo2025, 0, 26, 0, 192.35, 269.27, 0, 0.03},
    {kFrom2025, kTo2025, 0, 26, 0, 269.27, 576.97, 0, 0.04},
    {kFrom2025, kTo2025, 0, 26, 0, 576.97, 846.20, 0, 0.05},
    {kFrom2025, kTo2025, 0, 26, 0, 846.20, 1153.89, 0, 0.06},
    {kFrom2025, kTo2025, 0, 26, 0, 1153.89, 1538.50, 0, 0.07},
    {kFrom2025, kTo2025, 0, 26, 0, 1538.50, 1923.12, 0, 0.08},
    {kFrom2025, kTo2025, 0, 26, 0, 1923.12, 0, 0, 0.09},
    {kFrom2025, kTo2025, 0, 24, 0, 0, 41.71, 0, 0},
    {kFrom2025, kTo2025, 0, 24, 0, 41.71, 208.38, 0, 0.02},
    {kFrom2025, kTo2025, 0, 24, 0, 208.38, 291.71, 0, 0.03},
    {kFrom2025, kTo2025, 0, 24, 0, 291.71, 625.05, 0, 0.04},
    {kFrom2025, kTo2025, 0, 24, 0, 625.05, 916.71, 0, 0.05},
    {kFrom2025, kTo2025, 0, 24, 0, 916.51, 1250.05, 0, 0.06},
    {kFrom2025, kTo2025, 0, 24, 0, 1250.05, 1666.70, 0, 0.07},
    {kFrom2025, kTo2025, 0, 24, 0, 1666.71, 2083.38, 0, 0.08},
    {kFrom2025, kTo2025, 0, 24, 0, 2083.38, 0, 0, 0.09},
    {kFrom2025, kTo2025, 0, 12, 0, 0, 83.42, 0, 0},
    {kFrom2025, kTo2025, 0, 12, 0, 83.42, 416.75, 0, 0.02},
    {kFrom2025, kTo2025, 0, 12, 0, 416.75, 583.42, 0, 0.03},
    {kFrom2025, kTo2025, 0, 12, 0, 583.42, 1250.09, 0, 0.04},
    {kFrom2025, kTo2025, 0, 12, 0, 1250.09, 1833.42, 0, 0.05},
    {kFrom2025, kTo2025, 0, 12, 0, 1833.42, 2500.09, 0, 0.06},
    {kFrom2025, kTo2025, 0, 12, 0, 2500.09, 3333.42, 0, 0.07},
    {kFrom2025, kTo2025, 0, 12, 0, 3333.42, 4166.75, 0, 0.08},
    {kFrom2025, kTo2025, 0, 12, 0, 4166.75, 0, 0, 0.09},
};
static_assert(std::size(kRebate) == 36);
constexpr MappedBracketIndex<std::size(kRebate)> kRebateIndex(kRebate);
static_assert(kRebateIndex.allKeysMapped());

// No federal income tax is withheld for these employees, also when the territory's tax could not be
// computed: a failing calculator leaves the federal income taxes at 0, never the territory's tax.
int failed(PayRecord* pay, StateRecord* state) {
    pay->fedTax = 0.0;
    if (has(pay, 128)) pay->fedSuppTax = 0.0;
    state->status = ORLA_STATE_NO_ROW;
    return 1;
}

// The federal computation with the employee's shares on the pay date as it stands. When it finds no
// row (a year beyond the tables), the calculator reports the failure so that the driver's year
// fallback runs; the driver's own fedStatus is left as it was. With sharesCurrent the social security
// and Medicare shares in the record are those of this date, found by the federal part: only the income
// tax is rerun, as the shares would come out the same.
bool federalRuleTax(PayRecord* pay, bool sharesCurrent) {
    const int keptStatus = pay->fedStatus;
    const int failed =
        sharesCurrent ? fedIncomeTaxWithoutFica(ORLA_MODE_FEDERAL, pay) : fedIncomeTax(ORLA_MODE_FEDERAL, pay);
    if (failed != 0) {
        pay->fedStatus = keptStatus;
        return false;
    }
    return true;
}

// Moves the supplemental tax to the state record and clears the federal income taxes.
void moveFederalResults(PayRecord* pay, StateRecord* state) {
    const double suppTax = has(pay, 128) ? pay->fedSuppTax : 0.0;
    if (has(state, 144)) state->stateSuppTax = suppTax;
    if (has(pay, 128)) pay->fedSuppTax = 0.0;
    pay->fedTax = 0.0;
}

int guamOrVirginIslands(PayRecord* pay, StateRecord* state, bool sharesCurrent) {
    if (!federalRuleTax(pay, sharesCurrent)) return failed(pay, state);
    state->stateTax = pay->fedTax;
    moveFederalResults(pay, state);
    return 0;
}

int northernMarianas(PayRecord* pay, StateRecord* state, bool sharesCurrent) {
    const double wages = std::fmax(0.0, state->stateWages);
    const BracketRow* row =
        kRebateIndex.findBand(pay->payDate, StatusPeriods{0, state->statePayPeriods}, [wages](const BracketRow&) { return wages; });
    const bool noRebate = row == nullptr || !has(state, 212);
    // With current shares the rerun succeeds (the federal part did on this date) and leaves nothing the
    // failure keeps: a pay without a rebate fails at once.
    if (!(noRebate && sharesCurrent) && !federalRuleTax(pay, sharesCurrent)) return failed(pay, state);
    if (row != nullptr) state->stateTableDate = row->from;
    if (noRebate) return failed(pay, state);
    const double rebate = wages * row->rate;
    state->stateTax = rebate > pay->fedTax ? 0.0 : pay->fedTax - rebate;
    moveFederalResults(pay, state);
    state->stateCertAmount1 = rebate;
    return 0;
}

}  // namespace

std::span<const BracketRow> northernMarianasRebateTable() { return kRebate; }

int federalRuleTerritory(PayRecord* pay, StateRecord* state, bool sharesCurrent) {
    return state->stateCode == ORLA_MP ? northernMarianas(pay, state, sharesCurrent)
                                       : guamOrVirginIslands(pay, state, sharesCurrent);
}

int calcGuam(int, PayRecord* pay, StateRecord* state) { return guamOrVirginIslands(pay, state, false); }

int calcVirginIslands(int, PayRecord* pay, StateRecord* state) { return guamOrVirginIslands(pay, state, false); }

int calcNorthernMarianas(int, PayRecord* pay, StateRecord* state) { return northernMarianas(pay, state, false); }

}  // namespace orla
