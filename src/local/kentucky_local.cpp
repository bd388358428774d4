// Kentucky: the occupational license taxes of cities, counties and school districts, banded rates taken
// on the year-to-date wages so that the annual wage caps hold.
#include <span>

#include "federal/federal.h"
#include "local/locality_tables.h"
#include "local/long_list_locals.h"

namespace orla {

namespace {

enum Table { kSchoolDistricts = 0, kCities = 1, kCounties = 2 };

// The cumulative tax on x wages of the year, band by band from the locality's first row. A bound that
// stands for the social security wage base takes the base of the pay date.
double cumulativeTax(std::span<const KentuckyRow> rows, std::size_t first, double x, double wageBase) {
    double tax = 0.0;
    for (std::size_t i = first; i < rows.size() && rows[i].code == rows[first].code; ++i) {
        const KentuckyRow& r = rows[i];
        const double low = r.low == kSocialSecurityBound ? wageBase : r.low;
        const double high = r.high == kSocialSecurityBound ? wageBase : r.high;
        if (high == 0 || x <= high) {
            tax += r.rate / 100 * (x - low);
            break;
        }
        tax += r.rate / 100 * (high - low);
    }
    return tax;
}

bool usesWageBase(std::span<const KentuckyRow> rows, std::size_t first) {
    for (std::size_t i = first; i < rows.size() && rows[i].code == rows[first].code; ++i) {
        if (rows[i].low == kSocialSecurityBound || rows[i].high == kSocialSecurityBound) return true;
        if (rows[i].high == 0) break;
    }
    return false;
}

int fail(LocalRecord* local) {
    if (ORLA_HOLDS(local, LocalRecord, localStatus)) local->localStatus = 1;
    if (ORLA_HOLDS(local, LocalRecord, localTax)) local->localTax = 0.0;
    return 1;
}

}  // namespace

int calcLocalKentucky(PayRecord* pay, StateRecord* /*state*/, LocalRecord* local) {
    const CalcDate& d = pay->payDate;
    const int which = ORLA_HOLDS(local, LocalRecord, localTaxType) ? local->localTaxType : kSchoolDistricts;
    const int table = which == kCities || which == kCounties ? which : kSchoolDistricts;
    const auto rows = kentuckyTable(table);
    const int code = ORLA_HOLDS(local, LocalRecord, localityCode) ? local->localityCode : 0;

    const KentuckyRow* found = kentuckyRow(table, d, code);
    if (found == nullptr) return fail(local);
    const auto first = static_cast<std::size_t>(found - rows.data());
    // A band bounded by the social security wage base needs the base of the pay date; without one the
    // bound is unknown and the pay fails rather than being taxed without its cap.
    const double wageBase = ssWageBaseFor(d);
    if (wageBase <= 0 && usesWageBase(rows, first)) return fail(local);

    const double ytd = ORLA_HOLDS(local, LocalRecord, overrideYtd) ? local->overrideYtd : 0.0;
    const double wages = ORLA_HOLDS(local, LocalRecord, localWages) ? local->localWages : 0.0;
    const double supp = ORLA_HOLDS(local, LocalRecord, localSuppWages) ? local->localSuppWages : 0.0;
    const double before = cumulativeTax(rows, first, ytd, wageBase);
    const double tax = cumulativeTax(rows, first, ytd + wages, wageBase) - before;
    if (ORLA_HOLDS(local, LocalRecord, localTax)) local->localTax = tax;
    if (ORLA_HOLDS(local, LocalRecord, localSuppTax))
        local->localSuppTax = roundCents(cumulativeTax(rows, first, ytd + wages + supp, wageBase) - before - tax);
    return 0;
}

}  // namespace orla
