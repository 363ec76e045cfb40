#include <gtest/gtest.h>

#include <map>

#include "model/read_ahead_memory.h"
#include "model/registers.h"
#include "model/types.h"

namespace yav {
namespace {

TEST(Registers, NamesAndNumbers) {
  struct Case {
    const char* name;
    int number, size;
  } cases[] = {{"a", 16, 1},   {"x", 32, 1},   {"h", 48, 1},    {"cc", 64, 1}, {"hx", 80, 2},
               {"sp", 96, 2},  {"pc", 112, 3}, {"ppc", 128, 1}, {"ppage", 144, 1},
               {"A", 0, 0},    {"p", 0, 0},    {"", 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(registerByName(c.name), c.number) << c.name;
    EXPECT_EQ(registerSize(c.name), c.size) << c.name;
  }
  EXPECT_EQ(registerList(), std::string("a\0x\0h\0cc\0hx\0sp\0pc\0ppc\0ppage\0\0", 29));
  EXPECT_STREQ(registerWindowName(2), "cc");
  EXPECT_EQ(registerWindowName(6), nullptr);
}

TEST(Registers, WritesFollowEachRegistersRule) {
  RegisterFile r;
  r.hx = 0x0034;
  writeRegister(r, REG_H, 0x12);
  EXPECT_EQ(r.hx, 0x1234);
  writeRegister(r, REG_X, 0x1FF);
  EXPECT_EQ(r.hx, 0x12FF);
  writeRegister(r, REG_CC, 0);
  EXPECT_EQ(*readRegister(r, REG_CC), 0x60u);
  writeRegister(r, REG_PC, 0x12345);
  EXPECT_EQ(r.pc, 0x2345);
  writeRegister(r, 0, 7);
  writeRegister(r, 160, 7);
  EXPECT_FALSE(readRegister(r, 0));
  EXPECT_FALSE(readRegister(r, 17));
}

TEST(Registers, PagedProgramCounter) {
  RegisterFile r;
  writeRegister(r, REG_PPC, 0x1C123);
  EXPECT_EQ(r.ppage, 7);
  EXPECT_EQ(r.pc, 0x8123);
  EXPECT_EQ(*readRegister(r, REG_PPC), 0x1C123u);
  writeRegister(r, REG_PPC, 0xF000);
  EXPECT_EQ(r.ppage, 7);
  EXPECT_EQ(r.pc, 0xF000);
  EXPECT_EQ(pagedPc(r), 0xF000u);
  writeRegister(r, REG_PPC, 0x8001);  // inside the window: page 2
  EXPECT_EQ(r.ppage, 2);
  EXPECT_EQ(r.pc, 0x8001);
}

TEST(Registers, RefusedSetRestoresTheOldValue) {
  RegisterFile r;
  r.a = 5;
  EXPECT_FALSE(setRegister(r, REG_A, 9, [](const RegisterFile&) { return false; }));
  EXPECT_EQ(r.a, 5);
  RegisterFile sent;
  EXPECT_TRUE(setRegister(r, REG_HX, 0xBEEF, [&](const RegisterFile& f) {
    sent = f;
    return true;
  }));
  EXPECT_EQ(sent.hx, 0xBEEF);
}

TEST(Registers, FlagsStringAndDump) {
  EXPECT_EQ(flagsString(0xE9), "V.I..C");
  EXPECT_EQ(flagsString(0x68), "..I...");
  EXPECT_EQ(flagsString(0xFF), "VHINZC");
  RegisterFile r = resetRegisters(0xF000);
  EXPECT_EQ(*readRegister(r, REG_SP), 0xFFu);
  EXPECT_EQ(registerDump(r), "cc:..I... a:00 hx:0000 sp:00ff pc:0f000");
}

TEST(Registers, CallingConvention) {
  EXPECT_STREQ(argumentLocation(tc::Char), "reg. a");
  EXPECT_STREQ(argumentLocation(tc::Int), "reg. x:a");
  RegisterFile r;
  setReturnValue(r, tc::Int, 0x1234);
  EXPECT_EQ(returnValue(r), 0x1234u);
  r = {};
  setReturnValue(r, tc::CharEnum, 0x1234);
  EXPECT_EQ(r.hx, 0);
  EXPECT_EQ(r.a, 0x34);
  EXPECT_EQ(frameAdjustment(72), 4);
  EXPECT_EQ(frameAdjustment(0), 0);
}

TEST(Registers, FrameBaseAtEntry) {
  EXPECT_EQ(frameBaseAtEntry(0x1F0, std::nullopt), 0x1F1u);
  EXPECT_EQ(frameBaseAtEntry(0x1F0, RegisterArgument{tc::Char, 0}), 0x1F0u);
  EXPECT_EQ(frameBaseAtEntry(0x1F0, RegisterArgument{tc::Char, 2}), 0x1EFu);
  EXPECT_EQ(frameBaseAtEntry(0x1F0, RegisterArgument{tc::Int, 0}), 0x1EFu);
  EXPECT_EQ(frameBaseAtEntry(0x1F0, RegisterArgument{addPointer(tc::Char), 0}), 0x1EFu);
  EXPECT_EQ(frameBaseAtEntry(0x0, RegisterArgument{tc::Int, 0}), 0x1FFFFu);  // kept within 17 bits
  EXPECT_EQ(argumentSizeClass(tc::CharEnum), 8);
  EXPECT_EQ(argumentSizeClass(tc::IntEnum), 24);
}

// Counts reads so a test can see which ones reached the target.
class CountingMemory : public TargetMemory {
 public:
  std::map<uint32_t, uint8_t> bytes;
  int reads = 0;
  bool read(uint8_t, uint32_t address, std::span<uint8_t> out) override {
    ++reads;
    for (size_t i = 0; i < out.size(); ++i) out[i] = bytes[address + static_cast<uint32_t>(i)];
    return true;
  }
  bool write(uint8_t, uint32_t address, std::span<const uint8_t> in) override {
    for (size_t i = 0; i < in.size(); ++i) bytes[address + static_cast<uint32_t>(i)] = in[i];
    return true;
  }
};

TEST(ReadAheadMemory, ServesReadsInsideTheBlockOnly) {
  CountingMemory target;
  target.bytes[0x100] = 0x12;
  target.bytes[0x101] = 0x34;
  ReadAheadMemory mem(&target);
  ASSERT_TRUE(mem.fill(1, 0x100, 16));
  const int afterFill = target.reads;
  uint16_t w = 0;
  ASSERT_TRUE(mem.readWord(1, 0x100, w));
  EXPECT_EQ(w, 0x1234);
  EXPECT_EQ(target.reads, afterFill);
  mem.readWord(1, 0x10F, w);  // crosses the end of the block
  mem.readWord(2, 0x100, w);  // another address space
  EXPECT_EQ(target.reads, afterFill + 2);
  ASSERT_TRUE(mem.writeBigEndian(1, 0x101, 1, 0x99));
  uint8_t b = 0;
  mem.readByte(1, 0x101, b);
  EXPECT_EQ(b, 0x99);
  EXPECT_EQ(target.bytes[0x101], 0x99);
  // A read-back of the target itself passes the block by.
  const int beforeReadBack = target.reads;
  target.bytes[0x101] = 0x77;
  ASSERT_TRUE(mem.readTarget(1, 0x101, std::span<uint8_t>(&b, 1)));
  EXPECT_EQ(b, 0x77);
  EXPECT_EQ(target.reads, beforeReadBack + 1);
  ASSERT_TRUE(mem.fill(1, 0, 5000));  // the block holds at most 512 bytes
  mem.readByte(1, 600, b);
  EXPECT_EQ(target.reads, afterFill + 5);
}

}  // namespace
}  // namespace yav
