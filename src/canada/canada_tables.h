// The Canadian tables: pension plan, employment insurance, federal and provincial brackets, credit
// rates, claim codes and their income-tested reductions. Rows are dated; a lookup takes the first row in
// stored order that covers the pay date (and, where a row has one, matches the province), newest year
// first. Rows of the years that no published source at hand gives are not carried: a pay that needs one
// finds no row and reports it through its status.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "frame/common.h"

namespace orla::canada {

constexpr CalcDate d(int year, int month, int day) { return date(year, month, day); }

// Canada Pension Plan: annual basic exemption, rate and maximum of the first tier, maximum and rate of
// the second tier (rates in per cent).
struct PensionRow {
    CalcDate from;
    CalcDate to;
    double basicExemption;
    double rate;
    double maxContribution;
    double maxSecondTier;
    double secondTierRate;
};

inline constexpr PensionRow kPension[] = {
    {d(2026, 1, 1), d(2026, 12, 31), 3500, 0.0595, 4034.10, 396, 0.04},
    {d(2025, 1, 1), d(2025, 12, 31), 3500, 0.0595, 4034.10, 396, 0.04},
    {d(2024, 1, 1), d(2024, 12, 31), 3500, 0.0595, 3867.50, 188, 0.04},
};

// Employment Insurance: rate and maximum premium; the third amount is carried but not read. The rows
// stand at the same positions as the pension rows, which the provincial calculation relies on.
struct InsuranceRow {
    CalcDate from;
    CalcDate to;
    double rate;
    double maxPremium;
    double unused;
};

inline constexpr InsuranceRow kInsurance[] = {
    {d(2026, 1, 1), d(2026, 12, 31), 0.0164, 1077.48, 0},
    {d(2025, 1, 1), d(2025, 12, 31), 0.0164, 1077.48, 0},
    {d(2024, 1, 1), d(2024, 12, 31), 0.0166, 1002.45, 0},
};
static_assert(std::size(kInsurance) == std::size(kPension), "the insurance rows pair with the pension rows");

// A bracket: low <= income and (income < high or high = 0); tax = rate x income - constant.
struct FederalBracketRow {
    CalcDate from;
    CalcDate to;
    double low;
    double high;
    double rate;
    double constant;
};

inline constexpr FederalBracketRow kFederalBrackets[] = {
    {d(2026, 1, 1), d(2026, 12, 31), 0, 57375, 0.145, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 57375, 114750, 0.205, 3443},
    {d(2026, 1, 1), d(2026, 12, 31), 114750, 177882, 0.26, 9754},
    {d(2026, 1, 1), d(2026, 12, 31), 177882, 253414, 0.29, 15090},
    {d(2026, 1, 1), d(2026, 12, 31), 253414, 0, 0.33, 25227},
    {d(2025, 7, 23), d(2025, 12, 31), 0, 57375, 0.14, 0},
    {d(2025, 7, 23), d(2025, 12, 31), 57375, 114750, 0.205, 3729},
    {d(2025, 7, 23), d(2025, 12, 31), 114750, 177882, 0.26, 10041},
    {d(2025, 7, 23), d(2025, 12, 31), 177882, 253414, 0.29, 15377},
    {d(2025, 7, 23), d(2025, 12, 31), 253414, 0, 0.33, 25514},
    {d(2025, 1, 1), d(2025, 7, 22), 0, 55867, 0.15, 0},
    {d(2025, 1, 1), d(2025, 7, 22), 55867, 111733, 0.205, 3073},
    {d(2025, 1, 1), d(2025, 7, 22), 111733, 173205, 0.26, 9218},
    {d(2025, 1, 1), d(2025, 7, 22), 173205, 246752, 0.29, 14414},
    {d(2025, 1, 1), d(2025, 7, 22), 246752, 0, 0.33, 24284},
    {d(2024, 1, 1), d(2024, 12, 31), 0, 55867, 0.15, 0},
    {d(2024, 1, 1), d(2024, 12, 31), 55867, 111733, 0.205, 3073},
    {d(2024, 1, 1), d(2024, 12, 31), 111733, 173205, 0.26, 9218},
    {d(2024, 1, 1), d(2024, 12, 31), 173205, 246752, 0.29, 14414},
    {d(2024, 1, 1), d(2024, 12, 31), 246752, 0, 0.33, 24284},
};

// The rate of the federal personal credits.
struct RateRow {
    CalcDate from;
    CalcDate to;
    double rate;
};

inline constexpr RateRow kFederalCreditRate[] = {
    {d(2026, 1, 1), d(2026, 12, 31), 0.15},
    {d(2025, 1, 1), d(2025, 12, 31), 0.15},
    {d(2024, 1, 1), d(2024, 12, 31), 0.15},
};

// The Canada employment amount: its credit is min(rate x income, rate x amount).
struct EmploymentAmountRow {
    CalcDate from;
    CalcDate to;
    double rate;
    double amount;
};

inline constexpr EmploymentAmountRow kEmploymentAmount[] = {
    {d(2026, 1, 1), d(2026, 12, 31), 0.15, 1471},
    {d(2025, 1, 1), d(2025, 12, 31), 0.15, 1471},
    {d(2024, 1, 1), d(2024, 12, 31), 0.15, 1433},
};

// ---- claim codes ----------------------------------------------------------------------------------

struct ClaimCodeRow {
    CalcDate from;
    CalcDate to;
    int province;
    int code;
    double low;
    double high;
    double amount;
};

// One level's claim codes 0 to 10 for a year: code 0 claims nothing, code 1 the basic personal amount B,
// code n from 2 on the band of width W above B + (n - 2) W (its low a cent above the band before), with
// the band's middle as the amount.
struct ClaimCodeGroup {
    int province;
    double basic;
    double width;
};

constexpr int kClaimCodesPerGroup = 11;

template <std::size_t N>
constexpr std::array<ClaimCodeRow, N * kClaimCodesPerGroup> claimCodeRows(CalcDate from, CalcDate to,
                                                                           const ClaimCodeGroup (&groups)[N]) {
    std::array<ClaimCodeRow, N * kClaimCodesPerGroup> rows{};
    std::size_t i = 0;
    for (const ClaimCodeGroup& g : groups)
        for (int n = 0; n < kClaimCodesPerGroup; ++n) {
            ClaimCodeRow r{from, to, g.province, n, 0, 0, 0};
            if (n == 1) {
                r.high = g.basic;
                r.amount = g.basic;
            } else if (n >= 2) {
                const double bandLow = g.basic + (n - 2) * g.width;
                r.low = bandLow + 0.01;
                r.high = g.basic + (n - 1) * g.width;
                r.amount = bandLow + g.width / 2;
            }
            rows[i++] = r;
        }
    return rows;
}

// 2026, every level but Quebec's (code 6). Code 2 repeats code 1.
inline constexpr ClaimCodeGroup kClaimCodeGroups2026[] = {
    {0, 16452, 2833}, {1, 11188, 2416}, {2, 11188, 2416}, {3, 11932, 1676}, {4, 15000, 1600},
    {5, 13664, 2797}, {7, 12989, 2798}, {8, 15780, 1693}, {9, 20381, 2493}, {10, 22769, 3257},
    {11, 13216, 2974}, {12, 16452, 2833}, {13, 18198, 3129}, {14, 19659, 3179},
};

inline constexpr auto kClaimCodes = claimCodeRows(d(2026, 1, 1), d(2026, 12, 31), kClaimCodeGroups2026);
static_assert(kClaimCodes.size() == 154);

// The levels whose basic personal amount falls with net income: between the two thresholds it falls from
// the maximum by the reduction rate (numerator / denominator where the rate is 0) down to the minimum.
struct ClaimReductionRow {
    CalcDate from;
    CalcDate to;
    int province;
    double lowerThreshold;
    double upperThreshold;
    double codeWidth;
    double numerator;
    double denominator;
    double maxBasic;
    double minBasic;
    double reductionRate;
};

inline constexpr ClaimReductionRow kClaimReductions[] = {
    {d(2026, 1, 1), d(2026, 12, 31), 0, 181440, 258482, 2350, 1623, 77042, 16452, 14829, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 12, 181440, 258482, 2350, 1623, 77042, 16452, 14829, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 8, 200000, 400000, 2350, 1387, 66083, 15780, 0, 0.06},
    {d(2025, 1, 1), d(2025, 12, 31), 0, 177882, 253414, 2350, 1591, 75532, 16129, 14538, 0},
    {d(2025, 1, 1), d(2025, 12, 31), 12, 177882, 253414, 2350, 1591, 75532, 16129, 14538, 0},
    {d(2025, 1, 1), d(2025, 12, 31), 3, 25000, 75000, 2350, 1387, 66083, 11744, 8744, 0.06},
    {d(2025, 1, 1), d(2025, 12, 31), 8, 200000, 400000, 2350, 1387, 66083, 15969, 0, 0.06},
    {d(2024, 1, 1), d(2024, 12, 31), 0, 173205, 246752, 2350, 1549, 73547, 15705, 14156, 0},
    {d(2024, 1, 1), d(2024, 12, 31), 12, 173205, 246752, 2350, 1549, 73547, 15705, 14156, 0},
    {d(2024, 1, 1), d(2024, 12, 31), 3, 25000, 75000, 2350, 1387, 66083, 11481, 8481, 0.06},
};

// ---- provincial -----------------------------------------------------------------------------------

struct ProvincialBracketRow {
    CalcDate from;
    CalcDate to;
    int province;
    double low;
    double high;
    double rate;
    double constant;
};

inline constexpr ProvincialBracketRow kProvincialBrackets[] = {
    {d(2026, 1, 1), d(2026, 12, 31), 10, 0, 60000, 0.08, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 10, 60000, 151234, 0.10, 1200},
    {d(2026, 1, 1), d(2026, 12, 31), 10, 151234, 181481, 0.12, 4225},
    {d(2026, 1, 1), d(2026, 12, 31), 10, 181481, 241974, 0.13, 6039},
    {d(2026, 1, 1), d(2026, 12, 31), 10, 241974, 362961, 0.14, 8459},
    {d(2026, 1, 1), d(2026, 12, 31), 10, 362961, 0, 0.15, 12089},
    {d(2026, 1, 1), d(2026, 12, 31), 11, 0, 49279, 0.0506, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 11, 49279, 98560, 0.077, 1301},
    {d(2026, 1, 1), d(2026, 12, 31), 11, 98560, 113158, 0.105, 4061},
    {d(2026, 1, 1), d(2026, 12, 31), 11, 113158, 137407, 0.1229, 6086},
    {d(2026, 1, 1), d(2026, 12, 31), 11, 137407, 186306, 0.147, 9398},
    {d(2026, 1, 1), d(2026, 12, 31), 11, 186306, 259829, 0.168, 13310},
    {d(2026, 1, 1), d(2026, 12, 31), 11, 259829, 0, 0.205, 22924},
    {d(2026, 1, 1), d(2026, 12, 31), 8, 0, 47000, 0.108, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 8, 47000, 100000, 0.1275, 917},
    {d(2026, 1, 1), d(2026, 12, 31), 8, 100000, 0, 0.174, 5567},
    {d(2026, 1, 1), d(2026, 12, 31), 5, 0, 51306, 0.094, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 5, 51306, 102614, 0.14, 2360},
    {d(2026, 1, 1), d(2026, 12, 31), 5, 102614, 190060, 0.16, 4412},
    {d(2026, 1, 1), d(2026, 12, 31), 5, 190060, 0, 0.195, 11064},
    {d(2026, 1, 1), d(2026, 12, 31), 1, 0, 44192, 0.087, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 1, 44192, 88382, 0.145, 2563},
    {d(2026, 1, 1), d(2026, 12, 31), 1, 88382, 157792, 0.158, 3712},
    {d(2026, 1, 1), d(2026, 12, 31), 1, 157792, 220910, 0.178, 6868},
    {d(2026, 1, 1), d(2026, 12, 31), 1, 220910, 282214, 0.198, 11286},
    {d(2026, 1, 1), d(2026, 12, 31), 1, 282214, 564429, 0.208, 14108},
    {d(2026, 1, 1), d(2026, 12, 31), 1, 564429, 1128858, 0.213, 16930},
    {d(2026, 1, 1), d(2026, 12, 31), 1, 1128858, 0, 0.218, 22575},
    {d(2026, 1, 1), d(2026, 12, 31), 2, 0, 30507, 0.0879, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 2, 30507, 61015, 0.1495, 1879},
    {d(2026, 1, 1), d(2026, 12, 31), 2, 61015, 95883, 0.1667, 2929},
    {d(2026, 1, 1), d(2026, 12, 31), 2, 95883, 154650, 0.175, 3725},
    {d(2026, 1, 1), d(2026, 12, 31), 2, 154650, 0, 0.21, 9137},
    {d(2026, 1, 1), d(2026, 12, 31), 3, 0, 30507, 0.0879, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 3, 30507, 61015, 0.1495, 1879},
    {d(2026, 1, 1), d(2026, 12, 31), 3, 61015, 95883, 0.1667, 2929},
    {d(2026, 1, 1), d(2026, 12, 31), 3, 95883, 154650, 0.175, 3725},
    {d(2026, 1, 1), d(2026, 12, 31), 3, 154650, 0, 0.21, 9137},
    {d(2026, 1, 1), d(2026, 12, 31), 13, 0, 51964, 0.059, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 13, 51964, 103930, 0.086, 1403},
    {d(2026, 1, 1), d(2026, 12, 31), 13, 103930, 168967, 0.122, 5145},
    {d(2026, 1, 1), d(2026, 12, 31), 13, 168967, 0, 0.1405, 8270},
    {d(2026, 1, 1), d(2026, 12, 31), 14, 0, 54707, 0.04, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 14, 54707, 109413, 0.07, 1641},
    {d(2026, 1, 1), d(2026, 12, 31), 14, 109413, 177881, 0.09, 3829},
    {d(2026, 1, 1), d(2026, 12, 31), 14, 177881, 0, 0.115, 8276},
    {d(2026, 1, 1), d(2026, 12, 31), 7, 0, 52886, 0.0505, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 7, 52886, 105775, 0.0915, 2168},
    {d(2026, 1, 1), d(2026, 12, 31), 7, 105775, 150000, 0.1116, 4294},
    {d(2026, 1, 1), d(2026, 12, 31), 7, 150000, 220000, 0.1216, 5794},
    {d(2026, 1, 1), d(2026, 12, 31), 7, 220000, 0, 0.1316, 7994},
    {d(2026, 1, 1), d(2026, 12, 31), 4, 0, 33328, 0.0965, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 4, 33328, 64656, 0.1363, 1323},
    {d(2026, 1, 1), d(2026, 12, 31), 4, 64656, 105000, 0.1665, 3347},
    {d(2026, 1, 1), d(2026, 12, 31), 4, 105000, 140000, 0.18, 4418},
    {d(2026, 1, 1), d(2026, 12, 31), 4, 140000, 0, 0.1875, 6350},
    {d(2026, 1, 1), d(2026, 12, 31), 9, 0, 53463, 0.104, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 9, 53463, 152750, 0.125, 1069},
    {d(2026, 1, 1), d(2026, 12, 31), 9, 152750, 0, 0.145, 4124},
    {d(2026, 1, 1), d(2026, 12, 31), 12, 0, 57375, 0.064, 0},
    {d(2026, 1, 1), d(2026, 12, 31), 12, 57375, 114750, 0.09, 1492},
    {d(2026, 1, 1), d(2026, 12, 31), 12, 114750, 177882, 0.109, 3672},
    {d(2026, 1, 1), d(2026, 12, 31), 12, 177882, 500000, 0.128, 7052},
    {d(2026, 1, 1), d(2026, 12, 31), 12, 500000, 0, 0.15, 18052},
    // 2025: the Alberta rows of both periods and the Ontario rows.
    {d(2025, 7, 23), d(2025, 12, 31), 10, 0, 60000, 0.06, 0},
    {d(2025, 7, 23), d(2025, 12, 31), 10, 60000, 151234, 0.10, 2400},
    {d(2025, 7, 23), d(2025, 12, 31), 10, 151234, 181481, 0.12, 5425},
    {d(2025, 7, 23), d(2025, 12, 31), 10, 181481, 241974, 0.13, 7239},
    {d(2025, 7, 23), d(2025, 12, 31), 10, 241974, 362961, 0.14, 9659},
    {d(2025, 7, 23), d(2025, 12, 31), 10, 362961, 0, 0.15, 13289},
    {d(2025, 1, 1), d(2025, 7, 22), 10, 0, 148269, 0.10, 0},
    {d(2025, 1, 1), d(2025, 7, 22), 10, 148269, 177922, 0.12, 2965},
    {d(2025, 1, 1), d(2025, 7, 22), 10, 177922, 237230, 0.13, 4745},
    {d(2025, 1, 1), d(2025, 7, 22), 10, 237230, 355845, 0.14, 7117},
    {d(2025, 1, 1), d(2025, 7, 22), 10, 355845, 0, 0.15, 10675},
    {d(2025, 1, 1), d(2025, 12, 31), 7, 0, 51446, 0.0505, 0},
    {d(2025, 1, 1), d(2025, 12, 31), 7, 51446, 102894, 0.0915, 2109},
    {d(2025, 1, 1), d(2025, 12, 31), 7, 102894, 150000, 0.1116, 4177},
    {d(2025, 1, 1), d(2025, 12, 31), 7, 150000, 220000, 0.1216, 5677},
    {d(2025, 1, 1), d(2025, 12, 31), 7, 220000, 0, 0.1316, 7877},
    // 2024: the Ontario rows.
    {d(2024, 1, 1), d(2024, 12, 31), 7, 0, 51446, 0.0505, 0},
    {d(2024, 1, 1), d(2024, 12, 31), 7, 51446, 102894, 0.0915, 2109},
    {d(2024, 1, 1), d(2024, 12, 31), 7, 102894, 150000, 0.1116, 4177},
    {d(2024, 1, 1), d(2024, 12, 31), 7, 150000, 220000, 0.1216, 5677},
    {d(2024, 1, 1), d(2024, 12, 31), 7, 220000, 0, 0.1316, 7877},
};
static_assert(std::size(kProvincialBrackets) == 85);

struct ProvincialRateRow {
    CalcDate from;
    CalcDate to;
    int province;
    double rate;
    double maximum;  // labour-fund credits: the largest credit; surtax: the threshold
};

// The lowest provincial rate, which the provincial credits are worked at, for one period: Alberta and
// Prince Edward Island differ before and after 23 July 2025.
struct LowestRates {
    double alberta;
    double princeEdwardIsland;
};

template <std::size_t Periods>
constexpr std::array<ProvincialRateRow, Periods * 13> lowestRateRows(const CalcDate (&from)[Periods],
                                                                     const CalcDate (&to)[Periods],
                                                                     const LowestRates (&rates)[Periods]) {
    std::array<ProvincialRateRow, Periods * 13> rows{};
    std::size_t i = 0;
    for (std::size_t p = 0; p < Periods; ++p) {
        const struct { int province; double rate; } byProvince[13] = {
            {10, rates[p].alberta}, {11, 0.0506}, {8, 0.108}, {5, 0.094}, {1, 0.087}, {2, 0.087}, {13, 0.059},
            {3, 0.0879}, {14, 0.04}, {7, 0.0505}, {4, rates[p].princeEdwardIsland}, {9, 0.105}, {12, 0.064},
        };
        for (const auto& b : byProvince) rows[i++] = {from[p], to[p], b.province, b.rate, 0};
    }
    return rows;
}

inline constexpr CalcDate kRatePeriodFrom[] = {d(2026, 1, 1), d(2025, 7, 23), d(2025, 1, 1), d(2024, 1, 1)};
inline constexpr CalcDate kRatePeriodTo[] = {d(2026, 12, 31), d(2025, 12, 31), d(2025, 7, 22), d(2024, 12, 31)};
inline constexpr LowestRates kRatePeriodRates[] = {{0.108, 0.095}, {0.108, 0.095}, {0.10, 0.098}, {0.10, 0.098}};

inline constexpr auto kProvincialCreditRate = lowestRateRows(kRatePeriodFrom, kRatePeriodTo, kRatePeriodRates);

// Every province and territory but Quebec, in the order of the surtax and labour-fund tables.
inline constexpr int kProvinces[] = {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14};

// A rate and maximum for each province in each calendar year 2026, 2025, 2024.
template <class Pick>
constexpr std::array<ProvincialRateRow, 3 * std::size(kProvinces)> yearlyProvinceRows(Pick pick) {
    std::array<ProvincialRateRow, 3 * std::size(kProvinces)> rows{};
    std::size_t i = 0;
    for (const int year : {2026, 2025, 2024})
        for (const int province : kProvinces) {
            const auto [rate, maximum] = pick(year, province);
            rows[i++] = {d(year, 1, 1), d(year, 12, 31), province, rate, maximum};
        }
    return rows;
}

struct RateAndMaximum {
    double rate;
    double maximum;
};

// Surtax: rate 0 and threshold 0 everywhere (Ontario's surtax is worked by its own rule).
inline constexpr auto kSurtax = yearlyProvinceRows([](int, int) { return RateAndMaximum{0, 0}; });

// Labour-sponsored funds credit: rate and largest credit.
inline constexpr auto kLabourFund = yearlyProvinceRows([](int year, int province) {
    switch (province) {
        case 8: return RateAndMaximum{0.15, 1800};
        case 5: return RateAndMaximum{0.2, 2000};
        case 3: return RateAndMaximum{0.2, 2000};
        case 9: return RateAndMaximum{0.175, 875};
        case 11: return year == 2026 ? RateAndMaximum{0, 0} : RateAndMaximum{0.15, 750};
        default: return RateAndMaximum{0, 0};
    }
});

}  // namespace orla::canada
