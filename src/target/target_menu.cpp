#include "target/target_menu.h"

#include "target/chip_target.h"
#include "target/connection.h"

namespace yav::target {

namespace {

void connect(Kernel& k) { connectLoop(k); }

// The front-end has restarted the program (`zero`) before: the target's reset then wins.
void reset(Kernel& k) { resetTarget(k, 1); }

void programErase(Kernel& k) {
  if (targetState(k).chip.Flash) targetState(k).chip.Flash();
  k.ui->refreshViews(kViewAll);
}

void onChipDebug(Kernel& k) {
  if (targetState(k).chip.HardBreaks) targetState(k).breakSystemUnavailable = targetState(k).chip.HardBreaks();
}

struct MenuRow {
  int id;
  void (*action)(Kernel&);
};

constexpr MenuRow kMenu[] = {
    {kCmdConnect, connect},
    {kCmdReset, reset},
    {kCmdProgramErase, programErase},
    {kCmdOnChipDebug, onChipDebug},
};

}  // namespace

bool handleTargetCommand(Kernel& k, int id) {
  if (id < kTargetCommandFirst || id > kTargetCommandLast) return false;
  for (const MenuRow& row : kMenu) {
    if (row.id == id) {
      row.action(k);
      return true;
    }
  }
  return false;
}

}  // namespace yav::target
