#include "ui/disassembly_view.h"

#include <algorithm>

#include "engine/code_view.h"
#include "engine/kernel_eval.h"

namespace yav {

void DisassemblyModel::followPc(Kernel& k, int rowCount) {
  const uint32_t pc = currentPc(k);
  if (followed_ && pc == lastPc_) {
    rows_.paint(k, rowCount);
    return;
  }
  followed_ = true;
  lastPc_ = pc;
  const std::vector<uint32_t>& shown = rows_.shownAddresses();
  if (shown.size() >= 2 && rows_.start() == shown.front()) {
    auto it = std::find(shown.begin(), shown.end() - 1, pc);
    if (it != shown.end() - 1) {
      rows_.paint(k, rowCount);
      return;
    }
  }
  const AddressRange line = pcLineRange(k);
  rows_.setStart(line.end > line.first && pc - line.first <= kLineStartReach ? line.first : pc);
  rows_.paint(k, rowCount);
}

uint32_t scrolledStart(Kernel& k, uint32_t start, int lines) {
  for (int i = 0; i < lines; ++i) start = (start + static_cast<uint32_t>(instructionLength(k, start))) & 0x1FFFF;
  for (int i = 0; i > lines && start > 0; --i) {
    uint32_t back = 1;
    for (uint32_t b = 1; b <= 4 && b <= start; ++b) {
      if (static_cast<uint32_t>(instructionLength(k, start - b)) == b) {
        back = b;
        break;
      }
    }
    start -= back;
  }
  return start;
}

}  // namespace yav
