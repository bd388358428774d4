// The local exports: one pass of the federal and state calculation, the state's local calculator and the
// caller-rate override, and the two gross-up searches with the local tax in the net.
#include <cstddef>
#include <cstdint>

#include "frame/common.h"
#include "local/local_registry.h"

namespace orla {

namespace {

constexpr int kMaxIterations = 50;
constexpr double kTolerance = 0.001;
constexpr int kLocalFailed = ORLA_FLAG_LOCAL;
// The size from which the override fields exist; compared unsigned, so a negative size passes.
constexpr std::uint32_t kOverrideSize = 180;

// Every local output the declared record holds starts at 0, so no path hands back a caller's old value.
void clearLocalOutputs(LocalRecord* local) {
    local->localStatus = 0;
    local->localTax = 0.0;
    local->workLocalityTax = 0.0;
    if (hasLocalSuppTax(local)) local->localSuppTax = 0.0;
    if (hasWorkLocalitySuppTax(local)) local->workLocalitySuppTax = 0.0;
}

// The caller-rate override: a rate, exemptions and a deduction of the caller's own, with an annual limit,
// or a flat annual tax spread over the pay periods. It replaces the table's result when it applies.
void callerRateOverride(LocalRecord* local) {
    if (static_cast<std::uint32_t>(local->recordSize) < kOverrideSize) return;
    const double rate = local->overrideRate;
    const double flat = local->overrideFlatAnnual;
    if (!(rate > 0) && !(flat > 0)) return;  // no override: the usual case
    const int periods = local->localPayPeriods;
    double exemption = local->overrideExemptionAmount;
    double deduction = local->overrideDeduction;
    if (periods > 0) {
        exemption = exemption / periods;
        deduction = deduction / periods;
    }
    double tax = 0.0;
    bool rated = false;
    if (rate > 0) {
        rated = true;
        const double taxable = atLeastZero(local->localWages - local->overrideExemptions * exemption - deduction);
        tax = taxable * rate;
        const double limit = local->overrideAnnualLimit;
        if (limit > 0) {
            const double paid = local->overrideYtd * rate;
            if (paid > limit)
                tax = 0.0;
            else if (paid + tax > limit)
                tax = limit - paid;
        }
        local->localTax = roundCents(atLeastZero(tax));
    }
    if (flat > 0) {
        if (periods > 0)
            local->localTax = roundCents(flat / periods);
        else
            local->localTax = roundCents(rated ? tax : 0.0);
    }
}

// No local output is left NaN or infinite: an amount that overflowed (or came from a non-finite input) is
// cleared and the pass reports the local failure.
bool clearNonFiniteLocal(LocalRecord* local) {
    bool cleared = false;
    auto check = [&cleared](double amount) {
        if (finite(amount)) return amount;
        cleared = true;
        return 0.0;
    };
    local->localTax = check(local->localTax);
    local->workLocalityTax = check(local->workLocalityTax);
    if (hasLocalSuppTax(local)) local->localSuppTax = check(local->localSuppTax);
    if (hasWorkLocalitySuppTax(local)) local->workLocalitySuppTax = check(local->workLocalitySuppTax);
    if (cleared) local->localStatus = 1;
    return cleared;
}

// One pass: the driver in mode m, then the local calculator (when the entry point runs one for the
// state) and the override. Returns the pass's status.
int onePass(int m, bool county, PayRecord* pay, StateRecord* state, LocalRecord* local) {
    const unsigned flags = ORLA_Calc(m, pay, state);
    if (flags != 0) return static_cast<int>(flags);
    int status = 0;
    const LocalJurisdiction* entry = localJurisdiction(state->stateCode);
    if (entry != nullptr && entry->calc != nullptr && (entry->county || !county)) {
        if (entry->calc(pay, state, local) != 0) status = kLocalFailed;
        callerRateOverride(local);
        local->localTax = roundCents(local->localTax);
    } else {
        callerRateOverride(local);
    }
    if (clearNonFiniteLocal(local)) status = kLocalFailed;
    return status;
}

bool holdsSuppWages(const PayRecord* pay) { return holdsField(pay, offsetof(PayRecord, suppWages), 8); }
bool holdsFedSuppTax(const PayRecord* pay) { return holdsField(pay, offsetof(PayRecord, fedSuppTax), 8); }
bool holdsStateSuppWages(const StateRecord* state) { return holdsField(state, offsetof(StateRecord, stateSuppWages), 8); }

// The net pay of a pass: wages and bonus less every tax of the three records (a field a record does not
// hold counts as 0).
double netPay(const PayRecord* pay, const StateRecord* state, const LocalRecord* local) {
    return (holdsSuppWages(pay) ? pay->suppWages : 0.0) + pay->fedWages - pay->fedTax -
           (holdsFedSuppTax(pay) ? pay->fedSuppTax : 0.0) - pay->medicareTax - pay->ssTax - state->stateTax -
           stateSuppTaxHeld(state) - local->localTax - (hasLocalSuppTax(local) ? local->localSuppTax : 0.0);
}

// One bisection step toward the target; true when the net is within the tolerance.
bool bisect(double net, double target, double& trial, double& step) {
    const double difference = net - target;
    if (difference < -kTolerance) {
        trial += step;
        step *= 0.5;
        return false;
    }
    if (difference > kTolerance) {
        trial -= step;
        step *= 0.5;
        return false;
    }
    return true;
}

void setWages(PayRecord* pay, StateRecord* state, LocalRecord* local, double amount) {
    pay->fedWages = amount;
    pay->ficaWages = amount;
    state->stateWages = amount;
    local->localWages = amount;
}

void setBonus(PayRecord* pay, StateRecord* state, LocalRecord* local, double amount) {
    pay->suppWages = amount;
    if (holdsStateSuppWages(state)) state->stateSuppWages = amount;
    local->localSuppWages = amount;
}

// A search that cannot start (no bonus field, a target that is not finite or whose first trial
// overflows) computes nothing and reports both the federal and the state part failed.
int cannotSearch(PayRecord* pay, StateRecord* state) {
    pay->fedStatus = ORLA_FED_STATUS_NO_ROW;
    state->status = ORLA_STATE_NO_ROW;
    return ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE;
}

int grossUpWages(bool county, PayRecord* pay, StateRecord* state, LocalRecord* local) {
    const double target = pay->fedWages;
    double trial = 1.7 * target;
    double step = 0.5 * trial;
    if (!finite(trial)) return cannotSearch(pay, state);
    int status = 0;
    bool converged = false;
    for (int iteration = 0; iteration < kMaxIterations && !converged; ++iteration) {
        setWages(pay, state, local, roundCents(trial));
        status = onePass(ORLA_MODE_FULL, county, pay, state, local);
        converged = bisect(netPay(pay, state, local), target, trial, step);
    }
    setWages(pay, state, local, roundCents(trial));
    if (!converged) pay->fedStatus = ORLA_FED_STATUS_NOT_CONVERGED;
    return status;
}

int grossUpBonus(bool county, PayRecord* pay, StateRecord* state, LocalRecord* local) {
    if (!holdsSuppWages(pay)) return cannotSearch(pay, state);
    const double desired = pay->suppWages;
    double trial = 1.7 * desired;
    double step = 0.5 * trial;
    if (!finite(trial)) return cannotSearch(pay, state);
    // The base pass, without the bonus, gives the net the bonus adds to.
    setBonus(pay, state, local, 0.0);
    int status = onePass(ORLA_MODE_FULL, county, pay, state, local);
    const double target = netPay(pay, state, local) + desired;
    bool converged = false;
    for (int iteration = 1; iteration < kMaxIterations && !converged; ++iteration) {
        setBonus(pay, state, local, roundCents(trial));
        status = onePass(ORLA_MODE_FULL, county, pay, state, local);
        converged = bisect(netPay(pay, state, local), target, trial, step);
    }
    setBonus(pay, state, local, roundCents(trial));
    if (!converged) pay->fedStatus = ORLA_FED_STATUS_NOT_CONVERGED;
    return status;
}

int calcLocal(bool county, int mode, PayRecord* pay, StateRecord* state, LocalRecord* local) {
    if (pay == nullptr || state == nullptr || local == nullptr) return ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE | kLocalFailed;
    clearLocalOutputs(local);
    if (mode == ORLA_MODE_GROSS_UP_WAGES) return grossUpWages(county, pay, state, local);
    if (mode == ORLA_MODE_GROSS_UP_BONUS) return grossUpBonus(county, pay, state, local);
    return onePass(mode, county, pay, state, local);
}

}  // namespace

}  // namespace orla

extern "C" ORLA_API int ORLA_CALL ORLA_Calc_Local(int mode, PayRecord* pay, StateRecord* state, LocalRecord* local) {
    return orla::calcLocal(false, mode, pay, state, local);
}

extern "C" ORLA_API int ORLA_CALL ORLA_Calc_County(int mode, PayRecord* pay, StateRecord* state, LocalRecord* local) {
    return orla::calcLocal(true, mode, pay, state, local);
}

extern "C" ORLA_API int ORLA_CALL ORLA_Calc_City(void) { return 0; }
