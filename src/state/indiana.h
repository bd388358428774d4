// Indiana state withholding figures shared with the Indiana county tax.
#pragma once

#include <span>

#include "frame/common.h"

namespace orla {

// A row of the Indiana withholding tables. Of the second and third tables only the dependent amount
// is used, from the row at the position of the row found in the first table.
struct IndianaRow {
    CalcDate from;
    CalcDate to;
    int status;  // not tested
    int periods;
    double exemption;
    double dependent;
    double low;
    double high;  // 0: no upper bound
    double base;
    double rate;
};

// The first table (exemption, dependent amount, band and rate) and the tables of the additional
// dependent and adopted-dependent amounts; all three have the same row order.
std::span<const IndianaRow> indianaWithholdingTable();
std::span<const IndianaRow> indianaAdditionalDependentTable();
std::span<const IndianaRow> indianaAdoptedDependentTable();

// The dependent counts of the employee's certificate for this pay: dependents, additional
// dependents (pay dates after September 2022) and adopted dependents (pay years after 2023, for the
// certificate's year or any year). Fields the declared record does not hold count as 0, and a
// record declared with 264 bytes counts none.
struct IndianaDependentCounts {
    int dependents = 0;
    int additional = 0;
    int adopted = 0;
};
IndianaDependentCounts indianaDependentCounts(const CalcDate& payDate, const StateRecord* state);

}  // namespace orla
