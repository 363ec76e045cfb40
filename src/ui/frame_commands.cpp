#include "ui/frame_commands.h"

#include <algorithm>

namespace yav {

namespace {

struct IdCommandLine {
  uint16_t id;
  std::string_view line;
};

// Menu and toolbar ids that are nothing but a command line for the dispatcher. The run-control
// ones are offered even before the run loop exists: the dispatcher then answers with its
// "command not supported" error, and they work unchanged once it does.
constexpr IdCommandLine kCommandLines[] = {
    {201, "go"}, {203, "step"}, {204, "istep"}, {205, "ostep"}, {211, "mstep"}, {107, "zero"},
};

// Ids the front-ends carry out themselves.
constexpr uint16_t kFrontEndIds[] = {
    kCmdStopExecution, kCmdAbout, kCmdExit, kCmdExitNow, kCmdCascade, kCmdTileHorizontal,
    kCmdTileVertical, kCmdFree, kCmdShowCommand, kCmdStatusBar, kCmdToolbar,
    kCmdCommandFileInput, kCmdCommandFileOutput, kCmdDebugReset,
    101, 103, 104, 109, 110, 111, 112, 189, 460, 461, 462, 463, 633, 634, 635, 1310,
    180, 181, 182, 183, 184, 401, 402, 403, 404, 405, 406, 407, 408, 409,
    411, 412, 413, 414, 415, 416, 417, 420, 421, 422, 423, 426,
    118, 119, 120, 121, 127, 128, 129, 130, 621, 640, 650, 671, 672, 620, 622, 625, 670, 301, 360,
    630, 631, 632, 214, 215, 147, 148, 382, 383, 384, 131, 132, 133, 134, 146, 440, 13001, 13002, 13003, 202, 206, 208, 210, 212, 213, 804, 805, 806, 10000, 10014,
};

// Target menu ids whose action exists: Connect, Reset, Program/Erase, On Chip Debug, Verify.
constexpr uint16_t kTargetMenuIds[] = {20000, 20002, 20010, 20012, kCmdVerifyFlash};

struct IdRange {
  uint16_t first, last;
};
constexpr IdRange kBusyRefused[] = {{101, 104}, {107, 107}, {109, 110}, {117, 117}, {146, 146}, {201, 214}};

}  // namespace

std::string_view frameCommandLine(uint16_t id) {
  for (const IdCommandLine& c : kCommandLines)
    if (c.id == id) return c.line;
  return {};
}

bool frameCommandAvailable(uint16_t id) {
  return !frameCommandLine(id).empty() || std::ranges::find(kFrontEndIds, id) != std::end(kFrontEndIds) ||
         std::ranges::find(kTargetMenuIds, id) != std::end(kTargetMenuIds);
}

bool refusedWhileBusy(uint16_t id) {
  return std::ranges::any_of(kBusyRefused, [id](IdRange r) { return id >= r.first && id <= r.last; });
}

std::array<std::string, 3> aboutVersionLines(std::string_view kernelVersion, std::string_view processorVersion,
                                             std::string_view targetVersion, std::string_view date) {
  auto line = [&](std::string_view head, std::string_view version) {
    std::string s(head);
    s.append(version).append(" (").append(date).append(")");
    return s;
  };
  return {line("Kernel: ", kernelVersion) + " - 32 bits", line("Processor: ", processorVersion),
          line("Target: ", targetVersion)};
}

}  // namespace yav
