// Quebec income tax. The employment-deduction and bracket tables of Quebec hold no rows for the pay years
// this library serves, so every lookup fails: the tax of a pay is the additional tax asked for alone.
#include <cmath>

#include "canada/canada.h"
#include "frame/common.h"

extern "C" ORLA_API int ORLA_CALL ORLA_Canada_Quebec_Calc(int /*mode*/, QuebecRecord* qc) {
    using namespace orla::canada;
    if (qc == nullptr) return 1;
    const QuebecRecord in = heldCopy(qc);
    const double extra = std::isfinite(in.qcExtraPerPay) ? orla::roundCents(in.qcExtraPerPay) : 0.0;
    ORLA_CA_PUT(qc, QuebecRecord, qcTaxPerPay, std::isfinite(extra) ? extra : 0.0);
    ORLA_CA_PUT(qc, QuebecRecord, status, 1);
    return 1;
}
