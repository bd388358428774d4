#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <vector>

#include "state/calculators.h"
#include "state/nebraska.h"
#include "state/new_jersey.h"
#include "state/new_mexico.h"
#include "test_records.h"

namespace orla {
namespace {

using testing::calcFull;
using testing::field;
using testing::kUntouched;
using testing::makeRecords;
using testing::Records;
using testing::sameDate;

// ---- the tables ----------------------------------------------------------------------------------------
//
// Each table is checked row by row against its own annual rows, so that a one-digit change anywhere fails:
// the groups (one date, status and periods) come in the stored order; each starts at 0, is contiguous and
// ends open; the allowance is the year's amount for the periods; the rates are those of the annual group;
// the annual bases follow from the lows and rates; the per-period lows are the annual lows divided by the
// periods, to whole dollars, and the per-period bases follow the table's own rule.

using Group = std::span<const BracketRow>;

std::vector<Group> groupsOf(std::span<const BracketRow> table) {
    std::vector<Group> groups;
    std::size_t begin = 0;
    for (std::size_t i = 1; i <= table.size(); ++i) {
        if (i < table.size() && table[i].from.year == table[begin].from.year &&
            table[i].status == table[begin].status && table[i].periods == table[begin].periods)
            continue;
        groups.push_back(table.subspan(begin, i - begin));
        begin = i;
    }
    return groups;
}

double halfUp(double x, double unit) { return std::floor(x / unit + 0.5 + 1e-9) * unit; }

struct GroupKey {
    int year, status, periods;
};

// What a table must hold: its groups in stored order, the allowance of a year and periods, and whether a
// per-period base is right (k the row, annual the annual group of the same year and status).
struct TableRules {
    std::vector<GroupKey> order;
    std::function<double(int year, int periods)> allowance;
    std::function<bool(const Group& g, std::size_t k, const Group& annual)> periodBase;
    // An annual base kept as given although it does not follow from the lows and rates: its value, else NaN.
    std::function<double(int year, int status, std::size_t k)> annualBaseAsGiven = [](int, int, std::size_t) {
        return std::nan("");
    };
};

void auditTable(std::span<const BracketRow> table, const TableRules& rules) {
    const std::vector<Group> groups = groupsOf(table);
    ASSERT_EQ(groups.size(), rules.order.size());
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const Group& g = groups[i];
        const GroupKey& key = rules.order[i];
        SCOPED_TRACE(::testing::Message() << key.year << " status " << key.status << " periods " << key.periods);
        ASSERT_EQ(g[0].status, key.status);
        ASSERT_EQ(g[0].periods, key.periods);
        const Group* annual = nullptr;
        for (const Group& a : groups)
            if (a[0].periods == 1 && a[0].status == key.status && a[0].from.year == key.year) annual = &a;
        ASSERT_NE(annual, nullptr);
        ASSERT_EQ(g.size(), annual->size());
        EXPECT_DOUBLE_EQ(g[0].low, 0);
        EXPECT_DOUBLE_EQ(g[0].base, 0);
        for (std::size_t k = 0; k < g.size(); ++k) {
            const BracketRow& r = g[k];
            SCOPED_TRACE(::testing::Message() << "row " << k + 1);
            EXPECT_TRUE(sameDate(r.from, date(key.year, 1, 1)));
            EXPECT_TRUE(sameDate(r.to, date(key.year, 12, 31)));
            EXPECT_EQ(r.status, key.status);
            EXPECT_DOUBLE_EQ(r.allowance, rules.allowance(key.year, key.periods));
            EXPECT_DOUBLE_EQ(r.high, k + 1 < g.size() ? g[k + 1].low : 0.0);
            EXPECT_DOUBLE_EQ(r.rate, (*annual)[k].rate);
            if (k == 0) continue;
            if (key.periods == 1) {
                const double given = rules.annualBaseAsGiven(key.year, key.status, k);
                if (!std::isnan(given)) {
                    EXPECT_DOUBLE_EQ(r.base, given);
                    continue;
                }
                const double chained = g[k - 1].base + (r.low - g[k - 1].low) * g[k - 1].rate;
                EXPECT_NEAR(r.base, chained, 0.005 + 1e-9);
            } else {
                EXPECT_DOUBLE_EQ(r.low, halfUp((*annual)[k].low / key.periods, 1));
                EXPECT_TRUE(rules.periodBase(g, k, *annual)) << "base " << r.base;
            }
        }
    }
}

// The position of a period count in 1, 2, 4, 12, 24, 26, 52 (the order of the allowance lists below).
std::size_t periodsIndex(int periods) {
    const int order[] = {1, 2, 4, 12, 24, 26, 52};
    std::size_t i = 0;
    while (i < std::size(order) - 1 && order[i] != periods) ++i;
    return i;
}

std::vector<GroupKey> nestedOrder(std::initializer_list<int> outer, std::initializer_list<int> inner, bool statusOuter) {
    std::vector<GroupKey> order;
    for (int year : {2026, 2025, 2024})
        for (int a : outer)
            for (int b : inner) order.push_back(statusOuter ? GroupKey{year, a, b} : GroupKey{year, b, a});
    return order;
}

TEST(NebraskaNjNm, NebraskaTable) {
    const auto table = nebraskaBracketTable();
    ASSERT_EQ(table.size(), 294u);
    TableRules rules;
    rules.order = nestedOrder({1, 52, 26, 24, 12, 4, 2}, {0, 1}, false);
    rules.allowance = [](int year, int periods) {
        const double by2026[] = {2440, 1220, 610, 203.33, 101.67, 93.85, 46.92};
        const double by2025[] = {2360, 1180, 590, 196.67, 98.33, 90.77, 45.38};
        const double by2024[] = {2250, 1125, 562.5, 187.5, 93.75, 86.54, 43.27};
        const std::size_t i = periodsIndex(periods);
        return year == 2026 ? by2026[i] : year == 2025 ? by2025[i] : by2024[i];
    };
    // Each per-period base is chained from the row before it, to the cent.
    rules.periodBase = [](const Group& g, std::size_t k, const Group&) {
        return std::fabs(g[k].base - (g[k - 1].base + (g[k].low - g[k - 1].low) * g[k - 1].rate)) <= 0.005 + 1e-9;
    };
    // 2024 married row 3: 101.93, where (12,190 - 7,860) x 0.0226 gives 97.86 (the rows after it chain from
    // 101.93). Kept as given; the 2024 per-period rows chain from their own lows.
    rules.annualBaseAsGiven = [](int year, int status, std::size_t k) {
        return year == 2024 && status == 1 && k == 2 ? 101.93 : std::nan("");
    };
    auditTable(table, rules);

    // The published 2025 semiannual married row 3 has 52.54 where the chain gives 52.545.
    const BracketRow& semiannual = table[98 + 13 * 7 + 2];
    EXPECT_EQ(semiannual.periods, 2);
    EXPECT_EQ(semiannual.status, 1);
    EXPECT_DOUBLE_EQ(semiannual.base, 52.54);
    // Top rates of each year: a change in the top annual rate alone shows in the per-period groups.
    EXPECT_DOUBLE_EQ(table[6].rate, 0.046);
    EXPECT_DOUBLE_EQ(table[98 + 6].rate, 0.0537);
    EXPECT_DOUBLE_EQ(table[196 + 6].rate, 0.061);

    const auto supp = nebraskaSupplementalTable();
    ASSERT_EQ(supp.size(), 3u);
    for (std::size_t i = 0; i < supp.size(); ++i) {
        EXPECT_TRUE(sameDate(supp[i].from, date(2025 - static_cast<int>(i), 1, 1)));
        EXPECT_DOUBLE_EQ(supp[i].rate, 0.05);
    }
}

TEST(NebraskaNjNm, NewJerseyTable) {
    const auto table = newJerseyBracketTable();
    ASSERT_EQ(table.size(), 777u);
    TableRules rules;
    rules.order = nestedOrder({0, 1, 2, 3, 4}, {52, 26, 24, 12, 4, 2, 1}, true);
    rules.allowance = [](int, int periods) {
        const double amounts[] = {1000, 500, 250, 83.3, 41.6, 38.4, 19.2};
        return amounts[periodsIndex(periods)];
    };
    // Each per-period base is the annual base divided by the periods, to the cent or to the dollar, but for
    // three published amounts.
    rules.periodBase = [](const Group& g, std::size_t k, const Group& annual) {
        const int status = g[k].status, periods = g[k].periods;
        if (status == 1 && periods == 24 && k == 3) return g[k].base == 59.99;
        if (status == 1 && periods == 24 && k == 5) return g[k].base == 254.19;
        if (status == 2 && periods == 12 && k == 5) return g[k].base == 535.85;
        const double exact = annual[k].base / periods;
        return std::fabs(g[k].base - halfUp(exact, 0.01)) < 1e-9 || g[k].base == halfUp(exact, 1);
    };
    auditTable(table, rules);
    // The three years hold the same values.
    for (std::size_t i = 0; i < 259; ++i) {
        for (std::size_t year = 1; year < 3; ++year) {
            const BracketRow& a = table[i];
            const BracketRow& b = table[year * 259 + i];
            EXPECT_TRUE(a.low == b.low && a.high == b.high && a.base == b.base && a.rate == b.rate &&
                        a.allowance == b.allowance)
                << i;
        }
    }
    EXPECT_DOUBLE_EQ(table[6].rate, 0.118);  // rate table A, top row
    EXPECT_DOUBLE_EQ(table[259 - 1].rate, 0.118);
}

TEST(NebraskaNjNm, NewMexicoTable) {
    const auto table = newMexicoBracketTable();
    ASSERT_EQ(table.size(), 630u);
    TableRules rules;
    rules.order = nestedOrder({52, 26, 24, 12, 4, 2, 1}, {0, 1, 2}, false);
    rules.allowance = [](int, int) { return 0.0; };
    rules.periodBase = [](const Group& g, std::size_t k, const Group& annual) {
        return std::fabs(g[k].base - annual[k].base / g[k].periods) <= 0.005 + 1e-9;
    };
    auditTable(table, rules);
    EXPECT_DOUBLE_EQ(table[9].rate, 0.059);
    EXPECT_DOUBLE_EQ(table[420 + 18 * 10 + 1].rate, 0.017);  // 2024 annual single, row 2

    const auto supp = newMexicoSupplementalTable();
    ASSERT_EQ(supp.size(), 3u);
    for (std::size_t i = 0; i < supp.size(); ++i) {
        EXPECT_TRUE(sameDate(supp[i].from, date(2026 - static_cast<int>(i), 1, 1)));
        EXPECT_DOUBLE_EQ(supp[i].rate, 0.059);
    }
}

// ---- worked pays ---------------------------------------------------------------------------------------

struct Pay {
    const char* name;
    int code;
    CalcDate payDate;
    int periods;
    int filingStatus;
    int allowances;
    double wages;
    double wantTax;
    int rateTable = 0;
};

Records payRecords(const Pay& c) {
    Records r = makeRecords(c.code, c.payDate, c.periods, c.wages);
    r.state.stateFilingStatus = c.filingStatus;
    r.state.stateAllowances = c.allowances;
    r.state.stateRateTable = c.rateTable;
    // No supplemental method: Nebraska's flat rate would take a 2026 pay to the 2025 rows.
    r.state.stateSuppAggregate = 2;
    return r;
}

TEST(NebraskaNjNm, WorkedPays) {
    const CalcDate d26 = date(2026, 3, 13), d25 = date(2025, 3, 14), d24 = date(2024, 3, 15);
    const Pay cases[] = {
        // 2,000 - 2 x 93.85 = 1,812.30; 51.65 + (1,812.30 - 1,543) x 0.0448
        {"NE single biweekly", ORLA_NE, d26, 26, 0, 2, 2000, 63.71},
        {"NE married biweekly", ORLA_NE, d26, 26, 1, 2, 2000, 52.04},
        {"NE status 7 as married", ORLA_NE, d26, 26, 7, 2, 2000, 52.04},
        {"NE status 2 as single", ORLA_NE, d26, 26, 2, 2, 2000, 63.71},
        {"NE 2025 weekly", ORLA_NE, d25, 52, 0, 1, 1000, 38.31},
        {"NE 2025 quarterly married", ORLA_NE, d25, 4, 1, 3, 9000, 157.96},
        {"NE 2024 monthly married", ORLA_NE, d24, 12, 1, 0, 5000, 187.53},
        {"NE 2024 semimonthly", ORLA_NE, d24, 24, 0, 1, 2000, 80.01},
        {"NE semiannual married", ORLA_NE, d26, 2, 1, 1, 30000, 901.28},
        // Daily: the annual rows, 365 x 200 - 2,440 = 70,560; (1,343.55 + 30,430 x 0.0448) / 365
        {"NE daily by the annual rows", ORLA_NE, d26, 365, 0, 1, 200, 7.42},
        // Rate table A, taxable 385: its low is 385, tax 5.77.
        {"NJ table A at 385", ORLA_NJ, d26, 52, 0, 0, 385, 5.77, 'A'},
        {"NJ single as table A", ORLA_NJ, d26, 52, 0, 0, 1000, 29.38},
        {"NJ status 3 as table A", ORLA_NJ, d26, 52, 3, 0, 1000, 29.38},
        {"NJ married as table B", ORLA_NJ, d26, 52, 1, 0, 1000, 18.34},
        {"NJ status 2 as table B", ORLA_NJ, d26, 52, 2, 0, 1000, 18.34},
        {"NJ status 6 as table B", ORLA_NJ, d26, 52, 6, 0, 1000, 18.34},
        {"NJ table C over married", ORLA_NJ, d26, 52, 1, 0, 1000, 21.33, 'C'},
        {"NJ table D", ORLA_NJ, d26, 52, 0, 0, 1000, 24.32, 'D'},
        {"NJ table E", ORLA_NJ, d26, 52, 1, 0, 1000, 30.51, 'E'},
        {"NJ table B chosen", ORLA_NJ, d26, 52, 0, 0, 1000, 18.34, 'B'},
        {"NJ other letter: the status decides", ORLA_NJ, d26, 52, 1, 0, 1000, 18.34, 'F'},
        // 2,000 - 2 x 38.40 = 1,923.20, just above the 1,923 of row 4
        {"NJ 2025 biweekly married", ORLA_NJ, d25, 26, 1, 2, 2000, 35.01},
        {"NJ 2024 monthly table C", ORLA_NJ, d24, 12, 0, 1, 8000, 279.17, 'C'},
        // 365 x max(0, 200 - 1,000 / 365) = 72,000; (600 + 32,000 x 0.039) / 365
        {"NJ daily by the annual rows", ORLA_NJ, d26, 365, 0, 1, 200, 7.53},
        {"NM single weekly", ORLA_NM, d26, 52, 0, 0, 1000, 31.86},
        {"NM status 12 as single", ORLA_NM, d26, 52, 12, 0, 1000, 31.86},
        {"NM 5 allowances as none", ORLA_NM, d26, 52, 0, 5, 1000, 31.86},
        {"NM married biweekly", ORLA_NM, d26, 26, 1, 3, 3000, 88.41},
        {"NM head of household", ORLA_NM, d26, 24, 2, 0, 2500, 68.76},
        {"NM 2025 monthly", ORLA_NM, d25, 12, 0, 0, 6000, 218.56},
        {"NM 2024 weekly married", ORLA_NM, d24, 52, 1, 0, 1500, 51.90},
        {"NM 2024 quarterly head of household", ORLA_NM, d24, 4, 2, 0, 20000, 743.84},
        {"NM daily by the annual rows", ORLA_NM, d26, 365, 0, 0, 200, 7.24},
    };
    for (const Pay& c : cases) {
        Records r = payRecords(c);
        EXPECT_EQ(calcFull(r), 0u) << c.name;
        EXPECT_EQ(r.state.status, 0) << c.name;
        EXPECT_DOUBLE_EQ(field(r.state.stateTax), c.wantTax) << c.name;
        // Nebraska leaves the table date alone; the others stamp the matched row's from-date.
        const CalcDate want = c.code == ORLA_NE ? CalcDate{0, 0, 0} : date(c.payDate.year, 1, 1);
        EXPECT_TRUE(sameDate(r.state.stateTableDate, want)) << c.name;
    }
}

// ---- supplemental wages ----------------------------------------------------------------------------------

struct SuppCase {
    const char* name;
    int code;
    CalcDate payDate;
    int method;
    double suppWages;
    double wantSupp;
    double wantTax;
};

TEST(NebraskaNjNm, Supplemental) {
    const CalcDate d26 = date(2026, 3, 13), d25 = date(2025, 3, 14);
    const SuppCase cases[] = {
        // Wages and bonus: 51.65 + (2,312.30 - 1,543) x 0.0448 = 86.11, less 63.71
        {"NE aggregate", ORLA_NE, d26, 1, 500, 22.40, 63.71},
        {"NE aggregate without a bonus", ORLA_NE, d26, 1, 0, 0.0, 63.71},
        {"NE aggregate of a negative bonus", ORLA_NE, d26, 1, -500, 0.0, 63.71},
        {"NE flat 2025", ORLA_NE, d25, 0, 500, 25.00, 71.89},
        // No flat rate in 2026: the whole pay is taxed on the 2025 rows.
        {"NE flat 2026 falls back", ORLA_NE, d26, 0, 500, 25.00, 71.89},
        {"NE other method", ORLA_NE, d26, 2, 500, 0.0, 63.71},
        // Always aggregate: 56.35 + 58 x 0.07 = 60.41, less 29.381
        {"NJ flat asked, aggregate made", ORLA_NJ, d26, 0, 500, 31.03, 29.38},
        {"NJ other method, aggregate made", ORLA_NJ, d26, 7, 500, 31.03, 29.38},
        {"NJ no bonus", ORLA_NJ, d26, 1, 0, 0.0, 29.38},
        {"NJ negative bonus floored", ORLA_NJ, d26, 1, -500, 0.0, 29.38},
        {"NM aggregate", ORLA_NM, d26, 1, 500, 23.62, 31.86},  // 55.474 - 31.857
        // 9.564 - 31.857 = -22.293, no floor
        {"NM aggregate of a negative bonus", ORLA_NM, d26, 1, -500, -22.28, 31.86},
        {"NM flat", ORLA_NM, d26, 0, 500, 29.50, 31.86},
        {"NM other method", ORLA_NM, d26, 2, 500, 0.0, 31.86},
    };
    for (const SuppCase& c : cases) {
        const int periods = c.code == ORLA_NE ? 26 : 52;
        const double wages = c.code == ORLA_NE ? 2000 : 1000;
        Records r = makeRecords(c.code, c.payDate, periods, wages);
        r.state.stateAllowances = c.code == ORLA_NE ? 2 : 0;
        r.state.stateSuppWages = c.suppWages;
        r.state.stateSuppAggregate = c.method;
        r.state.stateSuppTax = kUntouched;
        EXPECT_EQ(calcFull(r), 0u) << c.name;
        EXPECT_DOUBLE_EQ(field(r.state.stateSuppTax), c.wantSupp) << c.name;
        EXPECT_DOUBLE_EQ(field(r.state.stateTax), c.wantTax) << c.name;
    }
}

// The Nebraska calculator itself reports the missing 2026 flat rate (the driver then falls back).
TEST(NebraskaNjNm, NebraskaFlatRateMissingIn2026) {
    Records r = makeRecords(ORLA_NE, date(2026, 3, 13), 26, 2000);
    r.state.stateAllowances = 2;
    r.state.stateSuppWages = 500;
    r.state.stateSuppTax = kUntouched;
    EXPECT_EQ(calcNebraska(ORLA_MODE_FULL, &r.pay, &r.state), 64);
    EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW);
    EXPECT_DOUBLE_EQ(field(r.state.stateTax), 63.71464);
    EXPECT_DOUBLE_EQ(field(r.state.stateSuppTax), 0.0);
}

// ---- New Jersey's taxable amount -------------------------------------------------------------------------

TEST(NebraskaNjNm, NewJerseyTaxableIncome) {
    struct Case {
        const char* name;
        int periods;
        int allowances;
        double wages;
        double suppWages;
        int want;
    } cases[] = {
        // In cents, truncated: 2,000 - 2 x 38.40.
        {"biweekly", 26, 2, 2000, 0, 192320},
        {"allowances above the wage", 52, 30, 300, 0, 0},
        // The aggregate lookup does not report the wages with the bonus.
        {"with a bonus", 26, 2, 2000, 100.5, 192320},
        // Only the rows of the pay's periods report it: the annual pass leaves it at 0.
        {"annual pass", 365, 1, 200, 0, 0},
        // Beyond the int range it saturates.
        {"huge", 52, 0, 1e12, 0, INT_MAX},
    };
    for (const Case& c : cases) {
        Records r = makeRecords(ORLA_NJ, date(2026, 3, 13), c.periods, c.wages);
        r.state.stateAllowances = c.allowances;
        r.state.stateSuppWages = c.suppWages;
        r.pay.stateTaxableIncome = 12345;
        calcFull(r);
        EXPECT_EQ(r.pay.stateTaxableIncome, c.want) << c.name;
    }
    // The other two leave it alone.
    for (int code : {ORLA_NE, ORLA_NM}) {
        Records r = makeRecords(code, date(2026, 3, 13), 26, 2000);
        r.pay.stateTaxableIncome = 12345;
        EXPECT_EQ(calcFull(r), 0u);
        EXPECT_EQ(r.pay.stateTaxableIncome, 12345) << code;
    }
}

// ---- declared record sizes -----------------------------------------------------------------------------

// A field is used only when the declared size holds all of it: the rate table letter (116 to 120) and the
// supplemental tax (168 to 176).
TEST(NebraskaNjNm, DeclaredSizes) {
    for (int size : {119, 120}) {
        Records r = makeRecords(ORLA_NJ, date(2026, 3, 13), 52, 1000);
        r.state.recordSize = size;
        r.state.stateFilingStatus = 1;
        r.state.stateRateTable = 'C';
        EXPECT_EQ(calcFull(r), 0u);
        EXPECT_DOUBLE_EQ(field(r.state.stateTax), size == 120 ? 21.33 : 18.34) << size;  // table C, else B
    }
    for (int size : {175, 176}) {
        Records r = makeRecords(ORLA_NM, date(2026, 3, 13), 52, 1000);
        r.state.recordSize = size;
        r.state.stateSuppAggregate = 1;
        r.state.stateSuppWages = 500;
        r.state.stateSuppTax = kUntouched;
        EXPECT_EQ(calcFull(r), 0u);
        EXPECT_DOUBLE_EQ(field(r.state.stateSuppTax), size == 176 ? 23.62 : kUntouched) << size;
    }
}

// ---- failures --------------------------------------------------------------------------------------------

TEST(NebraskaNjNm, Failures) {
    struct Case {
        const char* name;
        int code;
        int filingStatus;
        int periods;
        CalcDate payDate;
    } cases[] = {
        {"NE status without rows", ORLA_NE, 3, 26, date(2026, 3, 13)},
        {"NM status without rows", ORLA_NM, 3, 26, date(2026, 3, 13)},
        // No periods: nothing to annualise, no division.
        {"NE no periods", ORLA_NE, 0, 0, date(2026, 3, 13)},
        {"NJ negative periods", ORLA_NJ, 0, -26, date(2026, 3, 13)},
        {"NM no periods", ORLA_NM, 0, 0, date(2026, 3, 13)},
        // No rows before 2024: the fallback from 2024 finds none either.
        {"NE 2024 status without rows", ORLA_NE, 3, 26, date(2024, 3, 15)},
        {"NJ before 2024", ORLA_NJ, 0, 26, date(2023, 3, 15)},
        {"NM after 2027", ORLA_NM, 0, 26, date(2028, 3, 15)},
    };
    for (const Case& c : cases) {
        Records r = makeRecords(c.code, c.payDate, 26, 2000);
        r.state.stateFilingStatus = c.filingStatus;
        r.state.statePayPeriods = c.periods;
        r.state.stateExtraWithholding = 5;
        r.state.stateSuppWages = 500;
        r.state.stateSuppAggregate = 1;
        r.state.stateSuppTax = kUntouched;
        EXPECT_EQ(calcFull(r) & ORLA_FLAG_STATE, static_cast<unsigned>(ORLA_FLAG_STATE)) << c.name;
        EXPECT_EQ(r.state.status, ORLA_STATE_NO_ROW) << c.name;
        EXPECT_DOUBLE_EQ(field(r.state.stateTax), 5.0) << c.name;
        // A failed regular lookup stops the calculation: no supplemental tax.
        EXPECT_DOUBLE_EQ(field(r.state.stateSuppTax), 0.0) << c.name;
    }
}

TEST(NebraskaNjNm, YearFallback) {
    for (int code : {ORLA_NE, ORLA_NJ, ORLA_NM}) {
        Records late = makeRecords(code, date(2027, 3, 12), 26, 2000);
        Records now = makeRecords(code, date(2026, 3, 13), 26, 2000);
        late.state.stateSuppAggregate = now.state.stateSuppAggregate = 2;
        EXPECT_EQ(calcFull(late), 0u) << code;
        EXPECT_EQ(calcFull(now), 0u) << code;
        EXPECT_DOUBLE_EQ(field(late.state.stateTax), field(now.state.stateTax)) << code;
    }
    // Nebraska's flat rate has no 2026 row, so a 2027 pay by the flat rate fails even after the fallback.
    Records flat = makeRecords(ORLA_NE, date(2027, 3, 12), 26, 2000);
    EXPECT_EQ(calcFull(flat), static_cast<unsigned>(ORLA_FLAG_STATE));
    EXPECT_EQ(flat.state.status, ORLA_STATE_NO_ROW);  // not "computed"
}

}  // namespace
}  // namespace orla
