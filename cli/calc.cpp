#include "calc.h"

#include <cmath>
#include <cstdio>

#include "statuses.h"
#include "local.h"

namespace orla_cli {

namespace {

// The net a gross-up reaches lies within a tenth of a cent of the target before the library rounds the
// taxes to cents; two rounded taxes can move it by a cent more.
constexpr double kGrossUpTolerance = 0.02;

// The year several state calculators stamp into stateTableDate, with the pay's month and day, before
// they look up a row.
constexpr int kStampYear = 2017;

// The library reads and writes a field only when the declared size holds all of it: the bonus fields
// of a pay record end with fedSuppTax at 160, those of a state record with stateSuppTax at 176.
bool hasField(const PayRecord& pay, int gate) { return gate == 128 ? pay.recordSize >= 160 : pay.recordSize > gate; }
bool hasField(const StateRecord& state, int gate) {
    return gate == 144 ? state.recordSize >= 176 : state.recordSize > gate;
}

std::string stateName(int code) {
    const std::string_view abbreviation = jurisdictionAbbreviation(code);
    return abbreviation.empty() ? "state code " + std::to_string(code) : std::string(abbreviation);
}

std::string amountText(double value) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

bool isFederalRuleTerritory(int code) { return code == ORLA_GU || code == ORLA_MP || code == ORLA_VI; }

// The conditions behind each Finding bit; explain() puts them into words.
unsigned findingsOf(const PayResult& r) {
    const PayRecord& pay = r.pay;
    const StateRecord& state = r.state;
    const bool fullMode = !federalOnly(r.mode);
    unsigned findings = 0;
    if ((r.flags & ORLA_FLAG_FEDERAL) || pay.fedStatus != ORLA_FED_STATUS_OK) findings |= kFederalFailed;
    if (fullMode && ((r.flags & ORLA_FLAG_STATE) || state.status != ORLA_STATE_OK)) findings |= kStateFailed;
    if (r.flags == 0 && (r.mode == ORLA_MODE_GROSS_UP_WAGES || r.mode == ORLA_MODE_GROSS_UP_BONUS) &&
        std::fabs(r.reachedNet - r.wantedNet) > kGrossUpTolerance)
        findings |= kGrossUpMissed;
    if (fullMode && !(findings & kFederalFailed) && pay.fedTableDate.year != pay.payDate.year) findings |= kFederalFallback;
    // State rows are dated within one year: a row of an earlier year covers the pay only through the fallback.
    if (fullMode && stateTableDateKnown(r) && state.stateTableDate.year < pay.payDate.year) findings |= kStateFallback;
    if (r.withLocal && ((r.flags & ORLA_FLAG_LOCAL) || r.local.localStatus != 0)) findings |= kLocalFailed;
    const bool bonus = hasField(pay, 128);
    if (pay.fedWages < 0 || pay.ficaWages < 0 || (bonus && pay.suppWages < 0) || (fullMode && state.stateWages < 0))
        findings |= kNegativeWages;
    return findings;
}

}  // namespace

bool federalOnly(int mode) { return mode == ORLA_MODE_FEDERAL || mode == ORLA_MODE_FEDERAL_EMPLOYER; }

std::string formatDate(const CalcDate& date) {
    std::string text = std::to_string(date.year);
    if (text.size() < 4) text.insert(0, 4 - text.size(), '0');
    for (int part : {date.month, date.day}) {
        text += '-';
        if (part >= 0 && part < 10) text += '0';
        text += std::to_string(part);
    }
    return text;
}

double netPay(const PayRecord& pay, const StateRecord& state) {
    double net = pay.fedWages - pay.fedTax - pay.ssTax - pay.medicareTax - state.stateTax;
    if (hasField(pay, 128)) net += pay.suppWages - pay.fedSuppTax;
    if (hasField(state, 144)) net -= state.stateSuppTax;
    return net;
}

PayResult calculate(const PayInput& input, int mode) {
    if (wantsLocal(input)) {
        PayResult local = calculateLocal(input, mode);
        local.findings = findingsOf(local);
        return local;
    }
    PayResult result;
    result.pay = input.pay;
    result.state = input.state;
    result.mode = mode;
    result.flags = ORLA_Calc(mode, &result.pay, &result.state);

    // The library does not say when its search ended away from the target: check the net it reached.
    if (mode == ORLA_MODE_GROSS_UP_WAGES) {
        result.wantedNet = input.pay.fedWages;
        result.reachedNet = netPay(result.pay, result.state);
    } else if (mode == ORLA_MODE_GROSS_UP_BONUS && hasField(input.pay, 128)) {
        PayRecord pay = input.pay;
        StateRecord state = input.state;
        pay.suppWages = 0;
        if (hasField(state, 144)) state.stateSuppWages = 0;
        ORLA_Calc(ORLA_MODE_FULL, &pay, &state);
        result.wantedNet = input.pay.suppWages;
        result.reachedNet = netPay(result.pay, result.state) - netPay(pay, state);
    }
    result.findings = findingsOf(result);
    return result;
}

bool federalTableDateKnown(const PayResult& r) {
    return !federalOnly(r.mode) && !(r.findings & kFederalFailed) && r.pay.fedTableDate.year != 0;
}

bool stateTableDateKnown(const PayResult& r) {
    const CalcDate& date = r.state.stateTableDate;
    const bool stamp = date.year == kStampYear && date.month == r.pay.payDate.month && date.day == r.pay.payDate.day;
    return !federalOnly(r.mode) && (r.flags & ORLA_FLAG_STATE) == 0 && r.state.status == ORLA_STATE_OK && date.year != 0 &&
           !stamp;
}

std::string federalStatusWords(const PayResult& r) {
    const PayRecord& pay = r.pay;
    const std::string date = formatDate(pay.payDate);
    if (pay.payPeriods < 1 && (r.flags & ORLA_FLAG_FEDERAL)) return "not computed: pay periods must be at least 1";
    if (pay.fedStatus == ORLA_FED_STATUS_NOT_CONVERGED) return "the gross-up did not converge";
    if (r.flags & ORLA_FLAG_FEDERAL) {
        if (pay.fedStatus == ORLA_FED_STATUS_NO_ROW)
            return "not computed: no federal table row covers " + date + (federalOnly(r.mode) ? "" : " nor the year before");
        if (hasField(pay, 128) && pay.suppWages > 0 && pay.suppAggregate == 0)
            return "no flat supplemental rate covers " + date + ": no federal tax on the bonus (the aggregate method needs no such rate)";
        return "the federal calculation failed (an amount it could not use)";
    }
    if (pay.fedStatus == ORLA_FED_STATUS_NO_ROW)
        return "no nonresident-alien amount covers " + date + ": none was added to the wages";
    if (r.findings & kFederalFallback)
        return "computed on the federal tables of " + std::to_string(pay.fedTableDate.year) + ": none cover " + date;
    return "computed";
}

std::string stateStatusWords(const PayResult& r) {
    const PayRecord& pay = r.pay;
    const StateRecord& state = r.state;
    const std::string date = formatDate(pay.payDate);
    if (federalOnly(r.mode)) return "not calculated in this mode";
    if (pay.payPeriods < 1) return "not computed: pay periods must be at least 1";
    switch (state.status) {
        case ORLA_STATE_OK:
            if (r.flags & ORLA_FLAG_STATE) return "the state calculation failed (no flat supplemental rate, or an amount it could not use)";
            if (r.findings & kStateFallback)
                return "computed on the state tables of " + std::to_string(state.stateTableDate.year) + ": none of " +
                       std::to_string(pay.payDate.year) + " cover " + date +
                       (isFederalRuleTerritory(state.stateCode)
                            ? " (the tax follows the federal rows of " + std::to_string(state.stateTableDate.year) + ")"
                            : "");
            return "computed";
        case ORLA_STATE_NO_ROW:
            // The Northern Mariana Islands report a record without their rebate field as a failure.
            if (state.stateCode == ORLA_MP && state.recordSize <= 212)
                return "record too small for the rebate (state record size " + std::to_string(state.recordSize) +
                       ", needs more than 212)";
            if (!isStateFilingStatus(state.stateCode, state.stateFilingStatus))
                return "no table row: filing status " + std::to_string(state.stateFilingStatus) + " is not one of " +
                       std::string(jurisdictionName(state.stateCode)) + "'s (orla-calc --list-statuses " +
                       stateName(state.stateCode) + ")";
            return "no state table row covers " + date + " nor the year before, or the calculation could not be completed";
        case ORLA_STATE_UNSUPPORTED:
            return "jurisdiction not supported";
        case ORLA_STATE_RECORD_TOO_SMALL:
            return "record too small for the state's fields (state record size " + std::to_string(state.recordSize) + ")";
        default:
            return "state status " + std::to_string(state.status);
    }
}

std::vector<std::string> explain(const PayResult& r) {
    std::vector<std::string> notes;

    const PayRecord& pay = r.pay;
    const StateRecord& state = r.state;
    const bool fullMode = !federalOnly(r.mode);
    const std::string name = stateName(state.stateCode);

    if (r.findings & (kFederalFailed | kFederalFallback)) notes.push_back(federalStatusWords(r));
    // With pay periods below 1 nothing was calculated: the federal words say so for both parts.
    if ((r.findings & (kStateFailed | kStateFallback)) && !(pay.payPeriods < 1 && (r.findings & kFederalFailed)))
        notes.push_back(name + ": " + stateStatusWords(r));
    if (r.findings & kGrossUpMissed)
        notes.push_back("the gross-up did not reach the desired net: " + amountText(r.reachedNet) + " instead of " +
                        amountText(r.wantedNet));
    if (r.findings & kNegativeWages) {
        std::string negative;
        const auto add = [&negative](std::string_view field, double value) {
            if (value >= 0) return;
            negative += negative.empty() ? "" : ", ";
            negative += std::string(field) + " " + amountText(value);
        };
        add("fed-wages", pay.fedWages);
        add("fica-wages", pay.ficaWages);
        if (hasField(pay, 128)) add("supp-wages", pay.suppWages);
        if (fullMode) add("state-wages", state.stateWages);
        notes.push_back("negative wages computed as given: " + negative);
    }
    explainLocal(r, notes);
    return notes;
}

}  // namespace orla_cli
