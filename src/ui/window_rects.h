// The saved rectangles of the frame and the standard windows (sections `YavWindow`, `SrcWindow`
// ... with keys Left, Top, Right, Bottom), their defaults, and where the frame opens.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace yav {

enum class SavedWindow : size_t { Frame, Source, Monitor, Stack, Register, Command, Disassembly, Locals, Globals };
inline constexpr size_t kSavedWindowCount = 9;

struct SavedWindowKey {
  SavedWindow window;
  std::string_view section;  // "YavWindow", "SrcWindow" ...
  std::string_view name;     // named in the comments: "Main Window", "Source Window" ...
};

// The nine windows in the order they are written.
std::span<const SavedWindowKey> savedWindowKeys();

struct WindowRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  // In 64 bits: edges read from the file may lie anywhere in the int range.
  int64_t width() const { return int64_t{right} - left; }
  int64_t height() const { return int64_t{bottom} - top; }
  bool operator==(const WindowRect&) const = default;
};

using WindowRects = std::array<WindowRect, kSavedWindowCount>;  // indexed by SavedWindow

inline WindowRect& rectOf(WindowRects& r, SavedWindow w) { return r[static_cast<size_t>(w)]; }
inline const WindowRect& rectOf(const WindowRects& r, SavedWindow w) { return r[static_cast<size_t>(w)]; }

// Sizes the defaults are computed from, in pixels.
struct ScreenMetrics {
  int screenWidth = 0, screenHeight = 0;  // the whole screen
  int clientWidth = 0, clientHeight = 0;  // the frame's client area
  int captionHeight = 0;                  // a window's caption
  int menuHeight = 0;                     // a window's menu bar
};

// The frame covers the screen; the source window the client area; the monitor window the top
// left corner (3/8 of the width, a quarter of the height plus caption and menu); the stack
// window the top right half, as high; the registers 0,0,50,100; the others 20,20,350,100.
WindowRects defaultWindowRects(const ScreenMetrics& m);

// Each edge of the file that starts with a signed decimal replaces its default.
WindowRect readWindowRect(SavedWindow w, const WindowRect& fallback);
WindowRects readWindowRects(const WindowRects& defaults);

// Writes the four edges with their comments; false when a write failed.
bool writeWindowRect(SavedWindow w, const WindowRect& r);
bool writeWindowRects(const WindowRects& rects);

// Where the frame opens: the saved rectangle, at least half the screen wide and high; a saved
// size that covers the whole screen is shrunk by 20 pixels and moved 10 pixels in, and the
// frame is then maximised unless it starts minimised (-m).
struct FramePlacement {
  WindowRect rect;
  bool maximise = false;
};
FramePlacement framePlacement(const WindowRect& saved, int screenWidth, int screenHeight, bool startMinimised);

}  // namespace yav
