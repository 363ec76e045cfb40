// `help`: every word of the command table is described, listed and explained.
#include <gtest/gtest.h>

#include "engine/cmdtab.h"
#include "engine/dispatcher.h"
#include "support/fake_ui_port.h"

namespace yav::test {
namespace {

// The listing's line for `words`: the words, then blanks and the summary (or the summary on the
// next line when the words are long); empty when there is none.
std::string lineOf(const std::string& listing, const std::string& words) {
  size_t at = listing.find("\n  " + words + " ");
  if (at == std::string::npos) at = listing.find("\n  " + words + "\n");
  if (at == std::string::npos) return {};
  const size_t end = listing.find('\n', at + 3 + words.size() + 1);
  return listing.substr(at + 1, end - at - 1);
}

TEST(Help, EveryWordOfTheTableHasADescriptionThatNamesIt) {
  for (const CmdRow* r = cmdtab; r->name; ++r) {
    ASSERT_NE(r->help, nullptr) << "no description for the word " << r->name;
    EXPECT_NE(std::string(r->help->summary), "") << r->name;
    EXPECT_NE(std::string(r->help->usage), "") << r->name;
  }
}

TEST(Help, ListsEveryVisibleWordOnceAndInternalWordsOnlyWhenEnabled) {
  FakeUiPort ui;
  Kernel k(ui);
  runCommandLine(k, "help", 1);
  const std::string plain = ui.out;
  for (const char* word : {"g, go", "s, step", "b, break", "x, eval", "u, updat, update", "dump", "l, load",
                           "*, rem", "quit", "help, ?", "fopen", "rewind"}) {
    EXPECT_NE(lineOf(plain, word), "") << word;
  }
  EXPECT_NE(plain.find("\nRunning the program\n"), std::string::npos);
  EXPECT_NE(lineOf(plain, "b, break").find(" set a breakpoint"), std::string::npos);
  EXPECT_EQ(plain.find("status"), std::string::npos);  // internal, not enabled
  EXPECT_EQ(plain.find("Not described yet"), std::string::npos);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(k.disp.commandCount, 0);  // help changes no state

  ui.out.clear();
  runCommandLine(k, "internals", 1);
  runCommandLine(k, "help", 1);
  EXPECT_NE(lineOf(ui.out, "status").find(" print RUNNING or STOPPED"), std::string::npos);
}

TEST(Help, AWordGivesItsSynonymsUsageAndRequirements) {
  FakeUiPort ui;
  Kernel k(ui);
  struct Case {
    const char* line;
    const char* expected;
  } cases[] = {
      {"help B", "b, break: set a breakpoint (a code event that stops); alone, list them\nusage: break"},
      {"? updat", "u, updat, update: assign a new value"},
      {"help vars", "needs a program loaded with its C source information\n"},
      {"help help", "help, ?: list the command words, or describe one\nusage: help [WORD]\n"},
  };
  for (const Case& c : cases) {
    ui.out.clear();
    runCommandLine(k, c.line, 1);
    EXPECT_NE(ui.out.find(c.expected), std::string::npos) << c.line << "\n" << ui.out;
  }
  ui.out.clear();
  runCommandLine(k, "help ste", 1);  // words match whole, as at the prompt
  EXPECT_EQ(ui.out, "");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0], "Error: unknown command: ste\n");
  ui.boxes.clear();
  runCommandLine(k, "help status", 1);  // internal words stay unknown until enabled
  EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST(Help, TheNewWordsLeaveTheOldOnesMatchedAsBefore) {
  FakeUiPort ui;
  Kernel k(ui);
  for (const char* w : {"help", "HELP", "?", "help;"}) EXPECT_EQ(findCommand(k, w)->func, cmd_help) << w;
  for (const char* w : {"helpx", "hel", "??", "?x"}) EXPECT_EQ(findCommand(k, w), nullptr) << w;
  EXPECT_STREQ(findCommand(k, "s")->name, "s");
  EXPECT_STREQ(findCommand(k, "STEP x")->name, "step");
}

}  // namespace
}  // namespace yav::test
