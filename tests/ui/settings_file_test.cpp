// The settings file's own keys: colours, fonts, window rectangles, options, recent files, the
// layout and the configuration save, each against a settings file of the test's own.
#include <gtest/gtest.h>

#include "platform/ini.h"
#include "settings_file_fixture.h"
#include "ui/colour_settings.h"
#include "ui/config_save.h"
#include "ui/font_settings.h"
#include "ui/frame_settings.h"
#include "ui/layout_settings.h"
#include "ui/option_settings.h"
#include "ui/recent_files.h"
#include "ui/window_rects.h"

namespace yav {
namespace {

using platform::iniGet;
using platform::iniSet;
using test::SettingsFileTest;

size_t colourAt(std::string_view key) { return *colourIndex(key); }

TEST_F(SettingsFileTest, ColoursDefaultReadAndWrittenWithComments) {
  const ColourSet defaults = readColours();
  EXPECT_EQ(defaults[colourAt("BkptOn")], 0x0000ffu);
  EXPECT_EQ(defaults[colourAt("Source")], 0xff0000u);
  EXPECT_EQ(defaults[colourAt("Preprocessor")], 0x828282u);
  EXPECT_EQ(defaults[colourAt("Typedefs")], 0x4080ffu);

  ColourSet c = defaults;
  c[colourAt("BkptOff")] = 0x0000ff;  // red
  ASSERT_TRUE(writeColours(c));
  EXPECT_NE(fileText().find("BkptOff=0xff        /* Color for Suspended Breakpoints */"), std::string::npos) << fileText();
  EXPECT_NE(fileText().find("Assembler=0xffff      /* Color for Assembler Highlihgt */"), std::string::npos);
  EXPECT_EQ(readColours()[colourAt("BkptOff")], 0x0000ffu);

  ASSERT_TRUE(iniSet("Colors", "Search", "green    /* Color for Search */"));
  ASSERT_TRUE(iniSet("colors", "c_keyword", "0x800000"));
  const ColourSet read = readColours();
  EXPECT_EQ(read[colourAt("Search")], 0x00ff00u);  // not a number: the default stays
  EXPECT_EQ(read[colourAt("C_Keyword")], 0x800000u);
}

TEST(ColourTable, SyntaxColoursByTokenClass) {
  ColourSet c{};
  for (size_t i = 0; i < kColourCount; ++i) c[i] = 0x100 + static_cast<Rgb>(i);
  const auto t = tokenColours(c);
  EXPECT_EQ(t[5], c[colourAt("C_Keyword")]);
  EXPECT_EQ(t[6], c[colourAt("C_Library")]);
  EXPECT_EQ(t[7], c[colourAt("Comments")]);
  EXPECT_EQ(t[10], c[colourAt("Memory")]);
  EXPECT_EQ(t[11], c[colourAt("Assembler_Mnemonics")]);
  EXPECT_EQ(t[14], c[colourAt("Preprocessor")]);
  EXPECT_EQ(t[16], c[colourAt("Defines")]);
  EXPECT_EQ(t[17], c[colourAt("Typedefs")]);
  EXPECT_EQ(t[18], c[colourAt("Search")]);
  // Fixed: red, blue, dark green, brown, orange, green.
  EXPECT_EQ(t[2], 0x0000ffu);
  EXPECT_EQ(t[12], 0x0000ffu);
  EXPECT_EQ(t[3], 0xff0000u);
  EXPECT_EQ(t[4], 0x008000u);
  EXPECT_EQ(t[8], 0x004080u);
  EXPECT_EQ(t[9], 0x0080ffu);
  EXPECT_EQ(t[13], 0x00ff00u);
}

TEST_F(SettingsFileTest, FontsReadOnlyWhenNewFontsSaysSo) {
  const std::string source = "-16,0,0,0,400,0,0,0,0,0,0,0,49,Courier New";
  ASSERT_TRUE(iniSet("Fonts", "Source_Font", source));
  ASSERT_TRUE(iniSet("Fonts", "Browser_Font", "-16,0,0,0,400,0,0,0,0,0,0,0"));  // incomplete
  const size_t sourceIndex = *fontIndex("Source_Font"), browserIndex = *fontIndex("Browser_Font");

  FontSet fonts = readFonts();  // NEWFONTS absent: the section is not trusted yet
  EXPECT_FALSE(fonts.fromFile[sourceIndex]);
  EXPECT_EQ(fonts.fonts[sourceIndex], defaultFontSpec());
  EXPECT_EQ(iniGet("OPTIONS", "NEWFONTS", ""), "YES");

  fonts = readFonts();
  EXPECT_TRUE(fonts.fromFile[sourceIndex]);
  EXPECT_EQ(fonts.fonts[sourceIndex].faceName, "Courier New");
  EXPECT_EQ(fonts.fonts[sourceIndex].height, -16);
  EXPECT_FALSE(fonts.fromFile[browserIndex]);
  EXPECT_EQ(fonts.fonts[browserIndex], defaultFontSpec());

  std::filesystem::remove(path_);  // written afresh, the lines show the order of the writes
  ASSERT_TRUE(writeFonts(fonts));
  EXPECT_EQ(iniGet("Fonts", "Source_Font", ""), source);
  // Save order: Assembler, Browser, Command, Memory, Monitor, Register, Source, Stack.
  const std::string text = fileText();
  size_t at = 0;
  for (const char* key : {"Assembler_Font=", "Browser_Font=", "Command_Font=", "Memory_Font=", "Monitor_Font=",
                          "Register_Font=", "Source_Font=", "Stack_Font="}) {
    const size_t found = text.find(key, at);
    ASSERT_NE(found, std::string::npos) << key << "\n" << text;
    at = found;
  }
}

TEST(WindowRects, DefaultsFromScreenAndClientArea) {
  ScreenMetrics m;
  m.screenWidth = 1920;
  m.screenHeight = 1080;
  m.clientWidth = 1600;
  m.clientHeight = 900;
  m.captionHeight = 20;
  m.menuHeight = 18;
  const WindowRects r = defaultWindowRects(m);
  EXPECT_EQ(rectOf(r, SavedWindow::Frame), (WindowRect{0, 0, 1920, 1080}));
  EXPECT_EQ(rectOf(r, SavedWindow::Monitor), (WindowRect{0, 0, 600, 225 + 20 + 18}));
  EXPECT_EQ(rectOf(r, SavedWindow::Stack), (WindowRect{800, 0, 1600, 263}));
  EXPECT_EQ(rectOf(r, SavedWindow::Register), (WindowRect{0, 0, 50, 100}));
  for (SavedWindow w : {SavedWindow::Command, SavedWindow::Disassembly, SavedWindow::Locals, SavedWindow::Globals})
    EXPECT_EQ(rectOf(r, w), (WindowRect{20, 20, 350, 100}));
}

TEST_F(SettingsFileTest, WindowRectsWrittenWithCommentsAndReadBack) {
  WindowRects rects = defaultWindowRects({1024, 768, 1000, 700, 20, 18});
  rectOf(rects, SavedWindow::Frame) = {-4, -4, 1028, 772};
  rectOf(rects, SavedWindow::Disassembly) = {30, 40, 500, 300};
  ASSERT_TRUE(writeWindowRects(rects));
  const std::string text = fileText();
  for (const char* line : {"[YavWindow]", "Left=-4    /* Left side of Main Window */", "Top=-4    /* Top of Main Window */",
                           "Right=1028    /* Right side of Main Window */", "Bottom=772    /* Bottom of Main Window */",
                           "[DisaWindow]", "Bottom=300    /* Bottom of Disa Window */",
                           "Right=50    /* Right side of Register Window */", "Top=20    /* Top of Globals Window */"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  EXPECT_EQ(readWindowRects(WindowRects{}), rects);

  // An edge that is not a number keeps its default; the others are read.
  ASSERT_TRUE(iniSet("SrcWindow", "Left", "5    /* Left side of Source Window */"));
  ASSERT_TRUE(iniSet("SrcWindow", "Top", "top"));
  EXPECT_EQ(readWindowRect(SavedWindow::Source, {1, 2, 3, 4}), (WindowRect{5, 2, 1000, 700}));
}

TEST(WindowRects, FramePlacementAtLeastHalfTheScreen) {
  struct Case {
    WindowRect saved;
    bool minimised;
    WindowRect rect;
    bool maximise;
  };
  const Case cases[] = {
      {{100, 50, 300, 200}, false, {100, 50, 100 + 640, 50 + 400}, false},  // too small: half the screen
      {{10, 10, 1000, 700}, false, {10, 10, 1000, 700}, false},
      {{0, 0, 1280, 800}, false, {10, 10, 1270, 790}, true},                // covers the screen
      {{-4, -4, 1284, 804}, true, {6, 6, 1274, 794}, false},               // -m: not maximised
      {{500, 0, 100, 0}, false, {500, 0, 1140, 400}, false},               // edges the wrong way round
  };
  for (const Case& c : cases) {
    const FramePlacement p = framePlacement(c.saved, 1280, 800, c.minimised);
    EXPECT_EQ(p.rect, c.rect) << c.saved.left << "," << c.saved.top;
    EXPECT_EQ(p.maximise, c.maximise) << c.saved.left << "," << c.saved.top;
  }
  const FramePlacement extreme = framePlacement({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 1280, 800, false);
  EXPECT_TRUE(extreme.maximise);
}

TEST_F(SettingsFileTest, StartSettingsFromTheOptionKeys) {
  FrameStartSettings s = readFrameStartSettings();
  EXPECT_EQ(s.arrangement, 190);
  EXPECT_FALSE(s.skipCodeDownload);
  EXPECT_EQ(s.varFormatCommand, 0);  // standard stays
  EXPECT_FALSE(s.loadSymbolsOnly);
  EXPECT_EQ(s.intFormatCommand, 460);
  EXPECT_TRUE(s.sourcePath.empty());

  const std::string longPath(3000, 'p');
  ASSERT_TRUE(iniSet("Options", "Tile", "vertical"));
  ASSERT_TRUE(iniSet("Load", "Code", "no"));
  ASSERT_TRUE(iniSet("Options", "VarFormat", "BRIEF"));
  ASSERT_TRUE(iniSet("Options", "LOAD_SYMB_ONLY", "YES"));
  ASSERT_TRUE(writeDefIntFormat(462));
  ASSERT_TRUE(iniSet("OPTIONS", "AUTOCMD", "Yes"));
  ASSERT_TRUE(writeSourcePath(longPath));
  ASSERT_TRUE(iniSet("OPTIONS", "STARTFILE", "start.cmd"));
  s = readFrameStartSettings();
  EXPECT_EQ(s.arrangement, 192);
  EXPECT_TRUE(s.skipCodeDownload);
  EXPECT_EQ(s.varFormatCommand, 633);
  EXPECT_TRUE(s.loadSymbolsOnly);
  EXPECT_EQ(iniGet("Options", "DefIntFormat", ""), "Hexadecimal");
  EXPECT_EQ(s.intFormatCommand, 462);
  EXPECT_TRUE(s.autoShowCommand);
  EXPECT_EQ(s.sourcePath, longPath);  // paths are not cut at the ordinary key length
  EXPECT_EQ(s.startFile, "start.cmd");

  ASSERT_TRUE(writeVarFormat(635));
  EXPECT_EQ(iniGet("Options", "VarFormat", ""), "Full");
  EXPECT_EQ(readFrameStartSettings().varFormatCommand, 635);
}

TEST(OptionValues, FormatsByFirstLetter) {
  struct Case {
    const char* value;
    uint16_t varFormat, intFormat;
  };
  const Case cases[] = {
      {"Full", 635, 460}, {"f", 635, 460},   {"BRIEF", 633, 463},  {"binary", 633, 463}, {"Octal", 634, 461},
      {"o", 634, 461},    {"HEX", 634, 462}, {"Decimal", 634, 460}, {"YES", 634, 460},   {"", 634, 460},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(varFormatCommand(c.value), c.varFormat) << c.value;
    EXPECT_EQ(intFormatCommand(c.value), c.intFormat) << c.value;
  }
  EXPECT_EQ(intFormatValue(460), "Decimal");
  EXPECT_EQ(intFormatValue(461), "Octal");
  EXPECT_EQ(intFormatValue(463), "Binary");
  EXPECT_EQ(tileValue(191), "HORIZONTAL");
  EXPECT_EQ(tileValue(192), "VERTICAL");
  EXPECT_EQ(tileValue(193), "FREE");
  EXPECT_EQ(tileValue(190), "CASCADE");
}

TEST_F(SettingsFileTest, FileDialogsRememberDirectoryAndFile) {
  ASSERT_TRUE(writeLastFileChoice(FileDialogKind::CommandOutput, {"/tmp/out", "log.txt"}));
  ASSERT_TRUE(writeLastFileChoice(FileDialogKind::Session, {"/tmp/s", "a.ssn"}));
  EXPECT_EQ(iniGet("CommandFile", "OutDir", ""), "/tmp/out");
  EXPECT_EQ(iniGet("CommandFile", "OutFile", ""), "log.txt");
  EXPECT_EQ(iniGet("Session", "File", ""), "a.ssn");
  EXPECT_EQ(readLastFileChoice(FileDialogKind::Layout).file, "");
  EXPECT_EQ(readLastFileChoice(FileDialogKind::Session).directory, "/tmp/s");
  EXPECT_EQ(readLoadFilterIndex(), 1);
  ASSERT_TRUE(iniSet("Load", "Index", "junk"));
  EXPECT_EQ(readLoadFilterIndex(), 1);
  ASSERT_TRUE(writeLoadFilterIndex(2));
  EXPECT_EQ(readLoadFilterIndex(), 2);
}

TEST_F(SettingsFileTest, RecentFilesNewestFirstWithoutDuplicates) {
  EXPECT_TRUE(recentFiles().empty());
  EXPECT_TRUE(recentFileMenuItems().empty());
  EXPECT_EQ(recentFileForItem(180), "ERROR.C");

  ASSERT_TRUE(addRecentFile("a.s08"));
  ASSERT_TRUE(addRecentFile("b.s08"));
  ASSERT_TRUE(addRecentFile("b.s08"));  // the same file again: one entry, the others stay
  EXPECT_EQ(recentFiles(), (std::vector<std::string>{"b.s08", "a.s08"}));
  EXPECT_EQ(iniGet("Files", "3", "none"), "none");

  for (const char* f : {"c.s08", "d.s08", "e.s08"}) ASSERT_TRUE(addRecentFile(f));
  ASSERT_TRUE(addRecentFile("a.s08"));  // an older entry moves to the front
  EXPECT_EQ(recentFiles(), (std::vector<std::string>{"a.s08", "e.s08", "d.s08", "c.s08", "b.s08"}));
  ASSERT_TRUE(addRecentFile("f.s08"));  // a sixth distinct file pushes the oldest out
  EXPECT_EQ(recentFiles(), (std::vector<std::string>{"f.s08", "a.s08", "e.s08", "d.s08", "c.s08"}));

  const auto items = recentFileMenuItems();
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0].id, 180);
  EXPECT_EQ(items[0].text, "&1 f.s08");
  EXPECT_EQ(items[4].id, 184);
  EXPECT_EQ(items[4].text, "&5 c.s08");
  EXPECT_EQ(recentFileForItem(181), "a.s08");
  EXPECT_EQ(recentFileForItem(184), "c.s08");

  EXPECT_FALSE(addRecentFile(""));
  EXPECT_FALSE(addRecentFile("two\nlines"));
  EXPECT_EQ(recentFiles().front(), "f.s08");
}

TEST_F(SettingsFileTest, LayoutWrittenAndRestored) {
  LayoutSnapshot layout;
  layout.windows[static_cast<size_t>(LayoutWindow::Registers)] = WindowState::Open;
  layout.windows[static_cast<size_t>(LayoutWindow::Stack)] = WindowState::Minimised;
  layout.windows[static_cast<size_t>(LayoutWindow::Command)] = WindowState::Open;
  layout.windows[static_cast<size_t>(LayoutWindow::Monitors)] = WindowState::Open;
  layout.saveOnExit = false;
  layout.arrangement = 191;
  ASSERT_TRUE(writeLayout(layout));
  EXPECT_EQ(iniGet("LayOut", "Registers", ""), "YES");
  EXPECT_EQ(iniGet("LayOut", "Stack", ""), "ICONIC");
  EXPECT_EQ(iniGet("LayOut", "Disassembly", ""), "NO");
  EXPECT_EQ(iniGet("LayOut", "Monitors", ""), "YES");
  EXPECT_EQ(iniGet("LayOut", "Save", ""), "NO");
  EXPECT_EQ(iniGet("Options", "Tile", ""), "HORIZONTAL");

  ASSERT_TRUE(iniSet("LayOut", "Save", "YES"));
  ASSERT_TRUE(iniSet("LayOut", "Locals", "Iconic"));
  const LayoutStart start = readLayout();
  EXPECT_TRUE(start.saveOnExit);
  ASSERT_EQ(start.afterConnect.size(), 1u);  // registers wait for the target connection
  EXPECT_EQ(start.afterConnect[0].showCommand, 310);
  EXPECT_FALSE(start.afterConnect[0].minimise);
  ASSERT_EQ(start.endOfStartup.size(), 3u);  // stack, locals, command; monitors are not reopened here
  EXPECT_EQ(start.endOfStartup[0].showCommand, 330);
  EXPECT_TRUE(start.endOfStartup[0].minimise);
  EXPECT_EQ(start.endOfStartup[1].showCommand, 335);
  EXPECT_TRUE(start.endOfStartup[1].minimise);
  EXPECT_EQ(start.endOfStartup[2].showCommand, 300);
  EXPECT_FALSE(start.endOfStartup[2].minimise);
}

TEST_F(SettingsFileTest, ConfigurationSaveWritesEverythingInOrder) {
  ConfigSnapshot config;
  config.layout.arrangement = 193;
  config.fonts.fonts.fill(defaultFontSpec());
  config.rects = defaultWindowRects({800, 600, 780, 500, 20, 18});
  config.sourcePath = "src|lib";
  config.extensionPath = "/opt/ext";
  config.loadSymbolsOnly = true;
  ASSERT_TRUE(saveConfiguration(config));
  EXPECT_EQ(iniGet("Options", "Tile", ""), "FREE");
  EXPECT_EQ(iniGet("Options", "Path", ""), "src|lib");
  EXPECT_EQ(iniGet("Options", "ExtenPath", ""), "/opt/ext");
  EXPECT_EQ(iniGet("Options", "LOAD_SYMB_ONLY", ""), "YES");
  EXPECT_EQ(readColours(), defaultColours());
  EXPECT_EQ(readWindowRects(WindowRects{}), config.rects);
  // Sections appear in the order of their first write.
  const std::string text = fileText();
  size_t at = 0;
  for (const char* section : {"[LayOut]", "[Options]", "[Colors]", "[Fonts]", "[YavWindow]", "[SrcWindow]",
                              "[GlobalsWindow]"}) {
    const size_t found = text.find(section, at);
    ASSERT_NE(found, std::string::npos) << section << "\n" << text;
    at = found;
  }
}

}  // namespace
}  // namespace yav
