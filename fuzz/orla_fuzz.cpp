// libFuzzer target: arbitrary bytes become the records of every export, recordSize included.
// Input layout: byte 0 chooses the export (modulo 13; 5 to 12 are the levies); for ORLA_Calc the next 4
// bytes are the mode, then the bytes of a PayRecord and of a StateRecord; for the other exports the
// bytes of their record. Missing bytes are zero. Every call is checked by the guards of tests/record_guard.h: no
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

void fail(const char* what, const std::string& fault) {
    std::fprintf(stderr, "orla_fuzz: %s: %s\n", what, fault.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned selector = data[0] % 13u;
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
        default: {
            const std::string fault = orla_guard::guardedBuildInfo();
            if (!fault.empty()) fail("ORLA_Get_Build_Info", fault);
            break;
        }
    }
    return 0;
}
