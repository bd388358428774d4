// Guarded calls of the exports, shared by the bad-input test and the fuzzer.
//
// Each record is placed at the start of a buffer that is larger than the struct; every byte the
// call may not write is remembered before the call and compared after it:
//   - the guard bytes beyond sizeof(record) (the library must never write past the struct),
//   - every input field and reserved field,
//   - the gated output fields that the declared recordSize does not hold whole.
// Output amounts must be finite after the call unless the call left them bit for bit as they were.
// A check returns an empty string when the call kept every rule, else a description of the first
// broken rule.
#pragma once

#include <orla/orla.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace orla_guard {

constexpr std::size_t kGuardBytes = 64;
constexpr unsigned char kPattern = 0xA5;

// A field the call may write: its offset and size, and whether it is gated (-1: always present; a
// gated field exists from the first declared size that holds all of it).
struct Writable {
    std::size_t offset;
    std::size_t size;
    int gate;
    bool amount;  // a double that must end finite when written
};

// What ORLA_Calc may write in each record for a mode.
inline int writablePay(int mode, Writable* out) {
    int n = 0;
    out[n++] = {offsetof(PayRecord, stateTaxableIncome), 4, -1, false};
    out[n++] = {offsetof(PayRecord, fedStatus), 4, -1, false};
    out[n++] = {offsetof(PayRecord, fedTableDate), sizeof(CalcDate), -1, false};
    out[n++] = {offsetof(PayRecord, fedTax), 8, -1, true};
    out[n++] = {offsetof(PayRecord, reserved72), 4, -1, false};
    out[n++] = {offsetof(PayRecord, ssTax), 8, -1, true};
    out[n++] = {offsetof(PayRecord, reserved104), 4, -1, false};
    out[n++] = {offsetof(PayRecord, medicareTax), 8, -1, true};
    out[n++] = {offsetof(PayRecord, fedSuppTax), 8, 128, true};
    if (mode == ORLA_MODE_GROSS_UP_WAGES) {
        out[n++] = {offsetof(PayRecord, fedWages), 8, -1, true};
        out[n++] = {offsetof(PayRecord, ficaWages), 8, -1, true};
    }
    if (mode == ORLA_MODE_GROSS_UP_BONUS) out[n++] = {offsetof(PayRecord, suppWages), 8, 128, true};
    return n;
}

inline int writableState(int mode, Writable* out) {
    int n = 0;
    out[n++] = {offsetof(StateRecord, status), 4, -1, false};
    out[n++] = {offsetof(StateRecord, stateTableDate), sizeof(CalcDate), -1, false};
    out[n++] = {offsetof(StateRecord, stateTax), 8, -1, true};
    out[n++] = {offsetof(StateRecord, stateSuppTax), 8, 144, true};
    // The Northern Mariana Islands write their rebate here.
    out[n++] = {offsetof(StateRecord, stateCertAmount1), 8, 212, true};
    if (mode == ORLA_MODE_GROSS_UP_WAGES) out[n++] = {offsetof(StateRecord, stateWages), 8, -1, true};
    if (mode == ORLA_MODE_GROSS_UP_BONUS) out[n++] = {offsetof(StateRecord, stateSuppWages), 8, 144, true};
    return n;
}

// One record in a guarded buffer: guard bytes before and after it. The records are packed to 4
// bytes, so a host may place one at any multiple of 4: shift 0 puts the record on an 8-byte
// boundary, shift 4 halfway (the doubles that were aligned are then not, and the reverse), so that
// the undefined-behaviour sanitizer sees every double field misaligned in one of the two.
template <class Record>
struct Guarded {
    static constexpr std::size_t kFront = 8;
    alignas(8) unsigned char buffer[kFront + sizeof(Record) + kGuardBytes];
    unsigned char before[kFront + sizeof(Record) + kGuardBytes];
    unsigned char* bytes;  // the record: buffer + shift

    explicit Guarded(const Record& r, std::size_t shift = 0) : bytes(buffer + shift) {
        std::memset(buffer, kPattern, sizeof buffer);
        std::memcpy(bytes, &r, sizeof(Record));
        std::memcpy(before, buffer, sizeof buffer);
    }
    Record* get() { return reinterpret_cast<Record*>(bytes); }
    Record value() const {
        Record r;
        std::memcpy(&r, bytes, sizeof r);
        return r;
    }

    // Compares the buffer with its copy from before the call: a byte may differ only inside a
    // writable field whose gate the declared size passes. Amounts written must be finite.
    std::string check(const char* what, const Writable* fields, int count) const {
        const std::size_t shift = static_cast<std::size_t>(bytes - buffer);
        const unsigned char* was = before + shift;  // the record as it was
        int declared = 0;
        std::memcpy(&declared, was, sizeof declared);
        bool allowed[kFront + sizeof(Record) + kGuardBytes] = {};
        for (int i = 0; i < count; ++i) {
            const Writable& f = fields[i];
            if (f.gate >= 0 && !(declared >= 0 && static_cast<std::size_t>(declared) >= f.offset + f.size)) continue;
            for (std::size_t b = 0; b < f.size; ++b) allowed[shift + f.offset + b] = true;
        }
        for (std::size_t b = 0; b < sizeof buffer; ++b) {
            if (buffer[b] != before[b] && !allowed[b]) {
                const long at = static_cast<long>(b) - static_cast<long>(shift);
                char text[160];
                std::snprintf(text, sizeof text, "%s: byte %ld (%s) changed from 0x%02x to 0x%02x (recordSize %d)",
                              what, at,
                              at < 0 || at >= static_cast<long>(sizeof(Record)) ? "outside the record"
                                                                                : "not an output here",
                              before[b], buffer[b], declared);
                return text;
            }
        }
        for (int i = 0; i < count; ++i) {
            const Writable& f = fields[i];
            if (!f.amount || std::memcmp(bytes + f.offset, was + f.offset, 8) == 0) continue;
            double v = 0;
            std::memcpy(&v, bytes + f.offset, sizeof v);
            if (!std::isfinite(v)) {
                char text[120];
                std::snprintf(text, sizeof text, "%s: the amount at offset %zu was written as %g", what, f.offset, v);
                return text;
            }
        }
        return {};
    }
};

struct CalcResult {
    unsigned flags = 0;
    PayRecord pay{};
    StateRecord state{};
    std::string fault;  // empty when every rule held
};

inline bool federalOnlyMode(int mode) { return mode == ORLA_MODE_FEDERAL || mode == ORLA_MODE_FEDERAL_EMPLOYER; }

// The documented values of the status fields and of the flags.
inline std::string checkStatuses(int mode, unsigned flags, const PayRecord& pay, const StateRecord& state) {
    if ((flags & ~static_cast<unsigned>(ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE)) != 0) return "undocumented flag";
    if (pay.fedStatus != 0 && pay.fedStatus != 1 && pay.fedStatus != 100) return "undocumented fedStatus";
    const bool federalOnly = mode == ORLA_MODE_FEDERAL || mode == ORLA_MODE_FEDERAL_EMPLOYER;
    if (!federalOnly) {
        const int s = state.status;
        if (s != 0 && s != 1 && s != 3 && s != 4) return "undocumented state status";
        // The gross-up searches keep the flags of every trial while status tells of the last one,
        // so there flag 8 may stand beside status 0.
        const bool search = mode == ORLA_MODE_GROSS_UP_WAGES || mode == ORLA_MODE_GROSS_UP_BONUS;
        if ((flags & ORLA_FLAG_STATE) != 0 && s == 0 && !search) return "flag 8 with state status 0";
    }
    return {};
}

// ORLA_Calc on copies of the records, guarded, at one placement of each record.
inline CalcResult guardedCalcAt(int mode, const PayRecord& pay, const StateRecord& state, std::size_t payShift,
                                std::size_t stateShift) {
    Guarded<PayRecord> p(pay, payShift);
    Guarded<StateRecord> s(state, stateShift);
    CalcResult r;
    r.flags = ORLA_Calc(mode, p.get(), s.get());
    // Maryland and Massachusetts raise a statePayPeriods below 1 to 1 in the record when their
    // calculator runs (their rules say so); no other value and no other jurisdiction changes it.
    const int periodsAfter = s.get()->statePayPeriods;
    if (periodsAfter != state.statePayPeriods) {
        const bool raised = !federalOnlyMode(mode) && (state.stateCode == ORLA_MD || state.stateCode == ORLA_MA) &&
                            state.statePayPeriods < 1 && periodsAfter == 1;
        if (!raised) r.fault = "statePayPeriods changed";
        s.get()->statePayPeriods = state.statePayPeriods;
    }
    Writable fields[16];
    if (r.fault.empty()) r.fault = p.check("PayRecord", fields, writablePay(mode, fields));
    if (r.fault.empty()) r.fault = s.check("StateRecord", fields, writableState(mode, fields));
    r.pay = p.value();
    r.state = s.value();
    if (r.fault.empty()) r.fault = checkStatuses(mode, r.flags, r.pay, r.state);
    return r;
}

// ORLA_Calc guarded at two placements of the records (8-byte aligned, and 4 past that); both must
// keep every rule and give the same bits.
inline CalcResult guardedCalc(int mode, const PayRecord& pay, const StateRecord& state) {
    CalcResult r = guardedCalcAt(mode, pay, state, 0, 4);
    if (!r.fault.empty()) return r;
    const CalcResult shifted = guardedCalcAt(mode, pay, state, 4, 0);
    if (!shifted.fault.empty()) return shifted;
    if (shifted.flags != r.flags || std::memcmp(&shifted.pay, &r.pay, sizeof r.pay) != 0 ||
        std::memcmp(&shifted.state, &r.state, sizeof r.state) != 0)
        r.fault = "the results depend on where the records lie in memory";
    return r;
}

// The other record exports, guarded, each at both placements of its record (see Guarded). Each
// returns the fault, empty when none; the result and the record are those of the aligned placement.
inline std::string guardedAeic(const AeicRecord& in, int* result = nullptr, AeicRecord* out = nullptr) {
    const Writable fields[] = {{offsetof(AeicRecord, status), 4, -1, false},
                               {offsetof(AeicRecord, advanceEic), 8, -1, true}};
    for (std::size_t shift : {std::size_t{4}, std::size_t{0}}) {
        Guarded<AeicRecord> a(in, shift);
        const int rc = ORLA_AEIC_Calc(a.get());
        if (result) *result = rc;
        if (out) *out = a.value();
        if (rc != 1) return "undocumented ORLA_AEIC_Calc result";
        std::string fault = a.check("AeicRecord", fields, 2);
        if (!fault.empty()) return fault;
    }
    return {};
}

inline std::string guardedTableInfo(const TableInfoRecord& in, int* result = nullptr, TableInfoRecord* out = nullptr) {
    const Writable fields[] = {{offsetof(TableInfoRecord, infoValue), 8, -1, true}};
    for (std::size_t shift : {std::size_t{4}, std::size_t{0}}) {
        Guarded<TableInfoRecord> t(in, shift);
        const int rc = ORLA_Get_Table_Info(t.get());
        if (result) *result = rc;
        if (out) *out = t.value();
        if (rc < 0 || rc > 2) return "undocumented ORLA_Get_Table_Info result";
        std::string fault = t.check("TableInfoRecord", fields, 1);
        if (!fault.empty()) return fault;
    }
    return {};
}

// The name buffer is 64 bytes; the documented minimum is 51, so nothing may be written past 51.
inline std::string guardedPrompt(const PromptRecord& in, int* result = nullptr) {
    const Writable fields[] = {{offsetof(PromptRecord, count), 4, -1, false},
                               {offsetof(PromptRecord, listCode), 4, -1, false},
                               {offsetof(PromptRecord, calcCode), 4, -1, false}};
    for (std::size_t shift : {std::size_t{4}, std::size_t{0}}) {
        Guarded<PromptRecord> p(in, shift);
        unsigned char name[64];
        std::memset(name, kPattern, sizeof name);
        const int rc = ORLA_Get_Prompt(p.get(), reinterpret_cast<char*>(name));
        if (result) *result = rc;
        if (rc < 0 || rc > 50) return "ORLA_Get_Prompt returned a length outside 0 to 50";
        for (std::size_t b = 51; b < sizeof name; ++b)
            if (name[b] != kPattern) return "ORLA_Get_Prompt wrote past 51 bytes of the name";
        std::string fault = p.check("PromptRecord", fields, 3);
        if (!fault.empty()) return fault;
    }
    return {};
}

inline std::string guardedBuildInfo() {
    unsigned char text[64];
    std::memset(text, kPattern, sizeof text);
    if (ORLA_Get_Build_Info(reinterpret_cast<char*>(text)) != 0) return "ORLA_Get_Build_Info failed";
    if (text[20] != 0) return "the build stamp is not 20 characters and a NUL";
    for (std::size_t b = 21; b < sizeof text; ++b)
        if (text[b] != kPattern) return "ORLA_Get_Build_Info wrote past 21 bytes";
    return {};
}

// ---- The Canadian exports -------------------------------------------------------------------------
// A field of a Canadian record exists only where the declared size holds it whole.
#define ORLA_GUARD_CA(Type, field, amount)                                                                   \
    Writable {                                                                                               \
        offsetof(Type, field), sizeof(Type::field), static_cast<int>(offsetof(Type, field) + sizeof(Type::field)) - 1, \
            amount                                                                                           \
    }

inline const Writable kCanadaOutputs[] = {
    ORLA_GUARD_CA(CanadaRecord, status, false),          ORLA_GUARD_CA(CanadaRecord, fedAnnualTax, true),
    ORLA_GUARD_CA(CanadaRecord, incomeTaxPerPay, true),  ORLA_GUARD_CA(CanadaRecord, cppContribution, true),
    ORLA_GUARD_CA(CanadaRecord, eiPremium, true),        ORLA_GUARD_CA(CanadaRecord, fedTaxPerPay, true),
    ORLA_GUARD_CA(CanadaRecord, bonusFedTax, true),      ORLA_GUARD_CA(CanadaRecord, bonusCpp, true),
    ORLA_GUARD_CA(CanadaRecord, bonusEi, true)};
inline const Writable kProvinceOutputs[] = {ORLA_GUARD_CA(ProvinceRecord, status, false),
                                            ORLA_GUARD_CA(ProvinceRecord, provAnnualTax, true),
                                            ORLA_GUARD_CA(ProvinceRecord, provBonusTax, true)};
inline const Writable kClaimCodeOutputs[] = {
    ORLA_GUARD_CA(ClaimCodeRecord, status, false), ORLA_GUARD_CA(ClaimCodeRecord, rangeLow, true),
    ORLA_GUARD_CA(ClaimCodeRecord, rangeHigh, true), ORLA_GUARD_CA(ClaimCodeRecord, claimAmount, true)};
inline const Writable kQuebecOutputs[] = {ORLA_GUARD_CA(QuebecRecord, status, false),
                                          ORLA_GUARD_CA(QuebecRecord, qcTaxPerPay, true)};

#undef ORLA_GUARD_CA

// Every output a Canadian record holds is set at entry, so after the call each is finite (whatever the
// caller left there) and each status is 0 or 1. Writes *status with the status when the record holds it,
// else -1.
template <class Record, std::size_t N>
std::string checkCanadianOutputs(const char* what, const Guarded<Record>& g, const Writable (&fields)[N], int* status = nullptr) {
    int declared = 0;
    std::memcpy(&declared, g.bytes, sizeof declared);
    if (status) *status = -1;
    for (const Writable& f : fields) {
        if (!(declared > f.gate)) continue;
        char text[120];
        if (f.amount) {
            double v = 0;
            std::memcpy(&v, g.bytes + f.offset, sizeof v);
            if (std::isfinite(v)) continue;
            std::snprintf(text, sizeof text, "%s: the output at offset %zu is %g after the call", what, f.offset, v);
            return text;
        }
        int s = 0;
        std::memcpy(&s, g.bytes + f.offset, sizeof s);
        if (status) *status = s;
        if (s == 0 || s == 1) continue;
        std::snprintf(text, sizeof text, "%s: undocumented status %d", what, s);
        return text;
    }
    return {};
}

// Each guarded at both placements of its records (see Guarded); the results must not depend on them.
inline std::string guardedCanadaCalc(int mode, const CanadaRecord& pay, const ProvinceRecord& prov, int* result = nullptr) {
    CanadaRecord firstPay{};
    ProvinceRecord firstProv{};
    for (std::size_t shift : {std::size_t{0}, std::size_t{4}}) {
        Guarded<CanadaRecord> p(pay, shift);
        Guarded<ProvinceRecord> v(prov, 4 - shift);
        const int rc = ORLA_Canada_Calc(mode, p.get(), v.get());
        if (result) *result = rc;
        if (rc != 0 && rc != 1) return "undocumented ORLA_Canada_Calc result";
        int status = -1;
        std::string fault = p.check("CanadaRecord", kCanadaOutputs, static_cast<int>(std::size(kCanadaOutputs)));
        if (fault.empty()) fault = v.check("ProvinceRecord", kProvinceOutputs, static_cast<int>(std::size(kProvinceOutputs)));
        if (fault.empty()) fault = checkCanadianOutputs("CanadaRecord", p, kCanadaOutputs, &status);
        if (fault.empty()) fault = checkCanadianOutputs("ProvinceRecord", v, kProvinceOutputs);
        if (fault.empty() && status >= 0 && status != rc) fault = "ORLA_Canada_Calc: the result differs from the status";
        if (!fault.empty()) return fault;
        const CanadaRecord payAfter = p.value();
        const ProvinceRecord provAfter = v.value();
        if (shift == 0) {
            firstPay = payAfter;
            firstProv = provAfter;
        } else if (std::memcmp(&firstPay, &payAfter, sizeof payAfter) != 0 || std::memcmp(&firstProv, &provAfter, sizeof provAfter) != 0) {
            return "ORLA_Canada_Calc: the results depend on where the records lie in memory";
        }
    }
    return {};
}

inline std::string guardedCanadaProvincial(int mode, const ProvinceRecord& prov, const double (&block)[3], int* result = nullptr) {
    for (std::size_t shift : {std::size_t{4}, std::size_t{0}}) {
        Guarded<ProvinceRecord> v(prov, shift);
        const int rc = ORLA_Canada_Provincial_Calc(mode, v.get(), block);
        if (result) *result = rc;
        if (rc != 0 && rc != 1) return "undocumented ORLA_Canada_Provincial_Calc result";
        std::string fault = v.check("ProvinceRecord", kProvinceOutputs, static_cast<int>(std::size(kProvinceOutputs)));
        if (fault.empty()) fault = checkCanadianOutputs("ProvinceRecord", v, kProvinceOutputs);
        if (!fault.empty()) return fault;
    }
    return {};
}

inline std::string guardedCanadaClaimCode(int mode, const ClaimCodeRecord& cc, int* result = nullptr) {
    for (std::size_t shift : {std::size_t{4}, std::size_t{0}}) {
        Guarded<ClaimCodeRecord> c(cc, shift);
        const int rc = ORLA_Canada_Get_CC(mode, c.get());
        if (result) *result = rc;
        if (rc != 0 && rc != 1) return "undocumented ORLA_Canada_Get_CC result";
        int status = -1;
        std::string fault = c.check("ClaimCodeRecord", kClaimCodeOutputs, static_cast<int>(std::size(kClaimCodeOutputs)));
        if (fault.empty()) fault = checkCanadianOutputs("ClaimCodeRecord", c, kClaimCodeOutputs, &status);
        if (fault.empty() && status >= 0 && status != rc) fault = "ORLA_Canada_Get_CC: the result differs from the status";
        if (!fault.empty()) return fault;
    }
    return {};
}

inline std::string guardedCanadaQuebec(int mode, const QuebecRecord& qc, int* result = nullptr) {
    for (std::size_t shift : {std::size_t{4}, std::size_t{0}}) {
        Guarded<QuebecRecord> q(qc, shift);
        const int rc = ORLA_Canada_Quebec_Calc(mode, q.get());
        if (result) *result = rc;
        if (rc != 0 && rc != 1) return "undocumented ORLA_Canada_Quebec_Calc result";
        std::string fault = q.check("QuebecRecord", kQuebecOutputs, static_cast<int>(std::size(kQuebecOutputs)));
        if (fault.empty()) fault = checkCanadianOutputs("QuebecRecord", q, kQuebecOutputs);
        if (!fault.empty()) return fault;
    }
    return {};
}

}  // namespace orla_guard
