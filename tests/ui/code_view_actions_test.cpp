// Mouse actions on code rows: breakpoints from the address field, the breakpoint popup's
// modifiers, and the command lines of the operand popups.
#include <gtest/gtest.h>

#include "ui/code_view_actions.h"

namespace yav {
namespace {

CodeRow row(uint32_t address, EventMark event = EventMark::None, int number = 0) {
  CodeRow r;
  r.address = address;
  r.event = event;
  r.eventNumber = number;
  return r;
}

std::string describe(const CodeClick& c) {
  switch (c.kind) {
    case CodeClick::Kind::None: return "none";
    case CodeClick::Kind::Command: return c.command;
    case CodeClick::Kind::BreakpointPopup: return "popup " + std::to_string(c.event);
    case CodeClick::Kind::EditEvent: return "edit " + std::to_string(c.event);
  }
  return "?";
}

TEST(CodeViewActions, AddressFieldClicksSetAndHandleEvents) {
  const CodeRow plain = row(0x20cc);
  EXPECT_EQ(describe(doubleClickRow(plain, 0, false)), "break @0x20cc");
  EXPECT_EQ(describe(doubleClickRow(plain, 4, true)), "watch @0x20cc");
  EXPECT_EQ(describe(doubleClickRow(plain, 5, false)), "none");  // past the address digits
  EXPECT_EQ(describe(rightClickRow(plain, 2, false, false, false)), "break @0x20cc");
  EXPECT_EQ(describe(rightClickRow(plain, 20, false, false, false)), "none");

  const CodeRow on = row(0x1c123, EventMark::Active, 3), off = row(0x2100, EventMark::Suspended, 7);
  EXPECT_EQ(describe(doubleClickRow(on, 0, false)), "none");
  EXPECT_EQ(describe(rightClickRow(on, 0, true, false, false)), "break /s 3");
  EXPECT_EQ(describe(rightClickRow(off, 0, true, false, false)), "break /a 7");
  EXPECT_EQ(describe(rightClickRow(on, 0, false, true, false)), "del /e 3");
  EXPECT_EQ(describe(rightClickRow(on, 0, true, true, false)), "edit 3");
  EXPECT_EQ(describe(rightClickRow(off, 1, false, false, true)), "popup 7");
  EXPECT_EQ(breakpointItemCommand(kBkptDelete, 7, false), "del /e 7");
}

TEST(CodeViewActions, OperandPopupCommandLines) {
  const OperandSymbol data{"_count", 0x100, false}, code{"_console_init", 0x214c, true};
  EXPECT_STREQ(data.popupName(), "ASMPOPUP");
  EXPECT_STREQ(code.popupName(), "LBLPOPUP");
  EXPECT_EQ(code.popupBase() + kSetWatchpoint, 973);
  const struct {
    const OperandSymbol& symbol;
    uint16_t item;
    const char* line;
  } cases[] = {
      {data, kAddressOf, "eval /x _count"},
      {data, kEvaluateWord, "eval /F:W _count"},
      {data, kUpdateLong, "update *(unsigned long *)_count ?"},
      {data, kMonitorByte, "monit *(unsigned char *)_count"},
      {data, kSetBreakpoint, "dbreak *(unsigned char *)_count"},
      {data, kSetWatchpoint, "dwatch *(unsigned char *)_count"},
      {data, kShowCode, ""},
      {code, kEvaluateLong, "eval /F:L _console_init"},
      {code, kUpdateByte, ""},
      {code, kMonitorWord, "monit *(unsigned int *)_console_init"},
      {code, kSetBreakpoint, "break _console_init"},
      {code, kSetWatchpoint, "watch _console_init"},
  };
  for (const auto& c : cases) EXPECT_EQ(operandItemCommand(c.symbol, c.item), c.line) << c.item;
}

}  // namespace
}  // namespace yav
