#include "format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include <fmt/format.h>

#include "local.h"
#include "levy_format.h"

namespace orla_cli {

const std::array<std::string_view, kAmountCount> kAmountNames = {
    "fed-wages", "supp-wages", "fed-tax", "fed-supp-tax", "ss-tax", "medicare-tax", "state-tax", "state-supp-tax", "net-pay",
    "local-tax", "local-supp-tax", "work-locality-tax"};

namespace {

constexpr std::array<std::string_view, kAmountCount> kTableTitles = {
    "wages", "bonus", "federal", "fed bonus", "soc sec", "medicare", "state", "st bonus", "net pay", "local", "loc bonus", "work local"};

constexpr int kLineWidth = 6;
constexpr int kIdWidth = 10;
constexpr int kDateWidth = 10;
constexpr int kStateWidth = 5;
constexpr int kAmountWidth = 11;

// Amounts are whole cents already; this only removes the binary fraction, half away from zero.
std::int64_t toCents(double amount) {
    const double scaled = amount * 100.0;
    return static_cast<std::int64_t>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
}

void appendCents(std::string& out, std::int64_t cents) {
    char text[32];
    char* p = text;
    if (cents < 0) {
        *p++ = '-';
        cents = -cents;
    }
    p = std::to_chars(p, text + sizeof text, cents / 100).ptr;
    *p++ = '.';
    *p++ = static_cast<char>('0' + cents % 100 / 10);
    *p++ = static_cast<char>('0' + cents % 10);
    out.append(text, static_cast<std::size_t>(p - text));
}

void appendPadded(std::string& out, std::string_view text, int width, bool right) {
    const auto pad = width > static_cast<int>(text.size()) ? static_cast<std::size_t>(width) - text.size() : 0;
    if (right) out.append(pad, ' ');
    out.append(text);
    if (!right) out.append(pad, ' ');
}

void appendInt(std::string& out, long value) {
    char text[24];
    out.append(text, static_cast<std::size_t>(std::to_chars(text, text + sizeof text, value).ptr - text));
}

void appendDate(std::string& out, const CalcDate& date) {
    char text[16];
    char* p = text;
    const auto two = [&p](int v) {
        *p++ = static_cast<char>('0' + v / 10 % 10);
        *p++ = static_cast<char>('0' + v % 10);
    };
    p = std::to_chars(p, text + 8, date.year).ptr;
    *p++ = '-';
    two(date.month);
    *p++ = '-';
    two(date.day);
    out.append(text, static_cast<std::size_t>(p - text));
}

void appendCsvText(std::string& out, std::string_view text) {
    // A plain loop: find_first_of searches the set once per character.
    if (std::none_of(text.begin(), text.end(), [](char c) { return c == ',' || c == '"' || c == '\n' || c == '\r'; })) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (char c : text) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

void appendJsonText(std::string& out, std::string_view text) {
    out.push_back('"');
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (byte < 0x20) {
            out.append(fmt::format("\\u{:04x}", byte));
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

std::string joinedNotes(const PayResult& result) {
    std::string joined;
    if (!result.hasNotes()) return joined;
    for (const std::string& note : explain(result)) {
        if (!joined.empty()) joined += "; ";
        joined += note;
    }
    return joined;
}

std::string_view modeName(int mode) {
    switch (mode) {
        case ORLA_MODE_FEDERAL: return "federal only";
        case ORLA_MODE_FEDERAL_EMPLOYER: return "federal only, employer's share";
        case ORLA_MODE_GROSS_UP_WAGES: return "gross-up of the net pay";
        case ORLA_MODE_GROSS_UP_BONUS: return "gross-up of the net bonus";
        default: return "federal and state";
    }
}

std::string flagWords(unsigned flags) {
    if (flags == 0) return "none";
    std::string words;
    if (flags & ORLA_FLAG_FEDERAL) words = "federal";
    if (flags & ORLA_FLAG_STATE) words += words.empty() ? "state" : " and state";
    if (flags & ORLA_FLAG_LOCAL) words += words.empty() ? "local" : " and local";
    return words;
}

}  // namespace

std::array<double, kAmountCount> amounts(const PayResult& r) {
    const bool payBonus = r.pay.recordSize >= 160;
    const bool stateBonus = r.state.recordSize >= 176;
    return {r.pay.fedWages,
            payBonus ? r.pay.suppWages : 0.0,
            r.pay.fedTax,
            payBonus ? r.pay.fedSuppTax : 0.0,
            r.pay.ssTax,
            r.pay.medicareTax,
            federalOnly(r.mode) ? 0.0 : r.state.stateTax,
            federalOnly(r.mode) || !stateBonus ? 0.0 : r.state.stateSuppTax,
            federalOnly(r.mode) ? netPay(r.pay, StateRecord{}) : netPay(r.pay, r.state) - localTaxes(r),
            r.withLocal ? r.local.localTax : 0.0,
            r.withLocal && r.local.recordSize >= 164 ? r.local.localSuppTax : 0.0,
            r.withLocal ? r.local.workLocalityTax : 0.0};
}

void Totals::add(const PayResult& result) {
    if (result.hasNotes()) ++paysWithNotes;
    if (result.failed()) {
        ++failedPays;
        return;
    }
    const auto values = amounts(result);
    for (std::size_t i = 0; i < kAmountCount; ++i) cents[i] += toCents(values[i]);
    addLevyCents(levyCents, result.levies);
    ++pays;
}

void Totals::merge(const Totals& other) {
    for (std::size_t i = 0; i < kAmountCount; ++i) cents[i] += other.cents[i];
    for (std::size_t i = 0; i < kLevyCount; ++i) levyCents[i] += other.levyCents[i];
    pays += other.pays;
    failedPays += other.failedPays;
    paysWithNotes += other.paysWithNotes;
    badRows += other.badRows;
    skippedLines += other.skippedLines;
}

void appendAmount(std::string& out, double amount) { appendCents(out, toCents(amount)); }

std::string BatchWriter::header() const {
    std::string out;
    switch (format_) {
        case Format::Table:
            appendPadded(out, "line", kLineWidth, true);
            out.push_back(' ');
            if (withId_) {
                appendPadded(out, "id", kIdWidth, false);
                out.push_back(' ');
            }
            appendPadded(out, "date", kDateWidth, false);
            appendPadded(out, "state", kStateWidth + 1, true);
            for (std::string_view title : kTableTitles) appendPadded(out, title, kAmountWidth, true);
            if (withLevies_) appendLevyHeader(out, format_);
            out += "  notes\n";
            break;
        case Format::Csv:
            out = "line,id,pay-date,state";
            for (std::string_view name : kAmountNames) out.append(",").append(name);
            if (withLevies_) appendLevyHeader(out, format_);
            out += ",flags,fed-status,state-status,notes\n";
            break;
        case Format::Json:
            out = "{\"pays\": [";
            break;
    }
    return out;
}

void BatchWriter::row(std::string& out, long line, std::string_view id, const PayResult& r) const {
    const auto values = amounts(r);
    const std::string_view state = federalOnly(r.mode) ? std::string_view{} : jurisdictionAbbreviation(r.state.stateCode);
    switch (format_) {
        case Format::Table: {
            const std::size_t start = out.size();
            appendInt(out, line);
            const std::size_t width = out.size() - start;
            if (width < kLineWidth) out.insert(start, kLineWidth - width, ' ');
            out.push_back(' ');
            if (withId_) {
                appendPadded(out, id, kIdWidth, false);
                out.push_back(' ');
            }
            appendDate(out, r.pay.payDate);
            appendPadded(out, state, kStateWidth + 1, true);
            for (double value : values) {
                const std::size_t cell = out.size();
                appendAmount(out, value);
                const std::size_t written = out.size() - cell;
                // At least one blank between cells, even when a large total overflows its column.
                out.insert(cell, written < kAmountWidth ? kAmountWidth - written : 1, ' ');
            }
            if (withLevies_) appendLevyCells(out, format_, r.levies);
            if (r.hasNotes()) out.append("  ").append(joinedNotes(r));
            out.push_back('\n');
            break;
        }
        case Format::Csv:
            appendInt(out, line);
            out.push_back(',');
            appendCsvText(out, id);
            out.push_back(',');
            appendDate(out, r.pay.payDate);
            out.push_back(',');
            out.append(state);
            for (double value : values) {
                out.push_back(',');
                appendAmount(out, value);
            }
            if (withLevies_) appendLevyCells(out, format_, r.levies);
            out.push_back(',');
            appendInt(out, r.flags);
            out.push_back(',');
            appendInt(out, r.pay.fedStatus);
            out.push_back(',');
            appendInt(out, federalOnly(r.mode) ? 0 : r.state.status);
            out.push_back(',');
            appendCsvText(out, joinedNotes(r));
            out.push_back('\n');
            break;
        case Format::Json:
            out += ",\n  {\"line\": ";
            appendInt(out, line);
            out += ", \"id\": ";
            appendJsonText(out, id);
            out += ", \"pay-date\": \"";
            appendDate(out, r.pay.payDate);
            out += "\", \"state\": ";
            appendJsonText(out, state);
            for (std::size_t i = 0; i < kAmountCount; ++i) {
                out += ", \"";
                out += kAmountNames[i];
                out += "\": ";
                appendAmount(out, values[i]);
            }
            if (withLevies_) appendLevyCells(out, format_, r.levies);
            out += ", \"flags\": ";
            appendInt(out, r.flags);
            out += ", \"fed-status\": ";
            appendInt(out, r.pay.fedStatus);
            out += ", \"state-status\": ";
            appendInt(out, federalOnly(r.mode) ? 0 : r.state.status);
            out += ", \"notes\": [";
            if (r.hasNotes()) {
                bool first = true;
                for (const std::string& note : explain(r)) {
                    if (!first) out += ", ";
                    first = false;
                    appendJsonText(out, note);
                }
            }
            out += "]}";
            break;
    }
}

std::string BatchWriter::footer(const Totals& totals) const {
    std::string out;
    switch (format_) {
        case Format::Table: {
            out.append(static_cast<std::size_t>(kLineWidth + 1 + (withId_ ? kIdWidth + 1 : 0) + kDateWidth + kStateWidth + 1 +
                                                kAmountWidth * static_cast<int>(kAmountCount) +
                                                (withLevies_ ? levyTableWidth() : 0)),
                       '-');
            out.push_back('\n');
            appendPadded(out, "total", kLineWidth, true);
            out.push_back(' ');
            if (withId_) out.append(static_cast<std::size_t>(kIdWidth + 1), ' ');
            out.append(static_cast<std::size_t>(kDateWidth + kStateWidth + 1), ' ');
            for (std::int64_t cents : totals.cents) {
                const std::size_t cell = out.size();
                appendCents(out, cents);
                const std::size_t written = out.size() - cell;
                // At least one blank between cells, even when a large total overflows its column.
                out.insert(cell, written < kAmountWidth ? kAmountWidth - written : 1, ' ');
            }
            if (withLevies_) appendLevyTotals(out, format_, totals.levyCents);
            out += fmt::format("\n{} pays: {} computed, {} failed (left out of the totals), {} with notes; {} bad rows",
                               totals.pays + totals.failedPays, totals.pays, totals.failedPays, totals.paysWithNotes,
                               totals.badRows);
            if (totals.skippedLines > 0) out += fmt::format("; {} blank or comment lines skipped", totals.skippedLines);
            out += '\n';
            break;
        }
        case Format::Csv:
            out = "total,,,";
            for (std::int64_t cents : totals.cents) {
                out.push_back(',');
                appendCents(out, cents);
            }
            if (withLevies_) appendLevyTotals(out, format_, totals.levyCents);
            out += ",,,,";
            if (totals.failedPays > 0) out += fmt::format("totals leave out {} failed pays", totals.failedPays);
            if (totals.skippedLines > 0)
                out += fmt::format("{}{} blank or comment lines skipped", totals.failedPays > 0 ? "; " : "", totals.skippedLines);
            out += '\n';
            break;
        case Format::Json: {
            out = "\n],\n\"totals\": {";
            for (std::size_t i = 0; i < kAmountCount; ++i) {
                if (i > 0) out += ", ";
                out += '"';
                out += kAmountNames[i];
                out += "\": ";
                appendCents(out, totals.cents[i]);
            }
            if (withLevies_) appendLevyTotals(out, format_, totals.levyCents);
            out += fmt::format(
                "}},\n\"pays-computed\": {}, \"pays-failed\": {}, \"pays-with-notes\": {}, \"bad-rows\": {}, \"lines-skipped\": {}}}\n",
                totals.pays, totals.failedPays, totals.paysWithNotes, totals.badRows, totals.skippedLines);
            break;
        }
    }
    return out;
}

std::string describePay(const PayResult& r) {
    const PayRecord& pay = r.pay;
    const StateRecord& state = r.state;
    const bool fullMode = !federalOnly(r.mode);
    const auto values = amounts(r);
    std::string out;
    const std::string_view status = fedFilingStatusName(pay.fedFilingStatus);
    const bool w4Form2020 = pay.recordSize >= 168 && pay.w4Form2020 == 1;
    out += fmt::format("Pay of {}, {} pay periods a year, {}\n", formatDate(pay.payDate), pay.payPeriods, modeName(r.mode));
    out += fmt::format("Federal elections: {}, ", status.empty() ? fmt::format("filing status {}", pay.fedFilingStatus)
                                                                  : std::string(status));
    if (w4Form2020) out += pay.w4MultipleJobs == 1 ? "Form W-4 of 2020 or later, Step 2 box marked\n" : "Form W-4 of 2020 or later\n";
    else out += fmt::format("Form W-4 before 2020, {} allowances\n", pay.fedAllowances);

    const auto line = [&out](std::string_view label, std::string wages, double tax) {
        std::string taxText;
        appendAmount(taxText, tax);
        out += fmt::format("  {:<28}{:>13}{:>13}\n", label, wages, taxText);
    };
    const auto amount = [](double value) {
        std::string text;
        appendAmount(text, value);
        return text;
    };
    out += fmt::format("\n  {:<28}{:>13}{:>13}\n", "", "wages", "tax");
    line("Federal income tax", amount(values[0]), values[2]);
    if (pay.recordSize >= 160) line("Federal tax on the bonus", amount(values[1]), values[3]);
    line("Social security", amount(pay.ficaWages + (pay.recordSize >= 160 ? pay.suppWages : 0.0)), values[4]);
    line("Medicare", amount(pay.ficaWages + (pay.recordSize >= 160 ? pay.suppWages : 0.0)), values[5]);
    if (fullMode) {
        const std::string_view abbreviation = jurisdictionAbbreviation(state.stateCode);
        line(fmt::format("State income tax ({})", abbreviation.empty() ? std::to_string(state.stateCode) : std::string(abbreviation)),
             amount(state.stateWages), values[6]);
        if (state.recordSize >= 176) line("State tax on the bonus", amount(state.stateSuppWages), values[7]);
    }
    double withheld = 0;
    out += describeLocal(r);
    for (std::size_t i = 2; i < 8; ++i) withheld += values[i];
    withheld += localTaxes(r);
    line("Total withheld", "", withheld);
    line("Net pay", "", values[8]);
    if (r.levies.computed) out += describeLevies(r.levies, state);

    out += "\n";
    out += fmt::format("  Federal status   {:>3}  {}\n", pay.fedStatus, federalStatusWords(r));
    if (fullMode) {
        if (federalTableDateKnown(r)) out += fmt::format("  Federal tables   {}\n", formatDate(pay.fedTableDate));
        out += fmt::format("  State status     {:>3}  {}\n", state.status, stateStatusWords(r));
        if (stateTableDateKnown(r)) out += fmt::format("  State tables     {}\n", formatDate(state.stateTableDate));
        if (pay.stateTaxableIncome != 0) out += fmt::format("  State taxable    {}\n", pay.stateTaxableIncome);
        if (state.stateCode == ORLA_MP && state.recordSize >= 236 && state.status == 0)
            out += fmt::format("  Rebate           {}\n", amount(state.stateCertAmount1));
    }
    out += fmt::format("  Result flags     {:>3}  {}\n", r.flags, flagWords(r.flags));
    for (const std::string& note : explain(r)) out += fmt::format("  * {}\n", note);
    if (r.failed()) out += "  The pay could not be computed in full: its amounts are not what it withholds.\n";
    return out;
}

nlohmann::json payJson(const PayResult& r) {
    const auto values = amounts(r);
    const auto cents = [](double value) { return static_cast<double>(toCents(value)) / 100.0; };
    nlohmann::json json;
    json["pay-date"] = formatDate(r.pay.payDate);
    json["pay-periods"] = r.pay.payPeriods;
    json["mode"] = r.mode;
    for (std::size_t i = 0; i < kAmountCount; ++i) json[std::string(kAmountNames[i])] = cents(values[i]);
    json["fed-status"] = r.pay.fedStatus;
    json["flags"] = r.flags;
    if (!federalOnly(r.mode)) {
        json["state"] = std::string(jurisdictionAbbreviation(r.state.stateCode));
        json["state-code"] = r.state.stateCode;
        json["state-wages"] = cents(r.state.stateWages);
        json["state-status"] = r.state.status;
        json["fed-table-date"] = federalTableDateKnown(r) ? nlohmann::json(formatDate(r.pay.fedTableDate)) : nlohmann::json();
        json["state-table-date"] = stateTableDateKnown(r) ? nlohmann::json(formatDate(r.state.stateTableDate)) : nlohmann::json();
        json["state-taxable-income"] = r.pay.stateTaxableIncome;
        if (r.state.recordSize >= 236) json["state-cert-amount1"] = cents(r.state.stateCertAmount1);  // by value: the field is packed
    }
    if (r.levies.computed) json["levies"] = levyJson(r.levies);
    json["computed"] = !r.failed();
    json["notes"] = explain(r);
    return json;
}

}  // namespace orla_cli
