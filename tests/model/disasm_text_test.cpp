// Instruction texts and lengths of the disassembler, one row per case.
#include <gtest/gtest.h>

#include "model/disasm.h"
#include "model/disasm_fakes.h"

namespace yav {
namespace {

using test::FakeCode;
using test::FakeLabels;

struct TextCase {
  uint32_t address;
  std::vector<uint8_t> bytes;
  const char* text;
  int length;
};

class DisasmText : public ::testing::TestWithParam<TextCase> {};

TEST_P(DisasmText, TextAndLength) {
  const TextCase& c = GetParam();
  FakeCode code;
  for (size_t i = 0; i < c.bytes.size(); ++i) code.put(c.address + static_cast<uint32_t>(i), {c.bytes[i]});
  const FakeLabels labels{{0x0040, "flags"}, {0x1230, "table"}, {0x8800, "main"}, {0x1C200, "paged_fn"}};
  const Disassembly d = disassemble(code, c.address, &labels);
  EXPECT_EQ(d.text, c.text);
  EXPECT_EQ(d.length, c.length);
}

INSTANTIATE_TEST_SUITE_P(
    EveryMode, DisasmText,
    ::testing::Values(
        // branches: offset from the address after the instruction, target symbolic on exact match only
        TextCase{0x8000, {0x20, 0xFE}, "bra   0x8000", 2},
        TextCase{0x8802, {0x20, 0xFC}, "bra   main", 2},
        TextCase{0x8800, {0x26, 0x01}, "bne   0x8803", 2},
        TextCase{0x8000, {0xAD, 0x10}, "bsr   0x8012", 2},
        TextCase{0x8000, {0x24, 0x00}, "bcc   0x8002", 2},
        TextCase{0x0000, {0x20, 0x80}, "bra   0xff82", 2},
        // a branch in a page folds its target into the banked window
        TextCase{0x1C100, {0x20, 0x10}, "bra   0x8112", 2},
        // indexed through SP after the prefix, through X without it
        TextCase{0x8000, {0x9E, 0xE6, 0x05}, "lda   5,sp", 3},
        TextCase{0x8000, {0xE6, 0x05}, "lda   5,x", 2},
        TextCase{0x8000, {0xE6, 0xC8}, "lda   200,x", 2},
        TextCase{0x8000, {0x9E, 0xD6, 0x03, 0x00}, "lda   0x0300,sp", 4},
        TextCase{0x8000, {0xD6, 0x12, 0x34}, "lda   table+4,x", 3},
        TextCase{0x8000, {0xF6}, "lda   ,x", 1},
        TextCase{0x8000, {0x9E, 0x60, 0x02}, "neg   2,sp", 3},
        // forms that exist only after the prefix
        TextCase{0x8000, {0x9E, 0xAE}, "ldhx  ,x", 2},
        TextCase{0x8000, {0xAE, 0x12}, "ldx   #0x12", 2},
        TextCase{0x8000, {0x9E, 0xBE, 0x00, 0x10}, "ldhx  0x10,x", 4},
        TextCase{0x8000, {0x9E, 0xCE, 0x05}, "ldhx  5,x", 3},
        TextCase{0x8000, {0x9E, 0xF3, 0x05}, "cphx  5,sp", 3},
        TextCase{0x8000, {0x9E, 0xFE, 0x05}, "ldhx  5,sp", 3},
        TextCase{0x8000, {0x9E, 0xFF, 0x05}, "sthx  5,sp", 3},
        TextCase{0x8000, {0xF3}, "cpx   ,x", 1},
        TextCase{0x8000, {0xFF}, "stx   ,x", 1},
        // immediates: 16 bits for HX instructions, signed decimal for ais/aix
        TextCase{0x8000, {0x45, 0x12, 0x34}, "ldhx  #0x1234", 3},
        TextCase{0x8000, {0x65, 0x00, 0x10}, "cphx  #0x10", 3},
        TextCase{0x8000, {0xA7, 0xFE}, "ais   #-2", 2},
        TextCase{0x8000, {0xAF, 0x7F}, "aix   #127", 2},
        TextCase{0x8000, {0xA6, 0x40}, "lda   #flags", 2},
        TextCase{0x8000, {0xA6, 0x41}, "lda   #0x41", 2},
        // compare and branch
        TextCase{0x8000, {0x71, 0x10}, "cbeq  x+,0x8012", 2},
        TextCase{0x8000, {0x61, 0x05, 0x03}, "cbeq  5,x+,0x8006", 3},
        TextCase{0x8000, {0x9E, 0x61, 0x05, 0x03}, "cbeq  5,sp,0x8007", 4},
        TextCase{0x8000, {0x41, 0x12, 0x02}, "cbeqa #0x12,0x8005", 3},
        TextCase{0x8000, {0x31, 0x40, 0xFD}, "cbeq  <flags,0x8000", 3},
        // decrement and branch
        TextCase{0x8000, {0x4B, 0xFE}, "dbnza 0x8000", 2},
        TextCase{0x8000, {0x3B, 0x41, 0xFD}, "dbnz  <flags+1,0x8000", 3},
        TextCase{0x8000, {0x6B, 0x02, 0xFD}, "dbnz  2,x,0x8000", 3},
        TextCase{0x8000, {0x7B, 0xFE}, "dbnz  ,x,0x8000", 2},
        // bit operations
        TextCase{0x8000, {0x00, 0x40, 0xFD}, "brset 0,<flags,0x8000", 3},
        TextCase{0x8000, {0x0F, 0x10, 0x00}, "brclr 7,<0x10,0x8003", 3},
        TextCase{0x8000, {0x1F, 0x80}, "bclr  7,<flags+64", 2},
        TextCase{0x8000, {0x14, 0x41}, "bset  2,<flags+1", 2},
        // direct: symbolic within 128
        TextCase{0x8000, {0xB6, 0xC0}, "lda   <flags+128", 2},
        TextCase{0x8000, {0xB6, 0x3F}, "lda   <0x3f", 2},
        // extended: symbolic within 256, call with its page
        TextCase{0x8000, {0xCD, 0x12, 0x34}, "jsr   table+4", 3},
        TextCase{0x8000, {0xCD, 0x88, 0xFF}, "jsr   main+255", 3},
        TextCase{0x8000, {0xCC, 0x89, 0x00}, "jmp   main+256", 3},
        TextCase{0x8000, {0xCC, 0x89, 0x01}, "jmp   0x8901", 3},
        TextCase{0x8000, {0xAC, 0x07, 0x82, 0x00}, "call  paged_fn", 4},
        TextCase{0x8000, {0xAC, 0x07, 0xC0, 0x00}, "call  0xc000", 4},
        TextCase{0x1C000, {0xCD, 0x82, 0x00}, "jsr   paged_fn", 3},
        // moves
        TextCase{0x8000, {0x4E, 0x10, 0x40}, "mov   0x10,flags", 3},
        TextCase{0x8000, {0x5E, 0x40}, "mov   flags,x+", 2},
        TextCase{0x8000, {0x6E, 0x05, 0x10}, "mov   #0x05,0x10", 3},
        TextCase{0x8000, {0x7E, 0x10}, "mov   x+,0x10", 2},
        // inherent: the mnemonic column alone
        TextCase{0x8000, {0x8B}, "pshh  ", 1},
        TextCase{0x8000, {0x42}, "mul   ", 1},
        TextCase{0x8000, {0x48}, "asla  ", 1},
        TextCase{0x8000, {0x38, 0x10}, "asl   <0x10", 2},
        // the prefix followed by itself is the one opcode without a row
        TextCase{0x8000, {0x9E, 0x9E}, "???   (0x9e9e)", -2},
        // opcodes the HCS08 does not have after the prefix
        TextCase{0x8000, {0x9E, 0x12, 0x80}, "???   (0x9e12)", -2},
        TextCase{0x8000, {0x9E, 0x40}, "???   (0x9e40)", -2}));

TEST(DisasmSymbolic, HexWidthFollowsTheValue) {
  EXPECT_EQ(symbolic_value(0x5, 0, nullptr), "0x05");
  EXPECT_EQ(symbolic_value(0x100, 0, nullptr), "0x0100");
  EXPECT_EQ(symbolic_value(0x1C123, 0, nullptr), "0x1c123");
  const FakeLabels labels{{0x100, "buf"}};
  EXPECT_EQ(symbolic_value(0x100, 0, &labels), "buf");
  EXPECT_EQ(symbolic_value(0x110, 16, &labels), "buf+16");
  EXPECT_EQ(symbolic_value(0x111, 16, &labels), "0x0111");
  EXPECT_EQ(symbolic_value(0xFF, 256, &labels), "0xff");  // no label below
}

TEST(DisasmInstrInformation, LengthCyclesAndBytes) {
  struct Case {
    std::vector<uint8_t> bytes;
    int result, length, cycles;
  };
  const Case cases[] = {
      {{0x20, 0xFE}, 1, 2, 3},
      {{0x9E, 0xE6, 0x05}, 1, 3, 4},  // the SP form takes one cycle more than lda 5,x
      {{0xE6, 0x05}, 1, 2, 3},
      {{0x9E, 0xAE}, 1, 2, 5},
      {{0x9E, 0x6B, 0x01, 0xFC}, 1, 4, 8},
      {{0xAC, 0x01, 0x80, 0x00}, 1, 4, 8},
      {{0x83}, 1, 1, 11},
      {{0x9E, 0x9E}, 0, 2, 0},
  };
  for (const Case& c : cases) {
    FakeCode code;
    for (size_t i = 0; i < c.bytes.size(); ++i) code.put(0x8000 + static_cast<uint32_t>(i), {c.bytes[i]});
    int length = -1, cycles = -1;
    uint8_t bytes[4] = {};
    EXPECT_EQ(InstrInformation(code, 0x8000, &length, &cycles, bytes), c.result);
    EXPECT_EQ(length, c.length);
    EXPECT_EQ(cycles, c.cycles);
    if (c.result) {
      for (int i = 0; i < c.length; ++i) EXPECT_EQ(bytes[i], c.bytes[static_cast<size_t>(i)]);
    }
  }
}

}  // namespace
}  // namespace yav
