// Kernel state of the loaded program: its symbol tables and labels, the download path, and the
// points where other areas take part in a load.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/download.h"
#include "model/loader.h"

namespace yav {

struct Kernel;

struct ProgramState {
  ProgramState() : program(std::make_unique<Program>()) {}
  std::unique_ptr<Program> program;  // never null; an empty Program before the first load
  CodeDownloader* downloader = nullptr;

  uint32_t entryPoint = 0;
  std::string startName = "_main";
  uint32_t programBase = 0;
  bool pcOutsideCode = false;

  // Settings read by the load: default entry specification (/O:) and NODUPFILES.
  std::string defaultEntry;
  std::string noDupFiles = "NO";

  // Extension notifications: before a load (name, 0) and after it (name, 1).
  std::vector<std::function<void(Kernel&, const std::string& file, int phase)>> loadNotify;
  // What refers to the old program (monitors, windows, events, frames): cleared before a load.
  std::vector<std::function<void(Kernel&)>> clearBeforeLoad;
  // Source-view markers of the events, updated after a load.
  std::function<void(Kernel&)> updateMarkers;
  // The target break list must be reloaded.
  std::function<void(Kernel&)> markBreakReload;
  // Resets the target and gives the program counter after reset.
  std::function<bool(Kernel&, uint32_t& pc)> resetTarget;
  // Sets the program counter, turns tracing off, recomputes frames, shows the source line.
  std::function<void(Kernel&, uint32_t pc)> startAt;
};

}  // namespace yav
