#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "local_records.h"

// The local exports write nothing a short record does not hold and leave no amount NaN or infinite.
namespace orla {
namespace {

using testing::LocalCall;

constexpr unsigned char kPattern = 0xA5;

TEST(LocalGuard, NothingWrittenPastTheDeclaredSize) {
    const int states[] = {ORLA_AL, ORLA_CO, ORLA_DE, ORLA_IN, ORLA_KY, ORLA_MD,
                          ORLA_MI, ORLA_MO, ORLA_NY, ORLA_OH, ORLA_PA, ORLA_CA};
    const int sizes[] = {140, 152, 156, 160, 163, 164, 168, 171, 172, 176, 179, 180};
    for (const int state : states) {
        for (const int code : {0, 1, 2, 4, 8, 19}) {
            for (const int size : sizes) {
                for (const int mode : {ORLA_MODE_FULL, ORLA_MODE_GROSS_UP_WAGES}) {
                    LocalCall call(state, date(2026, 6, 15), 26, 2000, code);
                    call.local.localResident = code % 2;
                    call.local.localSuppWages = 500;
                    call.local.localSuppAggregate = code % 2;
                    call.local.workLocalityCode = 4;
                    call.local.localTaxType = 1;
                    // The bytes the record does not hold, from 140 (past the supplemental wages) on.
                    auto* bytes = reinterpret_cast<unsigned char*>(&call.local);
                    for (std::size_t k = static_cast<std::size_t>(size); k < sizeof(LocalRecord); ++k)
                        if (k >= 140) bytes[k] = kPattern;
                    call.local.recordSize = size;
                    call.calcLocal(mode);
                    for (std::size_t k = static_cast<std::size_t>(size); k < sizeof(LocalRecord); ++k) {
                        if (k < 140) continue;
                        ASSERT_EQ(bytes[k], kPattern)
                            << state << " code " << code << " size " << size << " mode " << mode << " byte " << k;
                    }
                    EXPECT_TRUE(std::isfinite(call.local.localTax));
                    EXPECT_TRUE(std::isfinite(call.local.workLocalityTax));
                    EXPECT_TRUE(std::isfinite(call.local.localWages));
                    if (size >= 164) {
                        EXPECT_TRUE(std::isfinite(call.local.localSuppTax));
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace orla
