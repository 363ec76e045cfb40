// The reader of SDCC's listings that the run-control test names code with: a listing it cannot
// use is refused with a message, and what it reads agrees with the linker's map.
#include "target/sdcc_listing.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "platform/program_dir.h"

namespace yav::test {
namespace {

class SdccListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("yav-listing-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void write(const std::string& name, const std::string& text) { std::ofstream(dir_ / name) << text; }
  std::filesystem::path dir_;
};

TEST_F(SdccListingTest, RefusesWhatItCannotUse) {
  std::string error;
  EXPECT_FALSE(SdccListing::read(dir_, "p", error));
  EXPECT_NE(error.find("no SDCC listing"), std::string::npos) << error;

  write("p.rst", "  1 ;/src/p.c:3: void f(void)\n  2 ;\t function f\n");  // no label follows
  write("p.map", "");
  EXPECT_FALSE(SdccListing::read(dir_, "p", error));
  EXPECT_NE(error.find("function f has no entry label"), std::string::npos) << error;

  write("p.rst", "  1 ;/src/p.c:99999999999999999999: void f(void)\n");
  EXPECT_FALSE(SdccListing::read(dir_, "p", error));
  EXPECT_NE(error.find("out of range"), std::string::npos) << error;

  std::filesystem::remove(dir_ / "p.map");
  write("p.rst", "");
  EXPECT_FALSE(SdccListing::read(dir_, "p", error));
  EXPECT_NE(error.find("cannot read"), std::string::npos) << error;
}

TEST_F(SdccListingTest, FunctionsOfTheDemoAgreeWithTheLinkersMap) {
  const auto demo = std::filesystem::path(platform::programFolder()) / "examples/demo";
  if (!std::filesystem::exists(demo / "demo.map")) GTEST_SKIP() << "demo program not built (sdcc missing)";
  std::string error;
  const auto listing = SdccListing::read(demo, "demo", error);
  ASSERT_TRUE(listing) << error;
  // The map's own lines for two global functions: "C:   0000XXXX  _name".
  std::ifstream map(demo / "demo.map");
  std::string line;
  int checked = 0;
  while (std::getline(map, line)) {
    for (const char* name : {"factorial", "console_putc"}) {
      const std::string symbol = std::string("  _") + name;
      const size_t at = line.find(symbol);
      if (line.rfind("C:", 0) != 0 || at == std::string::npos || at + symbol.size() != line.find(' ', at + 2)) continue;
      const auto* f = listing->function(name);
      ASSERT_NE(f, nullptr) << name;
      EXPECT_EQ(f->entry, std::stoul(line.substr(at - 8, 8), nullptr, 16)) << name;
      EXPECT_EQ(listing->nameAt(f->entry), name);
      ++checked;
    }
  }
  EXPECT_EQ(checked, 2);
  // Header lines, from the demo's C text.
  EXPECT_EQ(listing->function("factorial")->file, "mathx.c");
  EXPECT_EQ(listing->function("factorial")->headerLine, 4u);
  EXPECT_EQ(listing->function("console_putc")->headerLine, 22u);
  EXPECT_EQ(listing->function("fill_table")->file, "main.c");  // a static function: not in the map
}

}  // namespace
}  // namespace yav::test
