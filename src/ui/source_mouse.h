// Mouse actions in a source view: which line and character a click hits, and what a double
// click or a right click on a line number does.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/source_lines.h"

namespace yav {

// What is on screen: scroll position and character cell size.
struct SourceGeometry {
  size_t firstLine = 0;    // first visible line, from 0
  size_t firstColumn = 0;  // first visible text column (horizontal scroll)
  size_t lineCount = 0;
  int lineHeight = 1, charWidth = 1;
  int prefixColumns = 0;  // number field, blank and address field
  int numberColumns = 0;  // number field and its blank
};

enum class HitArea { None, Number, Address, Text };

struct SourceHit {
  HitArea area = HitArea::None;
  size_t line = 0;    // from 1
  size_t column = 0;  // text column for HitArea::Text (scroll applied)
};

// Line = first visible line + 1 + y / line height; the column through the displayed line.
SourceHit hitTest(const SourceGeometry& g, int x, int y);

struct ClickKeys {
  bool shift = false, ctrl = false;
  bool w = false;  // the W key held down
};

// The result of a click on a line number.
struct LineAction {
  enum Kind {
    None,
    Command,      // run `command`
    SetAndEdit,   // run `command`, then open the editor of the event it made on the line
    Popup,        // the line popup, with the breakpoint items enabled when `event` is set
    PopupCommand  // a popup item `id` acting at once (the event's items with Shift/Ctrl)
  } kind = None;
  std::string command;
  uint16_t id = 0;
  uint16_t event = 0;
};

// Double click on the number of line `line` of `file`.
LineAction doubleClickNumber(const SourceLineState& state, const std::string& file, size_t line, ClickKeys keys);

// Right click on the number: with a breakpoint, Shift, Ctrl or both act as On/Off, Delete or Edit;
// otherwise the line popup.
LineAction rightClickNumber(const SourceLineState& state, ClickKeys keys);

// "break FILE:LINE", or "watch FILE:LINE" while W is held.
std::string lineEventCommand(const std::string& file, size_t line, bool watch = false);

}  // namespace yav
