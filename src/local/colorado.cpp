// Colorado: occupational privilege taxes, flat monthly amounts owed when the monthly wages exceed a
// threshold, with an employer's share (carried in workLocalityTax).
#include <iterator>

#include "local/local_calculators.h"

namespace orla {

namespace {

struct Row {
    CalcDate from;
    CalcDate to;
    int code;
    double threshold;  // monthly wages above which the tax is owed
    double employee;   // monthly
    double employer;   // monthly
};

constexpr Row row(int year, int code, double threshold, double employee, double employer) {
    return Row{date(year, 1, 1), date(year, 12, 31), code, threshold, employee, employer};
}

// Newest year first. Aurora's tax ends with 2025.
constexpr Row kRows[] = {
    row(2026, 0, 0, 0, 0),        row(2026, 1, 500, 5.75, 4.00), row(2026, 3, 250, 2.00, 2.00),
    row(2026, 4, 500, 3.00, 3.00), row(2026, 5, 750, 5.00, 5.00),
    row(2025, 0, 0, 0, 0),        row(2025, 1, 500, 5.75, 4.00), row(2025, 2, 250, 2.00, 2.00),
    row(2025, 3, 250, 2.00, 2.00), row(2025, 4, 500, 3.00, 3.00), row(2025, 5, 750, 5.00, 5.00),
    row(2024, 0, 0, 0, 0),        row(2024, 1, 500, 5.75, 4.00), row(2024, 2, 250, 2.00, 2.00),
    row(2024, 3, 250, 2.00, 2.00), row(2024, 4, 500, 3.00, 3.00), row(2024, 5, 750, 5.00, 5.00),
};
static_assert(std::size(kRows) == 17);

}  // namespace

int calcLocalColorado(PayRecord* pay, StateRecord* state, LocalRecord* local) {
    local->localTax = 0.0;
    local->workLocalityTax = 0.0;
    const int periods = local->localPayPeriods;
    const double monthly = periods * state->stateWages / 12;
    for (const Row& r : kRows) {
        if (r.code != local->localityCode || !rowCovers(r.from, r.to, pay->payDate)) continue;
        if (monthly > r.threshold) {
            local->localTax = r.employee;
            local->workLocalityTax = r.employer;
            // With no pay periods the monthly wages are 0 or below and only a threshold of 0 is passed.
            if (periods > 0) {
                local->localTax = roundCents(r.employee * 12 / periods);
                local->workLocalityTax = roundCents(r.employer * 12 / periods);
                const double supplemental = local->localSuppWages;
                if (supplemental * periods / 12 > r.threshold && hasLocalSuppTax(local))
                    local->localSuppTax =
                        supplemental > 0 && local->localityCode != 0 ? roundCents(r.employee * 12 / periods) : 0.0;
            }
        }
        break;
    }
    local->localTax = local->localTax + local->localExtraWithholding;
    return 0;
}

}  // namespace orla
