// The straight-line test of the C-level step over: whether the code between two addresses can be
// passed with one temporary break at its end, because no instruction in it branches or returns.
#pragma once
#include <cstdint>

#include "model/disasm.h"

namespace yav {

// True when no instruction in [from, to) is a return (RTI, RTS), a conditional branch, a bit test
// and branch, a decrement or compare and branch (DBNZ, CBEQ, on both opcode pages). Calls and
// jumps do not count: the break at `to` catches their return.
bool straightLine(const CodeReader& code, uint32_t from, uint32_t to);

}  // namespace yav
