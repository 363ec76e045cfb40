#include "lockstep_case.h"

#include <algorithm>
#include <cstdio>
#include <random>

namespace yav::sim::lockstep {
namespace {

// Values where flags and carries change: half of the bytes come from here.
constexpr uint8_t kEdges[] = {0x00, 0x01, 0x02, 0x09, 0x0F, 0x10, 0x7F, 0x80, 0x81, 0x99, 0x9A, 0xF0, 0xFE, 0xFF};

class Random {
 public:
  Random(uint64_t seed, bool prefixed, uint8_t opcode, int index) {
    std::seed_seq seq{static_cast<uint32_t>(seed), static_cast<uint32_t>(seed >> 32), static_cast<uint32_t>(prefixed),
                      static_cast<uint32_t>(opcode), static_cast<uint32_t>(index)};
    engine_.seed(seq);
  }
  unsigned below(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(engine_); }
  bool chance(unsigned percent) { return below(100) < percent; }
  uint8_t byte() { return chance(50) ? kEdges[below(sizeof kEdges)] : static_cast<uint8_t>(below(256)); }
  uint16_t word(unsigned lo, unsigned hi) { return static_cast<uint16_t>(lo + below(hi - lo + 1)); }

 private:
  std::mt19937_64 engine_;
};

uint16_t u16(unsigned v) { return static_cast<uint16_t>(v); }

}  // namespace

Case make_case(uint64_t seed, bool prefixed, uint8_t opcode, int index) {
  Random r(seed, prefixed, opcode, index);
  Case c;
  c.prefixed = prefixed;
  c.opcode = opcode;
  c.index = index;
  CpuState& s = c.before;
  s.a = r.byte();
  s.h = r.byte();
  s.x = r.byte();
  s.cc = static_cast<uint8_t>(r.below(256) | 0x60);  // bits 5 and 6 read as 1
  // The stack mostly high in memory, sometimes anywhere (wrapping at either end included).
  s.sp = r.chance(80) ? r.word(0x7200, 0xFEFF) : r.word(0, 0xFFFF);
  s.pc = r.word(0x0000, 0xFFF0);

  std::vector<uint8_t>& code = c.code;
  if (prefixed) code.push_back(0x9E);
  code.push_back(opcode);
  for (int k = 0; k < 4; ++k) code.push_back(r.byte());
  const size_t operand = prefixed ? 2 : 1;  // the operand bytes start here
  const uint8_t o1 = code[operand], o2 = code[operand + 1];
  const unsigned hx = (unsigned(s.h) << 8) | s.x, w = (unsigned(o1) << 8) | o2;

  // Every address some addressing form could reach with these bytes and registers.
  std::vector<uint16_t> reach = {o1, u16(o1 + 1), o2, u16(w), u16(w + 1), u16(hx), u16(hx + 1), u16(hx + o1),
                                 u16(hx + o1 + 1), u16(hx + w), u16(hx + w + 1), u16(s.sp + o1), u16(s.sp + o1 + 1),
                                 u16(s.sp + w), u16(s.sp + w + 1), 0xFFFC, 0xFFFD};
  for (int d = -4; d <= 5; ++d) reach.push_back(u16(s.sp + d));  // pushes and pulls
  // Operands equal to A or X or to 1 make compare-and-branch and decrement-and-branch go
  // both ways.
  const unsigned fill = r.below(100);
  for (const uint16_t a : reach) {
    const uint8_t v = fill < 20 ? s.a : fill < 30 ? s.x : fill < 40 ? 1 : r.byte();
    c.memory.emplace_back(a, v);
  }
  for (size_t k = 0; k < code.size(); ++k) c.memory.emplace_back(u16(s.pc + k), code[k]);
  for (const auto& [a, v] : c.memory) c.watched.push_back(a);
  std::sort(c.watched.begin(), c.watched.end());
  c.watched.erase(std::unique(c.watched.begin(), c.watched.end()), c.watched.end());
  return c;
}

std::string describe(const CpuState& s) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "a=%02x h=%02x x=%02x sp=%04x pc=%04x cc=%02x", s.a, s.h, s.x, s.sp, s.pc, s.cc);
  return buf;
}

std::string describe(const Case& c) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s%02x #%d: ", c.prefixed ? "9e " : "", c.opcode, c.index);
  std::string text = buf + describe(c.before) + " code";
  for (const uint8_t b : c.code) {
    std::snprintf(buf, sizeof buf, " %02x", b);
    text += buf;
  }
  return text;
}

}  // namespace yav::sim::lockstep
