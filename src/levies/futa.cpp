// Federal unemployment tax: the wages of the pay up to the year's wage base, at the employer's rate.
#include "levies/levies.h"

namespace orla {

namespace {

// The standard net rate column is kept as published; the rate applied is always the caller's.
constexpr FutaRow kFuta[] = {
    {date(2026, 1, 1), date(2026, 12, 31), 0, 0, 0.006, 7000},
    {date(2025, 1, 1), date(2025, 12, 31), 0, 0, 0.006, 7000},
    {date(2024, 1, 1), date(2024, 12, 31), 0, 0, 0.006, 7000},
};
static_assert(std::size(kFuta) == 3);

}  // namespace

std::span<const FutaRow> futaTable() { return kFuta; }

int calcFuta(FutaRecord* r) {
    if (r == nullptr) return 1;
    LEVY_OUT(r, status, 0);
    LEVY_OUT(r, tax, 0.0);
    const double wages = LEVY_IN(r, wages);
    const double ytd = LEVY_IN(r, ytdWages);
    const double rate = LEVY_IN(r, rate);
    const FutaRow* row = firstCovering(futaTable(), LEVY_IN(r, payDate));
    const double tax = row != nullptr ? roundCents(capped(wages, ytd, row->wageBase) * rate) : 0.0;
    // A non-finite amount read, or one that overflowed, computes nothing.
    if (row == nullptr || !finite(wages) || !finite(ytd) || !finite(rate) || !finite(tax)) {
        LEVY_OUT(r, status, 1);
        return 0;
    }
    LEVY_OUT(r, tax, tax);
    return 0;
}

}  // namespace orla

extern "C" ORLA_API int ORLA_CALL FUTA_Calc(FutaRecord* record) { return orla::calcFuta(record); }
