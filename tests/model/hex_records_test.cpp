// The S-record / Intel hex reader shared by the loader, verify, yav-objconv and the simulator.
#include "model/hex_records.h"

#include <gtest/gtest.h>

namespace yav::hexrec {
namespace {

using Bytes = std::vector<uint8_t>;

// Reads `lines` one by one; the records read, or the first error.
struct ReadAll {
  std::vector<Record> records;
  std::string error;
};
ReadAll readLines(std::initializer_list<std::string_view> lines) {
  ReadAll r;
  LineReader reader;
  for (std::string_view l : lines) {
    Record rec;
    if (!reader.read(l, rec)) {
      r.error = reader.error();
      break;
    }
    r.records.push_back(rec);
  }
  return r;
}

TEST(HexRecords, DataRecordsReachTheirPagedAddress) {
  // Paged file addresses are page << 16 | address in the window 0x8000-0xBFFF; the debugger's
  // form is page << 14 | (address & 0x3FFF): page 7 at 0x8000 is 0x1C000 (QE128 flash).
  struct Case {
    std::string_view line;
    uint32_t fileAddress, target;
    Bytes data;
  };
  const Case cases[] = {
      {"S106800001020373", 0x8000, 0x8000, {1, 2, 3}},
      {"s106800001020373\r", 0x8000, 0x8000, {1, 2, 3}},
      {"S207078000A65581F5", 0x078000, 0x1C000, {0xA6, 0x55, 0x81}},
      {"S2080180000A0B0C0D48", 0x018000, 0x4000, {0x0A, 0x0B, 0x0C, 0x0D}},
      {"S105FFFE80106D", 0xFFFE, 0xFFFE, {0x80, 0x10}},
  };
  for (const Case& c : cases) {
    ReadAll r = readLines({c.line});
    ASSERT_EQ(r.error, "") << c.line;
    const Record& rec = r.records.at(0);
    EXPECT_EQ(rec.kind, Record::Kind::Data) << c.line;
    EXPECT_EQ(rec.address, c.fileAddress) << c.line;
    EXPECT_EQ(rec.target, c.target) << c.line;
    EXPECT_EQ(rec.data, c.data) << c.line;
  }
}

TEST(HexRecords, OtherSRecordKinds) {
  ReadAll r = readLines({"S00600004844521B", "", "$ comment", "S5030003F9", "S90380106C"});
  ASSERT_EQ(r.error, "");
  ASSERT_EQ(r.records.size(), 5u);
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(r.records[i].kind, Record::Kind::None) << i;
  EXPECT_EQ(r.records[4].kind, Record::Kind::Start);
  EXPECT_EQ(r.records[4].address, 0x8010u);
  EXPECT_TRUE(r.records[4].last);
}

TEST(HexRecords, IntelHexAddressRecordsAndEnd) {
  ReadAll r = readLines({":020000040007F3", ":02800000A65583", ":0200000270008C", ":01800000017E",
                         ":040000050000801067", ":00000001FF"});
  ASSERT_EQ(r.error, "");
  ASSERT_EQ(r.records.size(), 6u);
  EXPECT_EQ(r.records[1].address, 0x078000u);  // extended linear address 0x0007
  EXPECT_EQ(r.records[1].target, 0x1C000u);
  EXPECT_EQ(r.records[1].data, (Bytes{0xA6, 0x55}));
  EXPECT_EQ(r.records[3].address, 0x078000u);  // extended segment 0x7000 * 16
  EXPECT_EQ(r.records[4].kind, Record::Kind::Start);
  EXPECT_EQ(r.records[4].address, 0x8010u);
  EXPECT_TRUE(r.records[5].last);
}

TEST(HexRecords, BadLinesSayWhereAndWhat) {
  struct Case {
    std::initializer_list<std::string_view> lines;
    const char* error;
  };
  const Case cases[] = {
      {{"hello"}, "line 1: neither an S-record nor an Intel hex record"},
      {{"S106800001020373", ":00000001FF"}, "line 2: Intel hex record among S-records"},
      {{":00000001FF", "S106800001020373"}, "line 2: S-record among Intel hex records"},
      {{"S"}, "line 1: no record type after 'S'"},
      {{"SX06800001020373"}, "line 1: no record type after 'S'"},
      {{"S10680000102037"}, "line 1: bad hexadecimal digits"},
      {{"S1068000010203 73"}, "line 1: bad hexadecimal digits"},
      {{"S10680G001020373"}, "line 1: bad hexadecimal digits"},
      {{"S1"}, "line 1: bad hexadecimal digits"},
      {{"S107800001020373"}, "line 1: byte count does not match the record"},
      {{"S106800001020374"}, "line 1: bad checksum"},
      {{"S4030000FC"}, "line 1: unknown record type S4"},
      {{"S30401000AF0"}, "line 1: record too short for its address"},
      {{"S105FFFF0102F9"}, "line 1: data runs past 0xFFFF (address 0xFFFF)"},
      {{"S20501C0000138"}, "line 1: paged address outside the window 0x8000-0xBFFF (address 0x1C000)"},
      {{"S20707BFFE0102032E"}, "line 1: data runs past the end of the page window (address 0x7BFFE)"},
      {{"S306010080000177"}, "line 1: page above 0xFF (address 0x1008000)"},
      {{":0"}, "line 1: bad hexadecimal digits"},
      {{":01800000017F"}, "line 1: bad checksum"},
      {{":02800000017D"}, "line 1: byte count does not match the record"},
      {{":0100000400FB"}, "line 1: address record without 2 data bytes"},
      {{":020000050000F9"}, "line 1: start address record without 4 data bytes"},
      {{":00000006FA"}, "line 1: unknown record type 0x6"},
      {{":020000040001F9", ":01C00000013E"}, "line 2: paged address outside the window 0x8000-0xBFFF (address 0x1C000)"},
      {{std::string_view("S1068\0" "00001020373", 17)}, "line 1: bad hexadecimal digits"},
  };
  for (const Case& c : cases) {
    ReadAll r = readLines(c.lines);
    EXPECT_EQ(r.error, c.error) << *c.lines.begin();
  }
  const std::string longLine = "S1" + std::string(kMaxLineLength, '0');
  EXPECT_EQ(readLines({longLine}).error, "line 1: line too long");
}

TEST(HexRecords, WholeImageJoinsRunsAndLaterRecordsWin) {
  Image image;
  std::string error;
  ASSERT_TRUE(readImage("S106800001020373\nS10480040473\nS1058002090966\nS105FFFE80106D\n"
                        "S207078000A65581F5\nS90380106C\nS1FF garbage after the end\n",
                        image, error))
      << error;
  ASSERT_EQ(image.blocks.size(), 3u);
  EXPECT_EQ(image.blocks[0].address, 0x8000u);
  EXPECT_EQ(image.blocks[0].bytes, (Bytes{1, 2, 9, 9, 4}));
  EXPECT_EQ(image.blocks[1].address, 0xFFFEu);
  EXPECT_EQ(image.blocks[2].address, 0x1C000u);
  EXPECT_EQ(image.start, 0x8010u);

  EXPECT_FALSE(readImage("S00600004844521B\n", image, error));
  EXPECT_EQ(error, "no data records");
  EXPECT_FALSE(readImage("S106800001020373\nS106800001020374\n", image, error));
  EXPECT_EQ(error, "line 2: bad checksum");
}

TEST(HexRecords, ResetVectorNeedsBothBytes) {
  ResetVector v;
  EXPECT_FALSE(v.value());
  v.note(0xFFF0, Bytes(15, 0));  // up to 0xFFFE
  EXPECT_FALSE(v.value());
  v.note(0xFFFF, {0x34});
  EXPECT_EQ(v.value(), 0x0034u);
  v.note(0xFFFE, {0x80, 0x10});
  EXPECT_EQ(v.value(), 0x8010u);
  ResetVector paged;
  paged.note(0x1FFFE, {0x12, 0x34});  // page 7's copy of the vector area is not the vector
  EXPECT_FALSE(paged.value());
}

}  // namespace
}  // namespace yav::hexrec
