// orla-calc as a user runs it: the built program on files and flags, its output, messages and exit statuses.
// The expected taxes are worked out here from the published percentage-method tables and rates.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string tempPath(const std::string& name) {
    return testing::TempDir() + "orla_calc_" + std::to_string(getpid()) + "_" + name;
}

// Runs orla-calc with the arguments (a shell fragment) and collects both outputs and the exit status.
Outcome run(const std::string& arguments) {
    const std::string errPath = tempPath("stderr");
    const std::string command = std::string(ORLA_CALC) + " " + arguments + " 2>" + errPath;
    Outcome result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, got);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = readFile(errPath);
    std::remove(errPath.c_str());
    return result;
}

std::string writeTemp(const std::string& name, const std::string& text) {
    const std::string path = tempPath(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::vector<std::string> splitCsv(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        else if (c == ',' && !quoted) {
            cells.push_back(cell);
            cell.clear();
        } else cell.push_back(c);
    }
    cells.push_back(cell);
    return cells;
}

// The CSV output as rows of named cells, keyed by the id column ("total" for the totals line).
std::map<std::string, std::map<std::string, std::string>> parseOutput(const std::string& csv) {
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    const std::vector<std::string> header = splitCsv(line);
    std::map<std::string, std::map<std::string, std::string>> rows;
    while (std::getline(lines, line)) {
        const std::vector<std::string> cells = splitCsv(line);
        std::map<std::string, std::string> row;
        for (std::size_t i = 0; i < header.size() && i < cells.size(); ++i) row[header[i]] = cells[i];
        rows[cells[0] == "total" ? "total" : row["id"]] = row;
    }
    return rows;
}

// --- The published withholding figures, independent of the program -------------------------------------

struct Bracket {
    double low;
    double base;
    double rate;
};
using Schedule = std::vector<Bracket>;

// Annual percentage-method schedules (Form W-4 of 2020 and later; the pre-2020 forms use the same rows).
const Schedule kSingle2026 = {{0, 0, 0},          {7500, 0, .10},       {19900, 1240, .12},   {57900, 5800, .22},
                              {113200, 17966, .24}, {209275, 41024, .32}, {263725, 58448, .35}, {648100, 192979.25, .37}};
const Schedule kSingleStep2_2026 = {{0, 0, 0},         {8050, 0, .10},       {14250, 620, .12},    {33250, 2900, .22},
                                    {60900, 8983, .24}, {108938, 20512, .32}, {136163, 29224, .35}, {328350, 96489.63, .37}};
const Schedule kMarried2026 = {{0, 0, 0},           {19300, 0, .10},       {44100, 2480, .12},     {120100, 11600, .22},
                               {230700, 35932, .24}, {422850, 82048, .32}, {531750, 116896, .35}, {788000, 206583.5, .37}};
const Schedule kHeadOfHousehold2026 = {{0, 0, 0},          {15550, 0, .10},      {33250, 1770, .12},   {83000, 7740, .22},
                                       {121250, 16155, .24}, {217300, 39207, .32}, {271750, 56631, .35}, {656150, 191171, .37}};
const Schedule kSingle2025 = {{0, 0, 0},         {6400, 0, .10},       {18325, 1192.5, .12}, {54875, 5578.5, .22},
                              {109750, 17651, .24}, {203700, 40199, .32}, {256925, 57231, .35}, {632750, 188769.75, .37}};
const Schedule kMarried2025 = {{0, 0, 0},           {17100, 0, .10},       {40950, 2385, .12},     {114050, 11157, .22},
                               {223800, 35302, .24}, {411700, 80398, .32}, {518150, 114462, .35}, {768700, 202154.5, .37}};

constexpr double kAllowance = 4300;             // per allowance of a Form W-4 from before 2020
constexpr double kAdjustmentOther = 8600;       // 2020 form without Step 2, other than married filing jointly
constexpr double kAdjustmentJoint = 12900;      // the same, married filing jointly
constexpr double kSocialSecurityRate = 0.062;
constexpr double kMedicareRate = 0.0145;
constexpr double kAdditionalMedicareRate = 0.009;
constexpr double kAdditionalMedicareThreshold = 200000;
constexpr double kWageBase2026 = 184500;
constexpr double kWageBase2025 = 176100;
constexpr double kSupplementalRate = 0.22;
constexpr double kSupplementalRateOverMillion = 0.37;

// Half a cent and more rounds up, judged on the truncated thousandths.
double cents(double x) { return std::trunc((std::trunc(x * 1000.0) + 5) / 10) / 100.0; }

double annualTax(const Schedule& schedule, double annualWages) {
    const double x = std::max(0.0, annualWages);
    const Bracket* bracket = &schedule.front();
    for (const Bracket& b : schedule)
        if (x >= b.low) bracket = &b;
    return bracket->base + (x - bracket->low) * bracket->rate;
}

// Federal income tax of one pay: annualise, subtract, look up, de-annualise, less the credits.
double federalTax(const Schedule& schedule, int periods, double wages, double adjustment, double credits = 0) {
    const double perPay = annualTax(schedule, periods * wages - adjustment) / periods;
    return cents(std::max(0.0, perPay - credits / periods));
}

double socialSecurity(double wages, double ytd, double base) {
    return cents(kSocialSecurityRate * std::max(0.0, std::min(wages, base - ytd)));
}

double medicare(double wages, double ytd) {
    const double above = std::max(0.0, ytd + wages - std::max(ytd, kAdditionalMedicareThreshold));
    return cents(kMedicareRate * wages + kAdditionalMedicareRate * above);
}

double amount(const std::map<std::string, std::string>& row, const std::string& column) {
    return std::stod(row.at(column));
}

std::string example() { return std::string(ORLA_EXAMPLES) + "/payroll.csv"; }

TEST(OrlaCalcGolden, SamplePayrollMatchesThePublishedRates) {
    const Outcome result = run("--format csv " + example());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    auto rows = parseOutput(result.out);

    struct Expected {
        std::string id;
        double fedTax, fedSuppTax, ssTax, medicareTax;
    };
    const Expected expected[] = {
        // Biweekly single, 2020 form: 52,000 a year less 8,600.
        {"E101", federalTax(kSingle2026, 26, 2000, kAdjustmentOther), 0, socialSecurity(2000, 10000, kWageBase2026), medicare(2000, 10000)},
        // The Step 2 box: the Step 2 schedule and no adjustment.
        {"E102", federalTax(kSingleStep2_2026, 26, 2000, 0), 0, 124.00, 29.00},
        // Monthly married, a pre-2020 form with two allowances.
        {"E103", federalTax(kMarried2026, 12, 5000, 2 * kAllowance), 0, 310.00, 72.50},
        // Weekly head of household with 2,000 of Step 3 credits.
        {"E104", federalTax(kHeadOfHousehold2026, 52, 1250, kAdjustmentOther, 2000), 0, 77.50, medicare(1250, 12500)},
        // Near the wage base and across the additional Medicare threshold.
        {"E106", federalTax(kSingle2026, 26, 7800, kAdjustmentOther), 0, socialSecurity(7800, 180000, kWageBase2026),
         medicare(7800, 196000)},
        // Above the wage base, all of it above the threshold.
        {"E107", federalTax(kMarried2026, 24, 12000, kAdjustmentJoint), 0, 0.00, medicare(12000, 250000)},
        // 2025 flat-rate bonus: 22 %; social security and Medicare on wages and bonus together.
        {"E108", federalTax(kSingle2025, 26, 2400, kAdjustmentOther), cents(kSupplementalRate * 5000),
         socialSecurity(7400, 40000, kWageBase2025), medicare(7400, 40000)},
        // 2026 flat-rate bonus, weekly.
        {"E111", federalTax(kSingle2026, 52, 900, kAdjustmentOther), cents(kSupplementalRate * 500),
         socialSecurity(1400, 43000, kWageBase2026), medicare(1400, 43000)},
        // Bonuses beyond a million take 37 %; the year's wage base is already reached.
        {"E109", federalTax(kMarried2025, 12, 9000, kAllowance), cents(kSupplementalRateOverMillion * 20000), 0.00,
         medicare(29000, 1700000)},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.id);
        ASSERT_TRUE(rows.count(e.id));
        const auto& row = rows[e.id];
        EXPECT_DOUBLE_EQ(amount(row, "fed-tax"), e.fedTax);
        EXPECT_DOUBLE_EQ(amount(row, "fed-supp-tax"), e.fedSuppTax);
        EXPECT_DOUBLE_EQ(amount(row, "ss-tax"), e.ssTax);
        EXPECT_DOUBLE_EQ(amount(row, "medicare-tax"), e.medicareTax);
        EXPECT_EQ(std::stoi(row.at("flags")) & 1, 0);  // no federal flag (the state may not be supported yet)
        EXPECT_EQ(row.at("fed-status"), "0");
    }
    // Hand-checked anchors of the schedules themselves.
    EXPECT_DOUBLE_EQ(amount(rows["E101"], "fed-tax"), 156.15);
    EXPECT_DOUBLE_EQ(amount(rows["E102"], "fed-tax"), 270.19);
    EXPECT_DOUBLE_EQ(amount(rows["E103"], "fed-tax"), 279.67);
    EXPECT_DOUBLE_EQ(amount(rows["E106"], "ss-tax"), 279.00);    // 4,500 left under the base
    EXPECT_DOUBLE_EQ(amount(rows["E106"], "medicare-tax"), 147.30);

    // Guam withholds its own tax by the federal computation, in place of the federal tax.
    EXPECT_DOUBLE_EQ(amount(rows["E112"], "fed-tax"), 0.0);
    EXPECT_DOUBLE_EQ(amount(rows["E112"], "state-tax"), federalTax(kSingle2026, 26, 2000, kAdjustmentOther));
    // State anchors: Oregon, Oklahoma, Wisconsin, Minnesota, Mississippi and Montana.
    for (const auto& [id, tax] : {std::pair{"E151", 130.00}, {"E152", 38.00}, {"E153", 99.94}, {"E154", 78.74},
                                  {"E155", 175.00}, {"E156", 91.00}})
        EXPECT_DOUBLE_EQ(amount(rows[id], "state-tax"), tax) << id;


    // The totals are the exact sums of the rows.
    for (const char* column : {"fed-wages", "fed-tax", "fed-supp-tax", "ss-tax", "medicare-tax", "state-tax", "net-pay"}) {
        long long sum = 0;
        for (const auto& [id, row] : rows)
            if (id != "total") sum += std::llround(amount(row, column) * 100);
        EXPECT_EQ(std::llround(amount(rows["total"], column) * 100), sum) << column;
    }
}

TEST(OrlaCalcGolden, FormatsAgreeAndStandardInputReads) {
    const Outcome csv = run("--format csv " + example());
    const Outcome piped = run("--format csv - < " + example());
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, csv.out);

    const Outcome json = run("--format json " + example());
    EXPECT_EQ(json.status, 0);
    const auto document = nlohmann::json::parse(json.out);  // throws, failing the test, unless well-formed
    // One pay per data line of the sample.
    std::ifstream sample(example());
    std::size_t pays = 0;
    for (std::string line; std::getline(sample, line);) pays += !line.empty();
    --pays;  // the header
    ASSERT_EQ(document["pays"].size(), pays);
    EXPECT_EQ(document["pays"][0]["id"], "E101");
    EXPECT_DOUBLE_EQ(document["pays"][0]["fed-tax"].get<double>(), 156.15);
    EXPECT_DOUBLE_EQ(document["totals"]["fed-tax"].get<double>(), amount(parseOutput(csv.out)["total"], "fed-tax"));
    EXPECT_EQ(document["bad-rows"], 0);

    const Outcome table = run(example());
    EXPECT_EQ(table.status, 0);
    EXPECT_NE(table.out.find("total"), std::string::npos);
    EXPECT_NE(table.out.find(std::to_string(pays) + " pays"), std::string::npos);
}

TEST(OrlaCalcBadRows, EachIsReportedWithItsLineAndSkipped) {
    const std::string path = writeTemp("bad.csv",
                                       "id,pay-date,pay-periods,fed-wages,state,fed-filing-status\n"
                                       "A1,2026-03-13,26,2000,TX,single\n"
                                       "A2,2026-03-13,26,20x0,TX,single\n"
                                       "A3,2026-13-01,26,2000,TX,single\n"
                                       "A4,2026-03-13,26,2000,ZZ,single\n"
                                       "A5,2026-03-13,26,2000,TX,widowed\n"
                                       "A6,2026-03-13,2.5,2000,TX,single\n"
                                       "A7,2026-03-13,26,2000,TX\n"
                                       "A8,2026-03-13,26,2000,FL,married\n");
    const Outcome result = run("--format csv " + path);
    EXPECT_EQ(result.status, 1);

    struct Case {
        int line;
        const char* message;
    };
    const Case cases[] = {
        {3, "column 4 (fed-wages): '20x0' is not an amount"},
        {4, "column 2 (pay-date): '2026-13-01' is not a date"},
        {5, "column 5 (state-code): unknown state 'ZZ'"},
        {6, "column 6 (fed-filing-status): unknown filing status 'widowed'"},
        {7, "column 3 (pay-periods): '2.5' is not a whole number"},
        {8, "5 columns where the header has 6"},
    };
    for (const Case& c : cases)
        EXPECT_NE(result.err.find(path + ":" + std::to_string(c.line) + ": " + c.message), std::string::npos)
            << "line " << c.line << " in:\n" << result.err;

    const auto rows = parseOutput(result.out);
    EXPECT_TRUE(rows.count("A1"));
    EXPECT_TRUE(rows.count("A8"));
    EXPECT_EQ(rows.size(), 3u);  // the two good rows and the totals
}

TEST(OrlaCalcExitStatus, ByOutcome) {
    const std::string flagged = writeTemp("flagged.csv",
                                          "pay-date,pay-periods,fed-wages,state\n"
                                          "2028-01-15,26,2000,TX\n"
                                          "2026-03-13,26,2000,AS\n");
    const std::string badHeader = writeTemp("header.csv", "pay-date,pay-periods,fed-wage,state\n2026-03-13,26,2000,TX\n");
    const std::string empty = writeTemp("empty.csv", "");
    struct Case {
        std::string arguments;
        int status;
        std::string inOutput;  // expected on stdout, or on stderr for a failure
    };
    const Case cases[] = {
        {example(), 0, "E101"},
        // Calculations that raise flags still exit 0: the flags are shown per pay.
        {flagged, 0, "no federal table row covers 2028-01-15 nor the year before"},
        {flagged, 0, "AS: jurisdiction not supported"},
        {badHeader, 2, "unknown column 'fed-wage'"},
        {empty, 2, "no header line"},
        {tempPath("missing.csv"), 2, "cannot open"},
        {"--date 2026-03-13 --periods 26 --wages 2000 --w4-2020 --state TX", 0, "156.15"},
        {"--date 2026-03-13 --periods 26 --wages abc --state TX", 2, "--fed-wages: 'abc' is not an amount"},
        {"--date 2026-03-13 --periods 26 --wages 2000", 2, "state-code is missing"},
        {"--date 2026-03-13 --periods 26 --wages 2000 --state-record-size 300 --state TX", 2, "record size from 0 to 244"},
        {"--mode sideways --date 2026-03-13", 2, "unknown mode"},
        {"--version", 0, "interface 3.5, tables 2026"},
    };
    for (const Case& c : cases) {
        const Outcome result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments << "\n" << result.err;
        const std::string& text = c.status == 0 ? result.out : result.err;
        EXPECT_NE(text.find(c.inOutput), std::string::npos) << c.arguments << "\n" << text;
    }
}

TEST(OrlaCalcBatch, FlagsFillEmptyCellsAndModesApply) {
    const std::string path = writeTemp("defaults.csv",
                                       "id,pay-date,fed-wages,state\n"
                                       "D1,2026-03-13,2000,\n"
                                       "D2,,2000,FL\n");
    // --periods and --w4-2020 apply to every row, --state and --date to the empty cells.
    const Outcome full = run("--format csv --periods 26 --w4-2020 --state TX --date 2026-03-13 " + path);
    EXPECT_EQ(full.status, 0) << full.err;
    auto rows = parseOutput(full.out);
    EXPECT_EQ(rows["D1"].at("state"), "TX");
    EXPECT_EQ(rows["D2"].at("state"), "FL");
    EXPECT_DOUBLE_EQ(amount(rows["D2"], "fed-tax"), 156.15);

    // Without a state a row is bad, unless the mode is federal only; the employer's mode has no additional Medicare.
    const Outcome noState = run("--format csv --periods 26 --date 2026-03-13 " + path);
    EXPECT_EQ(noState.status, 1);
    EXPECT_NE(noState.err.find(":2: state-code is missing"), std::string::npos) << noState.err;
    const Outcome employer = run("--format csv --mode employer --periods 26 --date 2026-03-13 --ss-ytd-wages 250000 " + path);
    EXPECT_EQ(employer.status, 0) << employer.err;
    EXPECT_DOUBLE_EQ(amount(parseOutput(employer.out)["D1"], "medicare-tax"), cents(kMedicareRate * 2000));
}

TEST(OrlaCalcBatch, SpreadsheetCsvReads) {
    // A byte-order mark, CRLF line ends, quoted cells with commas and doubled quotes, blank and comment lines,
    // padded cells, "$1,234.50" amounts and a header in another case all read as the plain form does.
    const std::string path = writeTemp("spreadsheet.csv",
                                       "\xEF\xBB\xBFID,Pay Date,PAY_PERIODS,fed-wages,state,fedFilingStatus\r\n"
                                       "\"Doe, \"\"Jo\"\"\",2026-03-13, 26 ,\"$2,000.00\",tx,Single\r\n"
                                       "\r\n"
                                       "# a comment line\r\n"
                                       "plain,3/13/2026,26,2000,TX,single\r\n");
    const Outcome result = run("--format csv --w4-2020 " + path);
    EXPECT_EQ(result.status, 0) << result.err;
    auto rows = parseOutput(result.out);
    ASSERT_TRUE(rows.count("Doe, Jo")) << result.out;  // the test's splitter drops the quotes
    EXPECT_DOUBLE_EQ(amount(rows["Doe, Jo"], "fed-tax"), 156.15);
    EXPECT_DOUBLE_EQ(amount(rows["plain"], "fed-tax"), 156.15);
    EXPECT_EQ(rows["plain"].at("line"), "5");  // blank and comment lines still count
}

TEST(OrlaCalcBatch, RecordSizesGateTheFields) {
    const std::string pay = "--format csv --date 2025-06-13 --periods 26 --wages 2000 --bonus 1000 --state TX ";
    struct Case {
        std::string flags;
        double fedSuppTax;
        double ssTax;
    };
    const Case cases[] = {
        {"", cents(kSupplementalRate * 1000), socialSecurity(3000, 0, kWageBase2025)},
        // Without the bonus fields the bonus is neither taxed nor counted for social security.
        {"--record-size 128", 0.0, socialSecurity(2000, 0, kWageBase2025)},
        {"--record-size 129", cents(kSupplementalRate * 1000), socialSecurity(3000, 0, kWageBase2025)},
    };
    for (const Case& c : cases) {
        const Outcome result = run(pay + c.flags);
        ASSERT_EQ(result.status, 0) << c.flags << result.err;
        auto rows = parseOutput(result.out);
        EXPECT_DOUBLE_EQ(amount(rows[""], "fed-supp-tax"), c.fedSuppTax) << c.flags;
        EXPECT_DOUBLE_EQ(amount(rows[""], "ss-tax"), c.ssTax) << c.flags;
    }
}

TEST(OrlaCalcBatch, LargeBatchKeepsOrderAndLineNumbersAcrossBlocks) {
    // Enough rows for several blocks, with a bad row far in; one thread and two give the same output.
    const std::string generated = tempPath("generated.csv");
    ASSERT_EQ(run("--generate 60000 > " + generated).status, 0);
    std::string text = readFile(generated);
    std::size_t lineStart = 0;
    for (int line = 1; line < 45678; ++line) lineStart = text.find('\n', lineStart) + 1;
    text.insert(text.find(',', lineStart) + 1, "20x6-");  // corrupts the date of line 45678
    const std::string path = writeTemp("large.csv", text);

    const Outcome one = run("--format csv --jobs 1 " + path);
    const Outcome two = run("--format csv --jobs 2 " + path);
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(two.status, 1);
    EXPECT_EQ(one.out, two.out);
    EXPECT_EQ(one.err, two.err);
    EXPECT_NE(two.err.find(path + ":45678: column 2 (pay-date)"), std::string::npos) << two.err;

    std::istringstream lines(two.out);
    std::string line;
    std::getline(lines, line);
    long expected = 2, rows = 0;
    bool ordered = true;
    while (std::getline(lines, line) && !line.starts_with("total")) {
        const long number = std::stol(line);
        if (expected == 45678) ++expected;
        ordered = ordered && number == expected;
        ++expected;
        ++rows;
    }
    EXPECT_TRUE(ordered);
    EXPECT_EQ(rows, 59999);
    std::remove(generated.c_str());
    std::remove(path.c_str());
}

TEST(OrlaCalcSinglePay, ExplainsStatusesInWords) {
    const std::string pay = "--date 2026-03-13 --periods 26 --wages 2000 --status single --w4-2020 ";
    struct Case {
        std::string flags;
        std::string words;
    };
    const Case cases[] = {
        {"--state CA --state-wages 2000", "Federal income tax"},
        {"--state 6", "State income tax (CA)"},
        {"--state MP --state-record-size 212", "record too small for the rebate"},
        {"--state TX --state-extra-withholding 12.5", "12.50"},
        {"--state TX --status head-of-household", "Federal elections: head-of-household"},
        {"--mode federal", "federal only"},
        {"--mode 2", "employer's share"},
        {"--state TX --periods 0", "pay periods must be at least 1"},
    };
    for (const Case& c : cases) {
        const Outcome result = run(pay + c.flags);
        EXPECT_EQ(result.status, 0) << c.flags << "\n" << result.err;
        EXPECT_NE(result.out.find(c.words), std::string::npos) << c.flags << "\n" << result.out;
    }
}

TEST(OrlaCalcGrossUp, ReachesTheDesiredNet) {
    // Net 1,690.85 is what 2,000.00 of biweekly wages leave in Texas (156.15, 124.00 and 29.00 withheld).
    const Outcome net = run("--gross-up net --date 2026-03-13 --periods 26 --wages 1690.85 --w4-2020 --state TX --format json");
    EXPECT_EQ(net.status, 0) << net.err;
    EXPECT_NE(net.out.find("\"fed-wages\": 2000.0"), std::string::npos) << net.out;
    EXPECT_NE(net.out.find("\"net-pay\": 1690.85"), std::string::npos) << net.out;

    // A net bonus of 1,000 in 2025 at 22 % flat, 6.2 % and 1.45 %: 1,000 / (1 - 0.2965) = 1,421.46.
    const Outcome bonus = run("--gross-up bonus --date 2025-06-13 --periods 26 --wages 2000 --bonus 1000 --state TX --format json");
    EXPECT_EQ(bonus.status, 0) << bonus.err;
    EXPECT_NE(bonus.out.find("\"supp-wages\": 1421.46"), std::string::npos) << bonus.out;

    // The search reaches at most 3.4 times the net: 5,000 of extra withholding puts the answer beyond it.
    // The library returns no flag then; the program says so rather than print a wrong gross as the answer.
    const Outcome missed = run("--gross-up net --date 2026-03-13 --periods 26 --wages 100 --fed-extra-withholding 5000 --state TX");
    EXPECT_EQ(missed.status, 0) << missed.err;
    EXPECT_NE(missed.out.find("the gross-up did not reach the desired net"), std::string::npos) << missed.out;
}

}  // namespace
