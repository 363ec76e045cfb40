// A value's printed form as text, aggregates written out (struct members, array addresses)
// instead of going to the aggregate window.
#pragma once
#include <string>

#include "engine/kernel.h"
#include "model/value.h"

namespace yav {

std::string printedValue(Kernel& k, const ValueRecord& v, char letter);

}  // namespace yav
