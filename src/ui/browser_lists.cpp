#include "ui/browser_lists.h"

#include "engine/frames.h"
#include "model/format.h"
#include "ui/program_lists.h"

namespace yav {

std::vector<std::string> browserFiles(const SymbolTables& t, bool wildcard) {
  std::vector<std::string> out;
  for (const FileEntry* f : listedFiles(t)) out.push_back(f->name);
  if (wildcard && !out.empty()) out.emplace_back(kAllFiles);
  return out;
}

std::vector<std::string> browserFunctions(const SymbolTables& t, std::string_view file) {
  std::vector<std::string> out;
  const bool all = file.empty() || file == kAllFiles;
  for (const FileEntry* f : listedFiles(t)) {
    if (!all && f->name != file) continue;
    for (const auto& fn : f->functions) {
      if (fn->isOuterScope() || fn->name[0] == '.') continue;
      out.push_back(fn->name);
    }
  }
  return out;
}

std::string currentSourceFile(Kernel& k) {
  if (const Frame* f = selectedFrame(k); f && f->function && f->function->file) return f->function->file->name;
  const std::vector<const FileEntry*> files = listedFiles(k.prog.program->tables);
  return files.empty() ? std::string() : files.front()->name;
}

SourcePlace browsedFunctionPlace(const SymbolTables& t, std::string_view function, std::string_view file) {
  const FileEntry* f = nullptr;
  if (!file.empty() && file != kAllFiles) {
    f = t.findFile(file);
    if (!f) return {};
  }
  const FunctionEntry* fn = t.findFunction(function, f);
  return fn ? functionPlace(*fn) : SourcePlace{};
}

std::vector<BrowsedSymbol> browserSymbols(const LabelTable& labels) {
  std::vector<BrowsedSymbol> out;
  for (const SymbolLine& s : sortedSymbols(labels, SymbolOrder::ByName))
    out.push_back({s.name, fmtstr("0x%hl", s.value)});
  return out;
}

std::optional<std::string> functionAddressText(const SymbolTables& t, std::string_view function) {
  const FunctionEntry* fn = t.findFunction(function);
  if (!fn || fn->startRecord == kNoRecord) return std::nullopt;
  return fmtstr("0x%hl", fn->address());
}

}  // namespace yav
