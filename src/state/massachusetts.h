// Massachusetts' tables, exposed for the checks of their rows.
#pragma once

#include "frame/common.h"

namespace orla {

// Per-pay exemption amounts (annual in the row of periods 1).
struct MassachusettsExemptionRow {
    CalcDate from;
    CalcDate to;
    int periods;
    double perExemption;
    double baseExemption;
    double headOfHousehold;  // subtracted from the tax
    double blindness;        // subtracted from the tax, once per blind spouse
    double noTaxThreshold;
};

// The employee's social security and Medicare tax is deductible up to a yearly cap.
struct MassachusettsFicaDeductionRow {
    CalcDate from;
    CalcDate to;
    double socialSecurityRate;
    double medicareRate;
    double annualCap;
};

std::span<const MassachusettsExemptionRow> massachusettsExemptionTable();
std::span<const MassachusettsFicaDeductionRow> massachusettsFicaDeductionTable();
std::span<const BracketRow> massachusettsRateTable();

}  // namespace orla
