// Download bracket and S-record verify against the simulated target.
#include "engine/dispatcher.h"
#include "target/chip_target.h"
#include "engine/kernel.h"
#include "target/connection.h"
#include "target/chip_target.h"
#include "target/target_access.h"
#include "target/target_fixture.h"
#include "target/verify.h"
#include "ui/verify_dialog.h"

namespace yav::test {
namespace {

using namespace yav::target;

class DownloadVerifyTest : public TargetTest {
 protected:
  void SetUp() override {
    TargetTest::SetUp();
    setting("OPTIONS", "RESETONCONNECT", "NO");
    ASSERT_TRUE(connectTarget(k));
    ASSERT_NE(k.target->downloader(), nullptr);
  }
  void download(uint32_t address, std::vector<uint8_t> bytes) {
    ASSERT_TRUE(k.target->downloader()->begin());
    ASSERT_TRUE(k.target->downloader()->block(bytes.data(), address, bytes.size(), address, 0));
    k.target->downloader()->end();
  }
  std::string lastBox() const { return ui.boxes.empty() ? "" : ui.boxes.back(); }
};

// S1 record of `data` at `address` (checksum included, although verify does not read it).
std::string s1(uint16_t address, const std::vector<uint8_t>& data) {
  char buf[8];
  std::string r = "S1";
  unsigned sum = static_cast<unsigned>(data.size() + 3) + (address >> 8) + (address & 0xFF);
  std::snprintf(buf, sizeof buf, "%02X%04X", static_cast<unsigned>(data.size() + 3), address);
  r += buf;
  for (uint8_t b : data) {
    std::snprintf(buf, sizeof buf, "%02X", b);
    r += buf;
    sum += b;
  }
  std::snprintf(buf, sizeof buf, "%02X", ~sum & 0xFF);
  return r + buf + "\n";
}

TEST_F(DownloadVerifyTest, DownloadedBytesVerifyAndAChangedByteIsFound) {
  std::vector<uint8_t> bytes(32);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(0x40 + i);
  download(0x0200, bytes);
  uint8_t back[32] = {};
  ASSERT_TRUE(readMemory(k, 0x0200, back, 32));
  EXPECT_EQ(std::vector<uint8_t>(back, back + 32), bytes);

  VerifyRequest req{file("ok.s19", "S0030000FC\n" + s1(0x0200, bytes) + "S9030000FC\n")};
  VerifyResult r = verifyImage(k, req);
  EXPECT_EQ(r.outcome, VerifyOutcome::Success);
  EXPECT_EQ(r.bytesCompared, 32u);
  EXPECT_EQ(lastBox(), "Info: Verify Successfull");

  std::vector<uint8_t> changed = bytes;
  changed[5] = 0x99;
  r = verifyImage(k, VerifyRequest{file("bad.s19", s1(0x0200, changed))});
  EXPECT_EQ(r.outcome, VerifyOutcome::Mismatch);
  EXPECT_EQ(lastBox(), "Error: Error at: 0x205 Target:0x45 File:0x99 ");
  EXPECT_EQ(ui.status[0], " Command ");
}

TEST_F(DownloadVerifyTest, SelectComparesOnlyTheRange) {
  std::vector<uint8_t> bytes(32, 0x11);
  download(0x0300, bytes);
  std::vector<uint8_t> fileBytes(32, 0x11);
  for (int i = 0; i < 16; ++i) fileBytes[static_cast<size_t>(i)] = 0x22;  // outside the range
  VerifyRequest req{file("sel.s19", s1(0x0300, fileBytes)), true, 0x0310, 0x0320};
  VerifyResult r = verifyImage(k, req);
  EXPECT_EQ(r.outcome, VerifyOutcome::Success);
}

TEST_F(DownloadVerifyTest, RecordKindsAndBadFiles) {
  VerifyResult r = verifyImage(k, VerifyRequest{file("empty.s19", "S0030000FC\nS9030000FC\n")});
  EXPECT_EQ(r.outcome, VerifyOutcome::Success);
  EXPECT_EQ(r.bytesCompared, 0u);

  r = verifyImage(k, VerifyRequest{file("hex.ihx", ":0400000012345678E4\n")});
  EXPECT_EQ(r.outcome, VerifyOutcome::NotMotorola);
  EXPECT_EQ(lastBox(), "Error: Record is NOT MOTOROLA  S-records");

  r = verifyImage(k, VerifyRequest{file("short.s19", "S0030000FC\nS10")});
  EXPECT_EQ(r.outcome, VerifyOutcome::BadRecord);
  EXPECT_EQ(lastBox(), "Error: Bad S-record: line 2: bad hexadecimal digits");

  r = verifyImage(k, VerifyRequest{file("sum.s19", "S1060200404142FF\n")});
  EXPECT_EQ(r.outcome, VerifyOutcome::BadRecord);
  EXPECT_EQ(lastBox(), "Error: Bad S-record: line 1: bad checksum");

  r = verifyImage(k, VerifyRequest{(dir_ / "missing.s19").string()});
  EXPECT_EQ(r.outcome, VerifyOutcome::CantOpen);
  EXPECT_EQ(lastBox(), "Error: Can't Locate: " + (dir_ / "missing.s19").string());
}

uint8_t pageRegister(Kernel& k) {
  uint8_t page = 0xEE;
  EXPECT_TRUE(readMemory(k, 0x78, &page, 1));
  return page;
}

std::vector<uint8_t> windowBytes(Kernel& k, uint8_t page, size_t n) {
  EXPECT_TRUE(writeMemory(k, 0x78, &page, 1));
  std::vector<uint8_t> b(n);
  EXPECT_TRUE(readMemory(k, 0x8000, b.data(), static_cast<int>(n)));
  return b;
}

TEST_F(DownloadVerifyTest, LoadedPagedRecordsReachTheirFlashPage) {
  // Page 7 at 0x8000 (QE128 flash) beside an S1 record in the window, which shows page 2
  // after reset.
  ASSERT_EQ(pageRegister(k), 2);
  const std::string path = file("paged.s19", "S00600004844521B\nS207078000A65581F5\nS106800001020373\nS9030000FC\n");
  docmd(k, ("load " + path).c_str(), 1);
  EXPECT_FALSE(boxSaid("Error loading segment")) << lastBox();
  EXPECT_EQ(windowBytes(k, 7, 3), (std::vector<uint8_t>{0xA6, 0x55, 0x81}));
  EXPECT_EQ(windowBytes(k, 2, 3), (std::vector<uint8_t>{1, 2, 3}));

  // Verify selects page 7 for the paged record, reads the S1 record after it through the
  // program's page 2, and sets the page register back.
  VerifyResult r = verifyImage(k, VerifyRequest{path});
  EXPECT_EQ(r.outcome, VerifyOutcome::Success) << lastBox();
  EXPECT_EQ(r.bytesCompared, 6u);
  EXPECT_EQ(pageRegister(k), 2);

  // The same bytes on page 6 are not there: erased flash reads 0xFF.
  r = verifyImage(k, VerifyRequest{file("page6.s19", "S206068000A65578\n")});
  EXPECT_EQ(r.outcome, VerifyOutcome::Mismatch);
  EXPECT_EQ(lastBox(), "Error: Error at: 0x8000 Target:0xff File:0xa6 ");
  EXPECT_EQ(pageRegister(k), 2);
}

TEST_F(DownloadVerifyTest, DialogChecksItsEntries) {
  VerifyDialogState s = openVerifyDialog();
  EXPECT_FALSE(s.select);
  s.select = true;
  s.fromText = "0x100";
  EXPECT_FALSE(runVerifyDialog(k, s));
  EXPECT_EQ(lastBox(), "Error: Missing From/to Addresses");
  s.select = false;
  EXPECT_FALSE(runVerifyDialog(k, s));
  EXPECT_EQ(lastBox(), "Error: Missing File Name");
  ASSERT_TRUE(platform::iniSet("FLASH", "FILE", file("f.s19", "S9030000FC\n")));
  s = openVerifyDialog();
  EXPECT_TRUE(runVerifyDialog(k, s));
  EXPECT_EQ(lastBox(), "Info: Verify Successfull");
}

}  // namespace
}  // namespace yav::test

namespace yav::test {
namespace {

// The demo program, loaded the way a user loads it, must match its own S-record image.
TEST_F(DownloadVerifyTest, LoadedDemoMatchesItsOwnImage) {
  const std::string demo = platform::programFolder() + "/examples/demo/demo";
  if (!std::filesystem::exists(demo + ".s08")) GTEST_SKIP() << "demo program not built (no sdcc)";
  docmd(k, ("load " + demo + ".s08").c_str(), 1);
  ASSERT_TRUE(k.debugInfoLoaded);
  VerifyResult r = verifyImage(k, VerifyRequest{demo + ".s19"});
  EXPECT_EQ(r.outcome, VerifyOutcome::Success) << lastBox();
  EXPECT_GT(r.bytesCompared, 1000u);

  uint8_t b = 0;
  ASSERT_TRUE(readMemory(k, 0x2100, &b, 1));
  b ^= 0xFF;
  ASSERT_TRUE(loadMemory(k, 0x2100, 0x2100, &b, 1));  // flash: only the loader programs it
  r = verifyImage(k, VerifyRequest{demo + ".s19"});
  EXPECT_EQ(r.outcome, VerifyOutcome::Mismatch);
  EXPECT_EQ(lastBox().rfind("Error: Error at: 0x2100 Target:", 0), 0u) << lastBox();
}

}  // namespace
}  // namespace yav::test
