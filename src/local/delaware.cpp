// Delaware: the Wilmington earned-income tax, a flat rate on the state wages.
#include <iterator>

#include "local/local_calculators.h"

namespace orla {

namespace {

struct Row {
    CalcDate from;
    CalcDate to;
    int code;
    double threshold;  // monthly wages above which the tax is owed
    double rate;
};

constexpr Row row(int year, int code, double rate) { return Row{date(year, 1, 1), date(year, 12, 31), code, 0, rate}; }

constexpr Row kRows[] = {
    row(2026, 0, 0), row(2026, 1, 0.0125), row(2025, 0, 0), row(2025, 1, 0.0125), row(2024, 0, 0), row(2024, 1, 0.0125),
};
static_assert(std::size(kRows) == 6);

}  // namespace

// The supplemental wages count toward the monthly threshold; no tax is withheld on them.
int calcLocalDelaware(PayRecord* pay, StateRecord* state, LocalRecord* local) {
    local->localTax = 0.0;
    if (hasLocalSuppTax(local)) local->localSuppTax = 0.0;
    // Fewer than one pay period: the pay is taken as monthly wages of one period a year.
    const int periods = local->localPayPeriods >= 1 ? local->localPayPeriods : 1;
    const double monthly = periods * state->stateWages / 12;
    for (const Row& r : kRows) {
        if (r.code != local->localityCode || !rowCovers(r.from, r.to, pay->payDate)) continue;
        if (local->localSuppWages + monthly > r.threshold) local->localTax = monthly * r.rate * 12 / periods;
        break;
    }
    local->localTax = local->localTax + local->localExtraWithholding;
    return 0;
}

}  // namespace orla
