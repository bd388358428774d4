// State disability insurance and the paid family and medical leave programmes. Every call runs guarded
// (levy_guard.h).
#include <gtest/gtest.h>

#include <limits>

#include "frame/common.h"
#include "levies/levies.h"
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

SdiRecord sdi(int code, CalcDate d, double wages, double ytd, int size = 71) {
    SdiRecord r{};
    r.recordSize = size;
    r.payDate = d;
    r.stateCode = code;
    r.wages = wages;
    r.ytdWages = ytd;
    r.sdiTax = r.employerTax = kUntouched;
    return r;
}

// Each employee row's rate and limit (a record of 71 bytes: no employer side, no Hawaii or New York
// exception). The pays straddle the limit where there is one.
TEST(Sdi, EveryEmployeeRow) {
    struct Case {
        int code;
        CalcDate date;
        double wages, ytd, tax;
        int status;
    };
    const Case cases[] = {
        // California by quarter, no limit.
        {ORLA_CA, date(2026, 2, 15), 1000, 1e6, 13.00, 0}, {ORLA_CA, date(2026, 5, 15), 1000, 0, 13.00, 0},
        {ORLA_CA, date(2026, 8, 15), 1000, 0, 13.00, 0},   {ORLA_CA, date(2026, 11, 15), 1000, 0, 13.00, 0},
        {ORLA_CA, date(2025, 2, 15), 1000, 0, 12.00, 0},   {ORLA_CA, date(2025, 5, 15), 1000, 0, 12.00, 0},
        {ORLA_CA, date(2025, 8, 15), 1000, 0, 12.00, 0},   {ORLA_CA, date(2025, 11, 15), 1000, 0, 12.00, 0},
        {ORLA_CA, date(2024, 2, 15), 1000, 0, 11.00, 0},   {ORLA_CA, date(2024, 5, 15), 1000, 0, 11.00, 0},
        {ORLA_CA, date(2024, 8, 15), 1000, 0, 11.00, 0},   {ORLA_CA, date(2024, 11, 15), 1000, 1e6, 11.00, 0},
        // 100 left under the limit.
        {ORLA_HI, date(2026, 6, 1), 1000, 1341.72, 0.50, 0}, {ORLA_HI, date(2025, 6, 1), 1000, 1341.72, 0.50, 0},
        {ORLA_HI, date(2024, 6, 1), 1000, 1218.48, 0.50, 0}, {ORLA_NJ, date(2026, 6, 1), 2000, 170100, 1.90, 0},
        {ORLA_NJ, date(2025, 6, 1), 2000, 164400, 2.30, 0},  {ORLA_NJ, date(2024, 6, 1), 2000, 160400, 4.70, 0},
        {ORLA_NY, date(2026, 6, 1), 1000, 6140, 0.50, 0},    {ORLA_NY, date(2025, 6, 1), 1000, 6140, 0.50, 0},
        {ORLA_NY, date(2024, 6, 1), 1000, 6140, 0.50, 0},    {ORLA_PR, date(2026, 6, 1), 1000, 8900, 0.60, 0},
        {ORLA_PR, date(2025, 6, 1), 1000, 1e6, 6.00, 0},     {ORLA_PR, date(2024, 6, 1), 1000, 1e6, 6.00, 0},
        {ORLA_RI, date(2026, 6, 1), 1000, 89100, 1.30, 0},   {ORLA_RI, date(2025, 6, 1), 1000, 89100, 1.30, 0},
        {ORLA_RI, date(2024, 6, 1), 1000, 86900, 1.30, 0},   {ORLA_RI, date(2024, 6, 1), 1000, 90000, 0.00, 0},
        {ORLA_TX, date(2026, 6, 1), 1000, 0, 0.00, 1},       {ORLA_CA, date(2023, 6, 1), 1000, 0, 0.00, 1},
        {ORLA_CA, date(2026, 6, 1), kNaN, 0, 0.00, 1},
    };
    for (const Case& c : cases) {
        const SdiRecord r = call(sdi(c.code, c.date, c.wages, c.ytd));
        SCOPED_TRACE(testing::Message() << "code " << c.code << ", " << c.date.year << "-" << c.date.month);
        EXPECT_DOUBLE_EQ(r.sdiTax, c.tax);
        EXPECT_EQ(r.status, c.status);
        EXPECT_DOUBLE_EQ(r.employerTax, kUntouched);  // not held below 72 bytes
    }
}

// California's quarterly rows leave no day of a year uncovered.
TEST(Sdi, CaliforniaQuartersCoverEveryDay) {
    constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int year = 2024; year <= 2026; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= kDays[month - 1]; ++day) {
                const SdiRecord r = call(sdi(ORLA_CA, date(year, month, day), 100, 0));
                ASSERT_EQ(r.status, 0) << year << "-" << month << "-" << day;
                ASSERT_DOUBLE_EQ(r.sdiTax, year == 2026 ? 1.30 : year == 2025 ? 1.20 : 1.10);
            }
}

// From 72 bytes the caller's rate override and the employer side; beyond 72 Hawaii's limit no longer
// applies and New York caps the levy by the pay periods (held from 76 bytes on).
TEST(Sdi, RecordSizesAndTheEmployerSide) {
    struct Case {
        const char* name;
        int code, size;
        double wages, ytd, rateOverride;
        int periods;
        double tax, employerTax;
        int status;
    };
    const Case cases[] = {
        {"override ignored at 71", ORLA_CA, 71, 1000, 0, 0.02, 0, 13.00, kUntouched, 0},
        {"override used at 72", ORLA_CA, 72, 1000, 0, 0.02, 0, 20.00, 0.00, 1},  // no employer-side row
        // New Jersey's employer side: 1,000 left under its own limit (44,800), at the employer's rate.
        {"NJ 2026 employer side", ORLA_NJ, 72, 2000, 43800, 0, 0, 3.80, 10.00, 0},
        {"HI limit applied at 72", ORLA_HI, 72, 1000, 1341.72, 0, 0, 0.50, 0.00, 1},
        {"HI limit ignored at 73", ORLA_HI, 73, 1000, 1341.72, 0, 0, 5.00, 0.00, 1},
        {"NY uncapped at 72", ORLA_NY, 72, 1000, 0, 0, 52, 5.00, 0.00, 1},
        {"NY periods not held at 75", ORLA_NY, 75, 1000, 0, 0, 52, 5.00, 0.00, 1},  // cap 31.20
        {"NY weekly cap at 76", ORLA_NY, 76, 1000, 0, 0, 52, 0.60, 0.00, 1},
        {"NY periods 0", ORLA_NY, 76, 10000, 0, 0, 0, 31.20, 0.00, 1},
    };
    for (const Case& c : cases) {
        SdiRecord in = sdi(c.code, date(2026, 6, 1), c.wages, c.ytd, c.size);
        in.rateOverride = c.rateOverride;
        in.employerRate = 0.01;
        in.payPeriods = c.periods;
        const SdiRecord r = call(in);
        EXPECT_DOUBLE_EQ(r.sdiTax, c.tax) << c.name;
        EXPECT_DOUBLE_EQ(r.employerTax, c.employerTax) << c.name;
        EXPECT_EQ(r.status, c.status) << c.name;
    }
    // The employer side of each year reaches its own limit.
    for (const auto& [year, limit] : {std::pair{2026, 44800.0}, std::pair{2025, 43300.0}, std::pair{2024, 42300.0}}) {
        SdiRecord in = sdi(ORLA_NJ, date(year, 6, 1), 2000, limit - 1000, sizeof(SdiRecord));
        in.employerRate = 0.01;
        EXPECT_DOUBLE_EQ(call(in).employerTax, 10.00) << year;
    }
    // The rate column of the employer-side rows is carried but the record's rate applies.
    int employerRows = 0;
    for (const SdiRow& row : sdiTable())
        if (row.kind == 1) {
            EXPECT_EQ(row.stateCode, ORLA_NJ);
            EXPECT_DOUBLE_EQ(row.rate, 0.007);
            ++employerRows;
        }
    EXPECT_EQ(employerRows, 3);
}

FamilyLeaveRecord leave(int code, CalcDate d, double wages, double ytd) {
    FamilyLeaveRecord r{};
    r.recordSize = sizeof r;
    r.payDate = d;
    r.stateCode = code;
    r.wages = wages;
    r.ytdWages = ytd;
    r.employeeAmount = r.medicalRemainder = r.medicalByShare = kUntouched;
    return r;
}

// Each programme, year and rate. share, employer and extra are the inputs at 48, 56 and 64; the results
// are the amounts at 40 (employee), 48 (Oregon's employer amount), 56 (employer) and 72/80.
TEST(FamilyLeave, EveryProgrammeAndYear) {
    struct Case {
        const char* name;
        int code;
        CalcDate date;
        double wages, ytd, share, employer, extra;
        double wantEmployee, wantShare, wantEmployer;
    };
    const double U = kUntouched;
    const Case cases[] = {
        // Oregon: rates in percent, the newest social security base whatever the year.
        {"OR 2026", ORLA_OR, date(2026, 3, 1), 1000, 0, U, 0.6, 0.4, 6.0, 4.0, 0.6},
        {"OR 2024 newest base", ORLA_OR, date(2024, 3, 1), 1000, 184000, U, 0.6, 0.4, 3.0, 2.0, 0.6},
        {"OR 2023", ORLA_OR, date(2023, 3, 1), 1000, 0, U, 0.6, 0.4, 0.0, U, 0.6},
        {"CO 2024", ORLA_CO, date(2024, 3, 1), 1000, 0, 0.5, U, U, 4.5, 0.5, 4.5},
        {"CO 2025", ORLA_CO, date(2025, 3, 1), 1000, 0, 0.5, U, U, 4.5, 0.5, 4.5},
        {"CO 2026", ORLA_CO, date(2026, 3, 1), 1000, 0, 0.5, U, U, 4.4, 0.5, 4.4},
        {"CO employee at most half", ORLA_CO, date(2026, 3, 1), 1000, 0, 0.0, U, U, 4.4, 0.0, 0.0},
        {"CO 2026 above the base", ORLA_CO, date(2026, 3, 1), 1000, 200000, 0.5, U, U, 0.0, 0.5, 0.0},
        // Connecticut: the social security base of the pay date.
        {"CT 2024", ORLA_CT, date(2024, 3, 1), 1000, 168000, U, U, U, 3.0, U, U},
        {"CT 2025", ORLA_CT, date(2025, 3, 1), 1000, 176000, U, U, U, 0.5, U, U},
        {"CT 2026", ORLA_CT, date(2026, 3, 1), 1000, 184000, U, U, U, 2.5, U, U},
        {"MN 2026", ORLA_MN, date(2026, 3, 1), 1000, 184000, 0.5, U, U, 2.25, 0.5, 2.25},
        {"MN 2025", ORLA_MN, date(2025, 3, 1), 1000, 0, 0.5, U, U, 0.0, 0.5, U},
        {"NJ 2026", ORLA_NJ, date(2026, 3, 1), 1000, 171000, U, U, U, 0.23, U, U},
        {"NJ 2025", ORLA_NJ, date(2025, 3, 1), 1000, 165000, U, U, U, 1.32, U, U},
        {"NJ 2024", ORLA_NJ, date(2024, 3, 1), 1000, 161000, U, U, U, 0.36, U, U},
        {"NY 2026", ORLA_NY, date(2026, 3, 1), 1000, 95000, U, U, U, 349.54 * 0.00432, U, U},
        {"NY 2025", ORLA_NY, date(2025, 3, 1), 1000, 91000, U, U, U, 373.71 * 0.00388, U, U},
        {"NY 2024", ORLA_NY, date(2024, 3, 1), 1000, 89000, U, U, U, 343.80 * 0.00373, U, U},
        // Washington: 1.13 % in 2026.
        {"WA 2026", ORLA_WA, date(2026, 3, 1), 1000, 0, 0.25, U, U, 8.475, 0.25, 2.825},
        {"WA 2025", ORLA_WA, date(2025, 3, 1), 1000, 0, 0.25, U, U, 6.9, 0.25, 2.3},
        {"WA 2024 newest base", ORLA_WA, date(2024, 3, 1), 1000, 184000, 0.25, U, U, 2.775, 0.25, 0.925},
        // Delaware: the number of employees at 56, the employee's share in percent at 48.
        {"DE 10 employees", ORLA_DE, date(2026, 3, 1), 1000, 0, 50, 10, 0, 1.6, 50, 1.6},
        {"DE 24 employees", ORLA_DE, date(2025, 3, 1), 1000, 0, 50, 24, 0, 1.6, 50, 1.6},
        {"DE 25 employees", ORLA_DE, date(2026, 3, 1), 1000, 0, 50, 25, 0, 4.0, 50, 4.0},
        {"DE 2025 base of the date", ORLA_DE, date(2025, 3, 1), 1000, 176000, 50, 25, 0, 0.4, 50, 0.4},
        {"DE 9 employees", ORLA_DE, date(2026, 3, 1), 1000, 0, 50, 9, 0, 0.0, 50, 0.0},
        {"DE exempt", ORLA_DE, date(2026, 3, 1), 1000, 0, 50, 25, 1.0, 0.0, 50, 0.0},
        {"DE 2024", ORLA_DE, date(2024, 3, 1), 1000, 0, 50, 25, 0, 0.0, 50, 25},
        {"ME 14 employees", ORLA_ME, date(2026, 3, 1), 1000, 0, 50, 14, 0, 2.5, 50, 2.5},
        {"ME 15 employees", ORLA_ME, date(2025, 3, 1), 1000, 0, 50, 15, 0, 5.0, 50, 5.0},
        {"ME exempt", ORLA_ME, date(2026, 3, 1), 1000, 0, 50, 15, 1.0, 0.0, 50, 0.0},
        {"ME 2024", ORLA_ME, date(2024, 3, 1), 1000, 0, 50, 15, 0, 0.0, 50, 15},
        // The District of Columbia: employer only, on every wage.
        {"DC 2024 first half", ORLA_DC, date(2024, 6, 30), 1000, 1e6, U, U, U, 0.0, U, 2.60},
        {"DC 2024 from July", ORLA_DC, date(2024, 7, 1), 1000, 0, U, U, U, 0.0, U, 7.50},
        {"DC 2025", ORLA_DC, date(2025, 3, 1), 1000, 0, U, U, U, 0.0, U, 7.50},
        {"DC 2026", ORLA_DC, date(2026, 3, 1), 1000, 0, U, U, U, 0.0, U, 7.50},
        {"DC 2023", ORLA_DC, date(2023, 3, 1), 1000, 0, U, U, U, 0.0, U, U},
        {"no programme", ORLA_TX, date(2026, 3, 1), 1000, 0, 0.5, 12, 3, 0.0, 0.5, 12},
    };
    for (const Case& c : cases) {
        FamilyLeaveRecord in = leave(c.code, c.date, c.wages, c.ytd);
        in.shareInput = c.share;
        in.employerAmount = c.employer;
        in.extraInput = c.extra;
        const FamilyLeaveRecord r = call(in);
        EXPECT_NEAR(r.employeeAmount, c.wantEmployee, 1e-9) << c.name;
        EXPECT_NEAR(r.shareInput, c.wantShare, 1e-9) << c.name;
        EXPECT_NEAR(r.employerAmount, c.wantEmployer, 1e-9) << c.name;
        // Only Massachusetts writes its medical parts; they are cleared on entry.
        EXPECT_DOUBLE_EQ(r.medicalRemainder, 0.0) << c.name;
        EXPECT_DOUBLE_EQ(r.medicalByShare, 0.0) << c.name;
    }
}

// Massachusetts needs the whole record, 88 bytes: the family part split by the share at 48, the medical
// part by the employer's share at 64 (at least 60 %) for employers of 25 or more.
TEST(FamilyLeave, Massachusetts) {
    struct Case {
        const char* name;
        int size;
        int year;
        double ytd, employees, medicalShare;
        double employee, employer, remainder, byShare;
        int result = 0;
    };
    const Case cases[] = {
        {"30 employees", 88, 2026, 0, 30, 0.6, 0.90, 0.90, 2.80, 4.20},
        {"2024, all medical by the employer", 88, 2024, 0, 30.9, 1.0, 0.90, 0.90, 0.00, 7.00},
        {"share below 60 % raised", 88, 2025, 0, 25, 0.5, 0.90, 0.90, 2.80, 4.20},
        {"24 employees", 88, 2026, 0, 24.9, 0.8, 0.90, 0.90, 2.80, 0.00},
        {"base of the pay date", 120, 2025, 175600, 30, 0.6, 0.45, 0.45, 1.40, 2.10},
        {"huge count saturates", 88, 2026, 0, 1e300, 0.6, 0.90, 0.90, 2.80, 4.20},
        {"record short of the medical parts", 87, 2026, 0, 30, 0.6, 0.00, 30, 0.00, kUntouched, 1},
        {"2023", 88, 2023, 0, 30, 0.6, 0.00, 30, 0.00, 0.00},
    };
    for (const Case& c : cases) {
        FamilyLeaveRecord in = leave(ORLA_MA, date(c.year, 4, 1), 1000, c.ytd);
        in.recordSize = c.size;
        in.shareInput = 0.5;
        in.employerAmount = c.employees;
        in.extraInput = c.medicalShare;
        const FamilyLeaveRecord r = call(in, c.result);
        EXPECT_DOUBLE_EQ(r.employeeAmount, c.employee) << c.name;
        EXPECT_DOUBLE_EQ(r.employerAmount, c.employer) << c.name;
        EXPECT_DOUBLE_EQ(r.medicalRemainder, c.remainder) << c.name;
        EXPECT_DOUBLE_EQ(r.medicalByShare, c.byShare) << c.name;
    }
}

TEST(FamilyLeave, BadInputAndSmallRecords) {
    FamilyLeaveRecord in = leave(ORLA_CO, date(2026, 3, 1), kNaN, 0);
    in.shareInput = 0.5;
    FamilyLeaveRecord r = call(in, 1);
    EXPECT_DOUBLE_EQ(r.employeeAmount, 0.0);
    // A share that is not a number computes nothing and leaves the employer's amount 0.
    in = leave(ORLA_WA, date(2026, 3, 1), 1000, 0);
    in.shareInput = kNaN;
    in.employerAmount = 5;
    r = call(in, 1);
    EXPECT_DOUBLE_EQ(r.employeeAmount, 0.0);
    EXPECT_DOUBLE_EQ(r.employerAmount, 0.0);
    // Delaware's employee count must be a number too.
    in = leave(ORLA_DE, date(2026, 3, 1), 1000, 0);
    in.employerAmount = kNaN;
    call(in, 1);
    // A record of 48 bytes holds the employee's amount and nothing after it.
    in = leave(ORLA_CO, date(2026, 3, 1), 1000, 0);
    in.recordSize = 48;
    in.shareInput = 0.5;
    r = call(in);
    EXPECT_DOUBLE_EQ(r.employeeAmount, 4.4);  // the share is not held: taken as 0
    EXPECT_DOUBLE_EQ(r.shareInput, 0.5);
    in.recordSize = 47;
    EXPECT_DOUBLE_EQ(call(in).employeeAmount, kUntouched);
}

}  // namespace
}  // namespace orla
