#include "local.h"

#include <cmath>
#include <cstddef>

#include <fmt/format.h>

#include "batch.h"
#include "format.h"

namespace orla_cli {

namespace {

#define LOCAL(field) Target::Local, offsetof(LocalRecord, field)

constexpr Field kLocalFields[] = {
    {"locality", "locality-code", "localityCode", LOCAL(localityCode), Kind::Integer, "local tax: the locality's code from --list STATE"},
    {"local-tax-type", "", "localTaxType", LOCAL(localTaxType), Kind::Integer, "Pennsylvania, Ohio, Kentucky: kind of local tax or list"},
    {"local-resident", "", "localResident", LOCAL(localResident), Kind::Switch, "lives in the locality"},
    {"local-exemptions", "", "localExemptions", LOCAL(localExemptions), Kind::Integer, "local exemptions or allowances"},
    {"local-option", "", "localOption", LOCAL(localOption), Kind::Integer, "a switch whose meaning each state gives (New York, Maryland: filing status)"},
    {"local-pay-periods", "", "localPayPeriods", LOCAL(localPayPeriods), Kind::Integer, "pay periods for the local tax (default: the pay periods)"},
    {"local-wages", "", "localWages", LOCAL(localWages), Kind::Amount, "local taxable wages (default: the federal wages)"},
    {"local-extra-withholding", "", "localExtraWithholding", LOCAL(localExtraWithholding), Kind::Amount, "additional local withholding of this pay"},
    {"local-supp-wages", "", "localSuppWages", LOCAL(localSuppWages), Kind::Amount, "local supplemental wages (default: the supplemental wages)"},
    {"local-supp-aggregate", "", "localSuppAggregate", LOCAL(localSuppAggregate), Kind::Integer, "Maryland, New York: 1 aggregate method, 0 flat rate"},
    {"work-locality", "", "workLocalityCode", LOCAL(workLocalityCode), Kind::Integer, "Michigan: the city where a non-resident works"},
    {"override-rate", "", "overrideRate", LOCAL(overrideRate), Kind::Amount, "caller's local rate (a fraction), replacing the table's"},
    {"override-annual-limit", "", "overrideAnnualLimit", LOCAL(overrideAnnualLimit), Kind::Amount, "annual limit of the caller-rate tax"},
    {"override-ytd", "", "overrideYtd", LOCAL(overrideYtd), Kind::Amount, "local wages earlier in the year (the limit; Kentucky's bands)"},
    {"override-exemptions", "", "overrideExemptions", LOCAL(overrideExemptions), Kind::Integer, "exemptions for the caller's rate"},
    {"override-exemption-amount", "", "overrideExemptionAmount", LOCAL(overrideExemptionAmount), Kind::Amount, "annual amount of one such exemption"},
    {"override-deduction", "", "overrideDeduction", LOCAL(overrideDeduction), Kind::Amount, "annual deduction for the caller's rate"},
    {"override-flat-annual", "", "overrideFlatAnnual", LOCAL(overrideFlatAnnual), Kind::Amount, "flat annual local tax spread over the pay periods"},
    {"local-record-size", "", "", LOCAL(recordSize), Kind::LocalRecordSize, "declared LocalRecord size (default: the full record)"},
};

#undef LOCAL

// The local outputs, by value: the record is packed.
bool holdsSuppTax(const LocalRecord& local) { return local.recordSize >= 164; }

double netWithLocal(const PayResult& r) { return netPay(r.pay, r.state) - localTaxes(r); }

std::string money(double value) {
    std::string text;
    appendAmount(text, value);
    return text;
}

}  // namespace

std::span<const Field> localFields() { return kLocalFields; }

const Field* findLocalField(std::string_view name) {
    for (const Field& f : kLocalFields)
        if (name == f.name || (!f.alias.empty() && name == f.alias) || (!f.recordName.empty() && name == f.recordName))
            return &f;
    return nullptr;
}

bool wantsLocal(const PayInput& input) {
    for (const Field& f : kLocalFields)
        if (input.has(f)) return true;
    return false;
}

double localTaxes(const PayResult& r) {
    if (!r.withLocal) return 0.0;
    return r.local.localTax + (holdsSuppTax(r.local) ? r.local.localSuppTax : 0.0);
}

PayResult calculateLocal(const PayInput& input, int mode) {
    PayResult result;
    result.pay = input.pay;
    result.state = input.state;
    result.local = input.local;
    result.mode = mode;
    result.withLocal = true;
    result.flags = static_cast<unsigned>(ORLA_Calc_Local(mode, &result.pay, &result.state, &result.local));
    if (mode == ORLA_MODE_GROSS_UP_WAGES) {
        result.wantedNet = input.pay.fedWages;
        result.reachedNet = netWithLocal(result);
    } else if (mode == ORLA_MODE_GROSS_UP_BONUS && input.pay.recordSize >= 160) {
        PayResult base = result;
        base.pay = input.pay;
        base.state = input.state;
        base.local = input.local;
        base.pay.suppWages = 0;
        if (base.state.recordSize >= 176) base.state.stateSuppWages = 0;
        base.local.localSuppWages = 0;
        ORLA_Calc_Local(ORLA_MODE_FULL, &base.pay, &base.state, &base.local);
        result.wantedNet = input.pay.suppWages;
        result.reachedNet = netWithLocal(result) - netWithLocal(base);
    }
    return result;
}

void explainLocal(const PayResult& r, std::vector<std::string>& notes) {
    if (!r.withLocal) return;
    if (r.flags & ORLA_FLAG_LOCAL)
        notes.push_back(fmt::format("locality {}: no local table row covers the locality and {}", r.local.localityCode,
                                    formatDate(r.pay.payDate)));
    else if (r.local.localStatus != 0)
        notes.push_back(fmt::format("locality {}: local status {}", r.local.localityCode, r.local.localStatus));
}

std::string describeLocal(const PayResult& r) {
    if (!r.withLocal) return {};
    const LocalRecord& local = r.local;
    std::string out;
    const std::string_view state = jurisdictionAbbreviation(r.state.stateCode);
    out += fmt::format("  {:<28}{:>13}{:>13}\n", fmt::format("Local tax ({} {})", state, local.localityCode),
                       money(local.localWages), money(local.localTax));
    if (holdsSuppTax(local))
        out += fmt::format("  {:<28}{:>13}{:>13}\n", "Local tax on the bonus", money(local.localSuppWages),
                           money(local.localSuppTax));
    const double work = local.workLocalityTax;
    if (work != 0)
        out += fmt::format("  {:<28}{:>13}{:>13}\n", r.state.stateCode == ORLA_CO ? "Employer's share" : "Work locality tax",
                           "", money(work));
    return out;
}

int printLocalityList(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* errors) {
    PayInput parsed;
    std::string error;
    if (arguments.empty() || !setField(*findField("state-code"), arguments[0], parsed, error)) {
        fmt::print(errors, "orla-calc: --list: {}\n", arguments.empty() ? "a state is needed" : error);
        return kExitUsage;
    }
    int selector = 0;
    if (arguments.size() > 1) {
        if (!setField(*findLocalField("local-tax-type"), arguments[1], parsed, error)) {
            fmt::print(errors, "orla-calc: --list: selector {}\n", error);
            return kExitUsage;
        }
        selector = parsed.local.localTaxType;
    }
    const int state = parsed.state.stateCode;
    PromptRecord prompt{};
    prompt.recordSize = sizeof prompt;
    prompt.stateCode = state;
    prompt.listSelector = selector;
    char name[64] = {};
    ORLA_Get_Prompt(&prompt, name);
    if (prompt.count <= 0) {
        fmt::print(errors, "orla-calc: --list: {} has no locality list{}\n", jurisdictionAbbreviation(state),
                   arguments.size() > 1 ? fmt::format(" {}", selector) : std::string{});
        return kExitUsage;
    }
    const int count = prompt.count;
    fmt::print(out, "{:>9} {:>9}  {}\n", "list-code", "locality", "name");
    for (int i = 0; i < count; ++i) {
        prompt.index = i;
        ORLA_Get_Prompt(&prompt, name);
        fmt::print(out, "{:>9} {:>9}  {}\n", prompt.listCode, prompt.calcCode, name);
    }
    return kExitOk;
}

}  // namespace orla_cli
