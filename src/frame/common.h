// Shared helpers of every calculator: rounding, dates, the row date test and the bracket lookups (the
// indexed lookups are in frame/run_index.h).
// Nothing here allocates or keeps state.
#pragma once

#include <orla/orla.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <span>

namespace orla {

// ---- record gates ---------------------------------------------------------------------------------
// A field gated at N exists when the declared size exceeds N.
template <class Record>
constexpr bool has(const Record* r, int gate) { return r->recordSize > gate; }

// ---- rounding ---------------------------------------------------------------------------------------
// Half up on the truncated thousandths: trunc((trunc(1000 x) + 5) / 10) / 100, carried out as
// t = trunc(-1000 x), q = (5 - t) / 10 with truncating division. The integer steps are 64-bit, so the
// results equal the 32-bit rule wherever that rule is defined and stay right beyond it. A non-finite
// amount never reaches the integer steps and is returned as it is (the driver clears and flags it); an
// amount too large for 64-bit thousandths is already far coarser than a cent and is returned as it is.
// Every calculator rounds several amounts per call, so the rule is inline.
namespace detail {
// trunc((5 - trunc(scale x)) / 10), with scale = -1000 (cents) or -10 (dollars), in 64-bit steps.
// Returns false when the product is not finite or does not fit in 64 bits.
inline bool roundedUnits(double x, double scale, std::int64_t& q) {
    const double product = x * scale;
    if (!(std::fabs(product) < 9.0e18)) return false;  // also NaN and the infinities
    const auto t = static_cast<std::int64_t>(product);
    q = (5 - t) / 10;
    return true;
}
}  // namespace detail
inline double roundCents(double x) {
    std::int64_t q = 0;
    if (!detail::roundedUnits(x, -1000.0, q)) return x;
    return static_cast<double>(q) / 100.0;
}
// The same rule on tenths, giving whole dollars.
inline double roundDollars(double x) {
    std::int64_t q = 0;
    if (!detail::roundedUnits(x, -10.0, q)) return x;
    return static_cast<double>(q);
}

// Truncates toward zero into an int, saturating at the int range; NaN gives 0.
int truncToInt(double x);

// ---- dates ------------------------------------------------------------------------------------------
// The time from b to a with 31-day months. Returns 1 and writes nothing when b's year is later than
// a's; otherwise writes the counts and returns 0. Counts saturate at the int range.
int dateDiff(const CalcDate& a, const CalcDate& b, int& years, int& months, int& days);
// As dateDiff, but when b's year is later it also sets years to 1.
int dateDiffStrict(const CalcDate& a, const CalcDate& b, int& years, int& months, int& days);

// The row date test: from <= d <= to for a row within one calendar year; a row whose to-date lies in
// an earlier year than d covers d when d is less than a year after from.
bool rowCoversSlow(const CalcDate& from, const CalcDate& to, const CalcDate& d);
inline bool rowCovers(const CalcDate& from, const CalcDate& to, const CalcDate& d) {
    if (from.year > d.year) return false;
    // A row within one calendar year, for a pay in that year: with 31-day months both differences come
    // down to from <= d <= to compared month first, then day. Most rows are of this kind.
    if (from.year == to.year && d.year == from.year)
        return (from.month < d.month || (from.month == d.month && from.day <= d.day)) &&
               (d.month < to.month || (d.month == to.month && d.day <= to.day));
    return rowCoversSlow(from, to, d);
}
// The strict variant (both differences strict): a later pay year never matches.
bool rowCoversStrict(const CalcDate& from, const CalcDate& to, const CalcDate& d);

// A pay date with a month 1 to 12 and a day 1 to 31.
constexpr bool realMonthAndDay(const CalcDate& d) { return d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= 31; }

// A row that runs one calendar year, 1 January to 31 December. Of such rows only those of the pay's own
// year cover a date of a real month and day: an earlier row would need the date less than a year after
// its 1 January, which no real day of a later year is.
constexpr bool runsCalendarYear(const CalcDate& from, const CalcDate& to) {
    return from.year == to.year && from.month == 1 && from.day == 1 && to.month == 12 && to.day == 31;
}

// Lowers a year by one without leaving the int range.
constexpr int yearBefore(int year) { return year > INT_MIN ? year - 1 : year; }

constexpr CalcDate date(int year, int month, int day) { return CalcDate{month, day, year}; }

// The first and last days of the table years, for the rows that run a calendar year.
inline constexpr CalcDate k2026From = date(2026, 1, 1);
inline constexpr CalcDate k2026To = date(2026, 12, 31);
inline constexpr CalcDate k2025From = date(2025, 1, 1);
inline constexpr CalcDate k2025To = date(2025, 12, 31);
inline constexpr CalcDate k2024From = date(2024, 1, 1);
inline constexpr CalcDate k2024To = date(2024, 12, 31);
inline constexpr CalcDate k2023From = date(2023, 1, 1);
inline constexpr CalcDate k2023To = date(2023, 12, 31);

// ---- effective-date tables --------------------------------------------------------------------------
// The common bracket row. A high of 0 means no upper bound.
struct BracketRow {
    CalcDate from;
    CalcDate to;
    int status;
    int periods;   // 1 marks an annual row
    double allowance;
    double low;
    double high;
    double base;
    double rate;
};

struct BracketHit {
    const BracketRow* row = nullptr;  // nullptr when neither pass found a row
    double tax = 0.0;
};

constexpr bool inBracket(const BracketRow& r, double x) { return x >= r.low && (x < r.high || r.high == 0); }

// First row in stored order that covers d, serves status and periods, and whose bracket holds x.
const BracketRow* findBracket(std::span<const BracketRow> rows, const CalcDate& d, int status, int periods,
                              double x);

// The bracket lookup with allowances: pass 1 over the rows of the pay's periods with
// x = max(0, w - a x allowance) and tax = base + (x - low) x rate; pass 2, when pass 1 finds nothing,
// over the annual rows with x = max(0, p x w - a x allowance) and the tax divided by p. Pass 2 needs
// p >= 1; with fewer periods nothing can be annualised and the lookup fails.
BracketHit bracketLookup(std::span<const BracketRow> rows, const CalcDate& d, int status, int periods, double w,
                         int allowances);

// The two passes of the state bracket lookup, find(rowPeriods, x) giving the first row of the periods whose
// bracket holds x: the pay's periods on w, else, with periods >= 1, the annual rows on w x periods with
// the tax divided by the periods.
template <class Find>
BracketHit stateBracketPasses(int periods, double w, Find&& find) {
    BracketHit hit;
    if (const BracketRow* r = find(periods, w)) {
        hit.row = r;
        hit.tax = (w - r->low) * r->rate + r->base;
        return hit;
    }
    if (periods < 1) return hit;
    const double annual = w * periods;
    if (const BracketRow* r = find(1, annual)) {
        hit.row = r;
        hit.tax = ((annual - r->low) * r->rate + r->base) / periods;
    }
    return hit;
}

// The state bracket lookup: as bracketLookup with no allowances and w not raised to 0, so a negative
// w matches no row.
BracketHit stateBracketLookup(std::span<const BracketRow> rows, const CalcDate& d, int status, int periods,
                              double w);

// The two-pass period lookup for any row type with from, to and periods: the first row covering d
// with the pay's periods, else the first covering annual row (annual is then set, and the caller
// divides the amounts it uses by the periods). nullptr when neither pass finds a row or when an
// annual row would be needed with periods < 1.
template <class Row>
const Row* periodLookup(std::span<const Row> rows, const CalcDate& d, int periods, bool& annual) {
    annual = false;
    for (const Row& r : rows)
        if (r.periods == periods && rowCovers(r.from, r.to, d)) return &r;
    if (periods < 1) return nullptr;
    for (const Row& r : rows)
        if (r.periods == 1 && rowCovers(r.from, r.to, d)) {
            annual = true;
            return &r;
        }
    return nullptr;
}

// First row in stored order that covers d (any row type with from and to).
template <class Row>
const Row* firstCovering(std::span<const Row> rows, const CalcDate& d) {
    for (const Row& r : rows)
        if (rowCovers(r.from, r.to, d)) return &r;
    return nullptr;
}

// max(0, x) without a library call; NaN gives 0, as std::fmax(0, NaN) does.
constexpr double atLeastZero(double x) { return x > 0 ? x : 0.0; }

// The zero floor: a tax that became negative after a subtraction becomes 0.
constexpr double zeroFloor(double tax) { return tax < 0 ? 0.0 : tax; }

inline bool finite(double x) { return std::isfinite(x); }

// Whether x is +0: a computation that adds x to its amounts repeats the one without it (but for an amount of
// -0, which becomes +0), so its result can be taken again.
inline bool isPlusZero(double x) { return x == 0 && !std::signbit(x); }
// Whether w + s is w itself, to the bit: s is +0 and w is not -0.
inline bool sumIsFirst(double w, double s) { return isPlusZero(s) && !(w == 0 && std::signbit(w)); }

// Whether every amount is finite: x - x is 0 for a finite x and NaN otherwise, and a NaN carries through
// the sum (a test of several amounts at about two instructions each, without branches).
template <class... Amounts>
inline bool allFinite(Amounts... x) {
    return ((x - x) + ...) == 0.0;
}

}  // namespace orla
