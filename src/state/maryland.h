// Maryland state withholding figures shared with the Maryland county taxes.
#pragma once

#include <span>

#include "frame/common.h"

namespace orla {

// A row of the Maryland state table (annual rows only), the shape of the combined state-and-county
// tables as well.
struct MarylandRow {
    CalcDate from;
    CalcDate to;
    double status;  // 0.0 single, 1.0 married
    int periods;
    double threshold;  // annual wages below this are not taxed
    double deductionPercent;
    double minDeduction;
    double maxDeduction;
    double exemption;
    double low;
    double high;  // 0: no upper bound
    double base;
    double rate;
};

std::span<const MarylandRow> marylandStateTable();

// The flat rate of the state tax on supplemental wages.
inline constexpr double kMarylandSupplementalRate = 0.0575;

// The standard deduction of a row for wages w: w x percentage, held between the minimum and maximum.
constexpr double marylandStandardDeduction(const MarylandRow& r, double w) {
    const double s = w * r.deductionPercent;
    const double atLeast = s < r.minDeduction ? r.minDeduction : s;
    return atLeast > r.maxDeduction ? r.maxDeduction : atLeast;
}

// The state's filing status m of the table: 2 is married; 3, 6 and 12 are single; others as given.
constexpr int marylandTableStatus(int stateFilingStatus) {
    switch (stateFilingStatus) {
        case 2: return 1;
        case 3:
        case 6:
        case 12: return 0;
        default: return stateFilingStatus;
    }
}

}  // namespace orla
