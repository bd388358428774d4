// Field access of the Pennsylvania, Ohio, Indiana and Kentucky local calculators.
#pragma once

#include <cstddef>

#include "local/local_calculators.h"

// Whether the declared size of a record holds the whole field; a field it does not hold is neither read
// (it counts as 0 or its stated default) nor written.
#define ORLA_HOLDS(record, Type, field) ::orla::holdsField(record, offsetof(Type, field), sizeof(Type::field))
