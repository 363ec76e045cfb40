#include "console/history_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "console_fixture.h"

namespace yav::test {
namespace {

namespace fs = std::filesystem;

class HistoryFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("yav-history-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    path = (dir / "sub" / "yav_history").string();
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
  std::string path;
};

using Lines = std::vector<std::string>;

TEST_F(HistoryFile, LivesBesideTheSettingsFile) {
  {
    EnvSetting ini("YAV_INI", "/some/where/YAVKT55R.INI");
    EXPECT_EQ(historyPath(), "/some/where/yav_history");
  }
  EnvSetting ini("YAV_INI", nullptr);
  EnvSetting config("XDG_CONFIG_HOME", "/cfg");
  EXPECT_EQ(historyPath(), "/cfg/yav/yav_history");
}

TEST_F(HistoryFile, AppendsToWhatIsThereAndKeepsTheNewestLines) {
  ASSERT_TRUE(appendHistory(path, {"step", "x count"}, 4));
  ASSERT_TRUE(appendHistory(path, {"x count", "go", "", "regs", "regs", "dump 0x80"}, 4));  // no empty or repeated lines
  EXPECT_EQ(loadHistory(path), (Lines{"x count", "go", "regs", "dump 0x80"}));
  EXPECT_EQ(loadHistory(path, 2), (Lines{"regs", "dump 0x80"}));
  for (const auto& e : fs::directory_iterator(dir / "sub")) EXPECT_EQ(e.path().filename(), "yav_history");
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);  // typed lines are the user's own
}

TEST_F(HistoryFile, BadContentIsSkippedAndAnUnwritableFolderFailsCleanly) {
  fs::create_directories(dir / "sub");
  std::ofstream(path, std::ios::binary) << "regs\r\n" << std::string(5000, 'x') << "\n\nstep";
  EXPECT_EQ(loadHistory(path), (Lines{"regs", "step"}));
  EXPECT_TRUE(loadHistory((dir / "missing").string()).empty());

  fs::create_directories(dir / "ro");
  fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
  if (::geteuid() != 0) {
    EXPECT_FALSE(appendHistory((dir / "ro" / "yav_history").string(), {"step"}));
  }
  EXPECT_FALSE(appendHistory((dir / "sub" / "yav_history" / "below-a-file").string(), {"step"}));
  fs::permissions(dir / "ro", fs::perms::owner_all);
  EXPECT_EQ(loadHistory(path), (Lines{"regs", "step"}));  // the old file is untouched
}

}  // namespace
}  // namespace yav::test
