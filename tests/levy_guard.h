// Guarded calls of the levy exports, shared by the levy tests, the fuzzer and the allocation sweep.
//
// Each call runs three times: in a guarded buffer at both placements (see record_guard.h: no byte may
// change outside an output field that the declared size holds, no output amount may end NaN or
// infinite), and in a heap block of exactly the declared size (at least the 4 bytes of recordSize), so
// that the address sanitizer catches any read or write past the declared size. The results must agree.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "record_guard.h"

namespace orla_guard {

// An output field: written only when the declared size holds all of it.
constexpr Writable levyOut(std::size_t offset, std::size_t size, bool amount = true) {
    return {offset, size, static_cast<int>(offset + size) - 1, amount};
}

template <class Record>
struct LevyTraits;

#define ORLA_LEVY_TRAITS(Record, Export, ...)                                          \
    template <>                                                                         \
    struct LevyTraits<Record> {                                                         \
        static constexpr const char* kName = #Export;                                   \
        static int call(Record* r) { return Export(r); }                                \
        static constexpr Writable kFields[] = {__VA_ARGS__};                            \
    };

ORLA_LEVY_TRAITS(FutaRecord, FUTA_Calc, levyOut(offsetof(FutaRecord, status), 4, false),
                 levyOut(offsetof(FutaRecord, tax), 8))
ORLA_LEVY_TRAITS(SuiRecord, SUI_Calc, levyOut(offsetof(SuiRecord, status), 4, false),
                 levyOut(offsetof(SuiRecord, tax), 8), levyOut(offsetof(SuiRecord, employeeTax), 8),
                 levyOut(offsetof(SuiRecord, wageBase), 8))
ORLA_LEVY_TRAITS(EttRecord, ETT_Calc, levyOut(offsetof(EttRecord, status), 4, false),
                 levyOut(offsetof(EttRecord, tax), 8))
ORLA_LEVY_TRAITS(SdiRecord, SDI_Calc, levyOut(offsetof(SdiRecord, status), 4, false),
                 levyOut(offsetof(SdiRecord, sdiTax), 8), levyOut(offsetof(SdiRecord, employerTax), 8))
ORLA_LEVY_TRAITS(FamilyLeaveRecord, FAMLEAVE_Calc, levyOut(offsetof(FamilyLeaveRecord, employeeAmount), 8),
                 levyOut(offsetof(FamilyLeaveRecord, shareInput), 8),
                 levyOut(offsetof(FamilyLeaveRecord, employerAmount), 8),
                 levyOut(offsetof(FamilyLeaveRecord, medicalRemainder), 8),
                 levyOut(offsetof(FamilyLeaveRecord, medicalByShare), 8))
ORLA_LEVY_TRAITS(TransitRecord, TT_Calc, levyOut(offsetof(TransitRecord, status), 4, false),
                 levyOut(offsetof(TransitRecord, transitTax), 8),
                 levyOut(offsetof(TransitRecord, employeeTransitTax), 8))
ORLA_LEVY_TRAITS(WorkCompRecord, WORKCOMP_Calc, levyOut(offsetof(WorkCompRecord, status), 4, false),
                 levyOut(offsetof(WorkCompRecord, employeeAmount), 8),
                 levyOut(offsetof(WorkCompRecord, employerAmount), 8))
ORLA_LEVY_TRAITS(StateOtherRecord, StateOther_Calc, levyOut(offsetof(StateOtherRecord, status), 4, false),
                 levyOut(offsetof(StateOtherRecord, premium), 8))
#undef ORLA_LEVY_TRAITS

// The levy export of the record on copies of it, guarded. Returns the fault, empty when none; result
// and out are those of the aligned placement.
template <class Record>
std::string guardedLevy(const Record& in, int* result = nullptr, Record* out = nullptr) {
    using T = LevyTraits<Record>;
    constexpr int count = static_cast<int>(sizeof T::kFields / sizeof T::kFields[0]);
    int first = 0;
    Record firstRecord{};
    for (std::size_t shift : {std::size_t{0}, std::size_t{4}}) {
        Guarded<Record> g(in, shift);
        const int rc = T::call(g.get());
        if (rc != 0 && rc != 1) return std::string(T::kName) + ": undocumented result";
        std::string fault = g.check(T::kName, T::kFields, count);
        if (!fault.empty()) return fault;
        const Record after = g.value();
        int status = 0;
        std::memcpy(&status, reinterpret_cast<const unsigned char*>(&after) + 4, sizeof status);
        if (T::kFields[0].offset == 4 && in.recordSize >= 8 && status != 0 && status != 1)
            return std::string(T::kName) + ": undocumented status";
        if (shift == 0) {
            first = rc;
            firstRecord = after;
        } else if (rc != first || std::memcmp(&after, &firstRecord, sizeof after) != 0) {
            return std::string(T::kName) + ": the results depend on where the record lies in memory";
        }
    }
    // A heap block of exactly the declared size: the sanitizer sees any access past it.
    const std::size_t declared = in.recordSize < 4 ? 4 : static_cast<std::size_t>(in.recordSize);
    auto* block = static_cast<unsigned char*>(std::malloc(declared));
    if (block == nullptr) return "no memory";
    std::memset(block, kPattern, declared);
    std::memcpy(block, &in, declared < sizeof(Record) ? declared : sizeof(Record));
    const int rc = T::call(reinterpret_cast<Record*>(block));
    const bool same = rc == first && std::memcmp(block, &firstRecord, declared < sizeof(Record) ? declared : sizeof(Record)) == 0;
    std::free(block);
    if (!same) return std::string(T::kName) + ": a record of exactly the declared size gives other results";
    if (result) *result = first;
    if (out) *out = firstRecord;
    return {};
}

// A levy record of the fuzzer's bytes: which selects the export (0 to 7).
inline std::string guardedLevyFromBytes(unsigned which, const std::uint8_t* data, std::size_t size) {
    const auto take = [&](auto record) {
        std::memcpy(&record, data, size < sizeof record ? size : sizeof record);
        // The declared size must stay within the bytes the host owns: the whole struct here.
        if (record.recordSize > static_cast<int>(sizeof record)) record.recordSize = static_cast<int>(sizeof record);
        return guardedLevy(record);
    };
    switch (which % 8u) {
        case 0: return take(FutaRecord{});
        case 1: return take(SuiRecord{});
        case 2: return take(EttRecord{});
        case 3: return take(SdiRecord{});
        case 4: return take(FamilyLeaveRecord{});
        case 5: return take(TransitRecord{});
        case 6: return take(WorkCompRecord{});
        default: return take(StateOtherRecord{});
    }
}

}  // namespace orla_guard
