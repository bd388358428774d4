// libFuzzer target: arbitrary bytes become the records of every export, recordSize included.
// Input layout: byte 0 chooses the export (modulo 17; 5 to 12 are the levies, 13 to 16 the Canadian
// exports); for ORLA_Calc the next 4 bytes are the mode, then the bytes of a PayRecord and of a
// StateRecord; for the Canadian exports the next 4 bytes are the mode, then their records
// (ORLA_Canada_Calc: a CanadaRecord and a ProvinceRecord; ORLA_Canada_Provincial_Calc: a
// ProvinceRecord and the three doubles of its block); for the other exports the bytes of their
// record. Missing bytes are zero. Every call is checked by the guards of tests/record_guard.h: no
// byte written outside the outputs the declared size allows, none beyond the struct, no output
// amount left NaN or infinite, only documented statuses. The sanitizers catch the rest. A failed
// check aborts, which libFuzzer reports as a crash and saves as a reproducer; add reproducers to
// fuzz/corpus, which the ordinary tests replay (fuzz_replay).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "levy_guard.h"
#include "record_guard.h"

namespace {

// Copies up to sizeof(T) bytes from the input into a zeroed T and advances the input.
template <class T>
T take(const std::uint8_t*& data, std::size_t& size) {
    T value;
    std::memset(&value, 0, sizeof value);
    const std::size_t n = size < sizeof value ? size : sizeof value;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

// The three doubles of ORLA_Canada_Provincial_Calc's block.
struct Block {
    double values[3];
};

void fail(const char* what, const std::string& fault) {
    std::fprintf(stderr, "orla_fuzz: %s: %s\n", what, fault.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned selector = data[0] % 17u;
    ++data;
    --size;
    switch (selector) {
        case 0: {
            const int mode = take<int>(data, size);
            const PayRecord pay = take<PayRecord>(data, size);
            const StateRecord state = take<StateRecord>(data, size);
            const orla_guard::CalcResult r = orla_guard::guardedCalc(mode, pay, state);
            if (!r.fault.empty()) fail("ORLA_Calc", r.fault);
            break;
        }
        case 1: {
            const std::string fault = orla_guard::guardedAeic(take<AeicRecord>(data, size));
            if (!fault.empty()) fail("ORLA_AEIC_Calc", fault);
            break;
        }
        case 2: {
            const std::string fault = orla_guard::guardedTableInfo(take<TableInfoRecord>(data, size));
            if (!fault.empty()) fail("ORLA_Get_Table_Info", fault);
            break;
        }
        case 3: {
            const std::string fault = orla_guard::guardedPrompt(take<PromptRecord>(data, size));
            if (!fault.empty()) fail("ORLA_Get_Prompt", fault);
            break;
        }
        case 5: case 6: case 7: case 8: case 9: case 10: case 11: case 12: {
            const std::string fault = orla_guard::guardedLevyFromBytes(selector - 5, data, size);
            if (!fault.empty()) fail("levy", fault);
            break;
        }
        case 13: {
            const int mode = take<int>(data, size);
            const CanadaRecord pay = take<CanadaRecord>(data, size);
            const std::string fault = orla_guard::guardedCanadaCalc(mode, pay, take<ProvinceRecord>(data, size));
            if (!fault.empty()) fail("ORLA_Canada_Calc", fault);
            break;
        }
        case 14: {
            const int mode = take<int>(data, size);
            const ProvinceRecord prov = take<ProvinceRecord>(data, size);
            const Block block = take<Block>(data, size);
            const std::string fault = orla_guard::guardedCanadaProvincial(mode, prov, block.values);
            if (!fault.empty()) fail("ORLA_Canada_Provincial_Calc", fault);
            break;
        }
        case 15: {
            const int mode = take<int>(data, size);
            const std::string fault = orla_guard::guardedCanadaClaimCode(mode, take<ClaimCodeRecord>(data, size));
            if (!fault.empty()) fail("ORLA_Canada_Get_CC", fault);
            break;
        }
        case 16: {
            const int mode = take<int>(data, size);
            const std::string fault = orla_guard::guardedCanadaQuebec(mode, take<QuebecRecord>(data, size));
            if (!fault.empty()) fail("ORLA_Canada_Quebec_Calc", fault);
            break;
        }
        default: {
            const std::string fault = orla_guard::guardedBuildInfo();
            if (!fault.empty()) fail("ORLA_Get_Build_Info", fault);
            break;
        }
    }
    return 0;
}
