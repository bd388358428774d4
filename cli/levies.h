// The employer-side and other payroll levies of a pay (--levies): federal and state unemployment, the
// training tax, disability insurance, paid family and medical leave, transit taxes, the workers'
// compensation assessment and the Washington long-term-care premium, each through its export.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include <orla/orla.h>

namespace CLI {
class App;
}

namespace orla_cli {

// What the levies need beyond the pay, the same for every pay of a run (flags).
struct LevySettings {
    double futaRate = 0.006;          // the federal unemployment rate after the full credit
    double suiRate = 0.0;             // the employer's assigned state unemployment rate
    double sdiEmployerRate = 0.0;     // rate of New Jersey's employer-side disability levy
    double leaveEmployerShare = 0.5;  // the employer's share of a paid-leave contribution
    double employees = 50;            // the employer's number of employees (paid-leave rates)
    double transitRate = 0.0;         // a local transit tax rate
    double hours = 0.0;               // hours worked in the pay (workers' compensation)
};

// The amounts, in the order of kLevyNames.
constexpr std::size_t kLevyCount = 13;
extern const std::array<std::string_view, kLevyCount> kLevyNames;

struct LevyResult {
    bool computed = false;
    std::array<double, kLevyCount> amounts{};
    bool suiHasRow = false;  // the jurisdiction has a state unemployment row for the date
};

// Adds --levies and the levy settings to the command line.
void addLevyOptions(CLI::App& app, LevySettings& settings, bool& enabled);

// Every levy of the pay: the wages of the pay (bonus included) against the social security wages of the
// year so far, in the jurisdiction of the state record.
LevyResult computeLevies(const LevySettings& settings, const PayRecord& pay, const StateRecord& state);

}  // namespace orla_cli
