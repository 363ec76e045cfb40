// Points where later parts of the kernel plug into the dispatcher (events, views, extensions).
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace yav {

struct Kernel;
struct RegisterFile;
struct FunctionEntry;

struct KernelHooks {
  // An extension whose command prefix begins the text takes the line; returns true when taken.
  std::function<bool(Kernel&, const char* text)> extensionCommand;
  // Deletes every event created with user 0.
  std::function<void(Kernel&)> removeInternalEvents;
  // Applies the view updates deferred while the target ran.
  std::function<void(Kernel&)> applyDeferredViews;
  // Halts a running target (used by `quit`).
  std::function<void(Kernel&)> stopTarget;
  // The register block of the target, read and written through the chip library.
  std::function<bool(Kernel&, RegisterFile&)> readTargetRegisters;
  std::function<bool(Kernel&, const RegisterFile&)> writeTargetRegisters;
  // Frame base of the first frame, from the selected one outwards, running `function`.
  std::function<std::optional<uint32_t>(Kernel&, const FunctionEntry*)> frameBase;
  // Shows the monitors' current values (after a state-changing command and after a stop).
  std::function<void(Kernel&)> showMonitors;
};

}  // namespace yav
