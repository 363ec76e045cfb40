// S-record and Intel hex reading, good files and every kind of bad line.
#include <gtest/gtest.h>

#include "sim/image_loader.h"

namespace yav::sim {
namespace {

TEST(SimImageLoader, SRecordsOfAllAddressSizes) {
  const ImageLoad r = parse_image(
      "S00600004844521B\n"
      "S1068000A6019D35\r\n"
      "S207078123112233E7\n"
      "S30800008010AABBCC36\n"
      "S90380007C\n");
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.blocks.size(), 3u);  // in address order
  EXPECT_EQ(r.blocks[0].address, 0x8000u);
  EXPECT_EQ(r.blocks[0].bytes, (std::vector<uint8_t>{0xA6, 0x01, 0x9D}));
  EXPECT_EQ(r.blocks[1].address, 0x8010u);
  EXPECT_EQ(r.blocks[2].address, 0x1C123u);  // page 7, 0x8123
  EXPECT_EQ(r.blocks[2].bytes, (std::vector<uint8_t>{0x11, 0x22, 0x33}));
}

TEST(SimImageLoader, IntelHex) {
  const ImageLoad r = parse_image(
      ":0380000045010037\n"
      ":0380030094CC809A\n"
      ":02FFFE00800081\n"
      ":00000001FF\n");
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.blocks.size(), 2u);  // adjacent records join
  EXPECT_EQ(r.blocks[0].address, 0x8000u);
  EXPECT_EQ(r.blocks[0].bytes.size(), 6u);
  EXPECT_EQ(r.blocks[1].address, 0xFFFEu);
}

TEST(SimImageLoader, BadInputIsReported) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"", "no data records"},
      {"hello\n", "line 1: neither an S-record nor an Intel hex record"},
      {"S1068000A6019D36\n", "line 1: bad checksum"},
      {"S1078000A6019D35\n", "line 1: byte count does not match the record"},
      {"S106800ZA6019D35\n", "line 1: bad hexadecimal digits"},
      {"S10\n", "line 1: bad hexadecimal digits"},
      {"S4068000A6019D35\n", "line 1: unknown record type S4"},
      {"S00600004844521B\n", "no data records"},
      {"S1068000A6019D35\nS20707012311223367\n", "line 2: paged address outside the window 0x8000-0xBFFF (address 0x70123)"},
      {"S1068000A6019D35\nxyz\n", "line 2: neither an S-record nor an Intel hex record"},
      {":0380000045010036\n", "line 1: bad checksum"},
      {":0380000045010\n", "line 1: bad hexadecimal digits"},
      {":0480000045010037\n", "line 1: byte count does not match the record"},
      {":020000060200F6\n", "line 1: unknown record type 0x6"},
      {":0100000401FA\n", "line 1: address record without 2 data bytes"},
      {":00000001FF\n", "no data records"},
  };
  for (const Case& c : cases) {
    const ImageLoad r = parse_image(c.text);
    EXPECT_FALSE(r.ok) << c.text;
    EXPECT_EQ(r.error, c.error) << c.text;
  }
}

TEST(SimImageLoader, MissingFile) {
  const ImageLoad r = load_image_file("/nonexistent/x.s19");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "cannot open /nonexistent/x.s19");
}

}  // namespace
}  // namespace yav::sim
