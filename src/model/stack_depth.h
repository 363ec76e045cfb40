// How many bytes a routine has pushed below the stack pointer of its entry, at each of its
// instructions, worked out from the code itself: pushes and pulls, AIS, and the paths of its
// branches from the entry on. Calls leave the depth as it was (the callee's return pulls what
// the call pushed). With the depth known at a PC, the stack pointer at the routine's entry, and
// so the return address its caller pushed, follow exactly.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "model/disasm.h"

namespace yav {

struct StackDepths {
  std::unordered_map<uint32_t, int> at;  // instruction address -> bytes pushed since the entry
  bool returnsFromInterrupt = false;     // a path ends in RTI: the routine is an interrupt handler
  // Instructions some path reaches after a call: the callee may have changed every register, so
  // a value the routine was given in a register is no longer known to be there.
  std::unordered_set<uint32_t> afterCall;

  std::optional<int> depthAt(uint32_t address) const {
    const auto it = at.find(address);
    if (it == at.end()) return std::nullopt;
    return it->second;
  }
};

// Walks every path of the routine that starts at `entry`, over the addresses `inside` says are
// its own. A path ends at a return, at a jump out of the routine, at an unknown opcode
// and where the stack pointer is loaded from elsewhere (TXS, RSP): from there on its depth is not
// known.
StackDepths stackDepths(const CodeReader& code, uint32_t entry, const std::function<bool(uint32_t)>& inside);

}  // namespace yav
