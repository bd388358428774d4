// orla-calc --levies: the employer-side and other levies of the sample payroll, in every format.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string run(const std::string& arguments) {
    std::string out;
    FILE* pipe = popen((std::string(ORLA_CALC) + " " + arguments + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
    pclose(pipe);
    return out;
}

std::vector<std::string> cellsOf(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        else if (c == ',' && !quoted) cells.push_back(std::exchange(cell, {}));
        else cell.push_back(c);
    }
    cells.push_back(cell);
    return cells;
}

// The CSV output by id ("total" for the totals line), each row by column name.
std::map<std::string, std::map<std::string, std::string>> rowsOf(const std::string& csv) {
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    const std::vector<std::string> header = cellsOf(line);
    std::map<std::string, std::map<std::string, std::string>> rows;
    while (std::getline(lines, line)) {
        const std::vector<std::string> cells = cellsOf(line);
        std::map<std::string, std::string> row;
        for (std::size_t i = 0; i < header.size() && i < cells.size(); ++i) row[header[i]] = cells[i];
        rows[cells[0] == "total" ? "total" : row["id"]] = row;
    }
    return rows;
}

const std::string kSample = std::string(ORLA_EXAMPLES) + "/payroll.csv";
const char* const kLevyColumns[] = {"futa", "sui", "sui-employee", "ett", "sdi", "sdi-employer", "leave-employee",
                                    "leave-employer", "transit", "transit-employee", "workcomp-employee",
                                    "workcomp-employer", "long-term-care"};

TEST(OrlaCalcLevies, SamplePayrollColumnsAndTotals) {
    auto rows = rowsOf(run("--levies --sui-rate 0.02 --format csv " + kSample));
    ASSERT_TRUE(rows.count("E160"));
    const auto amount = [&](const char* id, const char* column) { return std::stod(rows[id].at(column)); };
    // Alaska: 1,000 left under the 54,200 base; the employee pays 0.5 % of it.
    EXPECT_DOUBLE_EQ(amount("E160", "sui"), 20.00);
    EXPECT_DOUBLE_EQ(amount("E160", "sui-employee"), 5.00);
    // California disability insurance on wages and bonus, 1.3 % in 2026.
    EXPECT_DOUBLE_EQ(amount("E110", "sdi"), 58.50);
    // Washington: paid leave at 1.13 % split evenly by default, long-term care at 0.58 %.
    EXPECT_DOUBLE_EQ(amount("E104", "leave-employee"), 7.06);
    EXPECT_DOUBLE_EQ(amount("E104", "long-term-care"), 7.25);
    // Colorado 0.88 % split; the District of Columbia's employer levy, 0.75 %.
    EXPECT_DOUBLE_EQ(amount("E136", "leave-employer"), 11.88);
    EXPECT_DOUBLE_EQ(amount("E138", "leave-employer"), 19.50);
    // An annual pay below the federal unemployment base: 7,000 at 0.6 %.
    EXPECT_DOUBLE_EQ(amount("E131", "futa"), 42.00);
    for (const char* column : kLevyColumns) {
        long long sum = 0;
        for (const auto& [id, row] : rows)
            if (id != "total") sum += std::llround(std::stod(row.at(column)) * 100);
        EXPECT_EQ(std::llround(amount("total", column) * 100), sum) << column;
    }
}

TEST(OrlaCalcLevies, OnlyWithTheSwitchAndInEveryFormat) {
    EXPECT_EQ(run("--format csv " + kSample).find("futa"), std::string::npos);
    EXPECT_NE(run("--levies " + kSample).find("FUTA"), std::string::npos);
    const auto json = nlohmann::json::parse(run("--levies --format json " + kSample));
    EXPECT_DOUBLE_EQ(json["pays"][30]["futa"].get<double>(), 42.00);
    EXPECT_TRUE(json["totals"].contains("long-term-care"));
    // One pay: the levies in words, and in its JSON.
    const std::string pay = "--levies --date 2026-06-12 --periods 26 --wages 2000 --ss-ytd-wages 53200 --state AK --sui-rate 0.02";
    EXPECT_NE(run(pay).find("State unemployment"), std::string::npos);
    EXPECT_DOUBLE_EQ(nlohmann::json::parse(run(pay + " --format json"))["levies"]["sui-employee"].get<double>(), 5.00);
}

}  // namespace
