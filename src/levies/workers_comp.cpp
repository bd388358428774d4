// Workers' compensation assessment per hour worked: Oregon's fixed rates, or the caller's rates elsewhere.
#include "levies/levies.h"

namespace orla {

namespace {

// Oregon's rate per hour for each of employee and employer, by the pay year.
double oregonHourlyRate(int year) {
    if (year >= 2020 && year <= 2023) return 0.011;
    if (year == 2024) return 0.01;
    return 0.0165;
}

// A month of the caller's monthly rates counts 160 hours.
constexpr double kHoursPerMonth = 160;

}  // namespace

int calcWorkComp(WorkCompRecord* r) {
    if (r == nullptr) return 1;
    LEVY_OUT(r, status, 0);
    LEVY_OUT(r, employeeAmount, 0.0);
    LEVY_OUT(r, employerAmount, 0.0);
    const double hours = LEVY_IN(r, hours);
    double employee = 0.0, employer = 0.0;
    bool inputsFinite = finite(hours);
    if (LEVY_IN(r, stateCode) == ORLA_OR) {
        const double rate = oregonHourlyRate(LEVY_IN(r, payDate).year);
        employee = roundCents(hours * rate);
        // The employer pays the rest of twice the employee's share.
        employer = roundCents(2 * rate * hours - employee);
    } else {
        const double employeeRate = LEVY_IN(r, employeeRate);
        const double employerRate = LEVY_IN(r, employerRate);
        inputsFinite = inputsFinite && finite(employeeRate) && finite(employerRate);
        if (LEVY_IN(r, perHour) == 0) {
            employee = hours * employeeRate;
            employer = hours * employerRate;
        } else if (LEVY_IN(r, perMonth) == 0) {
            employee = kHoursPerMonth * employeeRate;
            employer = kHoursPerMonth * employerRate;
        }
    }
    if (!inputsFinite || !finite(employee) || !finite(employer)) {
        LEVY_OUT(r, status, 1);
        return 0;
    }
    LEVY_OUT(r, employeeAmount, employee);
    LEVY_OUT(r, employerAmount, employer);
    return 0;
}

}  // namespace orla

extern "C" ORLA_API int ORLA_CALL WORKCOMP_Calc(WorkCompRecord* record) { return orla::calcWorkComp(record); }
