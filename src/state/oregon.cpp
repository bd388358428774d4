// Oregon: the annualised wage chooses the lower- or higher-wage rate table; the federal tax withheld is
// subtracted up to a cap that phases out with the wage, then a standard deduction; the bracket tax less
// a credit per allowance (dropped above an income limit) is rounded to whole dollars. Rate rows are
// annual only, so every pay period count but 1 is taxed by the annualised pass.
#include "state/oregon.h"

#include <limits>

#include "frame/run_index.h"
#include "state/calculators.h"
#include "state/standard_steps.h"
#include "state/table_years.h"

namespace orla {

namespace {

constexpr OregonCreditLimitRow kCreditLimits[] = {
    {k2026From, k2026To, 0, 100000},
    {k2026From, k2026To, 10, 100000},
    {k2026From, k2026To, 1, 200000},
    {k2025From, k2025To, 0, 100000},
    {k2025From, k2025To, 10, 100000},
    {k2025From, k2025To, 1, 200000},
    {k2024From, k2024To, 0, 100000},
    {k2024From, k2024To, 10, 100000},
    {k2024From, k2024To, 1, 200000},
};
static_assert(std::size(kCreditLimits) == 9);

constexpr OregonWageLevelRow kWageLevels[] = {
    {k2026From, k2026To, 1, 50000},
    {k2026From, k2026To, 12, 4167},
    {k2026From, k2026To, 24, 2083},
    {k2026From, k2026To, 26, 1923},
    {k2026From, k2026To, 52, 962},
    {k2025From, k2025To, 1, 50000},
    {k2025From, k2025To, 12, 4167},
    {k2025From, k2025To, 24, 2083},
    {k2025From, k2025To, 26, 1923},
    {k2025From, k2025To, 52, 962},
    {k2024From, k2024To, 1, 50000},
    {k2024From, k2024To, 12, 4167},
    {k2024From, k2024To, 24, 2083},
    {k2024From, k2024To, 26, 1923},
    {k2024From, k2024To, 52, 962},
};
static_assert(std::size(kWageLevels) == 15);

// Per year (newest first), single then married.
constexpr OregonFederalSubtractionRow kFederalSubtraction[] = {
    {k2026From, k2026To, 0, 1, 0, 50000, 8500},
    {k2026From, k2026To, 0, 1, 50000, 125000, 8500},
    {k2026From, k2026To, 0, 1, 125000, 130000, 6800},
    {k2026From, k2026To, 0, 1, 130000, 135000, 5100},
    {k2026From, k2026To, 0, 1, 135000, 140000, 3400},
    {k2026From, k2026To, 0, 1, 140000, 145000, 1700},
    {k2026From, k2026To, 0, 1, 145000, 0, 0},
    {k2026From, k2026To, 1, 1, 0, 50000, 8500},
    {k2026From, k2026To, 1, 1, 50000, 250000, 8500},
    {k2026From, k2026To, 1, 1, 250000, 260000, 6800},
    {k2026From, k2026To, 1, 1, 260000, 270000, 5100},
    {k2026From, k2026To, 1, 1, 270000, 280000, 3400},
    {k2026From, k2026To, 1, 1, 280000, 290000, 1700},
    {k2026From, k2026To, 1, 1, 290000, 0, 0},
    {k2025From, k2025To, 0, 1, 0, 50000, 8500},
    {k2025From, k2025To, 0, 1, 50000, 125000, 8500},
    {k2025From, k2025To, 0, 1, 125000, 130000, 6800},
    {k2025From, k2025To, 0, 1, 130000, 135000, 5100},
    {k2025From, k2025To, 0, 1, 135000, 140000, 3400},
    {k2025From, k2025To, 0, 1, 140000, 145000, 1700},
    {k2025From, k2025To, 0, 1, 145000, 0, 0},
    {k2025From, k2025To, 1, 1, 0, 50000, 8500},
    {k2025From, k2025To, 1, 1, 50000, 250000, 8500},
    {k2025From, k2025To, 1, 1, 250000, 260000, 6800},
    {k2025From, k2025To, 1, 1, 260000, 270000, 5100},
    {k2025From, k2025To, 1, 1, 270000, 280000, 3400},
    {k2025From, k2025To, 1, 1, 280000, 290000, 1700},
    {k2025From, k2025To, 1, 1, 290000, 0, 0},
    {k2024From, k2024To, 0, 1, 0, 50000, 8250},
    {k2024From, k2024To, 0, 1, 50000, 125000, 8250},
    {k2024From, k2024To, 0, 1, 125000, 130000, 6600},
    {k2024From, k2024To, 0, 1, 130000, 135000, 4950},
    {k2024From, k2024To, 0, 1, 135000, 140000, 3300},
    {k2024From, k2024To, 0, 1, 140000, 145000, 1650},
    {k2024From, k2024To, 0, 1, 145000, 0, 0},
    {k2024From, k2024To, 1, 1, 0, 50000, 8250},
    {k2024From, k2024To, 1, 1, 50000, 250000, 8250},
    {k2024From, k2024To, 1, 1, 250000, 260000, 6600},
    {k2024From, k2024To, 1, 1, 260000, 270000, 4950},
    {k2024From, k2024To, 1, 1, 270000, 280000, 3300},
    {k2024From, k2024To, 1, 1, 280000, 290000, 1650},
    {k2024From, k2024To, 1, 1, 290000, 0, 0},
};
static_assert(std::size(kFederalSubtraction) == 42);

// Per year (newest first), single then married, three brackets.
constexpr OregonRateRow kLowerWage[] = {
    {k2026From, k2026To, 0, 1, 2, 256, 8500, 2835, 0, 4400, 0, 256, 0.0475},
    {k2026From, k2026To, 0, 1, 2, 256, 8500, 2835, 4400, 11100, 4400, 465, 0.0675},
    {k2026From, k2026To, 0, 1, 2, 256, 8500, 2835, 11100, 0, 11100, 917, 0.0875},
    {k2026From, k2026To, 1, 1, 2, 256, 8500, 5670, 0, 8800, 0, 256, 0.0475},
    {k2026From, k2026To, 1, 1, 2, 256, 8500, 5670, 8800, 22200, 8800, 674, 0.0675},
    {k2026From, k2026To, 1, 1, 2, 256, 8500, 5670, 22200, 0, 22200, 1579, 0.0875},
    {k2025From, k2025To, 0, 1, 2, 256, 8500, 2835, 0, 4400, 0, 256, 0.0475},
    {k2025From, k2025To, 0, 1, 2, 256, 8500, 2835, 4400, 11100, 4400, 465, 0.0675},
    {k2025From, k2025To, 0, 1, 2, 256, 8500, 2835, 11100, 0, 11100, 917, 0.0875},
    {k2025From, k2025To, 1, 1, 2, 256, 8500, 5670, 0, 8800, 0, 256, 0.0475},
    {k2025From, k2025To, 1, 1, 2, 256, 8500, 5670, 8800, 22200, 8800, 674, 0.0675},
    {k2025From, k2025To, 1, 1, 2, 256, 8500, 5670, 22200, 0, 22200, 1579, 0.0875},
    {k2024From, k2024To, 0, 1, 2, 249, 8250, 2745, 0, 4300, 0, 249, 0.0475},
    {k2024From, k2024To, 0, 1, 2, 249, 8250, 2745, 4300, 10750, 4300, 453, 0.0675},
    {k2024From, k2024To, 0, 1, 2, 249, 8250, 2745, 10750, 0, 10750, 888, 0.0875},
    {k2024From, k2024To, 1, 1, 2, 249, 8250, 5495, 0, 8600, 0, 249, 0.0475},
    {k2024From, k2024To, 1, 1, 2, 249, 8250, 5495, 8600, 21500, 8600, 658, 0.0675},
    {k2024From, k2024To, 1, 1, 2, 249, 8250, 5495, 21500, 0, 21500, 1529, 0.0875},
};
static_assert(std::size(kLowerWage) == 18);

constexpr OregonRateRow kHigherWage[] = {
    {k2026From, k2026To, 0, 1, 2, 256, 8500, 2835, 0, 38665, 0, 0, 0},
    {k2026From, k2026To, 0, 1, 2, 256, 8500, 2835, 38665, 125000, 11100, 661, 0.0875},
    {k2026From, k2026To, 0, 1, 2, 256, 8500, 2835, 125000, 0, 125000, 10627, 0.099},
    {k2026From, k2026To, 1, 1, 2, 256, 8500, 5670, 0, 35830, 0, 0, 0},
    {k2026From, k2026To, 1, 1, 2, 256, 8500, 5670, 35830, 250000, 22200, 1323, 0.0875},
    {k2026From, k2026To, 1, 1, 2, 256, 8500, 5670, 250000, 0, 250000, 21256, 0.099},
    {k2025From, k2025To, 0, 1, 2, 256, 8500, 2835, 0, 38665, 0, 0, 0},
    {k2025From, k2025To, 0, 1, 2, 256, 8500, 2835, 38665, 125000, 11100, 661, 0.0875},
    {k2025From, k2025To, 0, 1, 2, 256, 8500, 2835, 125000, 0, 125000, 10627, 0.099},
    {k2025From, k2025To, 1, 1, 2, 256, 8500, 5670, 0, 35830, 0, 0, 0},
    {k2025From, k2025To, 1, 1, 2, 256, 8500, 5670, 35830, 250000, 22200, 1323, 0.0875},
    {k2025From, k2025To, 1, 1, 2, 256, 8500, 5670, 250000, 0, 250000, 21256, 0.099},
    {k2024From, k2024To, 0, 1, 2, 249, 8250, 2745, 0, 39005, 0, 0, 0},
    {k2024From, k2024To, 0, 1, 2, 249, 8250, 2745, 39005, 125000, 10750, 639, 0.0875},
    {k2024From, k2024To, 0, 1, 2, 249, 8250, 2745, 125000, 0, 125000, 10636, 0.099},
    {k2024From, k2024To, 1, 1, 2, 249, 8250, 5495, 0, 36255, 0, 0, 0},
    {k2024From, k2024To, 1, 1, 2, 249, 8250, 5495, 36255, 250000, 21500, 1280, 0.0875},
    {k2024From, k2024To, 1, 1, 2, 249, 8250, 5495, 250000, 0, 250000, 21274, 0.099},
};
static_assert(std::size(kHigherWage) == 18);

// The subtraction and rate tables in runs of one status, periods and dates (the rows of the scans in
// stored order).
constexpr MappedRunIndex kSubtractionRuns(kFederalSubtraction);
constexpr MappedRunIndex kLowerWageRuns(kLowerWage);
constexpr MappedRunIndex kHigherWageRuns(kHigherWage);
constexpr auto kWageLevelRuns =
    runIndexBy<UsualPeriodsMap>(kWageLevels, [](const OregonWageLevelRow& r) { return r.periods; });
static_assert(kWageLevelRuns.allKeysMapped());
static_assert(oneRunPerTableYear(kSubtractionRuns) && oneRunPerTableYear(kLowerWageRuns) &&
              oneRunPerTableYear(kHigherWageRuns) && oneRunPerTableYear(kWageLevelRuns));

// The taxable amount reads a rate row's standard deduction only, the same in every row of a run, so a
// run of ordered brackets may be bisected.
constexpr auto kStandardDeductionOf = [](const OregonRateRow& r) { return r.standardDeduction; };
static_assert(constantWithinRuns(kLowerWage, statusPeriodsOf<OregonRateRow>, kStandardDeductionOf) &&
              constantWithinRuns(kHigherWage, statusPeriodsOf<OregonRateRow>, kStandardDeductionOf));

// The credits per allowance are finite and not negative, so with no allowances the credit is 0 whatever
// the income limit; and no limit lies below the lowest positive one, so an annual wage up to it keeps the
// credit whatever the limit. In both cases the limit is not looked up.
template <std::size_t N>
constexpr bool creditsFiniteNotNegative(const OregonRateRow (&rows)[N]) {
    for (const OregonRateRow& r : rows)
        if (!(r.allowanceCredit >= 0 && r.allowanceCredit <= 1e300)) return false;
    return true;
}
static_assert(creditsFiniteNotNegative(kLowerWage) && creditsFiniteNotNegative(kHigherWage));
constexpr double lowestPositiveLimit() {
    double lowest = std::numeric_limits<double>::infinity();
    for (const OregonCreditLimitRow& r : kCreditLimits)
        if (r.limit > 0 && r.limit < lowest) lowest = r.limit;
    return lowest;
}
constexpr double kLowestCreditLimit = lowestPositiveLimit();

constexpr FlatRateRow kSupplemental[] = {
    {k2026From, k2026To, 0.08},
    {k2025From, k2025To, 0.08},
    {k2024From, k2024To, 0.08},
};

// Every row runs one table year, so the date is tested once per year and call (TableYears); the flat
// rates are one row per table year, newest first.
static_assert(allRunTableYears(kCreditLimits) && allRunTableYears(kWageLevels) &&
              allRunTableYears(kFederalSubtraction) && allRunTableYears(kLowerWage) &&
              allRunTableYears(kHigherWage) && allRunTableYears(kSupplemental));
constexpr bool supplementalRowPerYear() {
    if (std::size(kSupplemental) != kTableYearCount) return false;
    for (std::size_t s = 0; s < kTableYearCount; ++s)
        if (tableYearSlot(kSupplemental[s].from.year) != s) return false;
    return true;
}
static_assert(supplementalRowPerYear());

constexpr int kSecondSingle = 10;

// The rate tables' status: a single employee with three or more allowances is taxed on the married rows.
constexpr int rateStatus(int filingStatus, int allowances) {
    if (allowances >= 3)
        return filingStatus == 0 || filingStatus == 1 || filingStatus == kSecondSingle ? 1 : filingStatus;
    return filingStatus == kSecondSingle ? 0 : filingStatus;
}

// The annual credit income limit: the last row covering the date with the status (the first from the
// end); 0 when none.
double creditLimit(const TableYears& years, int filingStatus) {
    for (std::size_t i = std::size(kCreditLimits); i-- > 0;) {
        const OregonCreditLimitRow& r = kCreditLimits[i];
        if (r.status == filingStatus && years.hold(r.from.year)) return r.limit;
    }
    return 0.0;
}

// The wage level that chooses the rate table: the first row of the pay's periods covering the date, else
// the first annual one (annual); none when neither exists.
struct WageLevel {
    const OregonWageLevelRow* row = nullptr;
    bool annual = false;
};
WageLevel wageLevel(const TableYears& years, int periods) {
    const auto first = [](const auto& run) { return &kWageLevels[run.begin]; };
    if (const OregonWageLevelRow* r = firstInYears(kWageLevelRuns, years, periods, first)) return {r, false};
    return {firstInYears(kWageLevelRuns, years, 1, first), true};
}

// The elections and facts of one pay that every computation of it shares (the regular tax and the
// aggregate method's tax with the supplemental wages).
struct Pay {
    TableYears years;  // those covering the pay date
    int periods;
    int subtractionStatus;  // 10 read as 0
    int rateStatus;
    int allowances;
    int filingStatus;  // the credit income limit's status
    double federalTax;
    WageLevel level;
};

// Whether the higher-wage table applies to the wage W: W against the threshold of the pay's periods, else
// p x W against the annual threshold. found is false when neither exists.
bool higherWage(const Pay& x, double wage, bool& found) {
    found = x.level.row != nullptr;
    if (!found) return true;
    return (x.level.annual ? x.periods * wage : wage) >= x.level.row->threshold;
}

// The subtraction and rate rows are annual only: a lookup on the pay's periods finds a row only when
// they are 1, and then the annual lookup's amounts are the same (1 x W is W, a division by 1 is exact).
// So one annual lookup serves every pay.
template <class Row, std::size_t N>
constexpr bool annualOnly(const Row (&rows)[N]) {
    for (const Row& r : rows)
        if (r.periods != 1) return false;
    return true;
}
static_assert(annualOnly(kFederalSubtraction) && annualOnly(kLowerWage) && annualOnly(kHigherWage));

// The cap on the federal tax subtracted from a pay of wage W; found is false when no row serves it.
double federalCap(const Pay& x, double wage, bool& found) {
    const double annual = x.periods * wage;  // the periods are at least 1 here
    // The first band holding the annual wage (>= low, below a non-zero high), scanned from the lowest:
    // most wages lie in the first two bands, reached sooner than by a bisection.
    const OregonFederalSubtractionRow* r =
        firstInYears(kSubtractionRuns, x.years, StatusPeriods{x.subtractionStatus, 1},
                     [annual](const auto& run) -> const OregonFederalSubtractionRow* {
                         for (std::uint32_t i = run.begin; i != run.end; ++i)
                             if (bandHolds(kFederalSubtraction[i], annual)) return &kFederalSubtraction[i];
                         return nullptr;
                     });
    found = r != nullptr;
    return found ? r->limit / x.periods : 0.0;
}

constexpr double smaller(double a, double b) { return b < a ? b : a; }

struct Tax {
    const OregonRateRow* row = nullptr;  // nullptr when no rate row served the pay
    double tax = 0.0;
};

// The tax of a pay of wage W (steps of the regular tax, repeated for the aggregate method). Stores status
// 1 when a table has no row and adds 1 to result when the wage-level table has none. taxableCents, when
// set, receives trunc(t x 100) of each row the per-period pass tests.
Tax payTax(const Pay& x, double wage, int* taxableCents, StateRecord* state, int& result) {
    bool found = true;
    const bool higher = higherWage(x, wage, found);
    if (!found) {
        state->status = ORLA_STATE_NO_ROW;
        result |= 1;
    }
    const double cap = federalCap(x, wage, found);
    if (!found) state->status = ORLA_STATE_NO_ROW;
    const auto& rates = higher ? kHigherWageRuns : kLowerWageRuns;
    const auto& rateRows = higher ? kHigherWage : kLowerWage;
    Tax hit;
    // Every annual row of the pay's status and date is tested in stored order until one holds t; a pay
    // of one period is the per-period pass, which stores each t.
    const int p = x.periods;
    if (p != 1) taxableCents = nullptr;
    double t = 0;
    hit.row = findBandIn(rates, rateRows, x.years, StatusPeriods{x.rateStatus, 1}, [&](const OregonRateRow& r) {
        t = atLeastZero(p * wage - smaller(p * cap, p * x.federalTax) - r.standardDeduction);
        if (taxableCents != nullptr) *taxableCents = truncToInt(t * 100);
        return t;
    });
    if (const OregonRateRow* r = hit.row) {
        const double annual = p * wage;
        const bool limitMatters = x.allowances != 0 && annual > kLowestCreditLimit;
        const double limit = limitMatters ? creditLimit(x.years, x.filingStatus) : 0.0;
        const double credit = limit > 0 && annual > limit ? 0.0 : x.allowances * r->allowanceCredit;
        hit.tax = ((t - r->excessOver) * r->rate + r->base - credit) / p;
    }
    return hit;
}

}  // namespace

std::span<const OregonCreditLimitRow> oregonCreditLimitTable() { return kCreditLimits; }
std::span<const OregonWageLevelRow> oregonWageLevelTable() { return kWageLevels; }
std::span<const OregonFederalSubtractionRow> oregonFederalSubtractionTable() { return kFederalSubtraction; }
std::span<const OregonRateRow> oregonLowerWageTable() { return kLowerWage; }
std::span<const OregonRateRow> oregonHigherWageTable() { return kHigherWage; }

int calcOregon(int /*mode*/, PayRecord* pay, StateRecord* state) {
    clearStateOutputs(state);
    pay->stateTaxableIncome = 0;
    writeUnmatchedTableDate(pay, state);
    if (rejectPeriodsBelowOne(state)) return 1;
    const int filingStatus = state->stateFilingStatus;
    const TableYears years(pay->payDate);
    const Pay x{years,
                state->statePayPeriods,
                filingStatus == kSecondSingle ? 0 : filingStatus,
                rateStatus(filingStatus, state->stateAllowances),
                state->stateAllowances,
                filingStatus,
                pay->fedTax,
                wageLevel(years, state->statePayPeriods)};

    int result = 0;
    const Tax regular = payTax(x, state->stateWages, &pay->stateTaxableIncome, state, result);
    if (regular.row == nullptr) {
        state->status = ORLA_STATE_NO_ROW;
        return result | 1;
    }
    state->stateTableDate = regular.row->from;
    state->stateTax = atLeastZero(regular.tax);

    if (supplementalStepRuns(state)) {
        const double supp = suppWagesOf(state);
        if (suppAggregateOf(state) == 0) {
            // The first flat rate row covering the date is that of the newest covering year.
            if (const std::size_t year = years.newest(); year < kTableYearCount)
                writeSuppTax(state, roundCents(supp * kSupplemental[year].rate));
            else
                result |= kNoSupplementalRateRow;
        } else {
            // No supplemental wages: w + 0 is w up to a zero's sign, which neither the comparisons nor
            // the zero floor see, so the tax is the regular one (whose missing rows are flagged already).
            const Tax withSupp = supp == 0 ? regular : payTax(x, state->stateWages + supp, nullptr, state, result);
            if (withSupp.row == nullptr) {
                state->status = ORLA_STATE_NO_ROW;
                result |= 1;
            } else {
                writeSuppTax(state, roundDollars(atLeastZero(withSupp.tax - state->stateTax)));
            }
        }
    }
    state->stateTax = roundDollars(state->stateTax);
    return result;
}

}  // namespace orla
