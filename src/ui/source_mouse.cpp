#include "ui/source_mouse.h"

#include "ui/source_popup.h"

namespace yav {

SourceHit hitTest(const SourceGeometry& g, int x, int y) {
  if (x < 0 || y < 0 || g.lineHeight <= 0 || g.charWidth <= 0) return {};
  SourceHit hit;
  hit.line = g.firstLine + 1 + static_cast<size_t>(y / g.lineHeight);
  if (hit.line > g.lineCount) return {};
  const int cell = x / g.charWidth;
  if (cell < g.numberColumns) {
    hit.area = HitArea::Number;
  } else if (cell < g.prefixColumns) {
    hit.area = HitArea::Address;
  } else {
    hit.area = HitArea::Text;
    hit.column = g.firstColumn + static_cast<size_t>(cell - g.prefixColumns);
  }
  return hit;
}

std::string lineEventCommand(const std::string& file, size_t line, bool watch) {
  return (watch ? "watch " : "break ") + file + ":" + std::to_string(line);
}

LineAction doubleClickNumber(const SourceLineState& state, const std::string& file, size_t line, ClickKeys keys) {
  if (!state.hasCode) return {};
  if (state.mark != BreakMark::None) return {LineAction::PopupCommand, {}, popup::OnOff, state.event};
  if (keys.shift && keys.ctrl) return {LineAction::SetAndEdit, lineEventCommand(file, line), popup::Edit, 0};
  if (keys.shift) return {LineAction::PopupCommand, {}, popup::AddressOf, 0};
  if (keys.ctrl) return {LineAction::Command, "go " + file + ":" + std::to_string(line), 0, 0};
  return {LineAction::Command, lineEventCommand(file, line, keys.w), 0, 0};
}

LineAction rightClickNumber(const SourceLineState& state, ClickKeys keys) {
  if (!state.hasCode) return {};
  if (state.mark != BreakMark::None && (keys.shift || keys.ctrl)) {
    const uint16_t id = keys.shift && keys.ctrl ? popup::Edit : keys.shift ? popup::OnOff : popup::Delete;
    return {LineAction::PopupCommand, {}, id, state.event};
  }
  return {LineAction::Popup, {}, 0, state.mark != BreakMark::None ? state.event : uint16_t{0}};
}

}  // namespace yav
