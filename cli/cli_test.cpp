// orla-calc as a user runs it: the built program on files and flags, its output, messages and exit statuses.
// The expected taxes are worked out here from the published percentage-method tables and rates.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
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

struct Case2 {
    int line;
    std::string message;
};

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
    // Nebraska by the flat rate (the sample's default) has no 2026 rate: the pay is taxed on the 2025 rows,
    // 54.71 + (2,300 - 90.77 - 1,490) x 0.0523.
    EXPECT_DOUBLE_EQ(amount(rows["E157"], "state-tax"), 92.33);
    EXPECT_DOUBLE_EQ(amount(rows["E158"], "state-tax"), 91.12);   // rate table B: 70 + (3,500 - 76.80 - 3,077) x 0.061
    EXPECT_DOUBLE_EQ(amount(rows["E159"], "state-tax"), 178.80);  // 163.71 + (5,200 - 4,879) x 0.047


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
        // Pays the library could not compute in full exit 1, each reported on stderr with its line.
        {flagged, 1, ":2: pay failed, left out of the totals: not computed: no federal table row covers 2028-01-15 nor the year before"},
        {flagged, 1, ":3: pay failed, left out of the totals: AS: jurisdiction not supported"},
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
                                       "\xEF\xBB\xBF# a comment line before the header\r\n"
                                       "ID,Pay Date,PAY_PERIODS,fed-wages,state,fedFilingStatus\r\n"
                                       "\"Doe, \"\"Jo\"\"\",2026-03-13, 26 ,\"$2,000.00\",tx,Single\r\n"
                                       "\r\n"
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
        {"--record-size 160", cents(kSupplementalRate * 1000), socialSecurity(3000, 0, kWageBase2025)},
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
        int status = 0;
    };
    const Case cases[] = {
        {"--state CA --state-wages 2000", "Federal income tax"},
        {"--state 6", "State income tax (CA)"},
        {"--state MP --state-record-size 212", "record too small for the rebate", 1},
        {"--state TX --state-extra-withholding 12.5", "12.50"},
        {"--state TX --status head-of-household", "Federal elections: head-of-household"},
        {"--mode federal", "federal only"},
        {"--mode 2", "employer's share"},
        {"--state TX --periods 0", "pay periods must be at least 1", 1},
    };
    for (const Case& c : cases) {
        const Outcome result = run(pay + c.flags);
        EXPECT_EQ(result.status, c.status) << c.flags << "\n" << result.err;
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
    EXPECT_EQ(missed.status, 1) << missed.err;  // a failed pay
    EXPECT_NE(missed.out.find("the gross-up did not reach the desired net"), std::string::npos) << missed.out;
}

// --- Honest results and strict input ----------------------------------------------------------------------

TEST(OrlaCalcFailedPays, AreReportedAndLeftOutOfTheTotals) {
    // Pay years no table covers: the library flags them; the program must not count them as computed.
    const std::string path = writeTemp("failed.csv",
                                       "id,pay-date,pay-periods,fed-wages,state\n"
                                       "F1,2023-12-31,26,2000,TX\n"
                                       "F2,9999-01-01,26,2000,TX\n"
                                       "OK,2026-03-13,26,2000,TX\n");
    const Outcome csv = run("--format csv " + path);
    EXPECT_EQ(csv.status, 1);
    for (const char* line : {":2: pay failed, left out of the totals: ", ":3: pay failed, left out of the totals: "})
        EXPECT_NE(csv.err.find(path + line), std::string::npos) << csv.err;
    auto rows = parseOutput(csv.out);
    EXPECT_EQ(rows["F1"].at("flags"), "1");  // the failed rows stay visible with their flags
    for (const char* column : {"fed-wages", "fed-tax", "ss-tax", "net-pay"})
        EXPECT_EQ(rows["total"].at(column), rows["OK"].at(column)) << column;
    EXPECT_EQ(rows["total"].at("notes"), "totals leave out 2 failed pays");

    const auto json = nlohmann::json::parse(run("--format json " + path).out);
    EXPECT_EQ(json["pays-computed"], 1);
    EXPECT_EQ(json["pays-failed"], 2);
    EXPECT_EQ(json["totals"]["fed-wages"], 2000.0);
    EXPECT_NE(run(path).out.find("3 pays: 1 computed, 2 failed (left out of the totals)"), std::string::npos);

    struct Case {
        std::string flags;
        std::string message;
    };
    const Case single[] = {
        {"--date 2026-03-13 --periods 0 --wages 2000 --state CA", "the pay failed: not computed: pay periods must be at least 1"},
        {"--date 2026-03-13 --periods 26 --wages 2000 --state AS", "the pay failed: AS: jurisdiction not supported"},
        {"--date 2026-03-13 --periods 26 --wages 2000 --state GA --state-filing-status 1 --format json", "the pay failed: GA"},
    };
    for (const Case& c : single) {
        const Outcome result = run(c.flags);
        EXPECT_EQ(result.status, 1) << c.flags;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.flags << "\n" << result.err;
    }
}

TEST(OrlaCalcWriteFailure, ExitsTwoInEveryMode) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
    const std::string pay = "--date 2026-03-13 --periods 26 --wages 2000 --state TX ";
    for (const std::string& arguments : {pay, pay + "--format csv", pay + "--format json", std::string("--help"),
                                         std::string("--version"), std::string("--list-statuses CA"), "--format csv " + example()}) {
        const Outcome result = run(arguments + " > /dev/full");
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_NE(result.err.find("cannot write"), std::string::npos) << arguments << "\n" << result.err;
    }
}

TEST(OrlaCalcStrictInput, AmountsTakeOnlyALeadingDollarAndThousandsGroups) {
    struct Case {
        const char* cell;
        const char* expected;  // the fed-wages written, or the message on stderr
    };
    const Case cases[] = {
        {"\"12,34\"", "'12,34' is not an amount"},
        {"\"1.234,56\"", "'1.234,56' is not an amount"},
        {"\"1,2,3\"", "'1,2,3' is not an amount"},
        {"20$00", "'20$00' is not an amount"},
        {"\"1,234.5,6\"", "'1,234.5,6' is not an amount"},
        {"\"0,125\"", "'0,125' is not an amount"},
        {"\"1234,567\"", "'1234,567' is not an amount"},
        {"$-5", "'$-5' is not an amount"},
        {"1e400", "'1e400' is out of range"},
        {"-1e400", "'-1e400' is out of range"},
        {"1e308", "'1e308' is out of range"},
        {"\"$1,234,567.89\"", "1234567.89"},
        {"\"1,234\"", "1234.00"},
        {"-$5", "-5.00"},
        {"$0.5", "0.50"},
        {"1e3", "1000.00"},
    };
    for (const Case& c : cases) {
        const std::string path = writeTemp("amount.csv", std::string("pay-date,pay-periods,fed-wages,state\n2026-03-13,26,") + c.cell + ",TX\n");
        const Outcome result = run("--format csv " + path);
        const auto rows = parseOutput(result.out);
        const bool good = c.expected[0] == '-' || std::isdigit(static_cast<unsigned char>(c.expected[0]));
        if (good) {
            EXPECT_EQ(result.status, 0) << c.cell << "\n" << result.err;
            ASSERT_TRUE(rows.count("")) << c.cell;
            EXPECT_EQ(rows.at("").at("fed-wages"), c.expected) << c.cell;
        } else {
            EXPECT_EQ(result.status, 1) << c.cell;
            EXPECT_NE(result.err.find(":2: column 3 (fed-wages): " + std::string(c.expected)), std::string::npos) << result.err;
        }
    }
}

TEST(OrlaCalcStrictInput, RowsAndTextCells) {
    // '#' opens a comment only before the header; after it a row is a row. Ids must be UTF-8.
    const std::string path = writeTemp("rows.csv",
                                       "# exported 2026-03-13\n"
                                       "\n"
                                       "id,pay-date,pay-periods,fed-wages,state\n"
                                       "#1001,2026-03-13,26,2000,TX\n"
                                       "# a note\n"
                                       "Jos\xE9,2026-03-13,26,2000,TX\n"
                                       "Jos\xC3\xA9,2026-03-13,26,2000,TX\n"
                                       "A\x1B[31m,2026-03-13,26,20\x1B[0m00,TX\n"
                                       "LONG,2026-03-13,26," + std::string(100000, '7') + ",TX\n");
    const Outcome json = run("--format json " + path);
    EXPECT_EQ(json.status, 1);
    const auto document = nlohmann::json::parse(json.out);  // valid JSON whatever the bytes of the input
    ASSERT_EQ(document["pays"].size(), 2u);
    EXPECT_EQ(document["pays"][0]["id"], "#1001");
    EXPECT_EQ(document["pays"][0]["line"], 4);
    EXPECT_EQ(document["pays"][1]["id"], "Jos\xC3\xA9");
    EXPECT_EQ(document["lines-skipped"], 2);
    EXPECT_EQ(document["bad-rows"], 4);
    const Case2 messages[] = {
        {5, "1 columns where the header has 5"},
        {6, "column 1 (id): 'Jos\\xE9' is not UTF-8 text"},
        {8, "column 4 (fed-wages): '20\\x1B[0m00' is not an amount"},
        {9, "column 4 (fed-wages): '" + std::string(60, '7') + "...' is out of range"},
    };
    for (const Case2& m : messages)
        EXPECT_NE(json.err.find(path + ":" + std::to_string(m.line) + ": " + m.message), std::string::npos) << m.message << "\n" << json.err;
    EXPECT_EQ(json.err.find('\x1B'), std::string::npos);
    EXPECT_LT(json.err.size(), 2000u);
}

TEST(OrlaCalcStrictInput, RequiredColumnsAreAHeaderError) {
    struct Case {
        std::string header;
        std::string flags;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {"pay-date,pay-periods,state", "", 2, ":1: no column fed-wages: it is required"},
        {"pay-periods,fed-wages,state", "", 2, ":1: no column pay-date"},
        {"pay-date,fed-wages,state", "", 2, ":1: no column pay-periods"},
        {"pay-date,pay-periods,fed-wages", "", 2, ":1: no column state-code"},
        {"pay-date,pay-periods,fed-wages", "--mode federal", 0, ""},
        {"pay-date,pay-periods,state", "--wages 2000", 0, ""},
        {"pay-date,pay-periods,fed-wages,state", "--gross-up bonus", 2, ":1: no column supp-wages"},
    };
    for (const Case& c : cases) {
        std::string row = "2026-03-13,26,TX\n";
        if (c.header.find("fed-wages") != std::string::npos) row = c.header.find("state") != std::string::npos ? "2026-03-13,26,2000,TX\n" : "2026-03-13,26,2000\n";
        if (c.header.starts_with("pay-periods")) row = "26,2000,TX\n";
        if (c.header == "pay-date,fed-wages,state") row = "2026-03-13,2000,TX\n";
        const Outcome result = run(c.flags + " " + writeTemp("columns.csv", c.header + "\n" + row));
        EXPECT_EQ(result.status, c.status) << c.header << " " << c.flags << "\n" << result.err;
        if (!c.message.empty()) {
            EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        }
    }
    EXPECT_EQ(run("--date 2026-03-13 --periods 26 --state TX").status, 2);  // no wages
}

TEST(OrlaCalcWords, StatusesExplainWhatHappened) {
    struct Case {
        std::string flags;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {"--date 2026-03-13 --periods 0 --wages 2000 --state CA",
         {"Federal status     0  not computed: pay periods must be at least 1", "State status       3  not computed"},
         {"Federal status     0  computed", "Federal tables", "jurisdiction not supported"}},
        {"--date 2026-03-13 --periods 26 --wages 2000 --state GA --state-filing-status 1",
         {"filing status 1 is not one of Georgia's (orla-calc --list-statuses GA)"},
         {"State tables", "2017", "nor the year before"}},
        {"--date 2026-03-13 --periods 26 --wages 2000 --state GA --state-filing-status 0",
         {"State tables     2025-10-01", "computed on the state tables of 2025: none of 2026 cover 2026-03-13"}, {}},
        {"--date 2026-03-13 --periods 26 --wages 2000 --state MP",
         {"* MP: computed on the state tables of 2025", "(the tax follows the federal rows of 2025)"}, {}},
        {"--date 2025-03-13 --periods 26 --wages 2000 --state MP", {"State tables     2025-01-01"}, {"*"}},
        {"--date 2026-03-13 --periods 26 --wages 2000 --state ME", {"State status       0  computed"}, {"State tables", "*"}},
        {"--date 2026-03-13 --periods 26 --wages -100 --state TX",
         {"negative wages computed as given: fed-wages -100.00, fica-wages -100.00, state-wages -100.00"}, {}},
        {"--date 2027-03-13 --periods 26 --wages 2000 --state TX",
         {"Federal tables   2026-03-13", "computed on the federal tables of 2026: none cover 2027-03-13"}, {}},
        {"--list-statuses GA", {"Georgia (GA, code 13): --state-filing-status", "       4  standard deduction 24,000", "   other  no table row"}, {}},
        {"--list-statuses 51", {"Texas (TX, code 51): filing status not read: no state income tax is withheld"}, {}},
    };
    for (const Case& c : cases) {
        const Outcome result = run(c.flags);
        for (const std::string& words : c.present) EXPECT_NE(result.out.find(words), std::string::npos) << c.flags << "\n" << result.out;
        for (const std::string& words : c.absent) EXPECT_EQ(result.out.find(words), std::string::npos) << words << "\n" << result.out;
    }
    // Every jurisdiction has a listing: the codes each state's calculator knows, or why it reads none.
    const Outcome all = run("--list-statuses all");
    EXPECT_EQ(all.status, 0);
    std::map<std::string, std::string> listed;  // "GA" -> "0 2 3 ... other", or "not read"
    std::istringstream lines(all.out);
    std::string current;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) continue;
        if (line[0] != ' ') {
            current = line.substr(line.find('(') + 1, 2);
            listed[current] = line.find("filing status not read") != std::string::npos ? "not read" : "";
            continue;
        }
        std::istringstream words(line);
        std::string code;
        words >> code;
        listed[current] += (listed[current].empty() ? "" : " ") + code;
    }
    const std::map<std::string, std::string> expected = {
        {"AL", "0 1 2 3 8 other"}, {"CA", "0 1 2 other"}, {"CO", "0 1 other"}, {"DE", "0 1 3 other"},
        {"DC", "0 1 2 3 other"}, {"GA", "0 2 3 4 5 10 11 other"}, {"HI", "0 1 2 12 13 14 other"}, {"ID", "0 1 2 12 other"},
        {"IA", "0 1 2 16 17 other"}, {"KS", "0 1 2 other"}, {"LA", "0 1 15 other"}, {"ME", "0 1 5 12 other"},
        {"MD", "0 1 2 3 6 12 other"}, {"MN", "0 1 12 other"}, {"MS", "0 1 2 5 other"}, {"MO", "0 1 2 3 5 other"},
        {"MT", "0 1 2 6 other"}, {"NE", "0 1 2 7 other"}, {"NJ", "0 1 2 6 other"}, {"NM", "0 1 2 12 other"},
        {"NY", "0 1 other"}, {"NC", "0 1 2 6 other"}, {"ND", "0 1 2 12 other"}, {"OK", "0 1 2 5 12 other"},
        {"OR", "0 1 10 other"}, {"RI", "0 1 2 other"}, {"UT", "0 1 other"}, {"VT", "0 1 3 10 12 other"}, {"WI", "0 1 other"},
    };
    EXPECT_EQ(listed.size(), 59u);
    for (const auto& [state, codes] : listed) {
        const auto it = expected.find(state);
        EXPECT_EQ(codes, it == expected.end() ? "not read" : it->second) << state;
    }
    EXPECT_EQ(run("--list-statuses ZZ").status, 2);
}

// Local taxes: the local sample's pays with their local taxes in the net; the locality lists with codes.
TEST(OrlaCalcLocal, SampleAndLists) {
    const std::string sample = std::string(ORLA_EXAMPLES) + "/payroll-local.csv";
    const Outcome result = run("--format csv " + sample);
    EXPECT_EQ(result.status, 0) << result.err;
    auto rows = parseOutput(result.out);
    std::ifstream in(sample);
    std::size_t pays = 0;
    for (std::string line; std::getline(in, line);) pays += !line.empty();
    EXPECT_EQ(rows.size(), pays);  // the data lines and the total
    EXPECT_DOUBLE_EQ(amount(rows["L201"], "local-tax"), 65.22);     // New York City
    EXPECT_DOUBLE_EQ(amount(rows["L205"], "local-supp-tax"), 42.50);
    EXPECT_DOUBLE_EQ(amount(rows["L208"], "local-tax"), 47.45);     // Detroit resident
    EXPECT_DOUBLE_EQ(amount(rows["L212"], "work-locality-tax"), 1.85);  // Denver's employer share
    EXPECT_DOUBLE_EQ(amount(rows["L213"], "local-tax"), 25.00);     // Wilmington
    EXPECT_DOUBLE_EQ(amount(rows["L215"], "local-tax"), 20.19);     // Scranton school district, resident
    EXPECT_DOUBLE_EQ(amount(rows["L216"], "local-tax"), 29.25);     // Ada school district, Ohio
    EXPECT_DOUBLE_EQ(amount(rows["L217"], "local-tax"), 39.62);     // Marion County, Indiana
    EXPECT_DOUBLE_EQ(amount(rows["L218"], "local-tax"), 15.00);     // Jefferson County schools, Kentucky
    EXPECT_NEAR(amount(rows["L210"], "net-pay"),
                3000 - amount(rows["L210"], "fed-tax") - amount(rows["L210"], "ss-tax") -
                    amount(rows["L210"], "medicare-tax") - amount(rows["L210"], "state-tax") - 35.00,
                0.001);

    const Outcome list = run("--list NY");
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_NE(list.out.find("        2         2  New York City"), std::string::npos) << list.out;
    const Outcome none = run("--list CA");
    EXPECT_EQ(none.status, 2);
    const Outcome flags = run("--date 2026-03-13 --periods 26 --wages 3000 --w4-2020 --state MO --locality 2 --format json");
    EXPECT_EQ(flags.status, 0) << flags.err;
    EXPECT_NE(flags.out.find("\"local-tax\": 30.0"), std::string::npos) << flags.out;
}


// --- Canadian pays ---------------------------------------------------------------------------------------
// The amounts are worked from the published 2025 and 2026 rates: CPP 5.95 % above 3,500 / P, EI 1.64 %, the
// federal and provincial brackets, credits at the lowest rate on the claim amount, CPP and EI, the Canada
// employment amount (1,471 x 15 %).
//   C106 Ontario, 2,000 biweekly: CPP 0.0595 x (2000 - 134.62) = 110.99; EI 32.80; A = 52,000: federal
//     0.145 A - 0.15 (16,452 + 26 x 143.79 + 1,471) = 4,290.77 / 26 = 165.03; Ontario 0.0505 A - 0.0505 (12,989
//     + 3,738.54) = 1,781.26 plus the health premium 600: (4,290.77 + 2,381.26) / 26 = 256.62, less 165.03.
//   C107 Manitoba, 5,200 monthly with a 1,500 bonus: A 62,400, then 63,900 with the bonus: federal 0.205 A -
//     3,443 - credits gives 5,981.36 (498.45 a month), then 6,271.78: 290.42 on the bonus; CPP on the bonus
//     381.30 - 292.05, EI 24.60.
//   C201 / C202 Alberta, 2,500 biweekly, 18 and 25 July 2025: federal 0.205 A - 3,073 (then 3,729) - credits:
//     6,903.21 / 26 = 265.51, then 240.28; Alberta 10 % with the lowest rate 10 %, then 10 % - 2,400 with 10.8 %.
TEST(OrlaCalcCanada, SamplePayrollMatchesThePublishedRates) {
    const std::string sample = std::string(ORLA_EXAMPLES) + "/payroll-canada.csv";
    const Outcome result = run("--country CA --format csv " + sample);
    EXPECT_EQ(result.status, 1) << result.err;  // the Quebec pay fails
    EXPECT_NE(result.err.find(":11: pay failed, left out of the totals: QC: no provincial rows are carried for this province and year"),
              std::string::npos)
        << result.err;
    auto rows = parseOutput(result.out);
    EXPECT_EQ(rows.size(), 17u);  // sixteen pays and the total
    const struct {
        const char* id;
        const char* column;
        double expected;
    } kAmounts[] = {
        {"C106", "cpp-contribution", 110.99}, {"C106", "ei-premium", 32.80},   {"C106", "fed-tax", 165.03},
        {"C106", "prov-tax", 91.59},          {"C107", "fed-tax", 498.45},     {"C107", "bonus-fed-tax", 290.42},
        {"C107", "bonus-cpp", 89.25},         {"C107", "bonus-ei", 24.60},     {"C201", "fed-tax", 265.51},
        {"C201", "prov-tax", 145.97},         {"C202", "fed-tax", 240.28},     {"C202", "prov-tax", 45.34},
        {"C114", "ei-premium", 0.00},  // the year's maximum premium already paid
    };
    for (const auto& a : kAmounts) EXPECT_DOUBLE_EQ(amount(rows[a.id], a.column), a.expected) << a.id << " " << a.column;
    EXPECT_EQ(rows["C105"]["prov-status"], "1");
    // The failed Quebec pay stays out of the totals.
    double income = 0;
    for (auto& [id, row] : rows)
        if (id != "total" && id != "C105") income += amount(row, "taxable-income");
    EXPECT_DOUBLE_EQ(amount(rows["total"], "taxable-income"), income);
    const Outcome json = run("--country CA --format json " + sample + " 2>/dev/null");
    const auto parsed = nlohmann::json::parse(json.out);
    EXPECT_EQ(parsed["pays-failed"], 1);
    EXPECT_EQ(parsed["pays"].size(), 16u);
}

TEST(OrlaCalcCanada, PaysClaimCodesAndMistakes) {
    const std::string ontario = "--country CA --date 2026-03-13 --periods 26 --province ON --income 2000 ";
    const struct {
        std::string arguments;
        int status;
        std::string expected;  // in the output, or in the messages when the status is not 0
    } kCases[] = {
        {ontario, 0, "Provincial income tax (ON)                2000.00        91.59"},
        {ontario + "--fed-claim-amount 1000 --format json", 0, "\"fed-tax\": 254.18"},  // (4,290.77 + 2,317.80) / 26
        {"--country CA --date 2026-03-13 --periods 26 --province 2 --income 2000", 0, "province code 2"},
        {"--country CA --date 2026-03-13 --periods 0 --province ON --income 2000 --fed-claim-amount 1 --prov-claim-amount 1", 1,
         "pay periods must be at least 1"},
        {ontario + "--cpp-ytd -1", 1, "(cpp-ytd) are below 0"},
        {ontario + "--income -10", 1, "annual income below 0"},
        {"--country CA --date 2026-03-13 --periods 26 --province QC --income 2000", 1,
         "no provincial rows are carried for this province and year"},
        {"--country CA --date 2025-03-14 --periods 26 --province BC --income 2000 --fed-claim-amount 16129 --prov-claim-amount 12932", 1,
         "BC: no provincial rows are carried for this province and year"},
        {"--country CA --date 2025-03-14 --periods 26 --province ON --income 2000", 2, "fed-claim-amount is missing: no claim codes cover 2025-03-14"},
        {"--country CA --date 2026-03-13 --periods 26 --income 2000", 2, "province is missing"},
        {"--country CA --date 2026-03-13 --periods 26 --province XX --income 2000", 2, "unknown province 'XX'"},
        {"--date 2026-03-13 --periods 26 --province ON --income 2000", 2, "--province needs --country CA"},
        {"--country CA --date 2026-03-13 --periods 26 --province ON --wages 2000", 2, "--fed-wages does not apply to Canadian pays"},
        {"--claim-codes federal --date 2026-01-01 --net-income 300000", 0, "   3     17179.00     19529.00       18354.00"},
        {"--claim-codes on --date 2026-06-01", 0, "   1         0.00     12989.00       12989.00"},
        {"--claim-codes QC --date 2026-06-01", 2, "no claim codes of Quebec (QC) cover 2026-06-01"},
        {"--net-income 5", 2, "--net-income goes with --claim-codes"},
    };
    for (const auto& c : kCases) {
        const Outcome result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments << "\n" << result.err;
        const std::string& text = c.status == 0 ? result.out : result.err;
        EXPECT_NE(text.find(c.expected), std::string::npos) << c.arguments << "\n" << text;
    }
}

TEST(OrlaCalcCanada, BatchRowsAndHeader) {
    const std::string good = writeTemp("ca_batch.csv",
                                       "\xEF\xBB\xBF# comment\nID,Pay Date,pay-periods,taxable_income,province,bonus\n"
                                       "A1,2026-03-13,26,2000,ON,\r\nA2,2026-03-13,26,2000,ZZ,\n\nA3,2026-03-13,26,\"2,000\",7,0\n");
    const Outcome result = run("--country CA --format csv " + good);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("ca_batch.csv:4: column 5 (province): unknown province 'ZZ'"), std::string::npos) << result.err;
    auto rows = parseOutput(result.out);
    EXPECT_DOUBLE_EQ(amount(rows["A1"], "income-tax"), 256.62);
    EXPECT_DOUBLE_EQ(amount(rows["A3"], "income-tax"), 256.62);
    EXPECT_DOUBLE_EQ(amount(rows["total"], "income-tax"), 2 * 256.62);
    // Flags fill empty cells; a required column that no flag fills is a header error.
    const Outcome defaulted = run("--country CA --province ON --format json " + good + " 2>/dev/null");
    EXPECT_EQ(nlohmann::json::parse(defaulted.out)["pays-computed"], 2);
    const std::string noProvince = writeTemp("ca_header.csv", "pay-date,pay-periods,taxable-income\n2026-03-13,26,2000\n");
    const Outcome header = run("--country CA " + noProvince);
    EXPECT_EQ(header.status, 2);
    EXPECT_NE(header.err.find("ca_header.csv:1: no column province"), std::string::npos) << header.err;
    EXPECT_EQ(run("--country CA --province AB " + noProvince).status, 0);
    if (access("/dev/full", W_OK) == 0) {
        EXPECT_EQ(run("--country CA --province AB " + noProvince + " > /dev/full").status, 2);
    }
    std::remove(good.c_str());
    std::remove(noProvince.c_str());
}

}  // namespace
