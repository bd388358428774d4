#include "frame/records.h"

#include <algorithm>
#include <iterator>

namespace orla {

namespace {

// The end of every field, in ascending order (a date counts as one field).
constexpr std::size_t kPayFieldEnds[] = {
    ORLA_FIELD_END(PayRecord, recordSize),        ORLA_FIELD_END(PayRecord, stateTaxableIncome),
    ORLA_FIELD_END(PayRecord, fedStatus),         ORLA_FIELD_END(PayRecord, fedAllowances),
    ORLA_FIELD_END(PayRecord, payDate),           ORLA_FIELD_END(PayRecord, fedFilingStatus),
    ORLA_FIELD_END(PayRecord, payPeriods),        ORLA_FIELD_END(PayRecord, fedWages),
    ORLA_FIELD_END(PayRecord, fedExtraWithholding), ORLA_FIELD_END(PayRecord, fedTableDate),
    ORLA_FIELD_END(PayRecord, fedTax),            ORLA_FIELD_END(PayRecord, reserved72),
    ORLA_FIELD_END(PayRecord, ssExempt),          ORLA_FIELD_END(PayRecord, ficaWages),
    ORLA_FIELD_END(PayRecord, ssYtdWages),        ORLA_FIELD_END(PayRecord, ssTax),
    ORLA_FIELD_END(PayRecord, reserved104),       ORLA_FIELD_END(PayRecord, medicareExempt),
    ORLA_FIELD_END(PayRecord, medicareYtdWages),  ORLA_FIELD_END(PayRecord, medicareTax),
    ORLA_FIELD_END(PayRecord, suppWages),         ORLA_FIELD_END(PayRecord, suppYtdWages),
    ORLA_FIELD_END(PayRecord, suppAggregate),     ORLA_FIELD_END(PayRecord, reserved148),
    ORLA_FIELD_END(PayRecord, fedSuppTax),        ORLA_FIELD_END(PayRecord, fedExempt),
    ORLA_FIELD_END(PayRecord, w4Form2020),        ORLA_FIELD_END(PayRecord, w4MultipleJobs),
    ORLA_FIELD_END(PayRecord, w4Credits),         ORLA_FIELD_END(PayRecord, w4OtherIncome),
    ORLA_FIELD_END(PayRecord, w4Deductions),      ORLA_FIELD_END(PayRecord, nonresidentAlien),
};
static_assert(std::size(kPayFieldEnds) == 32 && kPayFieldEnds[31] == sizeof(PayRecord));

// The four ints of stateExemptions count one by one.
constexpr std::size_t kExemptionsEnd = offsetof(StateRecord, stateExemptions);
constexpr std::size_t kStateFieldEnds[] = {
    ORLA_FIELD_END(StateRecord, recordSize),       ORLA_FIELD_END(StateRecord, status),
    ORLA_FIELD_END(StateRecord, stateCode),        ORLA_FIELD_END(StateRecord, stateAllowances),
    ORLA_FIELD_END(StateRecord, stateFilingStatus), ORLA_FIELD_END(StateRecord, statePayPeriods),
    ORLA_FIELD_END(StateRecord, stateWages),       ORLA_FIELD_END(StateRecord, stateExtraWithholding),
    ORLA_FIELD_END(StateRecord, stateTableDate),   ORLA_FIELD_END(StateRecord, stateTax),
    ORLA_FIELD_END(StateRecord, statePercent),     ORLA_FIELD_END(StateRecord, stateEstimatedAllowances),
    ORLA_FIELD_END(StateRecord, reserved72),       ORLA_FIELD_END(StateRecord, reserved76),
    ORLA_FIELD_END(StateRecord, stateWithholdingCode), ORLA_FIELD_END(StateRecord, stateReducedWithholding),
    ORLA_FIELD_END(StateRecord, stateDependentAllowances), ORLA_FIELD_END(StateRecord, stateDependencyCredits),
    ORLA_FIELD_END(StateRecord, stateHeadOfHousehold), ORLA_FIELD_END(StateRecord, stateBlind),
    ORLA_FIELD_END(StateRecord, stateSpouseBlind), ORLA_FIELD_END(StateRecord, stateExempt),
    ORLA_FIELD_END(StateRecord, stateRateTable),   ORLA_FIELD_END(StateRecord, stateDependents),
    ORLA_FIELD_END(StateRecord, stateExemptionAmount), ORLA_FIELD_END(StateRecord, stateOption),
    ORLA_FIELD_END(StateRecord, stateAdditionalAllowances), ORLA_FIELD_END(StateRecord, stateDependentExemptions),
    ORLA_FIELD_END(StateRecord, stateSuppWages),   ORLA_FIELD_END(StateRecord, reserved152),
    ORLA_FIELD_END(StateRecord, reserved156),      ORLA_FIELD_END(StateRecord, stateSuppAggregate),
    ORLA_FIELD_END(StateRecord, stateSuppKind),    ORLA_FIELD_END(StateRecord, stateSuppTax),
    kExemptionsEnd + 4,                            kExemptionsEnd + 8,
    kExemptionsEnd + 12,                           kExemptionsEnd + 16,
    ORLA_FIELD_END(StateRecord, reserved192),      ORLA_FIELD_END(StateRecord, reserved196),
    ORLA_FIELD_END(StateRecord, reserved200),      ORLA_FIELD_END(StateRecord, stateFixedTax),
    ORLA_FIELD_END(StateRecord, stateCertField1),  ORLA_FIELD_END(StateRecord, stateCertField2),
    ORLA_FIELD_END(StateRecord, stateCertField3),  ORLA_FIELD_END(StateRecord, reserved224),
    ORLA_FIELD_END(StateRecord, stateCertAmount1), ORLA_FIELD_END(StateRecord, stateCertAmount2),
};
static_assert(std::size(kStateFieldEnds) == 48 && kStateFieldEnds[47] == sizeof(StateRecord));

constexpr bool ascending(const std::size_t* ends, std::size_t count) {
    for (std::size_t i = 1; i < count; ++i)
        if (ends[i] <= ends[i - 1]) return false;
    return true;
}
static_assert(ascending(kPayFieldEnds, std::size(kPayFieldEnds)));
static_assert(ascending(kStateFieldEnds, std::size(kStateFieldEnds)));

// The end of the last field that the declared size holds, at least floor. The ends ascend, so that
// field is the one before the first end past the declared size; a full-size record holds them all.
template <std::size_t N>
std::size_t held(int declared, const std::size_t (&ends)[N], std::size_t floor) {
    if (declared <= 0) return floor;
    const auto size = static_cast<std::size_t>(declared);
    if (size >= ends[N - 1]) return std::max(floor, ends[N - 1]);
    const std::size_t* past = std::upper_bound(std::begin(ends), std::end(ends), size);
    return past == std::begin(ends) ? floor : std::max(floor, *(past - 1));
}

}  // namespace

std::size_t heldBytes(const PayRecord* pay) {
    return held(pay->recordSize, kPayFieldEnds, ORLA_FIELD_END(PayRecord, medicareTax));
}

std::size_t heldBytes(const StateRecord* state) {
    return held(state->recordSize, kStateFieldEnds, ORLA_FIELD_END(StateRecord, stateTax));
}

bool federalAmountsFinite(const PayRecord* pay) {
    // An exempt employee's federal part reads no amount.
    if (has(pay, 160) && pay->fedExempt == 1) return true;
    const bool ss = pay->ssExempt == 0;
    const bool medicare = pay->medicareExempt == 0;
    // A field the computation will not read counts as 0.
    bool ok = allFinite(pay->fedWages, pay->fedExtraWithholding, ss || medicare ? pay->ficaWages : 0.0,
                        ss ? pay->ssYtdWages : 0.0, medicare ? pay->medicareYtdWages : 0.0);
    if (has(pay, 128)) {
        ok = ok && finite(pay->suppWages);
        // The year-to-date bonus decides the flat rate only.
        if (pay->suppWages > 0 && pay->suppAggregate == 0) ok = ok && finite(pay->suppYtdWages);
    }
    // The Form W-4 amounts count on a 2020 form only.
    if (has(pay, 164) && pay->w4Form2020 == 1)
        ok = ok && allFinite(pay->w4Credits, pay->w4OtherIncome, pay->w4Deductions);
    return ok;
}

bool stateAmountsFinite(const PayRecord* pay, const StateRecord* state, bool federalFinite) {
    if (!finite(state->stateExtraWithholding)) return false;
    switch (state->stateCode) {
        // No income tax, or not supported: only the additional withholding.
        case ORLA_AK: case ORLA_FL: case ORLA_NV: case ORLA_NH: case ORLA_SD: case ORLA_TN: case ORLA_TX:
        case ORLA_WA: case ORLA_WY: case ORLA_AS: case ORLA_FM: case ORLA_MH: case ORLA_PW:
            return true;
        // The federal computation again; the Northern Mariana Islands' rebate reads the state wages.
        case ORLA_GU: case ORLA_VI:
            return federalFinite;
        case ORLA_MP:
            return federalFinite && finite(state->stateWages);
        default:
            break;
    }
    if (state->stateCode < 1 || state->stateCode > 59) return true;
    bool ok = finite(state->stateWages) && finite(state->stateSuppWages);
    switch (state->stateCode) {
        case ORLA_AZ: ok = ok && finite(state->statePercent) && finite(pay->suppWages); break;
        case ORLA_CT: ok = ok && finite(state->stateReducedWithholding); break;
        case ORLA_CO: ok = ok && finite(state->stateCertAmount2); break;
        case ORLA_IA: ok = ok && finite(state->stateCertAmount1); break;
        case ORLA_MA: ok = ok && finite(pay->ssYtdWages); break;
        case ORLA_MS: ok = ok && finite(state->stateExemptionAmount); break;
        case ORLA_MO: case ORLA_MT: ok = ok && finite(state->stateFixedTax); break;
        case ORLA_ND: ok = ok && finite(state->stateCertAmount1) && finite(state->stateCertAmount2); break;
        default: break;
    }
    return ok;
}

}  // namespace orla
