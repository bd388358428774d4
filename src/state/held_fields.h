// Whether a declared record size holds a whole field: a field is read or written only then, and one the
// record does not hold counts as 0.
#pragma once

#include <cstddef>

namespace orla {

template <class Record>
constexpr bool holdsField(const Record* r, std::size_t offset, std::size_t size) {
    return r->recordSize >= 0 && static_cast<std::size_t>(r->recordSize) >= offset + size;
}

}  // namespace orla
