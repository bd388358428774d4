// Kansas: graduated per-period tables. Until 28 July 2024 the wages are reduced by allowances of a
// fixed amount; from 29 July 2024 by a personal exemption and dependent exemptions. Results are whole
// dollars.
#include "state/kansas.h"

#include "federal/federal.h"
#include "frame/run_index.h"
#include "state/calculators.h"

namespace orla {

namespace {

constexpr CalcDate kJul2024From = date(2024, 7, 29);
constexpr CalcDate kJul2024To = date(2024, 12, 31);
constexpr CalcDate kJan2024From = date(2024, 1, 1);
constexpr CalcDate kJan2024To = date(2024, 7, 28);

constexpr KansasDependentRow kDependents[] = {
    {k2026From, k2026To, 0, 52, 44.62},
    {k2026From, k2026To, 0, 26, 89.23},
    {k2026From, k2026To, 0, 24, 96.67},
    {k2026From, k2026To, 0, 12, 193.33},
    {k2026From, k2026To, 0, 4, 580},
    {k2026From, k2026To, 0, 2, 1160},
    {k2026From, k2026To, 0, 1, 2320},
    {k2025From, k2025To, 0, 52, 44.62},
    {k2025From, k2025To, 0, 26, 89.23},
    {k2025From, k2025To, 0, 24, 96.67},
    {k2025From, k2025To, 0, 12, 193.33},
    {k2025From, k2025To, 0, 4, 580},
    {k2025From, k2025To, 0, 2, 1160},
    {k2025From, k2025To, 0, 1, 2320},
    {kJul2024From, kJul2024To, 0, 52, 44.62},
    {kJul2024From, kJul2024To, 0, 26, 89.23},
    {kJul2024From, kJul2024To, 0, 24, 96.67},
    {kJul2024From, kJul2024To, 0, 12, 193.33},
    {kJul2024From, kJul2024To, 0, 4, 580},
    {kJul2024From, kJul2024To, 0, 2, 1160},
    {kJul2024From, kJul2024To, 0, 1, 2320},
};
static_assert(std::size(kDependents) == 21);

// Per date range (newest first), statuses 0, 2 and 1, periods 52, 26, 24, 12, 4, 2 and 1: three
// brackets under the new rules, four under the old.
constexpr BracketRow kRates[] = {
    {k2026From, k2026To, 0, 52, 176.15, 0, 69, 0, 0},
    {k2026From, k2026To, 0, 52, 176.15, 69, 512, 0, 0.052},
    {k2026From, k2026To, 0, 52, 176.15, 512, 0, 23, 0.0558},
    {k2026From, k2026To, 0, 26, 352.31, 0, 139, 0, 0},
    {k2026From, k2026To, 0, 26, 352.31, 139, 1023, 0, 0.052},
    {k2026From, k2026To, 0, 26, 352.31, 1023, 0, 46, 0.0558},
    {k2026From, k2026To, 0, 24, 381.67, 0, 150, 0, 0},
    {k2026From, k2026To, 0, 24, 381.67, 150, 1109, 0, 0.052},
    {k2026From, k2026To, 0, 24, 381.67, 1109, 0, 49.83, 0.0558},
    {k2026From, k2026To, 0, 12, 763.33, 0, 300, 0, 0},
    {k2026From, k2026To, 0, 12, 763.33, 300, 2217, 0, 0.052},
    {k2026From, k2026To, 0, 12, 763.33, 2217, 0, 99.67, 0.0558},
    {k2026From, k2026To, 0, 4, 2290, 0, 901, 0, 0},
    {k2026From, k2026To, 0, 4, 2290, 901, 6651, 0, 0.052},
    {k2026From, k2026To, 0, 4, 2290, 6651, 0, 299, 0.0558},
    {k2026From, k2026To, 0, 2, 4580, 0, 1803, 0, 0},
    {k2026From, k2026To, 0, 2, 4580, 1803, 13303, 0, 0.052},
    {k2026From, k2026To, 0, 2, 4580, 13303, 0, 598, 0.0558},
    {k2026From, k2026To, 0, 1, 9160, 0, 3605, 0, 0},
    {k2026From, k2026To, 0, 1, 9160, 3605, 26605, 0, 0.052},
    {k2026From, k2026To, 0, 1, 9160, 26605, 0, 1196, 0.0558},
    {k2026From, k2026To, 2, 52, 176.15, 0, 69, 0, 0},
    {k2026From, k2026To, 2, 52, 176.15, 69, 512, 0, 0.052},
    {k2026From, k2026To, 2, 52, 176.15, 512, 0, 23, 0.0558},
    {k2026From, k2026To, 2, 26, 352.31, 0, 139, 0, 0},
    {k2026From, k2026To, 2, 26, 352.31, 139, 1023, 0, 0.052},
    {k2026From, k2026To, 2, 26, 352.31, 1023, 0, 46, 0.0558},
    {k2026From, k2026To, 2, 24, 381.67, 0, 150, 0, 0},
    {k2026From, k2026To, 2, 24, 381.67, 150, 1109, 0, 0.052},
    {k2026From, k2026To, 2, 24, 381.67, 1109, 0, 49.83, 0.0558},
    {k2026From, k2026To, 2, 12, 763.33, 0, 300, 0, 0},
    {k2026From, k2026To, 2, 12, 763.33, 300, 2217, 0, 0.052},
    {k2026From, k2026To, 2, 12, 763.33, 2217, 0, 99.67, 0.0558},
    {k2026From, k2026To, 2, 4, 2290, 0, 901, 0, 0},
    {k2026From, k2026To, 2, 4, 2290, 901, 6651, 0, 0.052},
    {k2026From, k2026To, 2, 4, 2290, 6651, 0, 299, 0.0558},
    {k2026From, k2026To, 2, 2, 4580, 0, 1803, 0, 0},
    {k2026From, k2026To, 2, 2, 4580, 1803, 13303, 0, 0.052},
    {k2026From, k2026To, 2, 2, 4580, 13303, 0, 598, 0.0558},
    {k2026From, k2026To, 2, 1, 9160, 0, 3605, 0, 0},
    {k2026From, k2026To, 2, 1, 9160, 3605, 26605, 0, 0.052},
    {k2026From, k2026To, 2, 1, 9160, 26605, 0, 1196, 0.0558},
    {k2026From, k2026To, 1, 52, 352.31, 0, 158, 0, 0},
    {k2026From, k2026To, 1, 52, 352.31, 158, 1043, 0, 0.052},
    {k2026From, k2026To, 1, 52, 352.31, 1043, 0, 46, 0.0558},
    {k2026From, k2026To, 1, 26, 704.62, 0, 317, 0, 0},
    {k2026From, k2026To, 1, 26, 704.62, 317, 2086, 0, 0.052},
    {k2026From, k2026To, 1, 26, 704.62, 2086, 0, 92, 0.0558},
    {k2026From, k2026To, 1, 24, 763.33, 0, 343, 0, 0},
    {k2026From, k2026To, 1, 24, 763.33, 343, 2260, 0, 0.052},
    {k2026From, k2026To, 1, 24, 763.33, 2260, 0, 99.67, 0.0558},
    {k2026From, k2026To, 1, 12, 1526.67, 0, 687, 0, 0},
    {k2026From, k2026To, 1, 12, 1526.67, 687, 4520, 0, 0.052},
    {k2026From, k2026To, 1, 12, 1526.67, 4520, 0, 199.33, 0.0558},
    {k2026From, k2026To, 1, 4, 4580, 0, 2060, 0, 0},
    {k2026From, k2026To, 1, 4, 4580, 2060, 13560, 0, 0.052},
    {k2026From, k2026To, 1, 4, 4580, 13560, 0, 598, 0.0558},
    {k2026From, k2026To, 1, 2, 9160, 0, 4120, 0, 0},
    {k2026From, k2026To, 1, 2, 9160, 4120, 27120, 0, 0.052},
    {k2026From, k2026To, 1, 2, 9160, 27120, 0, 1196, 0.0558},
    {k2026From, k2026To, 1, 1, 18320, 0, 8240, 0, 0},
    {k2026From, k2026To, 1, 1, 18320, 8240, 54240, 0, 0.052},
    {k2026From, k2026To, 1, 1, 18320, 54240, 0, 2392, 0.0558},
    {k2025From, k2025To, 0, 52, 176.15, 0, 69, 0, 0},
    {k2025From, k2025To, 0, 52, 176.15, 69, 512, 0, 0.052},
    {k2025From, k2025To, 0, 52, 176.15, 512, 0, 23, 0.0558},
    {k2025From, k2025To, 0, 26, 352.31, 0, 139, 0, 0},
    {k2025From, k2025To, 0, 26, 352.31, 139, 1023, 0, 0.052},
    {k2025From, k2025To, 0, 26, 352.31, 1023, 0, 46, 0.0558},
    {k2025From, k2025To, 0, 24, 381.67, 0, 150, 0, 0},
    {k2025From, k2025To, 0, 24, 381.67, 150, 1109, 0, 0.052},
    {k2025From, k2025To, 0, 24, 381.67, 1109, 0, 49.83, 0.0558},
    {k2025From, k2025To, 0, 12, 763.33, 0, 300, 0, 0},
    {k2025From, k2025To, 0, 12, 763.33, 300, 2217, 0, 0.052},
    {k2025From, k2025To, 0, 12, 763.33, 2217, 0, 99.67, 0.0558},
    {k2025From, k2025To, 0, 4, 2290, 0, 901, 0, 0},
    {k2025From, k2025To, 0, 4, 2290, 901, 6651, 0, 0.052},
    {k2025From, k2025To, 0, 4, 2290, 6651, 0, 299, 0.0558},
    {k2025From, k2025To, 0, 2, 4580, 0, 1803, 0, 0},
    {k2025From, k2025To, 0, 2, 4580, 1803, 13303, 0, 0.052},
    {k2025From, k2025To, 0, 2, 4580, 13303, 0, 598, 0.0558},
    {k2025From, k2025To, 0, 1, 9160, 0, 3605, 0, 0},
    {k2025From, k2025To, 0, 1, 9160, 3605, 26605, 0, 0.052},
    {k2025From, k2025To, 0, 1, 9160, 26605, 0, 1196, 0.0558},
    {k2025From, k2025To, 2, 52, 176.15, 0, 69, 0, 0},
    {k2025From, k2025To, 2, 52, 176.15, 69, 512, 0, 0.052},
    {k2025From, k2025To, 2, 52, 176.15, 512, 0, 23, 0.0558},
    {k2025From, k2025To, 2, 26, 352.31, 0, 139, 0, 0},
    {k2025From, k2025To, 2, 26, 352.31, 139, 1023, 0, 0.052},
    {k2025From, k2025To, 2, 26, 352.31, 1023, 0, 46, 0.0558},
    {k2025From, k2025To, 2, 24, 381.67, 0, 150, 0, 0},
    {k2025From, k2025To, 2, 24, 381.67, 150, 1109, 0, 0.052},
    {k2025From, k2025To, 2, 24, 381.67, 1109, 0, 49.83, 0.0558},
    {k2025From, k2025To, 2, 12, 763.33, 0, 300, 0, 0},
    {k2025From, k2025To, 2, 12, 763.33, 300, 2217, 0, 0.052},
    {k2025From, k2025To, 2, 12, 763.33, 2217, 0, 99.67, 0.0558},
    {k2025From, k2025To, 2, 4, 2290, 0, 901, 0, 0},
    {k2025From, k2025To, 2, 4, 2290, 901, 6651, 0, 0.052},
    {k2025From, k2025To, 2, 4, 2290, 6651, 0, 299, 0.0558},
    {k2025From, k2025To, 2, 2, 4580, 0, 1803, 0, 0},
    {k2025From, k2025To, 2, 2, 4580, 1803, 13303, 0, 0.052},
    {k2025From, k2025To, 2, 2, 4580, 13303, 0, 598, 0.0558},
    {k2025From, k2025To, 2, 1, 9160, 0, 3605, 0, 0},
    {k2025From, k2025To, 2, 1, 9160, 3605, 26605, 0, 0.052},
    {k2025From, k2025To, 2, 1, 9160, 26605, 0, 1196, 0.0558},
    {k2025From, k2025To, 1, 52, 352.31, 0, 158, 0, 0},
    {k2025From, k2025To, 1, 52, 352.31, 158, 1043, 0, 0.052},
    {k2025From, k2025To, 1, 52, 352.31, 1043, 0, 46, 0.0558},
    {k2025From, k2025To, 1, 26, 704.62, 0, 317, 0, 0},
    {k2025From, k2025To, 1, 26, 704.62, 317, 2086, 0, 0.052},
    {k2025From, k2025To, 1, 26, 704.62, 2086, 0, 92, 0.0558},
    {k2025From, k2025To, 1, 24, 763.33, 0, 343, 0, 0},
    {k2025From, k2025To, 1, 24, 763.33, 343, 2260, 0, 0.052},
    {k2025From, k2025To, 1, 24, 763.33, 2260, 0, 99.67, 0.0558},
    {k2025From, k2025To, 1, 12, 1526.67, 0, 687, 0, 0},
    {k2025From, k2025To, 1, 12, 1526.67, 687, 4520, 0, 0.052},
    {k2025From, k2025To, 1, 12, 1526.67, 4520, 0, 199.33, 0.0558},
    {k2025From, k2025To, 1, 4, 4580, 0, 2060, 0, 0},
    {k2025From, k2025To, 1, 4, 4580, 2060, 13560, 0, 0.052},
    {k2025From, k2025To, 1, 4, 4580, 13560, 0, 598, 0.0558},
    {k2025From, k2025To, 1, 2, 9160, 0, 4120, 0, 0},
    {k2025From, k2025To, 1, 2, 9160, 4120, 27120, 0, 0.052},
    {k2025From, k2025To, 1, 2, 9160, 27120, 0, 1196, 0.0558},
    {k2025From, k2025To, 1, 1, 18320, 0, 8240, 0, 0},
    {k2025From, k2025To, 1, 1, 18320, 8240, 54240, 0, 0.052},
    {k2025From, k2025To, 1, 1, 18320, 54240, 0, 2392, 0.0558},
    {kJul2024From, kJul2024To, 0, 52, 176.15, 0, 69, 0, 0},
    {kJul2024From, kJul2024To, 0, 52, 176.15, 69, 512, 0, 0.052},
    {kJul2024From, kJul2024To, 0, 52, 176.15, 512, 0, 23, 0.0558},
    {kJul2024From, kJul2024To, 0, 26, 352.31, 0, 139, 0, 0},
    {kJul2024From, kJul2024To, 0, 26, 352.31, 139, 1023, 0, 0.052},
    {kJul2024From, kJul2024To, 0, 26, 352.31, 1023, 0, 46, 0.0558},
    {kJul2024From, kJul2024To, 0, 24, 381.67, 0, 150, 0, 0},
    {kJul2024From, kJul2024To, 0, 24, 381.67, 150, 1109, 0, 0.052},
    {kJul2024From, kJul2024To, 0, 24, 381.67, 1109, 0, 49.83, 0.0558},
    {kJul2024From, kJul2024To, 0, 12, 763.33, 0, 300, 0, 0},
    {kJul2024From, kJul2024To, 0, 12, 763.33, 300, 2217, 0, 0.052},
    {kJul2024From, kJul2024To, 0, 12, 763.33, 2217, 0, 99.67, 0.0558},
    {kJul2024From, kJul2024To, 0, 4, 2290, 0, 901, 0, 0},
    {kJul2024From, kJul2024To, 0, 4, 2290, 901, 6651, 0, 0.052},
    {kJul2024From, kJul2024To, 0, 4, 2290, 6651, 0, 299, 0.0558},
    {kJul2024From, kJul2024To, 0, 2, 4580, 0, 1803, 0, 0},
    {kJul2024From, kJul2024To, 0, 2, 4580, 1803, 13303, 0, 0.052},
    {kJul2024From, kJul2024To, 0, 2, 4580, 13303, 0, 598, 0.0558},
    {kJul2024From, kJul2024To, 0, 1, 9160, 0, 3605, 0, 0},
    {kJul2024From, kJul2024To, 0, 1, 9160, 3605, 26605, 0, 0.052},
    {kJul2024From, kJul2024To, 0, 1, 9160, 26605, 0, 1196, 0.0558},
    {kJul2024From, kJul2024To, 2, 52, 176.15, 0, 69, 0, 0},
    {kJul2024From, kJul2024To, 2, 52, 176.15, 69, 512, 0, 0.052},
    {kJul2024From, kJul2024To, 2, 52, 176.15, 512, 0, 23, 0.0558},
    {kJul2024From, kJul2024To, 2, 26, 352.31, 0, 139, 0, 0},
    {kJul2024From, kJul2024To, 2, 26, 352.31, 139, 1023, 0, 0.052},
    {kJul2024From, kJul2024To, 2, 26, 352.31, 1023, 0, 46, 0.0558},
    {kJul2024From, kJul2024To, 2, 24, 381.67, 0, 150, 0, 0},
    {kJul2024From, kJul2024To, 2, 24, 381.67, 150, 1109, 0, 0.052},
    {kJul2024From, kJul2024To, 2, 24, 381.67, 1109, 0, 49.83, 0.0558},
    {kJul2024From, kJul2024To, 2, 12, 763.33, 0, 300, 0, 0},
    {kJul2024From, kJul2024To, 2, 12, 763.33, 300, 2217, 0, 0.052},
    {kJul2024From, kJul2024To, 2, 12, 763.33, 2217, 0, 99.67, 0.0558},
    {kJul2024From, kJul2024To, 2, 4, 2290, 0, 901, 0, 0},
    {kJul2024From, kJul2024To, 2, 4, 2290, 901, 6651, 0, 0.052},
    {kJul2024From, kJul2024To, 2, 4, 2290, 6651, 0, 299, 0.0558},
    {kJul2024From, kJul2024To, 2, 2, 4580, 0, 1803, 0, 0},
    {kJul2024From, kJul2024To, 2, 2, 4580, 1803, 13303, 0, 0.052},
    {kJul2024From, kJul2024To, 2, 2, 4580, 13303, 0, 598, 0.0558},
    {kJul2024From, kJul2024To, 2, 1, 9160, 0, 3605, 0, 0},
    {kJul2024From, kJul2024To, 2, 1, 9160, 3605, 26605, 0, 0.052},
    {kJul2024From, kJul2024To, 2, 1, 9160, 26605, 0, 1196, 0.0558},
    {kJul2024From, kJul2024To, 1, 52, 352.31, 0, 158, 0, 0},
    {kJul2024From, kJul2024To, 1, 52, 352.31, 158, 1043, 0, 0.052},
    {kJul2024From, kJul2024To, 1, 52, 352.31, 1043, 0, 46, 0.0558},
    {kJul2024From, kJul2024To, 1, 26, 704.62, 0, 317, 0, 0},
    {kJul2024From, kJul2024To, 1, 26, 704.62, 317, 2086, 0, 0.052},
    {kJul2024From, kJul2024To, 1, 26, 704.62, 2086, 0, 92, 0.0558},
    {kJul2024From, kJul2024To, 1, 24, 763.33, 0, 343, 0, 0},
    {kJul2024From, kJul2024To, 1, 24, 763.33, 343, 2260, 0, 0.052},
    {kJul2024From, kJul2024To, 1, 24, 763.33, 2260, 0, 99.67, 0.0558},
    {kJul2024From, kJul2024To, 1, 12, 1526.67, 0, 687, 0, 0},
    {kJul2024From, kJul2024To, 1, 12, 1526.67, 687, 4520, 0, 0.052},
    {kJul2024From, kJul2024To, 1, 12, 1526.67, 4520, 0, 199.33, 0.0558},
    {kJul2024From, kJul2024To, 1, 4, 4580, 0, 2060, 0, 0},
    {kJul2024From, kJul2024To, 1, 4, 4580, 2060, 13560, 0, 0.052},
    {kJul2024From, kJul2024To, 1, 4, 4580, 13560, 0, 598, 0.0558},
    {kJul2024From, kJul2024To, 1, 2, 9160, 0, 4120, 0, 0},
    {kJul2024From, kJul2024To, 1, 2, 9160, 4120, 27120, 0, 0.052},
    {kJul2024From, kJul2024To, 1, 2, 9160, 27120, 0, 1196, 0.0558},
    {kJul2024From, kJul2024To, 1, 1, 18320, 0, 8240, 0, 0},
    {kJul2024From, kJul2024To, 1, 1, 18320, 8240, 54240, 0, 0.052},
    {kJul2024From, kJul2024To, 1, 1, 18320, 54240, 0, 2392, 0.0558},
    {kJan2024From, kJan2024To, 0, 52, 43.27, 0, 67, 0, 0},
    {kJan2024From, kJan2024To, 0, 52, 43.27, 67, 356, 0, 0.031},
    {kJan2024From, kJan2024To, 0, 52, 43.27, 356, 644, 8.94, 0.0525},
    {kJan2024From, kJan2024To, 0, 52, 43.27, 644, 0, 24.09, 0.057},
    {kJan2024From, kJan2024To, 0, 26, 86.54, 0, 135, 0, 0},
    {kJan2024From, kJan2024To, 0, 26, 86.54, 135, 712, 0, 0.031},
    {kJan2024From, kJan2024To, 0, 26, 86.54, 712, 1288, 17.88, 0.0525},
    {kJan2024From, kJan2024To, 0, 26, 86.54, 1288, 0, 48.17, 0.057},
    {kJan2024From, kJan2024To, 0, 24, 93.75, 0, 146, 0, 0},
    {kJan2024From, kJan2024To, 0, 24, 93.75, 146, 771, 0, 0.031},
    {kJan2024From, kJan2024To, 0, 24, 93.75, 771, 1396, 19.38, 0.0525},
    {kJan2024From, kJan2024To, 0, 24, 93.75, 1396, 0, 52.19, 0.057},
    {kJan2024From, kJan2024To, 0, 12, 187.5, 0, 292, 0, 0},
    {kJan2024From, kJan2024To, 0, 12, 187.5, 292, 1542, 0, 0.031},
    {kJan2024From, kJan2024To, 0, 12, 187.5, 1542, 2792, 38.75, 0.0525},
    {kJan2024From, kJan2024To, 0, 12, 187.5, 2792, 0, 104.38, 0.057},
    {kJan2024From, kJan2024To, 0, 4, 562.5, 0, 875, 0, 0},
    {kJan2024From, kJan2024To, 0, 4, 562.5, 875, 4625, 0, 0.031},
    {kJan2024From, kJan2024To, 0, 4, 562.5, 4625, 8375, 116.25, 0.0525},
    {kJan2024From, kJan2024To, 0, 4, 562.5, 8375, 0, 313.13, 0.057},
    {kJan2024From, kJan2024To, 0, 2, 1125, 0, 1750, 0, 0},
    {kJan2024From, kJan2024To, 0, 2, 1125, 1750, 9250, 0, 0.031},
    {kJan2024From, kJan2024To, 0, 2, 1125, 9250, 16750, 232.5, 0.0525},
    {kJan2024From, kJan2024To, 0, 2, 1125, 16750, 0, 626.25, 0.057},
    {kJan2024From, kJan2024To, 0, 1, 2250, 0, 3500, 0, 0},
    {kJan2024From, kJan2024To, 0, 1, 2250, 3500, 18500, 0, 0.031},
    {kJan2024From, kJan2024To, 0, 1, 2250, 18500, 33500, 465, 0.0525},
    {kJan2024From, kJan2024To, 0, 1, 2250, 33500, 0, 1252.5, 0.057},
    {kJan2024From, kJan2024To, 2, 52, 43.27, 0, 67, 0, 0},
    {kJan2024From, kJan2024To, 2, 52, 43.27, 67, 356, 0, 0.031},
    {kJan2024From, kJan2024To, 2, 52, 43.27, 356, 644, 8.94, 0.0525},
    {kJan2024From, kJan2024To, 2, 52, 43.27, 644, 0, 24.09, 0.057},
    {kJan2024From, kJan2024To, 2, 26, 86.54, 0, 135, 0, 0},
    {kJan2024From, kJan2024To, 2, 26, 86.54, 135, 712, 0, 0.031},
    {kJan2024From, kJan2024To, 2, 26, 86.54, 712, 1288, 17.88, 0.0525},
    {kJan2024From, kJan2024To, 2, 26, 86.54, 1288, 0, 48.17, 0.057},
    {kJan2024From, kJan2024To, 2, 24, 93.75, 0, 146, 0, 0},
    {kJan2024From, kJan2024To, 2, 24, 93.75, 146, 771, 0, 0.031},
    {kJan2024From, kJan2024To, 2, 24, 93.75, 771, 1396, 19.38, 0.0525},
    {kJan2024From, kJan2024To, 2, 24, 93.75, 1396, 0, 52.19, 0.057},
    {kJan2024From, kJan2024To, 2, 12, 187.5, 0, 292, 0, 0},
    {kJan2024From, kJan2024To, 2, 12, 187.5, 292, 1542, 0, 0.031},
    {kJan2024From, kJan2024To, 2, 12, 187.5, 1542, 2792, 38.75, 0.0525},
    {kJan2024From, kJan2024To, 2, 12, 187.5, 2792, 0, 104.38, 0.057},
    {kJan2024From, kJan2024To, 2, 4, 562.5, 0, 875, 0, 0},
    {kJan2024From, kJan2024To, 2, 4, 562.5, 875, 4625, 0, 0.031},
    {kJan2024From, kJan2024To, 2, 4, 562.5, 4625, 8375, 116.25, 0.0525},
    {kJan2024From, kJan2024To, 2, 4, 562.5, 8375, 0, 313.13, 0.057},
    {kJan2024From, kJan2024To, 2, 2, 1125, 0, 1750, 0, 0},
    {kJan2024From, kJan2024To, 2, 2, 1125, 1750, 9250, 0, 0.031},
    {kJan2024From, kJan2024To, 2, 2, 1125, 9250, 16750, 232.5, 0.0525},
    {kJan2024From, kJan2024To, 2, 2, 1125, 16750, 0, 626.25, 0.057},
    {kJan2024From, kJan2024To, 2, 1, 2250, 0, 3500, 0, 0},
    {kJan2024From, kJan2024To, 2, 1, 2250, 3500, 18500, 0, 0.031},
    {kJan2024From, kJan2024To, 2, 1, 2250, 18500, 33500, 465, 0.0525},
    {kJan2024From, kJan2024To, 2, 1, 2250, 33500, 0, 1252.5, 0.057},
    {kJan2024From, kJan2024To, 1, 52, 43.27, 0, 154, 0, 0},
    {kJan2024From, kJan2024To, 1, 52, 43.27, 154, 731, 0, 0.031},
    {kJan2024From, kJan2024To, 1, 52, 43.27, 731, 1308, 17.88, 0.0525},
    {kJan2024From, kJan2024To, 1, 52, 43.27, 1308, 0, 48.17, 0.057},
    {kJan2024From, kJan2024To, 1, 26, 86.54, 0, 308, 0, 0},
    {kJan2024From, kJan2024To, 1, 26, 86.54, 308, 1462, 0, 0.031},
    {kJan2024From, kJan2024To, 1, 26, 86.54, 1462, 2615, 35.77, 0.0525},
    {kJan2024From, kJan2024To, 1, 26, 86.54, 2615, 0, 96.35, 0.057},
    {kJan2024From, kJan2024To, 1, 24, 93.75, 0, 333, 0, 0},
    {kJan2024From, kJan2024To, 1, 24, 93.75, 333, 1583, 0, 0.031},
    {kJan2024From, kJan2024To, 1, 24, 93.75, 1583, 2833, 38.75, 0.0525},
    {kJan2024From, kJan2024To, 1, 24, 93.75, 2833, 0, 104.38, 0.057},
    {kJan2024From, kJan2024To, 1, 12, 187.5, 0, 667, 0, 0},
    {kJan2024From, kJan2024To, 1, 12, 187.5, 667, 3167, 0, 0.031},
    {kJan2024From, kJan2024To, 1, 12, 187.5, 3167, 5667, 77.5, 0.0525},
    {kJan2024From, kJan2024To, 1, 12, 187.5, 5667, 0, 208.75, 0.057},
    {kJan2024From, kJan2024To, 1, 4, 562.5, 0, 2000, 0, 0},
    {kJan2024From, kJan2024To, 1, 4, 562.5, 2000, 9500, 0, 0.031},
    {kJan2024From, kJan2024To, 1, 4, 562.5, 9500, 17000, 232.5, 0.0525},
    {kJan2024From, kJan2024To, 1, 4, 562.5, 17000, 0, 626.25, 0.057},
    {kJan2024From, kJan2024To, 1, 2, 1125, 0, 4000, 0, 0},
    {kJan2024From, kJan2024To, 1, 2, 1125, 4000, 19000, 0, 0.031},
    {kJan2024From, kJan2024To, 1, 2, 1125, 19000, 34000, 465, 0.0525},
    {kJan2024From, kJan2024To, 1, 2, 1125, 34000, 0, 1252.5, 0.057},
    {kJan2024From, kJan2024To, 1, 1, 2250, 0, 8000, 0, 0},
    {kJan2024From, kJan2024To, 1, 1, 2250, 8000, 38000, 0, 0.031},
    {kJan2024From, kJan2024To, 1, 1, 2250, 38000, 68000, 930, 0.0525},
    {kJan2024From, kJan2024To, 1, 1, 2250, 68000, 0, 2505, 0.057},
};
static_assert(std::size(kRates) == 273);

constexpr KansasSupplementalRow kSupplemental[] = {
    {k2026From, k2026To, 0.05},
    {k2025From, k2025To, 0.05},
    {date(2024, 1, 1), date(2024, 12, 31), 0.05},
};
static_assert(std::size(kSupplemental) == 3);

constexpr int kMarried = 1;

// The personal exemption and dependents apply to pay dates after 28 July 2024.
bool newRules(const CalcDate& d) {
    if (d.year != 2024) return d.year > 2024;
    return d.month > 7 || (d.month == 7 && d.day > 28);
}

// The deductions from the wages that do not depend on the rate row.
struct Deductions {
    bool newRules;
    int status;
    int allowances;
    double dependentTotal;  // new rules: dependents times the dependent amount
};

// The personal exemption under the new rules: married employees take half of it with one allowance.
double personalExemption(const Deductions& x, double exemption) {
    if (x.status == kMarried) {
        if (x.allowances >= 2) return exemption;
        return x.allowances == 1 ? exemption / 2 : 0.0;
    }
    return x.allowances >= 1 ? exemption : 0.0;
}

constexpr MappedRunIndex kRateIndex(kRates);

// The taxable wages depend on a row through its allowance amount only, so a run of ordered brackets of
// one allowance is bisected (findBand).
BracketHit lookup(const CalcDate& d, int periods, const Deductions& x, double wages) {
    BracketHit hit;
    const auto payTaxable = [&](const BracketRow& r) {
        return std::fmax(0.0, x.newRules ? wages - personalExemption(x, r.allowance) - x.dependentTotal
                                         : wages - x.allowances * r.allowance);
    };
    hit.row = kRateIndex.findBand(d, StatusPeriods{x.status, periods}, payTaxable);
    if (hit.row != nullptr) {
        hit.tax = (payTaxable(*hit.row) - hit.row->low) * hit.row->rate + hit.row->base;
        return hit;
    }
    if (periods < 1) return hit;
    const auto annualTaxable = [&](const BracketRow& r) {
        return std::fmax(0.0, x.newRules ? periods * wages - personalExemption(x, r.allowance) - x.dependentTotal
                                         : periods * wages - x.allowances * r.allowance);
    };
    hit.row = kRateIndex.findBand(d, StatusPeriods{x.status, 1}, annualTaxable);
    if (hit.row != nullptr)
        hit.tax = ((annualTaxable(*hit.row) - hit.row->low) * hit.row->rate + hit.row->base) / periods;
    return hit;
}

// The amount per dependent: the row of the pay's periods, else the annual row as it stands; 0 when
// neither exists.
double dependentAmount(const CalcDate& d, int periods) {
    bool annual = false;
    const KansasDependentRow* row = periodLookup<KansasDependentRow>(kDependents, d, periods, annual);
    return row != nullptr ? row->amount : 0.0;
}

}  // namespace

std::span<const BracketRow> kansasRateTable() { return kRates; }
std::span<const KansasDependentRow> kansasDependentTable() { return kDependents; }
std::span<const KansasSupplementalRow> kansasSupplementalTable() { return kSupplemental; }

int calcKansas(int /*mode*/, PayRecord* pay, StateRecord* state) {
    const CalcDate& payDate = pay->payDate;
    state->stateTableDate = date(2017, payDate.month, payDate.day);
    const int periods = state->statePayPeriods;
    const int status = state->stateFilingStatus;
    const int allowances = state->stateAllowances;

    // Dependents are the allowances beyond the employee's own (and the spouse's, when married).
    const int ownAllowances = status == kMarried ? 2 : 1;
    const int dependents = allowances > ownAllowances ? allowances - ownAllowances : 0;
    // The dependent amount counts only under the new rules and only with dependents.
    const bool newer = newRules(payDate);
    const double dependentTotal = newer && dependents > 0 ? dependents * dependentAmount(payDate, periods) : 0.0;
    const Deductions x{newer, status, allowances, dependentTotal};

    int result = 0;
    const BracketHit hit = lookup(payDate, periods, x, state->stateWages);
    if (hit.row == nullptr) {
        // No regular row: nothing more is computed (the driver's year fallback follows).
        state->status = ORLA_STATE_NO_ROW;
        return 1;
    }
    state->stateTax = hit.tax;
    state->stateTableDate = hit.row->from;

    if (!has(state, 144)) {
        state->stateTax = roundDollars(state->stateTax);
        return result;
    }
    if (state->stateSuppAggregate == 1) {
        // A failed repeat counts as a zero tax, so the supplemental tax becomes 0. Without supplemental
        // wages the repeat is the lookup of the wages alone.
        const double suppWages = state->stateSuppWages;
        const BracketHit withSupp = suppWages == 0 ? hit : lookup(payDate, periods, x, state->stateWages + suppWages);
        if (withSupp.row == nullptr) {
            state->status = ORLA_STATE_NO_ROW;
            result = 1;
        }
        state->stateSuppTax = roundCents(zeroFloor(withSupp.tax - state->stateTax));
    } else if (state->stateSuppAggregate == 0) {
        if (const KansasSupplementalRow* row = firstCovering<KansasSupplementalRow>(kSupplemental, payDate)) {
            state->stateSuppTax = roundCents(row->rate * state->stateSuppWages);
        } else {
            result |= kNoSupplementalRateRow;
        }
    }
    // Both results end in whole dollars, the supplemental tax also when no method above computed it.
    state->stateTax = roundDollars(state->stateTax);
    state->stateSuppTax = roundDollars(state->stateSuppTax);
    return result;
}

}  // namespace orla
