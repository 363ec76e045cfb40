#include "model/symbols_lookup.h"

#include <algorithm>

#include "model/messages.h"

namespace yav {

VariableLookup lookupVariable(const SymbolTables& t, std::string_view filePart, std::string_view functionPart,
                              std::string_view name, FunctionEntry* current, bool currentSaved) {
  VariableLookup r;
  if (!filePart.empty()) {
    FileEntry* f = t.findFile(filePart);
    if (!f) {
      r.error = msg::FileNotFound;
      return r;
    }
    if (FunctionEntry* outer = f->outerScope()) {
      r.symbol = outer->findLocal(name);
      r.scope = outer;
    }
    r.registerArgumentsSaved = true;
  } else if (!functionPart.empty()) {
    FunctionEntry* fn = t.findFunction(functionPart);
    if (!fn) {
      r.error = msg::FunctionNotFound;
      return r;
    }
    r.symbol = fn->findLocal(name);
    r.scope = fn;
    r.registerArgumentsSaved = currentSaved;
  } else {
    if (current) {
      r.symbol = current->findLocal(name);
      r.scope = current;
      r.registerArgumentsSaved = currentSaved;
    }
    // The current function's own file comes first: C sees its statics and globals, never a
    // static of another file that happens to share the name.
    if (!r.symbol && current && current->file) {
      if (FunctionEntry* outer = current->file->outerScope(); outer && outer != current) {
        r.symbol = outer->findLocal(name);
        r.scope = outer;
        r.registerArgumentsSaved = true;
      }
    }
    if (!r.symbol) {
      r.symbol = t.findGlobal(name, &r.scope);
      r.registerArgumentsSaved = true;
    }
  }
  if (!r.symbol) {
    r.scope = nullptr;
    r.error = msg::SymbolNotFound;
  }
  return r;
}

void buildDefineInfo(SymbolTables& t, const std::vector<DebugRecord>& defineRecords,
                     const std::vector<std::string>& defineTexts) {
  // Sections opened by the file-start records, in address order.
  std::vector<const DebugRecord*> opens;
  for (const DebugRecord& r : t.records) {
    if (r.kind == rk::FileStart) opens.push_back(&r);
  }
  for (size_t i = 0; i < opens.size(); ++i) {
    FileEntry* file = t.findFile(opens[i]->fileName);
    if (!file) continue;
    const uint32_t lo = opens[i]->address;
    const bool last = i + 1 == opens.size();
    const uint32_t hi = last ? 0xFFFFFFFFu : opens[i + 1]->address;
    for (size_t d = 0; d < defineRecords.size(); ++d) {
      const DebugRecord& r = defineRecords[d];
      if (r.address > lo && r.address <= hi) {
        file->defines.push_back({r.functionName.size() > 2 ? r.functionName.substr(2) : std::string(),
                                 d < defineTexts.size() ? defineTexts[d] : std::string()});
      }
    }
  }
}

std::string definesDisplay(const SymbolTables& t) {
  std::string out;
  for (const auto& f : t.files) {
    if (f->defines.empty()) {
      out += " !!NO DEFINES for " + f->name + "\n";
      continue;
    }
    out += " DEFINES for " + f->name + "\n";
    for (const DefineEntry& d : f->defines) out += " Define Name: " + d.name + " is: " + d.text + "\n";
  }
  return out;
}

}  // namespace yav
