// New York City resident tax, Yonkers resident surcharge and Yonkers non-resident earnings tax, with the
// local tax on supplemental wages by the aggregate method or a flat supplemental rate. The Yonkers
// surcharge is a share of the state tax, computed on the local wages from the state's own bracket table.
#include <iterator>

#include "frame/run_index.h"
#include "local/local_calculators.h"
#include "state/new_york.h"
#include "local/local_tables.h"
#include "state/state_tables.h"

namespace orla {

namespace {

constexpr int kYonkers = 1;
constexpr int kNewYorkCity = 2;
constexpr int kNoBracketRow = 1;
constexpr int kNoSupplementalRateRow = 64;
constexpr double kYonkersResidentShare = 0.1675;  // of the state tax, pay years after 2017
constexpr double kYonkersNonresidentRate = 0.005;

struct CityBand {
    int status;
    int periods;
    double deduction;
    double allowance;
    double low;
    double high;  // 0: no upper bound
    double base;
    double rate;
};

// One year: single then married, periods 52, 26, 24, 12 and the annual rows, six brackets each.
constexpr CityBand kCityBands[] = {
    {0, 52, 96.15, 19.25, 0, 154, 0, 0.0205},
    {0, 52, 96.15, 19.25, 154, 167, 3.15, 0.028},
    {0, 52, 96.15, 19.25, 167, 288, 3.54, 0.0325},
    {0, 52, 96.15, 19.25, 288, 481, 7.46, 0.0395},
    {0, 52, 96.15, 19.25, 481, 1154, 15.06, 0.0415},
    {0, 52, 96.15, 19.25, 1154, 0, 43, 0.0425},
    {0, 26, 192.30, 38.50, 0, 308, 0, 0.0205},
    {0, 26, 192.30, 38.50, 308, 334, 6.31, 0.028},
    {0, 26, 192.30, 38.50, 334, 577, 7.08, 0.0325},
    {0, 26, 192.30, 38.50, 577, 962, 14.92, 0.0395},
    {0, 26, 192.30, 38.50, 962, 2308, 30.12, 0.0415},
    {0, 26, 192.30, 38.50, 2308, 0, 86, 0.0425},
    {0, 24, 208.35, 41.65, 0, 333, 0, 0.0205},
    {0, 24, 208.35, 41.65, 333, 362, 6.83, 0.028},
    {0, 24, 208.35, 41.65, 362, 625, 7.67, 0.0325},
    {0, 24, 208.35, 41.65, 625, 1042, 16.17, 0.0395},
    {0, 24, 208.35, 41.65, 1042, 2500, 32.63, 0.0415},
    {0, 24, 208.35, 41.65, 2500, 0, 93.17, 0.0425},
    {0, 12, 416.70, 83.30, 0, 667, 0, 0.0205},
    {0, 12, 416.70, 83.30, 667, 725, 13.67, 0.028},
    {0, 12, 416.70, 83.30, 725, 1250, 15.33, 0.0325},
    {0, 12, 416.70, 83.30, 1250, 2083, 32.33, 0.0395},
    {0, 12, 416.70, 83.30, 2083, 5000, 65.25, 0.0415},
    {0, 12, 416.70, 83.30, 5000, 0, 186.33, 0.0425},
    {0, 1, 5000, 1000, 0, 8000, 0, 0.0205},
    {0, 1, 5000, 1000, 8000, 8700, 164, 0.028},
    {0, 1, 5000, 1000, 8700, 15000, 184, 0.0325},
    {0, 1, 5000, 1000, 15000, 25000, 388, 0.0395},
    {0, 1, 5000, 1000, 25000, 60000, 783, 0.0415},
    {0, 1, 5000, 1000, 60000, 0, 2236, 0.0425},
    {1, 52, 105.75, 19.25, 0, 154, 0, 0.0205},
    {1, 52, 105.75, 19.25, 154, 167, 3.15, 0.028},
    {1, 52, 105.75, 19.25, 167, 288, 3.54, 0.0325},
    {1, 52, 105.75, 19.25, 288, 481, 7.46, 0.0395},
    {1, 52, 105.75, 19.25, 481, 1154, 15.06, 0.0415},
    {1, 52, 105.75, 19.25, 1154, 0, 43, 0.0425},
    {1, 26, 211.50, 38.50, 0, 308, 0, 0.0205},
    {1, 26, 211.50, 38.50, 308, 334, 6.31, 0.028},
    {1, 26, 211.50, 38.50, 334, 577, 7.08, 0.0325},
    {1, 26, 211.50, 38.50, 577, 962, 14.92, 0.0395},
    {1, 26, 211.50, 38.50, 962, 2308, 30.12, 0.0415},
    {1, 26, 211.50, 38.50, 2308, 0, 86, 0.0425},
    {1, 24, 229.15, 41.65, 0, 333, 0, 0.0205},
    {1, 24, 229.15, 41.65, 333, 362, 6.83, 0.028},
    {1, 24, 229.15, 41.65, 362, 625, 7.67, 0.0325},
    {1, 24, 229.15, 41.65, 625, 1042, 16.17, 0.0395},
    {1, 24, 229.15, 41.65, 1042, 2500, 32.63, 0.0415},
    {1, 24, 229.15, 41.65, 2500, 0, 93.17, 0.0425},
    {1, 12, 458.30, 83.30, 0, 667, 0, 0.0205},
    {1, 12, 458.30, 83.30, 667, 725, 13.67, 0.028},
    {1, 12, 458.30, 83.30, 725, 1250, 15.33, 0.0325},
    {1, 12, 458.30, 83.30, 1250, 2083, 32.33, 0.0395},
    {1, 12, 458.30, 83.30, 2083, 5000, 65.25, 0.0415},
    {1, 12, 458.30, 83.30, 5000, 0, 186.33, 0.0425},
    {1, 1, 5500, 1000, 0, 8000, 0, 0.0205},
    {1, 1, 5500, 1000, 8000, 8700, 164, 0.028},
    {1, 1, 5500, 1000, 8700, 15000, 184, 0.0325},
    {1, 1, 5500, 1000, 15000, 25000, 388, 0.0395},
    {1, 1, 5500, 1000, 25000, 60000, 783, 0.0415},
    {1, 1, 5500, 1000, 60000, 0, 2236, 0.0425},
};
static_assert(std::size(kCityBands) == 60);

// The same rows in 2026, 2025 and 2024, newest first, as rows of the state's bracket-row shape.
constexpr auto kCityBrackets = [] {
    std::array<NewYorkBracketRow, std::size(kCityBands) * std::size(kTableYears)> rows{};
    std::size_t i = 0;
    for (const int year : kTableYears)
        for (const CityBand& b : kCityBands)
            rows[i++] = NewYorkBracketRow{date(year, 1, 1), date(year, 12, 31), b.status, b.periods, b.deduction,
                                          b.allowance, b.low, b.high, b.base, b.rate};
    return rows;
}();
static_assert(kCityBrackets.size() == 180);
constexpr auto kCityRuns = runIndexBy(kCityBrackets, statusPeriodsOf<NewYorkBracketRow>);

// The first row of a bracket table, in stored order, with the pay's status, the given periods and a date
// covering the pay, that accept takes: through the city table's runs, or a scan of the state's table.
struct RowFinder {
    bool city;
    int status;
    CalcDate payDate;
    template <class Accept>
    const NewYorkBracketRow* operator()(int periods, Accept&& accept) const {
        if (city) return kCityRuns.find(payDate, StatusPeriods{status, periods}, accept);
        for (const NewYorkBracketRow& r : newYorkBracketTable())
            if (r.status == status && r.periods == periods && rowCovers(r.from, r.to, payDate) && accept(r)) return &r;
        return nullptr;
    }
};

constexpr FlatRateRow kCitySupplementalRates[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 0.0425},
    {date(2025, 1, 1), date(2025, 12, 31), 0.0425},
    {date(2024, 1, 1), date(2024, 12, 31), 0.0425},
};
constexpr FlatRateRow kYonkersSupplementalRates[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 0.0195975},
    {date(2025, 1, 1), date(2025, 12, 31), 0.0195975},
    {date(2024, 1, 1), date(2024, 12, 31), 0.0195975},
};

struct NonresidentBand {
    int periods;
    double low;
    double high;  // 0: no upper bound
    double exclusion;
};

// One year, periods 52, 12, 26, 24, 1. The 26-period fourth band begins at 759, inside the third: the
// third is met first for wages from 759 to 769.
constexpr NonresidentBand kNonresidentBands[] = {
    {52, 0, 77, 0},
    {52, 77, 192, 58},
    {52, 192, 385, 38},
    {52, 385, 577, 19},
    {52, 577, 0, 0},
    {12, 0, 333, 0},
    {12, 333, 833, 250},
    {12, 833, 1667, 167},
    {12, 1667, 2500, 83},
    {12, 2500, 0, 0},
    {26, 0, 154, 0},
    {26, 154, 385, 115},
    {26, 385, 769, 77},
    {26, 759, 1154, 38},
    {26, 1154, 0, 0},
    {24, 0, 167, 0},
    {24, 167, 417, 125},
    {24, 417, 833, 83},
    {24, 833, 1250, 42},
    {24, 1250, 0, 0},
    {1, 0, 3999.99, 0},
    {1, 3999.99, 10000, 3000},
    {1, 10000, 20000, 2000},
    {1, 20000, 30000, 1000},
    {1, 30000, 0, 0},
};
static_assert(std::size(kNonresidentBands) == 25);
constexpr auto kNonresident = overTableYears(kNonresidentBands);
using NonresidentRow = decltype(kNonresident)::value_type;
constexpr auto kNonresidentRuns = runIndexBy(kNonresident, [](const NonresidentRow& r) { return r.band.periods; });

// The figures of one local computation.
struct Inputs {
    const CalcDate& payDate;
    int status;          // 1 married, 0 single
    int periods;         // localPayPeriods
    int statePeriods;    // statePayPeriods, annualising in the second pass
    int exemptions;
    double wages;
};

struct Amount {
    bool found = false;
    double tax = 0.0;
};

// The bracket computation over the city's or the state's rows, on the wages plus an added amount: rows of
// the local periods first, then the annual rows with the amounts annualised by the state periods and the
// tax divided by the local periods (which must then be at least 1). A high-income row of the state's table
// (negative base) taxes the whole annualised amount at the state's high-income rate, as the state does.
Amount bracket(const RowFinder& firstRow, const Inputs& in, double added) {
    // On the state's rows with nothing added and the state's periods equal to the local ones, every step
    // is the state's own bracket tax, which finds its rows by its index: adding 0 changes no sum but a -0
    // into +0, neither way of ordering the sums can end in -0, and atLeastZero and fmax agree elsewhere.
    if (!firstRow.city && added == 0 && in.statePeriods == in.periods) {
        const NewYorkTax tax = newYorkBracketTax(in.payDate, in.status, in.periods, in.wages, 0.0, in.exemptions);
        return Amount{tax.found, tax.tax};
    }
    Amount result;
    auto apply = [&](const NewYorkBracketRow& r, double t, double annualise, double divisor) {
        if (!(t >= r.low)) return false;
        if (isHighIncomeRow(r)) {
            const double annual = annualise * t;
            const NewYorkBracketRow* h = newYorkHighIncomeRow(in.payDate, in.status, annual);
            result.tax = h != nullptr ? annual * h->rate / (annualise * divisor) : 0.0;
            return true;
        }
        if (!(t < r.high || r.high == 0)) return false;
        result.tax = ((t - r.low) * r.rate + r.base) / divisor;
        return true;
    };
    if (firstRow(in.periods, [&](const NewYorkBracketRow& r) {
            const double t = atLeastZero(in.wages - r.deduction + added - in.exemptions * r.allowance);
            return apply(r, t, in.periods, 1.0);
        })) {
        result.found = true;
        return result;
    }
    if (in.periods < 1) return result;
    if (firstRow(1, [&](const NewYorkBracketRow& r) {
            const double t = atLeastZero(in.statePeriods * in.wages - r.deduction + in.statePeriods * added -
                                         in.exemptions * r.allowance);
            return apply(r, t, 1.0, in.periods);
        })) {
        result.found = true;
    }
    return result;
}

// The non-resident earnings tax on the wages plus an added amount; the band is chosen by the wages alone
// (annualised in the second pass). The lowest band of each pay frequency, which carries no exclusion, is
// free of tax: the exclusions above it start where the earnings become taxable.
Amount nonresident(const Inputs& in, double added) {
    Amount result;
    // The first band of the periods holding w, over the rows that cover the pay date.
    auto bandOf = [&in](int periods, double w) -> const NonresidentBand* {
        const NonresidentRow* row = kNonresidentRuns.find(in.payDate, periods, [w](const NonresidentRow& r) {
            return w >= r.band.low && (w < r.band.high || r.band.high == 0);
        });
        return row != nullptr ? &row->band : nullptr;
    };
    auto lowest = [](const NonresidentBand* b) { return b->low == 0; };
    if (const NonresidentBand* b = bandOf(in.periods, in.wages)) {
        result.found = true;
        result.tax = lowest(b) && added == 0 ? 0.0
                                             : atLeastZero(in.wages - b->exclusion + added) * kYonkersNonresidentRate;
        return result;
    }
    if (in.periods < 1) return result;
    const double annual = in.statePeriods * in.wages + in.statePeriods * added;
    if (const NonresidentBand* b = bandOf(1, in.statePeriods * in.wages)) {
        result.found = true;
        result.tax = lowest(b) && added == 0
                         ? 0.0
                         : atLeastZero(annual - b->exclusion) * kYonkersNonresidentRate / in.periods;
    }
    return result;
}

const FlatRateRow* supplementalRate(std::span<const FlatRateRow> rows, const CalcDate& d) {
    return firstCovering(rows, d);
}

}  // namespace

int calcLocalNewYork(PayRecord* pay, StateRecord* state, LocalRecord* local) {
    const int code = local->localityCode;
    if (code != kYonkers && code != kNewYorkCity) {
        local->localTax = 0.0;
        return 0;
    }
    const Inputs in{pay->payDate, local->localOption == 1 ? 1 : 0, local->localPayPeriods, state->statePayPeriods,
                    local->localExemptions, local->localWages};
    const RowFinder table{code == kNewYorkCity, in.status, in.payDate};
    const bool resident = localResident(local) == 1;
    int result = 0;
    auto noRow = [&] {
        local->localStatus = 1;
        result |= kNoBracketRow;
    };

    const Amount regular = bracket(table, in, 0.0);
    if (!regular.found) noRow();
    double tax = regular.tax;
    if (code == kYonkers) {
        if (resident) {
            tax = regular.tax * kYonkersResidentShare;
        } else {
            const Amount earnings = nonresident(in, 0.0);
            if (!earnings.found) noRow();
            tax = earnings.tax;
        }
    }
    local->localTax = tax;

    // The supplemental method is read from records of 156 bytes on; the tax is written where the record
    // holds it.
    if (local->recordSize >= 156) {
        const int method = local->localSuppAggregate;
        const double supplemental = local->localSuppWages;
        double suppTax = 0.0;
        bool written = false;
        if (supplemental > 0 && method == 1) {
            const Amount combined = bracket(table, in, supplemental);
            if (!combined.found) noRow();
            double t = combined.tax;
            if (code == kYonkers) {
                if (resident) {
                    t = t * kYonkersResidentShare;
                } else {
                    const Amount earnings = nonresident(in, supplemental);
                    if (!earnings.found) noRow();
                    t = earnings.tax;
                }
                pay->stateTaxableIncome = truncToInt(t);
            }
            suppTax = roundCents(atLeastZero(t - local->localTax));
            written = true;
        } else if (method == 0) {
            const FlatRateRow* r =
                supplementalRate(code == kNewYorkCity ? std::span<const FlatRateRow>(kCitySupplementalRates)
                                                      : std::span<const FlatRateRow>(kYonkersSupplementalRates),
                                 pay->payDate);
            if (r != nullptr) {
                suppTax = roundCents(r->rate * supplemental);
                written = true;
            } else {
                result |= kNoSupplementalRateRow;
            }
        }
        if (written && hasLocalSuppTax(local)) local->localSuppTax = suppTax;
    }
    local->localTax = local->localTax + local->localExtraWithholding;
    return result;
}

std::span<const NewYorkBracketRow> newYorkCityBracketTable() { return kCityBrackets; }

}  // namespace orla
