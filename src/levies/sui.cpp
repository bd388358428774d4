// State unemployment insurance: the employer's contribution at its assigned rate and, where the state has
// one, the employee's, both on the wages of the pay up to the state's wage base of the year.
#include <array>
#include <cstdint>

#include "levies/levies.h"

namespace orla {

namespace {

// Newest year first, in jurisdiction-code order within each year. The minimum and maximum rates are not
// read and are carried only where known (Alabama 2026). The 2026 Illinois row ends on 31 December 2025:
// by the row date test it covers every day of 2026.
constexpr SuiRow kSui[] = {
    {k2026From, k2026To, ORLA_AL, 1.19, 7.34, 8000, 0, 0, 0},
    {k2026From, k2026To, ORLA_AK, 0, 0, 54200, 0, 0, 0.005},
    {k2026From, k2026To, ORLA_AZ, 0, 0, 8000, 0, 0, 0},
    {k2026From, k2026To, ORLA_AR, 0, 0, 7000, 0, 0, 0},
    {k2026From, k2026To, ORLA_CA, 0, 0, 7000, 0, 0, 0},
    {k2026From, k2026To, ORLA_CO, 0, 0, 30600, 0, 0, 0},
    {k2026From, k2026To, ORLA_CT, 0, 0, 27000, 0, 0, 0},
    {k2026From, k2026To, ORLA_DE, 0, 0, 14500, 0, 0, 0},
    {k2026From, k2026To, ORLA_DC, 0, 0, 9000, 0, 0, 0},
    {k2026From, k2026To, ORLA_FL, 0, 0, 7000, 0, 0, 0},
    {k2026From, k2026To, ORLA_GA, 0, 0, 9500, 0, 0, 0},
    {k2026From, k2026To, ORLA_HI, 0, 0, 64500, 0, 0, 0},
    {k2026From, k2026To, ORLA_ID, 0, 0, 55300, 0, 0, 0},
    {k2026From, k2025To, ORLA_IL, 0, 0, 14250, 0, 0, 0},
    {k2026From, k2026To, ORLA_IN, 0, 0, 9500, 0, 0, 0},
    {k2026From, k2026To, ORLA_IA, 0, 0, 20400, 0, 0, 0},
    {k2026From, k2026To, ORLA_KS, 0, 0, 14000, 0, 0, 0},
    {k2026From, k2026To, ORLA_KY, 0, 0, 12000, 0, 0, 0},
    {k2026From, k2026To, ORLA_LA, 0, 0, 7700, 0, 0, 0},
    {k2026From, k2026To, ORLA_ME, 0, 0, 12000, 0, 0, 0},
    {k2026From, k2026To, ORLA_MD, 0, 0, 8500, 0, 0, 0},
    {k2026From, k2026To, ORLA_MA, 0, 0, 15000, 0, 0, 0},
    {k2026From, k2026To, ORLA_MI, 0, 0, 9500, 0, 0, 0},
    {k2026From, k2026To, ORLA_MN, 0, 0, 44000, 0, 0, 0},
    {k2026From, k2026To, ORLA_MS, 0, 0, 14000, 0, 0, 0},
    {k2026From, k2026To, ORLA_MO, 0, 0, 9000, 0, 0, 0},
    {k2026From, k2026To, ORLA_MT, 0, 0, 47300, 0, 0, 0},
    {k2026From, k2026To, ORLA_NE, 0, 0, 9000, 0, 0, 0},
    {k2026From, k2026To, ORLA_NV, 0, 0, 43700, 0, 0, 0},
    {k2026From, k2026To, ORLA_NH, 0, 0, 14000, 0, 0, 0},
    {k2026From, k2026To, ORLA_NJ, 0, 0, 44800, 0, 0, 0.00425},
    {k2026From, k2026To, ORLA_NM, 0, 0, 31700, 0, 0, 0},
    {k2026From, k2026To, ORLA_NY, 0, 0, 13000, 0, 0, 0},
    {k2026From, k2026To, ORLA_NC, 0, 0, 34200, 0, 0, 0},
    {k2026From, k2026To, ORLA_ND, 0, 0, 46600, 0, 0, 0},
    {k2026From, k2026To, ORLA_OH, 0, 0, 9000, 0, 0, 0},
    {k2026From, k2026To, ORLA_OK, 0, 0, 25000, 0, 0, 0},
    {k2026From, k2026To, ORLA_OR, 0, 0, 56700, 0, 0, 0},
    {k2026From, k2026To, ORLA_PA, 0, 0, 10000, 0, 0, 0},
    {k2026From, k2026To, ORLA_PR, 0, 0, 7000, 0, 0, 0},
    {k2026From, k2026To, ORLA_RI, 0, 0, 31800, 0.097, 30700, 0},
    {k2026From, k2026To, ORLA_SC, 0, 0, 14000, 0, 0, 0},
    {k2026From, k2026To, ORLA_SD, 0, 0, 15000, 0, 0, 0},
    {k2026From, k2026To, ORLA_TN, 0, 0, 7000, 0, 0, 0},
    {k2026From, k2026To, ORLA_TX, 0, 0, 9000, 0, 0, 0},
    {k2026From, k2026To, ORLA_UT, 0, 0, 50700, 0, 0, 0},
    {k2026From, k2026To, ORLA_VT, 0, 0, 15400, 0, 0, 0},
    {k2026From, k2026To, ORLA_VI, 0, 0, 31100, 0, 0, 0},
    {k2026From, k2026To, ORLA_VA, 0, 0, 8000, 0, 0, 0},
    {k2026From, k2026To, ORLA_WA, 0, 0, 78200, 0, 0, 0},
    {k2026From, k2026To, ORLA_WV, 0, 0, 9500, 0, 0, 0},
    {k2026From, k2026To, ORLA_WI, 0, 0, 14000, 0, 0, 0},
    {k2026From, k2026To, ORLA_WY, 0, 0, 33800, 0, 0, 0},
    {k2025From, k2025To, ORLA_AL, 0, 0, 8000, 0, 0, 0},
    {k2025From, k2025To, ORLA_AK, 0, 0, 51700, 0, 0, 0.005},
    {k2025From, k2025To, ORLA_AZ, 0, 0, 8000, 0, 0, 0},
    {k2025From, k2025To, ORLA_AR, 0, 0, 7000, 0, 0, 0},
    {k2025From, k2025To, ORLA_CA, 0, 0, 7000, 0, 0, 0},
    {k2025From, k2025To, ORLA_CO, 0, 0, 27200, 0, 0, 0},
    {k2025From, k2025To, ORLA_CT, 0, 0, 26100, 0, 0, 0},
    {k2025From, k2025To, ORLA_DE, 0, 0, 12500, 0, 0, 0},
    {k2025From, k2025To, ORLA_DC, 0, 0, 9000, 0, 0, 0},
    {k2025From, k2025To, ORLA_FL, 0, 0, 7000, 0, 0, 0},
    {k2025From, k2025To, ORLA_GA, 0, 0, 9500, 0, 0, 0},
    {k2025From, k2025To, ORLA_HI, 0, 0, 61800, 0, 0, 0},
    {k2025From, k2025To, ORLA_ID, 0, 0, 53300, 0, 0, 0},
    {k2025From, k2025To, ORLA_IL, 0, 0, 13590, 0, 0, 0},
    {k2025From, k2025To, ORLA_IN, 0, 0, 9500, 0, 0, 0},
    {k2025From, k2025To, ORLA_IA, 0, 0, 39500, 0, 0, 0},
    {k2025From, k2025To, ORLA_KS, 0, 0, 14000, 0, 0, 0},
    {k2025From, k2025To, ORLA_KY, 0, 0, 11700, 0, 0, 0},
    {k2025From, k2025To, ORLA_LA, 0, 0, 7700, 0, 0, 0},
    {k2025From, k2025To, ORLA_ME, 0, 0, 12000, 0, 0, 0},
    {k2025From, k2025To, ORLA_MD, 0, 0, 8500, 0, 0, 0},
    {k2025From, k2025To, ORLA_MA, 0, 0, 15000, 0, 0, 0},
    {k2025From, k2025To, ORLA_MI, 0, 0, 9000, 0, 0, 0},
    {k2025From, k2025To, ORLA_MN, 0, 0, 43000, 0, 0, 0},
    {k2025From, k2025To, ORLA_MS, 0, 0, 14000, 0, 0, 0},
    {k2025From, k2025To, ORLA_MO, 0, 0, 9500, 0, 0, 0},
    {k2025From, k2025To, ORLA_MT, 0, 0, 45100, 0, 0, 0},
    {k2025From, k2025To, ORLA_NE, 0, 0, 9000, 0, 0, 0},
    {k2025From, k2025To, ORLA_NV, 0, 0, 41800, 0, 0, 0},
    {k2025From, k2025To, ORLA_NH, 0, 0, 14000, 0, 0, 0},
    {k2025From, k2025To, ORLA_NJ, 0, 0, 43300, 0, 0, 0.00425},
    {k2025From, k2025To, ORLA_NM, 0, 0, 31500, 0, 0, 0},
    {k2025From, k2025To, ORLA_NY, 0, 0, 12800, 0, 0, 0},
    {k2025From, k2025To, ORLA_NC, 0, 0, 32600, 0, 0, 0},
    {k2025From, k2025To, ORLA_ND, 0, 0, 46800, 0, 0, 0},
    {k2025From, k2025To, ORLA_OH, 0, 0, 9000, 0, 0, 0},
    {k2025From, k2025To, ORLA_OK, 0, 0, 28200, 0, 0, 0},
    {k2025From, k2025To, ORLA_OR, 0, 0, 54300, 0, 0, 0},
    {k2025From, k2025To, ORLA_PA, 0, 0, 10000, 0, 0, 0},
    {k2025From, k2025To, ORLA_PR, 0, 0, 7000, 0, 0, 0},
    {k2025From, k2025To, ORLA_RI, 0, 0, 31800, 0.097, 30700, 0},
    {k2025From, k2025To, ORLA_SC, 0, 0, 14000, 0, 0, 0},
    {k2025From, k2025To, ORLA_SD, 0, 0, 15000, 0, 0, 0},
    {k2025From, k2025To, ORLA_TN, 0, 0, 7000, 0, 0, 0},
    {k2025From, k2025To, ORLA_TX, 0, 0, 9000, 0, 0, 0},
    {k2025From, k2025To, ORLA_UT, 0, 0, 48900, 0, 0, 0},
    {k2025From, k2025To, ORLA_VT, 0, 0, 14800, 0, 0, 0},
    {k2025From, k2025To, ORLA_VA, 0, 0, 8000, 0, 0, 0},
    {k2025From, k2025To, ORLA_WA, 0, 0, 72800, 0, 0, 0},
    {k2025From, k2025To, ORLA_WV, 0, 0, 9500, 0, 0, 0},
    {k2025From, k2025To, ORLA_WI, 0, 0, 14000, 0, 0, 0},
    {k2025From, k2025To, ORLA_WY, 0, 0, 32400, 0, 0, 0},
    {k2024From, k2024To, ORLA_AL, 0, 0, 8000, 0, 0, 0},
    {k2024From, k2024To, ORLA_AK, 0, 0, 49700, 0, 0, 0.005},
    {k2024From, k2024To, ORLA_AZ, 0, 0, 8000, 0, 0, 0},
    {k2024From, k2024To, ORLA_AR, 0, 0, 7000, 0, 0, 0},
    {k2024From, k2024To, ORLA_CA, 0, 0, 7000, 0, 0, 0},
    {k2024From, k2024To, ORLA_CO, 0, 0, 23800, 0, 0, 0},
    {k2024From, k2024To, ORLA_CT, 0, 0, 25000, 0, 0, 0},
    {k2024From, k2024To, ORLA_DE, 0, 0, 10500, 0, 0, 0},
    {k2024From, k2024To, ORLA_DC, 0, 0, 9000, 0, 0, 0},
    {k2024From, k2024To, ORLA_FL, 0, 0, 7000, 0, 0, 0},
    {k2024From, k2024To, ORLA_GA, 0, 0, 9500, 0, 0, 0},
    {k2024From, k2024To, ORLA_HI, 0, 0, 59100, 0, 0, 0},
    {k2024From, k2024To, ORLA_ID, 0, 0, 43500, 0, 0, 0},
    {k2024From, k2024To, ORLA_IL, 0, 0, 13590, 0, 0, 0},
    {k2024From, k2024To, ORLA_IN, 0, 0, 9500, 0, 0, 0},
    {k2024From, k2024To, ORLA_IA, 0, 0, 38200, 0, 0, 0},
    {k2024From, k2024To, ORLA_KS, 0, 0, 14000, 0, 0, 0},
    {k2024From, k2024To, ORLA_KY, 0, 0, 11400, 0, 0, 0},
    {k2024From, k2024To, ORLA_LA, 0, 0, 7700, 0, 0, 0},
    {k2024From, k2024To, ORLA_ME, 0, 0, 12000, 0, 0, 0},
    {k2024From, k2024To, ORLA_MD, 0, 0, 8500, 0, 0, 0},
    {k2024From, k2024To, ORLA_MA, 0, 0, 15000, 0, 0, 0},
    {k2024From, k2024To, ORLA_MI, 0, 0, 9500, 0, 0, 0},
    {k2024From, k2024To, ORLA_MN, 0, 0, 42000, 0, 0, 0},
    {k2024From, k2024To, ORLA_MS, 0, 0, 14000, 0, 0, 0},
    {k2024From, k2024To, ORLA_MO, 0, 0, 10000, 0, 0, 0},
    {k2024From, k2024To, ORLA_MT, 0, 0, 43000, 0, 0, 0},
    {k2024From, k2024To, ORLA_NE, 0, 0, 9000, 0, 0, 0},
    {k2024From, k2024To, ORLA_NV, 0, 0, 40600, 0, 0, 0},
    {k2024From, k2024To, ORLA_NH, 0, 0, 14000, 0, 0, 0},
    {k2024From, k2024To, ORLA_NJ, 0, 0, 42300, 0, 0, 0.00425},
    {k2024From, k2024To, ORLA_NM, 0, 0, 31500, 0, 0, 0},
    {k2024From, k2024To, ORLA_NY, 0, 0, 12500, 0, 0, 0},
    {k2024From, k2024To, ORLA_NC, 0, 0, 31400, 0, 0, 0},
    {k2024From, k2024To, ORLA_ND, 0, 0, 43800, 0, 0, 0},
    {k2024From, k2024To, ORLA_OH, 0, 0, 9000, 0, 0, 0},
    {k2024From, k2024To, ORLA_OK, 0, 0, 27000, 0, 0, 0},
    {k2024From, k2024To, ORLA_OR, 0, 0, 52800, 0, 0, 0},
    {k2024From, k2024To, ORLA_PA, 0, 0, 10000, 0, 0, 0},
    {k2024From, k2024To, ORLA_PR, 0, 0, 7000, 0, 0, 0},
    {k2024From, k2024To, ORLA_RI, 0, 0, 29200, 0.097, 30700, 0},
    {k2024From, k2024To, ORLA_SC, 0, 0, 14000, 0, 0, 0},
    {k2024From, k2024To, ORLA_SD, 0, 0, 15000, 0, 0, 0},
    {k2024From, k2024To, ORLA_TN, 0, 0, 7000, 0, 0, 0},
    {k2024From, k2024To, ORLA_TX, 0, 0, 9000, 0, 0, 0},
    {k2024From, k2024To, ORLA_UT, 0, 0, 47000, 0, 0, 0},
    {k2024From, k2024To, ORLA_VT, 0, 0, 14300, 0, 0, 0},
    {k2024From, k2024To, ORLA_VA, 0, 0, 8000, 0, 0, 0},
    {k2024From, k2024To, ORLA_WA, 0, 0, 68500, 0, 0, 0},
    {k2024From, k2024To, ORLA_WV, 0, 0, 9521, 0, 0, 0},
    {k2024From, k2024To, ORLA_WI, 0, 0, 14000, 0, 0, 0},
    {k2024From, k2024To, ORLA_WY, 0, 0, 30900, 0, 0, 0},
};
static_assert(std::size(kSui) == 157);

// The rows of each jurisdiction code, in stored order (at most one a year).
struct CodeRows {
    std::uint8_t count;
    std::uint8_t rows[3];
};
constexpr int kCodes = 60;
constexpr auto kRowsByCode = [] {
    std::array<CodeRows, kCodes> index{};
    for (std::size_t i = 0; i < std::size(kSui); ++i) {
        CodeRows& c = index[static_cast<std::size_t>(kSui[i].stateCode)];
        c.rows[c.count++] = static_cast<std::uint8_t>(i);
    }
    return index;
}();

// Every row of the jurisdiction that covers the pay date applies in turn, so the last one in stored
// order decides.
const SuiRow* lastApplying(int code, const CalcDate& payDate) {
    if (code < 0 || code >= kCodes) return nullptr;
    const CodeRows& c = kRowsByCode[static_cast<std::size_t>(code)];
    for (int k = c.count - 1; k >= 0; --k) {
        const SuiRow& row = kSui[c.rows[k]];
        if (rowCovers(row.from, row.to, payDate)) return &row;
    }
    return nullptr;
}

}  // namespace

std::span<const SuiRow> suiTable() { return kSui; }

int calcSui(SuiRecord* r) {
    if (r == nullptr) return 1;
    const bool employeePart = has(r, 80);
    LEVY_OUT(r, status, 0);
    LEVY_OUT(r, tax, 0.0);
    if (employeePart) LEVY_OUT(r, employeeTax, 0.0);
    LEVY_OUT(r, wageBase, 0.0);

    const double wages = LEVY_IN(r, wages);
    const double ytd = LEVY_IN(r, ytdWages);
    const double rate = LEVY_IN(r, rate);
    const double employeeRate = employeePart ? LEVY_IN(r, employeeRate) : 0.0;
    const SuiRow* row = lastApplying(LEVY_IN(r, stateCode), LEVY_IN(r, payDate));
    if (row == nullptr || !finite(wages) || !finite(ytd) || !finite(rate) || !finite(employeeRate)) {
        LEVY_OUT(r, status, 1);
        return 0;
    }
    // The alternative wage base serves the employers whose rate reaches the threshold.
    const double base = row->altWageBase > 0 && rate >= row->thresholdRate ? row->altWageBase : row->wageBase;
    const double taxable = capped(wages, ytd, base);
    const double tax = roundCents(taxable * rate);
    const double employeeTax = roundCents(taxable * (employeeRate > 0 ? employeeRate : row->employeeRate));
    if (!finite(tax) || !finite(employeeTax)) {
        LEVY_OUT(r, status, 1);
        return 0;
    }
    LEVY_OUT(r, wageBase, base);
    LEVY_OUT(r, tax, tax);
    if (employeePart) LEVY_OUT(r, employeeTax, employeeTax);
    return 0;
}

}  // namespace orla

extern "C" ORLA_API int ORLA_CALL SUI_Calc(SuiRecord* record) { return orla::calcSui(record); }
