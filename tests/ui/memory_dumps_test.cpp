// Memory window files and the fill: S-records with their checksums, the code dump's layout,
// the data dump, and a verified fill over memory that does not keep what is written.
#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <set>

#include "memory_test_memory.h"
#include "model/format.h"
#include "support/fake_target_port.h"
#include "support/fake_ui_port.h"
#include "ui/memory_dumps.h"
#include "ui/memory_fill.h"

namespace yav {
namespace {

// An S-record's checksum as the format defines it: the one's complement of the low byte of the
// sum of the count, address and data bytes.
std::string withChecksum(const std::string& typeAndHex) {
  unsigned sum = 0;
  for (size_t i = 2; i + 1 < typeAndHex.size(); i += 2) sum += std::stoul(typeAndHex.substr(i, 2), nullptr, 16);
  char cs[3];
  std::snprintf(cs, sizeof cs, "%02X", ~sum & 0xFF);
  return typeAndHex + cs;
}

TEST(SRecordDump, ThirtyThreeBytesGiveAFullRecordAndARemainder) {
  test::MemoryWindowMemory mem;
  mem.fillWith(0x1000, 0x1021, [](uint32_t a) { return a - 0x1000; });
  std::string data;
  for (int i = 0; i < 32; ++i) data += fmtstr("%+02hc", i);
  for (char& c : data) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  // Worked by hand: 0x23 + 0x10 + 0x00 + (0 + 1 + ... + 31 = 0x1F0) = 0x223, so 0xDC; and
  // 0x04 + 0x10 + 0x20 + 0x20 = 0x54, so 0xAB.
  const std::string expected = "S1231000" + data + "DC\nS104102020AB\nS903FFFFFE\n";
  EXPECT_EQ(srecordText(mem, 0x1000, 0x1020), expected);
  EXPECT_EQ(withChecksum("S1231000" + data), "S1231000" + data + "DC");
}

TEST(SRecordDump, ARangeReachingPast0xFFFFUsesS2RecordsThroughout) {
  test::MemoryWindowMemory mem;
  mem.put(0xFFFE, {0x12, 0xAA, 0x55});
  EXPECT_EQ(srecordText(mem, 0xFFFE, 0x10000),
            withChecksum("S20700FFFE12AA55") + "\nS804FFFFFFFE\n");
  EXPECT_EQ(srecordText(mem, 0xFFFE, 0xFFFF), withChecksum("S105FFFE12AA") + "\nS903FFFFFE\n");
  // Addresses are 17 bits: 0x2FFFE is 0x0FFFE.
  EXPECT_EQ(srecordText(mem, 0x2FFFE, 0x2FFFF), srecordText(mem, 0xFFFE, 0xFFFF));
  EXPECT_EQ(srecordText(mem, 0x10000, 0xFFFF), std::nullopt);
  EXPECT_EQ(srecordText(mem, 0x0FF0, 0x0FFF), std::nullopt);  // unreadable
}

TEST(SRecordDump, MemoryComesThroughACacheOf512Bytes) {
  test::MemoryWindowMemory mem;
  mem.fillWith(0x100, 0x600, [](uint32_t a) { return a * 7; });
  SRecordCache cache(mem, 0x4FF);
  uint8_t b = 0;
  for (uint32_t a = 0x100; a <= 0x4FF; ++a) {
    ASSERT_TRUE(cache.byte(a, b));
    EXPECT_EQ(b, static_cast<uint8_t>(a * 7));
  }
  EXPECT_EQ(mem.readLengths, (std::vector<size_t>{512, 512}));
}

// Code bytes of a test.
class Code : public CodeReader {
 public:
  std::map<uint32_t, uint8_t> bytes;
  uint8_t read_byte(uint32_t a) const override {
    auto it = bytes.find(a);
    return it == bytes.end() ? 0x9D : it->second;  // nop
  }
};

TEST(CodeDump, BytesArePaddedToSixColumnsBeforeTheText) {
  Code code;
  code.bytes = {{0x2000, 0x8B}, {0x2001, 0xA6}, {0x2002, 0x05}, {0x2003, 0x9E}, {0x2004, 0xE6}, {0x2005, 0x05}};
  const std::string dump = codeDumpText(code, nullptr, 0x2000, 0x2003);
  EXPECT_EQ(dump,
            "02000  8b          pshh  \n"    // one byte: ten blanks
            "02001  a605        lda   #0x05\n"
            "02003  9ee605      lda   5,sp\n");
  EXPECT_EQ(codeDumpText(code, nullptr, 0x12000, 0x12000).substr(0, 7), "12000  ");
}

TEST(DataDump, RowsInTheWindowsLayout) {
  test::MemoryWindowMemory mem;
  mem.fillWith(0x100, 0x120, [](uint32_t a) { return a == 0x101 ? 0x41 : a; });
  EXPECT_EQ(dataDumpText(mem, 0x100, 0x105, DataLayout{2, MemBase::Hex, true, 4}),
            "00100 0041 0203 .A..\n00104 0405 0607 ....\n");
  EXPECT_EQ(dataDumpText(mem, 0x110, 0x112, DataLayout{1, MemBase::Octal, false, 4}), "00110 020 021 022 023 \n");
  EXPECT_EQ(dataDumpText(mem, 0x11C, 0x121, DataLayout{1, MemBase::Hex, false, 4}), std::nullopt);
}

TEST(DumpFile, AFileThatCannotBeCreatedIsReported) {
  test::FakeUiPort ui;
  Kernel k{ui};
  EXPECT_FALSE(writeDumpFile(k, "/nonexistent-dir/x.mem", "S903FFFFFE\n"));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0], "Error: Can't write /nonexistent-dir/x.mem\n");
}

struct FillTest : ::testing::Test {
  test::FakeUiPort ui;
  Kernel k{ui};
  test::MemoryWindowMemory mem;
  FillTest() {
    mem.fillWith(0x100, 0x200, [](uint32_t) { return 0; });
    mem.readOnlyFrom = 0x180;  // keeps nothing written to it
    mem.readOnlyTo = 0x200;
  }
};

TEST_F(FillTest, VerifyStopsAtTheFirstItemThatDoesNotKeepItsValue) {
  const FillOutcome o = fillMemory(mem, FillRequest{2, 0x17C, 0x18F, 0x1234, false, true});
  EXPECT_FALSE(o.ok);
  EXPECT_EQ(o.failedAt, 0x180u);
  EXPECT_EQ(mem.writes, (std::vector<uint32_t>{0x17C, 0x17E, 0x180}));
  EXPECT_EQ(mem.at(0x17E), 0x12);
  EXPECT_EQ(mem.at(0x17F), 0x34);

  mem.writes.clear();
  EXPECT_TRUE(fillMemory(mem, FillRequest{2, 0x17C, 0x18F, 0x1234, false, false}).ok);  // no verify: on to the end
  EXPECT_EQ(mem.writes.size(), 10u);

  EXPECT_TRUE(fillMemory(mem, FillRequest{4, 0x100, 0x107, 0xCAFEF00D, false, true}).ok);
  EXPECT_EQ(mem.at(0x100), 0xCA);
  EXPECT_EQ(mem.at(0x107), 0x0D);
}

TEST_F(FillTest, RandomFillRepeatsFromItsSeed) {
  ASSERT_TRUE(fillMemory(mem, FillRequest{1, 0x100, 0x13F, 0, true, true}).ok);
  std::vector<uint8_t> first;
  for (uint32_t a = 0x100; a < 0x140; ++a) first.push_back(mem.at(a));
  EXPECT_GT(std::set<uint8_t>(first.begin(), first.end()).size(), 16u);
  ASSERT_TRUE(fillMemory(mem, FillRequest{1, 0x100, 0x13F, 0, true, true}).ok);
  for (uint32_t a = 0x100; a < 0x140; ++a) EXPECT_EQ(mem.at(a), first[a - 0x100]);
}

TEST_F(FillTest, DialogFieldsAreCheckedInOrder) {
  auto check = [this](FillDialogFields f) {
    ui.boxes.clear();
    const auto r = checkFillFields(k, f);
    if (r) return std::string("ok");
    std::string box = ui.boxes.empty() ? "" : ui.boxes.back();
    if (!box.empty() && box.back() == '\n') box.pop_back();
    return box;
  };
  EXPECT_EQ(check({1, "5", "0x100", "0x10f", false, false}), "ok");
  EXPECT_EQ(check({1, "5", "0x1zz", "0x10f", false, false}), "Error: Wrong Start Address");
  EXPECT_EQ(check({1, "5", "0x100", "", false, false}), "Error: Wrong End Address");
  EXPECT_EQ(check({1, "5", "0x100", "0xff", false, false}), "Error: Wrong End Address");
  EXPECT_EQ(check({1, "", "0x100", "0x10f", false, false}), "Error: Wrong value");
  EXPECT_EQ(check({1, "", "0x100", "0x10f", true, false}), "ok");
  const auto r = checkFillFields(k, {4, "0x10 + 2", "data:0x100", "0x100 + 15", false, true});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->value, 0x12u);
  EXPECT_EQ(r->to, 0x10Fu);
  EXPECT_EQ(r->size, 4);
}

TEST_F(FillTest, TheWindowsFillReportsTheStatusAndTheFailingAddress) {
  k.target = std::make_unique<test::FakeTargetPort>(&mem);
  EXPECT_FALSE(runFill(k, FillRequest{1, 0x17E, 0x181, 7, false, true}));
  EXPECT_EQ(ui.leftStatusLog, (std::vector<std::string>{"Filling Memory", "Command"}));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_NE(ui.boxes[0].find(" NO Verify at: 0x     180"), std::string::npos) << ui.boxes[0];
  EXPECT_EQ(ui.refreshed.back() & kViewMemory, kViewMemory);

  // Escape during a long fill ends it at the next pump.
  mem.fillWith(0x1000, 0x2000, [](uint32_t) { return 0; });
  mem.writes.clear();
  ui.stopAfterPumps = 1;
  EXPECT_TRUE(runFill(k, FillRequest{1, 0x1000, 0x1FFF, 7, false, false}));
  EXPECT_EQ(mem.writes.size(), 512u);
  EXPECT_TRUE(k.exec.stopreq);
}

}  // namespace
}  // namespace yav
