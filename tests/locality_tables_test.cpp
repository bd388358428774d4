// The locality tables compiled into the library equal their CSVs under data/ row for row, and each year
// block keeps its row count, its rate-unknown rows and the sums of its rates, amounts and codes (so a
// change of one digit anywhere in a table fails here).
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "local/code_index.h"
#include "local/locality_tables.h"

namespace orla {
namespace {

using Fields = std::vector<std::string>;

std::vector<Fields> readCsv(const std::string& table) {
    std::ifstream in(std::string(ORLA_TEST_DATA) + "/../../data/" + table + ".csv");
    std::vector<Fields> rows;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        Fields f;
        std::stringstream s(line);
        std::string cell;
        while (std::getline(s, cell, ',')) f.push_back(cell);
        if (!line.empty() && line.back() == ',') f.emplace_back();
        rows.push_back(f);
    }
    return rows;
}

double num(const std::string& s) { return s.empty() ? 0.0 : std::strtod(s.c_str(), nullptr); }
int whole(const std::string& s) { return std::atoi(s.c_str()); }
std::string dateText(const CalcDate& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}
std::string known(bool k) { return k ? "1" : "0"; }

// One generated row against its CSV fields.
template <class Row>
void expectRows(const char* table, std::span<const Row> rows, std::function<void(const Row&, const Fields&)> same) {
    const std::vector<Fields> csv = readCsv(table);
    ASSERT_EQ(rows.size(), csv.size()) << table;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(std::string(table) + " row " + std::to_string(i + 2));
        same(rows[i], csv[i]);
    }
}

TEST(LocalityTables, GeneratedRowsEqualTheCsv) {
    expectRows<PaMunicipalRow>("pa_municipal", paMunicipalTable(), [](const PaMunicipalRow& r, const Fields& f) {
        EXPECT_EQ(r.year, whole(f[0]));
        EXPECT_EQ(f[1], r.county);
        EXPECT_EQ(r.code, whole(f[2]));
        EXPECT_EQ(f[3], r.name);
        EXPECT_EQ(r.rateOther, num(f[4]));
        EXPECT_EQ(r.rateResident, num(f[5]));
        EXPECT_EQ(r.annualAmount, num(f[6]));
        EXPECT_EQ(known(r.rateKnown), f[7]);
    });
    expectRows<PaSchoolRow>("pa_school_districts", paSchoolTable(), [](const PaSchoolRow& r, const Fields& f) {
        EXPECT_EQ(r.year, whole(f[0]));
        EXPECT_EQ(r.municipalityCode, whole(f[1]));
        EXPECT_EQ(f[2], r.municipality);
        EXPECT_EQ(r.districtCode, whole(f[3]));
        EXPECT_EQ(f[4], r.district);
        EXPECT_EQ(r.rate, num(f[5]));
        EXPECT_EQ(r.annualAmount, num(f[6]));
        EXPECT_EQ(r.sequence, whole(f[7]));
        EXPECT_EQ(known(r.rateKnown), f[8]);
    });
    expectRows<OhioMunicipalRow>("oh_municipal", ohioMunicipalTable(), [](const OhioMunicipalRow& r, const Fields& f) {
        EXPECT_EQ(dateText(r.from), f[0]);
        EXPECT_EQ(dateText(r.to), f[1]);
        EXPECT_EQ(r.code, whole(f[2]));
        EXPECT_EQ(f[3], r.name);
        EXPECT_EQ(r.rate, num(f[4]));
        EXPECT_EQ(known(r.rateKnown), f[5]);
    });
    expectRows<OhioSchoolRow>("oh_school_districts", ohioSchoolTable(), [](const OhioSchoolRow& r, const Fields& f) {
        EXPECT_EQ(dateText(r.from), f[0]);
        EXPECT_EQ(dateText(r.to), f[1]);
        EXPECT_EQ(r.code, whole(f[2]));
        EXPECT_EQ(r.code2, whole(f[3]));
        EXPECT_EQ(f[4], r.name);
        EXPECT_EQ(r.rate, num(f[5]));
        EXPECT_EQ(known(r.rateKnown), f[6]);
    });
    expectRows<OhioEarnedBaseRow>("oh_earned_income_base", ohioEarnedBaseTable(),
                                  [](const OhioEarnedBaseRow& r, const Fields& f) {
                                      EXPECT_EQ(dateText(r.from), f[0]);
                                      EXPECT_EQ(dateText(r.to), f[1]);
                                      EXPECT_EQ(r.code, whole(f[2]));
                                      EXPECT_EQ(f[4], r.name);
                                      EXPECT_EQ(r.rate, num(f[5]));
                                  });
    expectRows<IndianaCountyRow>("in_county", indianaCountyTable(), [](const IndianaCountyRow& r, const Fields& f) {
        EXPECT_EQ(dateText(r.from), f[0]);
        EXPECT_EQ(dateText(r.to), f[1]);
        EXPECT_EQ(r.code, whole(f[2]));
        EXPECT_EQ(r.residentRate, num(f[3]));
        EXPECT_EQ(r.nonresidentRate, num(f[4]));
    });
    const char* kentucky[] = {"ky_school_districts", "ky_cities", "ky_counties"};
    for (int which = 0; which < 3; ++which)
        expectRows<KentuckyRow>(kentucky[which], kentuckyTable(which), [](const KentuckyRow& r, const Fields& f) {
            EXPECT_EQ(dateText(r.from), f[0]);
            EXPECT_EQ(dateText(r.to), f[1]);
            EXPECT_EQ(f[2], r.name);
            EXPECT_EQ(r.code, whole(f[3]));
            EXPECT_EQ(r.low, num(f[4]));
            EXPECT_EQ(r.high, num(f[5]));
            EXPECT_EQ(r.rate, num(f[6]));
            EXPECT_EQ(r.rate2, num(f[7]));
        });
}

// The indexed Pennsylvania lookups find the first row in table order of each year and code, and nothing for
// a code or year without rows.
TEST(LocalityTables, PennsylvaniaLookupsFindTheFirstRow) {
    const auto municipal = paMunicipalTable();
    std::map<std::pair<int, int>, const PaMunicipalRow*> firstMunicipal;
    for (const PaMunicipalRow& r : municipal) firstMunicipal.try_emplace({r.year, r.code}, &r);
    for (const auto& [key, row] : firstMunicipal) ASSERT_EQ(paMunicipalRow(key.first, key.second), row);
    const auto school = paSchoolTable();
    std::map<std::pair<int, int>, const PaSchoolRow*> firstSchool;
    for (const PaSchoolRow& r : school) firstSchool.try_emplace({r.year, r.sequence}, &r);
    for (const auto& [key, row] : firstSchool) ASSERT_EQ(paSchoolRow(key.first, key.second), row);
    EXPECT_EQ(paMunicipalRow(2025, 1), nullptr);
    EXPECT_EQ(paMunicipalRow(2022, 510012), nullptr);
    EXPECT_EQ(paSchoolRow(2025, 1), nullptr);  // sequence 1 is not used
    EXPECT_EQ(paSchoolRow(2027, 2), nullptr);
}

// The code index over a table in no order, with repeated codes: the first row of the code in stored order
// that the test accepts, as the plain scan finds it.
TEST(LocalityTables, CodeIndexFindsThePlainScanRow) {
    struct Row {
        int code;
        int value;
    };
    static constexpr Row rows[] = {{5, 0}, {3, 1}, {5, 2}, {-7, 3}, {3, 4}, {9, 5}, {5, 6}, {0, 7}, {3, 8}, {-7, 9}};
    static constexpr auto index = codeIndex(rows);
    for (int code = -8; code <= 10; ++code)
        for (int least = 0; least <= 10; ++least) {
            auto accept = [least](const Row& r) { return r.value >= least; };
            const Row* scan = nullptr;
            for (const Row& r : rows)
                if (r.code == code && accept(r)) {
                    scan = &r;
                    break;
                }
            ASSERT_EQ(index.find(code, accept), scan) << code << " " << least;
        }
}

// The indexed lookups by code find the row of the plain scan for every code of their table (and codes of
// none) on days of every year block, the first day of a block starting in the year, and the years around.
TEST(LocalityTables, CodeLookupsFindThePlainScanRow) {
    auto expectScan = [](auto table, auto lookup) {
        std::vector<int> codes{-1, 0, 999999999};
        for (const auto& r : table) codes.push_back(r.code);
        for (int year = 2022; year <= 2027; ++year)
            for (const CalcDate d : {date(year, 1, 1), date(year, 6, 15), date(year, 10, 1), date(year, 12, 31)})
                for (const int code : codes) {
                    const decltype(&table[0]) scan = [&]() -> decltype(&table[0]) {
                        for (const auto& r : table)
                            if (r.code == code && rowCovers(r.from, r.to, d)) return &r;
                        return nullptr;
                    }();
                    ASSERT_EQ(lookup(d, code), scan) << code << " on " << dateText(d);
                }
    };
    expectScan(ohioMunicipalTable(), ohioMunicipalRow);
    expectScan(ohioSchoolTable(), ohioSchoolRow);
    expectScan(indianaCountyTable(), indianaCountyRow);
    for (int which : {0, 1, 2})
        expectScan(kentuckyTable(which), [which](const CalcDate& d, int code) { return kentuckyRow(which, d, code); });
}

// Per table and year block: rows, rate-unknown rows, and the sums of the value columns.
struct Fingerprint {
    const char* table;
    int year;
    int rows;
    int unknown;
    std::vector<double> sums;
};

template <class Row, class Year, class Values>
void fingerprint(std::span<const Row> rows, Year yearOf, Values values, std::map<int, Fingerprint>& out) {
    for (const Row& r : rows) {
        const auto [k, v] = values(r);
        Fingerprint& f = out[yearOf(r)];
        if (f.sums.empty()) f.sums.assign(v.size(), 0.0);
        ++f.rows;
        f.unknown += k ? 0 : 1;
        for (std::size_t i = 0; i < v.size(); ++i) f.sums[i] += v[i];
    }
}

TEST(LocalityTables, YearBlocksKeepTheirCountsAndSums) {
    const std::vector<Fingerprint> want = {
        {"pa_municipal", 2026, 2628, 8, {1807.136, 1371.6775, 68498, 836235799}},
        {"pa_municipal", 2025, 2628, 62, {1762.875, 1336.3625, 66630, 836235799}},
        {"pa_municipal", 2024, 2628, 111, {1721.285, 1298.2745, 64634, 836235799}},
        {"pa_municipal", 2023, 2628, 159, {1681.685, 1272.6245, 63369, 836235799}},
        {"pa_school_districts", 2026, 2628, 8, {1600.57, 7560, 844534761, 3454505}},
        {"pa_school_districts", 2025, 2628, 63, {1573.07, 7440, 844534761, 3454505}},
        {"pa_school_districts", 2024, 2628, 111, {1548.42, 7305, 844534761, 3454505}},
        {"pa_school_districts", 2023, 2628, 159, {1517.88, 7080, 844534761, 3454505}},
        {"oh_municipal", 2026, 681, 2, {9.94115, 30825923}},
        {"oh_municipal", 2025, 679, 20, {9.62165, 30759745}},
        {"oh_municipal", 2024, 679, 33, {9.44665, 30759745}},
        {"oh_school_districts", 2026, 612, 0, {238, 28846958}},
        {"oh_school_districts", 2025, 612, 611, {0, 28846958}},
        {"oh_school_districts", 2024, 612, 610, {2, 28846958}},
        {"in_county", 2026, 92, 0, {1.779633, 1.779633, 4565}},
        {"in_county", 2025, 92, 0, {1.761136, 1.761136, 4565}},
        {"in_county", 2024, 96, 0, {1.843586, 1.843586, 4660}},
        {"ky_cities", 2026, 46, 0, {1669003, 1669003, 64.505, 57681}},
        {"ky_cities", 2025, 2, 0, {0, 0, 2.95, 2022}},
        {"ky_cities", 2024, 2, 0, {0, 0, 2.95, 2022}},
        {"ky_counties", 2026, 4, 0, {91889, 91889, 2.25, 48}},
        {"ky_school_districts", 2026, 9, 0, {0, 0, 5.744, 90036}},
    };
    std::map<std::string, std::map<int, Fingerprint>> got;
    using V = std::vector<double>;
    fingerprint(paMunicipalTable(), [](auto& r) { return r.year; },
                [](auto& r) { return std::pair{r.rateKnown, V{r.rateOther, r.rateResident, r.annualAmount, double(r.code)}}; },
                got["pa_municipal"]);
    fingerprint(paSchoolTable(), [](auto& r) { return r.year; },
                [](auto& r) {
                    return std::pair{r.rateKnown, V{r.rate, r.annualAmount, double(r.districtCode), double(r.sequence)}};
                },
                got["pa_school_districts"]);
    fingerprint(ohioMunicipalTable(), [](auto& r) { return r.from.year; },
                [](auto& r) { return std::pair{r.rateKnown, V{r.rate, double(r.code)}}; }, got["oh_municipal"]);
    fingerprint(ohioSchoolTable(), [](auto& r) { return r.from.year; },
                [](auto& r) { return std::pair{r.rateKnown, V{r.rate, double(r.code)}}; }, got["oh_school_districts"]);
    fingerprint(indianaCountyTable(), [](auto& r) { return r.from.year; },
                [](auto& r) { return std::pair{true, V{r.residentRate, r.nonresidentRate, double(r.code)}}; },
                got["in_county"]);
    const char* kentucky[] = {"ky_school_districts", "ky_cities", "ky_counties"};
    for (int which = 0; which < 3; ++which)
        fingerprint(kentuckyTable(which), [](auto& r) { return r.from.year; },
                    [](auto& r) {
                        return std::pair{true, V{r.low, r.high, r.rate, double(r.code)}};
                    },
                    got[kentucky[which]]);
    std::size_t blocks = 0;
    for (const auto& [table, byYear] : got) blocks += byYear.size();
    EXPECT_EQ(blocks, want.size());
    for (const Fingerprint& w : want) {
        SCOPED_TRACE(std::string(w.table) + " " + std::to_string(w.year));
        const Fingerprint& g = got[w.table][w.year];
        EXPECT_EQ(g.rows, w.rows);
        EXPECT_EQ(g.unknown, w.unknown);
        ASSERT_EQ(g.sums.size(), w.sums.size());
        for (std::size_t i = 0; i < w.sums.size(); ++i) EXPECT_NEAR(g.sums[i], w.sums[i], 5e-7) << "column " << i;
    }
}

}  // namespace
}  // namespace orla
