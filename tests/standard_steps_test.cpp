// The shared standard state steps on a small table of their own: both passes, the variation points
// and the record-size rules.
#include "state/standard_steps.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "test_records.h"

namespace orla {
namespace {

using testing::Call;
using testing::field;
using testing::kUntouched;

constexpr CalcDate kFrom = date(2026, 1, 1);
constexpr CalcDate kTo = date(2026, 12, 31);

// Status 0: weekly rows (allowance 20) and annual rows (allowance 1000).
constexpr BracketRow kRows[] = {
    {kFrom, kTo, 0, 52, 20, 0, 100, 0, 0.1},
    {kFrom, kTo, 0, 52, 20, 100, 0, 10, 0.2},
    {kFrom, kTo, 0, 1, 1000, 0, 5000, 0, 0.1},
    {kFrom, kTo, 0, 1, 1000, 5000, 0, 500, 0.2},
};
constexpr MappedBracketIndex<std::size(kRows)> kIndex(kRows);
constexpr FlatRateRow kFlat[] = {{kFrom, kTo, 0.05}};

int run(Call& c, const StandardOptions& o = {}) {
    return runStandardSteps(&c.pay, &c.state, kIndex, 0, kFlat, o);
}

TEST(StandardSteps, PassesAndVariants) {
    struct Case {
        const char* name;
        int periods;
        double wages;
        int allowances;
        double factor;
        Pass2Form form;
        double want;
    };
    const Case cases[] = {
        {"weekly pass 1, upper bracket", 52, 150, 1, 1, Pass2Form::Standard, 10 + 30 * 0.2},
        {"weekly pass 1, bound 100 is the upper bracket", 52, 120, 1, 1, Pass2Form::Standard, 10},
        {"biweekly pass 2", 26, 300, 2, 1, Pass2Form::Standard, (500 + (7800 - 2000 - 5000) * 0.2) / 26},
        {"pass 2 per pay", 26, 300, 2, 1, Pass2Form::PerPayAnnualised,
         (500 + (26 * (300 - 2000.0 / 26) - 5000) * 0.2) / 26},
        {"allowance factor 0", 52, 150, 3, 0, Pass2Form::Standard, 10 + 50 * 0.2},
        {"allowances beyond the wage", 52, 10, 5, 1, Pass2Form::Standard, 0},
    };
    for (const Case& c : cases) {
        Call call(ORLA_MN, date(2026, 3, 6), c.periods, c.wages);
        call.state.stateAllowances = c.allowances;
        StandardOptions o;
        o.allowanceFactor = c.factor;
        o.pass2 = c.form;
        EXPECT_EQ(run(call, o), 0) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), c.want) << c.name;
        EXPECT_TRUE(testing::sameDate(call.state.stateTableDate, kFrom)) << c.name;
    }
}

TEST(StandardSteps, TaxableCentsAndNoRow) {
    Call c(ORLA_NJ, date(2026, 3, 6), 52, 150.257);
    c.pay.stateTaxableIncome = 99;
    StandardOptions o;
    o.storeTaxableCents = true;
    EXPECT_EQ(run(c, o), 0);
    EXPECT_EQ(c.pay.stateTaxableIncome, 15025);

    // No row (2025): status 1, result 1, no supplemental step, the 2017 table date, stale outputs cleared.
    Call none(ORLA_MN, date(2025, 3, 6), 52, 150);
    none.state.stateSuppAggregate = 0;
    none.state.stateSuppWages = 100;
    none.state.stateSuppTax = kUntouched;
    none.state.stateTax = kUntouched;
    EXPECT_EQ(run(none), 1);
    EXPECT_EQ(none.state.status, ORLA_STATE_NO_ROW);
    EXPECT_EQ(field(none.state.stateTax), 0.0);
    EXPECT_EQ(field(none.state.stateSuppTax), 0.0);
    EXPECT_TRUE(testing::sameDate(none.state.stateTableDate, date(2017, 3, 6)));

    // A count of the state's own replaces stateAllowances.
    Call capped(ORLA_MN, date(2026, 3, 6), 52, 150);
    capped.state.stateAllowances = 5;
    StandardOptions one;
    one.allowances = 1;
    EXPECT_EQ(run(capped, one), 0);
    EXPECT_DOUBLE_EQ(field(capped.state.stateTax), 10 + 30 * 0.2);

    // Fewer than one pay period: failure at once.
    Call zero(ORLA_MN, date(2026, 3, 6), 0, 150);
    EXPECT_EQ(run(zero), 1);
    EXPECT_EQ(zero.state.status, ORLA_STATE_NO_ROW);
}

TEST(StandardSteps, Supplemental) {
    struct Case {
        const char* name;
        int size;
        int method;
        double supp;
        AggregateWhen when;
        bool floor;
        int wantResult;
        double wantSupp;
    };
    // Regular weekly 150 with no allowances: 10 + 50 x 0.2 = 20.
    const Case cases[] = {
        {"aggregate", sizeof(StateRecord), 1, 100, AggregateWhen::Elected, true, 0, 20},
        {"aggregate floored", sizeof(StateRecord), 1, -100, AggregateWhen::Elected, true, 0, 0},
        {"aggregate unfloored", sizeof(StateRecord), 1, -100, AggregateWhen::Elected, false, 0, -14.99},  // cents rounding of a negative amount
        {"flat rate", sizeof(StateRecord), 0, 100, AggregateWhen::Elected, true, 0, 5},
        {"other method", sizeof(StateRecord), 2, 100, AggregateWhen::Elected, true, 0, 0},
        {"always aggregate", sizeof(StateRecord), 0, 100, AggregateWhen::Always, true, 0, 20},
        {"elected without supplemental wages", sizeof(StateRecord), 1, 0, AggregateWhen::ElectedWithSupp, true, 0, 0},
        {"record of 144", 144, 0, 100, AggregateWhen::Elected, true, 0, kUntouched},
        {"record without stateSuppTax", 175, 0, 100, AggregateWhen::Elected, true, 0, kUntouched},
        {"record without the method reads it as 0", 163, 1, 100, AggregateWhen::Elected, true, 0, kUntouched},
    };
    for (const Case& c : cases) {
        Call call(ORLA_MN, date(2026, 3, 6), 52, 150);
        call.state.recordSize = c.size;
        call.state.stateSuppAggregate = c.method;
        call.state.stateSuppWages = c.supp;
        call.state.stateSuppTax = kUntouched;
        StandardOptions o;
        o.supplemental.aggregate = c.when;
        o.supplemental.floorAtZero = c.floor;
        EXPECT_EQ(run(call, o), c.wantResult) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateTax), 20) << c.name;
        EXPECT_DOUBLE_EQ(field(call.state.stateSuppTax), c.wantSupp) << c.name;
    }
    // The flat rate of a date no row covers: bit 64, nothing written beyond the cleared 0.
    constexpr FlatRateRow k2025[] = {{date(2025, 1, 1), date(2025, 12, 31), 0.05}};
    Call flat(ORLA_MN, date(2026, 3, 6), 52, 150);
    flat.state.stateSuppWages = 100;
    EXPECT_EQ(runStandardSteps(&flat.pay, &flat.state, kIndex, 0, k2025), kNoSupplementalRateRow);
    EXPECT_EQ(field(flat.state.stateSuppTax), 0.0);
}

// With no supplemental wages (either zero) the aggregate lookup returns the regular hit: the same row and
// the same tax, to the bit, as looking up w + s, for zero, negative and NaN wages, negative allowances,
// both pass 2 forms and the weekly (pass 1), biweekly (pass 2) and missing (no row) periods.
TEST(StandardSteps, AggregateWithoutSupplementalWagesIsTheRegularLookup) {
    const auto find = indexedFinder(kIndex, date(2026, 3, 6), 0);
    for (int periods : {52, 26, 0})
        for (double wages : {0.0, -0.0, 150.0, -40.0, 1e9, std::nan("")})
            for (int allowances : {-1, 0, 3})
                for (Pass2Form form : {Pass2Form::Standard, Pass2Form::PerPayAnnualised})
                    for (double supp : {0.0, -0.0}) {
                        StandardTaxable t{periods, wages};
                        t.allowances = allowances;
                        t.pass2Form = form;
                        const auto regular = standardLookup(find, periods, t);
                        StandardTaxable withSupp = t;
                        withSupp.supp = supp;
                        const auto want = standardLookup(find, periods, withSupp);
                        const auto got = aggregateLookup(find, t, supp, regular);
                        EXPECT_EQ(got.row, want.row) << periods << " " << wages << " " << allowances;
                        EXPECT_EQ(std::bit_cast<std::uint64_t>(got.tax), std::bit_cast<std::uint64_t>(want.tax))
                            << periods << " " << wages << " " << allowances;
                    }
}

}  // namespace
}  // namespace orla
