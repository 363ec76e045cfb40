#include "ui/window_rects.h"

#include <algorithm>
#include <limits>
#include <string>

#include "platform/ini.h"
#include "ui/settings_values.h"

namespace yav {

namespace {

constexpr SavedWindowKey kWindows[kSavedWindowCount] = {
    {SavedWindow::Frame, "YavWindow", "Main Window"},
    {SavedWindow::Source, "SrcWindow", "Source Window"},
    {SavedWindow::Monitor, "MonWindow", "Monitor Window"},
    {SavedWindow::Stack, "StackWindow", "Stack Window"},
    {SavedWindow::Register, "RegWindow", "Register Window"},
    {SavedWindow::Command, "CmdWindow", "Command Window"},
    {SavedWindow::Disassembly, "DisaWindow", "Disa Window"},
    {SavedWindow::Locals, "LocalsWindow", "Locals Window"},
    {SavedWindow::Globals, "GlobalsWindow", "Globals Window"},
};

struct Edge {
  std::string_view key;
  std::string_view commentStart;
  int WindowRect::*field;
};

constexpr Edge kEdges[] = {
    {"Left", "Left side of ", &WindowRect::left},
    {"Top", "Top of ", &WindowRect::top},
    {"Right", "Right side of ", &WindowRect::right},
    {"Bottom", "Bottom of ", &WindowRect::bottom},
};

const SavedWindowKey& keyOf(SavedWindow w) { return kWindows[static_cast<size_t>(w)]; }

}  // namespace

std::span<const SavedWindowKey> savedWindowKeys() { return kWindows; }

WindowRects defaultWindowRects(const ScreenMetrics& m) {
  WindowRects r;
  const int w = m.clientWidth, h = m.clientHeight;
  const int topBottom = h / 4 + m.captionHeight + m.menuHeight;
  rectOf(r, SavedWindow::Frame) = {0, 0, m.screenWidth, m.screenHeight};
  rectOf(r, SavedWindow::Source) = {0, 0, w, h};
  rectOf(r, SavedWindow::Monitor) = {0, 0, w * 3 / 8, topBottom};
  rectOf(r, SavedWindow::Stack) = {w / 2, 0, w, topBottom};
  rectOf(r, SavedWindow::Register) = {0, 0, 50, 100};
  for (SavedWindow s : {SavedWindow::Command, SavedWindow::Disassembly, SavedWindow::Locals, SavedWindow::Globals})
    rectOf(r, s) = {20, 20, 350, 100};
  return r;
}

WindowRect readWindowRect(SavedWindow w, const WindowRect& fallback) {
  WindowRect r = fallback;
  for (const Edge& e : kEdges) {
    if (const auto v = edgeFromValue(platform::iniGet(keyOf(w).section, e.key, ""))) r.*e.field = *v;
  }
  return r;
}

WindowRects readWindowRects(const WindowRects& defaults) {
  WindowRects r;
  for (const SavedWindowKey& k : kWindows) rectOf(r, k.window) = readWindowRect(k.window, rectOf(defaults, k.window));
  return r;
}

bool writeWindowRect(SavedWindow w, const WindowRect& r) {
  bool ok = true;
  for (const Edge& e : kEdges)
    ok &= platform::iniSet(keyOf(w).section, e.key, edgeValueText(r.*e.field, std::string(e.commentStart) + std::string(keyOf(w).name)));
  return ok;
}

bool writeWindowRects(const WindowRects& rects) {
  bool ok = true;
  for (const SavedWindowKey& k : kWindows) ok &= writeWindowRect(k.window, rectOf(rects, k.window));
  return ok;
}

FramePlacement framePlacement(const WindowRect& saved, int screenWidth, int screenHeight, bool startMinimised) {
  FramePlacement p;
  int64_t width = std::max<int64_t>(saved.width(), screenWidth / 2);
  int64_t height = std::max<int64_t>(saved.height(), screenHeight / 2);
  int64_t left = saved.left, top = saved.top;
  if (width >= screenWidth && height >= screenHeight) {
    left += 10;
    top += 10;
    width -= 20;
    height -= 20;
    p.maximise = !startMinimised;
  }
  const auto clamp = [](int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
  };
  p.rect = {clamp(left), clamp(top), clamp(left + width), clamp(top + height)};
  return p;
}

}  // namespace yav
