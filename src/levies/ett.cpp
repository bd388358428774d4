// California employment training tax: the wages of the pay up to the year's wage limit, at the table's rate.
#include "levies/levies.h"

namespace orla {

namespace {

constexpr EttRow kEtt[] = {
    {date(2026, 1, 1), date(2026, 12, 31), ORLA_CA, 0.001, 7000},
    {date(2025, 1, 1), date(2025, 12, 31), ORLA_CA, 0.001, 7000},
    {date(2024, 1, 1), date(2024, 12, 31), ORLA_CA, 0.001, 7000},
};
static_assert(std::size(kEtt) == 3);

}  // namespace

std::span<const EttRow> ettTable() { return kEtt; }

int calcEtt(EttRecord* r) {
    if (r == nullptr) return 1;
    LEVY_OUT(r, status, 0);
    LEVY_OUT(r, tax, 0.0);
    const double wages = LEVY_IN(r, wages);
    const double ytd = LEVY_IN(r, ytdWages);
    const CalcDate payDate = LEVY_IN(r, payDate);
    // Every row that covers the pay date applies in turn: the last one in stored order decides.
    const EttRow* row = nullptr;
    for (const EttRow& candidate : ettTable())
        if (rowCovers(candidate.from, candidate.to, payDate)) row = &candidate;
    const double tax = row != nullptr ? roundCents(capped(wages, ytd, row->wageLimit) * row->rate) : 0.0;
    if (row == nullptr || !finite(wages) || !finite(ytd) || !finite(tax)) {
        LEVY_OUT(r, status, 1);
        return 0;
    }
    LEVY_OUT(r, tax, tax);
    return 0;
}

}  // namespace orla

extern "C" ORLA_API int ORLA_CALL ETT_Calc(EttRecord* record) { return orla::calcEtt(record); }
