// The run loop shared by every execution command: it has the target execute one unit at a time
// (a C line, an instruction, or a free run up to a break), follows the program counter through
// the line entries and the frame chain, tests the events and decides whether to go on.
#pragma once
#include "engine/kernel.h"

namespace yav {

// Runs the target with the mode variables the command has set. `rest` may hold a count (units
// to execute) or a place (run until it is reached). Returns the rest of the command line.
const char* runLoop(Kernel& k, const char* rest);

// The program counter's place as one line: "FILE:LINE: source text", or the disassembly line
// where no source line is known.
std::string executionPoint(Kernel& k);

// Shows where execution stands in the source view (front-ends without windows print it).
void showExecutionPoint(Kernel& k);

}  // namespace yav
