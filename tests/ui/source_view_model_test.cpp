// The source view's model on the demo program: lines with code and breakpoints, the execution
// line, and expressions qualified by the function or file they belong to.
#include "ui/source_view_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/display_fixture.h"
#include "model/loader.h"

namespace yav {
namespace {

class SourceModelDemo : public test::DisplayFixture {
 protected:
  void SetUp() override {
    DisplayFixture::SetUp();
    if (IsSkipped()) return;
    k.cmdfile.inputMark = false;
    run("path \"" + std::filesystem::path(test::demoProgramPath()).parent_path().string() + "\"");
  }
  // The first line of `file` holding `text`.
  size_t lineOf(const SourceViewModel& m, std::string_view text) {
    for (size_t n = 1; n <= m.lineCount(); ++n) {
      if (m.displayed(n).find(text) != std::string::npos) return n;
    }
    ADD_FAILURE() << text;
    return 0;
  }
  std::string qualified(SourceViewModel& m, std::string_view lineText, std::string_view word) {
    const size_t n = lineOf(m, lineText);
    const size_t column = m.displayed(n).find(word);
    return m.expressionAt(k, {HitArea::Text, n, column}).value_or("<none>");
  }
};

TEST_F(SourceModelDemo, LinesCarryCodeAndBreakpoints) {
  SourceViewModel m(false);
  ASSERT_TRUE(m.showFile(k, "main.c", 0, {}));
  EXPECT_EQ(m.title(), "Browser: main.c");
  EXPECT_EQ(m.lineCount(), 38u);
  const size_t declaration = lineOf(m, "int perimeter;");
  const size_t call = lineOf(m, "console_init();");
  EXPECT_FALSE(m.lineState(declaration).hasCode);
  // Marked up as C: the macro main.c defines, not those of the header it includes.
  const std::string_view assignment = m.markedLine(lineOf(m, "SOPT1 = 0x02;"));
  EXPECT_NE(assignment.find("\x01\x10SOPT1\x01\x01"), std::string_view::npos);
  EXPECT_NE(m.markedLine(lineOf(m, "average(table, TABLE_SIZE)")).find(" TABLE_SIZE)"), std::string_view::npos);
  ASSERT_TRUE(m.lineState(call).hasCode);
  EXPECT_GT(m.lineState(call).address, address("main"));  // inside main, after its entry

  // Double-clicking a line without code does nothing; on a code line it sets the breakpoint.
  EXPECT_EQ(doubleClickNumber(m.lineState(declaration), "main.c", declaration, {}).kind, LineAction::None);
  const LineAction set = doubleClickNumber(m.lineState(call), "main.c", call, {});
  EXPECT_EQ(set.command, "break main.c:" + std::to_string(call));
  run(set.command);
  m.refresh(k, {});
  EXPECT_EQ(m.lineState(call).mark, BreakMark::Active);
  EXPECT_EQ(m.lineState(call).event, 1);
  EXPECT_EQ(m.lineState(call + 1).mark, BreakMark::None);

  // A second double click suspends it, a third activates it again.
  LineAction toggle = doubleClickNumber(m.lineState(call), "main.c", call, {});
  run(popupAction(k, toggle.id, m.popupContext(call, {})).command);
  m.refresh(k, {});
  EXPECT_EQ(m.lineState(call).mark, BreakMark::Suspended);
  toggle = doubleClickNumber(m.lineState(call), "main.c", call, {});
  EXPECT_EQ(popupAction(k, toggle.id, m.popupContext(call, {})).command, "break /a 1");

  // A breakpoint on a function marks the line its code starts on.
  run("break shapes_walk");
  SourceViewModel shapes(false);
  ASSERT_TRUE(shapes.showFile(k, "shapes.c", 0, {}));
  EXPECT_EQ(shapes.lineState(lineOf(shapes, "int shapes_walk(void)")).mark, BreakMark::Active);
}

TEST_F(SourceModelDemo, MainViewFollowsTheExecutionLine) {
  SourceViewModel m(true);
  m.setVisibleLines(10);
  SourceViewModel probe(false);
  ASSERT_TRUE(probe.showFile(k, "shapes.c", 0, {}));
  const size_t line = lineOf(probe, "total += shapes_perimeter(s);");
  k.regs.file.pc = static_cast<uint16_t>(probe.lineState(line).address);
  k.regs.valid = true;
  m.refresh(k, {});
  EXPECT_EQ(m.title(), "Source");
  EXPECT_EQ(m.fileName(), "shapes.c");
  ASSERT_TRUE(m.execution());
  EXPECT_EQ(m.execution()->line, line);
  EXPECT_FALSE(m.execution()->columns);  // one statement: the whole line
  EXPECT_EQ(m.currentLine(), line);
  EXPECT_LE(m.firstLine(), line - 1);
  EXPECT_GT(m.firstLine() + m.visibleLines(), line - 1);
  EXPECT_TRUE(m.lineState(line).executed);
}

TEST_F(SourceModelDemo, ExpressionsAreQualified) {
  SourceViewModel mainFile(false), console(false), consoleMain(true), shapes(false);
  ASSERT_TRUE(mainFile.showFile(k, "main.c", 0, {}));
  ASSERT_TRUE(console.showFile(k, "console.c", 0, {}));
  ASSERT_TRUE(consoleMain.showFile(k, "console.c", 0, {}));
  ASSERT_TRUE(shapes.showFile(k, "shapes.c", 0, {}));
  EXPECT_EQ(qualified(mainFile, "perimeter = shapes_walk();", "perimeter"), "main():perimeter");
  EXPECT_EQ(qualified(mainFile, "table[i] = ", "i]"), "table[i]");  // the leading name decides
  EXPECT_EQ(qualified(mainFile, "table[i] = ", "seed"), "fill_table():seed");
  EXPECT_EQ(qualified(mainFile, "count++;", "count"), "count");  // the program's global
  EXPECT_EQ(qualified(console, "count = 0;", "count"), "console.c:count");  // the file's static
  EXPECT_EQ(qualified(consoleMain, "count = 0;", "count"), "count");  // not in the main view
  EXPECT_EQ(qualified(shapes, "last_color = s->color;", "last_color"), "shapes.c:last_color");
  EXPECT_EQ(qualified(shapes, "last_color = s->color;", "color;"), "shapes_perimeter():s->color");
  EXPECT_EQ(qualified(shapes, "last_color = s->color;", "= s"), "<none>");
}

}  // namespace
}  // namespace yav

namespace yav {
namespace {

// A line of two statements: only the columns of the one that runs are marked, tabs expanded.
TEST(SourceModel, StoppedOnTheSecondStatementOfALine) {
  const auto dir = std::filesystem::temp_directory_path() / ("yav-multi-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "multi.c") << "void f(void) {\n\tx = 1; y = 2;\n}\n";
  test::FakeUiPort ui;
  Kernel k{ui};
  k.target = std::make_unique<test::FakeTargetPort>();
  k.cmdfile.sourcePath = dir.string();

  SymbolTables& t = k.prog.program->tables;
  auto file = std::make_unique<FileEntry>();
  file->name = "multi.c";
  auto fn = std::make_unique<FunctionEntry>();
  fn->name = "f";
  fn->file = file.get();
  fn->firstLine = 1;
  fn->lastLine = 3;
  fn->startRecord = 0;
  fn->endRecord = 3;
  FunctionEntry* f = fn.get();
  file->functions.push_back(std::move(fn));
  t.insertFile(std::move(file));
  auto record = [&](uint8_t kind, uint32_t address, uint16_t line, uint16_t from, uint16_t to) {
    DebugRecord r;
    r.function = f;
    r.functionName = "f";
    r.kind = kind;
    r.address = address;
    r.startLine = r.endLine = line;
    r.startColumn = from;
    r.endColumn = to;
    r.fileName = "multi.c";
    t.records.push_back(r);
  };
  record(rk::FunctionStart, 0x100, 1, 0, 0);
  record(rk::Line, 0x102, 2, 2, 7);   // "x = 1;" (columns from 1)
  record(rk::Line, 0x105, 2, 9, 14);  // "y = 2;"
  record(rk::FunctionEnd, 0x108, 3, 0, 0);
  t.buildIndexes();

  k.regs.file.pc = 0x105;
  k.regs.valid = true;
  SourceViewModel m(true);
  m.refresh(k, {});
  ASSERT_TRUE(m.execution());
  EXPECT_EQ(m.execution()->line, 2u);
  ASSERT_TRUE(m.execution()->columns);
  EXPECT_EQ(*m.execution()->columns, (std::pair<size_t, size_t>(11, 17)));  // "    x = 1; y = 2;"
  EXPECT_EQ(m.displayed(2).substr(11, 6), "y = 2;");
  EXPECT_EQ(m.lineState(2).address, 0x102u);

  k.regs.file.pc = 0x100;  // a line of one statement is marked whole
  m.refresh(k, {});
  ASSERT_TRUE(m.execution());
  EXPECT_EQ(m.execution()->line, 1u);
  EXPECT_FALSE(m.execution()->columns);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace yav
