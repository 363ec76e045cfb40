#include "platform/ini.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace yav::platform {
namespace {

struct LookupCase {
  const char* text;
  const char* section;
  const char* key;
  const char* expected;  // nullptr: absent
};

TEST(IniLookup, FindsKeysWithoutRegardToCase) {
  const LookupCase cases[] = {
      {"[OPTIONS]\nYAVLINK=USB\n", "Options", "yavlink", "USB"},
      {"[Options]\nTile = Vertical  \n", "OPTIONS", "TILE", "Vertical"},
      {"[a]\nk=1\n[b]\nk=2\n", "b", "k", "2"},
      {"[a]\nk=1\n[b]\nk=2\n", "c", "k", nullptr},
      {"k=outside\n[a]\n", "a", "k", nullptr},
      {"[a]\r\nk=crlf\r\n", "a", "k", "crlf"},
      {"[a]\n;k=comment\n", "a", "k", nullptr},
      {"[a]\nnot an entry\nk=x=y\n", "a", "k", "x=y"},
      {"[a\nk=unclosed\n", "a", "k", "unclosed"},
      {"[a]\nk=\n", "a", "k", ""},
      {"[a]\nk=first\nk=second\n", "a", "k", "first"},
      {"", "a", "k", nullptr},
  };
  for (const auto& c : cases) {
    auto v = profileLookup(c.text, c.section, c.key);
    if (c.expected == nullptr) {
      EXPECT_FALSE(v.has_value()) << c.text;
    } else {
      ASSERT_TRUE(v.has_value()) << c.text;
      EXPECT_EQ(*v, c.expected) << c.text;
    }
  }
}

struct UpdateCase {
  const char* before;
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

TEST(IniUpdate, ReplacesInsertsAndAppends) {
  const UpdateCase cases[] = {
      {"", "TARGET", "CHIP", "QE128", "[TARGET]\nCHIP=QE128\n"},
      {"[target]\nchip=QG8\n", "TARGET", "CHIP", "QE128", "[target]\nchip=QE128\n"},
      {"[a]\nx=1\n\n[b]\ny=2\n", "a", "z", "3", "[a]\nx=1\nz=3\n\n[b]\ny=2\n"},
      {"[a]\nx=1\n", "b", "y", "2", "[a]\nx=1\n\n[b]\ny=2\n"},
      {"[a]\nx=1", "a", "y", "2", "[a]\nx=1\ny=2\n"},
      {"[a]\nx=1\n", "a", "x", "two\nlines", "[a]\nx=two lines\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(profileUpdate(c.before, c.section, c.key, c.value), c.after) << c.before;
}

class IniFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("yav-ini-" + std::to_string(::getpid()) + "-" +
                                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    path_ = (dir_ / "sub" / "YAVKT55R.INI").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
  std::string path_;
};

TEST_F(IniFile, MissingFileGivesDefaultsAndWriteCreatesIt) {
  EXPECT_EQ(getProfileString(path_, "OPTIONS", "SYNCLEN", "10"), "10");
  ASSERT_TRUE(writeProfileString(path_, "OPTIONS", "SYNCLEN", "25"));
  ASSERT_TRUE(writeProfileString(path_, "Options", "USESYNC", "YES"));
  EXPECT_EQ(getProfileString(path_, "options", "synclen", "10"), "25");
  EXPECT_EQ(getProfileString(path_, "OPTIONS", "USESYNC", "NO"), "YES");
  // No temporary file is left behind.
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir_ / "sub")) (void)e, ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(IniFile, ValuesAreCutToTheReadLength) {
  ASSERT_TRUE(writeProfileString(path_, "OPTIONS", "YAVLINK", "USB-LONG"));
  EXPECT_EQ(getProfileString(path_, "OPTIONS", "YAVLINK", "USB", 4), "USB-");
}

TEST_F(IniFile, FailedWriteLeavesTheOldFile) {
  ASSERT_TRUE(writeProfileString(path_, "A", "k", "v"));
  // A folder where the file should be cannot be replaced by a file.
  std::string blocked = (dir_ / "blocked").string();
  std::filesystem::create_directories(std::filesystem::path(blocked) / "x");
  EXPECT_FALSE(writeProfileString(blocked, "A", "k", "v"));
  EXPECT_EQ(getProfileString(path_, "A", "k", ""), "v");
}

TEST(IniPath, EnvironmentChoosesTheFile) {
  const char* saved = std::getenv("YAV_INI");
  std::string keep = saved ? saved : "";
  const char* savedHome = std::getenv("HOME");
  std::string keepHome = savedHome ? savedHome : "";
  ::setenv("YAV_INI", "/tmp/x/YAV.INI", 1);
  EXPECT_EQ(iniPath(), "/tmp/x/YAV.INI");
  ::unsetenv("YAV_INI");
  ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(iniPath(), "/cfg/yav/YAVKT55R.INI");
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", "/home/u", 1);
  EXPECT_EQ(iniPath(), "/home/u/.config/yav/YAVKT55R.INI");
  if (saved) ::setenv("YAV_INI", keep.c_str(), 1);
  if (savedHome) ::setenv("HOME", keepHome.c_str(), 1);
}

}  // namespace
}  // namespace yav::platform
