// Transit taxes, the workers' compensation assessment and the Washington long-term-care premium; and
// every levy export at every declared size. Every call runs guarded (levy_guard.h).
#include <gtest/gtest.h>

#include <limits>

#include "frame/common.h"
#include "levy_guard.h"

namespace orla {
namespace {

constexpr double kUntouched = -777.25;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

template <class Record>
Record call(Record r, int wantResult = 0) {
    int rc = -1;
    Record out{};
    EXPECT_EQ(orla_guard::guardedLevy(r, &rc, &out), "");
    EXPECT_EQ(rc, wantResult);
    return out;
}

TEST(Transit, CallersRateAndTheEmployeeRateOfTheYear) {
    struct Case {
        CalcDate date;
        double wages, rate, transitTax, employeeTax;
        int size, status;
    };
    const double U = kUntouched;
    const Case cases[] = {
        {date(2026, 3, 1), 1000, 0.0077, 7.70, 2.00, 72, 0}, {date(2027, 12, 31), 1000, 0, 0.00, 2.00, 72, 0},
        {date(2025, 3, 1), 1000, 0.0077, 7.70, 1.00, 72, 0}, {date(2019, 1, 1), 1000, 0, 0.00, 1.00, 72, 0},
        {date(2018, 6, 1), 1000, 0, 0.00, 1.00, 72, 0},      {date(2018, 5, 31), 1000, 0, 0.00, 0.00, 72, 0},
        {date(2026, 3, 1), 1000, 0.0077, 7.70, U, 71, 0},    {date(2026, 3, 1), 1000, 0.0077, U, U, 63, 0},
        {date(2026, 3, 1), kNaN, 0.0077, 0.00, 0.00, 72, 1}, {date(2026, 3, 1), 1e300, 1e300, 0.00, 0.00, 72, 1},
    };
    for (const Case& c : cases) {
        TransitRecord in{};
        in.recordSize = c.size;
        in.payDate = c.date;
        in.wages = c.wages;
        in.rate = c.rate;
        in.transitTax = in.employeeTransitTax = kUntouched;
        const TransitRecord r = call(in);
        EXPECT_DOUBLE_EQ(r.transitTax, c.transitTax) << c.date.year << " size " << c.size;
        EXPECT_DOUBLE_EQ(r.employeeTransitTax, c.employeeTax) << c.date.year << " size " << c.size;
        EXPECT_EQ(r.status, c.status) << c.date.year;
    }
}

TEST(WorkComp, OregonRatesAndTheCallersRates) {
    struct Case {
        const char* name;
        int code, year, perHour, perMonth;
        double hours, employee, employer;
        int status;
    };
    const Case cases[] = {
        {"OR 2026", ORLA_OR, 2026, 0, 0, 80, 1.32, 1.32, 0},
        {"OR 2025", ORLA_OR, 2025, 0, 0, 100, 1.65, 1.65, 0},
        {"OR 2024", ORLA_OR, 2024, 0, 0, 80, 0.80, 0.80, 0},
        {"OR 2023", ORLA_OR, 2023, 0, 0, 80, 0.88, 0.88, 0},
        {"OR 2020", ORLA_OR, 2020, 0, 0, 80, 0.88, 0.88, 0},
        {"OR rounding, the employer takes the rest", ORLA_OR, 2026, 0, 0, 1, 0.02, 0.01, 0},
        {"per hour", ORLA_WA, 2026, 0, 0, 80, 40.0, 60.0, 0},
        {"per month", ORLA_WA, 2026, 1, 0, 80, 80.0, 120.0, 0},
        {"neither", ORLA_WA, 2026, 1, 1, 80, 0.0, 0.0, 0},
        {"hours not a number", ORLA_WA, 2026, 0, 0, kNaN, 0.0, 0.0, 1},
    };
    for (const Case& c : cases) {
        WorkCompRecord in{};
        in.recordSize = sizeof in;
        in.payDate = date(c.year, 5, 1);
        in.stateCode = c.code;
        in.perHour = c.perHour;
        in.perMonth = c.perMonth;
        in.hours = c.hours;
        in.employeeRate = 0.5;
        in.employerRate = 0.75;
        in.employeeAmount = in.employerAmount = kUntouched;
        const WorkCompRecord r = call(in);
        EXPECT_NEAR(r.employeeAmount, c.employee, 1e-9) << c.name;
        EXPECT_NEAR(r.employerAmount, c.employer, 1e-9) << c.name;
        EXPECT_EQ(r.status, c.status) << c.name;
    }
    // The employer's amount at 96 needs 104 bytes; the rates are not read when not held.
    WorkCompRecord in{};
    in.recordSize = 103;
    in.payDate = date(2026, 5, 1);
    in.hours = 80;
    in.employeeRate = 0.5;
    in.employerAmount = kUntouched;
    const WorkCompRecord r = call(in);
    EXPECT_DOUBLE_EQ(r.employeeAmount, 40.0);
    EXPECT_DOUBLE_EQ(r.employerAmount, kUntouched);
}

TEST(StateOther, WashingtonLongTermCare) {
    struct Case {
        const char* name;
        int code, kind, periods;
        CalcDate date;
        double wages, premium;
        int status;
    };
    const Case cases[] = {
        {"weekly", ORLA_WA, 1, 52, date(2026, 3, 1), 2000, 11.60, 0},
        {"annual", ORLA_WA, 1, 1, date(2024, 12, 31), 50000, 290.00, 0},
        {"from July 2023", ORLA_WA, 1, 26, date(2023, 7, 1), 2000, 11.60, 0},
        {"before July 2023", ORLA_WA, 1, 26, date(2023, 6, 30), 2000, 0.00, 0},
        {"no pay periods", ORLA_WA, 1, 0, date(2026, 3, 1), 2000, 0.00, 0},
        {"other state", ORLA_CA, 1, 26, date(2026, 3, 1), 2000, 0.00, 1},
        {"other kind", ORLA_WA, 2, 26, date(2026, 3, 1), 2000, 0.00, 1},
        {"wages not a number", ORLA_WA, 1, 26, date(2026, 3, 1), kNaN, 0.00, 1},
        {"overflow", ORLA_WA, 1, 26, date(2026, 3, 1), 1e308, 0.00, 1},
    };
    for (const Case& c : cases) {
        StateOtherRecord in{};
        in.recordSize = sizeof in;
        in.levyKind = c.kind;
        in.payDate = c.date;
        in.stateCode = c.code;
        in.payPeriods = c.periods;
        in.wages = c.wages;
        in.premium = kUntouched;
        const StateOtherRecord r = call(in);
        EXPECT_DOUBLE_EQ(r.premium, c.premium) << c.name;
        EXPECT_EQ(r.status, c.status) << c.name;
    }
    StateOtherRecord small{};
    small.recordSize = 75;
    small.levyKind = 1;
    small.payDate = date(2026, 3, 1);
    small.stateCode = ORLA_WA;
    small.payPeriods = 26;
    small.wages = 2000;
    small.premium = kUntouched;
    const StateOtherRecord r = call(small);
    EXPECT_DOUBLE_EQ(r.premium, kUntouched);
    EXPECT_EQ(r.status, 0);
}

// Every export at every declared size from 0 to past its record, on a realistic record: the guards
// find any write outside the held outputs, and the exact-size heap block any access past the size.
template <class Record>
void sweepSizes(Record r) {
    for (int size = -1; size <= static_cast<int>(sizeof(Record)) + 8; ++size) {
        r.recordSize = size;
        int rc = 0;
        EXPECT_EQ(orla_guard::guardedLevy(r, &rc), "") << size;
    }
    EXPECT_EQ(orla_guard::LevyTraits<Record>::call(nullptr), 1);
}

TEST(Levies, EverySizeAndNull) {
    const CalcDate d = date(2026, 6, 15);
    FutaRecord futa{0, 7, d, 0, 2000, 6000, 0.006, kUntouched};
    sweepSizes(futa);
    SuiRecord sui{0, 7, d, ORLA_NJ, 2000, 44000, 0.05, kUntouched, {}, 0.001, kUntouched, 0, kUntouched};
    sweepSizes(sui);
    EttRecord ett{0, 7, d, 0, 2000, 6000, kUntouched};
    sweepSizes(ett);
    SdiRecord sdi{0, 7, d, ORLA_NY, 2000, 1000, kUntouched, 0.006, 0.01, kUntouched, 52};
    sweepSizes(sdi);
    for (int code : {ORLA_MA, ORLA_OR, ORLA_DE, ORLA_CO}) {
        FamilyLeaveRecord leave{0, 0, d, code, 2000, 1000, kUntouched, 50, 30, 0.7, kUntouched, kUntouched};
        sweepSizes(leave);
    }
    TransitRecord transit{0, 7, d, 0, 2000, {}, 0.0077, {}, kUntouched, kUntouched};
    sweepSizes(transit);
    WorkCompRecord comp{0, 7, d, ORLA_WA, 0, 0, {}, 80, 0.5, 0.75, kUntouched, kUntouched};
    sweepSizes(comp);
    StateOtherRecord other{0, 7, 1, d, ORLA_WA, 26, {}, 2000, kUntouched};
    sweepSizes(other);
}

}  // namespace
}  // namespace orla
