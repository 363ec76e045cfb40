#include "ui/command_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_ui_port.h"

namespace yav {
namespace {

// Mirrors the model's text through its change notifications, as a view does.
struct MirrorView : CommandWindowListener {
  explicit MirrorView(CommandWindowModel& m) : model(m) {}
  void spliced(size_t pos, size_t removed, std::string_view inserted) override {
    text.replace(pos, removed, inserted);
    caret = model.caret();
  }
  void caretMoved() override { caret = model.caret(); }
  void showRequested() override {
    ++showRequests;
    if (openOnRequest) model.open();
  }
  void activateRequested() override { ++activations; }
  CommandWindowModel& model;
  std::string text;
  size_t caret = 0;
  int showRequests = 0, activations = 0;
  bool openOnRequest = true;
};

// A front-end whose output goes to the command window, as the real ones do.
struct WindowPort : test::FakeUiPort {
  CommandWindowModel* model = nullptr;
  void output(std::string_view t) override {
    if (model) model->output(t);
  }
};

class CommandWindowTest : public ::testing::Test {
 protected:
  CommandWindowTest() : k(port), model(k), view(model) {
    port.model = &model;
    model.setListener(&view);
    model.open();
  }
  void enter(std::string_view line) {
    model.typeText(line);
    model.pressKey(CmdKey::Enter);
  }
  WindowPort port;
  Kernel k;
  CommandWindowModel model;
  MirrorView view;
};

TEST_F(CommandWindowTest, OpensWithPromptAndColumnFour) {
  EXPECT_EQ(model.text(), "Yav>");
  EXPECT_EQ(model.column(), 4);
  EXPECT_EQ(model.caret(), 4u);
  EXPECT_EQ(view.text, "Yav>");
}

TEST_F(CommandWindowTest, TypedLineRunsAndShowsOutputThenANewPrompt) {
  enter("internals");
  enter("status");
  EXPECT_EQ(model.text(), "Yav>internals\nYav>status\nSTOPPED\nYav>");
  EXPECT_EQ(view.text, model.text());
  EXPECT_EQ(model.column(), 4);
  EXPECT_EQ(view.caret, model.text().size());
  EXPECT_EQ(view.activations, 2);
  EXPECT_FALSE(model.typedCommand());
}

TEST_F(CommandWindowTest, SemicolonRunsEachCommandAndABraceEndsTheLine) {
  enter("internals");
  enter("status;status");
  enter("status }status");
  EXPECT_EQ(model.text(), "Yav>internals\nYav>status;status\nSTOPPED\nSTOPPED\nYav>status }status\nSTOPPED\nYav>");
}

TEST_F(CommandWindowTest, TypedCommandFlagIsRaisedOnlyWhileTheLineRuns) {
  struct Probe : test::FakeUiPort {
    CommandWindowModel* model = nullptr;
    std::vector<bool> seen;
    void output(std::string_view t) override {
      seen.push_back(model->typedCommand());
      test::FakeUiPort::output(t);
    }
  } probe;
  Kernel k2(probe);
  CommandWindowModel m2(k2);
  probe.model = &m2;
  m2.open();
  m2.typeText("internals");
  m2.pressKey(CmdKey::Enter);
  m2.typeText("status");
  m2.pressKey(CmdKey::Enter);
  ASSERT_EQ(probe.seen.size(), 1u);
  EXPECT_TRUE(probe.seen[0]);
  EXPECT_FALSE(m2.typedCommand());
}

TEST_F(CommandWindowTest, EnterWhileATypedLineRunsIsRefused) {
  // Keys typed while a command pumps events reach the model; a nested run must not start.
  struct Nested : WindowPort {
    void output(std::string_view t) override {
      if (model && model->typedCommand()) {
        model->typeText("status");
        model->pressKey(CmdKey::Enter);
      }
      WindowPort::output(t);
    }
  } nested;
  Kernel k2(nested);
  CommandWindowModel m2(k2);
  nested.model = &m2;
  m2.open();
  m2.typeText("internals");
  m2.pressKey(CmdKey::Enter);
  m2.typeText("status");
  m2.pressKey(CmdKey::Enter);
  EXPECT_EQ(nested.beeps, 1);
  EXPECT_EQ(m2.history().size(), 2u);
}

TEST_F(CommandWindowTest, QuitLeavesNoNewPrompt) {
  enter("quit");
  EXPECT_EQ(model.text(), "Yav>quit\n");
  EXPECT_TRUE(port.closeRequested);
}

TEST_F(CommandWindowTest, LeadingPromptIsDroppedAndLongLinesAreCut) {
  enter("rem x");
  ASSERT_EQ(model.history().size(), 1u);
  EXPECT_EQ(model.history()[0], "rem x");
  // Only the prompt itself is dropped.
  enter("Yav>rem y");
  EXPECT_EQ(model.history()[0], "Yav>rem y");
  enter("rem " + std::string(2000, 'a'));
  // The prompt takes 4 of the 1022 characters read from the pane.
  EXPECT_EQ(model.history()[0], "rem " + std::string(1022 - 4 - 4, 'a'));
}

TEST_F(CommandWindowTest, EmptyLineOnlyPromptsAgain) {
  model.pressKey(CmdKey::Enter);
  EXPECT_EQ(model.text(), "Yav>\nYav>");
  EXPECT_TRUE(model.history().empty());
}

TEST_F(CommandWindowTest, TwentyFirstCommandPushesTheOldestOut) {
  for (int i = 1; i <= 21; ++i) enter("rem " + std::to_string(i));
  ASSERT_EQ(model.history().size(), 20u);
  EXPECT_EQ(model.history().front(), "rem 21");
  EXPECT_EQ(model.history().back(), "rem 2");
}

TEST_F(CommandWindowTest, UpOnEmptyHistoryDoesNothing) {
  model.pressKey(CmdKey::Up);
  model.pressKey(CmdKey::Down);
  EXPECT_EQ(model.text(), "Yav>");
  EXPECT_EQ(model.historyCursor(), -1);
  EXPECT_EQ(port.beeps, 0);
}

TEST_F(CommandWindowTest, HistoryKeysWalkOlderAndNewer) {
  enter("rem one");
  enter("rem two");
  enter("rem three");
  const std::string before = model.text();
  model.typeText("partial");

  struct Step {
    CmdKey key;
    const char* shown;
  };
  const Step steps[] = {
      {CmdKey::Up, "rem three"}, {CmdKey::Up, "rem two"},  {CmdKey::Down, "rem three"},
      {CmdKey::Down, "rem three"},  // no newer entry: unchanged
      {CmdKey::Up, "rem two"},   {CmdKey::Up, "rem one"},  {CmdKey::Up, "rem one"},  // no older entry
  };
  for (const Step& s : steps) {
    model.pressKey(s.key);
    EXPECT_EQ(model.lastLine(), std::string("Yav>") + s.shown);
    EXPECT_EQ(model.column(), static_cast<int>(std::string(s.shown).size()) + 4);
    EXPECT_EQ(model.text(), before.substr(0, before.size() - 4) + "Yav>" + s.shown);
  }
  // Running a shown entry adds it again and clears the cursor.
  model.pressKey(CmdKey::Enter);
  EXPECT_EQ(model.history().front(), "rem one");
  EXPECT_EQ(model.historyCursor(), -1);
}

TEST_F(CommandWindowTest, RefusedKeysBeepAndChangeNothing) {
  const CmdKey refused[] = {CmdKey::Backspace, CmdKey::Left, CmdKey::PageUp, CmdKey::PageDown, CmdKey::Home,
                            CmdKey::End};
  for (CmdKey key : refused) {
    int beeps = port.beeps;
    model.pressKey(key);
    EXPECT_EQ(port.beeps, beeps + 1);
    EXPECT_EQ(model.text(), "Yav>");
    EXPECT_EQ(model.column(), 4);
  }
}

TEST_F(CommandWindowTest, CaretEditingInsideTheInputLine) {
  model.typeText("sxus");
  model.pressKey(CmdKey::Left);
  model.pressKey(CmdKey::Left);
  EXPECT_EQ(model.column(), 6);
  model.pressKey(CmdKey::Backspace);
  model.typeText("tat");
  EXPECT_EQ(model.lastLine(), "Yav>status");
  EXPECT_EQ(model.column(), 8);
  model.pressKey(CmdKey::Right);
  model.pressKey(CmdKey::Right);
  EXPECT_EQ(model.column(), 10);
  // The column cannot run past the end of the line, so the prompt stays protected.
  model.pressKey(CmdKey::Right);
  EXPECT_EQ(model.column(), 10);
  for (int i = 0; i < 6; ++i) model.pressKey(CmdKey::Backspace);
  model.pressKey(CmdKey::Backspace);
  EXPECT_EQ(model.text(), "Yav>");
  EXPECT_EQ(view.text, "Yav>");
  EXPECT_EQ(port.beeps, 1);
}

TEST_F(CommandWindowTest, OutputPiecesJoinIntoLines) {
  model.output("ab");
  model.output("c\nde\n\nf");
  EXPECT_EQ(model.text(), "Yav>abc\nde\n\nf");
  EXPECT_EQ(model.outputCount(), 6u);
  EXPECT_EQ(view.caret, model.text().size());
}

TEST_F(CommandWindowTest, CarriageReturnsInOutputAreDropped) {
  model.output("a\r\nb\n");
  EXPECT_EQ(model.text(), "Yav>a\nb\n");
}

// Output counted since the last clearing decides whether the next line is appended or
// replaces the whole text.
TEST_F(CommandWindowTest, ReplaceRuleAtTheCountLimit) {
  struct Case {
    size_t before;
    bool replaces;
  };
  const Case cases[] = {{53248, false}, {53249, true}, {60000, true}};
  for (const Case& c : cases) {
    model.close();
    model.open();
    model.output(std::string(c.before, 'x') + "\n");
    ASSERT_EQ(model.outputCount(), c.before);
    model.output("next\n");
    if (c.replaces) {
      EXPECT_EQ(model.text(), "next\n") << c.before;
      EXPECT_EQ(model.outputCount(), 4u);
    } else {
      EXPECT_EQ(model.text().size(), 4 + c.before + 1 + 5) << c.before;
      EXPECT_EQ(model.outputCount(), c.before + 4);
    }
    EXPECT_EQ(view.text, model.text());
  }
}

TEST_F(CommandWindowTest, TextNeverExceedsTheLimit) {
  // Lines typed by the user count for the limit but not for the output count.
  for (int i = 0; i < 80; ++i) enter("rem " + std::string(1000, 'a'));
  EXPECT_LE(model.text().size(), CommandWindowModel::kTextLimit);
  EXPECT_EQ(model.lastLine(), "Yav>");
  model.output("still shown\n");
  EXPECT_NE(model.text().find("still shown\n"), std::string::npos);
  model.output(std::string(70000, 'y'));
  EXPECT_LE(model.text().size(), CommandWindowModel::kTextLimit);
  EXPECT_EQ(view.text, model.text());
}

TEST_F(CommandWindowTest, OutputWhileClosedIsLostWithoutAutoShow) {
  model.close();
  model.output("lost\n");
  EXPECT_FALSE(model.isOpen());
  EXPECT_EQ(view.showRequests, 0);
  model.open();
  EXPECT_EQ(model.text(), "Yav>");
}

TEST_F(CommandWindowTest, AutoShowOpensTheWindowForOutput) {
  model.close();
  model.setAutoShow(true);
  model.output("shown\n");
  EXPECT_EQ(view.showRequests, 1);
  EXPECT_TRUE(model.isOpen());
  EXPECT_EQ(model.text(), "Yav>shown\n");
}

TEST_F(CommandWindowTest, AutoShowRefusedByTheFrontEndDropsTheText) {
  model.close();
  model.setAutoShow(true);
  view.openOnRequest = false;
  model.output("shown\n");
  EXPECT_FALSE(model.isOpen());
  EXPECT_EQ(model.text(), "");
}

TEST_F(CommandWindowTest, PromptAfterOutputWithoutLineEndStartsANewLine) {
  model.output("partial");
  model.ensurePrompt();
  EXPECT_EQ(model.text(), "Yav>partial\nYav>");
  model.ensurePrompt();
  EXPECT_EQ(model.text(), "Yav>partial\nYav>");
}

TEST_F(CommandWindowTest, KeysAreIgnoredWhileClosed) {
  model.close();
  model.typeText("abc");
  model.pressKey(CmdKey::Backspace);
  EXPECT_EQ(model.text(), "");
  EXPECT_EQ(port.beeps, 0);
}

}  // namespace
}  // namespace yav
