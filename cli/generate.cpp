#include "generate.h"

#include <array>
#include <random>
#include <string>

#include <fmt/format.h>

namespace orla_cli {

void generatePayroll(long count, std::FILE* out) {
    struct Frequency {
        int periods;
        double typicalWages;
    };
    constexpr std::array<Frequency, 5> kFrequencies = {{{52, 1100}, {26, 2300}, {24, 2500}, {12, 5200}, {1, 62000}}};
    constexpr std::array<const char*, 10> kStates = {"TX", "FL", "WA", "CA", "NY", "PA", "OH", "GU", "VI", "MP"};
    constexpr std::array<const char*, 4> kStatuses = {"single", "married", "head-of-household", "married-single-rate"};
    // Fixed seed: the same file every time, so measurements compare.
    std::mt19937_64 random(20260315);
    std::string buffer;
    buffer.reserve(std::size_t{1} << 20);
    buffer += "id,pay-date,pay-periods,fed-filing-status,w4-form2020,w4-multiple-jobs,fed-allowances,w4-credits,"
              "fed-wages,ss-ytd-wages,supp-wages,supp-aggregate,state\n";
    for (long i = 0; i < count; ++i) {
        const Frequency& frequency = kFrequencies[random() % kFrequencies.size()];
        const bool form2020 = random() % 3 != 0;
        const double wages = static_cast<double>(frequency.typicalWages * (0.4 + static_cast<double>(random() % 2000) / 1000.0));
        const int month = static_cast<int>(random() % 12) + 1;
        const double ytd = wages * (frequency.periods * (month - 1) / 12);
        const bool bonus = random() % 10 == 0;
        fmt::format_to(std::back_inserter(buffer), "E{:07},2026-{:02}-{:02},{},{},{},{},{},{},{:.2f},{:.2f},{},{},{}\n", i,
                       month, static_cast<int>(random() % 28) + 1, frequency.periods, kStatuses[random() % kStatuses.size()],
                       form2020 ? 1 : 0, form2020 && random() % 5 == 0 ? 1 : 0, form2020 ? 0 : static_cast<int>(random() % 4),
                       form2020 ? static_cast<int>(random() % 3) * 2000 : 0, wages, ytd, bonus ? 1000.0 : 0.0,
                       bonus ? 1 : 0, kStates[random() % kStates.size()]);
        if (buffer.size() > (std::size_t{1} << 20) - 256) {
            std::fwrite(buffer.data(), 1, buffer.size(), out);
            buffer.clear();
        }
    }
    std::fwrite(buffer.data(), 1, buffer.size(), out);
    std::fflush(out);
}

}  // namespace orla_cli
