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
    int exemptions;
    double wages;
    double wantTax;
};

TEST(Michigan, FlatRateAfterExemptions) {
    const TaxCase cases[] = {
        {"2026 biweekly, two exemptions", date(2026, 7, 2), 26, 2, 2000, 66.04},
        {"2024 exemption amounts", date(2024, 7, 2), 26, 2, 2000, 66.69},
        // No row for 3 periods: the annual exemption spread over them, the rate on 3 x the rest.
        {"three periods", date(2026, 7, 2), 3, 1, 2000, 2.83},
        {"exemptions above the wages", date(2026, 7, 2), 52, 2, 100, 0.0},
    };
    for (const TaxCase& k : cases) {
        Call c(ORLA_MI, k.payDate, k.periods, k.wages);
        c.state.stateAllowances = k.exemptions;
        EXPECT_EQ(c.run(), 0u) << k.what;
        EXPECT_DOUBLE_EQ(c.state.stateTax, k.wantTax) << k.what;
        EXPECT_EQ(c.state.stateTableDate.year, k.payDate.year) << k.what;
    }
}

TEST(Michigan, SupplementalFlatRate) {
    for (const int size : {144, 176}) {
        Call c(ORLA_MI, date(2026, 7, 2), 26, 2000);
        c.state.recordSize = size;
        c.state.stateSuppWages = 1000;
        c.state.stateSuppAggregate = 1;  // no aggregate method: the flat rate all the same
        c.state.stateSuppTax = -1;
        EXPECT_EQ(c.run(), 0u);
        EXPECT_DOUBLE_EQ(c.state.stateSuppTax, size == 144 ? -1 : 42.50) << size;
    }
}

TEST(Michigan, YearFallbackAndMissingRows) {
    Call next(ORLA_MI, date(2027, 7, 2), 26, 2000);
    next.state.stateAllowances = 2;
    EXPECT_EQ(next.run(), 0u);
    EXPECT_DOUBLE_EQ(next.state.stateTax, 66.04);
    EXPECT_EQ(next.state.stateTableDate.year, 2026);

    Call later(ORLA_MI, date(2028, 7, 2), 26, 2000);
    EXPECT_EQ(later.run(), static_cast<unsigned>(ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE));
    EXPECT_EQ(later.state.status, ORLA_STATE_NO_ROW);
    EXPECT_EQ(later.state.stateTableDate.year, 2017);

    PayRecord pay{};
    StateRecord state{};
    state.recordSize = sizeof state;
    pay.payDate = date(2026, 7, 2);
    state.statePayPeriods = 0;  // nothing to spread the annual exemption over
    EXPECT_EQ(calcMichigan(1, &pay, &state), 1);
    EXPECT_EQ(state.status, ORLA_STATE_NO_ROW);
}

}  // namespace
}  // namespace orla
