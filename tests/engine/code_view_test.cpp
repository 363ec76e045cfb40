// Target code as text over the demo program: instruction lengths and listing lines read from the
// kernel's target memory, with the program's labels as operands, and the `disa` listing.
#include "engine/code_view.h"

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "display_fixture.h"
#include "model/symbols.h"

namespace yav {
namespace {

// Free memory of the demo's board: no label of the program lies at or near it.
constexpr uint32_t kScratch = 0x1000;

class CodeViewTest : public test::DisplayFixture {
 protected:
  void put(uint32_t at, std::initializer_list<uint8_t> bytes) {
    for (uint8_t b : bytes) ram.bytes[at++] = b;
  }
  static std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
  }
  static std::string hex5(uint32_t a) {
    char b[16];
    std::snprintf(b, sizeof b, "0x%05x", a);
    return b;
  }
};

// Lengths from the HC08 opcode map: prefix, operand bytes, a 16-bit immediate for ldhx.
TEST_F(CodeViewTest, InstructionLengthsFollowTheOpcodeMap) {
  struct Case {
    std::initializer_list<uint8_t> bytes;
    int length;
  };
  const Case cases[] = {
      {{0x8B}, 1},              // pshh
      {{0x20, 0xFE}, 2},        // bra
      {{0xE6, 0x05}, 2},        // lda 5,x
      {{0x9E, 0xE6, 0x05}, 3},  // lda 5,sp
      {{0x45, 0x12, 0x34}, 3},  // ldhx #0x1234
      {{0xCD, 0x20, 0x80}, 3},  // jsr extended
      {{0x00, 0x80, 0x10}, 3},  // brset 0,<0x80,target
      {{0x9E, 0xDE, 0x00, 0x04}, 4},  // ldx 4,sp with a 16-bit offset
      {{0x9E, 0x9E}, 1},        // no such instruction: step over one byte
  };
  for (const Case& c : cases) {
    put(kScratch, c.bytes);
    EXPECT_EQ(instructionLength(k, kScratch), c.length) << "first byte " << int(*c.bytes.begin());
  }
  // Past the end of the board's memory nothing can be read.
  EXPECT_EQ(instructionLength(k, 0x10000), 1);
}

TEST_F(CodeViewTest, LineShowsAddressBytesAndTextAndMovesPastTheInstruction) {
  put(kScratch, {0x9E, 0xE6, 0x05, 0x20, 0xFE});
  uint32_t at = kScratch;
  EXPECT_EQ(disassemblyLine(k, at), "    0x01000 9ee605       lda   5,sp");
  EXPECT_EQ(at, kScratch + 3);
  // A branch to itself names its own address.
  EXPECT_EQ(disassemblyLine(k, at), "    0x01003 20fe         bra   0x1003");
  EXPECT_EQ(at, kScratch + 5);
}

TEST_F(CodeViewTest, OperandsAndLabelLinesUseTheProgramsLabels) {
  const uint32_t main = address("main");
  put(kScratch, {0xCD, static_cast<uint8_t>(main >> 8), static_cast<uint8_t>(main), 0xCD,
                 static_cast<uint8_t>((main + 3) >> 8), static_cast<uint8_t>(main + 3)});
  uint32_t at = kScratch;
  // The compiler gives a C function the label of its name with a leading underscore.
  EXPECT_EQ(disassemblyLine(k, at), "    0x01000 cd" + hex5(main).substr(3) + "       jsr   _main");
  EXPECT_EQ(disassemblyLine(k, at), "    0x01003 cd" + hex5(main + 3).substr(3) + "       jsr   _main+3");

  at = main;
  const std::vector<std::string> l = lines(disassemblyLine(k, at));
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0], "    " + hex5(main) + "        _main:");
  EXPECT_EQ(l[1].substr(0, 14), "    " + hex5(main) + " " + bytesAt(main, 1));
  EXPECT_EQ(at, main + static_cast<uint32_t>(instructionLength(k, main)));
}

TEST_F(CodeViewTest, DebuggerVariablesNeverNameCode) {
  run("u .mark = 0x1003");
  put(kScratch, {0x20, 0x01, 0x9D});  // bra to the nop after it
  uint32_t at = kScratch;
  EXPECT_EQ(disassemblyLine(k, at), "    0x01000 2001         bra   0x1003");
  EXPECT_EQ(disassemblyLine(k, at), "    0x01002 9d           nop   ");
}

TEST_F(CodeViewTest, CodeLabelIsPreferredAtTheSameAddress) {
  LabelTable& labels = k.prog.program->labels;
  labels.dropLabels();
  LabelEntry data;
  data.value = kScratch;
  data.name = "buffer";
  labels.append(data);
  LabelEntry code = data;
  code.kind = 5;
  code.name = "start";
  labels.append(code);
  labels.order();
  put(kScratch, {0x20, 0xFE});
  uint32_t at = kScratch;
  EXPECT_EQ(disassemblyLine(k, at), "    0x01000        start:\n    0x01000 20fe         bra   start");
}

TEST_F(CodeViewTest, PcMarkerAtTheCurrentInstruction) {
  put(kScratch, {0x9D, 0x9D});
  run("u $pc = 0x1001");
  uint32_t at = kScratch;
  EXPECT_EQ(disassemblyLine(k, at), "    0x01000 9d           nop   ");
  EXPECT_EQ(disassemblyLine(k, at), "--> 0x01001 9d           nop   ");
}

TEST_F(CodeViewTest, DisaListsSixteenInstructionsAndContinues) {
  for (uint32_t a = kScratch; a < kScratch + 40; ++a) ram.bytes[a] = 0x9D;
  const std::vector<std::string> first = lines(run("disa 0x1000"));
  ASSERT_EQ(first.size(), 16u);
  for (uint32_t i = 0; i < 16; ++i) EXPECT_EQ(first[i], "    " + hex5(kScratch + i) + " 9d           nop   ");
  const std::vector<std::string> next = lines(run("disa"));
  ASSERT_EQ(next.size(), 16u);
  EXPECT_EQ(next[0].substr(0, 12), "    " + hex5(kScratch + 16) + " ");
  // A change of state (here the PC) starts again at the PC.
  run("u $pc = 0x1004");
  const std::vector<std::string> atPc = lines(run("disa"));
  ASSERT_EQ(atPc.size(), 16u);
  EXPECT_EQ(atPc[0], "--> " + hex5(kScratch + 4) + " 9d           nop   ");
}

TEST_F(CodeViewTest, DisaTakesExpressionsAndLabelNames) {
  const std::string byFunction = run("disa main");
  EXPECT_EQ(lines(byFunction)[0], "    " + hex5(address("main")) + "        _main:");
  EXPECT_EQ(run("disa _main"), byFunction);
  EXPECT_EQ(lines(run("disa 0x800 + 0x800")).front().substr(0, 12), "    0x01000 ");
}

TEST_F(CodeViewTest, DisaRefusesBadAddressesAndAMissingTarget) {
  for (const char* line : {"disa nosuch", "disa 1 +", "disa main junk"}) {
    const std::string out = run(line);
    EXPECT_EQ(out.rfind("#error: Wrong address for DISA: ", 0), 0u) << line << ": " << out;
    EXPECT_EQ(lines(out).size(), 1u) << line << ": " << out;
  }
  targetPort->isConnected = false;
  EXPECT_EQ(run("disa"), "#error: No target connected\n");
  EXPECT_EQ(run("disa main"), "#error: No target connected\n");
}

}  // namespace
}  // namespace yav
