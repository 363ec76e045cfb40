// Condition-code arithmetic, checked on the corner values of each operation.
#include <gtest/gtest.h>

#include "sim/flags.h"

namespace yav::sim {
namespace {

struct FlagCase {
  const char* what;
  Result8 got;
  uint8_t value, cc;
};

TEST(SimFlags, ByteOperations) {
  const uint8_t base = kCcOnes;  // all flags clear
  const FlagCase cases[] = {
      {"add 0x7f+1 overflows", add8(base, 0x7F, 0x01, false), 0x80, base | kV | kN | kH},
      {"add 0xff+1 carries to zero", add8(base, 0xFF, 0x01, false), 0x00, base | kZ | kC | kH},
      {"adc with carry in", add8(base, 0x10, 0x20, true), 0x31, base},
      {"add 0x80+0x80", add8(base, 0x80, 0x80, false), 0x00, base | kV | kZ | kC},
      {"sub borrow", sub8(base, 0x00, 0x01, false), 0xFF, base | kN | kC},
      {"sub 0x80-1 overflows", sub8(base, 0x80, 0x01, false), 0x7F, base | kV},
      {"sbc with borrow to zero", sub8(base, 0x05, 0x04, true), 0x00, base | kZ},
      {"sub keeps H", sub8(base | kH, 0x05, 0x01, false), 0x04, base | kH},
      {"neg 0x80", neg8(base, 0x80), 0x80, base | kV | kN | kC},
      {"neg 0", neg8(base | kC, 0x00), 0x00, base | kZ},
      {"com sets C", com8(base | kV, 0x0F), 0xF0, base | kN | kC},
      {"lsr 1", lsr8(base, 0x01), 0x00, base | kZ | kC | kV},
      {"asr keeps sign", asr8(base, 0x81), 0xC0, base | kN | kC},
      {"asl 0x80", asl8(base, 0x80), 0x00, base | kZ | kC | kV},
      {"asl 0x40", asl8(base, 0x40), 0x80, base | kN | kV},
      {"rol through carry", rol8(base | kC, 0x80), 0x01, base | kC | kV},
      {"ror through carry", ror8(base | kC, 0x01), 0x80, base | kN | kC},
      {"dec 0x80 overflows", dec8(base | kC, 0x80), 0x7F, base | kV | kC},
      {"inc 0x7f overflows", inc8(base, 0x7F), 0x80, base | kV | kN},
      {"inc 0xff wraps, C untouched", inc8(base, 0xFF), 0x00, base | kZ},
      {"clr", clr8(base | kN | kV | kC), 0x00, base | kZ | kC},
      {"daa 0x09+0x08", daa8(add8(base, 0x09, 0x08, false).cc, 0x11), 0x17, base | kH},
      {"daa 0x99+0x01", daa8(add8(base, 0x99, 0x01, false).cc, 0x9A), 0x00, base | kZ | kC},
      {"daa 0x50+0x50", daa8(add8(base, 0x50, 0x50, false).cc, 0xA0), 0x00, base | kZ | kC | kV},
      // the correction table: 0x60 whenever C is set, 0x06 whenever H is set
      {"daa 0xe1 with C", daa8(base | kC, 0xE1), 0x41, base | kC},
      {"daa 0x26 with H", daa8(base | kH, 0x26), 0x2C, base | kH},
      {"daa 0xab with H", daa8(base | kH, 0xAB), 0x11, base | kH | kC},
  };
  for (const FlagCase& c : cases) {
    EXPECT_EQ(c.got.value, c.value) << c.what;
    EXPECT_EQ(c.got.cc, c.cc) << c.what << std::hex << " got " << int(c.got.cc);
  }
}

TEST(SimFlags, WordCompareAndLogic) {
  const uint8_t base = kCcOnes;
  EXPECT_EQ(sub16(base, 0x1234, 0x1234).cc, base | kZ);
  EXPECT_EQ(sub16(base, 0x0000, 0x0001).cc, base | kN | kC);
  EXPECT_EQ(sub16(base, 0x8000, 0x0001).cc, base | kV);
  EXPECT_EQ(logic_flags16(base | kV, 0x8000), base | kN);
  EXPECT_EQ(logic_flags(base | kV | kC, 0x00), base | kZ | kC);
}

TEST(SimFlags, BranchConditions) {
  struct Case {
    uint8_t opcode, cc;
    bool taken;
  };
  const Case cases[] = {
      {0x22, 0, true},   {0x22, kZ, false}, {0x23, kC, true},   {0x24, kC, false}, {0x25, kC, true},
      {0x26, kZ, false}, {0x27, kZ, true},  {0x28, kH, false},  {0x29, kH, true},  {0x2A, kN, false},
      {0x2B, kN, true},  {0x2C, kI, false}, {0x2D, kI, true},   {0x2E, 0, false},  {0x2F, 0, true},
      {0x90, kN | kV, true}, {0x91, kN, true}, {0x91, kN | kV, false}, {0x92, 0, true}, {0x92, kZ, false},
      {0x93, kV, true},  {0x93, 0, false},  {0x21, 0xFF, false}, {0x20, 0, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(branch_taken(c.opcode, c.cc), c.taken) << std::hex << int(c.opcode) << " cc " << int(c.cc);
}

}  // namespace
}  // namespace yav::sim
