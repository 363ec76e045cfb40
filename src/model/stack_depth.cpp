#include "model/stack_depth.h"

#include <vector>

#include "model/hc08_opcodes.h"

namespace yav {

namespace {

using hc08::Mn;

// Bounds the walk of a damaged or endless routine.
constexpr size_t kMostInstructions = 1u << 16;

// The bytes an instruction pushes (positive) or pulls (negative), when it moves SP by a known
// amount that execution continues from.
int stackChange(Mn m, uint8_t operand) {
  switch (m) {
    case Mn::psha: case Mn::pshx: case Mn::pshh: return 1;
    case Mn::pula: case Mn::pulx: case Mn::pulh: return -1;
    case Mn::ais: return -static_cast<int8_t>(operand);
    default: return 0;
  }
}

bool endsPath(Mn m) {
  switch (m) {
    case Mn::rts: case Mn::rti: case Mn::rtc: case Mn::txs: case Mn::rsp: return true;
    default: return false;
  }
}

}  // namespace

StackDepths stackDepths(const CodeReader& code, uint32_t entry, const std::function<bool(uint32_t)>& inside) {
  StackDepths d;
  struct Path {
    uint32_t address;
    int depth;
    bool afterCall;
  };
  std::vector<Path> todo{{entry, 0, false}};
  size_t walked = 0;
  while (!todo.empty() && walked < kMostInstructions) {
    auto [address, depth, called] = todo.back();
    todo.pop_back();
    while (inside(address) && walked++ < kMostInstructions) {
      // A path that joins one already walked ends there, unless it brings a call the other
      // path had not made.
      const bool fresh = d.at.emplace(address, depth).second;
      const bool newlyCalled = called && d.afterCall.insert(address).second;
      if (!fresh && !newlyCalled) break;
      const uint8_t first = code.read_byte(address);
      const hc08::Decoded op = hc08::decode(first, code.read_byte(address + 1));
      if (!op.known()) break;
      const int length = op.length();
      const uint32_t next = address + static_cast<uint32_t>(length);
      const Mn m = op.entry->mnemonic;
      if (m == Mn::rti) d.returnsFromInterrupt = true;
      if (endsPath(m)) break;
      if (m == Mn::jmp) {
        // A jump inside the routine goes on there; one out of it is a tail call.
        const hc08::Mode mode = op.entry->mode();
        uint32_t target = 0;
        if (mode == hc08::Mode::extended) target = static_cast<uint32_t>(code.read_byte(address + 1)) << 8 | code.read_byte(address + 2);
        else if (mode == hc08::Mode::direct) target = code.read_byte(address + 1);
        else break;
        address = target;
        continue;
      }
      if (op.entry->has_branch()) {
        const auto offset = static_cast<int8_t>(code.read_byte(next - 1));
        const uint32_t target = next + static_cast<uint32_t>(static_cast<int32_t>(offset));
        if (m == Mn::bra) {
          address = target;
          continue;
        }
        // BSR calls; every other branch may go either way.
        if (m != Mn::bsr && m != Mn::brn) todo.push_back({target, depth, called});
        if (m == Mn::bsr) called = true;
        address = next;
        continue;
      }
      depth += stackChange(m, code.read_byte(next - 1));
      if (m == Mn::jsr || m == Mn::call || m == Mn::swi) called = true;
      address = next;
    }
  }
  return d;
}

}  // namespace yav
