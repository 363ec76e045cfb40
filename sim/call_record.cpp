#include "sim/call_record.h"

#include <cstddef>

namespace yav::sim {

bool CallRecord::drop_above(uint16_t sp) {
  // A live frame's SP after its push is at or below the current SP: frames are stacked with
  // SP falling, so the ones that are over are at the end.
  const std::size_t before = frames_.size();
  while (!frames_.empty() && frames_.back().sp < sp) frames_.pop_back();
  return frames_.size() != before;
}

void CallRecord::enter(uint16_t entry, uint16_t return_address, uint16_t sp_before, uint16_t sp_after, bool interrupt) {
  drop_above(sp_before);
  frames_.push_back(CallFrame{entry, return_address, sp_after, interrupt});
}

void CallRecord::leave(uint16_t sp, uint16_t pc) {
  if (!drop_above(sp) && !frames_.empty()) frames_.back().entry = pc;
}

}  // namespace yav::sim
