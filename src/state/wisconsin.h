// Wisconsin income tax withholding: an annual formula with a phased-out standard deduction.
#pragma once

#include "frame/common.h"

namespace orla {

struct WisconsinDeductionRow {
    CalcDate from;
    CalcDate to;
    int status;
    double limit;  // the row serves annual wages below it; 0 never serves
    double amount;
    double phaseOutRate;  // 0: the amount as it stands
};

struct WisconsinBracketRow {
    CalcDate from;
    CalcDate to;
    int status;
    int periods;  // always 1
    double reserved1;  // not consulted
    double reserved2;
    double exemption;  // per allowance, annual
    double low;
    double high;  // 0 for the open top bracket
    double base;
    double rate;
};

// A flat supplemental rate chosen by the annual regular wage: low <= wage < high (high 0: open).
struct WisconsinSupplementalRow {
    CalcDate from;
    CalcDate to;
    double low;
    double high;
    double rate;
};

std::span<const WisconsinDeductionRow> wisconsinDeductionTable();
std::span<const WisconsinBracketRow> wisconsinBracketTable();
std::span<const WisconsinSupplementalRow> wisconsinSupplementalTable();

}  // namespace orla
