// The withholding driver: federal part, state dispatch with the year fallback, and the gross-up search.
#include <cstddef>

#include "federal/federal.h"
#include "frame/common.h"
#include "state/registry.h"

namespace orla {

namespace {

constexpr int kMaxIterations = 50;
constexpr double kTolerance = 0.001;

bool grossUp(int mode) { return mode == ORLA_MODE_GROSS_UP_WAGES || mode == ORLA_MODE_GROSS_UP_BONUS; }
bool federalOnly(int mode) { return mode == ORLA_MODE_FEDERAL || mode == ORLA_MODE_FEDERAL_EMPLOYER; }

// Every amount the federal part reads must be finite, or no federal tax is computed.
bool federalInputsFinite(const PayRecord* pay) {
    bool ok = finite(pay->fedWages) && finite(pay->fedExtraWithholding) && finite(pay->ficaWages) &&
              finite(pay->ssYtdWages) && finite(pay->medicareYtdWages);
    if (has(pay, 128)) ok = ok && finite(pay->suppWages) && finite(pay->suppYtdWages);
    if (has(pay, 164)) ok = ok && finite(pay->w4Credits) && finite(pay->w4OtherIncome) && finite(pay->w4Deductions);
    return ok;
}

// The amounts of the state record that calculators read.
bool stateInputsFinite(const StateRecord* state) {
    bool ok = finite(state->stateWages) && finite(state->stateExtraWithholding) && finite(state->statePercent) &&
              finite(state->stateReducedWithholding);
    // Fields of single states are read only when the declared size holds the whole field.
    auto held = [state](std::size_t offset) {
        return state->recordSize >= 0 && static_cast<std::size_t>(state->recordSize) >= offset + sizeof(double);
    };
    if (held(offsetof(StateRecord, stateExemptionAmount))) ok = ok && finite(state->stateExemptionAmount);
    if (held(offsetof(StateRecord, stateFixedTax))) ok = ok && finite(state->stateFixedTax);
    if (has(state, 144)) ok = ok && finite(state->stateSuppWages);
    if (has(state, 212)) ok = ok && finite(state->stateCertAmount1) && finite(state->stateCertAmount2);
    return ok;
}

// One state calculation for the pay date as it stands. Returns true on success.
bool dispatchState(int mode, PayRecord* pay, StateRecord* state) {
    const Jurisdiction* j = jurisdiction(state->stateCode);
    if (j == nullptr || j->handling == Handling::NotSupported ||
        (j->handling == Handling::Calculator && j->calc == nullptr)) {
        state->status = ORLA_STATE_UNSUPPORTED;
        return false;
    }
    if (j->handling == Handling::NoIncomeTax) return true;
    return j->calc(mode, pay, state) == 0;
}

// Federal income tax with social security and Medicare, then the supplemental tax, with the year
// fallback. Returns the flags it raises.
unsigned federalWithFallback(int mode, PayRecord* pay) {
    if (fedIncomeTax(mode, pay) != 0) {
        pay->payDate.year = yearBefore(pay->payDate.year);
        pay->fedStatus = 0;
        // A failed attempt may have left the additional withholding in fedTax; start the retry clean.
        pay->fedTax = 0.0;
        if (fedIncomeTax(mode, pay) != 0) return ORLA_FLAG_FEDERAL;
    }
    return fedSupplementalTax(mode, pay) != 0 ? static_cast<unsigned>(ORLA_FLAG_FEDERAL) : 0u;
}

// State tax with the year fallback, then the additional withholding. Returns the flags it raises.
unsigned stateWithFallback(int mode, PayRecord* pay, StateRecord* state, const CalcDate& payDate) {
    if (!stateInputsFinite(state)) {
        state->status = ORLA_STATE_NO_ROW;
        state->stateTax = 0.0;
        return ORLA_FLAG_STATE;
    }
    unsigned flags = 0;
    if (!dispatchState(mode, pay, state)) {
        pay->payDate.year = yearBefore(payDate.year);
        state->status = ORLA_STATE_OK;
        // Every calculator starts from a zero tax.
        state->stateTax = 0.0;
        if (!dispatchState(mode, pay, state)) flags |= ORLA_FLAG_STATE;
    }
    state->stateTax = state->stateTax + state->stateExtraWithholding;
    return flags;
}

// No output amount is ever left NaN or infinite: an amount that overflowed is cleared and its tax flagged.
// (Record fields are read and written by value: a double of a packed record may be misaligned.)
unsigned clearNonFinite(int mode, PayRecord* pay, StateRecord* state) {
    unsigned flags = 0;
    auto cleared = [&flags](double amount, unsigned flag) {
        if (finite(amount)) return amount;
        flags |= flag;
        return 0.0;
    };
    pay->fedTax = cleared(pay->fedTax, ORLA_FLAG_FEDERAL);
    pay->ssTax = cleared(pay->ssTax, ORLA_FLAG_FEDERAL);
    pay->medicareTax = cleared(pay->medicareTax, ORLA_FLAG_FEDERAL);
    if (has(pay, 128)) pay->fedSuppTax = cleared(pay->fedSuppTax, ORLA_FLAG_FEDERAL);
    if (!federalOnly(mode)) {
        state->stateTax = cleared(state->stateTax, ORLA_FLAG_STATE);
        if (has(state, 144)) state->stateSuppTax = cleared(state->stateSuppTax, ORLA_FLAG_STATE);
    }
    // A search that ran away past the double range leaves its trial amounts cleared too.
    if (mode == ORLA_MODE_GROSS_UP_WAGES) {
        pay->fedWages = cleared(pay->fedWages, ORLA_FLAG_FEDERAL);
        pay->ficaWages = cleared(pay->ficaWages, ORLA_FLAG_FEDERAL);
        state->stateWages = cleared(state->stateWages, ORLA_FLAG_STATE);
    } else if (mode == ORLA_MODE_GROSS_UP_BONUS) {
        pay->suppWages = cleared(pay->suppWages, ORLA_FLAG_FEDERAL);
        if (has(state, 144)) state->stateSuppWages = cleared(state->stateSuppWages, ORLA_FLAG_STATE);
    }
    if (flags & ORLA_FLAG_FEDERAL) pay->fedStatus = ORLA_FED_STATUS_NO_ROW;
    if (flags & ORLA_FLAG_STATE) state->status = ORLA_STATE_NO_ROW;
    return flags;
}

unsigned calculate(int mode, PayRecord* pay, StateRecord* state) {
    const CalcDate payDate = pay->payDate;
    pay->fedTax = 0.0;
    pay->ssTax = 0.0;
    pay->medicareTax = 0.0;
    pay->fedStatus = 0;
    pay->reserved72 = 0;
    pay->reserved104 = 0;
    unsigned flags = 0;

    if (federalOnly(mode)) {
        // The federal part divides by the pay periods: with fewer than one there is nothing to compute.
        if (pay->payPeriods < 1 || !federalInputsFinite(pay)) {
            pay->fedStatus = ORLA_FED_STATUS_NO_ROW;
            flags |= ORLA_FLAG_FEDERAL;
        } else {
            if (fedIncomeTax(mode, pay) != 0) flags |= ORLA_FLAG_FEDERAL;
            if (fedSupplementalTax(mode, pay) != 0) flags |= ORLA_FLAG_FEDERAL;
        }
        state->stateTax = roundCents(state->stateTax);
        pay->fedTax = roundCents(pay->fedTax);
        return flags | clearNonFinite(mode, pay, state);
    }

    const bool hasBonus = has(pay, 128);
    const bool stateHasBonus = has(state, 144);
    double target = 0, trial = 0, step = 0, desiredBonus = 0;
    if (grossUp(mode)) {
        // A search needs a finite target and finite figures around it; the bonus search needs the bonus field.
        if ((mode == ORLA_MODE_GROSS_UP_BONUS && !hasBonus) || !federalInputsFinite(pay) || !stateInputsFinite(state)) {
            pay->fedStatus = ORLA_FED_STATUS_NO_ROW;
            state->status = ORLA_STATE_NO_ROW;
            return ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE;
        }
        if (mode == ORLA_MODE_GROSS_UP_WAGES) {
            target = pay->fedWages;
            trial = 1.7 * target;
        } else {
            trial = 1.7 * pay->suppWages;
        }
        step = 0.5 * trial;
        // A target so large that its first trial overflows cannot be searched for either (and the
        // early return for payPeriods < 1 would leave that trial in the record).
        if (!finite(trial)) {
            pay->fedStatus = ORLA_FED_STATUS_NO_ROW;
            state->status = ORLA_STATE_NO_ROW;
            return ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE;
        }
    }

    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        if (mode == ORLA_MODE_GROSS_UP_WAGES) {
            const double amount = roundCents(trial);
            pay->fedWages = amount;
            pay->ficaWages = amount;
            state->stateWages = amount;
        } else if (mode == ORLA_MODE_GROSS_UP_BONUS) {
            if (iteration == 0) desiredBonus = pay->suppWages;
            const double amount = iteration == 0 ? 0.0 : roundCents(trial);
            pay->suppWages = amount;
            if (stateHasBonus) state->stateSuppWages = amount;
        }

        state->stateTax = 0.0;
        if (pay->payPeriods < 1) {
            state->status = ORLA_STATE_UNSUPPORTED;
            return flags | ORLA_FLAG_FEDERAL;
        }

        unsigned iterationFlags = 0;
        if (federalInputsFinite(pay)) {
            iterationFlags |= federalWithFallback(mode, pay);
        } else {
            pay->fedStatus = ORLA_FED_STATUS_NO_ROW;
            iterationFlags |= ORLA_FLAG_FEDERAL;
        }
        pay->fedTableDate = pay->payDate;
        pay->payDate = payDate;
        state->status = ORLA_STATE_OK;

        iterationFlags |= stateWithFallback(mode, pay, state, payDate);
        flags |= iterationFlags;

        const double net = (hasBonus ? pay->suppWages : 0.0) + pay->fedWages - pay->fedTax -
                           (hasBonus ? pay->fedSuppTax : 0.0) - pay->medicareTax - pay->ssTax - state->stateTax -
                           (stateHasBonus ? state->stateSuppTax : 0.0);
        pay->payDate = payDate;
        state->stateTax = roundCents(state->stateTax);

        if (!grossUp(mode)) break;
        if (mode == ORLA_MODE_GROSS_UP_BONUS && iteration == 0) {
            target = net + desiredBonus;
            continue;
        }
        const double difference = net - target;
        if (difference < -kTolerance) {
            trial += step;
            step *= 0.5;
        } else if (difference > kTolerance) {
            trial -= step;
            step *= 0.5;
        } else {
            break;
        }
    }

    pay->fedTax = roundCents(pay->fedTax);
    pay->payDate = payDate;
    return flags | clearNonFinite(mode, pay, state);
}

}  // namespace

}  // namespace orla

extern "C" ORLA_API unsigned int ORLA_CALL ORLA_Calc(int mode, PayRecord* pay, StateRecord* state) {
    if (pay == nullptr || state == nullptr) return ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE;
    return orla::calculate(mode, pay, state);
}
