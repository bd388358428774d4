#include "statuses.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "fields.h"

namespace orla_cli {

namespace {

constexpr int kOther = -1;   // the row tells what any code not listed does
constexpr int kNotRead = -2;  // the jurisdiction reads no filing status; the row says why or what instead

struct StatusRow {
    std::string_view state;  // postal abbreviation
    int code;
    std::string_view meaning;
};

// One row per code, a jurisdiction's rows together. A jurisdiction without rows has no listing yet.
constexpr StatusRow kStatusRows[] = {
    {"AL", 0, "single"},
    {"AL", 1, "married filing jointly"},
    {"AL", 2, "head of family"},
    {"AL", 3, "married filing separately"},
    {"AL", 8, "rate rows only: no standard deduction or personal exemption"},
    {"AL", kOther, "no rate row: status 1, no tax (without a personal exemption every code is taxed as 0)"},
    {"AK", kNotRead, "no state income tax is withheld"},
    {"AS", kNotRead, "not supported"},
    {"AZ", kNotRead, "the employee's elected percentage (--state-percent) sets the tax"},
    {"AR", kNotRead, "one table for every employee"},
    {"CA", 0, "single"},
    {"CA", 1, "married"},
    {"CA", 2, "head of household"},
    {"CA", kOther, "no rate row: status 1, no tax"},
    {"CO", 0, "single"},
    {"CO", 1, "married"},
    {"CO", kOther, "no allowance row: no tax, and no status either"},
    {"CT", kNotRead, "the withholding code (--state-withholding-code, 65 A to 70 F) decides"},
    {"DE", 0, "single (deduction 3,250)"},
    {"DE", 1, "married (deduction 6,500)"},
    {"DE", 3, "deduction 3,250, rows of its own"},
    {"DE", kOther, "status 1, no tax"},
    {"DC", 0, "single"},
    {"DC", 1, "married"},
    {"DC", 2, "head of household"},
    {"DC", 3, "looked up as 0"},
    {"DC", kOther, "no rate row: status 1, no tax"},
    {"FL", kNotRead, "no state income tax is withheld"},
    {"GA", 0, "standard deduction 12,000"},
    {"GA", 2, "standard deduction 12,000"},
    {"GA", 3, "looked up as 0"},
    {"GA", 4, "standard deduction 24,000"},
    {"GA", 5, "standard deduction 12,000, from 1 October 2025 24,000"},
    {"GA", 10, "read as 0"},
    {"GA", 11, "standard deduction 12,000; rows until 30 September 2025 only"},
    {"GA", kOther, "no table row: status 1, no tax"},
    {"FM", kNotRead, "not supported"},
    {"GU", kNotRead, "the federal computation with the federal filing status"},
    {"HI", 0, "single"},
    {"HI", 1, "married"},
    {"HI", 2, "looked up as 0"},
    {"HI", 12, "looked up as 0"},
    {"HI", 13, "exempt: no tax"},
    {"HI", 14, "exempt: no tax"},
    {"HI", kOther, "no table row: status 1, no tax"},
    {"ID", 0, "single"},
    {"ID", 1, "married"},
    {"ID", 2, "looked up as 0"},
    {"ID", 12, "looked up as 0"},
    {"ID", kOther, "no table row: status 1, no tax"},
    {"IL", kNotRead, "allowances only"},
    {"IN", kNotRead, "exemptions only"},
    {"IA", 0, "single"},
    {"IA", 1, "married (with the newer certificate and --state-cert-field2 1: single)"},
    {"IA", 2, "head of household (newer certificate; the older one takes the single rows)"},
    {"IA", 16, "single rows of the newer certificate"},
    {"IA", 17, "married rows of the newer certificate"},
    {"IA", kOther, "older certificate: single rows; newer certificate: no row, status 1"},
    {"KS", 0, "single"},
    {"KS", 1, "married"},
    {"KS", 2, "head of household"},
    {"KS", kOther, "no rate row: status 1, no tax"},
    {"KY", kNotRead, "one table for every employee"},
    {"LA", 0, "single"},
    {"LA", 1, "married"},
    {"LA", 15, "no deduction (from 2025; in 2024 read as 0)"},
    {"LA", kOther, "the married deduction from 2025"},
    {"ME", 0, "single"},
    {"ME", 1, "married"},
    {"ME", 5, "read as 0"},
    {"ME", 12, "read as 0"},
    {"ME", kOther, "no rate row: status 1 (with --state-option 99 every code is read as 0)"},
    {"MH", kNotRead, "not supported"},
    {"MD", 0, "single"},
    {"MD", 1, "married"},
    {"MD", 2, "read as 1"},
    {"MD", 3, "read as 0"},
    {"MD", 6, "read as 0"},
    {"MD", 12, "read as 0"},
    {"MD", kOther, "no table row: status 1, no tax"},
    {"MA", kNotRead, "--state-head-of-household, --state-blind, --state-spouse-blind, --state-exempt"},
    {"MI", kNotRead, "exemptions only"},
    {"MN", 0, "single"},
    {"MN", 1, "married"},
    {"MN", 12, "read as 0"},
    {"MN", kOther, "no table row: status 1, no tax"},
    {"MS", 0, "single (deduction 2,300)"},
    {"MS", 1, "married (deduction 4,600)"},
    {"MS", 2, "head of household (deduction 3,400)"},
    {"MS", 5, "deduction 2,300, rows of its own"},
    {"MS", kOther, "no table row: status 1, no tax"},
    {"MO", 0, "single"},
    {"MO", 1, "married"},
    {"MO", 2, "head of household"},
    {"MO", 3, "the single deduction, rows of its own"},
    {"MO", 5, "the single deduction, rows of its own"},
    {"MO", kOther, "no table row: status 1, no tax"},
    {"MT", 0, "single"},
    {"MT", 1, "married"},
    {"MT", 2, "head of household"},
    {"MT", 6, "read as 1"},
    {"MT", kOther, "read as 0"},
    {"NE", 0, "single"},
    {"NE", 1, "married"},
    {"NE", 2, "read as 0"},
    {"NE", 7, "read as 1"},
    {"NE", kOther, "no table row: status 1, no tax"},
    {"NV", kNotRead, "no state income tax is withheld"},
    {"NH", kNotRead, "no state income tax is withheld"},
    {"NJ", 0, "rate table A, unless --state-rate-table (65 A to 69 E) chooses"},
    {"NJ", 1, "rate table B, unless --state-rate-table chooses"},
    {"NJ", 2, "rate table B, unless --state-rate-table chooses"},
    {"NJ", 6, "rate table B, unless --state-rate-table chooses"},
    {"NJ", kOther, "rate table A, unless --state-rate-table chooses"},
    {"NM", 0, "single"},
    {"NM", 1, "married"},
    {"NM", 2, "head of household"},
    {"NM", 12, "read as 0"},
    {"NM", kOther, "no table row: status 1, no tax"},
    {"NY", 0, "single"},
    {"NY", 1, "married"},
    {"NY", kOther, "the single rows"},
    {"NC", 0, "single"},
    {"NC", 1, "married"},
    {"NC", 2, "head of household"},
    {"NC", 6, "deduction 12,750, rows of its own"},
    {"NC", kOther, "no table row: status 1, no tax"},
    {"ND", 0, "single (with --state-cert-field1 1: the rows of status 16)"},
    {"ND", 1, "married (with --state-cert-field1 1: 17)"},
    {"ND", 2, "with --state-cert-field1 1: the rows of status 18"},
    {"ND", 12, "with --state-cert-field1 1: read as 0"},
    {"ND", kOther, "no table row: status 1, no tax"},
    {"MP", kNotRead, "the federal computation with the federal filing status"},
    {"OH", kNotRead, "exemptions only"},
    {"OK", 0, "single"},
    {"OK", 1, "married"},
    {"OK", 2, "read as 0"},
    {"OK", 5, "read as 0"},
    {"OK", 12, "read as 0"},
    {"OK", kOther, "no table row: status 1, no tax"},
    {"OR", 0, "single (with 3 or more allowances the married rows)"},
    {"OR", 1, "married"},
    {"OR", 10, "a second single code (with 3 or more allowances the married rows)"},
    {"OR", kOther, "no table row: status 1, no tax"},
    {"PW", kNotRead, "not supported"},
    {"PA", kNotRead, "one rate for every employee"},
    {"PR", kNotRead, "the Puerto Rico status code 0 to 8 goes in --state-exemptions-1"},
    {"RI", 0, "single"},
    {"RI", 1, "married (the same values as 0)"},
    {"RI", 2, "read as 0"},
    {"RI", kOther, "no table row: status 1, no tax"},
    {"SC", kNotRead, "one table for every employee"},
    {"SD", kNotRead, "no state income tax is withheld"},
    {"TN", kNotRead, "no state income tax is withheld"},
    {"TX", kNotRead, "no state income tax is withheld"},
    {"UT", 0, "single"},
    {"UT", 1, "married"},
    {"UT", kOther, "no table row: status 1, no tax"},
    {"VT", 0, "single"},
    {"VT", 1, "married"},
    {"VT", 3, "read as 0"},
    {"VT", 10, "read as 0"},
    {"VT", 12, "read as 0"},
    {"VT", kOther, "no table row: status 1, no tax"},
    {"VI", kNotRead, "the federal computation with the federal filing status"},
    {"VA", kNotRead, "exemptions only"},
    {"WA", kNotRead, "no state income tax is withheld"},
    {"WV", kNotRead, "--state-option above 0 selects the two-earner rows"},
    {"WI", 0, "single"},
    {"WI", 1, "married"},
    {"WI", kOther, "no deduction and no table row: status 1, no tax"},
    {"WY", kNotRead, "no state income tax is withheld"},
};

// The rows of one jurisdiction: consecutive in the table, found once per jurisdiction.
std::pair<const StatusRow*, const StatusRow*> rowsOf(int stateCode) {
    using Range = std::pair<const StatusRow*, const StatusRow*>;
    static const auto kIndex = [] {
        std::array<Range, 60> index{};
        for (int code = 1; code <= 59; ++code) {
            const std::string_view abbreviation = jurisdictionAbbreviation(code);
            const StatusRow* first = std::find_if(std::begin(kStatusRows), std::end(kStatusRows),
                                                  [&](const StatusRow& r) { return r.state == abbreviation; });
            const StatusRow* last =
                std::find_if(first, std::end(kStatusRows), [&](const StatusRow& r) { return r.state != abbreviation; });
            index[static_cast<std::size_t>(code)] = {first, last};
        }
        return index;
    }();
    if (stateCode < 1 || stateCode > 59) return {std::end(kStatusRows), std::end(kStatusRows)};
    return kIndex[static_cast<std::size_t>(stateCode)];
}

void appendListing(int stateCode, std::string& text) {
    text += std::string(jurisdictionName(stateCode)) + " (" + std::string(jurisdictionAbbreviation(stateCode)) + ", code " +
            std::to_string(stateCode) + "):";
    const auto [first, last] = rowsOf(stateCode);
    if (first == last) {
        text += " no codes listed\n";
        return;
    }
    if (first->code == kNotRead) {
        text += " filing status not read: " + std::string(first->meaning) + "\n";
        return;
    }
    text += " --state-filing-status\n";
    for (const StatusRow* row = first; row != last; ++row) {
        const std::string code = row->code == kOther ? "other" : std::to_string(row->code);
        text += std::string(8 - std::min<std::size_t>(7, code.size()), ' ') + code + "  " + std::string(row->meaning) + "\n";
    }
}

}  // namespace

bool isStateFilingStatus(int stateCode, int code) {
    const auto [first, last] = rowsOf(stateCode);
    if (first == last || first->code == kNotRead) return true;
    return std::any_of(first, last, [code](const StatusRow& r) { return r.code == code; });
}

bool listStateStatuses(std::string_view which, std::string& text) {
    text.clear();
    if (which == "all") {
        for (int code = 1; code <= 59; ++code) appendListing(code, text);
        return true;
    }
    const int code = jurisdictionCode(which);
    if (code == 0) {
        text = "unknown state '" + printable(which) + "' (a postal abbreviation such as CA, a code 1-59, or all)";
        return false;
    }
    appendListing(code, text);
    return true;
}

}  // namespace orla_cli
