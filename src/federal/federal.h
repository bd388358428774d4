// Federal withholding steps shared by the driver and the federal-rule territory calculators.
#pragma once

#include "frame/common.h"

namespace orla {

// Federal income tax of one pay by the annualised percentage method, with social security and
// Medicare as one of its steps. Writes fedTax (not rounded), ssTax and medicareTax; may set fedStatus
// to 1. Returns 0, or 1 when the withholding table (or the social security or Medicare table) has no
// row for the pay date.
int fedIncomeTax(int mode, PayRecord* pay);
// The same without the social security and Medicare step, for a rerun on a date whose shares are
// already computed and found (ssTax and medicareTax are left as they are).
int fedIncomeTaxWithoutFica(int mode, PayRecord* pay);

// Federal income tax on supplemental wages by the flat rate or the aggregate method. Writes fedSuppTax
// (cents) and, for an exempt employee, fedTax. Returns 0, or 64 when the flat rate has no row.
int fedSupplementalTax(int mode, PayRecord* pay);

inline constexpr int kNoSupplementalRateRow = 64;

// Social security and Medicare of one pay (the step of fedIncomeTax). Returns false when a table that
// was needed has no row for the pay date.
bool socialSecurityAndMedicare(int mode, PayRecord* pay);

// The social security wage base of the first row covering d, or -1.0.
double ssWageBaseFor(const CalcDate& d);
// The wage base of the table's first row (the newest year), whatever the date.
double ssWageBaseFirstRow();

// The federal tables, exposed for the checks of their rows.
std::span<const BracketRow> federalWithholdingTable();
std::span<const BracketRow> nonresidentAlienTable();

struct SupplementalRateRow {
    CalcDate from;
    CalcDate to;
    double threshold;
    double rate;
    double rateAboveThreshold;
};
std::span<const SupplementalRateRow> supplementalRateTable();

// Territories whose income tax follows the federal computation (Guam, the Northern Mariana Islands and
// the Virgin Islands, by the record's stateCode). sharesCurrent tells that the record's social security
// and Medicare shares were computed by a federal income tax that succeeded on the pay date as it stands,
// so that the rerun of the federal computation can leave them out. calcGuam and the others are the same
// without that knowledge.
int federalRuleTerritory(PayRecord* pay, StateRecord* state, bool sharesCurrent);
int calcGuam(int mode, PayRecord* pay, StateRecord* state);
int calcNorthernMarianas(int mode, PayRecord* pay, StateRecord* state);
int calcVirginIslands(int mode, PayRecord* pay, StateRecord* state);
std::span<const BracketRow> northernMarianasRebateTable();

}  // namespace orla
