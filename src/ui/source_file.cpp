#include "ui/source_file.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <new>
#include <optional>

#include "engine/display_state.h"
#include "engine/errors.h"
#include "model/symbols.h"
#include "ui/c_markup.h"

namespace yav {

namespace {

bool endsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// Loaded files of one kernel, held in its display state.
struct SourceLibrary : SourceViewCache {
  std::map<std::string, std::shared_ptr<const LoadedSource>> files;  // null: not found
};

SourceLibrary& library(Kernel& k) {
  auto& slot = displayState(k).sourceViews;
  if (!slot) slot = std::make_unique<SourceLibrary>();
  return static_cast<SourceLibrary&>(*slot);
}

constexpr size_t kReadChunk = 16384;

// The whole file, read in chunks while the gauge counts the bytes.
std::optional<std::string> readWhole(Kernel& k, const std::string& name, const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  const auto size = static_cast<size_t>(std::max<std::streamoff>(0, in.tellg()));
  in.seekg(0);
  std::string data;
  try {
    data.reserve(size + 1);
  } catch (const std::bad_alloc&) {
    errmsg(k, {"Not Enough Memory for file: ", name});
    return std::nullopt;
  }
  k.ui->CursorWait();
  k.ui->WinStatGauge(true, static_cast<uint32_t>(size));
  char chunk[kReadChunk];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    data.append(chunk, static_cast<size_t>(in.gcount()));
    k.ui->WinStatGaugeAdd(static_cast<uint32_t>(in.gcount()));
  }
  k.ui->WinStatGauge(false, 0);
  k.ui->CursorStd();
  return data;
}

}  // namespace

SourceKind sourceKindOf(const SymbolTables& tables, std::string_view name) {
  if (tables.findFile(name)) return SourceKind::C;
  if (endsWith(name, ".asm") || endsWith(name, ".ASM") || endsWith(name, ".s") || endsWith(name, ".S")) {
    return SourceKind::Assembler;
  }
  if (name.size() < 3) return SourceKind::Plain;
  if (endsWith(name, ".c") || endsWith(name, ".C") || endsWith(name, ".h") || endsWith(name, ".H")) return SourceKind::C;
  return SourceKind::Plain;
}

LoadedSource::LoadedSource(std::string name, std::string path, SourceKind kind, std::string_view raw,
                           const SymbolTables& tables)
    : name_(std::move(name)), path_(std::move(path)), kind_(kind) {
  std::string text = displayableText(raw);
  if (kind == SourceKind::C) {
    FileNames names = namesDefinedIn(text);
    if (const FileEntry* f = tables.findFile(name_)) {
      for (const DefineEntry& d : f->defines) names.defines.insert(d.name);
    }
    text_ = markupC(text, names);
  } else {
    text_ = std::move(text);
  }
  starts_.push_back(0);
  for (size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] == '\n' && i + 1 < text_.size()) starts_.push_back(i + 1);
  }
  code_.resize(starts_.size() + 1);
  for (const DebugRecord& r : tables.records) {
    if (!(r.kind & rk::LineKinds) || r.startLine == 0 || r.startLine > starts_.size() || r.fileName != name_) continue;
    LineCode& c = code_[r.startLine];
    if (c.records++ == 0) c.address = r.address;
    addresses_.emplace_back(r.address, r.startLine);
  }
  std::stable_sort(addresses_.begin(), addresses_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
}

std::string_view LoadedSource::line(size_t n) const {
  if (n == 0 || n > starts_.size()) return {};
  const size_t begin = starts_[n - 1];
  size_t end = n < starts_.size() ? starts_[n] - 1 : text_.size();
  if (end > begin && text_[end - 1] == '\n') --end;
  return std::string_view(text_).substr(begin, end - begin);
}

const LineCode* LoadedSource::code(size_t n) const {
  return n < code_.size() && code_[n].records ? &code_[n] : nullptr;
}

uint32_t LoadedSource::lineAtAddress(uint32_t address) const {
  auto it = std::lower_bound(addresses_.begin(), addresses_.end(), address,
                             [](const auto& e, uint32_t a) { return e.first < a; });
  return it != addresses_.end() && it->first == address ? it->second : 0;
}

std::shared_ptr<const LoadedSource> loadedSource(Kernel& k, const std::string& name, const SourceOpen& open) {
  auto& files = library(k).files;
  if (auto it = files.find(name); it != files.end()) return it->second;
  std::shared_ptr<const LoadedSource> loaded;
  if (std::optional<std::string> path = findSourceFile(k, name, open.ask, open.editPath)) {
    if (std::optional<std::string> raw = readWhole(k, name, *path)) {
      const SymbolTables& tables = k.prog.program->tables;
      loaded = std::make_shared<LoadedSource>(name, *path, sourceKindOf(tables, name), *raw, tables);
    }
  }
  // The path editor may have changed the path, which forgot the library: look it up again.
  library(k).files[name] = loaded;
  return loaded;
}

}  // namespace yav
