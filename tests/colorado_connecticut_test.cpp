#include <gtest/gtest.h>

#include "test_records.h"

namespace orla {
namespace {

using Call = testing::SentinelCall;
using testing::kUntouched;
using testing::sameDate;

// ---- Colorado ------------------------------------------------------------------------------------

TEST(Colorado, FlatRateLessAnnualAllowanceInWholeDollars) {
    struct {
        const char* name;
        int filing;
        CalcDate payDate;
        double want;
    } const cases[] = {
        {"married 2026", 1, date(2026, 4, 10), 69},   // (52,000 - 11,000) x 0.044 / 26 = 69.38
        {"single 2026", 0, date(2026, 4, 10), 79},    // (52,000 - 5,500) x 0.044 / 26 = 78.69
        {"married 2024", 1, date(2024, 4, 10), 73},   // (52,000 - 9,000) x 0.044 / 26 = 72.77
        {"no row for status 2", 2, date(2026, 4, 10), 0},
    };
    for (const auto& c : cases) {
        Call call(ORLA_CO, c.payDate, 26, 2000);
        call.state.stateFilingStatus = c.filing;
        EXPECT_EQ(call.run(calcColorado), 0) << c.name;
        EXPECT_EQ(+call.state.stateTax, c.want) << c.name;
        EXPECT_EQ(call.state.status, 0) << c.name;
        // No row date is stored.
        EXPECT_TRUE(sameDate(call.state.stateTableDate, date(2017, c.payDate.month, c.payDate.day))) << c.name;
    }
}

TEST(Colorado, CertificateAllowanceBehindItsGate) {
    struct {
        const char* name;
        int recordSize;
        int field1;
        int field2;
        double want;
    } const cases[] = {
        {"both switches: no allowance", sizeof(StateRecord), 1, 1, 88},  // 52,000 x 0.044 / 26
        {"first switch off", sizeof(StateRecord), 0, 1, 69},
        {"second switch off", sizeof(StateRecord), 1, 0, 69},
        {"fields beyond the record", 212, 1, 1, 69},
        {"fields within the record", 213, 1, 1, 88},
    };
    for (const auto& c : cases) {
        Call call(ORLA_CO, date(2026, 4, 10), 26, 2000);
        call.state.recordSize = c.recordSize;
        call.state.stateFilingStatus = 1;
        call.state.stateCertField1 = c.field1;
        call.state.stateCertField2 = c.field2;
        call.state.stateCertAmount2 = 0;
        call.run(calcColorado);
        EXPECT_EQ(+call.state.stateTax, c.want) << c.name;
    }
}

TEST(Colorado, SupplementalMethods) {
    struct {
        const char* name;
        int recordSize;
        int method;
        double bonus;
        double want;
    } const cases[] = {
        // (3,000 x 26 - 11,000) x 0.044 / 26 - 69.38 = 44.00
        {"aggregate", sizeof(StateRecord), 1, 1000, 44},
        {"aggregate without a bonus", sizeof(StateRecord), 1, 0, kUntouched},
        {"flat, whole dollars", sizeof(StateRecord), 0, 1234, 54},  // 54.296
        {"other method", sizeof(StateRecord), 3, 1000, kUntouched},
        {"record without supplemental fields", 144, 0, 1000, kUntouched},
    };
    for (const auto& c : cases) {
        Call call(ORLA_CO, date(2025, 4, 10), 26, 2000);
        call.state.recordSize = c.recordSize;
        call.state.stateFilingStatus = 1;
        call.state.stateSuppWages = c.bonus;
        call.state.stateSuppAggregate = c.method;
        EXPECT_EQ(call.run(calcColorado), 0) << c.name;
        EXPECT_EQ(+call.state.stateSuppTax, c.want) << c.name;
    }
    // 2025 married allowance 9,000: (52,000 - 9,000) x 0.044 / 26 = 72.77; with the bonus 116.77.
    Call call(ORLA_CO, date(2025, 4, 10), 26, 2000);
    call.state.stateFilingStatus = 1;
    call.state.stateSuppWages = 1000;
    call.state.stateSuppAggregate = 1;
    call.run(calcColorado);
    EXPECT_EQ(+call.state.stateTax, 73);
}

// A status without a row is untaxed silently; a pay date beyond the tables is reported, so that the
// driver's year fallback taxes the pay.
TEST(Colorado, PayDateBeyondTheTablesIsAMissingRow) {
    Call call(ORLA_CO, date(2028, 4, 10), 26, 2000);
    call.state.stateSuppWages = 100;
    call.state.stateSuppAggregate = 0;
    EXPECT_EQ(call.run(calcColorado), 1 | 64);
    EXPECT_EQ(call.state.status, ORLA_STATE_NO_ROW);
    EXPECT_EQ(+call.state.stateTax, 0.0);

    call.state.stateSuppAggregate = 1;
    EXPECT_EQ(call.run(calcColorado), 1);
}

// ---- Connecticut ---------------------------------------------------------------------------------

struct ConnecticutCase {
    const char* name;
    int code;
    double annualWages;
    double want;  // annual tax (one period)
};

TEST(Connecticut, WithholdingCodeMethod) {
    const ConnecticutCase cases[] = {
        // The first exemption row includes its high; the credit is set by wages before the exemption.
        {"A at 24,000", 'A', 24000, (200 + 2000 * 0.045) * (1 - 0.15)},
        {"A just above 24,000", 'A', 24000.01, 284.7503825},
        {"A at 20,000", 'A', 20000, 104},
        {"D: no exemption, no credit", 'D', 20000, 650},
        {"E: nothing withheld", 'E', 50000, 0},
        {"F at 30,000", 'F', 30000, (200 + 5000 * 0.045) * (1 - 0.15)},
        // Exemption phase-outs of each code: the last band and the first wages beyond it.
        {"A in the last exemption band", 'A', 35000, (200 + 24000 * 0.045) * (1 - 0.10)},
        {"B at 38,000", 'B', 38000, (320 + 3000 * 0.045) * (1 - 0.15)},
        {"C in the last exemption band", 'C', 71000, (400 + 50000 * 0.045) * (1 - 0.10)},
        {"F beyond the exemption", 'F', 44000.01, (200 + 34000.01 * 0.045) * (1 - 0.10)},
        // Add-back and recapture bands.
        {"A below 200,000", 'A', 199999.99, 4750 + (199999.99 - 100000) * 0.06 + 250 + 250},
        {"A at 200,000", 'A', 200000, 10750 + 250 + 340},
        {"A at 345,000", 'A', 345000, 14000 + 95000 * 0.069 + 250 + 2950},
        {"A at 540,000", 'A', 540000, 31250 + 40000 * 0.0699 + 250 + 3400},
        {"B at 800,000", 'B', 800000, 50000 + 400 + 4680},
        {"C at 1,080,000", 'C', 1080000, 62500 + 80000 * 0.0699 + 500 + 6800},
        {"C in the first add-back band", 'C', 103000, (4000 + 3000 * 0.055 + 50)},
    };
    for (const auto& c : cases) {
        Call call(ORLA_CT, date(2025, 9, 1), 1, c.annualWages);
        call.state.stateWithholdingCode = c.code;
        EXPECT_EQ(call.run(calcConnecticut), 0) << c.name;
        EXPECT_NEAR(call.state.stateTax, c.want, 1e-9) << c.name;
        EXPECT_EQ(call.state.status, 0) << c.name;
        EXPECT_TRUE(sameDate(call.state.stateTableDate, CalcDate{0, 0, 0})) << c.name;
    }
}

// Band edges of every table in the last table year (the rows scanned last), annual payroll.
TEST(Connecticut, BandEdgesInTheLastTableYear) {
    const ConnecticutCase cases[] = {
        // Exemption: the first band holds any wages above 0; B's last band ends at 56,000.
        {"A at one cent", 'A', 0.01, 0},
        {"B at 56,000", 'B', 56000, (320 + 39000 * 0.045) * (1 - 0.10)},           // 1,000 exempt
        {"B above 56,000", 'B', 56000.01, (320 + 40000.01 * 0.045) * (1 - 0.10)},  // none exempt
        // Credit: F's last fraction band ends at 64,500; add-back F 61,500 to 66,500: 50.
        {"F at 64,500", 'F', 64500, (2000 + 14500 * 0.055 + 50) * (1 - 0.01)},
        {"F above 64,500", 'F', 64500.01, 2000 + 14500.01 * 0.055 + 50},
        // Add-back: F's open band starts at 101,500.
        {"F below 101,500", 'F', 101499.99, 4750 + 1499.99 * 0.06 + 225},
        {"F at 101,500", 'F', 101500, 4750 + 1500 * 0.06 + 250},
        {"F in a recapture band", 'F', 115500, 4750 + 15500 * 0.06 + 250 + 75},
        // Recapture: C's band from 1,000,000 and B's open band from 864,000.
        {"C below 1,000,000", 'C', 999999.99, 28000 + 499999.99 * 0.069 + 500 + 5900},
        {"C at 1,000,000", 'C', 1000000, 62500 + 500 + 6000},
        {"B below 864,000", 'B', 863999.99, 50000 + 63999.99 * 0.0699 + 400 + 5240},
        {"B at 864,000", 'B', 864000, 50000 + 64000 * 0.0699 + 400 + 5320},
        {"D in the open recapture band", 'D', 540000, 31250 + 40000 * 0.0699 + 250 + 3400},
    };
    for (const auto& c : cases) {
        Call call(ORLA_CT, date(2024, 11, 30), 1, c.annualWages);
        call.state.stateWithholdingCode = c.code;
        EXPECT_EQ(call.run(calcConnecticut), 0) << c.name;
        EXPECT_NEAR(call.state.stateTax, c.want, 1e-9) << c.name;
    }
}

TEST(Connecticut, FailuresGoOnWithTheCalculation) {
    struct {
        const char* name;
        int code;
        double wages;
        int wantResult;
    } const cases[] = {
        // No exemption row holds wages of exactly 0 (the test is strictly above the low).
        {"A at zero", 'A', 0, 1},
        {"D at zero", 'D', 0, 0},
        {"E at zero", 'E', 0, 0},
        {"unknown code", 'G', 1000, 1},
    };
    for (const auto& c : cases) {
        Call call(ORLA_CT, date(2026, 3, 1), 26, c.wages);
        call.state.stateWithholdingCode = c.code;
        EXPECT_EQ(call.run(calcConnecticut), c.wantResult) << c.name;
        EXPECT_EQ(call.state.status, c.wantResult) << c.name;
        EXPECT_EQ(+call.state.stateTax, 0.0) << c.name;
    }
}

TEST(Connecticut, ReducedWithholdingFloorsAtZero) {
    Call call(ORLA_CT, date(2026, 3, 1), 26, 1000);  // 408.90 a year: 15.73 a pay
    call.state.stateWithholdingCode = 'A';
    call.state.stateReducedWithholding = 5;
    call.run(calcConnecticut);
    EXPECT_NEAR(call.state.stateTax, 408.9 / 26 - 5, 1e-9);
    call.state.stateReducedWithholding = 20;
    call.run(calcConnecticut);
    EXPECT_EQ(+call.state.stateTax, 0.0);
}

TEST(Connecticut, SupplementalAnnualisedLikeWages) {
    struct {
        const char* name;
        int recordSize;
        double bonus;
        double want;
    } const cases[] = {
        // 26,000 a year: 408.90; with the bonus 39,000: 1,354.50; the per-pay difference.
        {"bonus", sizeof(StateRecord), 500, 36.37},
        {"no bonus", sizeof(StateRecord), 0, kUntouched},
        {"record without supplemental fields", 144, 500, kUntouched},
        {"record with them", 176, 500, 36.37},
    };
    for (const auto& c : cases) {
        Call call(ORLA_CT, date(2024, 3, 1), 26, 1000);
        call.state.recordSize = c.recordSize;
        call.state.stateWithholdingCode = 'A';
        call.state.stateSuppWages = c.bonus;
        call.state.stateSuppAggregate = 0;  // not consulted
        EXPECT_EQ(call.run(calcConnecticut), 0) << c.name;
        EXPECT_EQ(+call.state.stateSuppTax, c.want) << c.name;
        EXPECT_NEAR(call.state.stateTax, 408.9 / 26, 1e-9) << c.name;
    }
}

}  // namespace
}  // namespace orla
