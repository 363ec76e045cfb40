#include "ui/source_lines.h"

#include <algorithm>

#include "engine/events.h"

namespace yav {

namespace {

// The lines of `file` an event stops on: a line event's range inside the file (or its function),
// or the line whose code starts at an address event's address. {0, 0} when none.
std::pair<uint32_t, uint32_t> linesOf(const Event& e, const LoadedSource& file) {
  if (e.kind != ev::Line) {
    const uint32_t line = file.lineAtAddress(e.addr);
    return {line, line};
  }
  const FileEntry* f = e.file ? e.file : e.func ? e.func->file : nullptr;
  if (!f || f->name != file.name()) return {0, 0};
  uint32_t first = e.first, last = e.last;
  if (first == 0) {  // any line of the function, or of the file
    first = e.func ? e.func->firstLine : 1;
    last = e.func ? e.func->lastLine : static_cast<uint32_t>(file.lineCount());
  }
  return {first, std::min<uint32_t>(last, static_cast<uint32_t>(file.lineCount()))};
}

}  // namespace

void SourceLineModel::rebuild(Kernel& k, const LoadedSource& file, const std::vector<bool>& executed) {
  lines_.assign(file.lineCount() + 1, SourceLineState{});
  for (size_t n = 1; n < lines_.size(); ++n) {
    if (const LineCode* c = file.code(n)) {
      lines_[n].hasCode = true;
      lines_[n].address = c->address;
      lines_[n].executed = n < executed.size() && executed[n];
    }
  }
  for (const auto& e : eventState(k).list) {  // ascending numbers: the lowest marks a line
    if (!e->user || e->isData()) continue;
    const auto [first, last] = linesOf(*e, file);
    for (uint32_t n = first; n != 0 && n <= last; ++n) {
      SourceLineState& s = lines_[n];
      if (!s.hasCode || s.mark != BreakMark::None) continue;
      s.mark = e->on ? BreakMark::Active : BreakMark::Suspended;
      s.event = e->num;
    }
  }
}

}  // namespace yav
