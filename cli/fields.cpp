#include "fields.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "local.h"

namespace orla_cli {

namespace {

#define PAY(field) Target::Pay, offsetof(PayRecord, field)
#define STATE(field) Target::State, offsetof(StateRecord, field)

constexpr Field kFields[] = {
    // The pay and the federal elections.
    {"pay-date", "date", "payDate", PAY(payDate), Kind::Date, "pay date, YYYY-MM-DD (required)"},
    {"pay-periods", "periods", "payPeriods", PAY(payPeriods), Kind::Integer, "pay periods in a year: 52, 26, 24, 12, 4, 2, 1 (required)"},
    {"fed-wages", "wages", "fedWages", PAY(fedWages), Kind::Amount, "federal taxable wages of this pay (required); with --gross-up net the desired net pay"},
    {"fed-filing-status", "status", "fedFilingStatus", PAY(fedFilingStatus), Kind::FedFilingStatus, "single, married, head-of-household, married-single-rate, or a code (default single)"},
    {"fed-allowances", "allowances", "fedAllowances", PAY(fedAllowances), Kind::Integer, "allowances of a Form W-4 from before 2020"},
    {"fed-extra-withholding", "", "fedExtraWithholding", PAY(fedExtraWithholding), Kind::Amount, "additional federal withholding of this pay"},
    {"fed-exempt", "", "fedExempt", PAY(fedExempt), Kind::Switch, "exempt from federal income tax"},
    {"w4-form2020", "w4-2020", "w4Form2020", PAY(w4Form2020), Kind::Switch, "Form W-4 of 2020 or later"},
    {"w4-multiple-jobs", "", "w4MultipleJobs", PAY(w4MultipleJobs), Kind::Switch, "Form W-4 Step 2 box marked"},
    {"w4-credits", "", "w4Credits", PAY(w4Credits), Kind::Amount, "Form W-4 Step 3 credits, annual"},
    {"w4-other-income", "", "w4OtherIncome", PAY(w4OtherIncome), Kind::Amount, "Form W-4 Step 4(a) other income, annual"},
    {"w4-deductions", "", "w4Deductions", PAY(w4Deductions), Kind::Amount, "Form W-4 Step 4(b) deductions, annual"},
    {"nonresident-alien", "", "nonresidentAlien", PAY(nonresidentAlien), Kind::Switch, "nonresident alien"},
    {"fica-wages", "", "ficaWages", PAY(ficaWages), Kind::Amount, "wages subject to social security and Medicare (default: the federal wages)"},
    {"ss-exempt", "", "ssExempt", PAY(ssExempt), Kind::Switch, "no social security tax"},
    {"ss-ytd-wages", "", "ssYtdWages", PAY(ssYtdWages), Kind::Amount, "social security wages paid earlier in the year"},
    {"medicare-exempt", "", "medicareExempt", PAY(medicareExempt), Kind::Switch, "no Medicare tax"},
    {"medicare-ytd-wages", "", "medicareYtdWages", PAY(medicareYtdWages), Kind::Amount, "Medicare wages paid earlier in the year (default: the social security ones)"},
    {"supp-wages", "bonus", "suppWages", PAY(suppWages), Kind::Amount, "supplemental wages (bonus); with --gross-up bonus the desired net bonus (then required)"},
    {"supp-ytd-wages", "", "suppYtdWages", PAY(suppYtdWages), Kind::Amount, "supplemental wages paid earlier in the year"},
    {"supp-aggregate", "", "suppAggregate", PAY(suppAggregate), Kind::Switch, "federal tax on the bonus by the aggregate method instead of the flat rate"},
    {"record-size", "", "recordSize", PAY(recordSize), Kind::PayRecordSize, "declared PayRecord size (default: the full record)"},
    // The jurisdiction and the state elections.
    {"state-code", "state", "stateCode", STATE(stateCode), Kind::Jurisdiction, "jurisdiction: postal abbreviation (CA) or code 1-59 (required unless --mode federal or employer)"},
    {"state-wages", "", "stateWages", STATE(stateWages), Kind::Amount, "state taxable wages (default: the federal wages)"},
    {"state-pay-periods", "", "statePayPeriods", STATE(statePayPeriods), Kind::Integer, "pay periods for the state (default: the pay periods)"},
    {"state-filing-status", "", "stateFilingStatus", STATE(stateFilingStatus), Kind::Integer, "state filing status, in the state's own coding (--list-statuses STATE lists them)"},
    {"state-allowances", "", "stateAllowances", STATE(stateAllowances), Kind::Integer, "state allowances or exemptions"},
    {"state-extra-withholding", "", "stateExtraWithholding", STATE(stateExtraWithholding), Kind::Amount, "additional state withholding of this pay"},
    {"state-supp-wages", "", "stateSuppWages", STATE(stateSuppWages), Kind::Amount, "state supplemental wages (default: the supplemental wages)"},
    {"state-supp-aggregate", "", "stateSuppAggregate", STATE(stateSuppAggregate), Kind::Integer, "1: state tax on the bonus by the aggregate method"},
    {"state-supp-kind", "", "stateSuppKind", STATE(stateSuppKind), Kind::Integer, "California: 0 bonus or stock options, else other supplemental wages"},
    {"state-percent", "", "statePercent", STATE(statePercent), Kind::Amount, "Arizona: elected withholding percentage"},
    {"state-estimated-allowances", "", "stateEstimatedAllowances", STATE(stateEstimatedAllowances), Kind::Integer, "California: allowances for estimated deductions"},
    {"state-withholding-code", "", "stateWithholdingCode", STATE(stateWithholdingCode), Kind::Integer, "Connecticut: withholding code"},
    {"state-reduced-withholding", "", "stateReducedWithholding", STATE(stateReducedWithholding), Kind::Amount, "Connecticut: reduced withholding"},
    {"state-dependent-allowances", "", "stateDependentAllowances", STATE(stateDependentAllowances), Kind::Integer, "Georgia: dependent allowances"},
    {"state-dependency-credits", "", "stateDependencyCredits", STATE(stateDependencyCredits), Kind::Integer, "Louisiana: dependency credits"},
    {"state-head-of-household", "", "stateHeadOfHousehold", STATE(stateHeadOfHousehold), Kind::Integer, "Massachusetts: head of household"},
    {"state-blind", "", "stateBlind", STATE(stateBlind), Kind::Integer, "Massachusetts: blind"},
    {"state-spouse-blind", "", "stateSpouseBlind", STATE(stateSpouseBlind), Kind::Integer, "Massachusetts: spouse blind"},
    {"state-exempt", "", "stateExempt", STATE(stateExempt), Kind::Integer, "Massachusetts: exempt"},
    {"state-rate-table", "", "stateRateTable", STATE(stateRateTable), Kind::Integer, "New Jersey: rate table"},
    {"state-dependents", "", "stateDependents", STATE(stateDependents), Kind::Integer, "Alabama: dependents"},
    {"state-exemption-amount", "", "stateExemptionAmount", STATE(stateExemptionAmount), Kind::Amount, "Mississippi: exemption amount"},
    {"state-option", "", "stateOption", STATE(stateOption), Kind::Integer, "Maine, Massachusetts, Virginia, West Virginia: option"},
    {"state-additional-allowances", "", "stateAdditionalAllowances", STATE(stateAdditionalAllowances), Kind::Integer, "Illinois: additional allowances"},
    {"state-dependent-exemptions", "", "stateDependentExemptions", STATE(stateDependentExemptions), Kind::Integer, "Indiana: dependent exemptions"},
    {"state-exemptions-1", "", "", STATE(stateExemptions[0]), Kind::Integer, "Puerto Rico: exemptions, first entry"},
    {"state-exemptions-2", "", "", STATE(stateExemptions[1]), Kind::Integer, "Puerto Rico: exemptions, second entry"},
    {"state-exemptions-3", "", "", STATE(stateExemptions[2]), Kind::Integer, "Puerto Rico: exemptions, third entry"},
    {"state-exemptions-4", "", "", STATE(stateExemptions[3]), Kind::Integer, "Puerto Rico: exemptions, fourth entry"},
    {"state-fixed-tax", "", "stateFixedTax", STATE(stateFixedTax), Kind::Amount, "Missouri, Montana: fixed tax"},
    {"state-cert-field1", "", "stateCertField1", STATE(stateCertField1), Kind::Integer, "Colorado, Iowa, North Dakota, Indiana: certificate field 1"},
    {"state-cert-field2", "", "stateCertField2", STATE(stateCertField2), Kind::Integer, "Colorado, Iowa, Indiana: certificate field 2"},
    {"state-cert-field3", "", "stateCertField3", STATE(stateCertField3), Kind::Integer, "Indiana: certificate field 3"},
    {"state-cert-amount1", "", "stateCertAmount1", STATE(stateCertAmount1), Kind::Amount, "Iowa, North Dakota: certificate amount 1"},
    {"state-cert-amount2", "", "stateCertAmount2", STATE(stateCertAmount2), Kind::Amount, "Colorado, North Dakota: certificate amount 2"},
    {"state-record-size", "", "", STATE(recordSize), Kind::StateRecordSize, "declared StateRecord size (default: the full record)"},
};

#undef PAY
#undef STATE

static_assert(std::size(kFields) <= 96, "PayInput::given holds one bit per field, the local fields' too");

// Jurisdiction codes 1 to 59: the postal list with the territories, in alphabetical order of the full names.
struct Jurisdiction {
    std::string_view abbreviation;
    std::string_view name;
};
constexpr Jurisdiction kJurisdictions[] = {
    {"", ""},
    {"AL", "Alabama"},
    {"AK", "Alaska"},
    {"AS", "American Samoa"},
    {"AZ", "Arizona"},
    {"AR", "Arkansas"},
    {"CA", "California"},
    {"CO", "Colorado"},
    {"CT", "Connecticut"},
    {"DE", "Delaware"},
    {"DC", "District of Columbia"},
    {"FM", "Federated States of Micronesia"},
    {"FL", "Florida"},
    {"GA", "Georgia"},
    {"GU", "Guam"},
    {"HI", "Hawaii"},
    {"ID", "Idaho"},
    {"IL", "Illinois"},
    {"IN", "Indiana"},
    {"IA", "Iowa"},
    {"KS", "Kansas"},
    {"KY", "Kentucky"},
    {"LA", "Louisiana"},
    {"ME", "Maine"},
    {"MH", "Marshall Islands"},
    {"MD", "Maryland"},
    {"MA", "Massachusetts"},
    {"MI", "Michigan"},
    {"MN", "Minnesota"},
    {"MS", "Mississippi"},
    {"MO", "Missouri"},
    {"MT", "Montana"},
    {"NE", "Nebraska"},
    {"NV", "Nevada"},
    {"NH", "New Hampshire"},
    {"NJ", "New Jersey"},
    {"NM", "New Mexico"},
    {"NY", "New York"},
    {"NC", "North Carolina"},
    {"ND", "North Dakota"},
    {"MP", "Northern Mariana Islands"},
    {"OH", "Ohio"},
    {"OK", "Oklahoma"},
    {"OR", "Oregon"},
    {"PW", "Palau"},
    {"PA", "Pennsylvania"},
    {"PR", "Puerto Rico"},
    {"RI", "Rhode Island"},
    {"SC", "South Carolina"},
    {"SD", "South Dakota"},
    {"TN", "Tennessee"},
    {"TX", "Texas"},
    {"UT", "Utah"},
    {"VT", "Vermont"},
    {"VI", "Virgin Islands"},
    {"VA", "Virginia"},
    {"WA", "Washington"},
    {"WV", "West Virginia"},
    {"WI", "Wisconsin"},
    {"WY", "Wyoming"},
};
static_assert(std::size(kJurisdictions) == 60);

struct NamedCode {
    std::string_view name;
    int code;
};

constexpr NamedCode kFedFilingStatuses[] = {
    {"single", ORLA_FED_SINGLE},
    {"married", ORLA_FED_MARRIED},
    {"head-of-household", ORLA_FED_HEAD_OF_HOUSEHOLD},
    {"married-single-rate", ORLA_FED_MARRIED_SINGLE_RATE},
    {"s", ORLA_FED_SINGLE},
    {"m", ORLA_FED_MARRIED},
    {"hoh", ORLA_FED_HEAD_OF_HOUSEHOLD},
    {"msr", ORLA_FED_MARRIED_SINGLE_RATE},
};

// The Step 2 rows of single, married and head of household, which a caller may select directly.
constexpr int kStep2Statuses[] = {16, 17, 18};

constexpr double kAmountLimit = 1e9;

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

bool parseInt(std::string_view text, int& value) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

enum class AmountParse { Ok, NotAnAmount, OutOfRange };

// Thousands groups as a spreadsheet writes them: 1 to 3 digits, then groups of exactly three
// ("1,234,567"), then an optional fraction. Returns the text without the commas, or false.
bool ungroup(std::string_view text, std::string& plain) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t lead = 0;
    while (lead < whole.size() && isDigit(whole[lead])) ++lead;
    // A first group of 0 is no thousands group: "0,125" is a decimal comma.
    if (lead == 0 || lead > 3 || (whole[0] == '0' && lead < whole.size())) return false;
    for (std::size_t i = lead; i < whole.size(); i += 4)
        if (whole.size() - i < 4 || whole[i] != ',' || !isDigit(whole[i + 1]) || !isDigit(whole[i + 2]) || !isDigit(whole[i + 3]))
            return false;
    plain.clear();
    for (char c : whole)
        if (c != ',') plain.push_back(c);
    if (point != std::string_view::npos) {
        const std::string_view fraction = text.substr(point);
        if (fraction.find(',') != std::string_view::npos) return false;
        plain.append(fraction);
    }
    return true;
}

// A number as from_chars reads it, or as a spreadsheet writes it: an optional sign, an optional
// leading "$", and well-formed thousands groups ("-$1,234.50"). A "$" or "," anywhere else makes the
// text no amount: deleting them would change the amount without a word ("12,34" is not 1,234).
AmountParse parseAmount(std::string_view text, double& value) {
    // The common form first: a plain number that from_chars takes whole.
    if (!text.empty() && text.front() != '+') {
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (end == text.data() + text.size()) {
            if (ec == std::errc::result_out_of_range) return AmountParse::OutOfRange;
            if (ec == std::errc() && std::isfinite(value)) return AmountParse::Ok;
        }
    }
    std::string_view body = text;
    bool negative = false;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    const bool dollar = !body.empty() && body.front() == '$';
    if (dollar) body.remove_prefix(1);
    // After a sign or a "$" a bare number must follow: from_chars would take "--5" or "+-5".
    if (body.empty() || body.front() == '-' || body.front() == '+') return AmountParse::NotAnAmount;
    std::string plain;
    if (body.find(',') != std::string_view::npos) {
        if (!ungroup(body, plain)) return AmountParse::NotAnAmount;
        body = plain;
    }
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (end != body.data() + body.size()) return AmountParse::NotAnAmount;
    if (ec == std::errc::result_out_of_range) return AmountParse::OutOfRange;
    // from_chars accepts "nan" and "inf", which are no amounts.
    if (ec != std::errc() || !std::isfinite(value)) return AmountParse::NotAnAmount;
    if (negative) value = -value;
    return AmountParse::Ok;
}

bool leapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool validDate(const CalcDate& d) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d.year < 1000 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1) return false;
    const int days = kDays[d.month - 1] + (d.month == 2 && leapYear(d.year) ? 1 : 0);
    return d.day <= days;
}

bool digits(std::string_view text, std::size_t from, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool parseDate(std::string_view text, CalcDate& date) {
    // The common form, YYYY-MM-DD, without searching.
    if (text.size() == 10 && text[4] == '-' && text[7] == '-' && digits(text, 0, 4, date.year) &&
        digits(text, 5, 2, date.month) && digits(text, 8, 2, date.day))
        return validDate(date);
    // YYYY-MM-DD, or M/D/YYYY as US payroll exports write it.
    const char separator = text.find('-') != std::string_view::npos ? '-' : '/';
    int parts[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const std::size_t cut = i < 2 ? text.find(separator) : text.size();
        if (cut == std::string_view::npos || !parseInt(text.substr(0, cut), parts[i]) || text.front() == '+' ||
            text.front() == '-')
            return false;
        text.remove_prefix(i < 2 ? cut + 1 : cut);
    }
    date = separator == '-' ? CalcDate{parts[1], parts[2], parts[0]} : CalcDate{parts[0], parts[1], parts[2]};
    return validDate(date);
}

bool parseSwitch(std::string_view text, int& value) {
    if (text == "0" || text == "1") return value = text[0] - '0', true;
    for (std::string_view yes : {"1", "true", "yes", "y", "on"})
        if (equalsIgnoringCase(text, yes)) return value = 1, true;
    for (std::string_view no : {"0", "false", "no", "n", "off"})
        if (equalsIgnoringCase(text, no)) return value = 0, true;
    return false;
}

// Jurisdiction codes by their two upper-case letters, built once.
class JurisdictionIndex {
public:
    JurisdictionIndex() {
        for (int c = 1; c <= 59; ++c) {
            const std::string_view a = kJurisdictions[static_cast<std::size_t>(c)].abbreviation;
            codes_[slot(a[0], a[1])] = c;
        }
    }
    int find(std::string_view text) const {
        if (text.size() != 2) return 0;
        const char a = upper(text[0]), b = upper(text[1]);
        if (a < 'A' || a > 'Z' || b < 'A' || b > 'Z') return 0;
        return codes_[slot(a, b)];
    }

private:
    static char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
    static std::size_t slot(char a, char b) { return static_cast<std::size_t>((a - 'A') * 26 + (b - 'A')); }
    std::array<int, 26 * 26> codes_{};
};

bool parseJurisdiction(std::string_view text, int& code) {
    static const JurisdictionIndex index;
    if (parseInt(text, code)) return code >= 1 && code <= 59;
    code = index.find(text);
    return code != 0;
}

bool parseFedFilingStatus(std::string_view text, int& code) {
    if (parseInt(text, code))
        return (code >= ORLA_FED_SINGLE && code <= ORLA_FED_MARRIED_SINGLE_RATE) ||
               std::find(std::begin(kStep2Statuses), std::end(kStep2Statuses), code) != std::end(kStep2Statuses);
    for (const NamedCode& status : kFedFilingStatuses)  // the common spelling first, then any case
        if (text == status.name) return code = status.code, true;
    for (const NamedCode& status : kFedFilingStatuses)
        if (equalsIgnoringCase(text, status.name)) return code = status.code, true;
    return false;
}

std::string quoted(std::string_view text) { return "'" + printable(text) + "'"; }

std::byte* fieldAddress(const Field& field, PayInput& input) {
    auto* base = field.target == Target::Pay     ? reinterpret_cast<std::byte*>(&input.pay)
                 : field.target == Target::Local ? reinterpret_cast<std::byte*>(&input.local)
                                                 : reinterpret_cast<std::byte*>(&input.state);
    return base + field.offset;
}

template <typename T>
void store(const Field& field, PayInput& input, const T& value) {
    std::memcpy(fieldAddress(field, input), &value, sizeof value);
}

template <typename T>
T load(const Field& field, const PayInput& input) {
    const auto* base = field.target == Target::Pay     ? reinterpret_cast<const std::byte*>(&input.pay)
                       : field.target == Target::Local ? reinterpret_cast<const std::byte*>(&input.local)
                                                       : reinterpret_cast<const std::byte*>(&input.state);
    T value;
    std::memcpy(&value, base + field.offset, sizeof value);
    return value;
}

const Field& field(std::string_view name) {
    const Field* f = findField(name);
    return *f;  // every name asked for below is in the table
}

}  // namespace

std::span<const Field> fields() { return kFields; }

const Field* findField(std::string_view name) {
    for (const Field& f : kFields)
        if (name == f.name || (!f.alias.empty() && name == f.alias) || (!f.recordName.empty() && name == f.recordName))
            return &f;
    return findLocalField(name);
}

std::size_t fieldIndex(const Field& f) {
    if (f.target == Target::Local) return std::size(kFields) + static_cast<std::size_t>(&f - localFields().data());
    return static_cast<std::size_t>(&f - kFields);
}

PayInput::PayInput() {
    pay.recordSize = sizeof(PayRecord);
    state.recordSize = sizeof(StateRecord);
    local.recordSize = sizeof(LocalRecord);
}

bool PayInput::has(const Field& f) const { return given.test(fieldIndex(f)); }

bool parseValue(Kind kind, std::string_view text, void* out, std::string& error) {
    text = trim(text);
    int whole = 0;
    switch (kind) {
        case Kind::Integer:
            if (!parseInt(text, whole)) return error = quoted(text) + " is not a whole number", false;
            std::memcpy(out, &whole, sizeof whole);
            break;
        case Kind::Amount: {
            double amount = 0;
            const AmountParse parsed = parseAmount(text, amount);
            if (parsed == AmountParse::NotAnAmount) return error = quoted(text) + " is not an amount", false;
            if (parsed == AmountParse::OutOfRange || std::fabs(amount) >= kAmountLimit)
                return error = quoted(text) + " is out of range (an amount below 1,000,000,000)", false;
            std::memcpy(out, &amount, sizeof amount);
            break;
        }
        case Kind::Date: {
            CalcDate date{};
            if (!parseDate(text, date)) return error = quoted(text) + " is not a date (YYYY-MM-DD)", false;
            std::memcpy(out, &date, sizeof date);
            break;
        }
        case Kind::Switch:
            if (!parseSwitch(text, whole)) return error = quoted(text) + " is not yes or no (1 or 0)", false;
            std::memcpy(out, &whole, sizeof whole);
            break;
        case Kind::Jurisdiction:
            if (!parseJurisdiction(text, whole))
                return error = "unknown state " + quoted(text) + " (a postal abbreviation such as CA, or a code 1-59)",
                       false;
            std::memcpy(out, &whole, sizeof whole);
            break;
        case Kind::FedFilingStatus:
            if (!parseFedFilingStatus(text, whole))
                return error = "unknown filing status " + quoted(text) +
                               " (single, married, head-of-household, married-single-rate, or a code 0-3, 16-18)",
                       false;
            std::memcpy(out, &whole, sizeof whole);
            break;
        case Kind::PayRecordSize:
        case Kind::StateRecordSize:
        case Kind::LocalRecordSize: {
            // A size beyond the record would let the library read memory the record does not have.
            const int limit = kind == Kind::PayRecordSize     ? int{sizeof(PayRecord)}
                              : kind == Kind::LocalRecordSize ? int{sizeof(LocalRecord)}
                                                              : int{sizeof(StateRecord)};
            if (!parseInt(text, whole) || whole < 0 || whole > limit)
                return error = quoted(text) + " is not a record size from 0 to " + std::to_string(limit), false;
            std::memcpy(out, &whole, sizeof whole);
            break;
        }
    }
    return true;
}

bool setField(const Field& f, std::string_view text, PayInput& input, std::string& error) {
    if (!parseValue(f.kind, text, fieldAddress(f, input), error)) return false;
    input.given.set(fieldIndex(f));
    return true;
}

bool isRequired(const Field& f, int mode) {
    static const Field& kSuppWages = field("supp-wages");
    static const Field& kStateCode = field("state-code");
    if (&f == &kStateCode) return mode != ORLA_MODE_FEDERAL && mode != ORLA_MODE_FEDERAL_EMPLOYER;
    if (&f == &kSuppWages) return mode == ORLA_MODE_GROSS_UP_BONUS;
    return f.name == "pay-date" || f.name == "pay-periods" || f.name == "fed-wages";
}

bool completeInput(PayInput& input, int mode, std::string& error) {
    struct Mirror {
        const Field& target;
        const Field& source;
    };
    // Amounts and counts that usually equal another one default to it. Resolved once: this runs per row.
    static const Mirror kMirrors[] = {
        {field("fica-wages"), field("fed-wages")},
        {field("state-wages"), field("fed-wages")},
        {field("state-pay-periods"), field("pay-periods")},
        {field("medicare-ytd-wages"), field("ss-ytd-wages")},
        {field("state-supp-wages"), field("supp-wages")},
        {field("local-wages"), field("fed-wages")},
        {field("local-pay-periods"), field("pay-periods")},
        {field("local-supp-wages"), field("supp-wages")},
    };
    static const std::bitset<128> kAlwaysRequired = [] {
        std::bitset<128> mask;
        for (const Field& f : kFields)
            if (isRequired(f, ORLA_MODE_FEDERAL)) mask.set(fieldIndex(f));
        return mask;
    }();
    static const Field& kStateCode = field("state-code");
    static const Field& kSuppWages = field("supp-wages");

    for (const Mirror& m : kMirrors) {
        if (input.has(m.target)) continue;
        if (m.target.kind == Kind::Amount) store(m.target, input, load<double>(m.source, input));
        else store(m.target, input, load<int>(m.source, input));
    }
    if ((input.given & kAlwaysRequired) != kAlwaysRequired) {
        for (const Field& f : kFields)
            if (isRequired(f, ORLA_MODE_FEDERAL) && !input.has(f)) return error = std::string(f.name) + " is missing", false;
    }
    for (const Field* f : {&kStateCode, &kSuppWages})
        if (isRequired(*f, mode) && !input.has(*f)) return error = std::string(f->name) + " is missing", false;
    return true;
}

std::size_t invalidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            ++i;
            continue;
        }
        // The lead byte gives the length and the range of the first continuation byte, which rules out
        // overlong forms, surrogates and code points beyond U+10FFFF.
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (byte >= 0xC2 && byte <= 0xDF) length = 2;
        else if (byte >= 0xE0 && byte <= 0xEF) {
            length = 3;
            if (byte == 0xE0) low = 0xA0;
            if (byte == 0xED) high = 0x9F;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            length = 4;
            if (byte == 0xF0) low = 0x90;
            if (byte == 0xF4) high = 0x8F;
        } else return i;
        if (text.size() - i < length) return i;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return i;
        }
        i += length;
    }
    return std::string_view::npos;
}

std::string printable(std::string_view text) {
    constexpr std::size_t kShown = 60;
    std::string out;
    std::size_t shown = 0;
    std::size_t i = 0;
    while (i < text.size() && shown < kShown) {
        const auto byte = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        if (byte >= 0x80) {
            // A valid sequence stays as it is, a stray byte is written as \xNN.
            length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
            if (length > text.size() - i || invalidUtf8(text.substr(i, length)) != std::string_view::npos) length = 0;
        }
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
            ++i;
        } else {
            out.append(text, i, length);
            i += length;
        }
        ++shown;
    }
    if (i < text.size()) out += "...";
    return out;
}

std::string_view jurisdictionAbbreviation(int code) {
    return code >= 1 && code <= 59 ? kJurisdictions[static_cast<std::size_t>(code)].abbreviation : std::string_view{};
}

std::string_view jurisdictionName(int code) {
    return code >= 1 && code <= 59 ? kJurisdictions[static_cast<std::size_t>(code)].name : std::string_view{};
}

int jurisdictionCode(std::string_view text) {
    int code = 0;
    return parseJurisdiction(trim(text), code) ? code : 0;
}

std::string_view fedFilingStatusName(int code) {
    for (const NamedCode& status : kFedFilingStatuses)
        if (status.code == code) return status.name;
    if (code >= 16 && code <= 18) return code == 16 ? "single, Step 2" : code == 17 ? "married, Step 2" : "head-of-household, Step 2";
    return {};
}

}  // namespace orla_cli
