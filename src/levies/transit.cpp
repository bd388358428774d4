// Transit taxes: a tax at the caller's rate, and the employee transit tax at the fixed rate of the year.
#include "levies/levies.h"

namespace orla {

namespace {

// The employee transit rate of the pay date: 0.002 from 2026, 0.001 from June 2018 to 2025, none before
// (0 then; a year past 2027 keeps 2027's rate).
double employeeTransitRate(const CalcDate& d) {
    if (d.year >= 2026) return 0.002;
    if (d.year >= 2019 || (d.year == 2018 && d.month >= 6)) return 0.001;
    return 0.0;
}

}  // namespace

int calcTransit(TransitRecord* r) {
    if (r == nullptr) return 1;
    LEVY_OUT(r, status, 0);
    LEVY_OUT(r, transitTax, 0.0);
    LEVY_OUT(r, employeeTransitTax, 0.0);
    const double wages = LEVY_IN(r, wages);
    const double rate = LEVY_IN(r, rate);
    const double transitTax = roundCents(rate * wages);
    const double employeeRate = employeeTransitRate(LEVY_IN(r, payDate));
    const double employeeTax = employeeRate > 0 ? roundCents(employeeRate * wages) : 0.0;
    if (!finite(wages) || !finite(rate) || !finite(transitTax) || !finite(employeeTax)) {
        LEVY_OUT(r, status, 1);
        return 0;
    }
    LEVY_OUT(r, transitTax, transitTax);
    LEVY_OUT(r, employeeTransitTax, employeeTax);
    return 0;
}

}  // namespace orla

extern "C" ORLA_API int ORLA_CALL TT_Calc(TransitRecord* record) { return orla::calcTransit(record); }
