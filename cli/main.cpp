// orla-calc: payroll withholding of one pay from flags, or of a CSV batch, through the library's C interface.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include "batch.h"
#include "canada.h"
#include "calc.h"
#include "fields.h"
#include "format.h"
#include "generate.h"
#include "levies.h"
#include "statuses.h"
#include "local.h"

namespace {

using namespace orla_cli;

struct ModeName {
    std::string_view name;
    int mode;
};

constexpr ModeName kModes[] = {
    {"federal", ORLA_MODE_FEDERAL},           {"full", ORLA_MODE_FULL},
    {"employer", ORLA_MODE_FEDERAL_EMPLOYER}, {"gross-up-net", ORLA_MODE_GROSS_UP_WAGES},
    {"gross-up-bonus", ORLA_MODE_GROSS_UP_BONUS},
};

bool parseMode(const std::string& text, int& mode) {
    for (const ModeName& m : kModes)
        if (text == m.name || text == std::to_string(m.mode)) return mode = m.mode, true;
    return false;
}

std::string flagNames(const Field& field) {
    std::string names = "--" + std::string(field.name);
    if (!field.alias.empty()) names += ",--" + std::string(field.alias);
    return names;
}

void printVersion() {
    char build[21] = {};
    ORLA_Get_Build_Info(build);
    fmt::print("orla-calc: library interface {:.1f}, tables {:.0f}, library built {}\n", ORLA_Version(),
               ORLA_Table_Version(), build);
}

// Every way out of a run that wrote to standard output passes here: an output that could not be
// written in full (a full disk, a closed pipe) turns any status into 2.
int finish(int status) {
    std::cout.flush();
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0 || !std::cout.good();
    if (!failed) return status;
    fmt::print(stderr, "orla-calc: cannot write the output: {}\n", std::strerror(errno != 0 ? errno : EIO));
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Payroll tax withholding of one pay (from the flags) or of a batch (a CSV file, - for standard input)."};
    app.footer(
        "A batch has one pay per line; its columns are named like the flags without the dashes (fed-wages, state, ...),\n"
        "plus an optional id column. Flags given with a batch are defaults for its empty cells.\n"
        "Required, as a flag or a column: pay-date, pay-periods, fed-wages; state-code unless --mode federal or\n"
        "employer; supp-wages with --gross-up bonus. Defaults: fed-filing-status single; fica-wages and state-wages\n"
        "the fed-wages; state-pay-periods the pay-periods; medicare-ytd-wages the ss-ytd-wages; state-supp-wages\n"
        "the supp-wages; record sizes the full records; every other amount, count and switch 0.\n"
        "Exit status: 0 every pay computed; 1 some rows were bad and skipped, or some pays failed (a tax the\n"
        "library could not compute: reported on stderr and left out of the totals); 2 unusable arguments, header\n"
        "or input, or output that could not be written.\n"
        "With --country CA a pay or batch is Canadian: the flags of the group 'Canadian pays' (pay-date, pay-periods\n"
        "and bonus are shared); required: pay-date, pay-periods, province, taxable-income.");
    app.option_defaults()->always_capture_default()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);

    std::string file;
    std::string format = "table";
    std::string modeText;
    std::string grossUp;
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    long generateCount = -1;
    app.add_option("file", file, "CSV file of pays, or - for standard input");
    app.add_option("--format", format, "output: table, csv or json")->check(CLI::IsMember({"table", "csv", "json"}));
    app.add_option("--mode", modeText,
                   "federal (0), full (1, the default), employer (2: federal only, employer's social security), "
                   "gross-up-net (11), gross-up-bonus (12)");
    app.add_option("--gross-up", grossUp, "net: find the wages whose net pay is --fed-wages; bonus: find the bonus whose net is --supp-wages")
        ->check(CLI::IsMember({"net", "bonus"}));
    app.add_option("--jobs", threads, "threads for a batch")->check(CLI::Range(1u, 64u));
    bool version = false;
    app.add_flag("--version", version, "print the library's interface version, table year and build stamp");
    std::string listStatuses;
    app.add_option("--list-statuses", listStatuses, "list a state's filing-status codes (CA, 6, ...; all for every state)");
    app.add_option("--generate", generateCount, "")->group("");  // writes a generated payroll for measuring
    std::vector<std::string> listArguments;
    app.add_option("--list", listArguments, "print the locality list of a state (and a selector: Kentucky, Ohio, Pennsylvania)")
        ->expected(1, 2)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    LevySettings levySettings;
    bool levies = false;
    addLevyOptions(app, levySettings, levies);

    // By address: a field's place in its table is its index in PayInput::given.
    std::vector<const Field*> allFields;
    for (const Field& f : fields()) allFields.push_back(&f);
    for (const Field& f : localFields()) allFields.push_back(&f);
    std::vector<std::string> values(allFields.size());
    std::vector<CLI::Option*> options(allFields.size());
    for (std::size_t i = 0; i < allFields.size(); ++i) {
        const Field& field = *allFields[i];
        const std::string group = field.target == Target::Pay     ? "Pay and federal elections"
                                  : field.target == Target::Local ? "Local tax (computed when a local flag is given)"
                                                                  : "State elections";
        options[i] = field.kind == Kind::Switch ? app.add_flag(flagNames(field), values[i], std::string(field.help))
                                                : app.add_option(flagNames(field), values[i], std::string(field.help));
        options[i]->group(group);
    }
    CanadaOptions canada;
    addCanadaOptions(app, canada);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help is a "parse error" that exits 0; real ones share the usage status.
        return finish(app.exit(e) == 0 ? kExitOk : kExitUsage);
    }

    if (version) {
        printVersion();
        return finish(kExitOk);
    }
    const Format outputFormat = format == "csv" ? Format::Csv : format == "json" ? Format::Json : Format::Table;
    if (int status = 0; runCanada(app, canada, file, outputFormat, status)) return finish(status);
    if (!listArguments.empty()) return finish(printLocalityList(listArguments, stdout, stderr));
    if (!listStatuses.empty()) {
        std::string text;
        if (!listStateStatuses(listStatuses, text)) {
            fmt::print(stderr, "orla-calc: --list-statuses: {}\n", text);
            return kExitUsage;
        }
        fmt::print("{}", text);
        return finish(kExitOk);
    }
    if (generateCount >= 0) {
        generatePayroll(generateCount, stdout);
        return finish(kExitOk);
    }

    int mode = ORLA_MODE_FULL;
    if (!modeText.empty() && !parseMode(modeText, mode)) {
        fmt::print(stderr, "orla-calc: --mode: unknown mode '{}' (federal, full, employer, gross-up-net, gross-up-bonus or 0, 1, 2, 11, 12)\n",
                   printable(modeText));
        return kExitUsage;
    }
    if (!grossUp.empty()) {
        const int grossUpMode = grossUp == "net" ? ORLA_MODE_GROSS_UP_WAGES : ORLA_MODE_GROSS_UP_BONUS;
        if (!modeText.empty() && mode != grossUpMode) {
            fmt::print(stderr, "orla-calc: --gross-up {} contradicts --mode {}\n", grossUp, modeText);
            return kExitUsage;
        }
        mode = grossUpMode;
    }

    PayInput defaults;
    for (std::size_t i = 0; i < allFields.size(); ++i) {
        if (options[i]->count() == 0) continue;
        // A switch given without a value reads "true".
        std::string error;
        if (!setField(*allFields[i], values[i], defaults, error)) {
            fmt::print(stderr, "orla-calc: --{}: {}\n", allFields[i]->name, error);
            return kExitUsage;
        }
    }

    if (!file.empty()) {
        BatchSettings settings;
        settings.mode = mode;
        settings.format = outputFormat;
        settings.defaults = defaults;
        settings.threads = threads;
        if (levies) settings.levies = &levySettings;
        settings.sourceName = file == "-" ? "<stdin>" : file;
        std::FILE* in = file == "-" ? stdin : std::fopen(file.c_str(), "rb");
        if (in == nullptr) {
            fmt::print(stderr, "orla-calc: cannot open {}: {}\n", file, std::strerror(errno));
            return kExitUsage;
        }
        const int status = runBatch(in, stdout, stderr, settings);
        if (in != stdin) std::fclose(in);
        return status == kExitUsage ? status : finish(status);
    }

    if (defaults.given.none()) {
        fmt::print(stderr, "orla-calc: nothing to calculate: give a pay (--date, --periods, --wages, ...) or a CSV file; see --help\n");
        return kExitUsage;
    }
    std::string error;
    if (!completeInput(defaults, mode, error)) {
        // The messages name fields; here they were meant as flags.
        fmt::print(stderr, "orla-calc: --{}\n", error);
        return kExitUsage;
    }
    PayResult result = calculate(defaults, mode);
    if (levies) result.levies = computeLevies(levySettings, result.pay, result.state);
    if (outputFormat == Format::Json) fmt::print("{}\n", payJson(result).dump(2));
    else if (outputFormat == Format::Csv) {
        const BatchWriter writer(Format::Csv, false, levies);
        std::string out = writer.header();
        writer.row(out, 1, "", result);
        fmt::print("{}", out);
    } else fmt::print("{}", describePay(result));
    if (result.failed()) {
        std::string notes;
        for (const std::string& note : explain(result)) notes += (notes.empty() ? "" : "; ") + note;
        fmt::print(stderr, "orla-calc: the pay failed: {}\n", notes);
        return finish(kExitIncomplete);
    }
    return finish(kExitOk);
}
