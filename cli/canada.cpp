#include "canada.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string_view>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "batch.h"
#include "calc.h"
#include "csv.h"
#include "fields.h"

namespace orla_cli {

namespace {

enum class CaKind { Integer, Amount, Date, Province };
enum class CaTarget { Pay, Prov };

struct CaField {
    std::string_view name;        // kebab-case: the long flag and the column name
    std::string_view alias;       // a shorter flag and column name, or empty
    std::string_view recordName;  // the field's name in its record, also accepted as a column name
    CaTarget target;
    std::size_t offset;
    CaKind kind;
    std::string_view help;
};

#define PAY(field) CaTarget::Pay, offsetof(CanadaRecord, field)
#define PROV(field) CaTarget::Prov, offsetof(ProvinceRecord, field)

constexpr CaField kCaFields[] = {
    {"pay-date", "date", "payDate", PAY(payDate), CaKind::Date, ""},
    {"pay-periods", "periods", "payPeriods", PAY(payPeriods), CaKind::Integer, ""},
    {"province", "prov", "provinceCode", PROV(provinceCode), CaKind::Province,
     "province or territory: NL, NS, PE, NB, QC, ON, MB, SK, AB, BC, YT, NT, NU, or a code 0-14 (required)"},
    {"taxable-income", "income", "taxableIncome", PAY(taxableIncome), CaKind::Amount,
     "income of this pay subject to income tax, after the employee's deductions (required)"},
    {"cpp-earnings", "", "cppEarnings", PAY(cppEarnings), CaKind::Amount, "pensionable earnings of this pay (default: the taxable income)"},
    {"cpp-ytd", "", "cppYtd", PAY(cppYtd), CaKind::Amount, "pension contributions made earlier in the year, both tiers"},
    {"ei-earnings", "", "eiEarnings", PAY(eiEarnings), CaKind::Amount, "insurable earnings of this pay (default: the taxable income)"},
    {"ei-ytd", "", "eiYtd", PAY(eiYtd), CaKind::Amount, "insurance premiums paid earlier in the year"},
    {"fed-claim-amount", "", "fedClaimAmount", PAY(fedClaimAmount), CaKind::Amount,
     "total claim amount of the federal TD1 (default: the amount of claim code 1)"},
    {"fed-annual-credit", "", "fedAnnualCredit", PAY(fedAnnualCredit), CaKind::Amount, "annual amount taken off the annual federal tax"},
    {"fed-extra-per-pay", "", "fedExtraPerPay", PAY(fedExtraPerPay), CaKind::Amount, "additional federal tax of this pay"},
    {"fed-other-credits", "", "fedOtherCredits", PAY(fedOtherCredits), CaKind::Amount, "other annual federal non-refundable credits"},
    {"bonus", "", "bonus", PAY(bonus), CaKind::Amount, ""},
    {"prior-bonuses", "", "priorBonuses", PAY(priorBonuses), CaKind::Amount, "bonuses paid earlier in the year"},
    {"prov-pay-periods", "", "", PROV(payPeriods), CaKind::Integer, "pay periods for the provincial tax (default: the pay periods)"},
    {"prov-taxable-income", "", "provTaxableIncome", PROV(provTaxableIncome), CaKind::Amount,
     "income of this pay subject to provincial tax (default: the taxable income)"},
    {"prov-claim-amount", "", "provClaimAmount", PROV(provClaimAmount), CaKind::Amount,
     "total claim amount of the provincial TD1 (default: the province's claim code 1; Quebec and code 0: 0)"},
    {"prov-extra-per-pay", "", "provExtraPerPay", PROV(provExtraPerPay), CaKind::Amount, "additional provincial tax of this pay"},
    {"prov-other-credits", "", "provOtherCredits", PROV(provOtherCredits), CaKind::Amount, "other annual provincial credits"},
    {"reduction-count-a", "", "reductionCountA", PROV(reductionCountA), CaKind::Integer, "Ontario tax reduction: first count of eligible persons"},
    {"reduction-count-b", "", "reductionCountB", PROV(reductionCountB), CaKind::Integer, "Ontario tax reduction: second count"},
    {"bc-reduction-income", "", "bcReductionIncome", PROV(bcReductionIncome), CaKind::Amount,
     "British Columbia: added to the annual income for the second tax reduction"},
    {"labour-fund-amount", "", "labourFundAmount", PROV(labourFundAmount), CaKind::Amount,
     "labour-sponsored funds: the amount the credit rate applies to"},
    {"prov-bonus", "", "provBonus", PROV(provBonus), CaKind::Amount, "bonus for the provincial tax (default: the bonus)"},
    {"prov-prior-bonuses", "", "provPriorBonuses", PROV(provPriorBonuses), CaKind::Amount,
     "bonuses of the year for the provincial tax (default: the prior bonuses)"},
};

#undef PAY
#undef PROV

constexpr std::size_t kCaFieldCount = std::size(kCaFields);

struct Province {
    std::string_view abbreviation;
    std::string_view name;
};
// Code 2 has no name of its own: its claim codes are those of code 1, its rates those of code 3.
constexpr Province kProvinces[] = {
    {"", "the federal level"}, {"NL", "Newfoundland and Labrador"}, {"", "province code 2"},     {"NS", "Nova Scotia"},
    {"PE", "Prince Edward Island"}, {"NB", "New Brunswick"},        {"QC", "Quebec"},              {"ON", "Ontario"},
    {"MB", "Manitoba"},        {"SK", "Saskatchewan"},              {"AB", "Alberta"},             {"BC", "British Columbia"},
    {"YT", "Yukon"},           {"NT", "Northwest Territories"},     {"NU", "Nunavut"},
};
constexpr int kLastProvince = 14;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool parseProvince(std::string_view text, int& code) {
    text = trimmed(text);
    if (!text.empty() && text.size() <= 2 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        code = text.size() == 1 ? text[0] - '0' : (text[0] - '0') * 10 + (text[1] - '0');
        return code <= kLastProvince;
    }
    const std::string lower = lowered(text);
    if (lower == "federal" || lower == "fed") return code = 0, true;
    for (int c = 1; c <= kLastProvince; ++c)
        if (!kProvinces[c].abbreviation.empty() && lower == lowered(kProvinces[c].abbreviation)) return code = c, true;
    return false;
}

std::string provinceLabel(int code) {
    if (code >= 0 && code <= kLastProvince && !kProvinces[code].abbreviation.empty())
        return std::string(kProvinces[code].abbreviation);
    return std::to_string(code);
}

std::string provinceTitle(int code) {
    if (code < 0 || code > kLastProvince) return fmt::format("province code {}", code);
    const Province& p = kProvinces[code];
    return p.abbreviation.empty() ? std::string(p.name) : fmt::format("{} ({})", p.name, p.abbreviation);
}

const CaField* findCaField(std::string_view name) {
    for (const CaField& f : kCaFields)
        if (name == f.name || (!f.alias.empty() && name == f.alias) || (!f.recordName.empty() && name == f.recordName))
            return &f;
    return nullptr;
}

std::size_t indexOf(const CaField& f) { return static_cast<std::size_t>(&f - kCaFields); }

const CaField& caField(std::string_view name) { return *findCaField(name); }  // only names of the table

struct CanadaInput {
    CanadaRecord pay{};
    ProvinceRecord prov{};
    std::bitset<kCaFieldCount> given;
    bool fedClaimDefault = false;  // the claim amounts came from claim code 1
    bool provClaimDefault = false;

    CanadaInput() {
        pay.recordSize = sizeof pay;
        prov.recordSize = sizeof prov;
    }
    bool has(const CaField& f) const { return given.test(indexOf(f)); }
    void* address(const CaField& f) {
        auto* base = f.target == CaTarget::Pay ? reinterpret_cast<unsigned char*>(&pay) : reinterpret_cast<unsigned char*>(&prov);
        return base + f.offset;
    }
    template <class T>
    T get(const CaField& f) {
        T value;
        std::memcpy(&value, address(f), sizeof value);
        return value;
    }
    template <class T>
    void set(const CaField& f, T value) {
        std::memcpy(address(f), &value, sizeof value);
    }
};

bool setCaField(const CaField& f, std::string_view text, CanadaInput& input, std::string& error) {
    if (f.kind == CaKind::Province) {
        int code = 0;
        if (!parseProvince(text, code))
            return error = "unknown province '" + printable(trimmed(text)) +
                           "' (NL, NS, PE, NB, QC, ON, MB, SK, AB, BC, YT, NT, NU, or a code 0-14)",
                   false;
        input.set(f, code);
    } else {
        const Kind kind = f.kind == CaKind::Integer ? Kind::Integer : f.kind == CaKind::Amount ? Kind::Amount : Kind::Date;
        if (!parseValue(kind, text, input.address(f), error)) return false;
    }
    input.given.set(indexOf(f));
    return true;
}

bool isRequiredCa(const CaField& f) {
    return f.name == "pay-date" || f.name == "pay-periods" || f.name == "province" || f.name == "taxable-income";
}

// The amount of claim code 1 (the basic personal amount) of a level on a date; where it falls with income,
// for the net income given.
bool basicClaim(int province, const CalcDate& date, double netIncome, double& amount) {
    ClaimCodeRecord cc{};
    cc.recordSize = sizeof cc;
    cc.infoDate = date;
    cc.provinceCode = province;
    cc.claimCode = 1;
    cc.netIncome = netIncome;
    if (ORLA_Canada_Get_CC(0, &cc) != 0 || cc.status != 0) return false;
    amount = cc.claimAmount;
    return true;
}

// Fills the fields left out from those they mirror and the claim amounts from claim code 1, then checks
// that the pay can be calculated: false with a message when a required field is missing.
bool completeCanada(CanadaInput& input, std::string& error) {
    struct Mirror {
        const CaField& target;
        const CaField& source;
    };
    static const Mirror kMirrors[] = {
        {caField("cpp-earnings"), caField("taxable-income")},  {caField("ei-earnings"), caField("taxable-income")},
        {caField("prov-taxable-income"), caField("taxable-income")}, {caField("prov-pay-periods"), caField("pay-periods")},
        {caField("prov-bonus"), caField("bonus")},              {caField("prov-prior-bonuses"), caField("prior-bonuses")},
    };
    for (const CaField& f : kCaFields)
        if (isRequiredCa(f) && !input.has(f)) return error = std::string(f.name) + " is missing", false;
    for (const Mirror& m : kMirrors) {
        if (input.has(m.target)) continue;
        if (m.target.kind == CaKind::Amount) input.set(m.target, input.get<double>(m.source));
        else input.set(m.target, input.get<int>(m.source));
    }
    input.prov.payDate = input.pay.payDate;

    // The expected net income, for the levels whose basic amount falls with income: the year's income.
    const CanadaRecord& pay = input.pay;
    const ProvinceRecord& prov = input.prov;
    const CalcDate date = pay.payDate;
    input.fedClaimDefault = !input.has(caField("fed-claim-amount"));
    if (input.fedClaimDefault &&
        !basicClaim(ORLA_CA_FEDERAL, date, pay.payPeriods * pay.taxableIncome + pay.priorBonuses + pay.bonus, input.pay.fedClaimAmount))
        return error = "fed-claim-amount is missing: no claim codes cover " + formatDate(date) +
                       " (the default is the amount of claim code 1)",
               false;
    input.provClaimDefault = !input.has(caField("prov-claim-amount"));
    if (input.provClaimDefault) {
        const int code = prov.provinceCode;
        if (code == ORLA_CA_QC || code == ORLA_CA_FEDERAL) {
            input.prov.provClaimAmount = 0;  // no provincial claim codes
        } else if (!basicClaim(code, date, prov.payPeriods * prov.provTaxableIncome + prov.provPriorBonuses + prov.provBonus,
                               input.prov.provClaimAmount)) {
            return error = "prov-claim-amount is missing: no claim codes of " + provinceLabel(code) + " cover " +
                           formatDate(date) + " (the default is the amount of claim code 1)",
                   false;
        }
    }
    return true;
}

struct CanadaResult {
    CanadaRecord pay{};
    ProvinceRecord prov{};
    int result = 0;
    bool fedClaimDefault = false;
    bool provClaimDefault = false;

    bool failed() const { return result != 0 || pay.status != 0 || prov.status != 0; }
};

CanadaResult calculateCanada(const CanadaInput& input) {
    CanadaResult r;
    r.pay = input.pay;
    r.prov = input.prov;
    r.fedClaimDefault = input.fedClaimDefault;
    r.provClaimDefault = input.provClaimDefault;
    r.result = ORLA_Canada_Calc(0, &r.pay, &r.prov);
    return r;
}

std::int64_t cents(double amount) {
    const double scaled = amount * 100.0;
    return static_cast<std::int64_t>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
}

std::string money(std::int64_t value) {
    std::string text;
    appendAmount(text, static_cast<double>(value) / 100.0);
    return text;
}

// The amounts of a pay, in cents, in the order of kCaAmountNames.
constexpr std::size_t kCaAmountCount = 12;
constexpr std::array<std::string_view, kCaAmountCount> kCaAmountNames = {
    "taxable-income", "bonus",         "cpp-contribution", "ei-premium", "fed-tax",  "prov-tax",
    "income-tax",     "bonus-fed-tax", "bonus-prov-tax",   "bonus-cpp",  "bonus-ei", "withheld"};
constexpr std::array<std::string_view, kCaAmountCount> kCaTableTitles = {
    "income", "bonus", "CPP", "EI", "federal", "provincial", "income tax", "fed bonus", "prov bonus", "CPP bonus", "EI bonus", "withheld"};

std::array<std::int64_t, kCaAmountCount> amountsOf(const CanadaResult& r) {
    const std::int64_t incomeTax = cents(r.pay.incomeTaxPerPay);
    const std::int64_t fedTax = cents(r.pay.fedTaxPerPay);
    std::array<std::int64_t, kCaAmountCount> a = {cents(r.pay.taxableIncome),
                                                  cents(r.pay.bonus),
                                                  cents(r.pay.cppContribution),
                                                  cents(r.pay.eiPremium),
                                                  fedTax,
                                                  incomeTax - fedTax,  // the provincial share of the rounded total
                                                  incomeTax,
                                                  cents(r.pay.bonusFedTax),
                                                  cents(r.prov.provBonusTax),
                                                  cents(r.pay.bonusCpp),
                                                  cents(r.pay.bonusEi),
                                                  0};
    a[11] = a[2] + a[3] + a[6] + a[7] + a[8] + a[9] + a[10];
    return a;
}

// The statuses in words.
std::string federalWords(const CanadaResult& r) {
    const CanadaRecord& pay = r.pay;
    if (pay.status == 0 && r.result == 0) return "computed";
    if (pay.status == 0) return "computed; the provincial part failed";
    if (pay.payPeriods < 1) return "not computed: pay periods must be at least 1";
    if (pay.cppYtd < 0) return "not computed: the pension contributions to date (cpp-ytd) are below 0";
    const double annual = pay.payPeriods * pay.taxableIncome + pay.priorBonuses;
    if (annual < 0 || annual + pay.bonus < 0)
        return fmt::format("no federal bracket holds an annual income below 0 ({:.2f})", std::min(annual, annual + pay.bonus));
    return "no federal, pension or insurance table row covers " + formatDate(pay.payDate);
}

std::string provincialWords(const CanadaResult& r) {
    const ProvinceRecord& prov = r.prov;
    if (r.pay.status != 0) return "not computed";
    if (prov.status == 0) return "computed";
    if (prov.payPeriods < 1) return "not computed: provincial pay periods must be at least 1";
    const double annual = prov.payPeriods * prov.provTaxableIncome + prov.provPriorBonuses;
    if (annual < 0 || annual + prov.provBonus < 0)
        return fmt::format("no provincial bracket holds an annual income below 0 ({:.2f})",
                           std::min(annual, annual + prov.provBonus));
    if (prov.provinceCode == ORLA_CA_QC)
        return "no provincial rows are carried for this province and year (Quebec income tax is withheld apart, and no "
               "Quebec rates are carried for 2024 to 2026)";
    return "no provincial rows are carried for this province and year";
}

std::vector<std::string> explainCanada(const CanadaResult& r) {
    std::vector<std::string> notes;
    if (r.pay.status != 0) notes.push_back(federalWords(r));
    else if (r.prov.status != 0 || r.result != 0) notes.push_back(provinceLabel(r.prov.provinceCode) + ": " + provincialWords(r));
    return notes;
}

std::string joined(const std::vector<std::string>& notes) {
    std::string text;
    for (const std::string& note : notes) text += (text.empty() ? "" : "; ") + note;
    return text;
}

std::string jsonText(std::string_view text) { return nlohmann::json(std::string(text)).dump(); }

std::string csvText(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

struct CaTotals {
    std::array<std::int64_t, kCaAmountCount> cents{};
    std::int64_t pays = 0;
    std::int64_t failedPays = 0;
    std::int64_t badRows = 0;
    std::int64_t skippedLines = 0;

    void add(const CanadaResult& r) {
        if (r.failed()) {
            ++failedPays;
            return;
        }
        const auto a = amountsOf(r);
        for (std::size_t i = 0; i < kCaAmountCount; ++i) cents[i] += a[i];
        ++pays;
    }
};

constexpr int kLineWidth = 6;
constexpr int kIdWidth = 10;
constexpr int kDateWidth = 10;
constexpr int kProvinceWidth = 5;
constexpr int kAmountWidth = 11;

class CaWriter {
public:
    CaWriter(Format format, bool withId) : format_(format), withId_(withId) {}

    std::string header() const {
        std::string out;
        switch (format_) {
            case Format::Table:
                out = fmt::format("{:>{}} ", "line", kLineWidth);
                if (withId_) out += fmt::format("{:<{}} ", "id", kIdWidth);
                out += fmt::format("{:<{}}{:>{}}", "date", kDateWidth, "prov", kProvinceWidth + 1);
                for (std::string_view title : kCaTableTitles) out += fmt::format("{:>{}}", title, kAmountWidth);
                out += "  notes\n";
                break;
            case Format::Csv:
                out = "line,id,pay-date,province";
                for (std::string_view name : kCaAmountNames) out.append(",").append(name);
                out += ",status,prov-status,notes\n";
                break;
            case Format::Json:
                out = "{\"pays\": [";
                break;
        }
        return out;
    }

    void row(std::string& out, long line, std::string_view id, const CanadaResult& r, bool first) const {
        const auto a = amountsOf(r);
        const std::string province = provinceLabel(r.prov.provinceCode);
        const std::string notes = r.failed() ? joined(explainCanada(r)) : std::string();
        switch (format_) {
            case Format::Table:
                out += fmt::format("{:>{}} ", line, kLineWidth);
                if (withId_) out += fmt::format("{:<{}} ", id, kIdWidth);
                out += fmt::format("{:<{}}{:>{}}", formatDate(r.pay.payDate), kDateWidth, province, kProvinceWidth + 1);
                for (std::int64_t value : a) out += fmt::format(" {:>{}}", money(value), kAmountWidth - 1);
                if (!notes.empty()) out += "  " + notes;
                out += '\n';
                break;
            case Format::Csv:
                out += fmt::format("{},{},{},{}", line, csvText(id), formatDate(r.pay.payDate), province);
                for (std::int64_t value : a) out += "," + money(value);
                out += fmt::format(",{},{},{}\n", r.pay.status, r.prov.status, csvText(notes));
                break;
            case Format::Json: {
                out += fmt::format("{}\n  {{\"line\": {}, \"id\": {}, \"pay-date\": \"{}\", \"province\": {}", first ? "" : ",",
                                   line, jsonText(id), formatDate(r.pay.payDate), jsonText(province));
                for (std::size_t i = 0; i < kCaAmountCount; ++i) out += fmt::format(", \"{}\": {}", kCaAmountNames[i], money(a[i]));
                out += fmt::format(", \"status\": {}, \"prov-status\": {}, \"notes\": {}}}", r.pay.status, r.prov.status,
                                   nlohmann::json(r.failed() ? explainCanada(r) : std::vector<std::string>{}).dump());
                break;
            }
        }
    }

    std::string footer(const CaTotals& t) const {
        std::string out;
        switch (format_) {
            case Format::Table:
                out.append(static_cast<std::size_t>(kLineWidth + 1 + (withId_ ? kIdWidth + 1 : 0) + kDateWidth + kProvinceWidth + 1 +
                                                    kAmountWidth * static_cast<int>(kCaAmountCount)),
                           '-');
                out += fmt::format("\n{:>{}} ", "total", kLineWidth);
                if (withId_) out.append(static_cast<std::size_t>(kIdWidth + 1), ' ');
                out.append(static_cast<std::size_t>(kDateWidth + kProvinceWidth + 1), ' ');
                for (std::int64_t value : t.cents) out += fmt::format(" {:>{}}", money(value), kAmountWidth - 1);
                out += fmt::format("\n{} pays: {} computed, {} failed (left out of the totals); {} bad rows", t.pays + t.failedPays,
                                   t.pays, t.failedPays, t.badRows);
                if (t.skippedLines > 0) out += fmt::format("; {} blank or comment lines skipped", t.skippedLines);
                out += '\n';
                break;
            case Format::Csv: {
                out = "total,,,";
                for (std::int64_t value : t.cents) out += "," + money(value);
                std::string notes;
                if (t.failedPays > 0) notes = fmt::format("totals leave out {} failed pays", t.failedPays);
                if (t.skippedLines > 0)
                    notes += fmt::format("{}{} blank or comment lines skipped", notes.empty() ? "" : "; ", t.skippedLines);
                out += ",,," + notes + "\n";
                break;
            }
            case Format::Json:
                out = "\n],\n\"totals\": {";
                for (std::size_t i = 0; i < kCaAmountCount; ++i)
                    out += fmt::format("{}\"{}\": {}", i > 0 ? ", " : "", kCaAmountNames[i], money(t.cents[i]));
                out += fmt::format("}},\n\"pays-computed\": {}, \"pays-failed\": {}, \"bad-rows\": {}, \"lines-skipped\": {}}}\n",
                                   t.pays, t.failedPays, t.badRows, t.skippedLines);
                break;
        }
        return out;
    }

private:
    Format format_;
    bool withId_;
};

std::string describeCanada(const CanadaResult& r) {
    const CanadaRecord& pay = r.pay;
    const ProvinceRecord& prov = r.prov;
    const auto a = amountsOf(r);
    std::string out = fmt::format("Canadian pay of {}, {} pay periods a year, {}\n", formatDate(pay.payDate), pay.payPeriods,
                                  provinceTitle(prov.provinceCode));
    out += fmt::format("Claim amounts: federal {}{}, provincial {}{}\n", money(cents(pay.fedClaimAmount)),
                       r.fedClaimDefault ? " (claim code 1)" : "", money(cents(prov.provClaimAmount)),
                       r.provClaimDefault ? (prov.provinceCode == ORLA_CA_QC || prov.provinceCode == 0 ? " (none given)" : " (claim code 1)")
                                          : "");
    const auto line = [&out](std::string_view label, std::string earnings, std::int64_t amount) {
        out += fmt::format("  {:<36}{:>13}{:>13}\n", label, earnings, money(amount));
    };
    out += fmt::format("\n  {:<36}{:>13}{:>13}\n", "", "earnings", "per pay");
    line("Pension contribution (CPP)", money(cents(pay.cppEarnings)), a[2]);
    line("Employment insurance premium", money(cents(pay.eiEarnings)), a[3]);
    line("Federal income tax", money(a[0]), a[4]);
    line(fmt::format("Provincial income tax ({})", provinceLabel(prov.provinceCode)), money(cents(prov.provTaxableIncome)), a[5]);
    line("Income tax", "", a[6]);
    if (pay.bonus != 0 || prov.provBonus != 0) {
        line("Federal tax on the bonus", money(a[1]), a[7]);
        line("Provincial tax on the bonus", money(cents(prov.provBonus)), a[8]);
        line("Pension contribution on the bonus", money(a[1]), a[9]);
        line("Insurance premium on the bonus", money(a[1]), a[10]);
    }
    line("Total withheld", "", a[11]);
    out += "\n";
    out += fmt::format("  Annual federal tax      {}\n", money(cents(pay.fedAnnualTax)));
    out += fmt::format("  Annual provincial tax   {}\n", money(cents(prov.provAnnualTax)));
    out += fmt::format("  Status             {:>3}  {}\n", pay.status, federalWords(r));
    out += fmt::format("  Provincial status  {:>3}  {}\n", prov.status, provincialWords(r));
    for (const std::string& note : explainCanada(r)) out += fmt::format("  * {}\n", note);
    if (r.failed()) out += "  The pay could not be computed in full: its amounts are not what it withholds.\n";
    return out;
}

nlohmann::json canadaJson(const CanadaResult& r) {
    const auto a = amountsOf(r);
    nlohmann::json json;
    json["pay-date"] = formatDate(r.pay.payDate);
    json["pay-periods"] = r.pay.payPeriods;
    json["province"] = provinceLabel(r.prov.provinceCode);
    json["province-code"] = r.prov.provinceCode;
    for (std::size_t i = 0; i < kCaAmountCount; ++i) json[std::string(kCaAmountNames[i])] = static_cast<double>(a[i]) / 100.0;
    json["fed-claim-amount"] = static_cast<double>(cents(r.pay.fedClaimAmount)) / 100.0;
    json["prov-claim-amount"] = static_cast<double>(cents(r.prov.provClaimAmount)) / 100.0;
    json["fed-annual-tax"] = static_cast<double>(cents(r.pay.fedAnnualTax)) / 100.0;
    json["prov-annual-tax"] = static_cast<double>(cents(r.prov.provAnnualTax)) / 100.0;
    json["status"] = r.pay.status;
    json["prov-status"] = r.prov.status;
    json["computed"] = !r.failed();
    json["notes"] = explainCanada(r);
    return json;
}

// ---- batch ------------------------------------------------------------------------------------------

struct CaLayout {
    std::vector<const CaField*> columns;  // null: the id column
    int idColumn = -1;
};

bool isBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

bool parseCaHeader(std::string_view line, CaLayout& layout, std::string& error) {
    std::vector<std::string_view> cells;
    std::string unquoted;
    if (const int column = splitCsvLine(line, cells, unquoted); column != 0)
        return error = fmt::format("column {}: malformed quotes", column), false;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string name(trimmed(cells[i]));
        const CaField* field = findCaField(name);
        if (field == nullptr) {
            // Spreadsheets like TAXABLE_INCOME or Taxable Income.
            std::string normalised = lowered(name);
            std::replace_if(normalised.begin(), normalised.end(), [](char c) { return c == '_' || c == ' '; }, '-');
            field = findCaField(normalised);
            if (field == nullptr && normalised == "id") {
                if (layout.idColumn >= 0) return error = fmt::format("column {}: 'id' appears twice", i + 1), false;
                layout.idColumn = static_cast<int>(i);
            } else if (field == nullptr) {
                return error = fmt::format("column {}: unknown column '{}'", i + 1, printable(name)), false;
            }
        }
        if (field != nullptr && std::find(layout.columns.begin(), layout.columns.end(), field) != layout.columns.end())
            return error = fmt::format("column {}: '{}' repeats column '{}'", i + 1, printable(name), field->name), false;
        layout.columns.push_back(field);
    }
    return true;
}

bool parseCaRow(std::string_view line, const CaLayout& layout, const CanadaInput& defaults, CanadaInput& input, std::string& id,
                std::string& error) {
    std::vector<std::string_view> cells;
    std::string unquoted;
    if (const int column = splitCsvLine(line, cells, unquoted); column != 0)
        return error = fmt::format("column {}: malformed quotes", column), false;
    if (cells.size() != layout.columns.size())
        return error = fmt::format("{} columns where the header has {}", cells.size(), layout.columns.size()), false;
    input = defaults;
    id.clear();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string_view cell = cells[i];
        if (static_cast<int>(i) == layout.idColumn) {
            if (const std::size_t bad = invalidUtf8(cell); bad != std::string_view::npos)
                return error = fmt::format("column {} (id): '{}' is not UTF-8 text (byte {}); save the file as UTF-8", i + 1,
                                           printable(cell), bad + 1),
                       false;
            id = cell;
            continue;
        }
        if (isBlank(cell)) continue;  // the flag's value or the default
        const CaField& field = *layout.columns[i];
        if (!setCaField(field, cell, input, error))
            return error = fmt::format("column {} ({}): {}", i + 1, field.name, error), false;
    }
    return completeCanada(input, error);
}

int runCanadaBatch(std::FILE* in, std::FILE* out, std::FILE* errors, const std::string& source, Format format,
                   const CanadaInput& defaults) {
    CaTotals totals;
    std::unique_ptr<CaWriter> writer;
    CaLayout layout;
    std::string pending;  // input not yet split into lines
    std::string output;
    bool writeFailed = false;
    bool first = true;
    long lineNumber = 0;
    const auto flush = [&] {
        if (!writeFailed && !output.empty() && std::fwrite(output.data(), 1, output.size(), out) != output.size()) writeFailed = true;
        output.clear();
    };
    const auto handle = [&](std::string_view text) -> int {
        ++lineNumber;
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        if (lineNumber == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        if (writer == nullptr) {
            // The header is the first line that is neither blank nor a comment.
            if (isBlank(text) || text.starts_with('#')) {
                ++totals.skippedLines;
                return 0;
            }
            std::string error;
            if (!parseCaHeader(text, layout, error)) {
                fmt::print(errors, "{}:{}: {}\n", source, lineNumber, error);
                return kExitUsage;
            }
            for (const CaField& f : kCaFields)
                if (isRequiredCa(f) && !defaults.has(f) && std::find(layout.columns.begin(), layout.columns.end(), &f) == layout.columns.end()) {
                    fmt::print(errors, "{}:{}: no column {}: it is required (or give --{} for every row)\n", source, lineNumber, f.name,
                               f.name);
                    return kExitUsage;
                }
            writer = std::make_unique<CaWriter>(format, layout.idColumn >= 0);
            output += writer->header();
            return 0;
        }
        if (isBlank(text)) {
            ++totals.skippedLines;
            return 0;
        }
        CanadaInput input;
        std::string id;
        std::string error;
        if (!parseCaRow(text, layout, defaults, input, id, error)) {
            fmt::print(errors, "{}:{}: {}\n", source, lineNumber, error);
            ++totals.badRows;
            return 0;
        }
        const CanadaResult result = calculateCanada(input);
        writer->row(output, lineNumber, id, result, first);
        first = false;
        totals.add(result);
        if (result.failed())
            fmt::print(errors, "{}:{}: pay failed, left out of the totals: {}\n", source, lineNumber, joined(explainCanada(result)));
        if (output.size() > (1u << 16)) flush();
        return 0;
    };

    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        pending.append(buffer, got);
        std::size_t start = 0;
        for (std::size_t newline; (newline = pending.find('\n', start)) != std::string::npos; start = newline + 1)
            if (const int status = handle(std::string_view(pending).substr(start, newline - start)); status != 0) return status;
        pending.erase(0, start);
        if (writeFailed) break;
    }
    if (!pending.empty() && !writeFailed)
        if (const int status = handle(pending); status != 0) return status;
    if (std::ferror(in)) {
        flush();
        fmt::print(errors, "{}: read error after line {}\n", source, lineNumber);
        return kExitUsage;
    }
    if (writer == nullptr) {
        fmt::print(errors, "{}: empty: no header line\n", source);
        return kExitUsage;
    }
    output += writer->footer(totals);
    flush();
    if (std::fflush(out) != 0 || std::ferror(out)) writeFailed = true;
    if (writeFailed) {
        fmt::print(errors, "orla-calc: cannot write the results: {}\n", std::strerror(errno));
        return kExitUsage;
    }
    if (totals.failedPays > 0 || totals.badRows > 0) {
        std::string summary;
        if (totals.badRows > 0) summary = fmt::format("{} bad rows skipped", totals.badRows);
        if (totals.failedPays > 0)
            summary += fmt::format("{}{} pays failed (left out of the totals)", summary.empty() ? "" : ", ", totals.failedPays);
        fmt::print(errors, "{}: {}\n", source, summary);
        return kExitIncomplete;
    }
    return kExitOk;
}

// ---- claim codes ------------------------------------------------------------------------------------

CalcDate today() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    return CalcDate{parts.tm_mon + 1, parts.tm_mday, parts.tm_year + 1900};
}

int printClaimCodes(const std::string& which, const CalcDate& date, double netIncome, Format format) {
    int province = 0;
    if (!parseProvince(which, province)) {
        fmt::print(stderr, "orla-calc: --claim-codes: unknown province '{}' (federal, NL, NS, PE, NB, QC, ON, MB, SK, AB, BC, YT, NT, NU, "
                           "or a code 0-14)\n",
                   printable(which));
        return kExitUsage;
    }
    constexpr int kCodes = 11;
    ClaimCodeRecord codes[kCodes];
    for (int n = 0; n < kCodes; ++n) {
        ClaimCodeRecord& cc = codes[n];
        cc = ClaimCodeRecord{};
        cc.recordSize = sizeof cc;
        cc.infoDate = date;
        cc.provinceCode = province;
        cc.claimCode = n;
        cc.netIncome = netIncome;
        if (ORLA_Canada_Get_CC(0, &cc) != 0 || cc.status != 0) {
            fmt::print(stderr, "orla-calc: --claim-codes: no claim codes of {} cover {}{}\n", provinceTitle(province), formatDate(date),
                       province == ORLA_CA_QC ? " (Quebec has a claim form of its own)" : "");
            return kExitUsage;
        }
    }
    const auto amount = [](double value) { return money(cents(value)); };
    if (format == Format::Json) {
        nlohmann::json json;
        json["province"] = provinceLabel(province);
        json["date"] = formatDate(date);
        json["net-income"] = netIncome;
        json["codes"] = nlohmann::json::array();
        for (int n = 0; n < kCodes; ++n)
            json["codes"].push_back({{"claim-code", n}, {"range-low", codes[n].rangeLow}, {"range-high", codes[n].rangeHigh},
                                     {"claim-amount", codes[n].claimAmount}});
        fmt::print("{}\n", json.dump(2));
    } else if (format == Format::Csv) {
        fmt::print("claim-code,range-low,range-high,claim-amount\n");
        for (int n = 0; n < kCodes; ++n)
            fmt::print("{},{},{},{}\n", n, amount(codes[n].rangeLow), amount(codes[n].rangeHigh), amount(codes[n].claimAmount));
    } else {
        fmt::print("Claim codes of {} on {}{}\n", provinceTitle(province), formatDate(date),
                   netIncome != 0 ? fmt::format(", net income {}", amount(netIncome)) : std::string());
        fmt::print("{:>4} {:>12} {:>12} {:>14}\n", "code", "claim from", "to", "claim amount");
        for (int n = 0; n < kCodes; ++n)
            fmt::print("{:>4} {:>12} {:>12} {:>14}\n", n, amount(codes[n].rangeLow), amount(codes[n].rangeHigh),
                       amount(codes[n].claimAmount));
    }
    return kExitOk;
}

std::string optionName(const CLI::Option* option) {
    return option->get_lnames().empty() ? option->get_name() : "--" + option->get_lnames().front();
}

}  // namespace

void addCanadaOptions(CLI::App& app, CanadaOptions& canada) {
    const std::string group = "Canadian pays (--country CA)";
    app.add_option("--country", canada.country, "US, the default, or CA: a Canadian pay or batch, with the flags below")
        ->transform(CLI::IsMember({"US", "CA"}, CLI::ignore_case));
    app.add_option("--claim-codes", canada.claimCodes,
                   "print the claim codes 0-10 of a province (or federal) on --date (default today), with --net-income")
        ->group(group);
    app.add_option("--net-income", canada.netIncome, "with --claim-codes: the expected net income, where the basic amount falls with it")
        ->group(group);
    canada.values.assign(kCaFieldCount, std::string());
    canada.options.assign(kCaFieldCount, nullptr);
    for (const CaField& f : kCaFields) {
        const std::size_t i = indexOf(f);
        // The flags of a US pay with the same meaning serve both (--pay-date, --pay-periods, --bonus).
        if (CLI::Option* shared = app.get_option_no_throw("--" + std::string(f.name))) {
            canada.options[i] = shared;
            continue;
        }
        std::string names = "--" + std::string(f.name);
        if (!f.alias.empty() && app.get_option_no_throw("--" + std::string(f.alias)) == nullptr) names += ",--" + std::string(f.alias);
        canada.options[i] = app.add_option(names, canada.values[i], std::string(f.help))->group(group);
    }
}

bool runCanada(CLI::App& app, CanadaOptions& canada, const std::string& file, Format format, int& status) {
    const bool canadian = canada.country == "CA" || !canada.claimCodes.empty();
    const CLI::Option* netIncome = app.get_option_no_throw("--net-income");
    if (!canadian) {
        for (std::size_t i = 0; i < kCaFieldCount; ++i) {
            const CLI::Option* option = canada.options[i];
            // The options of the US pays serve both; those added for the Canadian pays need --country CA.
            if (option->count() > 0 && option->get_group() == "Canadian pays (--country CA)") {
                fmt::print(stderr, "orla-calc: {} needs --country CA\n", optionName(option));
                return status = kExitUsage, true;
            }
        }
        if (netIncome->count() > 0) {
            fmt::print(stderr, "orla-calc: --net-income goes with --claim-codes\n");
            return status = kExitUsage, true;
        }
        return false;
    }

    // A flag of the US pays only is a mistake here, not something to ignore.
    for (const CLI::Option* option : app.get_options()) {
        if (option->count() == 0) continue;
        const bool allowed = std::find(canada.options.begin(), canada.options.end(), option) != canada.options.end() ||
                             option == netIncome || option->check_name("--country") || option->check_name("--claim-codes") ||
                             option->check_name("--format") || option->check_name("--jobs") || option->check_name("file");
        if (!allowed) {
            fmt::print(stderr, "orla-calc: {} does not apply to Canadian pays\n", optionName(option));
            return status = kExitUsage, true;
        }
    }

    CanadaInput defaults;
    for (std::size_t i = 0; i < kCaFieldCount; ++i) {
        CLI::Option* option = canada.options[i];
        if (option->count() == 0) continue;
        std::string error;
        if (!setCaField(kCaFields[i], option->as<std::string>(), defaults, error)) {
            fmt::print(stderr, "orla-calc: --{}: {}\n", kCaFields[i].name, error);
            return status = kExitUsage, true;
        }
    }

    if (!canada.claimCodes.empty()) {
        double income = 0;
        if (!canada.netIncome.empty() && !parseValue(Kind::Amount, canada.netIncome, &income, canada.netIncome)) {
            fmt::print(stderr, "orla-calc: --net-income: {}\n", canada.netIncome);
            return status = kExitUsage, true;
        }
        const CaField& date = caField("pay-date");
        status = printClaimCodes(canada.claimCodes, defaults.has(date) ? defaults.pay.payDate : today(), income, format);
        return true;
    }
    if (netIncome->count() > 0) {
        fmt::print(stderr, "orla-calc: --net-income goes with --claim-codes\n");
        return status = kExitUsage, true;
    }

    if (!file.empty()) {
        std::FILE* in = file == "-" ? stdin : std::fopen(file.c_str(), "rb");
        if (in == nullptr) {
            fmt::print(stderr, "orla-calc: cannot open {}: {}\n", file, std::strerror(errno));
            return status = kExitUsage, true;
        }
        status = runCanadaBatch(in, stdout, stderr, file == "-" ? "<stdin>" : file, format, defaults);
        if (in != stdin) std::fclose(in);
        return true;
    }

    if (defaults.given.none()) {
        fmt::print(stderr, "orla-calc: nothing to calculate: give a pay (--date, --periods, --province, --taxable-income, ...) or a CSV file; "
                           "see --help\n");
        return status = kExitUsage, true;
    }
    std::string error;
    if (!completeCanada(defaults, error)) {
        fmt::print(stderr, "orla-calc: --{}\n", error);
        return status = kExitUsage, true;
    }
    const CanadaResult result = calculateCanada(defaults);
    if (format == Format::Json) {
        fmt::print("{}\n", canadaJson(result).dump(2));
    } else if (format == Format::Csv) {
        const CaWriter writer(Format::Csv, false);
        std::string out = writer.header();
        writer.row(out, 1, "", result, true);
        fmt::print("{}", out);
    } else {
        fmt::print("{}", describeCanada(result));
    }
    if (result.failed()) {
        fmt::print(stderr, "orla-calc: the pay failed: {}\n", joined(explainCanada(result)));
        return status = kExitIncomplete, true;
    }
    return status = kExitOk, true;
}

}  // namespace orla_cli
