// Points where later parts of the kernel plug into the dispatcher (events, views, extensions).
#pragma once
#include <functional>
#include <string_view>

namespace yav {

struct Kernel;

struct KernelHooks {
  // An extension whose command prefix begins the text takes the line; returns true when taken.
  std::function<bool(Kernel&, const char* text)> extensionCommand;
  // Deletes every event created with user 0.
  std::function<void(Kernel&)> removeInternalEvents;
  // Applies the view updates deferred while the target ran.
  std::function<void(Kernel&)> applyDeferredViews;
  // Halts a running target (used by `quit`).
  std::function<void(Kernel&)> stopTarget;
};

}  // namespace yav
