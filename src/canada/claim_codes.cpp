// The TD1 claim codes: the income range and claim amount of a code for the federal level or a province.
// Where the basic personal amount falls with net income (federal, Nova Scotia and Yukon; Manitoba from
// 2025), the codes are worked out from the employee's expected net income.
#include <cmath>

#include "canada/canada.h"
#include "canada/canada_tables.h"

namespace orla::canada {
namespace {

bool incomeTested(int year, int province) {
    return (year >= 2021 && (province == ORLA_CA_FEDERAL || province == ORLA_CA_NS || province == ORLA_CA_YT)) ||
           (year >= 2025 && province == ORLA_CA_MB);
}

const ClaimReductionRow* reductionRow(const CalcDate& d, int province) {
    for (const ClaimReductionRow& r : kClaimReductions)
        if (r.province == province && rowCovers(r.from, r.to, d)) return &r;
    return nullptr;
}

double basicAmount(const ClaimReductionRow& r, double netIncome) {
    if (netIncome <= r.lowerThreshold) return r.maxBasic;
    if (netIncome >= r.upperThreshold) return r.minBasic;
    const double rate = r.reductionRate != 0 ? r.reductionRate : r.numerator / r.denominator;
    return r.maxBasic - (netIncome - r.lowerThreshold) * rate;
}

struct Range {
    double low;
    double high;
    double amount;
};

void write(ClaimCodeRecord* cc, const Range& range) {
    ORLA_CA_PUT(cc, ClaimCodeRecord, rangeLow, range.low);
    ORLA_CA_PUT(cc, ClaimCodeRecord, rangeHigh, range.high);
    ORLA_CA_PUT(cc, ClaimCodeRecord, claimAmount, range.amount);
}

int fail(ClaimCodeRecord* cc) {
    ORLA_CA_PUT(cc, ClaimCodeRecord, status, 1);
    return 1;
}

}  // namespace
}  // namespace orla::canada

extern "C" ORLA_API int ORLA_CALL ORLA_Canada_Get_CC(int /*mode*/, ClaimCodeRecord* cc) {
    using namespace orla::canada;
    if (cc == nullptr) return 1;
    ORLA_CA_PUT(cc, ClaimCodeRecord, status, 0);
    write(cc, Range{0, 0, 0});
    const ClaimCodeRecord in = heldCopy(cc);
    const CalcDate day = in.infoDate;
    // The income-tested levels need the net income: a record that holds it gets them (the field is the
    // record's last, so every record of the full size does).
    const bool tested = ORLA_CA_HOLDS(cc, ClaimCodeRecord, netIncome) && incomeTested(day.year, in.provinceCode);

    for (const ClaimCodeRow& row : kClaimCodes) {
        if (row.province != in.provinceCode || !orla::rowCovers(row.from, row.to, day)) continue;
        if (tested) {
            // Without a reduction row for the date the level's codes are the table's own.
            if (const ClaimReductionRow* r = reductionRow(day, in.provinceCode)) {
                if (!std::isfinite(in.netIncome)) return fail(cc);
                const double b = basicAmount(*r, in.netIncome);
                const double w = r->codeWidth;
                const int n = in.claimCode;
                if (n == 0) {
                    write(cc, Range{0, 0, 0});
                } else if (n == 1) {
                    write(cc, Range{0, b, b});
                } else if (n >= 2 && n <= 11) {
                    const double low = b + (n - 2) * w;
                    write(cc, Range{low, b + (n - 1) * w, low + w / 2});
                } else {
                    return fail(cc);
                }
                return 0;
            }
        }
        if (row.code == in.claimCode) {
            write(cc, Range{row.low, row.high, row.amount});
            return 0;
        }
    }
    return fail(cc);
}
