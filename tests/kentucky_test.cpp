#include <gtest/gtest.h>

#include "state/calculators.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::Call;

struct TaxCase {
    const char* what;
    CalcDate payDate;
    int periods;
    double wages;
    double wantTax;
    int wantTaxableIncome;  // the annual tax in thousandths; -7: not written
};

TEST(Kentucky, FlatRateAfterTheStandardDeduction) {
    const TaxCase cases[] = {
        {"2026 biweekly", date(2026, 8, 14), 26, 2000, 65.48, 1702400},
        {"2025 biweekly", date(2025, 8, 14), 26, 2000, 74.97, 1949200},
        // The annual row serves an annual pay directly and reports nothing.
        {"2026 annual pay", date(2026, 8, 14), 1, 52000, 1702.40, -7},
        {"below the deduction", date(2026, 8, 14), 26, 100, 0.0, 0},
    };
    for (const TaxCase& k : cases) {
        Call c(ORLA_KY, k.payDate, k.periods, k.wages);
        c.pay.stateTaxableIncome = -7;
        EXPECT_EQ(c.run(), 0u) << k.what;
        EXPECT_DOUBLE_EQ(c.state.stateTax, k.wantTax) << k.what;
        EXPECT_EQ(c.pay.stateTaxableIncome, k.wantTaxableIncome) << k.what;
    }
}

// Supplemental wages always by the aggregate method, whatever the method field says.
TEST(Kentucky, SupplementalAggregate) {
    struct Case {
        const char* what;
        int recordSize;
        double wages;
        double suppWages;
        double want;  // -1: left as the caller set it
    };
    const Case cases[] = {
        {"above the deduction", 244, 2000, 1000, 35.00},
        {"the deduction absorbs part", 244, 100, 1000, 33.98},
        {"no supplemental wages: the driver's 0, not the caller's value", 244, 2000, 0, 0},
        {"record without supplemental fields", 144, 2000, 1000, -1},
        {"smallest record with them", 176, 2000, 1000, 35.00},
    };
    for (const Case& k : cases) {
        Call c(ORLA_KY, date(2026, 8, 14), 26, k.wages);
        c.state.recordSize = k.recordSize;
        c.state.stateSuppWages = k.suppWages;
        c.state.stateSuppAggregate = 0;
        c.state.stateSuppTax = -1;
        EXPECT_EQ(c.run(), 0u) << k.what;
        EXPECT_DOUBLE_EQ(c.state.stateSuppTax, k.want) << k.what;
    }
}

TEST(Kentucky, YearFallbackAndMissingRows) {
    Call next(ORLA_KY, date(2027, 8, 14), 26, 2000);
    EXPECT_EQ(next.run(), 0u);
    EXPECT_DOUBLE_EQ(next.state.stateTax, 65.48);

    Call later(ORLA_KY, date(2028, 8, 14), 26, 2000);
    EXPECT_EQ(later.run(), static_cast<unsigned>(ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE));
    EXPECT_EQ(later.state.status, ORLA_STATE_NO_ROW);

    PayRecord pay{};
    StateRecord state{};
    state.recordSize = sizeof state;
    pay.payDate = date(2026, 8, 14);
    state.stateWages = 100;
    state.stateSuppWages = 100;
    state.stateSuppTax = -1;
    EXPECT_EQ(calcKentucky(1, &pay, &state), 1);  // no period count to annualise by
    EXPECT_EQ(state.status, ORLA_STATE_NO_ROW);
    EXPECT_DOUBLE_EQ(state.stateSuppTax, 0.0);
}

}  // namespace
}  // namespace orla
