// Feeds arbitrary text as a session file to the reading of its window records: the window values,
// the arrangement and the memory window records. Whatever is read back must write and read again
// to the same layout.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/window_layout_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  using namespace yav;
  std::vector<std::string> problems;
  const WindowLayout layout = readWindowLayout(text, true, problems);
  // A record on its own, as the first line of the input.
  const std::string first = text.substr(0, text.find('\n'));
  if (const auto m = parseMemoryRecord(first)) {
    if (parseMemoryRecord(memoryRecordText(*m)) != m) __builtin_trap();
  }
  if (const auto r = parseRect(first)) {
    if (parseRect(rectText(*r)) != r) __builtin_trap();
  }
  // Only what a file says is written back: a window it left alone stays unmentioned.
  WindowLayout known = layout;
  for (WindowPlacement* p : {&known.frame, &known.source}) {
    if (p->state == WindowPlacement::State::Unchanged) p->state = WindowPlacement::State::Closed;
  }
  for (WindowPlacement& p : known.windows) {
    if (p.state == WindowPlacement::State::Unchanged) p.state = WindowPlacement::State::Closed;
  }
  std::vector<std::string> again;
  const WindowLayout back = readWindowLayout(writeWindowLayout("", known, true), true, again);
  if (!again.empty() || back != known) __builtin_trap();
  return 0;
}
