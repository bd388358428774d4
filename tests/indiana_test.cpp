#include <gtest/gtest.h>

#include "state/calculators.h"
#include "state/indiana.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::Call;

struct Certificate {
    int exemptions = 0;
    int dependents = 0;
    int additional = 0;     // stateCertField1
    int adopted = 0;        // stateCertField2
    int adoptedYear = 0;    // stateCertField3
};

struct TaxCase {
    const char* what;
    CalcDate payDate;
    int periods;
    int recordSize;
    Certificate cert;
    double wages;
    double wantTax;
};

TEST(Indiana, ExemptionsAndDependents) {
    const int full = sizeof(StateRecord);
    const TaxCase cases[] = {
        {"one exemption, one dependent", date(2026, 5, 1), 26, full, {1, 1}, 2000, 56.16},
        {"additional dependent", date(2026, 5, 1), 26, full, {1, 1, 1}, 2000, 52.76},
        {"additional dependent, no certificate fields", date(2026, 5, 1), 26, 212, {1, 1, 1}, 2000, 56.16},
        {"additional dependent, record passing the gate without holding the field", date(2026, 5, 1), 26, 215, {1, 1, 1}, 2000, 56.16},
        {"additional dependent, smallest record with them", date(2026, 5, 1), 26, 216, {1, 1, 1}, 2000, 52.76},
        {"adopted dependent for any year", date(2026, 5, 1), 26, full, {1, 1, 0, 1, 0}, 2000, 54.46},
        {"adopted dependent for the pay year", date(2026, 5, 1), 26, full, {1, 1, 0, 1, 2026}, 2000, 54.46},
        {"adopted dependent for another year", date(2026, 5, 1), 26, full, {1, 1, 0, 1, 2025}, 2000, 56.16},
        {"record of 264 bytes counts no dependents", date(2026, 5, 1), 26, 264, {1, 1, 1, 1}, 2000, 57.87},
        // Quarterly: the annual row; the adopted-dependent amount is not subtracted there.
        {"quarterly", date(2026, 5, 1), 4, full, {1, 1, 0, 1}, 2000, 40.56},
        {"2025 rate", date(2025, 5, 1), 26, full, {1, 1}, 2000, 57.12},
        {"2024 rate", date(2024, 5, 1), 26, full, {1, 1}, 2000, 58.07},
        {"exemptions above the wages", date(2026, 5, 1), 52, full, {3}, 50, 0.0},
    };
    for (const TaxCase& k : cases) {
        Call c(ORLA_IN, k.payDate, k.periods, k.wages);
        c.state.recordSize = k.recordSize;
        c.state.stateAllowances = k.cert.exemptions;
        c.state.stateDependentExemptions = k.cert.dependents;
        c.state.stateCertField1 = k.cert.additional;
        c.state.stateCertField2 = k.cert.adopted;
        c.state.stateCertField3 = k.cert.adoptedYear;
        EXPECT_EQ(c.run(), 0u) << k.what;
        EXPECT_DOUBLE_EQ(c.state.stateTax, k.wantTax) << k.what;
        EXPECT_EQ(c.state.stateTableDate.year, k.payDate.year) << k.what;
    }
}

TEST(Indiana, DependentCountsByDate) {
    StateRecord state{};
    state.recordSize = sizeof state;
    state.stateDependentExemptions = 2;
    state.stateCertField1 = 3;
    state.stateCertField2 = 4;
    EXPECT_EQ(indianaDependentCounts(date(2022, 9, 30), &state).additional, 0);
    EXPECT_EQ(indianaDependentCounts(date(2022, 10, 1), &state).additional, 3);
    EXPECT_EQ(indianaDependentCounts(date(2023, 12, 31), &state).adopted, 0);
    const IndianaDependentCounts counts = indianaDependentCounts(date(2024, 1, 1), &state);
    EXPECT_EQ(counts.dependents, 2);
    EXPECT_EQ(counts.adopted, 4);
}

TEST(Indiana, SupplementalAtTheRowRate) {
    for (const int size : {144, 176}) {
        Call c(ORLA_IN, date(2026, 5, 1), 26, 2000);
        c.state.recordSize = size;
        c.state.stateSuppWages = 1000;
        c.state.stateSuppTax = -1;
        c.run();
        EXPECT_DOUBLE_EQ(c.state.stateSuppTax, size == 144 ? -1 : 29.5) << size;
    }
}

TEST(Indiana, YearFallback) {
    Call next(ORLA_IN, date(2027, 2, 1), 26, 2000);
    next.state.stateAllowances = 1;
    next.state.stateDependentExemptions = 1;
    EXPECT_EQ(next.run(), 0u);
    EXPECT_DOUBLE_EQ(next.state.stateTax, 56.16);
    EXPECT_EQ(next.state.stateTableDate.year, 2026);

    Call later(ORLA_IN, date(2028, 2, 1), 26, 2000);
    EXPECT_EQ(later.run(), static_cast<unsigned>(ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE));
    EXPECT_EQ(later.state.status, ORLA_STATE_NO_ROW);

    // Without a period count nothing can be annualised.
    PayRecord pay{};
    StateRecord state{};
    state.recordSize = sizeof state;
    pay.payDate = date(2026, 2, 1);
    EXPECT_EQ(calcIndiana(1, &pay, &state), 1);
    EXPECT_EQ(state.status, ORLA_STATE_NO_ROW);
}

TEST(Indiana, TablesShareTheirRowOrder) {
    const auto first = indianaWithholdingTable();
    const auto second = indianaAdditionalDependentTable();
    const auto third = indianaAdoptedDependentTable();
    ASSERT_EQ(first.size(), 30u);
    ASSERT_EQ(second.size(), 30u);
    ASSERT_EQ(third.size(), 30u);
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].periods, second[i].periods);
        EXPECT_EQ(first[i].periods, third[i].periods);
        EXPECT_EQ(first[i].from.year, third[i].from.year);
    }
    // Telling rows: 2026 biweekly status 0; 2024 annual status 1.
    EXPECT_EQ(first[4].periods, 26);
    EXPECT_DOUBLE_EQ(first[4].exemption, 38.46);
    EXPECT_DOUBLE_EQ(second[4].dependent, 115.38);
    EXPECT_DOUBLE_EQ(third[4].dependent, 57.69);
    EXPECT_EQ(first[25].status, 1);
    EXPECT_EQ(first[25].periods, 1);
    EXPECT_DOUBLE_EQ(first[25].rate, 0.0305);
    // Every row of every year: the published amounts per pay period (exemption; dependent; additional
    // dependent; adopted dependent).
    struct Amounts {
        int periods;
        double exemption, dependent, additional, adopted;
    };
    const Amounts published[] = {{1, 1000, 1500, 3000, 1500},
                                 {52, 19.23, 28.85, 57.69, 28.85},
                                 {12, 83.33, 125, 250, 125},
                                 {24, 41.67, 62.5, 125, 62.5},
                                 {26, 38.46, 57.69, 115.38, 57.69}};
    for (std::size_t i = 0; i < first.size(); ++i)
        for (const Amounts& a : published)
            if (a.periods == first[i].periods) {
                EXPECT_EQ(first[i].exemption, a.exemption) << i;
                EXPECT_EQ(first[i].dependent, a.dependent) << i;
                EXPECT_EQ(second[i].dependent, a.additional) << i;
                EXPECT_EQ(third[i].dependent, a.adopted) << i;
                EXPECT_EQ(second[i].rate, first[i].rate) << i;
            }
}

}  // namespace
}  // namespace orla
