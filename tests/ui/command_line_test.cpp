#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/ini.h"
#include "support/fake_ui_port.h"
#include "ui/command_line.h"
#include "ui/startup.h"

namespace yav {
namespace {

TEST(CommandLineScan, OptionsAndProgramFile) {
  StartOptions o = scanCommandLine({"-b", "-s", "my session.ssn", "-v", "prog.s08", "-x"});
  EXPECT_TRUE(o.noSplash);
  EXPECT_TRUE(o.quiet);
  ASSERT_TRUE(o.sessionFile);
  EXPECT_EQ(*o.sessionFile, "my session.ssn");
  EXPECT_EQ(o.programFile, "prog.s08 -x");  // the first plain word starts the program file
  EXPECT_TRUE(o.illegal.empty());
}

TEST(CommandLineScan, AttachedArgumentsAndFrontEndOptions) {
  StartOptions o = scanCommandLine({"--batch", "--no", "--strict", "-ix.in", "-p", "|lib", "-m", "-D", "-r"});
  EXPECT_EQ(o.frontEnd, FrontEnd::Batch);
  EXPECT_FALSE(o.answerYes);
  EXPECT_TRUE(o.strict);
  EXPECT_EQ(*o.startFile, "x.in");
  EXPECT_EQ(*o.sourcePath, "|lib");
  EXPECT_TRUE(o.minimized);
  EXPECT_TRUE(o.noSplash);  // -m implies -b
  EXPECT_TRUE(o.remote);
}

TEST(CommandLineScan, IllegalOptionStopsTheScanAndLoadsNothing) {
  StartOptions o = scanCommandLine({"-b", "-q", "-v", "prog.s08"});
  EXPECT_EQ(o.illegal, "-q -v prog.s08");
  EXPECT_FALSE(o.quiet);
  EXPECT_TRUE(o.programFile.empty());
  StartOptions l = scanCommandLine({"--bogus"});
  EXPECT_EQ(l.illegal, "--bogus");
}

struct StartupTest : ::testing::Test {
  test::FakeUiPort ui;
  Kernel k{ui};
};

TEST_F(StartupTest, IllegalOptionIsReportedAndNothingRuns) {
  runStartup(k, scanCommandLine({"-z", "prog.s08"}));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0], "Error: Illegal Option: -z prog.s08");
}

TEST_F(StartupTest, PathOptionAppendsPrependsOrReplaces) {
  struct Case {
    const char* before;
    const char* option;
    const char* after;
  } cases[] = {{"a", "|b", "a|b"}, {"a", "b|", "b|a"}, {"a", "b", "b"}};
  for (const Case& c : cases) {
    k.cmdfile.sourcePath = c.before;
    runStartup(k, scanCommandLine({"-p", c.option}));
    EXPECT_EQ(k.cmdfile.sourcePath, c.after) << c.option;
  }
}

TEST_F(StartupTest, SessionThenProgramThenStartFile) {
  // Neither session files nor loading exist in this kernel yet: the order of the reports shows
  // the order of the actions.
  runStartup(k, scanCommandLine({"-b", "-i", "/nonexistent/start.in", "-s", "s.ssn", "prog.s08"}));
  ASSERT_EQ(ui.boxes.size(), 3u);
  EXPECT_EQ(ui.boxes[2], "Error: /nonexistent/start.in: cannot redirect\n");
}

TEST_F(StartupTest, NoDupFilesIsReadForTheLoader) {
  const char* before = std::getenv("YAV_INI");
  const std::string saved = before ? before : "";
  const auto ini = std::filesystem::temp_directory_path() / ("yav-nodup-" + std::to_string(::getpid()) + ".ini");
  std::filesystem::remove(ini);
  ::setenv("YAV_INI", ini.c_str(), 1);
  runStartup(k, scanCommandLine({}));
  EXPECT_EQ(k.prog.noDupFiles, "NO");  // the default
  ASSERT_TRUE(platform::iniSet("OPTIONS", "nodupfiles", "yes"));
  runStartup(k, scanCommandLine({}));
  EXPECT_EQ(k.prog.noDupFiles, "yes");
  std::filesystem::remove(ini);
  if (before) ::setenv("YAV_INI", saved.c_str(), 1);
  else ::unsetenv("YAV_INI");
}

}  // namespace
}  // namespace yav
