// Pennsylvania: the local earned-income tax of a municipality or school district and the flat annual
// local tax (spread over the pay periods or taken whole), from the municipal and school-district tables.
#include <span>

#include "local/locality_tables.h"
#include "local/long_list_locals.h"

namespace orla {

namespace {

// Pay years up to this one are not taxed here.
constexpr int kLastUntaxedYear = 2005;

enum TaxType { kSchoolBoth = 0, kMunicipalBoth = 1, kSchoolRate = 10, kSchoolAnnual = 11, kMunicipalRate = 20,
               kMunicipalAnnual = 21 };

constexpr bool municipal(int type) { return type == kMunicipalBoth || type == kMunicipalRate || type == kMunicipalAnnual; }

// The annual amount a resident adds: option 0 spreads it over the pay periods, option 1 takes it whole.
double annualShare(double amount, int option, int periods) {
    if (option == 0 && periods >= 1) return amount / periods;
    if (option == 1) return amount;
    return 0.0;
}

}  // namespace

int calcLocalPennsylvania(PayRecord* pay, StateRecord* /*state*/, LocalRecord* local) {
    const int type = ORLA_HOLDS(local, LocalRecord, localTaxType) ? local->localTaxType : kMunicipalBoth;
    const int year = pay->payDate.year;
    if (year <= kLastUntaxedYear) return 0;

    const int code = ORLA_HOLDS(local, LocalRecord, localityCode) ? local->localityCode : 0;
    const bool resident = ORLA_HOLDS(local, LocalRecord, localResident) && local->localResident == 1;
    const int option = ORLA_HOLDS(local, LocalRecord, localOption) ? local->localOption : 0;
    const int periods = ORLA_HOLDS(local, LocalRecord, localPayPeriods) ? local->localPayPeriods : 0;
    const double wages = ORLA_HOLDS(local, LocalRecord, localWages) ? local->localWages : 0.0;
    const double suppWages = ORLA_HOLDS(local, LocalRecord, localSuppWages) ? local->localSuppWages : 0.0;
    const double extra = ORLA_HOLDS(local, LocalRecord, localExtraWithholding) ? local->localExtraWithholding : 0.0;
    const bool writesSupp = ORLA_HOLDS(local, LocalRecord, localSuppTax);

    bool found = false;
    double tax = 0.0;
    if (municipal(type)) {
        const PaMunicipalRow* r = paMunicipalRow(year, code);
        if (r != nullptr && r->rateKnown) {
            found = true;
            if (type != kMunicipalAnnual) {
                const double rate = (resident ? r->rateResident : r->rateOther) / 100;
                tax = rate * wages;
                if (writesSupp) local->localSuppTax = rate * suppWages;
            }
            if (resident && type != kMunicipalRate) tax += annualShare(r->annualAmount, option, periods);
        }
    } else {
        const PaSchoolRow* r = paSchoolRow(year, code);
        if (r != nullptr && r->rateKnown) {
            found = true;
            if (resident) {
                if (type == kSchoolBoth || type == kSchoolRate) {
                    const double rate = r->rate / 100;
                    tax = rate * wages;
                    if (writesSupp) local->localSuppTax = rate * suppWages;
                }
                if (type == kSchoolBoth || type == kSchoolAnnual) tax += annualShare(r->annualAmount, option, periods);
            } else if (writesSupp) {
                local->localSuppTax = 0.0;
            }
        }
    }

    if (!found) {
        if (ORLA_HOLDS(local, LocalRecord, localStatus)) local->localStatus = 1;
        if (ORLA_HOLDS(local, LocalRecord, localTax)) local->localTax = extra;
        return 1;
    }
    if (ORLA_HOLDS(local, LocalRecord, localTax)) local->localTax = tax + extra;
    return 0;
}

}  // namespace orla
