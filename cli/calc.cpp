#include "calc.h"

#include <cmath>
#include <cstdio>

#include "local.h"

namespace orla_cli {

namespace {

// The net a gross-up reaches lies within a tenth of a cent of the target before the library rounds the
// taxes to cents; two rounded taxes can move it by a cent more.
constexpr double kGrossUpTolerance = 0.02;

bool hasField(const PayRecord& pay, int gate) { return pay.recordSize > gate; }
bool hasField(const StateRecord& state, int gate) { return state.recordSize > gate; }

std::string_view stateName(int code) {
    const std::string_view abbreviation = jurisdictionAbbreviation(code);
    return abbreviation.empty() ? std::string_view{"the state"} : abbreviation;
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
    if (wantsLocal(input)) return calculateLocal(input, mode);
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
    } else {
        return result;
    }
    result.grossUpMissed = result.flags == 0 && std::fabs(result.reachedNet - result.wantedNet) > kGrossUpTolerance;
    return result;
}

bool hasNotes(const PayResult& r) {
    return r.flags != 0 || r.pay.fedStatus != 0 || r.state.status != 0 || r.grossUpMissed ||
           (!federalOnly(r.mode) && r.pay.fedTableDate.year != r.pay.payDate.year);
}

std::vector<std::string> explain(const PayResult& r) {
    std::vector<std::string> notes;
    const PayRecord& pay = r.pay;
    const StateRecord& state = r.state;
    const std::string date = formatDate(pay.payDate);
    const bool fullMode = !federalOnly(r.mode);
    const std::string fallback = fullMode ? " nor the year before" : "";

    if (r.flags & ORLA_FLAG_FEDERAL) {
        if (pay.payPeriods < 1) notes.push_back("pay periods must be at least 1: nothing was calculated");
        else if (pay.fedStatus == ORLA_FED_STATUS_NO_ROW)
            notes.push_back("no federal table row covers " + date + fallback);
        else if (hasField(pay, 128) && pay.suppWages > 0 && pay.suppAggregate == 0)
            notes.push_back("no flat supplemental rate covers " + date +
                            ": no federal tax on the bonus (the aggregate method needs no such rate)");
        else notes.push_back("the federal calculation failed");
    } else if (pay.fedStatus == ORLA_FED_STATUS_NO_ROW) {
        notes.push_back("no nonresident-alien amount covers " + date + ": none was added to the wages");
    } else if (pay.fedStatus == ORLA_FED_STATUS_NOT_CONVERGED) {
        notes.push_back("the gross-up did not converge");
    } else if (fullMode && pay.fedTableDate.year != pay.payDate.year) {
        notes.push_back("federal tables of " + std::to_string(pay.fedTableDate.year) + " used: none cover " + date);
    }

    if (fullMode && pay.payPeriods >= 1) {
        const std::string name(stateName(state.stateCode));
        switch (state.status) {
            case ORLA_STATE_OK:
                if (r.flags & ORLA_FLAG_STATE) notes.push_back(name + ": the state calculation failed");
                break;
            case ORLA_STATE_NO_ROW:
                // The Northern Mariana Islands report a record without their rebate field as a failure.
                if (state.stateCode == ORLA_MP && state.recordSize <= 212)
                    notes.push_back(name + ": record too small for the rebate (state record size " +
                                    std::to_string(state.recordSize) + ", needs more than 212)");
                else
                    notes.push_back(name + ": no state table row covers " + date +
                                    " nor the year before, or the calculation could not be completed");
                break;
            case ORLA_STATE_UNSUPPORTED:
                notes.push_back(name + ": jurisdiction not supported");
                break;
            case ORLA_STATE_RECORD_TOO_SMALL:
                notes.push_back(name + ": record too small for the state's fields (state record size " +
                                std::to_string(state.recordSize) + ")");
                break;
            default:
                notes.push_back(name + ": state status " + std::to_string(state.status));
        }
    }

    if (r.grossUpMissed) {
        char text[160];
        std::snprintf(text, sizeof text, "the gross-up did not reach the desired net: %.2f instead of %.2f",
                      r.reachedNet, r.wantedNet);
        notes.emplace_back(text);
    }
    explainLocal(r, notes);
    return notes;
}

}  // namespace orla_cli
