#include "sim/call_record.h"

namespace yav::sim {

void CallRecord::drop_above(uint16_t sp) {
  // A live frame's SP after its push is at or below the current SP: frames are stacked with
  // SP falling, so the ones that are over are at the end.
  while (!frames_.empty() && frames_.back().sp < sp) frames_.pop_back();
}

void CallRecord::enter(uint16_t entry, uint16_t return_address, uint16_t sp_before, uint16_t sp_after, bool interrupt) {
  drop_above(sp_before);
  frames_.push_back(CallFrame{entry, return_address, sp_after, interrupt});
}

void CallRecord::leave(uint16_t sp) { drop_above(sp); }

}  // namespace yav::sim
