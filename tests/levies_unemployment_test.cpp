// Federal and state unemployment and the training tax. Every call runs guarded (levy_guard.h).
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

FutaRecord futa(CalcDate d, double wages, double ytd, double rate) {
    FutaRecord r{};
    r.recordSize = sizeof r;
    r.payDate = d;
    r.wages = wages;
    r.ytdWages = ytd;
    r.rate = rate;
    r.tax = kUntouched;
    return r;
}

TEST(Futa, WageBaseOfEachYearAndTheCallersRate) {
    struct Case {
        CalcDate date;
        double ytd, wages, rate, tax;
        int status;
    };
    const Case cases[] = {
        {date(2026, 6, 15), 6500, 1000, 0.006, 3.00, 0},   // 500 left under the base
        {date(2025, 12, 31), 6900, 500, 0.01, 1.00, 0},
        {date(2024, 1, 1), 6950, 500, 0.01, 0.50, 0},
        {date(2026, 3, 1), 7000, 1000, 0.006, 0.00, 0},    // the base already reached
        {date(2026, 3, 1), 9000, 1000, 0.006, 0.00, 0},    // beyond it: never negative
        {date(2026, 3, 1), 0, 2000, 0.054, 108.00, 0},     // the record's rate, not the table's
        {date(2023, 12, 31), 0, 1000, 0.006, 0.00, 1},     // no row
        {date(2027, 1, 1), 0, 1000, 0.006, 0.00, 1},
        {date(2026, 3, 1), 0, kNaN, 0.006, 0.00, 1},       // a non-finite amount
        {date(2026, 3, 1), 0, 1000, 1e308, 0.00, 1},       // an overflow
    };
    for (const Case& c : cases) {
        const FutaRecord r = call(futa(c.date, c.wages, c.ytd, c.rate));
        EXPECT_DOUBLE_EQ(r.tax, c.tax) << c.date.year << " " << c.ytd;
        EXPECT_EQ(r.status, c.status) << c.date.year << " " << c.ytd;
    }
    // The standard net rate column is kept though never read.
    for (const FutaRow& row : futaTable()) EXPECT_DOUBLE_EQ(row.rate, 0.006);
}

TEST(Ett, CaliforniaTrainingTaxOfEachYear) {
    struct Case {
        int year;
        double ytd, wages, tax;
        int status;
    };
    const Case cases[] = {
        {2026, 6500, 1000, 0.50, 0}, {2025, 0, 2000, 2.00, 0}, {2024, 6999, 500, 0.00, 0},  // 0.001 rounds to 0
        {2024, 6000, 2000, 1.00, 0}, {2026, 8000, 100, 0.00, 0}, {2023, 0, 1000, 0.00, 1},
    };
    for (const Case& c : cases) {
        EttRecord r{};
        r.recordSize = sizeof r;
        r.payDate = date(c.year, 7, 1);
        r.wages = c.wages;
        r.ytdWages = c.ytd;
        r.tax = kUntouched;
        r = call(r);
        EXPECT_DOUBLE_EQ(r.tax, c.tax) << c.year << " " << c.ytd;
        EXPECT_EQ(r.status, c.status) << c.year;
    }
    for (const EttRow& row : ettTable()) EXPECT_EQ(row.stateCode, ORLA_CA);
}

SuiRecord sui(int code, CalcDate d, double wages, double ytd, double rate) {
    SuiRecord r{};
    r.recordSize = sizeof r;
    r.payDate = d;
    r.stateCode = code;
    r.wages = wages;
    r.ytdWages = ytd;
    r.rate = rate;
    r.tax = r.employeeTax = r.wageBase = kUntouched;
    return r;
}

// The published wage base of every jurisdiction and year (-1: no row that year).
struct Bases {
    int code;
    double y2026, y2025, y2024;
};
constexpr Bases kBases[] = {
    {ORLA_AL, 8000, 8000, 8000},
    {ORLA_AK, 54200, 51700, 49700},
    {ORLA_AZ, 8000, 8000, 8000},
    {ORLA_AR, 7000, 7000, 7000},
    {ORLA_CA, 7000, 7000, 7000},
    {ORLA_CO, 30600, 27200, 23800},
    {ORLA_CT, 27000, 26100, 25000},
    {ORLA_DE, 14500, 12500, 10500},
    {ORLA_DC, 9000, 9000, 9000},
    {ORLA_FL, 7000, 7000, 7000},
    {ORLA_GA, 9500, 9500, 9500},
    {ORLA_HI, 64500, 61800, 59100},
    {ORLA_ID, 55300, 53300, 43500},
    {ORLA_IL, 14250, 13590, 13590},
    {ORLA_IN, 9500, 9500, 9500},
    {ORLA_IA, 20400, 39500, 38200},
    {ORLA_KS, 14000, 14000, 14000},
    {ORLA_KY, 12000, 11700, 11400},
    {ORLA_LA, 7700, 7700, 7700},
    {ORLA_ME, 12000, 12000, 12000},
    {ORLA_MD, 8500, 8500, 8500},
    {ORLA_MA, 15000, 15000, 15000},
    {ORLA_MI, 9500, 9000, 9500},
    {ORLA_MN, 44000, 43000, 42000},
    {ORLA_MS, 14000, 14000, 14000},
    {ORLA_MO, 9000, 9500, 10000},
    {ORLA_MT, 47300, 45100, 43000},
    {ORLA_NE, 9000, 9000, 9000},
    {ORLA_NV, 43700, 41800, 40600},
    {ORLA_NH, 14000, 14000, 14000},
    {ORLA_NJ, 44800, 43300, 42300},
    {ORLA_NM, 31700, 31500, 31500},
    {ORLA_NY, 13000, 12800, 12500},
    {ORLA_NC, 34200, 32600, 31400},
    {ORLA_ND, 46600, 46800, 43800},
    {ORLA_OH, 9000, 9000, 9000},
    {ORLA_OK, 25000, 28200, 27000},
    {ORLA_OR, 56700, 54300, 52800},
    {ORLA_PA, 10000, 10000, 10000},
    {ORLA_PR, 7000, 7000, 7000},
    {ORLA_RI, 31800, 31800, 29200},
    {ORLA_SC, 14000, 14000, 14000},
    {ORLA_SD, 15000, 15000, 15000},
    {ORLA_TN, 7000, 7000, 7000},
    {ORLA_TX, 9000, 9000, 9000},
    {ORLA_UT, 50700, 48900, 47000},
    {ORLA_VT, 15400, 14800, 14300},
    {ORLA_VI, 31100, -1, -1},
    {ORLA_VA, 8000, 8000, 8000},
    {ORLA_WA, 78200, 72800, 68500},
    {ORLA_WV, 9500, 9500, 9521},
    {ORLA_WI, 14000, 14000, 14000},
    {ORLA_WY, 33800, 32400, 30900},
};

// Each row's base, crossed within the pay: 1,000 of the 2,000 lie under it. Alaska and New Jersey
// withhold the employee's share from the same taxable amount.
TEST(Sui, EveryJurisdictionAndYearCrossesItsBase) {
    static_assert(std::size(kBases) == 53);
    for (const Bases& b : kBases) {
        for (const auto& [year, base] : {std::pair{2026, b.y2026}, std::pair{2025, b.y2025}, std::pair{2024, b.y2024}}) {
            const SuiRecord r = call(sui(b.code, date(year, 6, 15), 2000, base - 1000, 0.01));
            SCOPED_TRACE(testing::Message() << "code " << b.code << ", " << year);
            if (base < 0) {
                EXPECT_EQ(r.status, 1);
                EXPECT_DOUBLE_EQ(r.tax, 0.0);
                continue;
            }
            EXPECT_EQ(r.status, 0);
            EXPECT_DOUBLE_EQ(r.wageBase, base);
            EXPECT_DOUBLE_EQ(r.tax, 10.00);
            EXPECT_DOUBLE_EQ(r.employeeTax, b.code == ORLA_AK ? 5.00 : b.code == ORLA_NJ ? 4.25 : 0.0);
        }
    }
}

TEST(Sui, CasesAroundTheBase) {
    struct Case {
        const char* name;
        int code;
        CalcDate date;
        double wages, ytd, rate, tax, base;
        int status;
    };
    const Case cases[] = {
        {"year-to-date above the base", ORLA_CA, date(2026, 5, 1), 1000, 9000, 0.034, 0.00, 7000, 0},
        {"whole pay under the base", ORLA_CA, date(2026, 5, 1), 1000, 0, 0.034, 34.00, 7000, 0},
        // Rhode Island's alternative base from the threshold rate on, in every year.
        {"RI 2026 at the threshold", ORLA_RI, date(2026, 5, 1), 40000, 0, 0.097, 2977.90, 30700, 0},
        {"RI 2026 above it", ORLA_RI, date(2026, 5, 1), 40000, 0, 0.0979, 3005.53, 30700, 0},
        {"RI 2026 below it", ORLA_RI, date(2026, 5, 1), 40000, 0, 0.0969, 3081.42, 31800, 0},
        {"RI 2025 at the threshold", ORLA_RI, date(2025, 5, 1), 40000, 0, 0.097, 2977.90, 30700, 0},
        {"RI 2024 at the threshold", ORLA_RI, date(2024, 5, 1), 40000, 0, 0.097, 2977.90, 30700, 0},
        {"RI 2024 below it", ORLA_RI, date(2024, 5, 1), 40000, 0, 0.05, 1460.00, 29200, 0},
        // The 2026 Illinois row ends on 31 December 2025 and still covers the whole of 2026.
        {"IL 1 January 2026", ORLA_IL, date(2026, 1, 1), 1000, 0, 0.01, 10.00, 14250, 0},
        {"IL 15 March 2026", ORLA_IL, date(2026, 3, 15), 1000, 0, 0.01, 10.00, 14250, 0},
        {"IL 31 December 2026", ORLA_IL, date(2026, 12, 31), 1000, 0, 0.01, 10.00, 14250, 0},
        {"IL 2027", ORLA_IL, date(2027, 1, 1), 1000, 0, 0.01, 0.00, 0, 1},
        {"American Samoa", ORLA_AS, date(2026, 5, 1), 1000, 0, 0.01, 0.00, 0, 1},
        {"Guam", ORLA_GU, date(2026, 5, 1), 1000, 0, 0.01, 0.00, 0, 1},
        {"code 0", 0, date(2026, 5, 1), 1000, 0, 0.01, 0.00, 0, 1},
        {"code 60", 60, date(2026, 5, 1), 1000, 0, 0.01, 0.00, 0, 1},
        {"code -1", -1, date(2026, 5, 1), 1000, 0, 0.01, 0.00, 0, 1},
        {"2023", ORLA_CA, date(2023, 5, 1), 1000, 0, 0.01, 0.00, 0, 1},
        {"non-finite wages", ORLA_CA, date(2026, 5, 1), kNaN, 0, 0.01, 0.00, 0, 1},
        {"overflow", ORLA_CA, date(2026, 5, 1), 1000, 0, 1e308, 0.00, 0, 1},
    };
    for (const Case& c : cases) {
        const SuiRecord r = call(sui(c.code, c.date, c.wages, c.ytd, c.rate));
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_DOUBLE_EQ(r.tax, c.tax) << c.name;
        EXPECT_DOUBLE_EQ(r.wageBase, c.base) << c.name;
    }
    // Every row runs from 1 January to 31 December of its year, but the 2026 Illinois row, which ends on
    // 31 December 2025.
    for (const SuiRow& row : suiTable()) {
        const bool illinois2026 = row.stateCode == ORLA_IL && row.from.year == 2026;
        EXPECT_TRUE(row.from.month == 1 && row.from.day == 1 && row.to.month == 12 && row.to.day == 31 &&
                    row.to.year == row.from.year - (illinois2026 ? 1 : 0))
            << row.stateCode << " " << row.from.year;
    }
    // The minimum and maximum rates are not read; Alabama 2026 carries its published range.
    EXPECT_DOUBLE_EQ(suiTable()[0].minRate, 1.19);
    EXPECT_DOUBLE_EQ(suiTable()[0].maxRate, 7.34);
}

// The employee fields need recordSize > 80, and each field is written only when the record holds it:
// employeeTax (76 to 84) from 84 on, wageBase (88 to 96) from 96 on.
TEST(Sui, RecordSizeGates) {
    struct Case {
        int size;
        double tax, employeeTax, wageBase;
        int status;
    };
    const Case cases[] = {
        {96, 10.00, 5.00, 54200, 0}, {95, 10.00, 5.00, kUntouched, 0}, {84, 10.00, 5.00, kUntouched, 0},
        {83, 10.00, kUntouched, kUntouched, 0}, {81, 10.00, kUntouched, kUntouched, 0},
        {80, 10.00, kUntouched, kUntouched, 0}, {56, 10.00, kUntouched, kUntouched, 0},
        {55, kUntouched, kUntouched, kUntouched, 0}, {7, kUntouched, kUntouched, kUntouched, -777},
    };
    for (const Case& c : cases) {
        SuiRecord in = sui(ORLA_AK, date(2026, 6, 15), 1000, 0, 0.01);
        in.recordSize = c.size;
        in.status = -777;
        const SuiRecord r = call(in);
        EXPECT_DOUBLE_EQ(r.tax, c.tax) << c.size;
        EXPECT_DOUBLE_EQ(r.employeeTax, c.employeeTax) << c.size;
        EXPECT_DOUBLE_EQ(r.wageBase, c.wageBase) << c.size;
        EXPECT_EQ(r.status, c.status) << c.size;
    }
    // The caller's employee rate replaces the table's; without the employee fields it is not read.
    SuiRecord own = sui(ORLA_AK, date(2026, 6, 15), 1000, 0, 0.01);
    own.employeeRate = 0.01;
    EXPECT_DOUBLE_EQ(call(own).employeeTax, 10.00);
    own.recordSize = 80;
    own.employeeRate = kNaN;
    EXPECT_EQ(call(own).status, 0);
}

// A failed lookup leaves no output of the caller's.
TEST(Sui, FailureClearsTheOutputs) {
    const SuiRecord r = call(sui(ORLA_AS, date(2026, 6, 15), 1000, 0, 0.01));
    EXPECT_EQ(r.status, 1);
    EXPECT_DOUBLE_EQ(r.tax, 0.0);
    EXPECT_DOUBLE_EQ(r.employeeTax, 0.0);
    EXPECT_DOUBLE_EQ(r.wageBase, 0.0);
}

}  // namespace
}  // namespace orla
