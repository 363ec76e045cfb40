// The project browser's tabs and its popups' command lines against the demo program.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/demo_board_fixture.h"
#include "ui/project_tree.h"

namespace yav::test {
namespace {

class ProjectTree : public DemoBoardTest {
 protected:
  const SymbolTables& tables() { return k.prog.program->tables; }
  // The first node of a tab whose text is `text`, searched depth first.
  static const TreeNode* find(const std::vector<TreeNode>& nodes, const std::string& text) {
    for (const TreeNode& n : nodes) {
      if (n.text == text) return &n;
      if (const TreeNode* c = find(n.children, text)) return c;
    }
    return nullptr;
  }
  static const TreeNode* child(const TreeNode* n, const std::string& text) {
    return n ? find(n->children, text) : nullptr;
  }
};

TEST_F(ProjectTree, TabsHoldFilesFunctionsAndVariables) {
  const std::vector<ProjectTab> tabs = projectTree(*k.prog.program);
  ASSERT_EQ(tabs.size(), 3u);
  EXPECT_EQ(tabs[0].title, "Files");
  EXPECT_EQ(tabs[1].title, "Functions");
  EXPECT_EQ(tabs[2].title, "Variables");
  EXPECT_EQ(tabs[0].treeTitle, "File View");

  ASSERT_EQ(tabs[0].roots.size(), 1u);
  std::vector<std::string> files;
  for (const TreeNode& f : tabs[0].roots[0].children) files.push_back(f.text);
  EXPECT_EQ(files, (std::vector<std::string>{"console.c", "main.c", "mathx.c", "shapes.c"}));
  const TreeNode* mainFile = child(&tabs[0].roots[0], "main.c");
  ASSERT_NE(mainFile, nullptr);
  ASSERT_EQ(mainFile->children.size(), 2u);
  EXPECT_EQ(mainFile->children[0].text, "fill_table()");
  EXPECT_EQ(nodePlace(tables(), *mainFile), (SourcePlace{"main.c", 0}));
  EXPECT_EQ(nodePlace(tables(), mainFile->children[1]), (SourcePlace{"main.c", 18}));  // main's line

  // fill_table is the one static function of the demo.
  const TreeNode* locals = find(tabs[1].roots, "Local Functions");
  ASSERT_NE(locals, nullptr);
  ASSERT_EQ(locals->children.size(), 1u);
  EXPECT_EQ(locals->children[0].text, "fill_table()");
  EXPECT_EQ(find(tabs[1].roots, "Global Functions")->children.size(), 10u);

  // Variables: file-level ones under their file, locals under their function.
  const TreeNode* mainVars = find(tabs[2].roots, "main.c");
  ASSERT_NE(mainVars, nullptr);
  for (const char* v : {"count", "table", "fact_result", "mean"}) EXPECT_NE(child(mainVars, v), nullptr) << v;
  EXPECT_NE(child(child(mainVars, "main()"), "perimeter"), nullptr);
  EXPECT_NE(child(child(find(tabs[2].roots, "console.c"), "console_putu()"), "digits"), nullptr);
}

TEST_F(ProjectTree, FunctionPopupIssuesItsCommandLines) {
  const std::vector<ProjectTab> tabs = projectTree(*k.prog.program);
  const TreeNode* fill = find(tabs[1].roots, "fill_table()");
  const TreeNode* mainFn = find(tabs[1].roots, "main()");
  ASSERT_TRUE(fill && mainFn);
  // fill_table's definition starts on line 11 of main.c.
  const struct {
    const TreeNode* node;
    uint16_t id;
    TreeAction expected;
  } rows[] = {
      {fill, 994, {TreeAction::Kind::Command, "go fill_table():11", {}}},
      {fill, 993, {TreeAction::Kind::Command, "break /e fill_table()", {}}},
      {mainFn, 992, {TreeAction::Kind::Command, "xref main()", {}}},
      {fill, 991, {TreeAction::Kind::Show, "", {"main.c", 11}}},
      {mainFn, 989, {}},
  };
  for (const auto& r : rows) EXPECT_EQ(functionAction(tables(), *r.node, r.id), r.expected) << r.id;

  char info[80];
  std::snprintf(info, sizeof info, "global void main() at 0x%x in (main.c)", *mapAddress("_main"));
  EXPECT_EQ(functionAction(tables(), *mainFn, 990).text, info);

  // The Goto item really reaches the function: a run to it stops on its line.
  run(functionAction(tables(), *fill, 994).text);
  EXPECT_EQ(pagedPc(k.regs.file), *mapAddress("Fmain$fill_table$0$0"));
}

TEST_F(ProjectTree, VariablePopupNamesTheVariableUnambiguously) {
  const std::vector<ProjectTab> tabs = projectTree(*k.prog.program);
  const TreeNode* mainVars = find(tabs[2].roots, "main.c");
  const TreeNode* consoleVars = find(tabs[2].roots, "console.c");
  ASSERT_TRUE(mainVars && consoleVars);
  const TreeNode* table = child(mainVars, "table");
  const TreeNode* mainCount = child(mainVars, "count");
  const TreeNode* consoleCount = child(consoleVars, "count");
  const TreeNode* seed = child(child(mainVars, "fill_table()"), "seed");
  ASSERT_TRUE(table && mainCount && consoleCount && seed);
  // Two files declare `count` (main.c's global, console.c's static): each is named with its file.
  const struct {
    const TreeNode* node;
    uint16_t id;
    TreeAction expected;
  } rows[] = {
      {table, 996, {TreeAction::Kind::Command, "xref table", {}}},
      {table, 997, {TreeAction::Kind::Evaluate, "eval table", {}}},
      {mainCount, 998, {TreeAction::Kind::Command, "monit main.c:count", {}}},
      {consoleCount, 999, {TreeAction::Kind::Update, "console.c:count", {}}},
      {consoleCount, 1000, {TreeAction::Kind::Command, "dbreak /t:a console.c:count", {}}},
      {table, 1001, {TreeAction::Kind::Command, "dbreak /t:r table", {}}},
      {table, 1002, {TreeAction::Kind::Command, "dbreak /t:w table", {}}},
      {seed, 1003, {TreeAction::Kind::Command, "rmonit fill_table():seed", {}}},
  };
  for (const auto& r : rows) EXPECT_EQ(variableAction(tables(), *r.node, r.id), r.expected) << r.id;

  char info[80];
  std::snprintf(info, sizeof info, "at 0x%x static unsigned char  table[8]", *mapAddress("_table"));
  EXPECT_EQ(variableAction(tables(), *table, 995).text, info);

}

}  // namespace
}  // namespace yav::test
