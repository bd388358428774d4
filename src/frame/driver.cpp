// The withholding driver: federal part, state dispatch with the year fallback, and the gross-up search.
#include <cstddef>
#include <cstdint>

#include "federal/federal.h"
#include "frame/common.h"
#include "frame/records.h"
#include "state/registry.h"

#include <cstring>

namespace orla {

namespace {

constexpr int kMaxIterations = 50;
constexpr double kTolerance = 0.001;

bool grossUp(int mode) { return mode == ORLA_MODE_GROSS_UP_WAGES || mode == ORLA_MODE_GROSS_UP_BONUS; }
bool federalOnly(int mode) { return mode == ORLA_MODE_FEDERAL || mode == ORLA_MODE_FEDERAL_EMPLOYER; }

// One state calculation for the pay date as it stands. Returns true on success. sharesCurrent: the
// record's social security and Medicare shares are those the federal part found for this date.
bool dispatchState(int mode, PayRecord* pay, StateRecord* state, bool sharesCurrent) {
    const Jurisdiction* j = jurisdiction(state->stateCode);
    if (j == nullptr || j->handling == Handling::NotSupported ||
        (j->handling == Handling::Calculator && j->calc == nullptr)) {
        state->status = ORLA_STATE_UNSUPPORTED;
        return false;
    }
    if (j->handling == Handling::NoIncomeTax) return true;
    if (j->handling == Handling::FederalRule) return federalRuleTerritory(pay, state, sharesCurrent) == 0;
    return j->calc(mode, pay, state) == 0;
}

// Federal income tax with social security and Medicare, then the supplemental tax, with the year
// fallback. Returns the flags it raises; firstTrySucceeded tells whether the income tax succeeded on the
// pay date itself (so the shares in the record are that date's).
unsigned federalWithFallback(int mode, PayRecord* pay, bool& firstTrySucceeded) {
    firstTrySucceeded = fedIncomeTax(mode, pay) == 0;
    if (!firstTrySucceeded) {
        pay->payDate.year = yearBefore(pay->payDate.year);
        pay->fedStatus = 0;
        // A failed attempt may have left the additional withholding in fedTax; start the retry clean.
        pay->fedTax = 0.0;
        if (fedIncomeTax(mode, pay) != 0) return ORLA_FLAG_FEDERAL;
    }
    return fedSupplementalTax(mode, pay) != 0 ? static_cast<unsigned>(ORLA_FLAG_FEDERAL) : 0u;
}

// State tax with the year fallback, then the additional withholding. flags are the running flags of
// the call: a first failure raises flag 8 and clears it again (also a flag 8 of an earlier trial of a
// search) before the retry; a second failure raises it for good. federalFinite: federalAmountsFinite(pay).
// sharesCurrent as for dispatchState, for the first attempt (a federal-rule territory that failed may
// have left other shares for the retry).
void stateWithFallback(int mode, PayRecord* pay, StateRecord* state, const CalcDate& payDate, bool federalFinite,
                       bool sharesCurrent, unsigned& flags) {
    if (!stateAmountsFinite(pay, state, federalFinite)) {
        // An amount this jurisdiction reads is NaN or infinite: no state tax, only the additional
        // withholding when that is finite.
        state->status = ORLA_STATE_NO_ROW;
        flags |= ORLA_FLAG_STATE;
    } else if (!dispatchState(mode, pay, state, sharesCurrent)) {
        flags |= ORLA_FLAG_STATE;
        pay->payDate.year = yearBefore(payDate.year);
        flags &= ~static_cast<unsigned>(ORLA_FLAG_STATE);
        state->status = ORLA_STATE_OK;
        // Every calculator starts from zero taxes.
        state->stateTax = 0.0;
        state->stateSuppTax = 0.0;
        if (!dispatchState(mode, pay, state, false)) {
            flags |= ORLA_FLAG_STATE;
            // A calculator that failed without a status of its own (no flat supplemental rate, say) still
            // reports the failure there: flag 8 never stands beside status 0.
            if (state->status == ORLA_STATE_OK) state->status = ORLA_STATE_NO_ROW;
        }
    }
    if (finite(state->stateExtraWithholding)) state->stateTax = state->stateTax + state->stateExtraWithholding;
}

// No output amount is ever left NaN or infinite: an amount that overflowed is cleared and its tax flagged.
// (Record fields are read and written by value: a double of a packed record may be misaligned.)
unsigned clearNonFinite(int mode, PayRecord* pay, StateRecord* state) {
    // Nearly always every amount is finite: one combined test, then the field-by-field pass only when needed.
    // (Every amount tested here exists in the working records; the gates below decide which are outputs.)
    if (allFinite(pay->fedTax, pay->ssTax, pay->medicareTax, pay->fedSuppTax, state->stateTax, state->stateSuppTax) &&
        (!grossUp(mode) || allFinite(pay->fedWages, pay->ficaWages, state->stateWages, pay->suppWages, state->stateSuppWages)))
        return 0;
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

// One computation of the pay as its fields stand: the federal part and the state part, each with its
// year fallback. Returns false, computing nothing, when the pay periods leave nothing to compute.
bool computeOnce(int mode, PayRecord* pay, StateRecord* state, const CalcDate& payDate, unsigned& flags) {
    state->stateTax = 0.0;
    if (pay->payPeriods < 1) {
        state->status = ORLA_STATE_UNSUPPORTED;
        return false;
    }
    // Each computation starts from zero supplemental taxes, so none survives from an earlier trial.
    pay->fedSuppTax = 0.0;
    state->stateSuppTax = 0.0;
    bool sharesCurrent = false;
    const bool federalFinite = federalAmountsFinite(pay);
    if (federalFinite) {
        flags |= federalWithFallback(mode, pay, sharesCurrent);
    } else {
        pay->fedStatus = ORLA_FED_STATUS_NO_ROW;
        flags |= ORLA_FLAG_FEDERAL;
    }
    pay->fedTableDate = pay->payDate;
    pay->payDate = payDate;
    state->status = ORLA_STATE_OK;
    stateWithFallback(mode, pay, state, payDate, federalFinite, sharesCurrent, flags);
    pay->payDate = payDate;
    return true;
}

// The gross-up search: trial wages (mode 11) or bonuses (mode 12) by halving steps until the net pay of
// a trial is within the tolerance of the target, for at most kMaxIterations trials.
unsigned grossUpSearch(int mode, PayRecord* pay, StateRecord* state, bool payHoldsBonus, const CalcDate& payDate) {
    const bool hasBonus = has(pay, 128);
    const bool stateHasBonus = has(state, 144);
    // A search needs a finite target and finite figures around it; the bonus search needs the bonus field.
    if ((mode == ORLA_MODE_GROSS_UP_BONUS && !payHoldsBonus) || !federalAmountsFinite(pay) ||
        !stateAmountsFinite(pay, state, true)) {
        pay->fedStatus = ORLA_FED_STATUS_NO_ROW;
        state->status = ORLA_STATE_NO_ROW;
        return ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE;
    }
    double target = 0, trial = 0, desiredBonus = 0;
    if (mode == ORLA_MODE_GROSS_UP_WAGES) {
        target = pay->fedWages;
        trial = 1.7 * target;
    } else {
        trial = 1.7 * pay->suppWages;
    }
    double step = 0.5 * trial;
    // A target so large that its first trial overflows cannot be searched for either (and the
    // early return for payPeriods < 1 would leave that trial in the record).
    if (!finite(trial)) {
        pay->fedStatus = ORLA_FED_STATUS_NO_ROW;
        state->status = ORLA_STATE_NO_ROW;
        return ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE;
    }

    unsigned flags = 0;
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        if (mode == ORLA_MODE_GROSS_UP_WAGES) {
            const double amount = roundCents(trial);
            pay->fedWages = amount;
            pay->ficaWages = amount;
            state->stateWages = amount;
        } else {
            if (iteration == 0) desiredBonus = pay->suppWages;
            const double amount = iteration == 0 ? 0.0 : roundCents(trial);
            pay->suppWages = amount;
            if (stateHasBonus) state->stateSuppWages = amount;
        }
        if (!computeOnce(mode, pay, state, payDate, flags)) return flags | ORLA_FLAG_FEDERAL;

        const double net = (hasBonus ? pay->suppWages : 0.0) + pay->fedWages - pay->fedTax -
                           (hasBonus ? pay->fedSuppTax : 0.0) - pay->medicareTax - pay->ssTax - state->stateTax -
                           (stateHasBonus ? state->stateSuppTax : 0.0);
        state->stateTax = roundCents(state->stateTax);

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
    return flags | clearNonFinite(mode, pay, state);
}

// Modes 0 and 2: the federal part alone; the caller's state tax comes back rounded.
[[gnu::noinline]] unsigned federalPartOnly(int mode, PayRecord* pay, StateRecord* state) {
    unsigned flags = 0;
    // The federal part divides by the pay periods: with fewer than one there is nothing to compute.
    if (pay->payPeriods < 1 || !federalAmountsFinite(pay)) {
        pay->fedStatus = ORLA_FED_STATUS_NO_ROW;
        flags |= ORLA_FLAG_FEDERAL;
    } else {
        if (fedIncomeTax(mode, pay) != 0) flags |= ORLA_FLAG_FEDERAL;
        if (fedSupplementalTax(mode, pay) != 0) flags |= ORLA_FLAG_FEDERAL;
    }
    // The caller's state tax comes back rounded, never as NaN or infinity.
    if (finite(state->stateTax)) {
        state->stateTax = roundCents(state->stateTax);
    } else {
        state->stateTax = 0.0;
        flags |= ORLA_FLAG_STATE;
    }
    pay->fedTax = roundCents(pay->fedTax);
    return flags | clearNonFinite(mode, pay, state);
}

// The computation on full-size records, the caller's own or working copies of them (see ORLA_Calc):
// every field can be read and written here, and a field the caller's record does not hold reads as 0.
unsigned calculate(int mode, PayRecord* pay, StateRecord* state, bool payHoldsBonus) {
    const CalcDate payDate = pay->payDate;
    pay->fedTax = 0.0;
    pay->ssTax = 0.0;
    pay->medicareTax = 0.0;
    // No path returns a caller's old supplemental tax.
    pay->fedSuppTax = 0.0;
    state->stateSuppTax = 0.0;
    pay->fedStatus = 0;
    pay->reserved72 = 0;
    pay->reserved104 = 0;
    if (federalOnly(mode)) return federalPartOnly(mode, pay, state);
    if (grossUp(mode)) return grossUpSearch(mode, pay, state, payHoldsBonus, payDate);

    unsigned flags = 0;
    if (!computeOnce(mode, pay, state, payDate, flags)) return flags | ORLA_FLAG_FEDERAL;
    state->stateTax = roundCents(state->stateTax);
    pay->fedTax = roundCents(pay->fedTax);
    return flags | clearNonFinite(mode, pay, state);
}

// Whether both records are full size, aligned for their types and apart in memory.
bool workInPlace(const PayRecord* pay, const StateRecord* state) {
    const auto p = reinterpret_cast<std::uintptr_t>(pay);
    const auto s = reinterpret_cast<std::uintptr_t>(state);
    return pay->recordSize >= static_cast<int>(sizeof(PayRecord)) &&
           state->recordSize >= static_cast<int>(sizeof(StateRecord)) && p % alignof(PayRecord) == 0 &&
           s % alignof(StateRecord) == 0 && (p + sizeof(PayRecord) <= s || s + sizeof(StateRecord) <= p);
}

// The computation on full-size copies of records that are short, misaligned or overlapping: the held
// bytes are copied and only the rest of each copy is zeroed, and only the held bytes are copied back.
[[gnu::noinline]] unsigned calculateOnCopies(int mode, PayRecord* pay, StateRecord* state) {
    const std::size_t payBytes = heldBytes(pay);
    const std::size_t stateBytes = heldBytes(state);
    PayRecord payCopy;
    StateRecord stateCopy;
    std::memcpy(&payCopy, pay, payBytes);
    std::memcpy(&stateCopy, state, stateBytes);
    if (payBytes < sizeof payCopy)
        std::memset(reinterpret_cast<unsigned char*>(&payCopy) + payBytes, 0, sizeof payCopy - payBytes);
    if (stateBytes < sizeof stateCopy)
        std::memset(reinterpret_cast<unsigned char*>(&stateCopy) + stateBytes, 0, sizeof stateCopy - stateBytes);
    const bool payHoldsBonus = payBytes >= ORLA_FIELD_END(PayRecord, suppWages);
    const unsigned flags = calculate(mode, &payCopy, &stateCopy, payHoldsBonus);
    std::memcpy(pay, &payCopy, payBytes);
    std::memcpy(state, &stateCopy, stateBytes);
    return flags;
}

}  // namespace

}  // namespace orla

// A field is read or written only when the declared recordSize holds all of it. The computation runs on
// the caller's records when they are full size, else on full-size copies: the bytes the caller's records
// hold are copied in, every other field reads as 0, and only those bytes are copied back, so nothing past
// a short record is ever touched.
extern "C" ORLA_API unsigned int ORLA_CALL ORLA_Calc(int mode, PayRecord* pay, StateRecord* state) {
    if (pay == nullptr || state == nullptr) return ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE;
    // Full-size, aligned records that do not overlap hold every field already: the computation runs on
    // them directly, which is what working copies would give.
    if (orla::workInPlace(pay, state)) return orla::calculate(mode, pay, state, true);
    return orla::calculateOnCopies(mode, pay, state);
}
