// The local calculators of Pennsylvania, Ohio, Indiana and Kentucky and the long locality lists of
// Pennsylvania, Ohio and Kentucky (their rows in src/local/locality_tables.h).
#pragma once

#include <cstddef>
#include <orla/orla.h>

namespace orla {

// Whether the declared size of a record holds the whole field at offset with size bytes; a field it does not
// hold is neither read (it counts as 0 or its stated default) nor written.
template <class Record>
constexpr bool holdsField(const Record* r, std::size_t offset, std::size_t size) {
    return r->recordSize >= 0 && static_cast<std::size_t>(r->recordSize) >= offset + size;
}
#define ORLA_HOLDS(record, Type, field) ::orla::holdsField(record, offsetof(Type, field), sizeof(Type::field))

// A local calculator returns 0 when the locality's row was found and the tax written, 1 when no row (or a
// rate-unknown row) matched; it leaves the rounding of localTax and the caller-rate override to the driver.
int calcPennsylvaniaLocal(PayRecord* pay, StateRecord* state, LocalRecord* local);
int calcOhioLocal(PayRecord* pay, StateRecord* state, LocalRecord* local);
int calcIndianaLocal(PayRecord* pay, StateRecord* state, LocalRecord* local);
int calcKentuckyLocal(PayRecord* pay, StateRecord* state, LocalRecord* local);

// A locality list: writes count, and for an index inside the list the entry's codes and its name (with a
// NUL, at most 50 characters); returns the characters written, or 0 when the index is outside the list.
// The list is chosen by prompt->listSelector (Pennsylvania 0 school districts, 1 municipalities; Ohio 0
// school districts, 1 municipalities; Kentucky 0 school districts, 1 cities, 2 counties).
int listPennsylvania(PromptRecord* prompt, char* name);
int listOhio(PromptRecord* prompt, char* name);
int listKentucky(PromptRecord* prompt, char* name);

// Copies parts into name as "first (second)" (or first alone when second is null), at most 50
// characters and a NUL; returns the characters written.
int writeListName(char* name, const char* first, const char* second);

}  // namespace orla
