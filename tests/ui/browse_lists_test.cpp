// The list windows' texts and the browsers' choices against the demo program; expectations from
// its C source (functions, their lines and types; SDCC's char is unsigned) and its linker map.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "support/demo_board_fixture.h"
#include "ui/browser_lists.h"
#include "ui/list_windows.h"
#include "ui/program_lists.h"

namespace yav::test {
namespace {

class BrowseLists : public DemoBoardTest {
 protected:
  std::string hex(uint32_t v) {
    char b[16];
    std::snprintf(b, sizeof b, "0x%x", v);
    return b;
  }
};

TEST_F(BrowseLists, FunctionListFileHasTheHeaderAndEveryFileWithItsFunctions) {
  const struct {
    const char* file;
    std::vector<std::pair<std::string, std::string>> functions;  // type, name and arguments; map symbol
  } files[] = {
      {"console.c",
       {{"global void console_init()", "_console_init"},
        {"global void console_putc(unsigned char  c)", "_console_putc"},
        {"global void console_puts(unsigned char  @near *text)", "_console_puts"},
        {"global void console_putu(unsigned int  value)", "_console_putu"}}},
      {"main.c", {{"local void fill_table(unsigned char  seed)", "Fmain$fill_table$0$0"}, {"global void main()", "_main"}}},
      {"mathx.c",
       {{"global unsigned long factorial(unsigned char  n)", "_factorial"},
        {"global float average(unsigned char  @near *values, unsigned char  n)", "_average"}}},
      {"shapes.c",
       {{"global void shapes_init()", "_shapes_init"},
        {"global int shapes_perimeter(struct shape @near *s)", "_shapes_perimeter"},
        {"global int shapes_walk()", "_shapes_walk"}}},
  };
  std::string expected = "\n\t\tFunction List\n\n";
  std::string printed = expected;
  for (const auto& f : files) {
    expected += std::string("\n\tFunctions in file: ") + f.file + "\n";
    printed += std::string("\nFunctions in file: ") + f.file + "\n";
    for (const auto& [text, symbol] : f.functions) {
      const std::optional<uint32_t> address = mapAddress(symbol);
      ASSERT_TRUE(address) << symbol;
      expected += "\t" + text + " at " + hex(*address) + "\n";
      printed += "\t" + text + " at " + hex(*address) + "\n";
    }
  }
  EXPECT_EQ(listContent(k, kCmdFunctionList).text(), expected);
  EXPECT_EQ(listPrintContent(k, kCmdFunctionList).text(), printed);

  // A double click on a function's line opens its first line: fill_table is declared on line 11.
  const ListContent c = listContent(k, kCmdFunctionList);
  const auto line = std::find_if(c.lines.begin(), c.lines.end(),
                                 [](const std::string& l) { return l.find(" fill_table(") != std::string::npos; });
  ASSERT_NE(line, c.lines.end());
  EXPECT_EQ(c.places[line - c.lines.begin()], (SourcePlace{"main.c", 11}));
}

TEST(FunctionListFixture, AFileWithoutFunctionsIsLeftOut) {
  SymbolTables t;
  for (const char* name : {"a.c", "b.c", "c.c"}) {
    auto f = std::make_unique<FileEntry>();
    f->name = name;
    auto outer = std::make_unique<FunctionEntry>();
    outer->file = f.get();
    f->functions.push_back(std::move(outer));
    t.insertFile(std::move(f));
  }
  // b.c gets one function with a start record at 0x2000.
  DebugRecord start;
  start.kind = rk::FunctionStart;
  start.address = 0x2000;
  t.records.push_back(start);
  FileEntry* b = t.findFile("b.c");
  auto fn = std::make_unique<FunctionEntry>();
  fn->file = b;
  fn->name = "go_on";
  fn->description = "global int ";
  fn->startRecord = 0;
  fn->tables = &t;
  b->functions.insert(b->functions.begin(), std::move(fn));
  EXPECT_EQ(functionList(t).text(), "\n\t\tFunction List\n\n\n\tFunctions in file: b.c\n\tglobal int go_on() at 0x2000\n");
  EXPECT_EQ(fileList(t).text(), "\n\t\tFiles List\n\n\ta.c\n\tb.c\n\tc.c\n");
  EXPECT_EQ(browserFunctions(t, "*.*"), std::vector<std::string>{"go_on"});
  EXPECT_TRUE(browserFunctions(t, "a.c").empty());
}

TEST_F(BrowseLists, FileListAndFileBrowser) {
  const ListContent c = listContent(k, kCmdFileList);
  EXPECT_EQ(c.text(), "\n\t\tFiles List\n\n\tconsole.c\n\tmain.c\n\tmathx.c\n\tshapes.c\n");
  EXPECT_EQ(c.places[4], (SourcePlace{"main.c", 0}));
  const std::vector<std::string> withWildcard = {"console.c", "main.c", "mathx.c", "shapes.c", "*.*"};
  EXPECT_EQ(browserFiles(k.prog.program->tables, true), withWildcard);
  EXPECT_EQ(browserFunctions(k.prog.program->tables, "mathx.c"), (std::vector<std::string>{"factorial", "average"}));
  EXPECT_EQ(browserFunctions(k.prog.program->tables, "*.*").size(), 11u);
  // shapes_walk() is defined at shapes.c:32; an unknown function or file opens nothing.
  EXPECT_EQ(browsedFunctionPlace(k.prog.program->tables, "shapes_walk", "*.*"), (SourcePlace{"shapes.c", 32}));
  EXPECT_EQ(browsedFunctionPlace(k.prog.program->tables, "shapes_walk", "main.c"), SourcePlace{});
  EXPECT_EQ(browsedFunctionPlace(k.prog.program->tables, "nosuch", ""), SourcePlace{});
}

TEST_F(BrowseLists, SymbolListsSortByAddressOrByNameAndSayTheyAreSorting) {
  const uint32_t mainAddress = *mapAddress("_main"), initAddress = *mapAddress("_console_init");
  ASSERT_LT(mainAddress, initAddress);
  char mainLine[32], initLine[32];
  std::snprintf(mainLine, sizeof mainLine, "0x%05x  _main", mainAddress);
  std::snprintf(initLine, sizeof initLine, "0x%05x  _console_init", initAddress);
  auto position = [](const ListContent& c, const std::string& line) {
    return std::find(c.lines.begin(), c.lines.end(), line) - c.lines.begin();
  };
  const ListContent byAddress = listContent(k, kCmdSymbolsByAddress);
  EXPECT_LT(position(byAddress, mainLine), position(byAddress, initLine));
  EXPECT_LT(position(byAddress, initLine), static_cast<long>(byAddress.lines.size()));
  const ListContent byName = listContent(k, kCmdSymbolsByName);
  EXPECT_LT(position(byName, initLine), position(byName, mainLine));
  EXPECT_LT(position(byName, mainLine), static_cast<long>(byName.lines.size()));
  for (const std::string& l : byName.lines) EXPECT_EQ(l.find("  ."), std::string::npos) << "debugger variable " << l;
  EXPECT_EQ(std::count(ui.leftStatusLog.begin(), ui.leftStatusLog.end(), "Sorting Symbols"), 2);
  EXPECT_EQ(functionAddressText(k.prog.program->tables, "main"), hex(mainAddress));
}

TEST_F(BrowseLists, EventsListOpensTheLineOfEachEvent) {
  EXPECT_EQ(listContent(k, kCmdEventsList).text(), "no breakpoint\n");
  run("break main.c:30");
  run("break @" + hex(*mapAddress("_shapes_walk")));
  const ListContent c = listContent(k, kCmdEventsList);
  ASSERT_EQ(c.lines.size(), 2u);
  EXPECT_EQ(c.lines[0].rfind("(1)", 0), 0u);
  EXPECT_EQ(c.places[0], (SourcePlace{"main.c", 30}));
  EXPECT_EQ(c.places[1], (SourcePlace{"shapes.c", 32}));
}

}  // namespace
}  // namespace yav::test
