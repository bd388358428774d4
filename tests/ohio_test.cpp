#include <gtest/gtest.h>

#include <cmath>
#include <iterator>

#include "state/calculators.h"
#include "state/ohio.h"
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
    CalcDate wantTableDate;
};

TEST(Ohio, WithholdingByDateBlockAndPeriods) {
    const TaxCase cases[] = {
        {"2026 biweekly, two exemptions", date(2026, 4, 10), 26, 2, 2000, 46.13, date(2026, 1, 1)},
        // No quarterly rows: the annual row on 4 x 30,000, top bracket.
        {"2026 quarterly", date(2026, 4, 10), 4, 0, 30000, 850.38, date(2026, 1, 1)},
        // The semimonthly top base stands as published (67.19).
        {"2026 semimonthly top bracket", date(2026, 2, 15), 24, 0, 5000, 97.52, date(2026, 1, 1)},
        {"last day of the six-bracket 2025 block", date(2025, 9, 30), 52, 0, 1000, 24.18, date(2025, 1, 1)},
        {"first day of the three-bracket 2025 block", date(2025, 10, 1), 52, 0, 1000, 23.81, date(2025, 10, 1)},
        {"first half of 2024, top rate 0.0441", date(2024, 6, 30), 52, 0, 2000, 55.17, date(2024, 1, 1)},
        {"second half of 2024, top rate 0.038", date(2024, 7, 1), 52, 0, 2000, 54.70, date(2024, 7, 1)},
        // Per-period rows built from the annual figures, each base accumulated from the bracket below:
        // biweekly 769.23-3846.15 has base 6.75 + (769.23 - 576.92) x 0.02505 = 11.5673... -> 11.57
        // (not 300.6 / 26 = 11.56): t = 1,025 - 25 = 1,000; (1,000 - 769.23) x 0.0299 + 11.57 = 18.470...
        {"2025 biweekly fifth bracket", date(2025, 3, 7), 26, 1, 1025, 18.47, date(2025, 1, 1)},
        // Biweekly 576.92-769.23: base 2.89 + (576.92 - 384.62) x 0.02005 = 6.7456... -> 6.75;
        // (700 - 576.92) x 0.02505 + 6.75 = 9.8331...
        {"2025 biweekly fourth bracket", date(2025, 3, 7), 26, 0, 700, 9.83, date(2025, 1, 1)},
        // Biweekly top base 11.57 + (3,846.15 - 769.23) x 0.0299 = 103.5699... -> 103.57;
        // (4,000 - 3,846.15) x 0.0441 + 103.57 = 110.3547...
        {"first half of 2024, biweekly top", date(2024, 3, 8), 26, 0, 4000, 110.35, date(2024, 1, 1)},
        // Semimonthly top base 12.53 + (4,166.67 - 833.33) x 0.0299 = 112.1968... -> 112.20;
        // (5,000 - 4,166.67) x 0.038 + 112.20 = 143.8665...
        {"second half of 2024, semimonthly top", date(2024, 8, 15), 24, 0, 5000, 143.87, date(2024, 7, 1)},
        {"exemptions above the wages", date(2026, 4, 10), 12, 3, 100, 0.0, date(2026, 1, 1)},
    };
    for (const TaxCase& k : cases) {
        Call c(ORLA_OH, k.payDate, k.periods, k.wages);
        c.state.stateAllowances = k.exemptions;
        EXPECT_EQ(c.run(), 0u) << k.what;
        EXPECT_DOUBLE_EQ(c.state.stateTax, k.wantTax) << k.what;
        EXPECT_EQ(c.state.stateTableDate.year, k.wantTableDate.year) << k.what;
        EXPECT_EQ(c.state.stateTableDate.month, k.wantTableDate.month) << k.what;
    }
}

// The strict date test: a 2027 pay is not covered by the 2026 rows, the retry with 2026 is.
TEST(Ohio, YearFallback) {
    Call next(ORLA_OH, date(2027, 5, 20), 26, 2000);
    next.state.stateAllowances = 2;
    EXPECT_EQ(next.run(), 0u);
    EXPECT_DOUBLE_EQ(next.state.stateTax, 46.13);
    EXPECT_EQ(next.state.stateTableDate.year, 2026);

    Call later(ORLA_OH, date(2028, 5, 20), 26, 2000);
    EXPECT_EQ(later.run(), static_cast<unsigned>(ORLA_FLAG_FEDERAL | ORLA_FLAG_STATE));
    EXPECT_EQ(later.state.status, ORLA_STATE_NO_ROW);

    PayRecord pay{};
    StateRecord state{};
    pay.payDate = date(2027, 5, 20);
    state.recordSize = 144;
    state.statePayPeriods = 26;
    EXPECT_EQ(calcOhio(1, &pay, &state), 1);
    EXPECT_EQ(state.stateTableDate.year, 2017);
    EXPECT_EQ(state.stateTableDate.month, 5);
}

TEST(Ohio, SupplementalMethods) {
    struct Case {
        const char* what;
        int recordSize;
        int method;
        double want;  // -1: left as the caller set it
    };
    const Case cases[] = {
        {"flat rate", 244, 0, 35.00},
        {"aggregate", 244, 1, 29.90},
        {"no method: the driver's 0", 244, 2, 0},
        {"record without supplemental fields", 144, 0, -1},
        {"smallest record with them", 176, 0, 35.00},
    };
    for (const Case& k : cases) {
        Call c(ORLA_OH, date(2026, 4, 10), 26, 2000);
        c.state.recordSize = k.recordSize;
        c.state.stateAllowances = 2;
        c.state.stateSuppWages = 1000;
        c.state.stateSuppAggregate = k.method;
        c.state.stateSuppTax = -1;
        EXPECT_EQ(c.run(), 0u) << k.what;
        EXPECT_NEAR(c.state.stateSuppTax, k.want, 1e-9) << k.what;
        EXPECT_DOUBLE_EQ(c.state.stateTax, 46.13) << k.what;
    }
}

TEST(Ohio, MissingRowsAndPeriods) {
    PayRecord pay{};
    StateRecord state{};
    state.recordSize = sizeof state;
    state.stateWages = 1000;
    state.stateSuppWages = 100;
    // Before the tables neither the withholding row nor the flat supplemental rate exists.
    pay.payDate = date(2023, 6, 1);
    state.statePayPeriods = 26;
    EXPECT_EQ(calcOhio(1, &pay, &state), 1 | 64);
    EXPECT_EQ(state.status, ORLA_STATE_NO_ROW);
    // Without a period count nothing can be annualised.
    state.status = 0;
    pay.payDate = date(2026, 6, 1);
    state.statePayPeriods = 0;
    EXPECT_EQ(calcOhio(1, &pay, &state), 1);
    EXPECT_EQ(state.status, ORLA_STATE_NO_ROW);
}

TEST(Ohio, TableShape) {
    const auto table = ohioWithholdingTable();
    ASSERT_EQ(table.size(), 120u);
    // Block starts: 2026, Oct 2025, Jan 2025, Jul 2024, Jan 2024.
    const std::size_t starts[] = {0, 15, 30, 60, 90};
    const int months[] = {1, 10, 1, 7, 1};
    for (std::size_t i = 0; i < std::size(starts); ++i) {
        EXPECT_EQ(table[starts[i]].from.month, months[i]);
        EXPECT_EQ(table[starts[i]].periods, 52);
    }
    // Telling rows: 2026 annual top bracket; 2024 first-half weekly top; 2025 monthly derived base.
    EXPECT_DOUBLE_EQ(table[14].low, 100000);
    EXPECT_DOUBLE_EQ(table[14].base, 2673.5);
    EXPECT_DOUBLE_EQ(table[95].rate, 0.0441);
    EXPECT_DOUBLE_EQ(table[95].base, 51.78);
    EXPECT_EQ(table[30 + 18 + 5].periods, 12);
    EXPECT_DOUBLE_EQ(table[30 + 18 + 5].base, 224.38);
    EXPECT_DOUBLE_EQ(kOhioExemptionAmounts[2].amount, 27.08);
}

// The per-period rows are the state's own: each bracket's base is the base below plus the width of
// the bracket below times its rate, to the cent, on the per-period bounds. Only the semimonthly top
// base of the three-bracket blocks stands apart, as published (67.19 where 111.40 would follow).
TEST(Ohio, PerPeriodBasesAccumulate) {
    const auto table = ohioWithholdingTable();
    int published = 0;
    for (std::size_t i = 1; i < table.size(); ++i) {
        const BracketRow& r = table[i];
        const BracketRow& below = table[i - 1];
        if (r.periods == 1 || r.low == 0) continue;
        ASSERT_EQ(below.periods, r.periods);
        ASSERT_DOUBLE_EQ(below.high, r.low);
        const double accumulated = roundCents(below.base + (below.high - below.low) * below.rate);
        if (r.periods == 24 && r.base == 67.19) {
            EXPECT_DOUBLE_EQ(accumulated, 111.40);
            ++published;
            continue;
        }
        EXPECT_DOUBLE_EQ(r.base, accumulated) << "row " << i;
    }
    EXPECT_EQ(published, 2);
}

// The lookup scans the table by its runs of rows sharing periods and dates; it must find what the plain
// first-match scan in stored order finds (both passes, the strict date test), at every block edge.
TEST(Ohio, IndexedLookupMatchesThePlainScan) {
    const auto table = ohioWithholdingTable();
    struct Expect {
        bool found = false;
        double tax = 0.0;
        CalcDate from{};
    };
    const auto plainScan = [&](const CalcDate& d, int periods, double wages, int exemptions) {
        Expect e;
        for (const BracketRow& r : table) {
            if (r.periods != periods || !rowCoversStrict(r.from, r.to, d)) continue;
            const double t = std::fmax(0.0, wages - exemptions * r.allowance);
            if (t >= r.low && (t < r.high || r.high == 0)) return Expect{true, (t - r.low) * r.rate + r.base, r.from};
        }
        if (periods < 1) return e;
        for (const BracketRow& r : table) {
            if (r.periods != 1 || !rowCoversStrict(r.from, r.to, d)) continue;
            const double t = std::fmax(0.0, periods * wages - exemptions * r.allowance);
            if (t >= r.low && (t < r.high || r.high == 0))
                return Expect{true, ((t - r.low) * r.rate + r.base) / periods, r.from};
        }
        return e;
    };
    const CalcDate dates[] = {date(2023, 12, 31), date(2024, 1, 1),  date(2024, 6, 30), date(2024, 7, 1),
                              date(2024, 12, 31), date(2025, 1, 1),  date(2025, 9, 30), date(2025, 10, 1),
                              date(2025, 12, 31), date(2026, 1, 1),  date(2026, 12, 31), date(2027, 1, 1)};
    const int periodCounts[] = {52, 26, 24, 12, 1, 4, 2, 0};
    const double wages[] = {0, 96.15, 300, 1001.92, 1923.08, 3846.15, 4166.67, 9000, 26050, 150000};
    int found = 0;
    for (const CalcDate& d : dates)
        for (int periods : periodCounts)
            for (double w : wages)
                for (int exemptions : {0, 2}) {
                    PayRecord pay{};
                    StateRecord state{};
                    state.recordSize = 144;
                    pay.payDate = d;
                    state.statePayPeriods = periods;
                    state.stateWages = w;
                    state.stateAllowances = exemptions;
                    const Expect e = plainScan(d, periods, w, exemptions);
                    EXPECT_EQ(calcOhio(1, &pay, &state), e.found ? 0 : 1);
                    if (!e.found) continue;
                    ++found;
                    EXPECT_DOUBLE_EQ(state.stateTax, std::fmax(0.0, e.tax));
                    EXPECT_EQ(state.stateTableDate.year, e.from.year);
                    EXPECT_EQ(state.stateTableDate.month, e.from.month);
                }
    EXPECT_EQ(found, 10 * 7 * 10 * 2);  // 2023, 2027 and no periods find nothing
}

}  // namespace
}  // namespace orla
