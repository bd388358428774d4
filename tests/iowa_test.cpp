#include <gtest/gtest.h>

#include "state/calculators.h"
#include "state/iowa.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::calcFull;
using testing::kUntouched;
using testing::makeRecords;
using testing::Records;
using testing::sameDate;

struct TaxCase {
    const char* name;
    CalcDate payDate;
    int periods;
    int filingStatus;
    int allowances;
    int newerCertificate;  // stateCertField1
    int asSingle;          // stateCertField2
    double certificateCredit;
    double wages;
    double wantTax;
};

TEST(Iowa, WorkedPays) {
    const TaxCase cases[] = {
        // (1,000 - 500) x 0.038 - 2 x 1.54
        {"2026 older single", date(2026, 4, 3), 26, 0, 2, 0, 0, 0, 1000, 15.92},
        {"2026 older married", date(2026, 4, 3), 26, 1, 0, 0, 0, 0, 1500, 19.00},  // 500 x 0.038
        {"2026 older status 17 as married", date(2026, 4, 3), 26, 17, 0, 0, 0, 0, 1500, 19.00},
        {"2026 older head of household as single", date(2026, 4, 3), 26, 2, 0, 0, 0, 0, 1000, 19.00},
        {"2026 newer married withheld as single", date(2026, 4, 3), 26, 1, 0, 1, 1, 0, 1000, 19.00},
        {"2026 newer married", date(2026, 4, 3), 26, 1, 0, 1, 0, 0, 1000, 0.00},
        {"2026 newer head of household", date(2026, 4, 3), 26, 2, 0, 1, 0, 0, 1000, 9.50},  // 250 x 0.038
        // The annual credit of 260 is 10 a pay; the allowances do not count.
        {"2026 newer single with credit", date(2026, 4, 3), 26, 0, 5, 1, 0, 260, 1000, 9.00},
        // Quarterly: the annual row. (20,000 - 13,000) x 0.038 / 4
        {"2026 quarterly", date(2026, 3, 31), 4, 0, 0, 0, 0, 0, 5000, 66.50},
        // Quarterly under the newer certificate: the annual credit is taken whole against the annual tax,
        // then the result divided: (20,000 - 13,000) x 0.038 = 266; (266 - 100) / 4
        {"2026 quarterly newer with credit", date(2026, 3, 31), 4, 0, 0, 1, 0, 100, 5000, 41.50},
        {"2025 older single weekly", date(2025, 4, 4), 52, 0, 1, 0, 0, 0, 600, 13.26},  // 369.23 x 0.038 - 0.77
        {"credit larger than the tax", date(2026, 4, 3), 26, 0, 20, 0, 0, 0, 600, 0.00},
        // 2024: the lower deduction and a flat 40 a year whatever the allowances:
        // (438.46 - 188.31) x 0.0482 + 8.29 - 40 / 26
        {"2024 older, 5 allowances", date(2024, 4, 5), 26, 0, 5, 0, 0, 0, 1000, 18.81},
        {"2024 older, no allowances", date(2024, 4, 5), 26, 1, 0, 0, 0, 0, 1000, 18.81},
        // Annual payroll: a credit of 80 brings the higher deduction: (10,800 - 4,896) x 0.0482 + 215.42 - 80
        {"2024 newer credit 80", date(2024, 12, 20), 1, 0, 0, 1, 0, 80, 40000, 419.99},
        // 79.99 keeps the lower one: (25,400 - 24,480) x 0.057 + 1,159.37 - 79.99
        {"2024 newer credit 79.99", date(2024, 12, 20), 1, 0, 0, 1, 0, 79.99, 40000, 1131.82},
        // Biweekly newer certificate, credit 100: the higher deduction, and the credit a 26th a pay:
        // 2,000 - 1,123.08 = 876.92; (876.92 - 188.31) x 0.0482 + 8.29 - 100 / 26 = 37.6348
        {"2024 newer biweekly credit 100", date(2024, 4, 5), 26, 0, 0, 1, 0, 100, 2000, 37.63},
    };
    for (const TaxCase& c : cases) {
        Records r = makeRecords(ORLA_IA, c.payDate, c.periods, c.wages);
        r.state.stateFilingStatus = c.filingStatus;
        r.state.stateAllowances = c.allowances;
        r.state.stateCertField1 = c.newerCertificate;
        r.state.stateCertField2 = c.asSingle;
        r.state.stateCertAmount1 = c.certificateCredit;
        EXPECT_EQ(calcFull(r), 0u) << c.name;
        EXPECT_EQ(r.state.status, 0) << c.name;
        EXPECT_DOUBLE_EQ(r.state.stateTax, c.wantTax) << c.name;
    }
}

// From 2025 the table date keeps the stamp; in 2024 it is the row's.
TEST(Iowa, TableDate) {
    Records r = makeRecords(ORLA_IA, date(2026, 4, 3), 26, 1000);
    EXPECT_EQ(calcFull(r), 0u);
    EXPECT_TRUE(sameDate(r.state.stateTableDate, date(2017, 4, 3)));
    Records old = makeRecords(ORLA_IA, date(2024, 4, 5), 26, 1000);
    EXPECT_EQ(calcFull(old), 0u);
    EXPECT_TRUE(sameDate(old.state.stateTableDate, date(2024, 1, 1)));
}

// The certificate fields lie beyond 212 bytes: a smaller record computes no tax and says so with status 4
// and the state flag.
TEST(Iowa, RecordSizeGate) {
    for (int size : {212, 213}) {
        Records r = makeRecords(ORLA_IA, date(2026, 4, 3), 26, 1000);
        r.state.recordSize = size;
        r.state.stateAllowances = 2;
        r.state.stateExtraWithholding = 3;
        EXPECT_EQ(calcFull(r), size > 212 ? 0u : static_cast<unsigned>(ORLA_FLAG_STATE)) << size;
        EXPECT_EQ(r.state.status, size > 212 ? 0 : ORLA_STATE_RECORD_TOO_SMALL) << size;
        EXPECT_DOUBLE_EQ(r.state.stateTax, size > 212 ? 18.92 : 3.00) << size;
    }
}

struct SuppCase {
    const char* name;
    CalcDate payDate;
    int method;
    double want;  // kUntouched: not written
};

TEST(Iowa, Supplemental) {
    const SuppCase cases[] = {
        // 2026, older single with 2 allowances, 1,000 wages and 510 bonus:
        // (1,510 - 500) x 0.038 - 3.08 = 35.30 against 15.92, not rounded.
        {"2026 aggregate", date(2026, 4, 3), 1, 19.38},
        {"2026 other method: aggregate stands", date(2026, 4, 3), 2, 19.38},
        {"2026 flat", date(2026, 4, 3), 0, 19},  // 0.038 x 510 = 19.38, whole dollars
        // 2024: (948.46 - 941.54) x 0.057 + 44.60 - 40 / 26 = 43.455978 against 18.808768.
        {"2024 aggregate", date(2024, 4, 5), 1, 24.64721},
        {"2024 other method: the driver's 0 stands", date(2024, 4, 5), 2, 0},
        {"2024 flat", date(2024, 4, 5), 0, 31},  // 0.06 x 510 = 30.60
    };
    for (const SuppCase& c : cases) {
        Records r = makeRecords(ORLA_IA, c.payDate, 26, 1000);
        r.state.stateAllowances = 2;
        r.state.stateSuppWages = 510;
        r.state.stateSuppAggregate = c.method;
        r.state.stateSuppTax = kUntouched;
        EXPECT_EQ(calcFull(r), 0u) << c.name;
        EXPECT_NEAR(r.state.stateSuppTax, c.want, 1e-6) << c.name;
    }
}

// The repeated lookup uses the status of the wages: head of household under the older certificate
// keeps the single deduction for the bonus too.
TEST(Iowa, SupplementalUsesTheSameStatus) {
    Records r = makeRecords(ORLA_IA, date(2026, 4, 3), 26, 400);
    r.state.stateFilingStatus = 2;
    r.state.stateSuppWages = 200;
    r.state.stateSuppAggregate = 1;
    EXPECT_EQ(calcFull(r), 0u);
    EXPECT_DOUBLE_EQ(r.state.stateTax, 0.0);
    EXPECT_NEAR(r.state.stateSuppTax, 3.80, 1e-9);  // (600 - 500) x 0.038
}

TEST(Iowa, UnknownNewerStatusFindsNoRow) {
    Records r = makeRecords(ORLA_IA, date(2026, 4, 3), 26, 1000);
    r.state.stateCertField1 = 1;
    r.state.stateFilingStatus = 5;
    EXPECT_EQ(calcIowa(ORLA_MODE_FULL, &r.pay, &r.state), 1);
    EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
}

TEST(Iowa, YearFallback) {
    Records r = makeRecords(ORLA_IA, date(2027, 4, 2), 26, 1000);
    r.state.stateAllowances = 2;
    EXPECT_EQ(calcFull(r), 0u);
    EXPECT_DOUBLE_EQ(r.state.stateTax, 15.92);
    EXPECT_TRUE(sameDate(r.state.stateTableDate, date(2017, 4, 2)));

    Records late = makeRecords(ORLA_IA, date(2028, 4, 7), 26, 1000);
    EXPECT_NE(calcFull(late) & ORLA_FLAG_STATE, 0u);
    EXPECT_EQ(late.state.status, ORLA_STATE_NO_ROW);
}

TEST(Iowa, MissingFlatRateReported) {
    Records r = makeRecords(ORLA_IA, date(2023, 4, 7), 26, 1000);
    r.state.stateSuppWages = 100;
    r.state.stateSuppTax = kUntouched;
    // Without a regular row (2023) the calculator stops before the supplemental step.
    EXPECT_EQ(calcIowa(ORLA_MODE_FULL, &r.pay, &r.state), 1);
    EXPECT_DOUBLE_EQ(r.state.stateSuppTax, kUntouched);
}

TEST(Iowa, NoPeriodsFails) {
    for (int year : {2024, 2026}) {
        Records r = makeRecords(ORLA_IA, date(year, 4, 5), 26, 1000);
        r.state.statePayPeriods = 0;
        r.state.stateSuppAggregate = 1;
        EXPECT_EQ(calcIowa(ORLA_MODE_FULL, &r.pay, &r.state), 1) << year;
        EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW) << year;
        EXPECT_DOUBLE_EQ(r.state.stateTax, 0.0) << year;
    }
}

TEST(Iowa, Tables) {
    const auto rows = iowaTable();
    ASSERT_EQ(rows.size(), 50u);
    // 2026 weekly head of household, fifth of its group.
    EXPECT_EQ(rows[4].status, 2);
    EXPECT_DOUBLE_EQ(rows[4].deductionNewerCertificate, 375);
    EXPECT_EQ(rows[2].status, 17);
    // 2026 annual married.
    EXPECT_EQ(rows[21].periods, 1);
    EXPECT_EQ(rows[21].status, 1);
    EXPECT_DOUBLE_EQ(rows[21].deductionOlderCertificate, 26000);
    EXPECT_DOUBLE_EQ(rows[21].creditPerAllowance, 40);
    // 2025 semimonthly head of household.
    EXPECT_TRUE(sameDate(rows[39].from, date(2025, 1, 1)));
    EXPECT_EQ(rows[39].periods, 24);
    EXPECT_DOUBLE_EQ(rows[39].deductionNewerCertificate, 752.08);
    for (const IowaRow& row : rows) EXPECT_DOUBLE_EQ(row.rate, 0.038);

    const auto brackets = iowa2024Table();
    ASSERT_EQ(brackets.size(), 15u);
    EXPECT_DOUBLE_EQ(brackets[5].low, 941.54);  // biweekly top bracket
    EXPECT_DOUBLE_EQ(brackets[5].base, 44.60);
    EXPECT_DOUBLE_EQ(brackets[14].low, 24480);  // annual top bracket
    EXPECT_DOUBLE_EQ(brackets[14].base, 1159.37);
    EXPECT_DOUBLE_EQ(brackets[14].deductionHigher, 29200);

    const auto supp = iowaSupplementalTable();
    ASSERT_EQ(supp.size(), 3u);
    EXPECT_DOUBLE_EQ(supp[2].rate, 0.06);
}

}  // namespace
}  // namespace orla
