// Other state levies: the Washington long-term-care premium, 0.58 % of every pay from July 2023 on, with
// no wage base and no exemption.
#include "levies/levies.h"

namespace orla {

namespace {

constexpr double kLongTermCareRate = 0.0058;

bool fromJuly2023(const CalcDate& d) { return d.year > 2023 || (d.year == 2023 && d.month >= 7); }

}  // namespace

int calcStateOther(StateOtherRecord* r) {
    if (r == nullptr) return 1;
    LEVY_OUT(r, status, 1);
    LEVY_OUT(r, premium, 0.0);
    if (LEVY_IN(r, stateCode) != ORLA_WA || LEVY_IN(r, levyKind) != ORLA_LEVY_LONG_TERM_CARE) return 0;

    const CalcDate payDate = LEVY_IN(r, payDate);
    const int periods = LEVY_IN(r, payPeriods);
    const double wages = LEVY_IN(r, wages);
    const double annual = fromJuly2023(payDate) ? periods * wages * kLongTermCareRate : 0.0;
    // The annual premium is spread over the pay periods; with fewer than one there is nothing to spread.
    const double premium = periods >= 1 && payDate.year >= 2022 ? roundCents(annual / periods) : 0.0;
    if (!finite(wages) || !finite(premium)) return 0;  // status stays 1
    LEVY_OUT(r, premium, premium);
    LEVY_OUT(r, status, 0);
    return 0;
}

}  // namespace orla

extern "C" ORLA_API int ORLA_CALL StateOther_Calc(StateOtherRecord* record) { return orla::calcStateOther(record); }
