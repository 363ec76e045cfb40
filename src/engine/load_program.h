// The load sequence and the entry-point rule, shared by `load`, the start-up load and extensions.
#pragma once
#include <string>

#include "engine/kernel.h"

namespace yav {

struct LoadOptions {
  bool symbolsOnly = false;
  bool raw = false;
  std::string entry;  // nothing, "reset", a number or a name
};

// Runs the whole load; true when the new program was installed.
bool loadProgram(Kernel& k, const std::string& fileName, const LoadOptions& opt);

struct EntryResult {
  bool found = false;
  bool invalidName = false;  // a name that is no symbol: error 64
  bool notFoundMessage = false;  // "Cannot Find entry Point. Set PC to entry point"
  uint32_t address = 0;
  std::string startName;
};
// Resolves an entry specification against a program's labels (reset through the kernel's hook).
EntryResult resolveEntry(Kernel& k, const Program& prog, const std::string& spec);

}  // namespace yav
