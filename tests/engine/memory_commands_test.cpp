#include "engine/memory_commands.h"
#include "support/fake_target_port.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "model/read_ahead_memory.h"
#include "support/fake_target_memory.h"
#include "support/fake_ui_port.h"

namespace yav {
namespace {

// Target memory that takes writes: like flash, writes in `readOnly` are accepted and change
// nothing; writes in `refused` fail.
class WritableMemory : public test::FakeTargetMemory {
 public:
  bool write(uint8_t space, uint32_t address, std::span<const uint8_t> bytes) override {
    for (size_t i = 0; i < bytes.size(); ++i) {
      const uint32_t a = address + static_cast<uint32_t>(i);
      if (a >= refusedFrom && a < refusedTo) return false;
    }
    writes.push_back(address);
    for (size_t i = 0; i < bytes.size(); ++i) {
      const uint32_t a = address + static_cast<uint32_t>(i);
      if (a < readOnlyFrom || a >= readOnlyTo) put(a, {bytes[i]}, space);
    }
    return true;
  }
  std::vector<uint8_t> bytes(uint32_t address, size_t count) {
    std::vector<uint8_t> out(count);
    EXPECT_TRUE(read(0, address, out));
    return out;
  }
  std::vector<uint32_t> writes;
  uint32_t readOnlyFrom = 0, readOnlyTo = 0;
  uint32_t refusedFrom = 0, refusedTo = 0;
};

// Memory 0x100-0x7FF readable, byte i holding i & 0xFF; 0x600-0x6FF behaves as flash and
// 0x700-0x7FF refuses writes. Errors print to the output as in a command file.
struct MemoryCommandsTest : ::testing::Test {
  test::FakeUiPort ui;
  Kernel k{ui};
  WritableMemory mem;
  MemoryCommandsTest() {
    for (uint32_t a = 0x100; a < 0x800; ++a) mem.put(a, {static_cast<uint8_t>(a)});
    mem.readOnlyFrom = 0x600;
    mem.readOnlyTo = 0x700;
    mem.refusedFrom = 0x700;
    mem.refusedTo = 0x800;
    mem.writes.clear();
    mem.reads = 0;
    k.target = std::make_unique<test::FakeTargetPort>(&mem);
    k.cmdfile.inputMark = true;
  }
  std::string run(const char* line) {
    ui.out.clear();
    runStatements(k, line, 1);
    return ui.out;
  }
};

TEST(DumpLine, EveryRadixAndUnitHasItsFixedWidth) {
  std::array<uint8_t, 16> b{};
  for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<uint8_t>(0xF0 + i);
  struct Case {
    int unit;
    DumpRadix radix;
    const char* first;  // the address and the first unit as printed
  } cases[] = {
      {1, DumpRadix::Hex, "00100 f0 "},
      {2, DumpRadix::Hex, "00100 f0f1 "},
      {4, DumpRadix::Hex, "00100 f0f1f2f3 "},
      {1, DumpRadix::Decimal, "00100 240 "},
      {2, DumpRadix::Decimal, "00100 61681 "},
      {4, DumpRadix::Decimal, "00100 004042388211 "},
      {1, DumpRadix::Octal, "00100 360 "},
      {2, DumpRadix::Octal, "00100 170361 "},
      {4, DumpRadix::Octal, "00100 036074371363 "},
      {1, DumpRadix::Binary, "00100 11110000 "},
      {2, DumpRadix::Binary, "00100 1111000011110001 "},
      {4, DumpRadix::Binary, "00100 11110000111100011111001011110011 "},
  };
  for (const Case& c : cases) {
    const std::string line = dumpLine(0x100, b, c.unit, c.radix, false);
    EXPECT_EQ(line.substr(0, std::string(c.first).size()), c.first) << c.unit;
    const size_t fieldWidth = std::string(c.first).size() - 6;
    EXPECT_EQ(line.size(), 6 + fieldWidth * (16 / static_cast<size_t>(c.unit)) + 1) << line;
    EXPECT_EQ(line.back(), '\n');
  }
}

TEST(DumpLine, SmallValuesAreZeroFilledAndCharactersMasked) {
  const std::array<uint8_t, 16> b{0x00, 0x01, 0x1F, 0x20, 'A',  'z', 0x7E, 0x7F,
                                  0x80, 0xC1, 0xFF, 0xA0, '0', '9', '~',  ' '};
  EXPECT_EQ(dumpLine(0x1a, b, 1, DumpRadix::Hex, true),
            "0001a 00 01 1f 20 41 7a 7e 7f 80 c1 ff a0 30 39 7e 20 ... Az~..A. 09~ \n");
  EXPECT_EQ(dumpLine(0x1c123, b, 2, DumpRadix::Decimal, false),
            "1c123 00001 07968 16762 32383 32961 65440 12345 32288 \n");
}

TEST(DumpReadBlock, FetchesUpTo512BytesAndReusesThem) {
  test::FakeTargetMemory mem;
  std::vector<uint8_t> bytes(0x800);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
  mem.put(0, bytes);
  DumpReadBlock block(mem);
  // 49 lines from 0x100 to 0x400: one transfer of 512 bytes, then one of the 272 left.
  for (uint32_t line = 0x100; line <= 0x400; line += 16) {
    const uint8_t* p = block.line(line, 0x400 + 16 - line);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[5], bytes[line + 5]);
  }
  EXPECT_EQ(block.transfers(), 2);
  EXPECT_EQ(mem.reads, 2);
  // A line outside the block (here before it) is fetched again.
  EXPECT_NE(block.line(0x80, 16), nullptr);
  EXPECT_EQ(mem.reads, 3);
  EXPECT_EQ(block.line(0x7F8, 16), nullptr);  // runs into unreadable memory
}

TEST_F(MemoryCommandsTest, DumpPrintsLinesWhileNotAboveTheEnd) {
  EXPECT_EQ(run("dump 0x100,0x10"),
            "00100 00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f \n"
            "00110 10 11 12 13 14 15 16 17 18 19 1a 1b 1c 1d 1e 1f \n");
  EXPECT_EQ(run("dump 0x100 0x10f"), "00100 00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f \n");
  EXPECT_EQ(run("dump /W /F:d 0x140 0x141"), "00140 16449 16963 17477 17991 18505 19019 19533 20047 \n");
  EXPECT_EQ(run("dump /l /a 0x140,1"), "00140 40414243 44454647 48494a4b 4c4d4e4f @ABCDEFGHIJKLMNO\n");
  EXPECT_EQ(run("dump /f:Bb 0x103 0x104"),
            "00103 00000011 00000100 00000101 00000110 00000111 00001000 00001001 00001010 00001011 "
            "00001100 00001101 00001110 00001111 00010000 00010001 00010010 \n");
  EXPECT_EQ(run("dump 0x100+0x20 , 2*8 ; dump 0x100,1"),
            "00120 20 21 22 23 24 25 26 27 28 29 2a 2b 2c 2d 2e 2f \n"
            "00130 30 31 32 33 34 35 36 37 38 39 3a 3b 3c 3d 3e 3f \n"
            "00100 00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f \n");
}

TEST_F(MemoryCommandsTest, DumpReadsTheRangeInBlocksOf512Bytes) {
  run("dump 0x100 0x400");
  EXPECT_EQ(mem.reads, 2);
  EXPECT_EQ(std::count(ui.out.begin(), ui.out.end(), '\n'), 49);
}

TEST_F(MemoryCommandsTest, ErrorsPrintTheirMessageAndDropTheRestOfTheLine) {
  struct Case {
    const char* line;
    const char* output;
  } cases[] = {
      {"dump /x 0x100,1; mm 0x100 9", "#error:  Unknown Option x 0x100,1; mm 0x100 9\n"},
      {"dump /f 0x100,1", "#error:  Wrong option \n"},
      {"dump /w/b 0x100,1", "#error:  Unknown Option /b 0x100,1\n"},
      {"dump /f:q 0x100,1", "#error:  Wrong Option for /F \n"},
      {"dump /f:", "#error:  Wrong Option for /F \n"},
      {"dump", "#error:  Wrong Start Address for DUMP \n"},
      {"dump nosuch,1", "#error:  Wrong Start Address for DUMP \n"},
      {"dump 0x100", "#error:  Wrong Size or End Address for DUMP \n"},
      {"dump 0x100,", "#error:  Wrong Size or End Address for DUMP \n"},
      {"dump 0x100 0x100; mm 0x100 9", "#error:  Wrong Range for DUMP \n"},
      {"dump 0x200 0x100", "#error:  Wrong Range for DUMP \n"},
      {"dump 0xfffffff0,0x10", "#error:  Wrong Range for DUMP \n"},
      {"dump 0x7f8,8", "#error: read error at: 0x     7f8\n"},
      {"fill /q 0x100,1 0", "#error:  Unknown Option q 0x100,1 0\n"},
      {"fill", "#error:  Wrong Start Address for FILL \n"},
      {"fill 0x100", "#error:  Wrong Size or End Address for FILL \n"},
      {"fill 0x100,0 1; mm 0x100 9", "#error:  Illegal count (zero) \n"},
      {"fill 0x100 0xff 1", "#error:  Wrong Range for FILL \n"},
      {"fill 0xffffffff,2 1", "#error:  Wrong Range for FILL \n"},
      {"fill 0x100,4", "#error:  Missing Filler Value \n"},
      {"fill 0x100,4 nosuch", "#error:  Missing Filler Value \n"},
      {"mm /x 0x100 1", "#error:  Unknown Option x 0x100 1\n"},
      {"mm", "#error:  Wrong Start Address for FILL \n"},
      {"mm 0x100", "#error:  Missing Value \n"},
      {"mm 0x100,", "#error:  Missing Value \n"},
      {"mm 0x100,1e20", "#error:  Missing Value \n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.line), c.output) << c.line;
    EXPECT_TRUE(mem.writes.empty()) << c.line;
  }
}

TEST_F(MemoryCommandsTest, WithoutTargetEveryCommandSaysSo) {
  k.target.reset();
  for (const char* line : {"dump 0x100,1", "fill 0x100,1 0", "mm 0x100 0"}) {
    EXPECT_EQ(run(line), "#error: No target connected\n") << line;
  }
}

TEST_F(MemoryCommandsTest, FillAndMmWriteUnitsBigEndian) {
  struct Case {
    const char* line;
    std::vector<uint8_t> from0x100;  // the bytes at 0x100 afterwards
  } cases[] = {
      {"fill 0x100,4 0xab", {0xab, 0xab, 0xab, 0xab, 0x04}},
      {"fill 0x101 0x102 0x1ff", {0x00, 0xff, 0xff, 0x03}},
      {"fill 0x100,2,-1", {0xff, 0xff, 0x02}},
      {"fill /w 0x100,4 0x1234", {0x12, 0x34, 0x12, 0x34, 0x04}},
      // An odd range: whole words up to the last start address not above the end.
      {"fill /W 0x100,3 0xabcd", {0xab, 0xcd, 0xab, 0xcd, 0x04}},
      {"fill /l 0x100 0x104 0x11223344", {0x11, 0x22, 0x33, 0x44, 0x11, 0x22, 0x33, 0x44, 0x08}},
      {"mm 0x100 0x1234", {0x34, 0x01}},
      {"mm /w 0x100,0xabcd", {0xab, 0xcd, 0x02}},
      {"mm /L 0x101 0x11223344", {0x00, 0x11, 0x22, 0x33, 0x44, 0x05}},
      {"mm 0x100 65.7", {0x41, 0x01}},
      {"mm 0x100,-2.5", {0xfe, 0x01}},
      {"mm 0x100 'x'", {'x', 0x01}},
  };
  for (const Case& c : cases) {
    for (uint32_t a = 0x100; a < 0x110; ++a) mem.put(a, {static_cast<uint8_t>(a)});
    EXPECT_EQ(run(c.line), "") << c.line;
    EXPECT_EQ(mem.bytes(0x100, c.from0x100.size()), c.from0x100) << c.line;
  }
  EXPECT_EQ(ui.refreshed.back(), kViewMemory);
}

TEST_F(MemoryCommandsTest, VerifyStopsAtTheFirstUnitThatDoesNotHoldItsValue) {
  EXPECT_EQ(run("fill /v 0x5fe,4 0x55"), "#error:  NO Verify at: 0x     600\n");
  EXPECT_EQ(mem.writes, (std::vector<uint32_t>{0x5fe, 0x5ff, 0x600}));
  EXPECT_EQ(mem.bytes(0x5fe, 4), (std::vector<uint8_t>{0x55, 0x55, 0x00, 0x01}));

  mem.writes.clear();
  EXPECT_EQ(run("fill /wv 0x5fd,8 0x1234"), "#error:  NO Verify at: 0x     5ff\n");
  EXPECT_EQ(mem.writes, (std::vector<uint32_t>{0x5fd, 0x5ff}));

  mem.writes.clear();
  EXPECT_EQ(run("fill 0x5fe,4 0x55"), "");  // without /V the fill goes on silently
  EXPECT_EQ(mem.writes.size(), 4u);

  EXPECT_EQ(run("fill /v 0x100,0x20 0x5a"), "");
}

TEST_F(MemoryCommandsTest, VerifyReadsTheTargetNotAWindowsReadAheadCopy) {
  // A window's read-ahead block over the flash: the write updates the block's copy, but the
  // target still holds its old bytes, and the verification must see those.
  ReadAheadMemory windowed(&mem);
  ASSERT_TRUE(windowed.fill(0, 0x5f0, 0x20));
  k.target = std::make_unique<test::FakeTargetPort>(&windowed);
  EXPECT_EQ(run("fill /v 0x5fe,4 0x55"), "#error:  NO Verify at: 0x     600\n");
  EXPECT_EQ(run("fill /wv 0x5f0,4 0x1234"), "");
}

TEST_F(MemoryCommandsTest, RefusedWritesAreReportedAndEndTheFill) {
  EXPECT_EQ(run("fill 0x6fe,4 1"), "#error: write error at: 0x     700\n");
  EXPECT_EQ(mem.writes.size(), 2u);
  EXPECT_EQ(run("mm /w 0x6ff 1"), "#error: write error at: 0x     6ff\n");
}

TEST_F(MemoryCommandsTest, RandomFillTakesNoValueAndDrawsAFreshNumberPerUnit) {
  EXPECT_EQ(run("fill /r 0x100,0x100"), "");
  const std::vector<uint8_t> first = mem.bytes(0x100, 0x100);
  EXPECT_EQ(mem.writes.size(), 0x100u);
  EXPECT_GT(std::set<uint8_t>(first.begin(), first.end()).size(), 64u);

  EXPECT_EQ(run("fill /R 0x100 0x1ff"), "");
  EXPECT_NE(mem.bytes(0x100, 0x100), first);  // a new seed for each command

  mem.writes.clear();
  EXPECT_EQ(run("fill /r /l /v 0x200,0x10"), "");
  EXPECT_EQ(mem.writes, (std::vector<uint32_t>{0x200, 0x204, 0x208, 0x20c}));
  EXPECT_EQ(run("fill /rWV 0x5fe,4"), "#error:  NO Verify at: 0x     600\n");
}

TEST_F(MemoryCommandsTest, ALongDumpStopsWhenTheUserAsks) {
  ui.out.clear();
  ui.nextPump.stop = true;
  cmd_dump(k, "0x100 0x7ef", 1);
  EXPECT_EQ(std::count(ui.out.begin(), ui.out.end(), '\n'), 32);
  EXPECT_TRUE(k.exec.stopreq);
}

TEST_F(MemoryCommandsTest, HandlersReturnWhereTheArgumentsEnd) {
  EXPECT_STREQ(cmd_mm(k, "0x100 1 ;rem", 1), ";rem");
  EXPECT_STREQ(cmd_fill(k, "0x100,2 3;rem", 1), ";rem");
  EXPECT_STREQ(cmd_dump(k, "0x100,1;rem", 1), ";rem");
  EXPECT_STREQ(cmd_dump(k, "0x100 0x100;rem", 1), "");
}

}  // namespace
}  // namespace yav
