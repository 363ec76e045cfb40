// The chain of call frames the display commands and the evaluator work on. Until execution is
// followed line by line, the chain is rebuilt at each stop from the program counter alone: one
// frame for the function containing the PC.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/kernel.h"
#include "model/symbols.h"

namespace yav {

// One active function call.
struct Frame {
  FunctionEntry* function = nullptr;
  const DebugRecord* position = nullptr;  // the line record that last updated the frame
  bool registerArgumentsSaved = false;    // register-argument flag: 0 when made at the entry
  uint8_t state = 0;                      // bit 0: the prologue has run
  uint32_t firstLine = 0;                 // the function's first line
  uint32_t line = 0, column = 0, endLine = 0, endColumn = 0;  // current line range
  uint32_t base = 0;                      // frame base
  uint16_t sp = 0;                        // stack pointer at creation
};

struct FrameChain {
  std::vector<Frame> frames;  // innermost first
  size_t current = 0;         // index of the selected frame
  bool built = false;         // made for the registers below
  uint32_t builtPc = 0;
  uint16_t builtSp = 0;
};

// Brings the chain up to date with the registers (after a stop, a load or a change of PC or SP)
// and returns it. A frame made at a function's start takes its base by the entry rule; one made
// inside a function keeps the base of the frame it replaces when that one ran the same function
// with the stack pointer at or above the current one, else takes the entry rule from the
// current stack pointer (right before the prologue has reserved stack space).
FrameChain& syncFrames(Kernel& k);

// Drops every frame (load, reset).
void clearFrames(Kernel& k);

// The selected frame, or null when there is none.
const Frame* selectedFrame(Kernel& k);

// Frame base of the first frame, from the selected one outwards, that runs `function`.
std::optional<uint32_t> frameBaseOf(Kernel& k, const FunctionEntry* function);

// True when a frame of the chain runs `function`.
bool inCallStack(Kernel& k, const FunctionEntry* function);

// The line printed for a frame: "main() at main.c:21" (the function alone when its line is
// unknown).
std::string frameLine(const Frame& f);

// The first argument passed in a register, as the entry rule needs it.
std::optional<RegisterArgument> firstRegisterArgument(const FunctionEntry& f);

}  // namespace yav
