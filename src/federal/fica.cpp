#include "federal/federal.h"

namespace orla {

namespace {

struct SocialSecurityRow {
    CalcDate from;
    CalcDate to;
    double wageBase;
    double employeeRate;
    double employerRate;
};

constexpr SocialSecurityRow kSocialSecurity[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 184500, 0.062, 0.062},
    {date(2025, 1, 1), date(2025, 12, 31), 176100, 0.062, 0.062},
    {date(2024, 1, 1), date(2024, 12, 31), 168600, 0.062, 0.062},
};

struct MedicareRow {
    CalcDate from;
    CalcDate to;
    double unused;
    double rate;                    // employee's, also used for the employer's share
    double employerRate;            // not read
    double separateThreshold;       // above 0 switches the additional Medicare tax on
    double jointThreshold;          // not read
    double withholdingThreshold;
    double rateAboveThreshold;      // regular plus additional
};

constexpr MedicareRow kMedicare[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 0, 0.0145, 0.0145, 125000, 250000, 200000, 0.0235},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 0.0145, 0.0145, 125000, 250000, 200000, 0.0235},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 0.0145, 0.0145, 125000, 250000, 200000, 0.0235},
};

}  // namespace

double ssWageBaseFor(const CalcDate& d) {
    const SocialSecurityRow* row = firstCovering(std::span<const SocialSecurityRow>(kSocialSecurity), d);
    return row != nullptr ? row->wageBase : -1.0;
}

double ssWageBaseFirstRow() { return kSocialSecurity[0].wageBase; }

bool socialSecurityAndMedicare(int mode, PayRecord* pay) {
    bool found = true;
    const double bonus = has(pay, 128) ? pay->suppWages : 0.0;

    if (pay->ssExempt == 0) {
        if (const SocialSecurityRow* row = firstCovering(std::span<const SocialSecurityRow>(kSocialSecurity), pay->payDate)) {
            double current = pay->ficaWages;
            double total = pay->ssYtdWages + pay->ficaWages;
            if (has(pay, 128)) {
                current += bonus;
                total += bonus;
            }
            if (total > row->wageBase) current = row->wageBase - pay->ssYtdWages;
            const double rate = mode == ORLA_MODE_FEDERAL_EMPLOYER ? row->employerRate : row->employeeRate;
            pay->ssTax = roundCents(rate * atLeastZero(current));
        } else {
            found = false;
        }
    }

    if (pay->medicareExempt == 0) {
        if (const MedicareRow* row = firstCovering(std::span<const MedicareRow>(kMedicare), pay->payDate)) {
            double current = pay->ficaWages;
            double total = pay->ficaWages + pay->medicareYtdWages;
            if (has(pay, 128)) {
                current += bonus;
                total += bonus;
            }
            double tax = 0;
            // The additional Medicare tax depends only on this employer's wages of the year, never on the
            // filing status, and the employer's share never includes it.
            if (row->separateThreshold > 0 && total > row->withholdingThreshold && mode != ORLA_MODE_FEDERAL_EMPLOYER) {
                const double excess = total - row->withholdingThreshold;
                const double below = row->withholdingThreshold - pay->medicareYtdWages;
                tax = std::fmin(current, excess) * row->rateAboveThreshold + atLeastZero(below) * row->rate;
            } else {
                tax = atLeastZero(current) * row->rate;
            }
            pay->medicareTax = roundCents(tax);
        } else {
            found = false;
        }
    }
    return found;
}

}  // namespace orla
