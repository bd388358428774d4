#include "local/local_registry.h"

#include <array>
#include <iterator>

#include "local/local_calculators.h"

namespace orla {

namespace {

struct Entry {
    int stateCode;
    LocalJurisdiction local;
};

// The eleven states with local taxes: calculator, whether ORLA_Calc_County runs it, lists. A calculator
// or list not built yet is nullptr (the override alone runs; ORLA_Get_Prompt answers 0).
constexpr Entry kLocalTaxes[] = {
    {ORLA_AL, {calcLocalAlabama, true, alabamaLocalityLists}},
    {ORLA_CO, {calcLocalColorado, true, coloradoLocalityLists}},
    {ORLA_DE, {calcLocalDelaware, false, delawareLocalityLists}},
    {ORLA_IN, {calcLocalIndiana, true, indianaLocalityLists}},
    {ORLA_KY, {calcLocalKentucky, true, kentuckyLocalityLists}},
    {ORLA_MD, {calcLocalMaryland, true, marylandLocalityLists}},
    {ORLA_MI, {calcLocalMichigan, true, michiganLocalityLists}},
    {ORLA_MO, {calcLocalMissouri, true, missouriLocalityLists}},
    {ORLA_NY, {calcLocalNewYork, true, newYorkLocalityLists}},
    {ORLA_OH, {calcLocalOhio, true, ohioLocalityLists}},
    {ORLA_PA, {calcLocalPennsylvania, false, pennsylvaniaLocalityLists}},
};
static_assert(std::size(kLocalTaxes) == 11);

// The entries by jurisdiction code (ORLA_AL ... ORLA_WY), so the dispatch costs one load.
constexpr int kLastCode = ORLA_WY;
constexpr auto kByCode = [] {
    std::array<const LocalJurisdiction*, kLastCode + 1> byCode{};
    for (const Entry& e : kLocalTaxes) byCode[static_cast<std::size_t>(e.stateCode)] = &e.local;
    return byCode;
}();

}  // namespace

const LocalJurisdiction* localJurisdiction(int stateCode) {
    if (stateCode < 0 || stateCode > kLastCode) return nullptr;
    return kByCode[static_cast<std::size_t>(stateCode)];
}

int localityListQuery(PromptRecord* prompt, char* name, std::span<const LocalityEntry> list) {
    const int count = static_cast<int>(list.size());
    prompt->count = count;
    const int index = prompt->index;
    if (index < 0 || index >= count) return 0;
    const LocalityEntry& e = list[static_cast<std::size_t>(index)];
    std::size_t n = 0;
    auto put = [&](const char* text) {
        for (; *text != '\0' && n < kMaxLocalityName; ++text) name[n++] = *text;
    };
    put(e.name);
    if (e.detail != nullptr) {
        put(" (");
        put(e.detail);
        put(")");
    }
    name[n] = '\0';
    prompt->listCode = e.listCode;
    prompt->calcCode = e.calcCode;
    return static_cast<int>(n);
}

int localityPrompt(PromptRecord* prompt, char* name) {
    const LocalJurisdiction* local = localJurisdiction(prompt->stateCode);
    if (local == nullptr || local->lists == nullptr) return 0;
    return localityListQuery(prompt, name, local->lists(prompt->listSelector));
}

}  // namespace orla
