// The variable tree and the variable windows' model on the demo: values, formats, expansion,
// the refresh rules, the saved text and the data-refresh period. Expected values follow the
// demo's C source: shapes_init() sets shapes[i].corner = {i*10, i*20+5}, sides i+3 and next
// &shapes[i+1]; fill_table(count) sets table[i] = count + 3*i before each walk.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/demo_board_fixture.h"
#include "ui/variable_window_model.h"

namespace yav::test {
namespace {

class VariableTreeTest : public DemoBoardTest {
 protected:
  static std::vector<std::string> childLines(const VariableTree& t, const VarNode& n) {
    std::vector<std::string> lines;
    for (const auto& c : n.children) lines.push_back(t.text(*c));
    return lines;
  }
  static std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(VariableTreeTest, FormatItemsShowAnIntInTheirBase) {
  stopInWalk();
  run("update main.c:count = -300");
  VariableTree t(k);
  VarNode& y = t.add("shapes[1].corner.y");
  VarNode& count = t.add("main.c:count");
  EXPECT_EQ(t.text(y), "shapes[1].corner.y = 25");
  struct Case {
    uint16_t id;
    const char* y;      // 25
    const char* count;  // -300 in a 16-bit int: 0xfed4
  };
  const Case cases[] = {
      {345, "031", "0177324"},
      {346, "25", "-300"},
      {347, "25", "65236"},
      {348, "0x19", "0xfed4"},
      {352, "0b11001", "0b1111111011010100"},
  };
  for (const Case& c : cases) {
    t.setFormat(y, popupFormat(c.id));
    t.setFormat(count, popupFormat(c.id));
    EXPECT_EQ(y.value, c.y) << c.id;
    EXPECT_EQ(count.value, c.count) << c.id;
  }
  t.setFormat(y, popupFormat(344));
  EXPECT_EQ(y.value, std::string(1, '\x19'));
}

TEST_F(VariableTreeTest, StructExpandsIntoMembersAndPointersIntoTheirTarget) {
  stopInWalk();
  VariableTree t(k);
  VarNode& s = t.add("shapes[1]");
  EXPECT_TRUE(s.expandable);
  EXPECT_FALSE(s.built);  // a "Dummy" child until the first expansion
  // The struct's text "{color=..., corner={x=10, y=25}, sides=4, next=...}" is cut at 32.
  EXPECT_EQ(s.value.size(), 32u);
  EXPECT_TRUE(s.value.starts_with("{color=")) << s.value;
  t.expand(s);
  ASSERT_EQ(s.children.size(), 4u);
  EXPECT_EQ(s.children[0]->label, "color");
  VarNode& corner = *s.children[1];
  VarNode& sides = *s.children[2];
  VarNode& next = *s.children[3];
  EXPECT_EQ(t.text(sides), "sides = 4");
  EXPECT_EQ(t.text(corner), "corner = {x=10, y=25}");
  t.expand(corner);
  EXPECT_EQ(childLines(t, corner), (std::vector<std::string>{"x = 10", "y = 25"}));
  t.expand(next);
  ASSERT_EQ(next.children.size(), 1u);
  VarNode& target = *next.children[0];
  EXPECT_EQ(target.label, "*next");
  t.expand(target);
  EXPECT_EQ(t.text(*target.children[2]), "sides = 5");
  // The last shape's next is null: nothing to expand into.
  VarNode& last = t.add("shapes[2].next");
  EXPECT_EQ(t.text(last), "shapes[2].next = NULL");
  t.expand(last);
  EXPECT_TRUE(last.children.empty());
  run("update shapes[2].next = &shapes[0]");  // the list made a ring: now it leads somewhere
  t.collapse(last);
  t.expand(last);
  ASSERT_EQ(last.children.size(), 1u);
  t.expand(*last.children[0]);
  EXPECT_EQ(t.text(*last.children[0]->children[2]), "sides = 3");
  // A struct has no integer format.
  t.setFormat(corner, popupFormat(348));
  EXPECT_EQ(corner.value, "(no format)");
  EXPECT_EQ(t.text(*corner.children[1]), "y = 0x19");
}

TEST_F(VariableTreeTest, ArrayElementsAreNamedByIndex) {
  stopInWalk();
  VariableTree t(k);
  VarNode& table = t.add("table");
  t.expand(table);
  ASSERT_EQ(table.children.size(), 8u);
  EXPECT_EQ(t.text(*table.children[0]), "table[0] = 0");
  EXPECT_EQ(t.text(*table.children[2]), "table[2] = 6");
  EXPECT_EQ(t.text(*table.children[7]), "table[7] = 21");
  // An element of an element: shapes[2] in an expanded array of structs.
  VarNode& shapes = t.add("shapes", "shapes");
  t.expand(shapes);
  t.expand(*shapes.children[2]);
  EXPECT_EQ(t.text(*shapes.children[2]->children[2]), "sides = 5");
  EXPECT_EQ(shapes.children[2]->label, "shapes[2]");
}

TEST_F(VariableTreeTest, ValuesChangedSinceTheLastStopAreMarked) {
  stopInWalk();
  VariableTree t(k);
  VarNode& count = t.add("main.c:count");
  VarNode& table = t.add("table");
  t.expand(table);
  VarNode& y = t.add("shapes[1].corner.y");
  t.refresh();  // another refresh at the same stop marks nothing
  EXPECT_FALSE(count.changed());
  stopAt("main.c:28");  // main's next turn, before fill_table(1)
  t.refresh();
  EXPECT_EQ(count.value, "1");
  EXPECT_TRUE(count.changed());
  EXPECT_EQ(*count.previous, "0");
  EXPECT_FALSE(table.children[1]->changed());  // still 0 + 3: fill_table(1) comes next
  EXPECT_EQ(table.children[1]->value, "3");
  EXPECT_FALSE(y.changed());
  // A collapsed subtree is not read.
  t.collapse(table);
  run("update table[1] = 99");
  t.refresh();
  EXPECT_EQ(table.children[1]->value, "3");
}

TEST_F(VariableTreeTest, StringFormatReadsCharactersUpTo510OnTheLine) {
  stopInWalk();
  run("update table = \"hello\", \"\\0\"");
  VariableTree t(k);
  VarNode& table = t.add("table");
  t.expand(table);
  t.setFormat(table, popupFormat(kPopupFormatString));
  EXPECT_FALSE(table.expanded);
  EXPECT_FALSE(table.built);
  EXPECT_EQ(t.text(table), "table = \"hello\"");
  run("fill 0x400,600 0x41");
  VarNode& text = t.add("(char*)0x400");
  t.setFormat(text, "%p");
  const std::string line = t.text(text);
  EXPECT_EQ(line.size(), 511u);
  EXPECT_EQ(line.substr(0, 20), "(char*)0x400 = \"AAAA");
  EXPECT_EQ(line.back(), '"');
}

TEST_F(VariableTreeTest, FrozenFunctionBrowserKeepsItsFunction) {
  stopInWalk();
  VariableWindowModel browser(k, kVarCurrentFunction, LineLayout::Standard);
  ASSERT_NE(browser.tree().find("total"), nullptr);
  EXPECT_TRUE(browser.statusCommand(kVarFrozen));
  EXPECT_EQ(browser.statusWord(), "Frozen");
  stopAt("/e shapes_perimeter()");
  EXPECT_FALSE(browser.refresh());
  EXPECT_NE(browser.tree().find("total"), nullptr);
  EXPECT_TRUE(browser.statusCommand(kVarAutoRefresh));
  EXPECT_EQ(browser.statusWord(), "Auto Refresh");
  EXPECT_TRUE(browser.refresh());
  EXPECT_EQ(browser.tree().find("total"), nullptr);
  EXPECT_NE(browser.tree().find("side"), nullptr);
  // The same function and frame at the next stop: values read again in place.
  EXPECT_FALSE(browser.refresh());
}

TEST_F(VariableTreeTest, BrowserKindsAndLayouts) {
  stopInWalk();
  VariableWindowModel file(k, kVarCurrentFile, LineLayout::Standard);
  EXPECT_EQ(file.title(), "Current File Variables Browser");
  ASSERT_NE(file.tree().find("first_shape"), nullptr);
  EXPECT_EQ(file.tree().find("count"), nullptr);  // main.c's, not shapes.c's
  VariableWindowModel globals(k, kVarGlobals, LineLayout::Standard);
  EXPECT_NE(globals.tree().find("main.c:count"), nullptr);
  EXPECT_NE(globals.tree().find("console.c:count"), nullptr);
  // Brief: storage class, type and name; standard adds the value, full the address too.
  VarNode* count = globals.tree().find("main.c:count");
  globals.tree().setLayout(LineLayout::Brief);
  const std::string brief = globals.tree().text(*count);
  EXPECT_TRUE(brief.ends_with("int  main.c:count")) << brief;
  globals.tree().setLayout(LineLayout::Standard);
  EXPECT_EQ(globals.tree().text(*count), brief + " = 0");
  globals.tree().setLayout(LineLayout::Full);
  EXPECT_TRUE(globals.tree().text(*count).starts_with(brief + " @0x")) << globals.tree().text(*count);
  EXPECT_TRUE(globals.layoutCommand(kVarBriefLines));
  EXPECT_EQ(globals.tree().text(*count), brief);
  VariableWindowModel monitors(k, kVarMonitors);
  EXPECT_FALSE(monitors.layoutCommand(kVarBriefLines));
  // The current-file browser is built again when execution is in another file.
  EXPECT_FALSE(file.refresh());
  stopAt("main.c:28");
  EXPECT_TRUE(file.refresh());
  EXPECT_NE(file.tree().find("count"), nullptr);
  EXPECT_EQ(file.tree().find("first_shape"), nullptr);
}

TEST_F(VariableTreeTest, SavedMonitorFileIndentsExpandedMembers) {
  stopInWalk();
  run("monit shapes[1].corner");
  VariableWindowModel monitors(k, kVarMonitors);
  ASSERT_EQ(monitors.tree().roots().size(), 1u);
  VarNode& corner = *monitors.tree().roots()[0];
  monitors.tree().expand(corner);
  const auto path = tempFile("m.mon");
  ASSERT_TRUE(monitors.save(path.string()));
  EXPECT_EQ(readFile(path), "\n\t\tMonitors\n\nshapes[1].corner = {x=10, y=25}\n\tx = 10\n\ty = 25\n");
  EXPECT_EQ(monitors.saveTitle(), "Save Monitors");
  // A node never expanded writes no "Dummy" line.
  run("monit shapes[0]");
  monitors.refresh();
  EXPECT_EQ(monitors.saveText().find("Dummy"), std::string::npos);
  EXPECT_EQ(monitors.tree().roots().size(), 2u);
  EXPECT_TRUE(monitors.tree().roots()[0]->expanded);  // the first monitor kept its node
  // The popup extras: delete by number, delete all.
  EXPECT_EQ(monitors.monitorCommandLine(*corner.children[0], kMonDelete), "del /m 1");
  EXPECT_EQ(monitors.monitorCommandLine(corner, kMonDeleteAll), "del /m *");
  EXPECT_EQ(monitors.monitorCommandLine(corner, kMonAddressOf), "eval &shapes[1].corner");
  // A file that cannot be written.
  EXPECT_FALSE(monitors.save((dir_ / "no/such/dir/m.mon").string()));
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_NE(ui.boxes.back().find("Can't write "), std::string::npos);
}

TEST_F(VariableTreeTest, UpdateWritesThroughTheKernel) {
  stopInWalk();
  VariableTree t(k);
  VarNode& s = t.add("shapes[1]");
  t.expand(s);
  t.expand(*s.children[1]);
  VarNode& y = *s.children[1]->children[1];
  const std::string line = VariableWindowModel::updateCommandLine(y, "-7");
  EXPECT_EQ(line, "update shapes[1].corner.y = -7");
  run(line);
  t.refresh();
  EXPECT_EQ(y.value, "-7");
  // Through a pointer's target too.
  VarNode& first = t.add("first_shape");
  t.expand(first);
  t.expand(*first.children[0]);
  run(VariableWindowModel::updateCommandLine(*first.children[0]->children[2], "9"));
  t.refresh();
  EXPECT_EQ(t.text(*first.children[0]->children[2]), "sides = 9");
}

TEST(BrowserKinds, OneWindowPerKind) {
  BrowserKinds kinds;
  EXPECT_TRUE(kinds.open(kVarCurrentFile));
  EXPECT_FALSE(kinds.open(kVarCurrentFile));
  EXPECT_TRUE(kinds.open(kVarApplication));
  kinds.closed(kVarCurrentFile);
  EXPECT_TRUE(kinds.open(kVarCurrentFile));
}

TEST(RefreshPeriod, WholeTextMustBeANumber) {
  struct Case {
    const char* text;
    std::optional<uint32_t> period;
  };
  const Case cases[] = {
      {"", std::nullopt}, {"12x", std::nullopt}, {"x12", std::nullopt}, {"-5", std::nullopt},
      {"0", std::nullopt}, {"500", 500},         {"0x10", 16},         {"010", 8},
  };
  for (const Case& c : cases) EXPECT_EQ(parseRefreshPeriod(c.text), c.period) << c.text;
}

}  // namespace
}  // namespace yav::test
