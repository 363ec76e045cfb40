#include "console/completion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "console_fixture.h"

namespace yav::test {
namespace {

using Words = std::vector<std::string>;

TEST(Completion, CommandWordsComeFromTheTableWithInternalWordsOnlyWhenEnabled) {
  FakeUiPort ui;
  Kernel k(ui);
  struct Case {
    const char* line;
    size_t start;
    Words words;
  } cases[] = {
      {"st", 0, {"stack", "step"}},
      {"ST", 0, {"stack", "step"}},  // words match in any case
      {"r; fi", 3, {"files", "fill", "finish"}},
      {"  dum", 2, {"dump"}},
      {"help wre", 5, {"wregs"}},  // help takes a command word
      {"zz", 0, {}},
  };
  for (const Case& c : cases) {
    Completion got = complete(k, c.line);
    EXPECT_EQ(got.candidates, c.words) << c.line;
    EXPECT_EQ(got.start, c.start) << c.line;
  }
  runCommandLine(k, "internals", 1);
  EXPECT_EQ(complete(k, "st").candidates, (Words{"stack", "start", "status", "step", "stop"}));
}

TEST(Completion, ArgumentsCompleteToTheProgramsSymbolsFilesAndRegisters) {
  FakeUiPort ui;
  Kernel k(ui);
  loadDemoSymbols(k);
  struct Case {
    const char* line;
    Words words;
  } cases[] = {
      {"x fact", {"fact_result", "factorial"}},            // a global and a function
      {"x shapes_", {"shapes_init", "shapes_perimeter", "shapes_walk"}},
      {"x console.c:c", {"console.c:count"}},               // a file's static
      {"x shapes.c:last", {"shapes.c:last_color"}},
      {"b mat", {"mathx.c:"}},                              // a file name for a place
      {"x $h", {"$h", "$hx"}},                              // register variables
      {"x $p", {"$pc", "$ppage", "$ppc"}},
      {"x 1+fact_", {"fact_result"}},                        // after an operator
      {"x nosuch", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(complete(k, c.line).candidates, c.words) << c.line;
  Completion tail = complete(k, "eval table[1]+fact_r");
  EXPECT_EQ(tail.start, std::string("eval table[1]+").size());
}

TEST(Completion, FileNamesAfterTheWordsThatTakeAFile) {
  FakeUiPort ui;
  Kernel k(ui);
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("yav-complete-" + std::to_string(::getpid()));
  fs::create_directories(dir / "scripts");
  std::ofstream(dir / "start.in") << "\n";
  std::ofstream(dir / "status.txt") << "\n";
  const std::string d = dir.string() + "/";
  for (const std::string word : {"input ", "load ", "l ", "record ", "output "}) {
    EXPECT_EQ(complete(k, word + d + "s").candidates, (Words{d + "scripts/", d + "start.in", d + "status.txt"})) << word;
  }
  EXPECT_EQ(complete(k, "input " + d + "sta").candidates, (Words{d + "start.in", d + "status.txt"}));
  EXPECT_TRUE(complete(k, "x " + d + "s").candidates.empty());  // not a file argument
  fs::remove_all(dir);
}

TEST(Completion, CommonPrefix) {
  EXPECT_EQ(commonPrefix({"fact_result", "factorial"}), "fact");
  EXPECT_EQ(commonPrefix({"a"}), "a");
  EXPECT_EQ(commonPrefix({}), "");
}

}  // namespace
}  // namespace yav::test
