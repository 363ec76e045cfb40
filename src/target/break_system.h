// The break system: the target break list built from the kernel's breakpoints and active
// functions, and the execution of one run of the target in Stepping Mode (instruction steps,
// the debugger tests the breaks) or Hard Breaks Mode (comparators and the BDC breakpoint).
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "engine/kernel.h"

namespace yav::target {

// Rebuilds the target break list ("Loading breakpoints"): the breakpoints, then with
// `withActiveFunctions` the line entries of every active function.
void loadBreakList(Kernel& k, bool withActiveFunctions);

// Adds the source-line entries (kind 0x08) of one function, with stop flag 0.
void loadFunctionBreaks(Kernel& k, FunctionEntry& function);

// Why the enabled events cannot all be placed for a free run, in words; nothing when they fit.
// Asks nothing, changes nothing.
std::optional<std::string> breakPlacementProblem(Kernel& k);

// A run loop starts: questions answered during the previous one are asked again.
void beginRunLoop(Kernel& k);

// Starts the target code without waiting for it to stop; false when no target answers.
bool startTargetCode(Kernel& k);

// Runs the target until it stops (free run) or, with `freeRun` false, by instruction steps until
// the program counter reaches an address of the break list or a stop is requested. Returns the
// program counter at the stop; nothing when the target did not answer.
std::optional<uint32_t> runTarget(Kernel& k, bool freeRun);

// One instruction step, then the registers are read again; false when the target did not answer.
bool stepInstruction(Kernel& k);

// The value written to the BDC breakpoint register for a break address: paged addresses as their
// low 14 bits in the 0x8000 page window, others as they are.
uint16_t bdcBreakpointAddress(uint32_t address);

}  // namespace yav::target
