// What a declared record size holds, and which amounts a computation reads.
#pragma once

#include <cstddef>

#include "frame/common.h"

namespace orla {

// The number of leading bytes of the caller's record that its declared size holds: every field that
// ends within recordSize, never part of a field. The fields every call reads (a PayRecord through
// medicareTax, a StateRecord through stateTax) count as held whatever the size says.
std::size_t heldBytes(const PayRecord* pay);
std::size_t heldBytes(const StateRecord* state);

// The end of a field: a field exists when the declared size holds all of it.
#define ORLA_FIELD_END(Record, field) (offsetof(Record, field) + sizeof(Record::field))

// Whether the declared size reaches end, the end of a field (every family's records share the rule).
template <class Record>
constexpr bool holdsBytes(const Record* r, std::size_t end) {
    return r->recordSize >= 0 && static_cast<std::size_t>(r->recordSize) >= end;
}

// Whether the declared size holds the whole field at offset with size bytes.
template <class Record>
constexpr bool holdsField(const Record* r, std::size_t offset, std::size_t size) {
    return holdsBytes(r, offset + size);
}

// The amounts the federal part will read with the employee's elections are finite (a field the
// record does not hold reads as 0).
bool federalAmountsFinite(const PayRecord* pay);

// The amounts the state part of this jurisdiction will read are finite: the additional withholding
// always, and each calculator's own amounts. The federal-rule territories rerun the federal part:
// federalFinite is federalAmountsFinite(pay), which the caller has at hand.
bool stateAmountsFinite(const PayRecord* pay, const StateRecord* state, bool federalFinite);

}  // namespace orla
