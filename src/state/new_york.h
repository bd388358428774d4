// New York State's withholding tables and lookups, shared with the New York City and Yonkers local
// calculators.
#pragma once

#include "frame/common.h"

namespace orla {

// The common bracket row with the per-period deduction inserted before the allowance amount. A negative
// base marks a high-income row: the whole annualised wage is then taxed at the rate of the high-income
// table instead of by the row's own formula.
struct NewYorkBracketRow {
    CalcDate from;
    CalcDate to;
    int status;   // 0 single, 1 married
    int periods;  // 52, 26, 24, 12, or 1 for the annual rows
    double deduction;
    double allowance;
    double low;
    double high;  // 0: no upper bound
    double base;  // negative: high-income row
    double rate;
};

constexpr bool isHighIncomeRow(const NewYorkBracketRow& r) { return r.base < 0; }

struct NewYorkSupplementalRateRow {
    CalcDate from;
    CalcDate to;
    double rate;
};

// The state's bracket table (per-period and annual rows), the high-income table (only dates, status,
// high and rate are read) and the flat supplemental rates.
std::span<const NewYorkBracketRow> newYorkBracketTable();
std::span<const NewYorkBracketRow> newYorkHighIncomeTable();
std::span<const NewYorkSupplementalRateRow> newYorkSupplementalRateTable();

// The high-income lookup: the first row for the date and status whose high exceeds the annual wage
// (or is 0); its low is not tested. nullptr when no such row exists.
const NewYorkBracketRow* newYorkHighIncomeRow(const CalcDate& d, int status, double annualWages);

struct NewYorkTax {
    bool found = false;  // false: no bracket row in either pass
    double tax = 0.0;    // per pay, unrounded
};

// The state tax of one pay on wages plus an extra amount (0, or the supplemental wages for the
// aggregate method): rows of the pay's periods first, then the annual rows with the amounts annualised
// and the tax divided by the periods. A high-income row taxes the annualised amount at the high-income
// rate. With fewer than one period nothing can be annualised and the lookup fails.
NewYorkTax newYorkBracketTax(const CalcDate& d, int status, int periods, double wages, double extra, int allowances);

}  // namespace orla
