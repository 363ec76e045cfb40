#include "ui/frame_menu.h"

#include <gtest/gtest.h>

#include <set>

#include "ui/frame_commands.h"

namespace yav {
namespace {

TEST(FrameMenu, TopLevelMenusInOrder) {
  const std::vector<MenuNode> menu = mainMenu();
  const char* expected[] = {"&File",   "&Events", "&Browse",  "&Debug",      "Setu&p",
                            "&Target", "S&how",   "&Windows", "E&xtensions", "&Help"};
  ASSERT_EQ(menu.size(), std::size(expected));
  for (size_t i = 0; i < menu.size(); ++i) {
    EXPECT_EQ(menu[i].kind, MenuKind::Popup);
    EXPECT_EQ(menu[i].text, expected[i]);
  }
  // The MDI window list hangs on the eighth menu.
  EXPECT_EQ(menu[7].text, "&Windows");
  EXPECT_TRUE(menu[2].disabled);
}

TEST(FrameMenu, ItemsCarryTextIdAndInitialState) {
  const std::vector<MenuNode> menu = mainMenu();
  struct Case {
    uint16_t id;
    const char* text;
    bool ticked, disabled;
  };
  const Case cases[] = {
      {101, "&Load  (Code and Symbols)", false, false},
      {117, "E&xit", false, false},
      {211, "Step Instr. Interrupts &Masked", false, true},
      {634, "&Standard", true, false},
      {109, "&Code and Symbols", true, false},
      {112, "Save Configuration on &Exit", true, false},
      {1360, "&View I/O Registers", false, true},
      {20000, "Connect", false, false},
      {301, "&Project Tree", true, false},
      {10010, "&Iconic", true, false},
      {190, "&Cascade", true, false},
      {13001, "On &Yav \t<F1>", false, false},
      {14000, "&Main Page", false, false},
      {671, "Sort by &Address ", false, false},
  };
  for (const Case& c : cases) {
    const MenuNode* n = findMenuItem(menu, c.id);
    ASSERT_NE(n, nullptr) << c.id;
    EXPECT_EQ(n->text, c.text) << c.id;
    EXPECT_EQ(n->ticked, c.ticked) << c.id;
    EXPECT_EQ(n->disabled, c.disabled) << c.id;
  }
  EXPECT_EQ(findMenuItem(menu, 9999), nullptr);
}

TEST(FrameMenu, NestedSubmenusKeepTheirDepth) {
  const std::vector<MenuNode> menu = mainMenu();
  const MenuNode& show = menu[6];
  const MenuNode& sourceInfo = show.children.back();
  EXPECT_EQ(sourceInfo.text, "Sour&ce Information");
  ASSERT_EQ(sourceInfo.children.size(), 2u);
  const MenuNode& coverage = sourceInfo.children[1];
  EXPECT_EQ(coverage.kind, MenuKind::Popup);
  EXPECT_TRUE(coverage.ticked);
  ASSERT_EQ(coverage.children.size(), 5u);
  EXPECT_EQ(coverage.children[1].kind, MenuKind::Separator);
  // Setup / Colors / Syntax Coloring holds five items; Colors then ends and Fonts follows.
  const MenuNode& setup = menu[4];
  const MenuNode& colors = setup.children[2];
  EXPECT_EQ(colors.text, "&Colors");
  EXPECT_EQ(colors.children.back().text, "S&yntax Coloring");
  EXPECT_EQ(colors.children.back().children.size(), 5u);
  EXPECT_EQ(setup.children[3].text, "&Fonts");
}

TEST(FrameMenu, EveryItemHasAnIdAndEveryPopupEntries) {
  size_t items = 0;
  std::function<void(const std::vector<MenuNode>&)> walk = [&](const std::vector<MenuNode>& level) {
    for (const MenuNode& n : level) {
      if (n.kind == MenuKind::Item) {
        EXPECT_NE(n.id, 0) << n.text;
        ++items;
      }
      if (n.kind == MenuKind::Popup) {
        EXPECT_FALSE(n.children.empty()) << n.text;
      }
      walk(n.children);
    }
  };
  walk(mainMenu());
  EXPECT_GT(items, 100u);
}

TEST(FrameMenu, MarkersRemovedForDisplay) {
  EXPECT_EQ(menuTextWithoutMarkers("E&xit"), "Exit");
  EXPECT_EQ(menuTextWithoutMarkers("A && B"), "A & B");
  EXPECT_EQ(menuTextWithoutMarkers("end&"), "end");
}

TEST(Toolbar, ThirtyOneEntriesWithTooltips) {
  auto entries = toolbarEntries();
  ASSERT_EQ(entries.size(), 31u);
  EXPECT_EQ(entries[0].id, 0);
  EXPECT_EQ(entries[27].id, 0);
  EXPECT_EQ(entries[28].id, 0);
  EXPECT_EQ(entries[30].id, 20103);
  struct Case {
    uint16_t id;
    const char* tooltip;
  };
  const Case cases[] = {{101, "Load File"},
                        {211, "Assembler Step Interrupts Masked"},
                        {1, "Stop Execution"},
                        {320, "Toggle Disasembly Window"},
                        {20104, "Toggle Real Time Monitor Window"},
                        {1200, "Toggle Terminal Window"},
                        {0, ""},
                        {4242, ""}};
  for (const Case& c : cases) EXPECT_EQ(toolbarTooltip(c.id), c.tooltip) << c.id;
  std::set<uint16_t> checks;
  for (const ToolbarEntry& e : entries)
    if (e.check) checks.insert(e.id);
  EXPECT_EQ(checks, (std::set<uint16_t>{301, 300, 320, 310, 330, 335, 336, 340, 20104, 20103}));
}

TEST(FrameCommands, CommandLinesAvailabilityAndBusyRule) {
  struct Case {
    uint16_t id;
    const char* line;
    bool available, busyRefused;
  };
  const Case cases[] = {
      {201, "go", true, true},      {203, "step", true, true},   {204, "istep", true, true},
      {205, "ostep", true, true},   {211, "mstep", true, true},  {107, "zero", true, true},
      {300, "", true, false},       {117, "", true, true},       {145, "", true, false},
      {113, "", true, false},       {190, "", true, false},      {193, "", true, false},
      {101, "", true, true},       {214, "", true, true},      {805, "", true, false},
      {20000, "", true, false},     {20002, "", true, false},    {20010, "", true, false},
      {20012, "", true, false},     {20053, "", true, false},    {20013, "", false, false},
      {20103, "", false, false},    {209, "", true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(frameCommandLine(c.id), c.line) << c.id;
    EXPECT_EQ(frameCommandAvailable(c.id), c.available) << c.id;
    EXPECT_EQ(refusedWhileBusy(c.id), c.busyRefused) << c.id;
  }
}

TEST(FrameCommands, AboutVersionLines) {
  auto lines = aboutVersionLines("1.2", "3.4", "5.6", "Jan  1 2025");
  EXPECT_EQ(lines[0], "Kernel: 1.2 (Jan  1 2025) - 32 bits");
  EXPECT_EQ(lines[1], "Processor: 3.4 (Jan  1 2025)");
  EXPECT_EQ(lines[2], "Target: 5.6 (Jan  1 2025)");
}

}  // namespace
}  // namespace yav
