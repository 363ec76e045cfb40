#include "console/console_loop.h"
#include "console/colour.h"

#include <gtest/gtest.h>

#include <deque>

#include "console_fixture.h"

namespace yav::test {
namespace {

// Lines, interrupts and the end of input as a person would produce them at the prompt.
class ScriptedReader : public LineReader {
 public:
  explicit ScriptedReader(std::deque<LineRead> script) : script_(std::move(script)) {}
  LineRead read(std::string_view prompt) override {
    prompts.emplace_back(prompt);
    if (script_.empty()) return {LineStatus::EndOfInput, {}};
    LineRead r = script_.front();
    script_.pop_front();
    return r;
  }
  void remember(const std::string& line) override { remembered.push_back(line); }
  std::vector<std::string> prompts, remembered;

 private:
  std::deque<LineRead> script_;
};

LineRead line(const char* text) { return {LineStatus::Line, text}; }
LineRead interrupt() { return {LineStatus::Interrupted, {}}; }

struct Console {
  Console() : k(ui), model(k), view(k, [this](std::string_view s) { screen += s; }, true, false) {
    ui.model = &model;
    model.setListener(&view);
    model.open();
  }
  ModelUi ui;
  Kernel k;
  CommandWindowModel model;
  TerminalView view;
  std::string screen;  // what the console wrote besides the editor's prompt and typed line
};

TEST(ConsoleLoop, InterruptDropsTheLineAndEndOfInputQuits) {
  Console c;
  ScriptedReader reader({line("internals"), interrupt(), line("status"), line("")});
  runInteractive(c.k, c.model, c.view, reader, [&](std::string_view s) { c.screen += s; });
  // The editor draws prompt and input, so the screen holds only the output and the quit.
  EXPECT_EQ(c.screen, "STOPPED\nquit\n");
  EXPECT_TRUE(c.k.disp.quitting);
  EXPECT_EQ(reader.prompts, std::vector<std::string>(5, "Yav>"));
  EXPECT_EQ(reader.remembered, (std::vector<std::string>{"internals", "status", ""}));
  // The window's own history holds what ran, newest first; the empty line is not kept.
  EXPECT_EQ(c.model.history(), (std::deque<std::string>{"status", "internals"}));
}

TEST(ConsoleLoop, QuitEndsTheLoopWithoutAnotherPrompt) {
  Console c;
  ScriptedReader reader({line("quit"), line("status")});
  runInteractive(c.k, c.model, c.view, reader, [&](std::string_view s) { c.screen += s; });
  EXPECT_EQ(reader.prompts.size(), 1u);
  EXPECT_EQ(c.screen, "");
}

TEST(ConsoleLoop, ErrorsAndOutputOfSeveralCommandsOnOneLine) {
  Console c;
  ScriptedReader reader({line("internals"), line("status ; status;nosuch"), line("quit")});
  runInteractive(c.k, c.model, c.view, reader, [&](std::string_view s) { c.screen += s; });
  EXPECT_EQ(c.screen, "STOPPED\nSTOPPED\n");
  ASSERT_EQ(c.ui.boxes.size(), 1u);
  EXPECT_EQ(c.ui.boxes[0], "Error: unknown command: nosuch\n");
}

TEST(TerminalView, WithoutTheEditorEveryPieceIsWrittenAsItComes) {
  ModelUi ui;
  Kernel k(ui);
  CommandWindowModel model(k);
  std::string screen;
  TerminalView view(k, [&](std::string_view s) { screen += s; }, false, false);
  ui.model = &model;
  model.setListener(&view);
  model.open();
  model.typeText("internals");
  model.pressKey(CmdKey::Enter);
  model.typeText("status");
  model.pressKey(CmdKey::Enter);
  EXPECT_EQ(screen, "Yav>internals\nYav>status\nSTOPPED\nYav>");
}

TEST(TerminalView, ColourWrapsErrorAndStopLinesWhole) {
  FakeUiPort ui;
  Kernel k(ui);
  loadDemoSymbols(k);
  std::string screen;
  TerminalView view(k, [&](std::string_view s) { screen += s; }, true, true);
  // The pieces as the model hands them over: each output line, then its line end.
  for (std::string_view piece : {"main.c:21: count = 0;", "\n", "#error: unknown command", "\n", "plain: 12: text",
                                 "\n", "nosuch.c:3: x", "\n", "main.c", ":1: not at a line start\n"}) {
    view.spliced(0, 0, piece);
  }
  EXPECT_EQ(screen,
            "\033[1;33mmain.c:21: count = 0;\033[0m\n"
            "\033[31m#error: unknown command\033[0m\n"
            "plain: 12: text\nnosuch.c:3: x\nmain.c:1: not at a line start\n");
}

TEST(Colour, NoColorTurnsItOff) {
  EnvSetting noColour("NO_COLOR", "1");
  EXPECT_FALSE(colourWanted(1));
}

}  // namespace
}  // namespace yav::test
