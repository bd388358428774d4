// Indiana: a flat rate on the wages less personal, dependent, additional-dependent and
// adopted-dependent exemptions, from per-period rows with an annual fallback.
#include "state/indiana.h"

#include <array>
#include <iterator>

#include "state/calculators.h"

namespace orla {

namespace {

// Each year holds status 0 and then status 1 (the status is not tested), periods 1, 52, 12, 24, 26.
constexpr IndianaRow kWithholding[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 0, 1, 1000, 1500, 0, 0, 0, 0.0295},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 52, 19.23, 28.85, 0, 0, 0, 0.0295},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 12, 83.33, 125, 0, 0, 0, 0.0295},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 24, 41.67, 62.5, 0, 0, 0, 0.0295},
    {date(2026, 1, 1), date(2026, 12, 31), 0, 26, 38.46, 57.69, 0, 0, 0, 0.0295},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 1, 1000, 1500, 0, 0, 0, 0.0295},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 52, 19.23, 28.85, 0, 0, 0, 0.0295},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 12, 83.33, 125, 0, 0, 0, 0.0295},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 24, 41.67, 62.5, 0, 0, 0, 0.0295},
    {date(2026, 1, 1), date(2026, 12, 31), 1, 26, 38.46, 57.69, 0, 0, 0, 0.0295},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 1, 1000, 1500, 0, 0, 0, 0.03},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 52, 19.23, 28.85, 0, 0, 0, 0.03},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 12, 83.33, 125, 0, 0, 0, 0.03},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 24, 41.67, 62.5, 0, 0, 0, 0.03},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 26, 38.46, 57.69, 0, 0, 0, 0.03},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 1, 1000, 1500, 0, 0, 0, 0.03},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 52, 19.23, 28.85, 0, 0, 0, 0.03},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 12, 83.33, 125, 0, 0, 0, 0.03},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 24, 41.67, 62.5, 0, 0, 0, 0.03},
    {date(2025, 1, 1), date(2025, 12, 31), 1, 26, 38.46, 57.69, 0, 0, 0, 0.03},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 1, 1000, 1500, 0, 0, 0, 0.0305},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 52, 19.23, 28.85, 0, 0, 0, 0.0305},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 12, 83.33, 125, 0, 0, 0, 0.0305},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 24, 41.67, 62.5, 0, 0, 0, 0.0305},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 26, 38.46, 57.69, 0, 0, 0, 0.0305},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 1, 1000, 1500, 0, 0, 0, 0.0305},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 52, 19.23, 28.85, 0, 0, 0, 0.0305},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 12, 83.33, 125, 0, 0, 0, 0.0305},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 24, 41.67, 62.5, 0, 0, 0, 0.0305},
    {date(2024, 1, 1), date(2024, 12, 31), 1, 26, 38.46, 57.69, 0, 0, 0, 0.0305},
};

// The second and third tables repeat the first, row for row, with their own dependent amount: the
// additional-dependent amount is twice the dependent amount of the pay period (published per period, so
// not always the doubled cents), the adopted-dependent amount equals it.
constexpr double additionalDependentAmount(int periods) {
    switch (periods) {
        case 1: return 3000;
        case 52: return 57.69;
        case 12: return 250;
        case 24: return 125;
        case 26: return 115.38;
        default: return 0;
    }
}

using IndianaTable = std::array<IndianaRow, std::size(kWithholding)>;

template <class Amount>
constexpr IndianaTable withDependentAmount(Amount amountFor) {
    IndianaTable table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = kWithholding[i];
        table[i].dependent = amountFor(kWithholding[i]);
    }
    return table;
}

constexpr IndianaTable kAdditionalDependents =
    withDependentAmount([](const IndianaRow& r) { return additionalDependentAmount(r.periods); });
constexpr IndianaTable kAdoptedDependents = withDependentAmount([](const IndianaRow& r) { return r.dependent; });

static_assert(std::size(kWithholding) == 30, "ten rows a year for 2026, 2025 and 2024");
static_assert(std::size(kAdditionalDependents) == std::size(kWithholding) &&
                  std::size(kAdoptedDependents) == std::size(kWithholding),
              "the three tables are read by position");

constexpr bool inBand(const IndianaRow& r, double t) { return t >= r.low && (t < r.high || r.high == 0); }

constexpr bool afterSeptember2022(const CalcDate& d) { return d.year > 2022 || (d.year == 2022 && d.month > 9); }

// A caller record of this size carries no dependent counts that apply.
constexpr int kRecordSizeWithoutDependents = 264;

}  // namespace

std::span<const IndianaRow> indianaWithholdingTable() { return kWithholding; }
std::span<const IndianaRow> indianaAdditionalDependentTable() { return kAdditionalDependents; }
std::span<const IndianaRow> indianaAdoptedDependentTable() { return kAdoptedDependents; }

IndianaDependentCounts indianaDependentCounts(const CalcDate& payDate, const StateRecord* state) {
    IndianaDependentCounts counts;
    if (state->recordSize == kRecordSizeWithoutDependents) return counts;
    counts.dependents = state->stateDependentExemptions;
    if (!has(state, 212)) return counts;
    if (afterSeptember2022(payDate)) counts.additional = state->stateCertField1;
    if (payDate.year > 2023 && (state->stateCertField3 == 0 || state->stateCertField3 == payDate.year))
        counts.adopted = state->stateCertField2;
    return counts;
}

int calcIndiana(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    const int periods = state->statePayPeriods;
    const int exemptions = state->stateAllowances;
    const double wages = state->stateWages;
    state->stateTableDate = date(2017, payDate.month, payDate.day);
    const IndianaDependentCounts counts = indianaDependentCounts(payDate, state);

    const IndianaRow* found = nullptr;
    double tax = 0.0;
    for (std::size_t i = 0; i < std::size(kWithholding) && found == nullptr; ++i) {
        const IndianaRow& r = kWithholding[i];
        if (r.periods != periods || !rowCovers(r.from, r.to, payDate)) continue;
        const double t = zeroFloor(wages - exemptions * r.exemption - counts.dependents * r.dependent -
                                   counts.additional * kAdditionalDependents[i].dependent -
                                   counts.adopted * kAdoptedDependents[i].dependent);
        if (inBand(r, t)) {
            found = &r;
            tax = (t - r.low) * r.rate + r.base;
        }
    }
    // The annual rows, when the pay's periods have none; the adopted-dependent amount is not
    // subtracted here. Annualising needs at least one period.
    for (std::size_t i = 0; i < std::size(kWithholding) && found == nullptr && periods >= 1; ++i) {
        const IndianaRow& r = kWithholding[i];
        if (r.periods != 1 || !rowCovers(r.from, r.to, payDate)) continue;
        const double t = zeroFloor(periods * wages - exemptions * r.exemption - counts.dependents * r.dependent -
                                   counts.additional * kAdditionalDependents[i].dependent);
        if (inBand(r, t)) {
            found = &r;
            tax = ((t - r.low) * r.rate + r.base) / periods;
        }
    }
    if (found == nullptr) {
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    state->stateTax = tax;
    if (has(state, 144)) state->stateSuppTax = state->stateSuppWages * found->rate;
    state->stateTableDate = found->from;
    return 0;
}

}  // namespace orla
