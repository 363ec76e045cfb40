// Kernel state of the loaded program: its symbol tables and labels, the entry point and the
// settings a load reads.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "model/loader.h"

namespace yav {

struct ProgramState {
  ProgramState() : program(std::make_unique<Program>()) {}
  std::unique_ptr<Program> program;  // never null; an empty Program before the first load

  uint32_t entryPoint = 0;
  std::string startName = "_main";
  uint32_t programBase = 0;
  bool pcOutsideCode = false;

  // Settings read by the load: default entry specification (/O:) and NODUPFILES.
  std::string defaultEntry;
  std::string noDupFiles = "NO";
  bool skipCodeDownload = false;  // every load leaves the target's code as it is (symbols only)
};

}  // namespace yav
