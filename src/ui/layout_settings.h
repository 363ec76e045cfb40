// Which standard windows were open (section `LayOut`): written when the frame closes and by the
// configuration save, read at start to reopen them.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace yav {

enum class LayoutWindow : size_t { Registers, Disassembly, Stack, Locals, Globals, Command, Monitors };
inline constexpr size_t kLayoutWindowCount = 7;

struct LayoutKey {
  LayoutWindow window;
  std::string_view key;   // "Registers", "Disassembly" ...
  uint16_t showCommand;   // the Show menu command that opens the window
  bool restored;          // false for Monitors: the monitor settings reopen that window
  bool afterConnect;      // reopened once the target connection is made, not at the end of start-up
};

std::span<const LayoutKey> layoutKeys();

enum class WindowState { Closed, Open, Minimised };

struct LayoutSnapshot {
  std::array<WindowState, kLayoutWindowCount> windows{};  // indexed by LayoutWindow
  bool saveOnExit = true;
  uint16_t arrangement = 190;  // written as `Tile`
};

// Writes "ICONIC", "YES" or "NO" per window, `Save` and `Tile`; false when a write failed.
bool writeLayout(const LayoutSnapshot& layout);

// A window to reopen: send its Show command unless it is already open, then minimise it when
// `minimise` is set.
struct LayoutRestore {
  LayoutWindow window;
  uint16_t showCommand;
  bool minimise;
};

struct LayoutStart {
  bool saveOnExit = false;                  // `Save` beginning with Y
  std::vector<LayoutRestore> afterConnect;  // registers and disassembly
  std::vector<LayoutRestore> endOfStartup;  // stack, locals, globals, command
};

// A value beginning with Y or I reopens the window; I also minimises it.
LayoutStart readLayout();

}  // namespace yav
