// The chain of call frames: kernel state that follows execution. The run loop hands each line
// entry execution reaches to `reachLineEntry`, which pushes a frame when a function is entered
// and pops it at the function's exit; a load, `zero`/`reset` and a program counter moved by the
// user start the chain afresh. The display commands and the evaluator only read it.
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
  uint16_t sp = 0;                        // stack pointer at the function's entry
  uint32_t pc = 0;  // where the frame's code stands: the PC (innermost), the return address (callers)
};
inline constexpr uint8_t kProloguePassed = 0x01;

struct FrameChain {
  std::vector<Frame> frames;          // innermost first
  size_t current = 0;                 // index of the selected frame
  std::optional<Frame> lastRemoved;   // kept until the next pop, to show where execution came from
  const DebugRecord* pendingLine = nullptr;  // a line reached right after a function entry
  bool pendingPop = false;            // the pop of a reached exit waits for the next unit
  bool justEntered = false;           // the last entry processed pushed a frame at a function entry
  unsigned pops = 0;                  // frames popped so far, so a unit can tell that it left one
};

// The kernel's frame chain.
FrameChain& frameChain(Kernel& k);

// Drops every frame and the pending entry and pop (load, `zero`, `reset`); the placeholder
// function "." of a dropped frame becomes inactive.
void clearFrames(Kernel& k);

// Starts the chain afresh at the program counter (after the user moved it, or a load or reset):
// one frame for the function whose code holds it, none outside functions. A move inside the
// function of the innermost frame only updates that frame's line.
void framesFollowPc(Kernel& k);

// Makes the chain hold every active call found on the target's stack (innermost first, main at
// the bottom, interrupt handlers above what they interrupted). Frames the chain already holds for
// those calls keep what stepping gave them; those of calls that have returned are popped.
void framesFromStack(Kernel& k);

// Whether the CPU registers hold the values of `f`'s call: it is the innermost frame and the PC
// is in its function (not in a routine without source it called). For an `argument`, which
// arrives in its register at the entry, also no call made since then can have changed it (SDCC
// keeps no variable in a register across a call).
bool registersHeldBy(Kernel& k, const Frame& f, bool argument);

// Processes a line entry reached by execution at the program counter; `deferPop` asks that a
// pop due at an exit entry wait for the next unit (pending-pop mark). Returns how many entries
// were shown (0: the step did not end on source).
int reachLineEntry(Kernel& k, const DebugRecord& entry, bool deferPop);

// Performs a pop held back by `reachLineEntry`.
void popPending(Kernel& k);

// Pushes a frame for `function` (from a line entry of it, or from its entry when `from` is null)
// unless the innermost frame already runs it with the same stack pointer. Returns the new frame,
// or null when none was pushed.
Frame* pushFrame(Kernel& k, FunctionEntry& function, const DebugRecord* from);

// Pops the innermost frame, with the deactivation message of a function activated by execution.
void popFrame(Kernel& k);

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
