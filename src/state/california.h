// California (jurisdiction 6): row types and the tables, exposed for the checks of their rows.
#pragma once

#include "frame/common.h"

namespace orla {

// Low-income exemption thresholds of one pay period count.
struct CaLowIncomeRow {
    CalcDate from;
    CalcDate to;
    int periods;
    double single;
    double marriedUnder2;  // married, fewer than 2 allowances (regular plus estimated)
    double married2Plus;   // married, 2 or more
    double headOfHousehold;
};

// Deduction for 1 to 10 additional allowances for estimated deductions; no dates.
struct CaEstimatedDeductionRow {
    int periods;
    double amount[10];
};

// Standard deduction in whole dollars.
struct CaStandardDeductionRow {
    CalcDate from;
    CalcDate to;
    int periods;
    int single;
    int marriedUnder2;  // married, fewer than 2 regular allowances
    int married2Plus;
    int headOfHousehold;
};

struct CaSupplementalRateRow {
    CalcDate from;
    CalcDate to;
    double bonusRate;  // bonus and stock-option income
    double otherRate;  // other supplemental wages
};

struct CaExemptionCreditRow {
    CalcDate from;
    CalcDate to;
    int periods;
    int allowances;
    double credit;
};

// The six tables of the calculator.
struct CaTables {
    std::span<const CaLowIncomeRow> lowIncome;
    std::span<const CaEstimatedDeductionRow> estimatedDeduction;
    std::span<const CaStandardDeductionRow> standardDeduction;
    std::span<const BracketRow> taxRate;
    std::span<const CaSupplementalRateRow> supplementalRate;
    std::span<const CaExemptionCreditRow> exemptionCredit;
};

// The library's tables.
const CaTables& caTables();

// The calculation of calcCalifornia over the given tables (calcCalifornia passes caTables(); the checks
// pass altered tables to reach the failures that the library's own tables never show).
int calcCaliforniaWith(const CaTables& tables, const PayRecord* pay, StateRecord* state);

}  // namespace orla
