// The window state a front-end reports for a session or layout file and applies when one is
// read: the arrangement of the children, the frame, the main source window, the five standard
// windows and the memory windows.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace yav {

// Arrangement modes of the children, the frame's own command ids.
inline constexpr uint16_t kArrangeCascade = 190;
inline constexpr uint16_t kArrangeHorizontal = 191;
inline constexpr uint16_t kArrangeVertical = 192;
inline constexpr uint16_t kArrangeFree = 193;

// A window rectangle: left, top, right, bottom. The frame's is in screen coordinates; every
// other window's is its host's place relative to the children's area, with left and top one less
// than the host's (the host goes to (left, top) with width right - left - 1 and height
// bottom - top - 1).
struct WindowRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const WindowRect&) const = default;
};

// Where a window stands. Reported: Open with its rectangle, or Closed. Read from a file: Open
// (with the rectangle when the file gave a sound one; without, the window opens where it is),
// Closed, or Unchanged when the file says nothing about the window.
struct WindowPlacement {
  enum class State : uint8_t { Unchanged, Open, Closed };
  State state = State::Unchanged;
  std::optional<WindowRect> rect;
  bool operator==(const WindowPlacement&) const = default;
};

// The standard windows a layout opens, closes and places, in the order they are written and
// applied.
enum class StandardWindow : uint8_t { Disassembly, Command, Stack, Monitors, Registers };
inline constexpr size_t kStandardWindowCount = 5;
// Their keys in the `Windows` section, indexed by StandardWindow.
inline constexpr std::array<std::string_view, kStandardWindowCount> kStandardWindowKeys = {
    "Disassembly", "Command", "Stack", "Monitors", "Registers"};

// One memory window (real-time memory windows are not among them): a code window at a code
// address, or a data window at a data address with the four display settings it is re-created
// with (their meaning belongs to the memory window).
struct MemoryWindowRecord {
  bool code = false;
  uint32_t address = 0;
  std::array<int32_t, 4> settings{};  // data windows only
  WindowRect rect;
  bool operator==(const MemoryWindowRecord&) const = default;
};

struct WindowLayout {
  // kArrangeCascade .. kArrangeFree; none: leave the arrangement as it is.
  std::optional<uint16_t> arrangement;
  WindowPlacement frame;
  WindowPlacement source;  // the main source window
  std::array<WindowPlacement, kStandardWindowCount> windows;
  std::vector<MemoryWindowRecord> memory;  // in the order of the children
  bool operator==(const WindowLayout&) const = default;

  WindowPlacement& operator[](StandardWindow w) { return windows[static_cast<size_t>(w)]; }
  const WindowPlacement& operator[](StandardWindow w) const { return windows[static_cast<size_t>(w)]; }
};

}  // namespace yav
