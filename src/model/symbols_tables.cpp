#include <algorithm>

#include "model/registers.h"
#include "model/symbols.h"

namespace yav {

uint32_t FunctionEntry::frameAdjustment() const { return static_cast<uint32_t>(yav::frameAdjustment(memoryModel)); }

uint32_t FunctionEntry::address() const {
  if (!tables || startRecord == kNoRecord || startRecord >= tables->records.size()) return 0;
  return tables->records[startRecord].address;
}

const SymbolEntry* FunctionEntry::findLocal(std::string_view n) const {
  for (const SymbolEntry& s : locals) {
    if (s.name == n) return &s;
  }
  return nullptr;
}

FunctionEntry* FileEntry::outerScope() const {
  if (!functions.empty() && functions.back()->isOuterScope()) return functions.back().get();
  for (const auto& f : functions) {
    if (f->isOuterScope()) return f.get();
  }
  return nullptr;
}

FileEntry* SymbolTables::findFile(std::string_view name) const {
  auto it = std::lower_bound(files.begin(), files.end(), name,
                             [](const std::unique_ptr<FileEntry>& f, std::string_view n) { return f->name < n; });
  return it != files.end() && (*it)->name == name ? it->get() : nullptr;
}

FileEntry* SymbolTables::insertFile(std::unique_ptr<FileEntry> f) {
  // After every file whose name sorts lower or equal: duplicates keep their read order.
  auto it = std::upper_bound(files.begin(), files.end(), f->name,
                             [](const std::string& n, const std::unique_ptr<FileEntry>& e) { return n < e->name; });
  return files.insert(it, std::move(f))->get();
}

FunctionEntry* SymbolTables::findFunction(std::string_view name, const FileEntry* file) const {
  if (name.empty() || name[0] == '.') return nullptr;
  if (file) {
    for (const auto& f : file->functions) {
      if (!f->isOuterScope() && f->name == name) return f.get();
    }
    return nullptr;
  }
  if (!functionsByName_.empty()) {
    auto it = functionsByName_.find(std::string(name));
    return it == functionsByName_.end() || it->second.empty() ? nullptr : it->second.front();
  }
  for (const auto& fe : files) {
    if (FunctionEntry* f = findFunction(name, fe.get())) return f;
  }
  return nullptr;
}

const DebugRecord* SymbolTables::GetLineMatch(const FileEntry* file, uint32_t line) const {
  if (!file || file->functions.empty()) return nullptr;
  if (file->functions.front()->name.empty()) {
    // A file without functions: any record of that line and file.
    for (const DebugRecord& r : records) {
      if (r.startLine == line && r.fileName == file->name) return &r;
    }
    return nullptr;
  }
  for (const auto& f : file->functions) {
    if (line < f->firstLine || line > f->lastLine || f->startRecord == kNoRecord) continue;
    const size_t end = f->endRecord == kNoRecord ? records.size() : std::min(records.size(), f->endRecord + 1);
    for (size_t i = f->startRecord; i < end; ++i) {
      const DebugRecord& r = records[i];
      if (r.function == f.get() && (r.kind & rk::LineKinds) && r.startLine == line) return &r;
    }
  }
  return nullptr;
}

void SymbolTables::buildIndexes() {
  lineIndex_.clear();
  functionRanges_.clear();
  functionsByName_.clear();
  globalsByName_.clear();
  for (size_t i = 0; i < records.size(); ++i) {
    if (records[i].kind == rk::Line || records[i].kind == rk::FunctionStart) lineIndex_.push_back(i);
  }
  for (const auto& fe : files) {
    for (const auto& f : fe->functions) {
      f->tables = this;
      if (f->isOuterScope()) continue;
      if (f->name[0] != '.') functionsByName_[f->name].push_back(f.get());
      if (f->startRecord == kNoRecord) continue;
      const uint32_t start = records[f->startRecord].address;
      const uint32_t end = f->endRecord != kNoRecord ? records[f->endRecord].address : start;
      functionRanges_.push_back({start, std::max(start, end), f.get()});
    }
    if (FunctionEntry* outer = fe->outerScope()) {
      outer->tables = this;
      for (size_t i = 0; i < outer->locals.size(); ++i) globalsByName_.try_emplace(outer->locals[i].name, outer, i);
    }
  }
  std::stable_sort(functionRanges_.begin(), functionRanges_.end(),
                   [](const AddressRange& a, const AddressRange& b) { return a.start < b.start; });
}

namespace {
struct AddressOrder {
  bool operator()(const DebugRecord& r, uint32_t a) const { return r.address < a; }
  bool operator()(uint32_t a, const DebugRecord& r) const { return a < r.address; }
};
}  // namespace

const DebugRecord* SymbolTables::lineAt(uint32_t address) const {
  auto it = std::upper_bound(lineIndex_.begin(), lineIndex_.end(), address,
                             [this](uint32_t a, size_t i) { return a < records[i].address; });
  if (it == lineIndex_.begin()) return nullptr;
  const DebugRecord& r = records[*(it - 1)];
  const FunctionEntry* f = functionAt(address);
  if (!f || r.function != f) return nullptr;
  return &r;
}

const DebugRecord* SymbolTables::lineStartingAt(uint32_t address) const {
  auto it = std::lower_bound(lineIndex_.begin(), lineIndex_.end(), address,
                             [this](size_t i, uint32_t a) { return records[i].address < a; });
  for (; it != lineIndex_.end() && records[*it].address == address; ++it) {
    if (records[*it].kind == rk::Line) return &records[*it];
  }
  return nullptr;
}

std::span<const DebugRecord> SymbolTables::recordsAt(uint32_t address) const {
  auto [lo, hi] = std::equal_range(records.begin(), records.end(), address, AddressOrder{});
  return {records.data() + (lo - records.begin()), static_cast<size_t>(hi - lo)};
}

FunctionEntry* SymbolTables::functionAt(uint32_t address) const {
  auto it = std::upper_bound(functionRanges_.begin(), functionRanges_.end(), address,
                             [](uint32_t a, const AddressRange& r) { return a < r.start; });
  // Ranges do not nest; the nearest start below decides, with a short look back for overlaps.
  for (int back = 0; it != functionRanges_.begin() && back < 4; ++back) {
    --it;
    if (address >= it->start && address <= it->end) return it->function;
  }
  return nullptr;
}

FunctionEntry* SymbolTables::functionStartingAt(uint32_t address) const {
  auto it = std::lower_bound(functionRanges_.begin(), functionRanges_.end(), address,
                             [](const AddressRange& r, uint32_t a) { return r.start < a; });
  return it != functionRanges_.end() && it->start == address ? it->function : nullptr;
}

const SymbolEntry* SymbolTables::findGlobal(std::string_view name, FunctionEntry** scope) const {
  auto it = globalsByName_.find(std::string(name));
  if (it != globalsByName_.end()) {
    if (scope) *scope = it->second.first;
    return &it->second.first->locals[it->second.second];
  }
  if (!globalsByName_.empty()) return nullptr;
  for (const auto& fe : files) {  // tables whose indexes were not built yet
    if (FunctionEntry* outer = fe->outerScope()) {
      if (const SymbolEntry* s = outer->findLocal(name)) {
        if (scope) *scope = outer;
        return s;
      }
    }
  }
  return nullptr;
}

const SymbolEntry* SymbolTables::findTag(uint8_t kind, std::string_view tag) {
  // The descriptor of a type of that kind and tag, found in any of its auxiliary words.
  auto tagged = [&](uint32_t type, const AuxList& aux) -> const AggregateDescriptor* {
    const uint8_t code = baseCode(type);
    if (code != kind && !(kind == tc::Enum && isEnumCode(code))) return nullptr;
    for (const AuxWord& w : aux) {
      if (w.descriptor) return w.descriptor->tag == tag ? w.descriptor : nullptr;
    }
    return nullptr;
  };
  // Each type is made once per program, however often casts and sizeof ask.
  for (const auto& made : tagSymbols) {
    if (tagged(made->type, made->aux)) return made.get();
  }
  // The tagged type itself, without the pointer or array levels of the symbol that names it.
  auto tagType = [&](SymbolEntry s, const AggregateDescriptor* d) {
    s.type = baseCode(s.type);
    s.aux = {AuxWord{0, d}};
    s.size = typeSize(s.type, s.aux, 0);
    tagSymbols.push_back(std::make_unique<SymbolEntry>(std::move(s)));
    return tagSymbols.back().get();
  };
  for (const auto& fe : files) {
    for (const auto& f : fe->functions) {
      for (const SymbolEntry& s : f->locals) {
        if (const AggregateDescriptor* d = tagged(s.type, s.aux)) return tagType(s, d);
      }
    }
  }
  // A tag no variable names, only a member of another struct or union (a struct point inside a
  // struct shape).
  for (const auto& [offset, descriptor] : aggregates) {
    for (const AggregateMember& m : descriptor->members) {
      if (const AggregateDescriptor* d = tagged(m.type, m.aux)) {
        SymbolEntry s;
        s.name = m.name;
        s.type = m.type;
        return tagType(std::move(s), d);
      }
    }
  }
  return nullptr;
}

}  // namespace yav
