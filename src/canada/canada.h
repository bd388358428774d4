// Internal interface of the Canadian calculations and the record helpers they share.
#pragma once

#include <orla/orla.h>

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <span>

#include "canada/canada_tables.h"
#include "frame/records.h"
#include "frame/run_index.h"

namespace orla::canada {

// The size a record declares, read without binding a reference to the packed record.
template <class Record>
int declaredSize(const Record* r) {
    int size = 0;
    std::memcpy(&size, r, sizeof size);
    return size;
}


// The caller's record as far as it is declared, every field it does not hold read as 0.
template <class Record>
Record heldCopy(const Record* r) {
    Record local;
    const int declared = declaredSize(r);
    if (declared >= static_cast<int>(sizeof local)) {
        std::memcpy(&local, r, sizeof local);
        return local;
    }
    std::memset(&local, 0, sizeof local);
    if (declared > 0) std::memcpy(&local, r, static_cast<std::size_t>(declared));
    return local;
}

// Whether two tables have the same rows' dates in the same order (a first-covering lookup then finds
// the same position in both).
template <class A, class B>
constexpr bool sameDates(const A& a, const B& b) {
    if (std::size(a) != std::size(b)) return false;
    for (std::size_t i = 0; i < std::size(a); ++i)
        if (a[i].from.year != b[i].from.year || a[i].from.month != b[i].from.month || a[i].from.day != b[i].from.day ||
            a[i].to.year != b[i].to.year || a[i].to.month != b[i].to.month || a[i].to.day != b[i].to.day)
            return false;
    return true;
}

// Rows that run whole calendar years (runsCalendarYear): of them only the rows of the pay's year cover a
// pay date of a real month and day (other dates take the plain scan).

// The pension rows (and the yearly rows beside them) run calendar years, newest first, one after another.
constexpr bool calendarYearsNewestFirst() {
    for (std::size_t i = 0; i < std::size(kPension); ++i)
        if (!runsCalendarYear(kPension[i].from, kPension[i].to) ||
            kPension[i].from.year != kPension[0].from.year - static_cast<int>(i))
            return false;
    return true;
}
static_assert(calendarYearsNewestFirst(), "the pension rows run calendar years, newest first");

// The position of the first pension row in stored order that covers d, or -1.
inline int pensionYear(const CalcDate& d) {
    if (realMonthAndDay(d)) {
        const long long i = static_cast<long long>(kPension[0].from.year) - d.year;
        return i >= 0 && i < static_cast<long long>(std::size(kPension)) ? static_cast<int>(i) : -1;
    }
    for (std::size_t i = 0; i < std::size(kPension); ++i)
        if (rowCovers(kPension[i].from, kPension[i].to, d)) return static_cast<int>(i);
    return -1;
}

inline bool sameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// roundCents(x) for an amount that is often 0, which rounds to 0 (either zero gives +0).
inline double roundCentsOrZero(double x) { return x == 0 ? 0.0 : roundCents(x); }

// The rounded difference a - b of two amounts; 0 without the rounding when they are the same.
inline double centsDifference(double a, double b) { return sameBits(a, b) ? 0.0 : roundCents(a - b); }

// Writes a field only when the declared record holds it.
template <class Record, class T>
void put(Record* r, std::size_t offset, T value) {
    if (::orla::holdsField(r, offset, sizeof value)) std::memcpy(reinterpret_cast<unsigned char*>(r) + offset, &value, sizeof value);
}

#define ORLA_CA_HOLDS(rec, Type, field) ::orla::holdsField(rec, offsetof(Type, field), sizeof(Type::field))
#define ORLA_CA_PUT(rec, Type, field, value) \
    ::orla::canada::put<Type, decltype(Type::field)>(rec, offsetof(Type, field), value)

// A provincial table in runs of rows of one province and dates: find returns the first match of the plain
// scan in stored order, each province's runs found by its code rather than by a search of the provinces.
constexpr int kProvinceCodes = ORLA_CA_NU + 1;

template <class Table>
constexpr auto provinceRuns(const Table& table) {
    return runIndexBy<CodesBelow<kProvinceCodes>>(table, [](const auto& r) { return r.province; });
}

// The provincial calculation of one pay with the pension contribution and insurance premium of block.
// Writes the held outputs of prov and returns the annual provincial tax of the regular pay (0 when the
// calculation could not run); failed is set when a lookup failed or the record cannot be computed.
double provincialTax(ProvinceRecord* prov, const double block[3], bool& failed);

// The number of steps of the pension walk over room dollars: the count of k_j <= room for k_0 = 0,
// k_(j+1) = fl(k_j + 0.01); INT64_MAX where k stops growing at or below room.
std::int64_t centSteps(double room);

// The pension total after the cent-by-cent walk over g dollars of pensionable earnings from ytd.
double pensionTotal(double ytd, double g, const PensionRow& row, int periods);

// The first labour-fund row in stored order of the province that covers d, or nullptr.
const ProvincialRateRow* labourFundRow(const CalcDate& d, int province);

// Clears the outputs prov holds (status, provAnnualTax, provBonusTax).
void clearProvincialOutputs(ProvinceRecord* prov);

}  // namespace orla::canada
