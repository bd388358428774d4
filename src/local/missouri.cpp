// Missouri: the earnings taxes of St Louis and Kansas City, 1% of the local wages.
#include "local/local_calculators.h"

namespace orla {

namespace {
constexpr int kStLouis = 1;
constexpr int kKansasCity = 2;
constexpr double kRate = 0.01;
}  // namespace

int calcLocalMissouri(PayRecord*, StateRecord*, LocalRecord* local) {
    if (local->localityCode == kStLouis || local->localityCode == kKansasCity) {
        local->localTax = kRate * local->localWages + local->localExtraWithholding;
        if (hasLocalSuppTax(local)) local->localSuppTax = kRate * local->localSuppWages;
    } else {
        local->localTax = local->localExtraWithholding;
    }
    return 0;
}

}  // namespace orla
