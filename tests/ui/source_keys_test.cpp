#include "ui/source_keys.h"

#include <gtest/gtest.h>

#include "support/fake_ui_port.h"

namespace yav {
namespace {

TEST(SourceKeys, ShortcutTable) {
  struct Case {
    char c;
    bool running;
    SourceKeyAction::Kind kind;
    const char* command;
  };
  const Case cases[] = {
      {'g', false, SourceKeyAction::Run, "go"},     {'G', true, SourceKeyAction::Run, "go"},
      {'i', false, SourceKeyAction::Run, "istep"},  {'I', true, SourceKeyAction::Beep, ""},
      {'o', false, SourceKeyAction::Run, "ostep"},  {'O', true, SourceKeyAction::Beep, ""},
      {'s', false, SourceKeyAction::Run, "step"},   {'S', true, SourceKeyAction::Beep, ""},
      {'a', false, SourceKeyAction::Ignore, ""},    {'D', true, SourceKeyAction::Ignore, ""},
      {'r', false, SourceKeyAction::Ignore, ""},    {'W', false, SourceKeyAction::Ignore, ""},
      {'x', false, SourceKeyAction::Beep, ""},      {'1', false, SourceKeyAction::Beep, ""},
      {'\0', false, SourceKeyAction::Beep, ""},
  };
  for (const Case& c : cases) {
    SourceKeyAction a = sourceKeyAction(c.c, c.running);
    EXPECT_EQ(a.kind, c.kind) << c.c << c.running;
    EXPECT_EQ(a.command, c.command) << c.c << c.running;
  }
  EXPECT_TRUE(sourceKeyAction('g', false).beepIfStillRunning);
  EXPECT_FALSE(sourceKeyAction('s', false).beepIfStillRunning);
}

TEST(SourceKeys, TypingRunsTheCommandOrBeeps) {
  test::FakeUiPort port;
  Kernel k(port);
  typeInSourceWindow(k, 'x');
  EXPECT_EQ(port.beeps, 1);
  typeInSourceWindow(k, 'w');
  EXPECT_EQ(port.beeps, 1);
  typeInSourceWindow(k, 's');  // reaches the dispatcher: no target to step
  EXPECT_EQ(port.boxes.size(), 1u);
  k.exec.running = true;
  typeInSourceWindow(k, 's');
  EXPECT_EQ(port.beeps, 2);
  EXPECT_EQ(port.boxes.size(), 1u);
}

}  // namespace
}  // namespace yav
