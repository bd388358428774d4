// State disability insurance: the employee levy on the wages up to the year's limit and, for a record of
// 72 bytes or more, the employer-side levy (New Jersey) at the employer's rate.
#include "frame/run_index.h"
#include "levies/levies.h"

namespace orla {

namespace {

// Newest year first; California's rows run by quarter.
constexpr SdiRow kSdi[] = {
    {date(2026, 1, 1), date(2026, 3, 31), ORLA_CA, 0, 0.013, 0},
    {date(2026, 4, 1), date(2026, 6, 30), ORLA_CA, 0, 0.013, 0},
    {date(2026, 7, 1), date(2026, 9, 30), ORLA_CA, 0, 0.013, 0},
    {date(2026, 10, 1), date(2026, 12, 31), ORLA_CA, 0, 0.013, 0},
    {k2026From, k2026To, ORLA_HI, 0, 0.005, 1441.72},
    {k2026From, k2026To, ORLA_NJ, 0, 0.0019, 171100},
    {k2026From, k2026To, ORLA_NJ, 1, 0.007, 44800},
    {k2026From, k2026To, ORLA_NY, 0, 0.005, 6240},
    {k2026From, k2026To, ORLA_PR, 0, 0.006, 9000},
    {k2026From, k2026To, ORLA_RI, 0, 0.013, 89200},
    {date(2025, 1, 1), date(2025, 3, 31), ORLA_CA, 0, 0.012, 0},
    {date(2025, 4, 1), date(2025, 6, 30), ORLA_CA, 0, 0.012, 0},
    {date(2025, 7, 1), date(2025, 9, 30), ORLA_CA, 0, 0.012, 0},
    {date(2025, 10, 1), date(2025, 12, 31), ORLA_CA, 0, 0.012, 0},
    {k2025From, k2025To, ORLA_HI, 0, 0.005, 1441.72},
    {k2025From, k2025To, ORLA_NJ, 0, 0.0023, 165400},
    {k2025From, k2025To, ORLA_NJ, 1, 0.007, 43300},
    {k2025From, k2025To, ORLA_NY, 0, 0.005, 6240},
    {k2025From, k2025To, ORLA_PR, 0, 0.006, 0},
    {k2025From, k2025To, ORLA_RI, 0, 0.013, 89200},
    {date(2024, 1, 1), date(2024, 3, 31), ORLA_CA, 0, 0.011, 0},
    {date(2024, 4, 1), date(2024, 6, 30), ORLA_CA, 0, 0.011, 0},
    {date(2024, 7, 1), date(2024, 9, 30), ORLA_CA, 0, 0.011, 0},
    {date(2024, 10, 1), date(2024, 12, 31), ORLA_CA, 0, 0.011, 0},
    {k2024From, k2024To, ORLA_HI, 0, 0.005, 1318.48},
    {k2024From, k2024To, ORLA_NJ, 0, 0.0047, 161400},
    {k2024From, k2024To, ORLA_NJ, 1, 0.007, 42300},
    {k2024From, k2024To, ORLA_NY, 0, 0.005, 6240},
    {k2024From, k2024To, ORLA_PR, 0, 0.006, 0},
    {k2024From, k2024To, ORLA_RI, 0, 0.013, 87000},
};
static_assert(std::size(kSdi) == 30);

constexpr int kEmployeeLevy = 0;
constexpr int kEmployerLevy = 1;

// New York caps the employee levy at 0.60 a week: 31.20 a year, spread over the pay periods.
constexpr double kNewYorkAnnualCap = 31.2;

// The rows in runs of one jurisdiction, kind and dates.
struct CodeKind {
    int code;
    int kind;
    friend constexpr bool operator==(const CodeKind&, const CodeKind&) = default;
};
constexpr auto kSdiRuns = runIndexBy(kSdi, [](const SdiRow& r) { return CodeKind{r.stateCode, r.kind}; });

// The first row in stored order of the jurisdiction and kind that covers the pay date.
const SdiRow* firstRow(int code, int kind, const CalcDate& payDate) {
    return kSdiRuns.find(payDate, CodeKind{code, kind}, [](const SdiRow&) { return true; });
}

// The wages of the pay up to the row's limit after the earlier wages (no limit when it is 0).
double taxableUnderLimit(double wages, double ytd, double limit) {
    double t = wages;
    if (ytd + wages > limit && limit > 0) t = limit - ytd;
    return atLeastZero(t);
}

}  // namespace

std::span<const SdiRow> sdiTable() { return kSdi; }

int calcSdi(SdiRecord* r) {
    if (r == nullptr) return 1;
    const bool employerSide = r->recordSize >= 72;
    LEVY_OUT(r, status, 0);
    LEVY_OUT(r, sdiTax, 0.0);
    if (employerSide) LEVY_OUT(r, employerTax, 0.0);

    const int code = LEVY_IN(r, stateCode);
    const CalcDate payDate = LEVY_IN(r, payDate);
    const double wages = LEVY_IN(r, wages);
    const double ytd = LEVY_IN(r, ytdWages);
    const double rateOverride = employerSide ? LEVY_IN(r, rateOverride) : 0.0;
    const double employerRate = employerSide ? LEVY_IN(r, employerRate) : 0.0;
    const int payPeriods = has(r, 72) ? LEVY_IN(r, payPeriods) : 0;
    if (!finite(wages) || !finite(ytd) || !finite(rateOverride) || !finite(employerRate)) {
        LEVY_OUT(r, status, 1);
        return 0;
    }

    int status = 0;
    double sdiTax = 0.0;
    if (const SdiRow* row = firstRow(code, kEmployeeLevy, payDate)) {
        // Hawaii's limit is a weekly one: a record with the pay periods takes the wages as they are.
        const double t = has(r, 72) && code == ORLA_HI ? atLeastZero(wages) : taxableUnderLimit(wages, ytd, row->wageLimit);
        const double rate = employerSide && rateOverride > 0 ? rateOverride : row->rate;
        double levy = rate * t;
        if (code == ORLA_NY && has(r, 72)) {
            const double cap = payPeriods <= 0 ? kNewYorkAnnualCap : kNewYorkAnnualCap / payPeriods;
            if (levy > cap) levy = cap;
        }
        sdiTax = roundCents(levy);
    } else {
        status = 1;
    }

    double employerTax = 0.0;
    if (employerSide) {
        if (const SdiRow* row = firstRow(code, kEmployerLevy, payDate))
            employerTax = roundCents(taxableUnderLimit(wages, ytd, row->wageLimit) * employerRate);
        else
            status = 1;  // every jurisdiction but New Jersey has no employer-side row
    }

    if (!finite(sdiTax) || !finite(employerTax)) {
        LEVY_OUT(r, status, 1);
        return 0;
    }
    LEVY_OUT(r, status, status);
    LEVY_OUT(r, sdiTax, sdiTax);
    if (employerSide) LEVY_OUT(r, employerTax, employerTax);
    return 0;
}

}  // namespace orla

extern "C" ORLA_API int ORLA_CALL SDI_Calc(SdiRecord* record) { return orla::calcSdi(record); }
