// Oregon income tax withholding: the annual formula with two rate tables chosen by wage level.
#pragma once

#include "frame/common.h"

namespace orla {

// The annual wage above which the allowance credit is dropped.
struct OregonCreditLimitRow {
    CalcDate from;
    CalcDate to;
    int status;
    double limit;
};

// The wage at or above which the higher-wage rate table applies.
struct OregonWageLevelRow {
    CalcDate from;
    CalcDate to;
    int periods;
    double threshold;
};

// The cap on the federal tax subtracted, by annual wage: low <= wage < high (high 0: open).
struct OregonFederalSubtractionRow {
    CalcDate from;
    CalcDate to;
    int status;
    int periods;  // always 1
    double low;
    double high;
    double limit;
};

struct OregonRateRow {
    CalcDate from;
    CalcDate to;
    int status;
    int periods;  // always 1
    int reserved;  // not consulted
    double allowanceCredit;
    double maximumSubtraction;  // not consulted: the subtraction table gives the cap
    double standardDeduction;
    double low;
    double high;  // 0 for the open top bracket
    double excessOver;  // the tax is (t - excess over) x rate + base
    double base;
    double rate;
};

std::span<const OregonCreditLimitRow> oregonCreditLimitTable();
std::span<const OregonWageLevelRow> oregonWageLevelTable();
std::span<const OregonFederalSubtractionRow> oregonFederalSubtractionTable();
std::span<const OregonRateRow> oregonLowerWageTable();
std::span<const OregonRateRow> oregonHigherWageTable();

}  // namespace orla
