// Indiana: the county income tax, a flat county rate on the wage base of the Indiana state withholding
// formula (the wages less personal, dependent, additional-dependent and adopted-dependent exemptions).
#include <span>

#include "local/locality_tables.h"
#include "local/long_list_locals.h"
#include "state/indiana.h"

namespace orla {

namespace {

// A record declared with exactly the fields up to localTax and localResident's offset takes the resident
// rate and writes no supplemental tax.
constexpr int kShortRecord = 60;

constexpr bool inBand(const IndianaRow& r, double t) { return t >= r.low && (t < r.high || r.high == 0); }

}  // namespace

int calcLocalIndiana(PayRecord* pay, StateRecord* state, LocalRecord* local) {
    const CalcDate& d = pay->payDate;
    const bool resident = ORLA_HOLDS(local, LocalRecord, localResident) ? local->localResident == 1 : true;
    const int code = ORLA_HOLDS(local, LocalRecord, localityCode) ? local->localityCode : 0;
    const int periods = ORLA_HOLDS(local, LocalRecord, localPayPeriods) ? local->localPayPeriods : 0;
    const int exemptions = ORLA_HOLDS(local, LocalRecord, localExemptions) ? local->localExemptions : 0;
    const double wages = ORLA_HOLDS(local, LocalRecord, localWages) ? local->localWages : 0.0;
    const double suppWages = ORLA_HOLDS(local, LocalRecord, localSuppWages) ? local->localSuppWages : 0.0;
    const double extra = ORLA_HOLDS(local, LocalRecord, localExtraWithholding) ? local->localExtraWithholding : 0.0;
    const bool writesSupp = ORLA_HOLDS(local, LocalRecord, localSuppTax) && local->recordSize != kShortRecord;

    // The county's rate; a county without a row is taxed at 0.
    double rate = 0.0;
    if (const IndianaCountyRow* r = indianaCountyRow(d, code))
        rate = resident || local->recordSize == kShortRecord ? r->residentRate : r->nonresidentRate;

    const IndianaDependentCounts counts = indianaDependentCounts(d, state);
    const auto table = indianaWithholdingTable();
    const auto additional = indianaAdditionalDependentTable();
    const auto adopted = indianaAdoptedDependentTable();
    bool found = false;
    double tax = 0.0;
    for (std::size_t i = 0; i < table.size() && !found; ++i) {
        const IndianaRow& r = table[i];
        if (r.periods != periods || !rowCovers(r.from, r.to, d)) continue;
        const double t = atLeastZero(wages - exemptions * r.exemption - counts.dependents * r.dependent -
                                     counts.additional * additional[i].dependent - counts.adopted * adopted[i].dependent);
        if (inBand(r, t)) {
            found = true;
            tax = t * rate;
        }
    }
    // The annual rows when the pay's periods have none (the adopted-dependent amount is not subtracted
    // here); annualising needs at least one period.
    for (std::size_t i = 0; i < table.size() && !found && periods >= 1; ++i) {
        const IndianaRow& r = table[i];
        if (r.periods != 1 || !rowCovers(r.from, r.to, d)) continue;
        const double t = atLeastZero(periods * wages - exemptions * r.exemption - counts.dependents * r.dependent -
                                     counts.additional * additional[i].dependent);
        if (inBand(r, t)) {
            found = true;
            tax = t * rate / periods;
            if (ORLA_HOLDS(pay, PayRecord, stateTaxableIncome)) pay->stateTaxableIncome = truncToInt(100 * r.rate);
        }
    }
    if (!found) {
        if (ORLA_HOLDS(local, LocalRecord, localStatus)) local->localStatus = 1;
        if (ORLA_HOLDS(local, LocalRecord, localTax)) local->localTax = 0.0;
        return 1;
    }
    if (writesSupp) local->localSuppTax = rate * suppWages;
    if (ORLA_HOLDS(local, LocalRecord, localTax)) local->localTax = roundCents(tax) + extra;
    return 0;
}

}  // namespace orla
