// What the frame's command ids do, apart from any window system: the ids that are built, the
// command lines some of them hand to the dispatcher, and the ones refused while the target runs.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/window_layout.h"

namespace yav {

// Frame command ids handled by the front-ends themselves.
enum FrameCommand : uint16_t {
  kCmdStopExecution = 1,
  kCmdRestart = 107,
  kCmdAbout = 113,
  kCmdExit = 117,
  kCmdLoadSession = 131,
  kCmdSaveSession = 132,
  kCmdLoadLayout = 133,
  kCmdSaveLayout = 134,
  kCmdExitNow = 145,
  kCmdCascade = kArrangeCascade,
  kCmdTileHorizontal = kArrangeHorizontal,
  kCmdTileVertical = kArrangeVertical,
  kCmdFree = kArrangeFree,
  kCmdDebugReset = 209,
  kCmdStepMasked = 211,
  kCmdShowCommand = 300,
  kCmdStatusBar = 390,
  kCmdToolbar = 392,
  kCmdCommandFileInput = 139,
  kCmdCommandFileOutput = 140,
  kCmdVerifyFlash = 20053,
};

// Ids 20000 to 20500 belong to the Target menu and go to the target layer (Verify excepted,
// which opens its dialog).
inline constexpr uint16_t kTargetCommandFirst = 20000;
inline constexpr uint16_t kTargetCommandLast = 20500;
inline constexpr bool isTargetCommand(uint16_t id) { return id >= kTargetCommandFirst && id <= kTargetCommandLast; }

// The command line an id hands to the dispatcher ("go", "step" ...), or empty when the id does
// something else.
std::string_view frameCommandLine(uint16_t id);

// True for ids whose action exists; menu items and buttons of the others stay disabled.
bool frameCommandAvailable(uint16_t id);

// True for ids that only beep while the busy flag is set.
bool refusedWhileBusy(uint16_t id);

// The three version lines of the About box.
std::array<std::string, 3> aboutVersionLines(std::string_view kernelVersion, std::string_view processorVersion,
                                             std::string_view targetVersion, std::string_view date);

// The object format the debugger reads, named in the About box.
inline constexpr std::string_view kObjectFormatName = "Orvane Format";

}  // namespace yav
