// The information exports: versions, build stamp, table values and the locality lists.
#include <cstring>

#include "federal/federal.h"
#include "frame/common.h"
#include "local/local_registry.h"

namespace {
// __DATE__ is "Mmm dd yyyy" with the day padded by a blank, __TIME__ "hh:mm:ss": together the
// 20-character build stamp, fixed when this file is compiled.
constexpr char kBuildStamp[] = __DATE__ " " __TIME__;
static_assert(sizeof(kBuildStamp) == 21, "the build stamp is 20 characters and a NUL");
}  // namespace

extern "C" ORLA_API double ORLA_CALL ORLA_Version(void) { return 3.5; }

extern "C" ORLA_API double ORLA_CALL ORLA_Table_Version(void) { return orla::roundCents(2026.0); }

extern "C" ORLA_API int ORLA_CALL ORLA_Get_Build_Info(char* text) {
    if (text == nullptr) return 1;
    std::memcpy(text, kBuildStamp, sizeof(kBuildStamp));
    return 0;
}

extern "C" ORLA_API int ORLA_CALL ORLA_Get_Table_Info(TableInfoRecord* info) {
    if (info == nullptr) return 3;
    info->infoValue = 0.0;
    if (info->infoKind != ORLA_INFO_SS_WAGE_BASE) return 1;
    const double base = orla::ssWageBaseFor(info->infoDate);
    if (base < 0) return 2;
    info->infoValue = base;
    return 0;
}

extern "C" ORLA_API int ORLA_CALL ORLA_Get_Prompt(PromptRecord* prompt, char* name) {
    if (prompt == nullptr || name == nullptr) return 0;
    // The states with local taxes answer from their locality lists; every other code has none.
    return orla::localityPrompt(prompt, name);
}
