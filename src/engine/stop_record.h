// Why and where a run of the target ended: made once by the run loop at the end of every
// execution command, handed to the front-end through `UiPort::executionStopped`, and kept in the
// kernel until the next run. Front-ends print, draw or send it; none works out a stop again.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace yav {

enum class StopReason : uint8_t {
  Breakpoint,   // a code or change event that is a breakpoint fired (`events`)
  DataAccess,   // a data breakpoint: the target read or wrote `dataAddress`
  StepEnd,      // a step, a count of steps or a `go` to a place ended normally
  Finish,       // `finish`: the frame returned to its caller
  StopRequest,  // Escape, Ctrl-C, the Stop button, `stop`, or a run the break system refused
  TargetFault,  // the target stopped answering
};

// The reason as one word: "breakpoint", "data", "step", "finish", "stop", "fault".
const char* stopReasonName(StopReason reason);

struct StopRecord {
  StopReason reason = StopReason::StepEnd;
  std::vector<uint16_t> events;  // numbers of the user events that fired at the stop
  uint32_t pc = 0;               // paged program counter at the stop
  uint32_t dataAddress = 0;      // DataAccess: the address watched
  char dataAccess = 0;           // DataAccess: 'R', 'W' or 'A' (either kind)
  size_t frames = 0;             // active calls at the stop (the frame chain's length)
  std::string place;             // "FILE:LINE: source text", or the disassembly line
  uint32_t serial = 0;           // counts the stops of this kernel: 1 for the first
};

}  // namespace yav
