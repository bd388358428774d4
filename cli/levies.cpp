#include "levies.h"

#include <cmath>

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include "levy_format.h"

namespace orla_cli {

const std::array<std::string_view, kLevyCount> kLevyNames = {
    "futa",           "sui",     "sui-employee",     "ett",               "sdi",
    "sdi-employer",   "leave-employee", "leave-employer", "transit",     "transit-employee",
    "workcomp-employee", "workcomp-employer", "long-term-care"};

namespace {

enum Levy : std::size_t {
    kFuta, kSui, kSuiEmployee, kEtt, kSdi, kSdiEmployer, kLeaveEmployee, kLeaveEmployer, kTransit,
    kTransitEmployee, kWorkCompEmployee, kWorkCompEmployer, kLongTermCare
};

constexpr std::array<std::string_view, kLevyCount> kLevyTitles = {
    "FUTA", "SUI", "SUI ee", "ETT", "SDI", "SDI er", "leave ee", "leave er", "transit", "transit ee",
    "wcomp ee", "wcomp er", "LTC"};

constexpr std::array<std::string_view, kLevyCount> kLevyLabels = {
    "Federal unemployment (FUTA)", "State unemployment",       "  employee's share",
    "Employment training tax",     "Disability insurance",     "  employer-side levy",
    "Paid leave, employee",        "Paid leave, employer",     "Transit tax",
    "Employee transit tax",        "Workers' comp., employee", "Workers' comp., employer",
    "Long-term-care premium"};

constexpr int kAmountWidth = 11;

// Oregon's paid-leave contribution is 1 % of the wages: 60 % from the employee and, for employers of 25
// or more, 40 % from the employer (rates in percent).
constexpr double kOregonEmployeePercent = 0.6;
constexpr double kOregonEmployerPercent = 0.4;
// Massachusetts: employers of 25 or more pay at least 60 % of the medical part.
constexpr double kMassachusettsMedicalShare = 0.6;

template <class Record>
Record record() {
    Record r{};
    r.recordSize = sizeof r;
    return r;
}

void appendCentsText(std::string& out, std::int64_t cents) {
    out += fmt::format("{}{}.{:02d}", cents < 0 ? "-" : "", std::llabs(cents) / 100, static_cast<int>(std::llabs(cents) % 100));
}

std::int64_t toCents(double amount) { return std::llround(amount * 100.0); }

void appendCell(std::string& out, Format format, std::size_t i, const std::string& text) {
    switch (format) {
        case Format::Table:
            out.append(text.size() < kAmountWidth ? kAmountWidth - text.size() : 1, ' ');
            out += text;
            break;
        case Format::Csv:
            out += ',';
            out += text;
            break;
        case Format::Json:
            out += fmt::format(", \"{}\": {}", kLevyNames[i], text);
            break;
    }
}

}  // namespace

void addLevyOptions(CLI::App& app, LevySettings& s, bool& enabled) {
    const std::string group = "Employer-side and other levies";
    app.add_flag("--levies", enabled,
                 "add the levies of each pay: federal and state unemployment, training tax, disability, paid leave, "
                 "transit, workers' compensation and long-term care (on the wages and bonus, against ss-ytd-wages)")
        ->group(group);
    const auto rate = CLI::Range(0.0, 1.0);
    app.add_option("--futa-rate", s.futaRate, "federal unemployment rate as a fraction")->check(rate)->group(group);
    app.add_option("--sui-rate", s.suiRate, "the employer's state unemployment rate as a fraction")->check(rate)->group(group);
    app.add_option("--sdi-employer-rate", s.sdiEmployerRate, "New Jersey employer-side disability rate as a fraction")
        ->check(rate)->group(group);
    app.add_option("--leave-employer-share", s.leaveEmployerShare, "the employer's share of a paid-leave contribution (fraction)")
        ->check(rate)->group(group);
    app.add_option("--employees", s.employees, "the employer's number of employees (paid-leave rates)")
        ->check(CLI::Range(0.0, 1e7))->group(group);
    app.add_option("--transit-rate", s.transitRate, "a local transit tax rate as a fraction")->check(rate)->group(group);
    app.add_option("--hours", s.hours, "hours worked in the pay (workers' compensation)")->check(CLI::Range(0.0, 1e4))->group(group);
}

LevyResult computeLevies(const LevySettings& s, const PayRecord& pay, const StateRecord& state) {
    LevyResult result;
    result.computed = true;
    auto& a = result.amounts;
    const double wages = pay.fedWages + (pay.recordSize >= 160 ? pay.suppWages : 0.0);
    const double ytd = pay.ssYtdWages;
    const int code = state.stateCode;
    const CalcDate date = pay.payDate;

    auto futa = record<FutaRecord>();
    futa.payDate = date;
    futa.wages = wages;
    futa.ytdWages = ytd;
    futa.rate = s.futaRate;
    FUTA_Calc(&futa);
    a[kFuta] = futa.tax;

    auto sui = record<SuiRecord>();
    sui.payDate = date;
    sui.stateCode = code;
    sui.wages = wages;
    sui.ytdWages = ytd;
    sui.rate = s.suiRate;
    SUI_Calc(&sui);
    result.suiHasRow = sui.status == 0;
    a[kSui] = sui.tax;
    a[kSuiEmployee] = sui.employeeTax;

    if (code == ORLA_CA) {
        auto ett = record<EttRecord>();
        ett.payDate = date;
        ett.wages = wages;
        ett.ytdWages = ytd;
        ETT_Calc(&ett);
        a[kEtt] = ett.tax;
    }

    auto sdi = record<SdiRecord>();
    sdi.payDate = date;
    sdi.stateCode = code;
    sdi.wages = wages;
    sdi.ytdWages = ytd;
    sdi.employerRate = s.sdiEmployerRate;
    sdi.payPeriods = pay.payPeriods;
    SDI_Calc(&sdi);
    a[kSdi] = sdi.sdiTax;
    a[kSdiEmployer] = sdi.employerTax;

    // The paid-leave record's fields at 48 to 64 mean what each programme makes of them.
    auto leave = record<FamilyLeaveRecord>();
    leave.payDate = date;
    leave.stateCode = code;
    leave.wages = wages;
    leave.ytdWages = ytd;
    switch (code) {
        case ORLA_OR:
            leave.employerAmount = kOregonEmployeePercent;
            leave.extraInput = s.employees >= 25 ? kOregonEmployerPercent : 0.0;
            break;
        case ORLA_DE:
        case ORLA_ME:
            leave.shareInput = (1 - s.leaveEmployerShare) * 100;  // the employee's share in percent
            leave.employerAmount = s.employees;
            break;
        case ORLA_MA:
            leave.shareInput = s.leaveEmployerShare;
            leave.employerAmount = s.employees;
            leave.extraInput = std::fmax(kMassachusettsMedicalShare, s.leaveEmployerShare);
            break;
        default:
            leave.shareInput = s.leaveEmployerShare;
            break;
    }
    const double employerIn = leave.employerAmount;
    if (FAMLEAVE_Calc(&leave) == 0) {
        a[kLeaveEmployee] = leave.employeeAmount + leave.medicalRemainder;
        if (code == ORLA_OR) {
            a[kLeaveEmployer] = leave.shareInput;
        } else if (leave.employerAmount != employerIn || leave.employeeAmount != 0) {
            // An employee count that came back as it went in, with nothing for the employee, was not
            // turned into an amount: the programme has no rates for the year.
            a[kLeaveEmployer] = leave.employerAmount + leave.medicalByShare;
        }
    }

    if (s.transitRate > 0 || code == ORLA_OR) {
        auto transit = record<TransitRecord>();
        transit.payDate = date;
        transit.wages = wages;
        transit.rate = s.transitRate;
        TT_Calc(&transit);
        a[kTransit] = transit.transitTax;
        // The employee transit tax is Oregon's statewide one.
        if (code == ORLA_OR) a[kTransitEmployee] = transit.employeeTransitTax;
    }

    if (code == ORLA_OR) {
        auto comp = record<WorkCompRecord>();
        comp.payDate = date;
        comp.stateCode = code;
        comp.hours = s.hours;
        WORKCOMP_Calc(&comp);
        a[kWorkCompEmployee] = comp.employeeAmount;
        a[kWorkCompEmployer] = comp.employerAmount;
    }

    if (code == ORLA_WA) {
        auto other = record<StateOtherRecord>();
        other.levyKind = ORLA_LEVY_LONG_TERM_CARE;
        other.payDate = date;
        other.stateCode = code;
        other.payPeriods = pay.payPeriods;
        other.wages = wages;
        StateOther_Calc(&other);
        a[kLongTermCare] = other.premium;
    }
    return result;
}

void appendLevyHeader(std::string& out, Format format) {
    for (std::size_t i = 0; i < kLevyCount; ++i) {
        if (format == Format::Table) {
            const std::string_view title = kLevyTitles[i];
            out.append(title.size() < kAmountWidth ? kAmountWidth - title.size() : 1, ' ');
            out += title;
        } else if (format == Format::Csv) {
            out += ',';
            out += kLevyNames[i];
        }
    }
}

void appendLevyCells(std::string& out, Format format, const LevyResult& levies) {
    for (std::size_t i = 0; i < kLevyCount; ++i) {
        std::string text;
        appendCentsText(text, toCents(levies.amounts[i]));
        appendCell(out, format, i, text);
    }
}

void appendLevyTotals(std::string& out, Format format, const LevyCents& cents) {
    for (std::size_t i = 0; i < kLevyCount; ++i) {
        std::string text;
        appendCentsText(text, cents[i]);
        appendCell(out, format, i, text);
    }
}

void addLevyCents(LevyCents& cents, const LevyResult& levies) {
    if (!levies.computed) return;
    for (std::size_t i = 0; i < kLevyCount; ++i) cents[i] += toCents(levies.amounts[i]);
}

int levyTableWidth() { return kAmountWidth * static_cast<int>(kLevyCount); }

std::string describeLevies(const LevyResult& levies, const StateRecord& state) {
    std::string out = "\n  Employer-side and other levies\n";
    for (std::size_t i = 0; i < kLevyCount; ++i) {
        if (levies.amounts[i] == 0 && i != kFuta && i != kSui) continue;
        std::string text;
        appendCentsText(text, toCents(levies.amounts[i]));
        out += fmt::format("  {:<28}{:>26}\n", kLevyLabels[i], text);
    }
    if (!levies.suiHasRow)
        out += fmt::format("  * no state unemployment table covers jurisdiction {} on this date\n", state.stateCode);
    return out;
}

nlohmann::json levyJson(const LevyResult& levies) {
    nlohmann::json json;
    for (std::size_t i = 0; i < kLevyCount; ++i)
        json[std::string(kLevyNames[i])] = static_cast<double>(toCents(levies.amounts[i])) / 100.0;
    json["sui-has-row"] = levies.suiHasRow;
    return json;
}

}  // namespace orla_cli
