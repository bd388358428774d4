// Every value of the long tables against the published figures: each table's rows are folded into one
// digest (each amount in ten-thousandths), and the expected digest was computed from the published
// tables by the same fold, so a one-digit change anywhere in a row fails. A few behaviours that a
// changed value or bound would show are checked besides.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "federal/federal.h"
#include "state/arkansas.h"
#include "state/california.h"
#include "state/hawaii.h"
#include "state/idaho.h"
#include "state/kansas.h"
#include "state/missouri.h"
#include "state/new_york.h"
#include "state/ohio.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::field;

struct Digest {
    std::uint64_t value = 0;
    void add(double v) { value = value * 1000003u + static_cast<std::uint64_t>(std::llround(v * 10000)); }
    void add(std::initializer_list<double> values) {
        for (double v : values) add(v);
    }
    void addDates(const CalcDate& from, const CalcDate& to) {
        add({double(from.year), double(from.month), double(from.day), double(to.year), double(to.month), double(to.day)});
    }
};

std::uint64_t digestOf(std::span<const BracketRow> rows) {
    Digest d;
    for (const BracketRow& r : rows) {
        d.addDates(r.from, r.to);
        d.add({double(r.status), double(r.periods), r.allowance, r.low, r.high, r.base, r.rate});
    }
    return d.value;
}

std::uint64_t digestOf(std::span<const NewYorkBracketRow> rows) {
    Digest d;
    for (const NewYorkBracketRow& r : rows) {
        d.addDates(r.from, r.to);
        d.add({double(r.status), double(r.periods), r.deduction, r.allowance, r.low, r.high, r.base, r.rate});
    }
    return d.value;
}

TEST(TableValues, FederalTables) {
    EXPECT_EQ(federalWithholdingTable().size(), 144u);
    EXPECT_EQ(digestOf(federalWithholdingTable()), 4137269910326098212u);
    EXPECT_EQ(nonresidentAlienTable().size(), 42u);
    EXPECT_EQ(digestOf(nonresidentAlienTable()), 10916386991023536808u);
    // The rebate bounds as published, the overlap and the gaps included.
    EXPECT_EQ(northernMarianasRebateTable().size(), 36u);
    EXPECT_EQ(digestOf(northernMarianasRebateTable()), 11819253752270655248u);
}

TEST(TableValues, NewYorkTables) {
    EXPECT_EQ(newYorkBracketTable().size(), 360u);
    EXPECT_EQ(digestOf(newYorkBracketTable()), 3896647648727626726u);
    EXPECT_EQ(newYorkHighIncomeTable().size(), 18u);
    EXPECT_EQ(digestOf(newYorkHighIncomeTable()), 6170142804534897494u);
}

TEST(TableValues, KansasAndIdahoRates) {
    EXPECT_EQ(kansasRateTable().size(), 273u);
    EXPECT_EQ(digestOf(kansasRateTable()), 14148800179048214877u);
    EXPECT_EQ(idahoRateTable().size(), 100u);
    EXPECT_EQ(digestOf(idahoRateTable()), 3742679026952718872u);
}

TEST(TableValues, CaliforniaTables) {
    // The published groups of the tax rate table: every 2026 group and the annual groups of 2025 and 2024
    // (the other per-period groups come from the state's own tables), with the two corrections of the
    // 2025 annual rows (single third low 25,499, head-of-household sixth base 3,862.25).
    const std::span<const BracketRow> rates = caTables().taxRate;
    std::vector<BracketRow> published;
    for (const BracketRow& r : rates)
        if (r.from.year == 2026 || r.periods == 1) published.push_back(r);
    EXPECT_EQ(rates.size(), 630u);
    EXPECT_EQ(published.size(), 270u);
    EXPECT_EQ(digestOf(published), 132810240156866123u);
    // Every credit is the annual credit per allowance times the count over the periods, in cents.
    Digest credits;
    for (const CaExemptionCreditRow& r : caTables().exemptionCredit) {
        credits.addDates(r.from, r.to);
        credits.add({double(r.periods), double(r.allowances), r.credit});
    }
    EXPECT_EQ(caTables().exemptionCredit.size(), 231u);
    EXPECT_EQ(credits.value, 3895733141650227460u);
}

TEST(TableValues, OhioPublishedRows) {
    // Both three-bracket blocks whole, and the weekly and annual rows of the six-bracket blocks (the
    // other periods of those blocks come from the state's own tables). The status is not tested.
    Digest d;
    int count = 0;
    for (const BracketRow& r : ohioWithholdingTable()) {
        const bool threeBrackets = r.from.year == 2026 || (r.from.year == 2025 && r.from.month == 10);
        if (!threeBrackets && r.periods != 52 && r.periods != 1) continue;
        d.addDates(r.from, r.to);
        d.add({double(r.periods), r.allowance, r.low, r.high, r.base, r.rate});
        ++count;
    }
    EXPECT_EQ(ohioWithholdingTable().size(), 120u);
    EXPECT_EQ(count, 66);
    EXPECT_EQ(d.value, 1123186796491407694u);
}

TEST(TableValues, MissouriTable) {
    Digest d;
    for (const MissouriRow& r : missouriTable()) {
        d.addDates(r.from, r.to);
        d.add({double(r.status), double(r.periods), r.federalTaxCap, r.deduction, r.firstAllowance, r.furtherAllowance,
               r.low, r.high, r.base, r.rate});
    }
    EXPECT_EQ(missouriTable().size(), 120u);
    EXPECT_EQ(d.value, 8832300216101524702u);
}

TEST(TableValues, ArkansasTaxTable) {
    // The credit column of the rules before 2024 is not published and not checked.
    Digest d;
    for (const ArkansasTaxRow& r : arkansasTaxTable()) {
        d.addDates(r.from, r.to);
        d.add({double(r.status), double(r.periods), r.standardDeduction, r.creditPerExemption, r.bandLimit, r.low,
               r.high, r.subtracted, r.rate});
    }
    EXPECT_EQ(arkansasTaxTable().size(), 157u);
    EXPECT_EQ(d.value, 4605452775362641888u);
}

TEST(TableValues, HawaiiTable) {
    Digest d;
    for (const HawaiiRow& r : hawaiiTable()) {
        d.addDates(r.from, r.to);
        d.add({double(r.status), double(r.periods), r.allowance, r.deduction, r.low, r.high, r.base, r.rate});
    }
    EXPECT_EQ(hawaiiTable().size(), 48u);
    EXPECT_EQ(d.value, 16189270298759022448u);
}

// Biweekly single 2026, 1,500: 1,500 - 284.60 = 1,215.40 in the row from 535 (base 22.54) at 5.4 %.
TEST(TableValues, NewYorkBiweeklyBase) {
    testing::Call c(ORLA_NY, date(2026, 6, 12), 26, 1500);
    EXPECT_EQ(c.run(), 0u);
    EXPECT_DOUBLE_EQ(field(c.state.stateTax), 59.28);
}

// The flat federal rate is chosen by the bonuses paid before this one: 37 % only once they exceed
// 1,000,000, so exactly 1,000,000 still takes 22 %.
TEST(TableValues, FlatSupplementalThreshold) {
    const struct {
        double paidBefore;
        double want;
    } cases[] = {{999999.99, 220.00}, {1000000.00, 220.00}, {1000000.01, 370.00}};
    for (const auto& k : cases) {
        testing::Call c(ORLA_TX, date(2025, 6, 13), 26, 2000);
        c.pay.suppWages = 1000;
        c.pay.suppYtdWages = k.paidBefore;
        EXPECT_EQ(c.run(), 0u);
        EXPECT_DOUBLE_EQ(field(c.pay.fedSuppTax), k.want) << k.paidBefore;
    }
}

}  // namespace
}  // namespace orla
