#include <gtest/gtest.h>

#include "state/calculators.h"
#include "withholding_call.h"

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
    EXPECT_DOUBLE_EQ(c.state.stateSuppTax, -1);
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
        {"no method", date(2026, 9, 4), 244, 3, -1},
        {"record without supplemental fields", date(2026, 9, 4), 144, 0, -1},
        {"smallest record with them", date(2026, 9, 4), 145, 0, 47},
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
