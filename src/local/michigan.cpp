// Michigan city income taxes: resident and non-resident rates on the wages less a per-exemption amount, and
// for a non-resident the tax of a second city where the employee works.
#include <array>
#include <iterator>

#include "local/code_index.h"
#include "local/local_calculators.h"
#include "local/local_tables.h"
#include "state/state_tables.h"

namespace orla {

namespace {

struct City {
    int code;
    double residentRate;     // percent
    double nonresidentRate;  // percent
    double exemption;        // annual, 2026
    double exemptionBefore;  // annual, 2024 and 2025
};

// In list order, opening with "None".
constexpr City kCities[] = {
    {0, 0, 0, 0, 0},  // None
    {1, 1.0, 0.5, 600, 600},  // Albion
    {2, 1.0, 0.5, 750, 750},  // Battle Creek
    {24, 1.0, 0.5, 750, 750},  // Benton Harbor
    {3, 1.0, 0.5, 600, 600},  // Big Rapids
    {4, 2.4, 1.2, 600, 600},  // Detroit
    {23, 1.0, 0.5, 600, 600},  // East Lansing
    {5, 1.0, 0.5, 600, 600},  // Flint
    {6, 1.5, 0.75, 750, 750},  // Grand Rapids
    {7, 1.0, 0.5, 600, 600},  // Grayling
    {8, 1.0, 0.5, 600, 600},  // Hamtramck
    {9, 2.0, 1.0, 600, 600},  // Highland Park
    {10, 1.0, 0.5, 1000, 1000},  // Hudson
    {11, 1.0, 0.5, 700, 700},  // Ionia
    {12, 1.0, 0.5, 600, 600},  // Jackson
    {13, 1.0, 0.5, 600, 600},  // Lansing
    {14, 1.0, 0.5, 600, 600},  // Lapeer
    {15, 1.0, 0.5, 600, 600},  // Muskegon
    {16, 1.0, 0.5, 600, 1200},  // Muskegon Heights
    {17, 1.0, 0.5, 600, 600},  // Pontiac
    {18, 1.0, 0.5, 600, 600},  // Port Huron
    {19, 1.0, 0.5, 1000, 1000},  // Portland
    {20, 1.5, 0.75, 750, 750},  // Saginaw
    {21, 1.0, 0.5, 750, 750},  // Springfield
    {22, 1.0, 0.5, 600, 600},  // Walker
};
static_assert(std::size(kCities) == 25);

// 2026, 2025, 2024, newest first.
constexpr auto kRows = [] {
    std::array<MichiganCityRow, std::size(kCities) * std::size(kTableYears)> rows{};
    std::size_t i = 0;
    for (const int year : kTableYears)
        for (const City& c : kCities)
            rows[i++] = MichiganCityRow{date(year, 1, 1), date(year, 12, 31), c.code, c.residentRate, c.nonresidentRate,
                                        year >= 2026 ? c.exemption : c.exemptionBefore};
    return rows;
}();
static_assert(kRows.size() == 75);
constexpr auto kRowIndex = codeIndex(kRows);

constexpr int kMuskegonHeights = 16;

struct Rates {
    double resident = 0.0;
    double nonresident = 0.0;
    double exemption = 0.0;
};

// The city's rates for the pay date; false when no row carries the code. localOption 1 doubles Muskegon
// Heights' exemption.
bool cityRates(int code, int option, const CalcDate& d, Rates& rates) {
    const MichiganCityRow* r = kRowIndex.find(code, [&d](const MichiganCityRow& row) { return rowCovers(row.from, row.to, d); });
    if (r == nullptr) return false;
    rates = Rates{r->residentRate, r->nonresidentRate, r->exemption};
    if (option == 1 && code == kMuskegonHeights) rates.exemption = 2 * rates.exemption;
    return true;
}

}  // namespace

std::span<const MichiganCityRow> michiganCityTable() { return kRows; }

int calcLocalMichigan(PayRecord* pay, StateRecord*, LocalRecord* local) {
    local->localTax = 0.0;
    local->workLocalityTax = 0.0;
    const CalcDate& d = pay->payDate;
    Rates main;
    if (!cityRates(local->localityCode, local->localOption, d, main)) return ORLA_FLAG_LOCAL;

    const int periods = local->localPayPeriods;
    const double perPay = periods > 0 ? main.exemption / periods : main.exemption;
    const int exemptions = local->localExemptions;
    const double wages = local->localWages;
    const double base = atLeastZero(wages - exemptions * perPay);
    const bool suppHeld = hasLocalSuppTax(local);
    double tax = 0.0;

    if (localResident(local) != 0) {
        tax = base * main.resident / 100;
        if (suppHeld) local->localSuppTax = main.resident / 100 * local->localSuppWages;
    } else {
        Rates work;
        if (!cityRates(local->workLocalityCode, local->localOption, d, work)) work = Rates{};
        tax = base * main.nonresident / 100;
        if (work.resident == 0) {
            if (suppHeld) local->localSuppTax = main.nonresident / 100 * local->localSuppWages;
        } else {
            const double workPerPay = periods > 0 ? work.exemption / periods : work.exemption;
            const double workBase = atLeastZero(wages - exemptions * workPerPay);
            const double asResident = work.resident / 100 * workBase - tax;
            const double asNonresident = work.nonresident / 100 * workBase;
            local->workLocalityTax = asResident > asNonresident ? asResident : asNonresident;
            const double supplemental = atLeastZero(local->localSuppWages);
            const double suppTax = supplemental * main.nonresident / 100;
            if (suppHeld) local->localSuppTax = suppTax;
            // Written wherever the record holds it (from 172 bytes).
            if (hasWorkLocalitySuppTax(local)) {
                const double workAsResident = work.resident / 100 * supplemental - suppTax;
                const double workAsNonresident = work.nonresident / 100 * supplemental;
                local->workLocalitySuppTax = workAsResident > workAsNonresident ? workAsResident : workAsNonresident;
            }
        }
    }
    local->localTax = tax + local->localExtraWithholding;
    pay->stateTaxableIncome = 180;
    return 0;
}

}  // namespace orla
