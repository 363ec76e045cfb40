#include "platform/ini.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

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
      {"[a]\nk=first\n[b]\n[A]\nk=again\n", "a", "k", "first"},
      {"[a]\n[b]\n[a]\nk=later\n", "a", "k", "later"},
      {"[a]b]\nc=1\n", "a]b", "c", nullptr},
      {"[a]\nb]c=1\n", "a", "b]c", "1"},
      {"", "a", "k", nullptr},
  };
  for (const auto& c : cases) {
    // The index of a text read once answers as the lookup on the text.
    EXPECT_EQ(ProfileIndex(c.text).lookup(c.section, c.key), profileLookup(c.text, c.section, c.key)) << c.text;
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
  void TearDown() override {
    setIniReporter(nullptr);
    std::filesystem::remove_all(dir_);
  }
  // Collects the notices instead of printing them.
  void collectNotices() {
    setIniReporter([this](const std::string& t) { notices_.push_back(t); });
  }
  std::string slurp(const std::string& p) {
    std::ostringstream ss;
    ss << std::ifstream(p, std::ios::binary).rdbuf();
    return ss.str();
  }
  std::vector<std::string> tempFiles(const std::filesystem::path& folder) {
    std::vector<std::string> found;
    for (auto& e : std::filesystem::directory_iterator(folder))
      if (e.path().filename().string().find(".tmp") != std::string::npos) found.push_back(e.path().string());
    return found;
  }
  std::filesystem::path dir_;
  std::string path_;
  std::vector<std::string> notices_;
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

TEST_F(IniFile, DevicesFifosAndFoldersGiveDefaultsAndStayWhatTheyAre) {
  collectNotices();
  std::filesystem::create_directories(dir_);
  const std::string fifo = (dir_ / "fifo.ini").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string folder = (dir_ / "folder.ini").string();
  std::filesystem::create_directories(folder);
  ::alarm(20);  // reading without end or waiting for a writer ends the test program
  for (const std::string& p : {std::string("/dev/zero"), fifo, folder}) {
    EXPECT_EQ(getProfileString(p, "OPTIONS", "YAVLINK", "USB"), "USB") << p;
    EXPECT_FALSE(writeProfileString(p, "OPTIONS", "YAVLINK", "LPT")) << p;
  }
  ::alarm(0);
  struct stat st {};
  ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  ASSERT_EQ(notices_.size(), 3u);  // once per file, not once per access
  EXPECT_EQ(notices_[1], "settings file " + fifo +
                             " is not a regular file: defaults are used and settings will not be saved");
  EXPECT_TRUE(tempFiles(dir_).empty());
}

TEST_F(IniFile, ReadOnlyFileIsNotRewrittenAndSaidOnce) {
  collectNotices();
  ASSERT_TRUE(writeProfileString(path_, "A", "k", "old"));
  ::chmod(path_.c_str(), 0444);
  EXPECT_TRUE(writeProfileString(path_, "A", "k", "old"));  // nothing to save: nothing said
  EXPECT_TRUE(notices_.empty());
  EXPECT_FALSE(writeProfileString(path_, "A", "k", "new"));
  EXPECT_FALSE(writeProfileString(path_, "B", "k", "new"));
  EXPECT_EQ(slurp(path_), "[A]\nk=old\n");
  EXPECT_EQ(getProfileString(path_, "A", "k", ""), "old");
  EXPECT_EQ(notices_, std::vector<std::string>{"settings file " + path_ +
                                               " is read-only: settings will not be saved"});
}

TEST_F(IniFile, SaveWritesThroughLinksAndKeepsThePermissions) {
  ASSERT_TRUE(writeProfileString(path_, "A", "k", "1"));
  ::chmod(path_.c_str(), 0600);
  const std::filesystem::path link = dir_ / "link.ini";
  std::filesystem::create_symlink("sub/YAVKT55R.INI", link);  // relative to the link's folder
  ASSERT_TRUE(writeProfileString(link.string(), "A", "k", "2"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(slurp(path_), "[A]\nk=2\n");
  struct stat st {};
  ASSERT_EQ(::stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_TRUE(tempFiles(dir_ / "sub").empty());
}

TEST_F(IniFile, AnUnchangedValueLeavesTheFileAlone) {
  ASSERT_TRUE(writeProfileString(path_, "A", "k", "1"));
  struct stat before {}, after {};
  ASSERT_EQ(::stat(path_.c_str(), &before), 0);
  ASSERT_TRUE(writeProfileString(path_, "a", "K", "1"));
  ASSERT_EQ(::stat(path_.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);  // a save replaces the file by another one
  ASSERT_TRUE(writeProfileString(path_, "A", "k", "2"));
  ASSERT_EQ(::stat(path_.c_str(), &after), 0);
  EXPECT_NE(after.st_ino, before.st_ino);
}

// Runs `body` in a child process and returns its pid once it has ended.
template <typename F>
pid_t inChild(F body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    body();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return pid;
}

TEST_F(IniFile, TempFilesOfEndedSavesGoAtTheNextStart) {
  std::filesystem::create_directories(dir_ / "sub");
  const pid_t gone = inChild([] {});
  const std::string stale = path_ + ".tmp" + std::to_string(gone);
  const std::string running = path_ + ".tmp1";  // pid 1 always runs
  const std::string other = path_ + ".tmpnotapid";
  for (const std::string& p : {stale, running, other}) std::ofstream(p) << "[A]\n";
  EXPECT_EQ(getProfileString(path_, "A", "k", "d"), "d");
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(running));
  EXPECT_TRUE(std::filesystem::exists(other));
}

TEST_F(IniFile, SavesKilledAtAnyMomentLeaveAWholeFileAndNoTempAfterTheNextStart) {
  // Each save writes a value of 20000 copies of one digit: a cut file shows as a short value.
  auto valueOf = [](int i) { return std::string(20000, static_cast<char>('0' + i % 10)); };
  // This process never opens the file through the module, so that every child starts as fresh
  // as a new program would.
  std::filesystem::create_directories(dir_ / "sub");
  std::ofstream(path_) << "[A]\nk=" << valueOf(0) << "\n";
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  int round = 0;
  while (std::chrono::steady_clock::now() < until) {
    ++round;
    const pid_t saver = ::fork();
    if (saver == 0) {
      for (int i = 1;; ++i) writeProfileString(path_, "A", "k", valueOf(i));
    }
    ::usleep(static_cast<useconds_t>(1000 + (round * 7919) % 20000));
    ::kill(saver, SIGKILL);
    ::waitpid(saver, nullptr, 0);
    const std::string text = slurp(path_);
    ASSERT_EQ(text.size(), std::string("[A]\nk=\n").size() + 20000) << "round " << round;
    const std::string value = text.substr(6, 20000);
    EXPECT_EQ(value, std::string(20000, value[0])) << "round " << round;
    inChild([this] { getProfileString(path_, "A", "k", ""); });  // the next start
    EXPECT_TRUE(tempFiles(dir_ / "sub").empty()) << "round " << round;
  }
  EXPECT_GT(round, 10);
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
