// Session and layout files on the demo program: what a save writes (the record forms of events,
// monitors and windows), what a load restores and in which way, the files it refuses, and the
// records it refuses to run. Line numbers are those of examples/demo/main.c: main() runs from
// line 18 to 38; lines 24 and 26 hold calls.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/display_fixture.h"
#include "engine/display_state.h"
#include "engine/events.h"
#include "engine/monitors.h"
#include "engine/window_layout_text.h"
#include "platform/ini.h"

namespace yav {
// Layouts show as the file text they make.
void PrintTo(const WindowLayout& l, std::ostream* os) { *os << "\n" << writeWindowLayout("", l, true); }
}  // namespace yav

namespace yav::test {
namespace {

namespace fs = std::filesystem;
using S = WindowPlacement::State;

// A front-end with windows: it reports `windows` and applies a layout to them as the frame
// does, counting the applications.
class WindowedUi : public PromptingUi {
 public:
  std::optional<WindowLayout> currentWindowLayout() override { return windows; }
  void applyWindowLayout(const WindowLayout& layout, bool replaceMemoryWindows) override {
    ++applied;
    if (layout.arrangement) windows.arrangement = layout.arrangement;
    auto apply = [](WindowPlacement& now, const WindowPlacement& asked) {
      if (asked.state == S::Unchanged) return;
      now.state = asked.state;
      if (asked.state == S::Open && asked.rect) now.rect = asked.rect;
    };
    apply(windows.frame, layout.frame);
    apply(windows.source, layout.source);
    for (size_t i = 0; i < kStandardWindowCount; ++i) apply(windows.windows[i], layout.windows[i]);
    if (replaceMemoryWindows) windows.memory = layout.memory;
  }
  WindowLayout windows;
  int applied = 0;
};

WindowLayout someLayout() {
  WindowLayout l;
  l.arrangement = 192;
  l.frame = {S::Open, WindowRect{10, 20, 1210, 920}};
  l.source = {S::Open, WindowRect{-1, -1, 700, 500}};
  l[StandardWindow::Disassembly] = {S::Open, WindowRect{700, 0, 1100, 300}};
  l[StandardWindow::Command] = {S::Closed, std::nullopt};
  l[StandardWindow::Stack] = {S::Open, WindowRect{700, 300, 1100, 500}};
  l[StandardWindow::Monitors] = {S::Open, WindowRect{0, 500, 450, 700}};
  l[StandardWindow::Registers] = {S::Closed, std::nullopt};
  l.memory = {{false, 0x100, {1, 2, 16, 0}, {5, 5, 300, 200}}, {true, 0x8000, {}, {6, 6, 301, 201}}};
  return l;
}

class SessionFileTest : public DisplayFixture {
 protected:
  void SetUp() override {
    fs::remove_all(dir);
    fs::create_directories(dir);
    if (const char* before = std::getenv("YAV_INI")) savedIni = before;
    ::setenv("YAV_INI", (dir / "YAVKT55R.INI").c_str(), 1);
    DisplayFixture::SetUp();
  }
  void TearDown() override {
    k.ui = &ui;
    if (savedIni) ::setenv("YAV_INI", savedIni->c_str(), 1);
    else ::unsetenv("YAV_INI");
    fs::remove_all(dir);
  }
  std::string line(const std::string& text) {
    ui.out.clear();
    windowed.out.clear();
    runCommandLine(k, text.c_str(), 1);
    return ui.out + windowed.out;
  }
  void useWindows() { k.ui = &windowed; }
  std::string file(const std::string& name) { return (dir / name).string(); }
  std::string contents(const std::string& name) {
    std::ifstream in(dir / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::optional<std::string> key(const std::string& name, const char* section, const char* k) {
    return platform::profileLookup(contents(name), section, k);
  }
  void write(const std::string& name, const std::string& text) { std::ofstream(dir / name) << text; }
  std::string monitors() { return monitorCommands(displayState(k).monitors); }
  // The first line of what a command printed (the monitors follow it).
  std::string firstLine(const std::string& text) {
    const std::string out = line(text);
    return out.substr(0, out.find('\n') + 1);
  }

  fs::path dir = fs::path(::testing::TempDir()) /
                 ("yav_session_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::optional<std::string> savedIni;
  WindowedUi windowed;
};

// Each record is "d" for a data event, "break " or "watch ", "/i " when suspended, "/C:n" above
// a count of 1, a blank, the place, and " {...}" with an action; read back, it makes the same
// event.
TEST_F(SessionFileTest, EventRecordsRecreateTheirEvents) {
  const struct {
    const char* command;
    const char* record;
  } cases[] = {
      {"b main()", "break  main():18:38"},
      {"b /e main()", "break  main():18"},
      {"b main.c:24", "break  main.c:24"},
      {"b main.c:24:26", "break  main.c:24:26"},
      {"b main.c:", "break  main.c:"},
      {"b @0x2080", "break  @0x2080"},
      {"b main", "break  main"},
      {"b _main", "break  _main"},
      {"w mean", "watch  mean"},
      {"b /c:3 main.c:24 {x 1; x 2}", "break /C:3 main.c:24 {x 1; x 2}"},
      {"b /c:1 main.c:26", "break  main.c:26"},
      {"b /i /c:2 main.c:26", "break /i /C:2 main.c:26"},
      {"dw /i main.c:count", "dwatch /i  main.c:count"},
      {"db /c:4 table[2]", "dbreak /C:4 table[2]"},
      // The access type is kept too: without it a write watch would come back watching reads.
      {"db /t:w /c:2 fact_result", "dbreak /T:W /C:2 fact_result"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    line("del *");
    line(c.command);
    ASSERT_EQ(eventRecords(k), std::vector<std::string>{c.record});
    line("session " + file("e.ssn"));
    EXPECT_EQ(key("e.ssn", "Events", "1"), c.record);
    line("del *");
    line("session /l " + file("e.ssn"));
    EXPECT_EQ(eventRecords(k), std::vector<std::string>{c.record});
  }
  // Internal events are not written; keys run from 1 without gaps over the events written.
  line("del *; b main.c:24; b main.c:26; del 1");
  line("session " + file("e.ssn"));
  EXPECT_EQ(key("e.ssn", "Events", "1"), "break  main.c:26");
  EXPECT_FALSE(key("e.ssn", "Events", "2"));
}

TEST_F(SessionFileTest, SessionRoundTripThroughAFrontEndWithWindows) {
  useWindows();
  const WindowLayout saved = someLayout();
  windowed.windows = saved;
  line("path \"/src|/lib\"; m main.c:count; m /x mean; b /c:3 main.c:24 {x 1}; dw /i main.c:count");
  const std::vector<std::string> events = eventRecords(k);
  line("session " + file("s.ssn"));
  const struct {
    const char* section;
    const char* key;
    std::string value;
  } expected[] = {
      {"Load", "File", k.prog.program->fileName},
      {"Options", "Path", "/src|/lib"},
      {"Options", "Tile", "VERTICAL"},
      {"Windows", "Yav", "YES,10,20,1210,920"},
      {"Windows", "Source", "YES,-1,-1,700,500"},
      {"Windows", "Disassembly", "YES,700,0,1100,300"},
      {"Windows", "Command", "NO"},
      {"Windows", "Registers", "NO"},
      {"Data", "1", "D,100,1,2,16,0,5,5,300,200"},
      {"Data", "2", "C,8000,6,6,301,201"},
      {"Events", "1", "break /C:3 main.c:24 {x 1}"},
      {"Events", "2", "dwatch /i  main.c:count"},
      {"Monitors", "1", "monit main.c:count"},
      {"Monitors", "2", "monit /x mean"},
  };
  for (const auto& e : expected) EXPECT_EQ(key("s.ssn", e.section, e.key), e.value) << e.section << " " << e.key;
  EXPECT_FALSE(key("s.ssn", "Options", "ExtenPath"));
  // The file and its folder are remembered for the dialogs.
  EXPECT_EQ(platform::iniGet("Session", "File", ""), file("s.ssn"));
  EXPECT_EQ(platform::iniGet("Session", "Directory", ""), dir.string());

  // Everything moved, closed, deleted; then the session is loaded twice.
  windowed.windows.arrangement = 190;
  windowed.windows.frame.rect = WindowRect{0, 0, 640, 480};
  windowed.windows[StandardWindow::Command] = {S::Open, WindowRect{20, 20, 350, 100}};
  windowed.windows[StandardWindow::Disassembly] = {S::Closed, std::nullopt};
  windowed.windows.memory = {{true, 0x9000, {}, {1, 1, 2, 2}}};
  line("zero /M; del *; path \"\"");
  line("session /l " + file("s.ssn"));
  line("session /l " + file("s.ssn"));
  EXPECT_EQ(windowed.applied, 2);
  // The Command window kept the rectangle it had: closing one does not move it.
  WindowLayout expectedLayout = saved;
  expectedLayout[StandardWindow::Command].rect = WindowRect{20, 20, 350, 100};
  EXPECT_EQ(windowed.windows, expectedLayout);
  EXPECT_EQ(windowed.windows.memory.size(), 2u);
  EXPECT_EQ(eventRecords(k), events);
  EXPECT_EQ(k.cmdfile.sourcePath, "/src|/lib");
  EXPECT_EQ(monitors(), "monit main.c:count\nmonit /x mean\n");
}

TEST_F(SessionFileTest, AFrontEndWithoutWindowsWritesAFileThatLoadsBack) {
  line("m main.c:count");
  line("session " + file("plain.ssn"));
  EXPECT_EQ(key("plain.ssn", "Windows", "Yav"), "YES");
  EXPECT_FALSE(key("plain.ssn", "Windows", "Source"));
  EXPECT_FALSE(key("plain.ssn", "Options", "Tile"));
  line("zero /M");
  EXPECT_EQ(line("session /l " + file("plain.ssn")).find("#error"), std::string::npos);
  EXPECT_EQ(monitors(), "monit main.c:count\n");
  // Read by a front-end with windows, it leaves every window as it is; the session had no
  // memory windows.
  useWindows();
  windowed.windows = someLayout();
  line("session /l " + file("plain.ssn"));
  WindowLayout expected = someLayout();
  expected.memory.clear();
  EXPECT_EQ(windowed.windows, expected);
  // The settings' extension path is part of a session.
  platform::iniSet("Options", "ExtenPath", "/opt/ext");
  line("session " + file("plain.ssn"));
  EXPECT_EQ(key("plain.ssn", "Options", "ExtenPath"), "/opt/ext");
}

TEST_F(SessionFileTest, LayoutsHoldOnlyTheWindows) {
  useWindows();
  windowed.windows = someLayout();
  line("m main.c:count; b main.c:24; path \"/src\"");
  line("layout " + file("l.lyt"));
  const std::string text = contents("l.lyt");
  for (const char* section : {"[Load]", "[Data]", "[Events]", "[Monitors]"}) {
    EXPECT_EQ(text.find(section), std::string::npos) << section;
  }
  EXPECT_FALSE(key("l.lyt", "Options", "Path"));
  EXPECT_EQ(key("l.lyt", "Options", "Tile"), "VERTICAL");
  EXPECT_EQ(key("l.lyt", "Windows", "Stack"), "YES,700,300,1100,500");
  EXPECT_EQ(platform::iniGet("Layout", "File", ""), file("l.lyt"));
  EXPECT_EQ(platform::iniGet("Session", "File", ""), "");

  // A session read as a layout: the windows only, the memory windows not replaced.
  line("session " + file("s.ssn"));
  line("zero /M; del *; path \"/elsewhere\"");
  windowed.windows = WindowLayout{};
  windowed.windows.memory = {{true, 0x9000, {}, {1, 1, 2, 2}}};
  line("layout /l " + file("s.ssn"));
  EXPECT_EQ(windowed.windows.frame, someLayout().frame);
  EXPECT_EQ(windowed.windows[StandardWindow::Monitors], someLayout()[StandardWindow::Monitors]);
  EXPECT_EQ(windowed.windows.memory.size(), 1u);
  EXPECT_EQ(monitors(), "");
  EXPECT_TRUE(eventRecords(k).empty());
  EXPECT_EQ(k.cmdfile.sourcePath, "/elsewhere");
}

TEST_F(SessionFileTest, WindowValuesOfAHandWrittenFile) {
  useWindows();
  windowed.windows = someLayout();
  windowed.windows[StandardWindow::Command] = {S::Open, WindowRect{20, 20, 350, 100}};
  // "NO" closes the open command window; a missing key changes nothing; "Y" opens the closed
  // registers window where it is; a bad rectangle is reported and not applied.
  write("h.lyt", "[Windows]\nYav=YES,1,2,x,4\nCommand=NO\nRegisters=Y\nStack=YES,1,2,3\n");
  EXPECT_EQ(line("layout /l " + file("h.lyt")),
            "#error: File: " + file("h.lyt") +
                " values ignored:\nWindows Yav: no rectangle in YES,1,2,x,4\nWindows Stack: no rectangle in YES,1,2,3\n");
  WindowLayout expected = someLayout();
  expected[StandardWindow::Command].state = S::Closed;
  expected[StandardWindow::Command].rect = WindowRect{20, 20, 350, 100};
  expected[StandardWindow::Registers].state = S::Open;
  EXPECT_EQ(windowed.windows, expected);
}

TEST_F(SessionFileTest, FilesThatAreNotSessionsChangeNothing) {
  useWindows();
  line("m main.c:count");
  for (const char* text : {"[Other]\nx=1\n", "[Windows]\nSource=YES,1,2,3,4\n", "[Windows]\nYav=\n[Monitors]\n1=monit mean\n"}) {
    write("bad.ssn", text);
    EXPECT_EQ(firstLine("session /l " + file("bad.ssn")), "#error: File: " + file("bad.ssn") + " Not a Session file\n") << text;
  }
  EXPECT_EQ(windowed.applied, 0);
  EXPECT_EQ(monitors(), "monit main.c:count\n");
  EXPECT_EQ(platform::iniGet("Session", "File", ""), "");
  EXPECT_EQ(firstLine("session /L " + file("none.ssn")), "#error: Can't Open Session File: " + file("none.ssn") + "\n");
  EXPECT_EQ(firstLine("layout /L " + dir.string()), "#error: Can't Open Layout File: " + dir.string() + "\n");
  EXPECT_EQ(firstLine("session /Q x"), "#error:  Unknown Option Q x\n");
  // A folder is neither replaced nor removed by a save.
  fs::create_directories(dir / "folder.ssn");
  EXPECT_EQ(firstLine("session " + file("folder.ssn")), "#error: Can't Write Session File: " + file("folder.ssn") + "\n");
  EXPECT_TRUE(fs::is_directory(dir / "folder.ssn"));
}

// A session file is outside input: its records run only as the commands their section holds.
TEST_F(SessionFileTest, RecordsOfOtherCommandsAreRefused) {
  const std::string marker = file("ran");
  write("hostile.ssn", "[Load]\nFile=nosuch.s08; sys touch " + marker +
                           "\n[Options]\nPath=/src\"; sys touch " + marker +
                           "; path \"x\n[Windows]\nYav=YES\n[Events]\n1=sys touch " + marker +
                           "\n2=break main.c:24; sys touch " + marker + "\n3=if (1) sys touch " + marker +
                           "\n4=watch main.c:26\n[Monitors]\n1=input " + marker + "\n2=monit mean\n");
  const std::string out = line("session /l " + file("hostile.ssn"));
  EXPECT_FALSE(fs::exists(marker));
  const std::string where = "#error: File: " + file("hostile.ssn");
  for (const std::string& refusal :
       {where + " Load File: only one command is run, not: sys touch " + marker + "\n",
        where + " Options Path: only one command is run, not: sys touch " + marker + "; path \"x\"\n",
        where + " Events 1: not an event command, not run: sys touch " + marker + "\n",
        where + " Events 2: only one command is run, not: sys touch " + marker + "\n",
        where + " Events 3: not an event command, not run: if (1) sys touch " + marker + "\n",
        where + " Monitors 1: not a monit command, not run: input " + marker + "\n"}) {
    EXPECT_NE(out.find(refusal), std::string::npos) << refusal << "\nin:\n" << out;
  }
  // The first command of each line ran, and the sound records around them.
  EXPECT_EQ(eventRecords(k), (std::vector<std::string>{"break  main.c:24", "watch  main.c:26"}));
  EXPECT_EQ(monitors(), "monit mean\n");
  EXPECT_EQ(k.cmdfile.sourcePath, "/src");
}

}  // namespace
}  // namespace yav::test
