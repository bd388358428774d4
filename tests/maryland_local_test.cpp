#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "local/local_tables.h"
#include "local_records.h"

namespace orla {
namespace {

using testing::field;
using testing::kUntouched;
using testing::LocalCall;

constexpr int kAnneArundel = 4;
constexpr int kFrederick = 8;
constexpr int kMontgomery = 19;

// The state's top rate of a table year, the base of the combined top rates.
double stateTopRate(int year) { return year >= 2026 ? 0.065 : 0.0575; }

// A combined table holds, for each year it covers, the state schedule of that year with the county rate
// added to every rate and the county rate times the low added to every base.
void expectCombined(std::span<const MarylandRow> table, int year, double countyRate, const std::string& what) {
    std::size_t k = 0;
    for (const MarylandRow& s : marylandStateTable()) {
        if (s.from.year != year) continue;
        while (k < table.size() && table[k].from.year != year) ++k;
        ASSERT_LT(k, table.size()) << what;
        const MarylandRow& c = table[k++];
        EXPECT_TRUE(c.to.year == year && c.status == s.status && c.periods == s.periods &&
                    c.threshold == s.threshold && c.deductionPercent == s.deductionPercent &&
                    c.minDeduction == s.minDeduction && c.maxDeduction == s.maxDeduction &&
                    c.exemption == s.exemption && c.low == s.low && c.high == s.high)
            << what << " row " << k;
        EXPECT_NEAR(c.rate, s.rate + countyRate, 1e-12) << what << " row " << k;
        EXPECT_NEAR(c.base, s.base + countyRate * s.low, 1e-6) << what << " row " << k;
    }
    EXPECT_TRUE(k == table.size() || table[k].from.year != year) << what;
}

// Every county row: its combined top rate as published, and the table it names built by the rule. Anne
// Arundel's 2024 and 2025 rows name the tables of its middle tier.
TEST(MarylandLocalTables, EveryCountyRow) {
    struct County {
        int code;
        double rate2026, rate2025, rate2024;
    };
    const County counties[] = {
        {17, 0.0955, 0.088, 0.088},  // Allegany
        {4, 0.0935, 0.086, 0.086},  // Anne Arundel
        {3, 0.097, 0.0895, 0.0895},  // Baltimore City
        {13, 0.097, 0.0895, 0.0895},  // Baltimore
        {5, 0.097, 0.0895, 0.0875},  // Calvert
        {14, 0.097, 0.0895, 0.0895},  // Caroline
        {15, 0.0955, 0.088, 0.088},  // Carroll
        {6, 0.0925, 0.0849, 0.085},  // Cecil
        {18, 0.0955, 0.088, 0.088},  // Charles
        {7, 0.097, 0.0895, 0.0895},  // Dorchester
        {8, 0.095, 0.0875, 0.0875},  // Frederick
        {9, 0.0915, 0.085, 0.085},  // Garrett
        {10, 0.096, 0.0885, 0.0885},  // Harford
        {2, 0.097, 0.0895, 0.0895},  // Howard
        {11, 0.097, 0.0895, 0.0895},  // Kent
        {19, 0.097, 0.0895, 0.0895},  // Montgomery
        {21, 0.097, 0.0895, 0.0895},  // Prince Georges
        {16, 0.097, 0.0895, 0.0895},  // Queen Annes
        {20, 0.097, 0.0895, 0.0875},  // St Marys
        {22, 0.097, 0.0895, 0.0895},  // Somerset
        {1, 0.089, 0.0815, 0.0815},  // Talbot
        {12, 0.095, 0.0875, 0.0875},  // Washington
        {23, 0.097, 0.0895, 0.0895},  // Wicomico
        {24, 0.0875, 0.0875, 0.08},  // Worcester
        {25, 0.0875, 0.0875, 0.08},  // Nonresidents
    };
    std::map<int, County> byCode;
    for (const County& c : counties) byCode[c.code] = c;
    const auto rows = marylandCountyTable();
    ASSERT_EQ(rows.size(), 75u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const MarylandCountyRow& r = rows[i];
        const int year = r.from.year;
        EXPECT_EQ(year, 2026 - static_cast<int>(i / 25));
        EXPECT_EQ(r.code, counties[i % 25].code);  // list order within each year
        const County& c = byCode.at(r.code);
        EXPECT_DOUBLE_EQ(r.combinedRate, year == 2026 ? c.rate2026 : year == 2025 ? c.rate2025 : c.rate2024)
            << r.code << " " << year;
        double countyRate = r.combinedRate - stateTopRate(year);
        if (r.code == kAnneArundel && year == 2024) countyRate = 0.0281;
        if (r.code == kAnneArundel && year == 2025) countyRate = 0.0294;
        expectCombined(r.table, year, countyRate, std::to_string(r.code) + " " + std::to_string(year));
    }
    expectCombined(marylandTierTable(270), 2025, 0.027, "270 2025");
    expectCombined(marylandTierTable(270), 2024, 0.027, "270 2024");
    expectCombined(marylandTierTable(281), 2024, 0.0281, "281");
    expectCombined(marylandTierTable(294), 2025, 0.0294, "294");
    expectCombined(marylandTierTable(296), 2025, 0.0296, "296 2025");
    expectCombined(marylandTierTable(296), 2024, 0.0296, "296 2024");
    for (const MarylandRow& r : marylandTierTable(296)) EXPECT_NE(r.from.year, 2026);  // no 2026 rows
    EXPECT_TRUE(marylandTierTable(300).empty());
}

LocalCall marylandPay(int code, int year, double wages) {
    LocalCall call(ORLA_MD, date(year, 6, 15), 26, wages, code);
    return call;
}

struct Worked {
    const char* name;
    int code, year, option;
    double wages;
    double want;  // the combined tax of the pay, with no state tax subtracted
};

// Direct calls with no state tax in the record: the local tax is the combined tax.
TEST(MarylandLocal, CombinedTaxByCountyAndTier) {
    const Worked cases[] = {
        {"Montgomery", kMontgomery, 2026, 0, 2000, 48650 * 0.0795 / 26},
        {"Frederick lowest tier: Worcester's table", kFrederick, 2026, 0, 1000, 22650 * 0.07 / 26},
        {"Frederick second tier: Cecil's table", kFrederick, 2026, 0, 2000, 48650 * 0.075 / 26},
        {"Frederick second tier, joint thresholds", kFrederick, 2026, 1, 3000, 74650 * 0.075 / 26},
        {"Frederick middle tier 2025", kFrederick, 2025, 0, 4000, (1300 * 0.0796 + 7710) / 26},
        {"Frederick top tier: Baltimore City's table", kFrederick, 2026, 0, 7000,
         ((178650 - 150000) * 0.087 + 12112.5) / 26},
        {"Anne Arundel lowest tier 2024", kAnneArundel, 2024, 0, 1000, 23300 * 0.0745 / 26},
        {"Anne Arundel middle tier 2024", kAnneArundel, 2024, 0, 5000, (2300 * 0.0806 + 9512.5) / 26},
        {"Anne Arundel middle tier 2025", kAnneArundel, 2025, 0, 5000, (2300 * 0.0819 + 9675) / 26},
        {"Anne Arundel middle tier, joint", kAnneArundel, 2025, 1, 17000, ((439300 - 250000) * 0.0869 + 20162.5) / 26},
        {"Anne Arundel top tier 2025", kAnneArundel, 2025, 0, 20000, ((517300 - 250000) * 0.0895 + 20812.5) / 26},
        {"Anne Arundel 2026: its row's table", kAnneArundel, 2026, 0, 2000, 48650 * 0.076 / 26},
        {"below the annual threshold", kMontgomery, 2026, 0, 150, 0.0},
    };
    for (const Worked& c : cases) {
        LocalCall call = marylandPay(c.code, c.year, c.wages);
        call.local.localOption = c.option;
        EXPECT_EQ(call.run(calcLocalMaryland), 0) << c.name;
        EXPECT_NEAR(field(call.local.localTax), c.want, 1e-9) << c.name;
    }
}

// Frederick's middle tier has no 2026 table: such a pay finds no band.
TEST(MarylandLocal, FrederickMiddleTierIn2026) {
    LocalCall call = marylandPay(kFrederick, 2026, 4000);
    call.local.localExtraWithholding = 3;
    EXPECT_EQ(call.calcLocal(), ORLA_FLAG_LOCAL);
    EXPECT_EQ(call.local.localStatus, 1);
    EXPECT_DOUBLE_EQ(field(call.local.localTax), 3.0);
}

TEST(MarylandLocal, ThroughTheLocalExport) {
    LocalCall call = marylandPay(kMontgomery, 2026, 2000);
    call.state.stateExtraWithholding = 7;
    call.local.localExtraWithholding = 2;
    EXPECT_EQ(call.calcLocal(), 0);
    EXPECT_DOUBLE_EQ(field(call.local.localTax),
                     roundCents(48650 * 0.0795 / 26 - (call.state.stateTax - 7) + 2));
    // Filing status 2 takes the joint rows, 3 the single ones.
    for (const auto& [filing, want] : {std::pair{2, 126650 * 0.0795 / 26}, std::pair{3, (1650 * 0.0845 + 10000) / 26}}) {
        LocalCall status = marylandPay(kMontgomery, 2026, 5000);
        status.state.stateFilingStatus = filing;
        EXPECT_EQ(status.run(calcLocalMaryland), 0);
        EXPECT_NEAR(field(status.local.localTax), want, 1e-9) << filing;
    }
    LocalCall none = marylandPay(0, 2026, 2000);
    EXPECT_EQ(none.calcCounty(), ORLA_FLAG_LOCAL);
    EXPECT_EQ(none.local.localStatus, 1);
}

struct Supplemental {
    const char* name;
    int code, year, method, size;
    double wages;
    double want;
};

TEST(MarylandLocal, SupplementalWages) {
    const Supplemental cases[] = {
        {"flat: combined rate less 5.75%", kMontgomery, 2026, 0, 180, 2000, 39.50},
        {"flat: Anne Arundel 2026 row", kAnneArundel, 2026, 0, 180, 2000, 36.00},
        {"flat: Frederick's lowest tier", kFrederick, 2026, 0, 180, 1000, 84.50},
        {"flat: Anne Arundel middle tier", kAnneArundel, 2024, 0, 180, 5000, 85.60},
        {"aggregate", kMontgomery, 2026, 1, 180, 2000, roundCents(74650 * 0.0795 / 26 - 48650 * 0.0795 / 26)},
        {"record of 152: none", kMontgomery, 2026, 0, 152, 2000, kUntouched},
        {"record of 160: not written", kMontgomery, 2026, 1, 160, 2000, kUntouched},
    };
    for (const Supplemental& c : cases) {
        LocalCall call = marylandPay(c.code, c.year, c.wages);
        call.local.recordSize = c.size;
        call.local.localSuppAggregate = c.method;
        call.local.localSuppWages = 1000;
        call.local.localSuppTax = kUntouched;
        call.local.localExtraWithholding = 1;
        EXPECT_EQ(call.run(calcLocalMaryland), 0) << c.name;
        EXPECT_DOUBLE_EQ(field(call.local.localSuppTax), c.want) << c.name;
        EXPECT_GT(field(call.local.localTax), 1.0) << c.name;
    }
}

// The aggregate method subtracts the state's supplemental tax only where the state record holds it, and
// with no local pay periods it fails instead of dividing by 0.
TEST(MarylandLocal, AggregateGuards) {
    for (const auto& [stateSize, want] : {std::pair{170, 79.50}, std::pair{176, 69.50}}) {
        LocalCall call = marylandPay(kMontgomery, 2026, 2000);
        call.state.recordSize = stateSize;
        call.state.stateSuppTax = 10;
        call.local.localSuppAggregate = 1;
        call.local.localSuppWages = 1000;
        EXPECT_EQ(call.run(calcLocalMaryland), 0);
        EXPECT_DOUBLE_EQ(field(call.local.localSuppTax), want) << stateSize;
    }
    LocalCall call = marylandPay(kMontgomery, 2026, 2000);
    call.local.localPayPeriods = 0;
    call.local.localSuppAggregate = 1;
    call.local.localSuppWages = 1000;
    EXPECT_EQ(call.calcLocal(), ORLA_FLAG_LOCAL);
    EXPECT_EQ(call.local.localStatus, 1);
    EXPECT_TRUE(std::isfinite(call.local.localSuppTax));
    EXPECT_TRUE(std::isfinite(call.local.localTax));
}

}  // namespace
}  // namespace orla
