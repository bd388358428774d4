#include "frame/common.h"

namespace orla {

namespace {

int saturate(std::int64_t v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

template <bool Strict>
int dateDiffImpl(const CalcDate& a, const CalcDate& b, int& years, int& months, int& days) {
    if (b.year > a.year) {
        if (Strict) years = 1;
        return 1;
    }
    std::int64_t y = std::int64_t{a.year} - b.year;
    std::int64_t m = std::int64_t{a.month} - b.month;
    if (m < 0) {
        y -= 1;
        m += 12;
    }
    std::int64_t d = std::int64_t{a.day} - b.day;
    if (d < 0) {
        m -= 1;
        d += 31;
    }
    if (m < 0) {
        y -= 1;
        m += 12;
    }
    years = saturate(y);
    months = saturate(m);
    days = saturate(d);
    return 0;
}

constexpr bool onOrBefore(const CalcDate& a, const CalcDate& b) {
    return a.month < b.month || (a.month == b.month && a.day <= b.day);
}

template <bool Strict>
bool rowCoversImpl(const CalcDate& from, const CalcDate& to, const CalcDate& d) {
    if (from.year > d.year) return false;
    // A row within one calendar year, for a pay in that year: with 31-day months both differences come
    // down to from <= d <= to compared month first, then day. Most rows are of this kind.
    if (from.year == to.year && d.year == from.year) return onOrBefore(from, d) && onOrBefore(d, to);
    int years = 0, months = 0, days = 0;
    dateDiffImpl<Strict>(d, from, years, months, days);
    if (years != 0) return false;
    if (d.year > to.year) {
        if (!Strict) return true;
        // The strict difference reports a year and the row fails.
        return false;
    }
    dateDiffImpl<Strict>(to, d, years, months, days);
    return years == 0;
}

}  // namespace

int truncToInt(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return INT_MAX;
    if (x <= -2147483648.0) return INT_MIN;
    return static_cast<int>(x);
}

int dateDiff(const CalcDate& a, const CalcDate& b, int& years, int& months, int& days) {
    return dateDiffImpl<false>(a, b, years, months, days);
}

int dateDiffStrict(const CalcDate& a, const CalcDate& b, int& years, int& months, int& days) {
    return dateDiffImpl<true>(a, b, years, months, days);
}

bool rowCoversSlow(const CalcDate& from, const CalcDate& to, const CalcDate& d) {
    // A row within one calendar year for a pay of a later year, with a valid pay month and day (the
    // common case of a table's older rows): the row covers the pay only when it is less than a year
    // after from, which takes the year just after from's and an earlier month and day than from's (the
    // 31-day-month difference then has no whole year).
    if (from.year == to.year && d.year > from.year && realMonthAndDay(d)) {
        if (d.year - 1 != from.year) return false;
        return d.month < from.month || (d.month == from.month && d.day < from.day);
    }
    return rowCoversImpl<false>(from, to, d);
}

bool rowCoversStrict(const CalcDate& from, const CalcDate& to, const CalcDate& d) {
    return rowCoversImpl<true>(from, to, d);
}

const BracketRow* findBracket(std::span<const BracketRow> rows, const CalcDate& d, int status, int periods,
                              double x) {
    for (const BracketRow& r : rows)
        if (r.status == status && r.periods == periods && inBracket(r, x) && rowCovers(r.from, r.to, d)) return &r;
    return nullptr;
}

BracketHit bracketLookup(std::span<const BracketRow> rows, const CalcDate& d, int status, int periods, double w,
                         int allowances) {
    BracketHit hit;
    // Pass 1: rows of the pay's periods. The allowance amount is the row's own, so x is per row.
    for (const BracketRow& r : rows) {
        if (r.status != status || r.periods != periods || !rowCovers(r.from, r.to, d)) continue;
        const double x = std::fmax(0.0, w - allowances * r.allowance);
        if (inBracket(r, x)) {
            hit.row = &r;
            hit.tax = r.base + (x - r.low) * r.rate;
            return hit;
        }
    }
    if (periods < 1) return hit;
    for (const BracketRow& r : rows) {
        if (r.status != status || r.periods != 1 || !rowCovers(r.from, r.to, d)) continue;
        const double x = std::fmax(0.0, periods * w - allowances * r.allowance);
        if (inBracket(r, x)) {
            hit.row = &r;
            hit.tax = (r.base + (x - r.low) * r.rate) / periods;
            return hit;
        }
    }
    return hit;
}

BracketHit stateBracketLookup(std::span<const BracketRow> rows, const CalcDate& d, int status, int periods,
                              double w) {
    return stateBracketPasses(periods, w, [&](int rowPeriods, double x) {
        return findBracket(rows, d, status, rowPeriods, x);
    });
}

}  // namespace orla
