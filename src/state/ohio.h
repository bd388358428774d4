// Ohio state withholding figures shared with the Ohio municipal and school-district taxes.
#pragma once

#include <span>

#include "frame/common.h"

namespace orla {

// The personal-exemption amount per exemption, by pay periods; the same in every date block of the
// withholding table (which carries it as each row's allowance amount).
struct OhioExemption {
    int periods;
    double amount;
};
inline constexpr OhioExemption kOhioExemptionAmounts[] = {
    {52, 12.50}, {26, 25.00}, {24, 27.08}, {12, 54.17}, {1, 650.00},
};

// The Ohio withholding table: common bracket rows (the status is not tested), date blocks newest
// first, within a block the periods 52, 26, 24, 12 and 1, brackets ascending.
std::span<const BracketRow> ohioWithholdingTable();

// The first row of the withholding table, in stored order, with the periods whose dates cover d (the
// plain date test), or nullptr.
const BracketRow* ohioWithholdingRow(const CalcDate& d, int periods);

}  // namespace orla
