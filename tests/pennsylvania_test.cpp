#include <gtest/gtest.h>

#include "state/calculators.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::Call;

TEST(Pennsylvania, FlatRateOnWages) {
    Call c(ORLA_PA, date(2026, 3, 13), 26, 2000);
    EXPECT_EQ(c.run(), 0u);
    EXPECT_DOUBLE_EQ(c.state.stateTax, 61.40);
    EXPECT_EQ(c.state.status, 0);
}

TEST(Pennsylvania, SupplementalWagesOnlyWithTheSupplementalFields) {
    struct Case {
        int recordSize;
        double wantSuppTax;  // -1: left as the caller set it
    };
    for (const Case& k : {Case{144, -1}, Case{175, -1}, Case{176, 30.70}, Case{244, 30.70}}) {
        Call c(ORLA_PA, date(2025, 6, 1), 12, 5000);
        c.state.recordSize = k.recordSize;
        c.state.stateSuppWages = 1000;
        c.state.stateSuppTax = -1;
        c.run();
        EXPECT_NEAR(c.state.stateSuppTax, k.wantSuppTax, 1e-9) << k.recordSize;
        EXPECT_DOUBLE_EQ(c.state.stateTax, 153.50);
    }
}

// No table: every year is taxed, so a year beyond the tables raises only the federal flag.
TEST(Pennsylvania, NoTableMeansNoStateFallback) {
    Call later(ORLA_PA, date(2028, 1, 15), 26, 2000);
    EXPECT_EQ(later.run(), static_cast<unsigned>(ORLA_FLAG_FEDERAL));
    EXPECT_DOUBLE_EQ(later.state.stateTax, 61.40);
    EXPECT_EQ(later.state.status, 0);
}

TEST(Pennsylvania, EarlierRateBefore2004) {
    PayRecord pay{};
    StateRecord state{};
    pay.payDate = date(2003, 5, 1);
    state.recordSize = sizeof state;
    state.stateWages = 1000;
    state.stateSuppWages = 500;
    state.stateSuppTax = -1;
    EXPECT_EQ(calcPennsylvania(1, &pay, &state), 0);
    EXPECT_DOUBLE_EQ(state.stateTax, 28.0);
    EXPECT_DOUBLE_EQ(state.stateSuppTax, -1);
}

}  // namespace
}  // namespace orla
