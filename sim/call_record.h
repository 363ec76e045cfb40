// The simulator's own record of the calls in progress: a shadow call stack that the CPU keeps,
// when asked, from the instructions it executes (JSR, BSR, CALL and interrupt entries push;
// RTS, RTC and RTI pop). It is a ground truth for the debugger's call stack that owes nothing
// to debug information or to unwinding.
#pragma once
#include <cstdint>
#include <vector>

namespace yav::sim {

struct CallFrame {
  uint16_t entry = 0;           // the callee's first instruction (a handler's vector target)
  uint16_t return_address = 0;  // where the caller goes on: the stacked PC
  uint16_t sp = 0;              // SP right after the return address (and registers) were pushed
  bool interrupt = false;       // entered through an interrupt or SWI, left by RTI
};

class CallRecord {
 public:
  // A call or interrupt entry; `sp_before` is SP before anything was pushed. Frames whose stack
  // lies at or below that SP are over (left without a return, as by longjmp) and go first.
  void enter(uint16_t entry, uint16_t return_address, uint16_t sp_before, uint16_t sp_after, bool interrupt);
  // A return has moved SP up to `sp` and gone to `pc`: every frame whose return address lay
  // below that SP is over. A return that ends no frame was a jump to an address the code pushed
  // itself (SDCC calls through a function pointer so: a BSR to a stub that pushes the target
  // and returns to it): the innermost frame now runs the code there.
  void leave(uint16_t sp, uint16_t pc);
  void clear() { frames_.clear(); }

  // Outermost first.
  const std::vector<CallFrame>& frames() const { return frames_; }

 private:
  // Drops the frames that SP has moved above; whether there were any.
  bool drop_above(uint16_t sp);
  std::vector<CallFrame> frames_;
};

}  // namespace yav::sim
