// The window records of session and layout files: rectangles "l,t,r,b", window values
// "YES,l,t,r,b" or "NO", memory window records "D,addr,s1,s2,s3,s4,l,t,r,b" and "C,addr,l,t,r,b",
// the `Tile` words; malformed values are refused, never half-read.
#include "engine/window_layout_text.h"

#include <gtest/gtest.h>

#include "platform/ini.h"

namespace yav {
namespace {

TEST(WindowLayoutText, RectanglesAreFourSignedDecimals) {
  EXPECT_EQ(rectText({-4, -30, 1024, 768}), "-4,-30,1024,768");
  struct Case {
    const char* text;
    std::optional<WindowRect> rect;
  };
  const Case cases[] = {
      {"1,2,3,4", WindowRect{1, 2, 3, 4}},
      {"-1,-2,300,400", WindowRect{-1, -2, 300, 400}},
      {" 1, 2 ,3,4 ", WindowRect{1, 2, 3, 4}},
      {"2147483647,-2147483648,0,0", WindowRect{2147483647, -2147483648, 0, 0}},
      {"1,2,3", std::nullopt},
      {"1,2,3,4,5", std::nullopt},
      {"1,2,,4", std::nullopt},
      {"1,2,x,4", std::nullopt},
      {"1,2,3,4x", std::nullopt},
      {"0x10,2,3,4", std::nullopt},
      {"2147483648,0,0,0", std::nullopt},
      {"", std::nullopt},
      {"1 2,3,4,5", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(parseRect(c.text), c.rect) << c.text;
}

TEST(WindowLayoutText, WindowValuesOpenCloseOrLeaveAlone) {
  using S = WindowPlacement::State;
  EXPECT_EQ(placementText({S::Open, WindowRect{0, 0, 350, 100}}), "YES,0,0,350,100");
  EXPECT_EQ(placementText({S::Closed, std::nullopt}), "NO");
  EXPECT_EQ(placementText({S::Open, std::nullopt}), "YES");
  struct Case {
    std::optional<std::string> value;
    WindowPlacement placement;
    bool sound;
  };
  const Case cases[] = {
      {std::nullopt, {S::Unchanged, std::nullopt}, true},
      {"YES,20,20,350,100", {S::Open, WindowRect{20, 20, 350, 100}}, true},
      {"yes,1,2,3,4", {S::Open, WindowRect{1, 2, 3, 4}}, true},
      {"Y", {S::Open, std::nullopt}, true},
      {"YES", {S::Open, std::nullopt}, true},
      {"YES,1,2,3", {S::Open, std::nullopt}, false},
      {"YES,a,b,c,d", {S::Open, std::nullopt}, false},
      {"NO", {S::Closed, std::nullopt}, true},
      {"", {S::Closed, std::nullopt}, true},
      {"maybe", {S::Closed, std::nullopt}, true},
  };
  for (const Case& c : cases) {
    bool sound = false;
    EXPECT_EQ(parsePlacement(c.value, sound), c.placement) << c.value.value_or("(missing)");
    EXPECT_EQ(sound, c.sound) << c.value.value_or("(missing)");
  }
}

TEST(WindowLayoutText, MemoryRecords) {
  const MemoryWindowRecord data{false, 0x1a0, {1, 16, -2, 3}, {5, 6, 400, 300}};
  const MemoryWindowRecord code{true, 0xc000, {}, {0, 0, 10, 20}};
  EXPECT_EQ(memoryRecordText(data), "D,1a0,1,16,-2,3,5,6,400,300");
  EXPECT_EQ(memoryRecordText(code), "C,c000,0,0,10,20");
  struct Case {
    const char* text;
    std::optional<MemoryWindowRecord> record;
  };
  const Case cases[] = {
      {"D,1a0,1,16,-2,3,5,6,400,300", data},
      {"d,1A0,1,16,-2,3,5,6,400,300", data},
      {"C,c000,0,0,10,20", code},
      {"c,0xC000,0,0,10,20", code},
      {"C,ffffffff,0,0,10,20", MemoryWindowRecord{true, 0xffffffff, {}, {0, 0, 10, 20}}},
      {"C,1ffffffff,0,0,10,20", std::nullopt},
      {"C,c000,1,16,-2,3,0,0,10,20", std::nullopt},
      {"D,1a0,0,0,10,20", std::nullopt},
      {"D,1a0,1,16,-2,3,5,6,400", std::nullopt},
      {"D,,1,16,-2,3,5,6,400,300", std::nullopt},
      {"D,xyz,1,16,-2,3,5,6,400,300", std::nullopt},
      {"R,1a0,1,16,-2,3,5,6,400,300", std::nullopt},
      {"DC,1a0,0,0,10,20", std::nullopt},
      {"D", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(parseMemoryRecord(c.text), c.record) << c.text;
}

TEST(WindowLayoutText, TileWordsBothWays) {
  struct Case {
    uint16_t mode;
    const char* word;
  };
  const Case cases[] = {{190, "CASCADE"}, {191, "HORIZONTAL"}, {192, "VERTICAL"}, {193, "FREE"}};
  for (const Case& c : cases) {
    EXPECT_EQ(tileText(c.mode), c.word);
    EXPECT_EQ(arrangementFromTile(c.word), c.mode);
  }
}

TEST(WindowLayoutText, SectionsReadBackAsWritten) {
  using S = WindowPlacement::State;
  WindowLayout layout;
  layout.arrangement = 191;
  layout.frame = {S::Open, WindowRect{10, 10, 1200, 900}};
  layout.source = {S::Open, WindowRect{0, 0, 600, 400}};
  layout[StandardWindow::Disassembly] = {S::Open, WindowRect{600, 0, 1000, 300}};
  layout[StandardWindow::Command] = {S::Closed, std::nullopt};
  layout[StandardWindow::Stack] = {S::Open, WindowRect{1, 2, 3, 4}};
  layout[StandardWindow::Monitors] = {S::Closed, std::nullopt};
  layout[StandardWindow::Registers] = {S::Open, WindowRect{0, 0, 50, 100}};
  layout.memory = {{false, 0x80, {0, 1, 2, 3}, {1, 1, 2, 2}}, {true, 0x8000, {}, {3, 3, 4, 4}}};
  const std::string text = writeWindowLayout("", layout, true);
  const char* const expected[][3] = {
      {"Options", "Tile", "HORIZONTAL"},
      {"Windows", "Yav", "YES,10,10,1200,900"},
      {"Windows", "Source", "YES,0,0,600,400"},
      {"Windows", "Disassembly", "YES,600,0,1000,300"},
      {"Windows", "Command", "NO"},
      {"Windows", "Stack", "YES,1,2,3,4"},
      {"Windows", "Monitors", "NO"},
      {"Windows", "Registers", "YES,0,0,50,100"},
      {"Data", "1", "D,80,0,1,2,3,1,1,2,2"},
      {"Data", "2", "C,8000,3,3,4,4"},
  };
  for (const auto& e : expected) EXPECT_EQ(platform::profileLookup(text, e[0], e[1]), e[2]) << e[1];
  std::vector<std::string> problems;
  EXPECT_EQ(readWindowLayout(text, true, problems), layout);
  EXPECT_TRUE(problems.empty());
  // A layout leaves the memory windows out both ways.
  EXPECT_EQ(writeWindowLayout("", layout, false).find("[Data]"), std::string::npos);
  EXPECT_TRUE(readWindowLayout(text, false, problems).memory.empty());
}

TEST(WindowLayoutText, MalformedValuesAreLeftOutAndNamed) {
  const std::string text =
      "[Windows]\nYav=YES,1,2,x,4\nSource=YES,1,2,3\nStack=NO\n"
      "[Data]\n1=D,zz,0,0,0,0,1,1,2,2\n2=C,100,1,1,2,2\n4=C,200,1,1,2,2\n";
  std::vector<std::string> problems;
  const WindowLayout layout = readWindowLayout(text, true, problems);
  using S = WindowPlacement::State;
  EXPECT_EQ(layout.frame, (WindowPlacement{S::Open, std::nullopt}));
  EXPECT_EQ(layout.source, (WindowPlacement{S::Open, std::nullopt}));
  EXPECT_EQ(layout[StandardWindow::Stack].state, S::Closed);
  EXPECT_EQ(layout[StandardWindow::Command].state, S::Unchanged);
  EXPECT_FALSE(layout.arrangement.has_value());
  // Key 1 is refused, key 2 kept, and key 4 is never reached past the missing key 3.
  ASSERT_EQ(layout.memory.size(), 1u);
  EXPECT_EQ(layout.memory[0].address, 0x100u);
  EXPECT_EQ(problems, (std::vector<std::string>{"Windows Yav: no rectangle in YES,1,2,x,4",
                                                "Windows Source: no rectangle in YES,1,2,3",
                                                "Data 1: not a memory window: D,zz,0,0,0,0,1,1,2,2"}));
}

}  // namespace
}  // namespace yav
