// Arkansas: annual wages less the standard deduction, taken to the middle of their $100 band below the
// banding limit, taxed at the bracket's rate less its subtracted amount, less a credit per exemption.
#include "state/calculators.h"
#include "state/state_tables.h"

namespace orla {

namespace {

constexpr CalcDate k2026From = date(2026, 1, 1);
constexpr CalcDate k2026To = date(2026, 12, 31);
constexpr CalcDate k2025From = date(2025, 1, 1);
constexpr CalcDate k2025To = date(2025, 12, 31);
constexpr CalcDate kJul2024From = date(2024, 7, 9);
constexpr CalcDate kJul2024To = date(2024, 12, 31);
constexpr CalcDate kJan2024From = date(2024, 1, 1);
constexpr CalcDate kJan2024To = date(2024, 7, 8);

struct TaxRow {
    CalcDate from;
    CalcDate to;
    int status;   // 0 in every row
    int periods;  // 1 in every row: the table is annual
    double standardDeduction;
    double oldCredit;  // used by rules before 2024 only
    double creditPerExemption;
    double bandLimit;  // annual taxable wages below this are taken to the middle of their $100 band
    double low;
    double high;  // 0 = open
    double subtracted;
    double rate;
};

constexpr TaxRow kTax[] = {
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 0, 5600, 0, 0},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 5600, 11200, 111.98, 0.02},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 11200, 16000, 223.97, 0.03},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 16000, 26400, 287.97, 0.034},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 26400, 94701, 419.96, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 94701, 94801, 399.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 94801, 94901, 389.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 94901, 95001, 379.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 95001, 95101, 369.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 95101, 95201, 359.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 95201, 95301, 349.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 95301, 95401, 339.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 95401, 95501, 329.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 95501, 95601, 319.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 95601, 95701, 309.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 95701, 95801, 299.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 95801, 95901, 289.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 95901, 96001, 279.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 96001, 96101, 269.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 96101, 96201, 259.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 96201, 96301, 249.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 96301, 96401, 239.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 96401, 96501, 229.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 96501, 96601, 219.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 96601, 96701, 209.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 96701, 96801, 199.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 96801, 96901, 189.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 96901, 97001, 179.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 97001, 97101, 169.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 97101, 97201, 159.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 97201, 97301, 149.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 97301, 97401, 139.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 97401, 97501, 129.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 97501, 97601, 119.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 97601, 97701, 109.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 97701, 97801, 99.3, 0.039},
    {k2026From, k2026To, 0, 1, 2470, 0, 29, 100001, 97801, 0, 89.3, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 0, 5500, 0, 0},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 5500, 10900, 109.98, 0.02},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 10900, 15600, 218.97, 0.03},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 15600, 25700, 281.37, 0.034},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 25700, 92301, 409.86, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 92301, 92401, 397.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 92401, 92501, 387.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 92501, 92601, 377.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 92601, 92701, 367.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 92701, 92801, 357.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 92801, 92901, 347.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 92901, 93001, 337.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 93001, 93101, 327.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 93101, 93201, 317.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 93201, 93301, 307.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 93301, 93401, 297.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 93401, 93501, 287.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 93501, 93601, 277.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 93601, 93701, 267.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 93701, 93801, 257.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 93801, 93901, 247.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 93901, 94001, 237.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 94001, 94101, 227.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 94101, 94201, 217.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 94201, 94301, 207.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 94301, 94501, 197.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 94501, 94601, 187.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 94601, 94701, 177.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 94701, 94801, 167.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 94801, 94901, 157.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 94901, 95001, 147.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 95001, 95101, 137.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 95101, 95201, 127.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 95201, 95301, 117.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 95301, 95401, 107.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 95401, 95501, 97.4, 0.039},
    {k2025From, k2025To, 0, 1, 2410, 0, 29, 100001, 95501, 0, 87.4, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 0, 5300, 0, 0},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 5300, 10600, 105.98, 0.02},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 10600, 15100, 211.97, 0.03},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 15100, 25000, 272.37, 0.034},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 25000, 89601, 397.36, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 89601, 89701, 395.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 89701, 89801, 385.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 89801, 89901, 375.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 89901, 90001, 365.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 90001, 90101, 355.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 90101, 90201, 345.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 90201, 90301, 335.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 90301, 90401, 325.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 90401, 90501, 315.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 90501, 90601, 305.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 90601, 90701, 295.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 90701, 90801, 285.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 90801, 90901, 275.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 90901, 91001, 265.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 91001, 91101, 255.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 91101, 91201, 245.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 91201, 91301, 235.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 91301, 91401, 225.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 91401, 91501, 215.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 91501, 91601, 205.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 91601, 91701, 195.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 91701, 91801, 185.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 91801, 91901, 175.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 91901, 92001, 165.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 92001, 92101, 155.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 92101, 92201, 145.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 92201, 92301, 135.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 92301, 92401, 125.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 92401, 92501, 115.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 92501, 92601, 105.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 92601, 92701, 95.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 92701, 100001, 85.5, 0.039},
    {kJul2024From, kJul2024To, 0, 1, 2340, 0, 29, 100001, 100001, 0, 85.5, 0.039},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 0, 5300, 0, 0},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 5300, 10600, 105.98, 0.02},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 10600, 15100, 211.97, 0.03},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 15100, 25000, 272.37, 0.034},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 25000, 89601, 522.36, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 89601, 89701, 506.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 89701, 89801, 496.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 89801, 89901, 486.5, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 89901, 90001, 476.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 90001, 90201, 466.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 90201, 90301, 456.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 90301, 90401, 446.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 90401, 90501, 436.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 90501, 90601, 426.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 90601, 90701, 416.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 90701, 90801, 406.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 90801, 90901, 396.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 90901, 91101, 386.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 91101, 91201, 376.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 91201, 91301, 366.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 91301, 91401, 356.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 91401, 91501, 346.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 91501, 91601, 336.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 91601, 91701, 326.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 91701, 91801, 316.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 91801, 91901, 306.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 91901, 92001, 296.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 92001, 92101, 286.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 92101, 92201, 276.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 92201, 92301, 266.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 92301, 92401, 256.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 92401, 92501, 246.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 92501, 92601, 236.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 92601, 92701, 226.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 92701, 92801, 216.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 92801, 92901, 206.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 92901, 93001, 196.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 93001, 93101, 186.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 93101, 93201, 176.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 93201, 93301, 166.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 93301, 93401, 156.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 93401, 93501, 146.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 93501, 93601, 136.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 93601, 100001, 126.4, 0.044},
    {kJan2024From, kJan2024To, 0, 1, 2340, 0, 29, 100001, 100001, 0, 126.4, 0.044},
};
static_assert(std::size(kTax) == 157);

constexpr FlatRateRow kSupplementalRates[] = {
    {k2026From, k2026To, 0.039},
    {k2025From, k2025To, 0.039},
    {kJul2024From, kJul2024To, 0.039},
    {kJan2024From, kJan2024To, 0.044},
};

constexpr bool allStatusZero() {
    for (const TaxRow& r : kTax)
        if (r.status != 0) return false;
    return true;
}
static_assert(allStatusZero(), "the period lookup finds rows of status 0 only");

// The tax table's runs of rows sharing dates, status and periods, keyed by status and periods.
constexpr long long taxKey(int status, int periods) {
    return static_cast<long long>(status) * (1LL << 32) + static_cast<std::uint32_t>(periods);
}
constexpr KeyedRunIndex<TaxRow, std::size(kTax)> kTaxIndex(kTax, [](const TaxRow& r) { return taxKey(r.status, r.periods); });

// The middle of the $100 band that holds a non-negative amount.
double bandMiddle(double amount) { return std::floor(amount / 100) * 100 + 50; }

}  // namespace

int calcArkansas(int /*mode*/, PayRecord* pay, StateRecord* state) {
    pay->stateTaxableIncome = 0;
    const CalcDate& payDate = pay->payDate;
    const int periods = state->statePayPeriods;
    int result = 0;

    // The two-pass period lookup: the first covering row fixes which rows (the pay's periods or the annual
    // ones) hold the brackets. Every row is annual, so both passes give the same tax.
    const auto anyRow = [](const TaxRow&) { return true; };
    const TaxRow* first = kTaxIndex.find(payDate, taxKey(0, periods), anyRow);
    if (first == nullptr && periods >= 1) first = kTaxIndex.find(payDate, taxKey(0, 1), anyRow);
    const TaxRow* bracket = nullptr;
    double taxable = 0.0;
    if (first != nullptr) {
        taxable = zeroFloor(state->stateWages * periods - first->standardDeduction);
        if (taxable < first->bandLimit) taxable = bandMiddle(taxable);
        bracket = kTaxIndex.find(payDate, taxKey(0, first->periods), [taxable](const TaxRow& r) {
            return r.low <= taxable && (taxable < r.high || r.high == 0);
        });
    }
    if (bracket != nullptr) {
        double tax = roundDollars(taxable * bracket->rate - bracket->subtracted);
        tax = tax - state->stateAllowances * bracket->creditPerExemption;
        state->stateTax = zeroFloor(tax / periods);
    } else {
        state->status = ORLA_STATE_NO_ROW;
        result = 1;
    }

    if (has(state, 144)) {
        if (const FlatRateRow* row = firstCovering<FlatRateRow>(kSupplementalRates, payDate))
            state->stateSuppTax = roundCents(row->rate * state->stateSuppWages);
        else
            result |= 64;
    }
    return result;
}

}  // namespace orla
