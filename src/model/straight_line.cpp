#include "model/straight_line.h"

#include "model/hc08_opcodes.h"

namespace yav {

namespace {

constexpr uint8_t kPrefix = 0x9E;

bool branchesOrReturns(uint8_t op) {
  if (op == 0x80 || op == 0x81) return true;                     // RTI, RTS
  if (op <= 0x0F) return true;                                    // BRSET, BRCLR
  if ((op >= 0x20 && op <= 0x2F) || (op >= 0x90 && op <= 0x93)) return true;  // conditional branches
  switch (op) {
    case 0x3B: case 0x4B: case 0x5B: case 0x6B: case 0x7B:        // DBNZ
    case 0x31: case 0x41: case 0x51: case 0x61: case 0x71:        // CBEQ
      return true;
    default:
      return false;
  }
}

}  // namespace

bool straightLine(const CodeReader& code, uint32_t from, uint32_t to) {
  for (uint32_t a = from; a < to;) {
    const uint8_t op = code.read_byte(a);
    const uint8_t next = code.read_byte(a + 1);
    if (op == kPrefix ? (next == 0x61 || next == 0x6B) : branchesOrReturns(op)) return false;
    const int length = hc08::decode(op, next).length();
    a += static_cast<uint32_t>(length > 0 ? length : 1);
  }
  return true;
}

}  // namespace yav
