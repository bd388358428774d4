#include <gtest/gtest.h>

#include "state/calculators.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::Call;

struct TaxCase {
    const char* what;
    CalcDate payDate;
    int filingStatus;
    int periods;
    double wages;
    double wantTax;
    int wantMarker;
};

TEST(Missouri, ScheduleByFilingStatus) {
    const TaxCase cases[] = {
        {"2026 single", date(2026, 9, 4), 0, 26, 2000, 58, 54321},
        {"2026 married", date(2026, 9, 4), 1, 26, 2000, 29, 54321},
        {"2026 head of household", date(2026, 9, 4), 2, 26, 2000, 43, 54321},
        {"2026 status 3: the single deduction", date(2026, 9, 4), 3, 26, 2000, 58, 54321},
        {"2026 status 5: the single deduction", date(2026, 9, 4), 5, 26, 2000, 58, 54321},
        {"2024 top rate 0.048", date(2024, 9, 4), 0, 26, 2000, 62, 54321},
        {"below the deduction", date(2026, 9, 4), 0, 26, 600, 0, 54321},
        // The annual rows serve an annual pay in the pay-period pass.
        {"annual pay", date(2026, 9, 4), 0, 1, 52000, 1507, 1234},
    };
    for (const TaxCase& k : cases) {
        Call c(ORLA_MO, k.payDate, k.periods, k.wages);
        c.state.stateFilingStatus = k.filingStatus;
        EXPECT_EQ(c.run(), 0u) << k.what;
        EXPECT_DOUBLE_EQ(c.state.stateTax, k.wantTax) << k.what;
        EXPECT_EQ(c.pay.stateTaxableIncome, k.wantMarker) << k.what;
        EXPECT_EQ(c.state.stateTableDate.year, k.payDate.year) << k.what;
    }
}

// The pay-period pass takes a bracket low <= t < high, the annual pass low < t <= high; and each status
// and year has its own run of rows.
TEST(Missouri, BracketEdgesAndRuns) {
    const TaxCase cases[] = {
        // t = 25,536 - 16,100 = 9,436, the low of the top bracket: 263 + 0 x 0.047 = 263.
        {"annual pay at a bracket low", date(2026, 9, 4), 0, 1, 25536, 263, 1234},
        // Annual 25,536, t = 9,436 is the high of 8,088-9,436: (9,436 - 8,088) x 0.045 + 202 = 262.66;
        // / 2 = 131.33 -> 131 (the top bracket would give 263 / 2 = 131.5 -> 132).
        {"annualised pay at a bracket high", date(2026, 9, 4), 0, 2, 12768, 131, 54321},
        // 2025 head of household: t = 52,000 - 22,500 = 29,500; (29,500 - 9,191) x 0.047 + 256 = 1,210.523;
        // / 26 = 46.56 -> 47.
        {"2025 head of household", date(2025, 9, 4), 2, 26, 2000, 47, 54321},
        // 2024 status 5: t = 36,000 - 14,600 = 21,400; (21,400 - 8,911) x 0.048 + 248 = 847.472; / 12 = 70.62.
        {"2024 status 5", date(2024, 9, 4), 5, 12, 3000, 71, 54321},
        // 2025 married: t = 36,000 - 30,000 = 6,000; (6,000 - 5,252) x 0.035 + 98 = 124.18; / 24 = 5.17.
        {"2025 married, middle bracket", date(2025, 9, 4), 1, 24, 1500, 5, 54321},
    };
    for (const TaxCase& k : cases) {
        Call c(ORLA_MO, k.payDate, k.periods, k.wages);
        c.state.stateFilingStatus = k.filingStatus;
        EXPECT_EQ(c.run(), 0u) << k.what;
        EXPECT_DOUBLE_EQ(c.state.stateTax, k.wantTax) << k.what;
        EXPECT_EQ(c.pay.stateTaxableIncome, k.wantMarker) << k.what;
        EXPECT_EQ(c.state.stateTableDate.year, k.payDate.year) << k.what;
    }
}

TEST(Missouri, UnknownStatusHasNoRows) {
    Call c(ORLA_MO, date(2026, 9, 4), 26, 2000);
    c.state.stateFilingStatus = 4;
    EXPECT_EQ(c.run(), static_cast<unsigned>(ORLA_FLAG_STATE));
    EXPECT_EQ(c.state.status, ORLA_STATE_NO_ROW);
}

TEST(Missouri, FixedAmountReplacesTheCalculation) {
    Call c(ORLA_MO, date(2026, 9, 4), 26, 9000);
    c.state.stateFixedTax = 25;
    c.state.stateSuppWages = 1000;
    c.state.stateSuppTax = -1;
    EXPECT_EQ(c.run(), 0u);
    EXPECT_DOUBLE_EQ(c.state.stateTax, 25);
    EXPECT_DOUBLE_EQ(c.state.stateSuppTax, 0);  // the driver's 0, not the caller's value
    EXPECT_EQ(c.state.stateTableDate.year, 2017);
}

TEST(Missouri, SupplementalMethods) {
    struct Case {
        const char* what;
        CalcDate payDate;
        int recordSize;
        int method;
        double want;  // -1: left as the caller set it
    };
    const Case cases[] = {
        {"flat rate 2026", date(2026, 9, 4), 244, 0, 47},
        {"flat rate 2024", date(2024, 9, 4), 244, 0, 48},
        {"aggregate, whole dollars", date(2026, 9, 4), 244, 1, 47},
        {"no method: the driver's 0", date(2026, 9, 4), 244, 3, 0},
        {"record without supplemental fields", date(2026, 9, 4), 144, 0, -1},
        {"smallest record with them", date(2026, 9, 4), 176, 0, 47},
    };
    for (const Case& k : cases) {
        Call c(ORLA_MO, k.payDate, 26, 2000);
        c.state.recordSize = k.recordSize;
        c.state.stateSuppWages = 1000;
        c.state.stateSuppAggregate = k.method;
        c.state.stateSuppTax = -1;
        EXPECT_EQ(c.run(), 0u) << k.what;
        EXPECT_DOUBLE_EQ(c.state.stateSuppTax, k.want) << k.what;
    }
}

TEST(Missouri, YearFallback) {
    Call next(ORLA_MO, date(2027, 9, 4), 26, 2000);
    EXPECT_EQ(next.run(), 0u);
    EXPECT_DOUBLE_EQ(next.state.stateTax, 58);
    EXPECT_EQ(next.state.stateTableDate.year, 2026);

    Call later(ORLA_MO, date(2028, 9, 4), 26, 2000);
    EXPECT_EQ(later.run(), static_cast<unsigned>(ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE));
    EXPECT_EQ(later.state.status, ORLA_STATE_NO_ROW);
}

}  // namespace
}  // namespace orla
