// A source file as the source views show it: read whole, marked up by its kind, cut into lines,
// with the code the program has on each line. Loaded files are kept per kernel until the source
// path changes or a program is loaded.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/kernel.h"
#include "ui/source_path.h"

namespace yav {

struct SymbolTables;

enum class SourceKind { C, Assembler, Plain };

// The kind of a file by the program's debug information, else by its name.
SourceKind sourceKindOf(const SymbolTables& tables, std::string_view name);

// The code of one source line.
struct LineCode {
  uint32_t address = 0;  // of its first line record
  uint16_t records = 0;  // line records of the line (several: several statements)
};

class LoadedSource {
 public:
  // Marks up `raw` by `kind` and takes the code of each line from the tables' line records of
  // the file `name`.
  LoadedSource(std::string name, std::string path, SourceKind kind, std::string_view raw, const SymbolTables& tables);

  const std::string& name() const { return name_; }
  const std::string& path() const { return path_; }
  SourceKind kind() const { return kind_; }
  const std::string& markedText() const { return text_; }
  size_t lineCount() const { return starts_.size(); }
  // Line `n` (from 1) with its markers, without the line end; empty outside the file.
  std::string_view line(size_t n) const;
  // Code on line `n`, or null.
  const LineCode* code(size_t n) const;
  // The line whose code starts at `address` (any of its line records), 0 when none.
  uint32_t lineAtAddress(uint32_t address) const;

 private:
  std::string name_, path_;
  SourceKind kind_;
  std::string text_;
  std::vector<size_t> starts_;
  std::vector<LineCode> code_;                            // by line, index 0 unused
  std::vector<std::pair<uint32_t, uint32_t>> addresses_;  // (address, line) of every line record, by address
};

// Options for finding a file that is not loaded yet.
struct SourceOpen {
  bool ask = true;      // ask the user to change the path when the file is not found
  PathEditor editPath;  // the path editor for that question
};

// The loaded text of `name`: read and marked up on first use, null when it cannot be found
// (remembered as well, until the path changes or a program is loaded).
std::shared_ptr<const LoadedSource> loadedSource(Kernel& k, const std::string& name, const SourceOpen& open = {});

}  // namespace yav
