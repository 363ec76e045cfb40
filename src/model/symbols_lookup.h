// Scoped variable lookup and the define display, on top of the symbol tables.
#pragma once
#include <string>
#include <string_view>

#include "model/symbols.h"

namespace yav {

struct VariableLookup {
  const SymbolEntry* symbol = nullptr;
  FunctionEntry* scope = nullptr;
  bool registerArgumentsSaved = false;  // the register-argument flag for the evaluator
  int error = 0;                        // msg::FileNotFound, FunctionNotFound or SymbolNotFound
};

// Lookup without frame: with a file part, that file's outer scope only; with a function part,
// that function only; otherwise the current function, then every file's outer scope in file
// order. `currentSaved` is the current frame's register-argument flag.
VariableLookup lookupVariable(const SymbolTables& t, std::string_view filePart, std::string_view functionPart,
                              std::string_view name, FunctionEntry* current, bool currentSaved);

// Attaches to each file the #define records found between its file-start record and the next.
void buildDefineInfo(SymbolTables& t, const std::vector<DebugRecord>& defineRecords,
                     const std::vector<std::string>& defineTexts);

// The text of the define display for every file.
std::string definesDisplay(const SymbolTables& t);

}  // namespace yav
