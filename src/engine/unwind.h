// The call stack read from the target's stack: each routine's depth at its PC comes from its
// code (model/stack_depth.h), which gives the stack pointer at its entry and so the return
// address its caller pushed; interrupt handlers have the five bytes of an interrupt below it.
// The frame chain after a free run is built from this, and `finish` runs to a frame's return.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/kernel.h"
#include "model/symbols.h"

namespace yav {

// One active call on the stack.
struct UnwoundFrame {
  FunctionEntry* function = nullptr;  // the function with source; null in code without source
  uint32_t routine = 0;               // entry address of the routine
  uint32_t pc = 0;                    // the innermost: the PC; callers: the return address
  uint16_t entrySp = 0;               // SP right after the call (or interrupt) entered the routine
  bool interrupt = false;             // entered through an interrupt
};

// Where a call returns to, and the stack pointer once it has.
struct ReturnPoint {
  uint32_t address = 0;
  uint16_t sp = 0;
};

// The active calls from the program counter outwards, innermost first, ending with `main` or
// where the stack can no longer be read as calls (the start-up code).
std::vector<UnwoundFrame> unwindStack(Kernel& k);

// The stack pointer at the entry of the routine that runs `pc` with the stack pointer `sp`;
// nothing when its depth there is not known.
std::optional<uint16_t> entryStackPointer(Kernel& k, uint32_t pc, uint16_t sp);

// Where the call of `frame` returns to.
std::optional<ReturnPoint> returnPoint(Kernel& k, const UnwoundFrame& frame);

// Whether some path from the entry of the routine running `pc` reaches it after a call, so that
// the registers may no longer hold what the routine was given in them.
bool pastACall(Kernel& k, uint32_t pc);

}  // namespace yav
