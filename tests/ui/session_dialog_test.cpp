// The session and layout dialogs of the File menu: titles, filters, the start folder and file
// from the settings, the extension a bare name gets, and the command line that does the work.
#include "ui/session_dialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/ini.h"

namespace yav {
namespace {

class SessionDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* before = std::getenv("YAV_INI")) savedIni = before;
    std::filesystem::remove(ini);
    ::setenv("YAV_INI", ini.c_str(), 1);
  }
  void TearDown() override {
    std::filesystem::remove(ini);
    if (savedIni) ::setenv("YAV_INI", savedIni->c_str(), 1);
    else ::unsetenv("YAV_INI");
  }
  std::filesystem::path ini =
      std::filesystem::temp_directory_path() / ("yav-session-dialog-" + std::to_string(::getpid()) + ".ini");
  std::optional<std::string> savedIni;
};

TEST_F(SessionDialogTest, TheFourMenuItems) {
  const struct {
    uint16_t id;
    bool session, load;
    const char* title;
    const char* filter;
  } cases[] = {
      {131, true, true, "Session File", "Session Files(*.ssn)"},
      {132, true, false, "Session File", "Session Files(*.ssn)"},
      {133, false, true, "Layout File", "Layout Files(*.lyt)"},
      {134, false, false, "Layout File", "Layout Files(*.lyt)"},
  };
  for (const auto& c : cases) {
    const std::optional<SessionDialog> d = sessionDialog(c.id);
    ASSERT_TRUE(d) << c.id;
    EXPECT_EQ(d->session, c.session) << c.id;
    EXPECT_EQ(d->load, c.load) << c.id;
    EXPECT_EQ(d->title, c.title);
    EXPECT_EQ(d->filter, c.filter);
    EXPECT_EQ(d->directory, "");
    EXPECT_EQ(d->file, "");
  }
  EXPECT_FALSE(sessionDialog(130));
  EXPECT_FALSE(sessionDialog(135));
}

TEST_F(SessionDialogTest, StartFolderAndFileFromTheSettings) {
  platform::iniSet("Session", "Directory", "/home/me/work");
  platform::iniSet("Session", "File", "/home/me/work/demo.ssn");
  platform::iniSet("Layout", "Directory", "/tmp/");
  platform::iniSet("Layout", "File", "wide.lyt");
  const SessionDialog session = *sessionDialog(132);
  EXPECT_EQ(session.directory, "/home/me/work/");
  EXPECT_EQ(session.file, "demo.ssn");
  const SessionDialog layout = *sessionDialog(133);
  EXPECT_EQ(layout.directory, "/tmp/");
  EXPECT_EQ(layout.file, "wide.lyt");
}

TEST_F(SessionDialogTest, TheCommandLineForTheChosenName) {
  const SessionDialog loadSession = *sessionDialog(131), saveSession = *sessionDialog(132);
  const SessionDialog loadLayout = *sessionDialog(133), saveLayout = *sessionDialog(134);
  const struct {
    const SessionDialog& dialog;
    const char* chosen;
    std::optional<std::string> line;
  } cases[] = {
      {loadSession, "/home/me/demo.ssn", "session /l /home/me/demo.ssn"},
      {saveSession, "/home/me/demo", "session /s /home/me/demo.ssn"},
      {loadLayout, "/home/me/wide", "layout /l /home/me/wide.lyt"},
      {saveLayout, "/home/me/wide.txt", "layout /s /home/me/wide.txt"},
      // A dot in a folder's name is not the file's extension.
      {saveSession, "/home/me/v1.2/demo", "session /s /home/me/v1.2/demo.ssn"},
      {saveSession, "/home/my work/demo", "session /s /home/my work/demo.ssn"},
      // A file at the root would read as an option group.
      {loadSession, "/demo.ssn", "session /l /./demo.ssn"},
      {loadSession, "/my work/demo.ssn", "session /l /./my work/demo.ssn"},
      {saveSession, "", std::nullopt},
      {saveSession, "/tmp/a;sys rm x", std::nullopt},
      {saveSession, "/tmp/a}b", std::nullopt},
      {saveSession, "/tmp/a\tb", std::nullopt},
      {saveSession, "/tmp/a\nb", std::nullopt},
      {saveSession, "/tmp/ab ", std::nullopt},
      {saveSession, " /tmp/ab", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(sessionCommandLine(c.dialog, c.chosen), c.line) << c.chosen;
}

}  // namespace
}  // namespace yav
