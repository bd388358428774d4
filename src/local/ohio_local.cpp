// Ohio: a municipal or school-district income tax, a flat rate on the state's wage base (the state wages
// less the personal-exemption amounts of the Ohio withholding table), or on the wages alone for a school
// district on the earned-income base.
#include <span>

#include "local/locality_tables.h"
#include "local/long_list_locals.h"
#include "state/ohio.h"

namespace orla {

namespace {

enum Selector { kSchoolDistrict = 0, kMunicipality = 1 };

bool onEarnedIncomeBase(const CalcDate& d, int code) {
    for (const OhioEarnedBaseRow& r : ohioEarnedBaseTable()) {
        if (r.from.year < 1) break;
        if (r.code == code && rowCovers(r.from, r.to, d)) return true;
    }
    return false;
}

}  // namespace

int calcLocalOhio(PayRecord* pay, StateRecord* state, LocalRecord* local) {
    const CalcDate& d = pay->payDate;
    const int selector = ORLA_HOLDS(local, LocalRecord, localTaxType) ? local->localTaxType : kSchoolDistrict;
    const int code = ORLA_HOLDS(local, LocalRecord, localityCode) ? local->localityCode : 0;
    const double extra = ORLA_HOLDS(local, LocalRecord, localExtraWithholding) ? local->localExtraWithholding : 0.0;
    const bool holdsTax = ORLA_HOLDS(local, LocalRecord, localTax);

    // The locality's rate; a code without a row (or another selector) leaves it 0, which is no failure,
    // but a row whose rate no source gives for the year fails as a missing row.
    double rate = 0.0;
    bool earnedBase = false;
    bool rateKnown = true;
    if (selector == kSchoolDistrict) {
        earnedBase = onEarnedIncomeBase(d, code);
        if (const OhioSchoolRow* r = ohioSchoolRow(d, code)) {
            rate = r->rate / 100;
            rateKnown = r->rateKnown;
        }
    } else if (selector == kMunicipality) {
        if (const OhioMunicipalRow* r = ohioMunicipalRow(d, code)) {
            rate = r->rate;
            rateKnown = r->rateKnown;
        }
    }
    if (!rateKnown) {
        if (ORLA_HOLDS(local, LocalRecord, localStatus)) local->localStatus = 1;
        if (holdsTax) local->localTax = extra;
        return 1;
    }

    const int periods = ORLA_HOLDS(state, StateRecord, statePayPeriods) ? state->statePayPeriods : 0;
    const int exemptions = ORLA_HOLDS(state, StateRecord, stateAllowances) ? state->stateAllowances : 0;
    const double wages = ORLA_HOLDS(state, StateRecord, stateWages) ? state->stateWages : 0.0;
    double tax = 0.0;
    if (const BracketRow* r = ohioWithholdingRow(d, periods)) {
        const double base = wages - exemptions * r->allowance;
        tax = (earnedBase ? wages : atLeastZero(base)) * rate;
    } else if (const BracketRow* annualRow = ohioWithholdingRow(d, 1)) {
        const double annual = periods * wages;
        const double base = annual - exemptions * annualRow->allowance;
        tax = (earnedBase ? annual : atLeastZero(base)) * rate;
        if (periods > 0) tax /= periods;
    } else {
        if (ORLA_HOLDS(state, StateRecord, status)) state->status = 1;
        if (holdsTax) local->localTax = extra;
        return 1;
    }
    if (ORLA_HOLDS(local, LocalRecord, localSuppTax))
        local->localSuppTax = rate * (ORLA_HOLDS(state, StateRecord, stateSuppWages) ? state->stateSuppWages : 0.0);
    if (holdsTax) local->localTax = tax + extra;
    return 0;
}

}  // namespace orla
