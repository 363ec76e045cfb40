#include "ui/program_lists.h"

#include <algorithm>

#include "engine/errors.h"
#include "engine/events.h"
#include "model/format.h"
#include "model/messages.h"
#include "ui/registers_view.h"

namespace yav {

namespace {

// Adds each line of `text` (the header texts hold several).
void addText(ListContent& c, std::string_view text) {
  for (std::string& l : splitLines(text)) c.add(std::move(l));
}

// The source line holding a code address, or no place. At a function's first address that is
// the function's own line rather than its first statement's.
SourcePlace placeAt(const SymbolTables& t, uint32_t address) {
  const std::span<const DebugRecord> here = t.recordsAt(address);
  const DebugRecord* r = here.empty() ? t.lineAt(address) : &here.front();
  if (!r || r->fileName.empty()) return {};
  return {r->fileName, r->startLine};
}

}  // namespace

void ListContent::add(std::string line, SourcePlace place) {
  lines.push_back(std::move(line));
  places.push_back(std::move(place));
}

std::string ListContent::text() const {
  std::string s;
  for (const std::string& l : lines) s += l + "\n";
  return s;
}

std::vector<const FunctionEntry*> listedFunctions(const FileEntry& file) {
  std::vector<const FunctionEntry*> out;
  for (const auto& f : file.functions) {
    if (f->isOuterScope() || f->isPlaceholder() || f->startRecord == kNoRecord) continue;
    out.push_back(f.get());
  }
  return out;
}

std::vector<const FileEntry*> listedFiles(const SymbolTables& t) {
  std::vector<const FileEntry*> out;
  for (const auto& f : t.files)
    if (!(f->flags & fileflag::Duplicate)) out.push_back(f.get());
  return out;
}

ListContent fileList(const SymbolTables& t) {
  ListContent c;
  addText(c, kFileListHeader);
  for (const FileEntry* f : listedFiles(t)) c.add("\t" + f->name, {f->name, 0});
  return c;
}

std::string functionTypeAndName(const FunctionEntry& f) { return f.description + f.name; }

SourcePlace functionPlace(const FunctionEntry& f) {
  if (!f.file) return {};
  return {f.file->name, static_cast<int>(f.firstLine)};
}

ListContent functionList(const SymbolTables& t, bool printed) {
  ListContent c;
  addText(c, kFunctionListHeader);
  for (const FileEntry* file : listedFiles(t)) {
    const std::vector<const FunctionEntry*> functions = listedFunctions(*file);
    if (functions.empty()) continue;
    c.add({});
    c.add((printed ? "Functions in file: " : "\tFunctions in file: ") + file->name, {file->name, 0});
    for (const FunctionEntry* f : functions) {
      c.add("\t" + functionTypeAndName(*f) + "(" + f->argumentList() + ")" + fmtstr(" at 0x%hl", f->address()),
            functionPlace(*f));
    }
  }
  return c;
}

std::vector<SymbolLine> sortedSymbols(const LabelTable& labels, SymbolOrder order) {
  std::vector<SymbolLine> out;
  for (const LabelEntry& e : labels.entries())
    if (!e.isDebuggerVariable()) out.push_back({e.name, e.value});
  if (order == SymbolOrder::ByName) {
    std::stable_sort(out.begin(), out.end(), [](const SymbolLine& a, const SymbolLine& b) { return a.name < b.name; });
  } else {
    std::stable_sort(out.begin(), out.end(),
                     [](const SymbolLine& a, const SymbolLine& b) { return a.value < b.value; });
  }
  return out;
}

ListContent symbolList(const SymbolTables& t, const std::vector<SymbolLine>& symbols) {
  ListContent c;
  for (const SymbolLine& s : symbols) c.add(fmtstr("0x%+05hl  ", s.value) + s.name, placeAt(t, s.value));
  return c;
}

ListContent eventsList(Kernel& k) {
  ListContent c;
  const SymbolTables& t = k.prog.program->tables;
  for (const auto& ep : eventState(k).list) {
    const Event& e = *ep;
    std::string line = eventLine(e);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    SourcePlace place;
    if (e.kind == ev::Line && e.file) {
      const uint32_t first = e.first != 0 ? e.first : (e.func ? e.func->firstLine : 0);
      place = {e.file->name, static_cast<int>(first)};
    } else if (e.kind == ev::Address || e.kind == ev::Symbol || e.kind == ev::Label) {
      place = placeAt(t, e.addr);
    }
    c.add(std::move(line), std::move(place));
  }
  if (c.lines.empty()) c.add(errtext(msg::NoBreakpoint));
  return c;
}

ListContent mapList(const SymbolTables& t) {
  ListContent c;
  for (const SegmentRecord& s : t.segments) {
    const uint32_t end = s.size ? s.logical + s.size - 1 : s.logical;
    c.add(fmtstr("%- 16p 0x%+05hl - 0x%+05hl  %l bytes", s.name, s.logical, end, s.size));
  }
  return c;
}

}  // namespace yav
