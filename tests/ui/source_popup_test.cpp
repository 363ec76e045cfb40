#include "ui/source_popup.h"

#include <gtest/gtest.h>

#include "support/fake_ui_port.h"
#include "ui/source_mouse.h"

namespace yav {
namespace {

TEST(SourcePopup, ItemsGiveTheirCommandLines) {
  test::FakeUiPort ui;
  Kernel k{ui};
  PopupContext c{"main.c", 29, 0x2105, 3, true, "main():perimeter"};
  struct Case {
    uint16_t id;
    const char* line;
  };
  const Case cases[] = {
      {804, "break main.c:29"},         {801, "break /s 3"},
      {802, "del /e 3"},                {820, "disa 0x2105"},
      {901, "eval main():perimeter"},   {902, "monit main():perimeter"},
      {913, "dbreak /t:a main():perimeter"}, {914, "dbreak /t:r main():perimeter"},
      {915, "dbreak /t:w main():perimeter"}, {916, "rmonit main():perimeter"},
  };
  for (const Case& cs : cases) {
    const PopupAction a = popupAction(k, cs.id, c);
    EXPECT_EQ(a.kind, PopupAction::Command) << cs.id;
    EXPECT_EQ(a.command, cs.line) << cs.id;
  }
  c.eventOn = false;
  EXPECT_EQ(popupAction(k, 801, c).command, "break /a 3");
  const PopupAction address = popupAction(k, 908, c);
  EXPECT_EQ(address.kind, PopupAction::CapturedCommand);
  EXPECT_EQ(address.command, "eval &main():perimeter");
  EXPECT_EQ(address.title, "Address of: main():perimeter");
  EXPECT_EQ(popupAction(k, 910, c).command, "eval /x main():perimeter");
  EXPECT_EQ(popupAction(k, 803, c).kind, PopupAction::EditEvent);
  EXPECT_EQ(popupAction(k, 803, c).event, 3);
  c.event = 0;  // the breakpoint items need an event on the line
  EXPECT_EQ(popupAction(k, 802, c).kind, PopupAction::Beep);
}

TEST(SourceMouse, ClicksOnLineNumbers) {
  SourceLineState code;
  code.hasCode = true;
  const SourceLineState blank;
  EXPECT_EQ(doubleClickNumber(blank, "main.c", 20, {}).kind, LineAction::None);
  EXPECT_EQ(rightClickNumber(blank, {}).kind, LineAction::None);

  struct Case {
    ClickKeys keys;
    LineAction::Kind kind;
    const char* command;
  };
  const Case cases[] = {
      {{}, LineAction::Command, "break main.c:21"},
      {{false, false, true}, LineAction::Command, "watch main.c:21"},
      {{false, true, false}, LineAction::Command, "go main.c:21"},
      {{true, false, false}, LineAction::PopupCommand, ""},  // Address of
      {{true, true, false}, LineAction::SetAndEdit, "break main.c:21"},
  };
  for (const Case& c : cases) {
    const LineAction a = doubleClickNumber(code, "main.c", 21, c.keys);
    EXPECT_EQ(a.kind, c.kind);
    EXPECT_EQ(a.command, c.command);
  }
  EXPECT_EQ(doubleClickNumber(code, "main.c", 21, {true, false, false}).id, 820);

  SourceLineState marked = code;
  marked.mark = BreakMark::Active;
  marked.event = 2;
  const LineAction toggle = doubleClickNumber(marked, "main.c", 21, {false, true, false});
  EXPECT_EQ(toggle.id, 801);  // a breakpoint on the line is switched whatever the keys
  EXPECT_EQ(toggle.event, 2);
  EXPECT_EQ(rightClickNumber(marked, {true, false, false}).id, 801);
  EXPECT_EQ(rightClickNumber(marked, {false, true, false}).id, 802);
  EXPECT_EQ(rightClickNumber(marked, {true, true, false}).id, 803);
  EXPECT_EQ(rightClickNumber(marked, {}).kind, LineAction::Popup);
  EXPECT_EQ(rightClickNumber(marked, {}).event, 2);
  EXPECT_EQ(rightClickNumber(code, {true, false, false}).kind, LineAction::Popup);
}

TEST(SourceMouse, HitTestingSplitsNumberAddressAndText) {
  SourceGeometry g;
  g.firstLine = 10;
  g.firstColumn = 4;
  g.lineCount = 40;
  g.lineHeight = 12;
  g.charWidth = 7;
  g.numberColumns = 3;   // "40 "
  g.prefixColumns = 9;   // and "02a3f "
  EXPECT_EQ(hitTest(g, 5, 0).area, HitArea::Number);
  EXPECT_EQ(hitTest(g, 5, 0).line, 11u);
  EXPECT_EQ(hitTest(g, 7 * 5, 25).area, HitArea::Address);
  const SourceHit text = hitTest(g, 7 * 9 + 3, 24);
  EXPECT_EQ(text.area, HitArea::Text);
  EXPECT_EQ(text.line, 13u);
  EXPECT_EQ(text.column, 4u);
  EXPECT_EQ(hitTest(g, 5, 12 * 30).area, HitArea::None);  // below the last line
}

}  // namespace
}  // namespace yav
