#include "dap/dap_console_tap.h"

#include <algorithm>

#include "target/chip_target.h"

namespace yav::dap {

namespace {

using ConsoleRead = int (*)(char*, int);

// The chip library's own read, and what it handed out that has not been printed yet. The
// library's entry is a plain function: the tap keeps its state here, one per process.
ConsoleRead chipRead = nullptr;
size_t unprinted = 0;

int tappedRead(char* buffer, int size) {
  const int n = chipRead ? chipRead(buffer, size) : 0;
  unprinted = n > 0 ? static_cast<size_t>(n) : 0;
  return n;
}

}  // namespace

void tapConsole(Kernel& k) {
  target::ChipEntries& chip = target::targetState(k).chip;
  if (chip.emconsole == nullptr || chip.emconsole == &tappedRead) return;
  chipRead = chip.emconsole;
  chip.emconsole = &tappedRead;
}

size_t takeProgramOutput(size_t printed) {
  const size_t taken = std::min(printed, unprinted);
  unprinted -= taken;
  return taken;
}

}  // namespace yav::dap
