// The registers and stack windows' logic against the demo stopped on the simulated board.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/demo_board_fixture.h"
#include "ui/registers_view.h"
#include "ui/stack_view.h"
#include "ui/text_file.h"
#include "ui/update_command.h"

namespace yav::test {
namespace {

class RegistersStackView : public DemoBoardTest {};

// main begins with `lda #0x02` (two bytes, SDCC's listing of main.c:21). LDA clears V and sets N
// and Z from the value; H, I and C stay. With CC 0xE9 (V, I, C and the two always-set bits)
// before it, CC becomes 0x69: V clear, so the always-set bit 5 shows as '.'.
TEST_F(RegistersStackView, AnInstructionStepShowsTheNewValuesAndMarksWhatChanged) {
  run("break main()");
  run("go");
  const uint32_t mainAddress = *mapAddress("_main");
  ASSERT_EQ(pagedPc(k.regs.file), mainAddress);
  for (const char* line : {"update $a = 0x55", "update $cc = 0xE9", "update $hx = 0x1234", "update $sp = 0x17f0",
                           "update $ppage = 0"})
    run(line);

  RegistersModel m;
  m.show(k.regs.file);
  EXPECT_EQ(m.lines()[0], "     a:55");
  EXPECT_EQ(m.lines()[1], "   cc:V.I");
  EXPECT_EQ(m.lines()[2], "      ..C");
  for (size_t i = 0; i < m.lines().size(); ++i) EXPECT_FALSE(m.changed(i)) << "nothing shown before";

  run("istep");
  m.show(k.regs.file);
  char pcText[8];
  std::snprintf(pcText, sizeof pcText, "%04x", mainAddress + 2);
  const std::string pc = pcText;
  const std::vector<std::string> expected = {"     a:02", "   cc:..I",     "      ..C",        "  hx:1234",
                                             "  sp:17f0", "  pc:" + pc, "ppc:0" + pc, " ppage:00"};
  EXPECT_EQ(m.lines(), expected);
  const bool changed[] = {true, true, false, false, false, true, true, false};
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(m.changed(i), changed[i]) << expected[i];

  // Showing the same registers again keeps the marks of the last change.
  m.show(k.regs.file);
  EXPECT_TRUE(m.changed(0));
  EXPECT_EQ(m.saveText(), "     a:02\n   cc:..I\n      ..C\n  hx:1234\n  sp:17f0\n  pc:" + pc + "\nppc:0" + pc +
                              "\n ppage:00");
}

TEST(RegistersViewLines, NamesValuesAndUpdateLines) {
  RegisterFile r;
  r.a = 0x9c;
  r.hx = 0x0102;
  r.cc = 0x68;
  RegistersModel m;
  m.show(r);
  const struct {
    size_t line;
    const char* name;
    const char* value;
  } rows[] = {{0, "a", "0x9c"}, {1, "cc", "0x68"}, {2, "cc", "0x68"}, {3, "hx", "0x102"}, {6, nullptr, ""}, {7, nullptr, ""}};
  for (const auto& row : rows) {
    const char* name = RegistersModel::registerOfLine(row.line);
    EXPECT_STREQ(name, row.name) << row.line;
    EXPECT_EQ(m.valueText(row.line), row.value) << row.line;
  }
  EXPECT_EQ(registerUpdateCommand("a", " 0x12 "), "update $a = 0x12");
  EXPECT_EQ(registerUpdateCommand("hx", "_main"), "update $hx = _main");
  for (const char* refused : {"", "   ", "1; go", "1\ngo", "{x}"}) EXPECT_EQ(registerUpdateCommand("a", refused), "") << refused;
}

// In main.c, main calls console_init at line 22; console_init's first statement is console.c:16.
TEST_F(RegistersStackView, StackListsTheCalleeAboveMainAndOpensEachFrame) {
  run("activ *");
  run("break main()");
  run("go");  // stops at main's first line, 21
  run("step");
  run("step");
  StackModel s;
  s.refresh(k);
  const std::vector<std::string> expected = {"console_init() at console.c:16", "main() at main.c:22"};
  EXPECT_EQ(s.lines(), expected);
  EXPECT_EQ(s.selected(), 0u);
  EXPECT_EQ(s.place(0), (SourcePlace{"console.c", 16}));
  EXPECT_EQ(s.place(1), (SourcePlace{"main.c", 22}));
  EXPECT_EQ(s.place(2), SourcePlace{});

  const auto path = tempFile("stack.mon");
  EXPECT_EQ(writeTextFile(path.string(), s.saveText()), "");
  EXPECT_EQ(readFile(path), "\n\t\tStack Layout\n\nconsole_init() at console.c:16\nmain() at main.c:22\n");
  const std::string bad = (path / "no" / "such.mon").string();
  EXPECT_EQ(writeTextFile(bad, s.saveText()), "Can't write " + bad);
}


// After a free run the window lists every active call, as the C code makes them: main.c:24 calls
// console_puts("demo "), which calls console_putc for each character (console.c:33).
TEST_F(RegistersStackView, AfterAFreeRunTheStackHoldsEveryCaller) {
  run("break console.c:22");  // console_putc's header line: its first instruction
  run("go");
  StackModel s;
  s.refresh(k);
  const std::vector<std::string> expected = {"console_putc() at console.c:24", "console_puts() at console.c:33",
                                             "main() at main.c:24"};
  EXPECT_EQ(s.lines(), expected);
  EXPECT_EQ(s.place(2), (SourcePlace{"main.c", 24}));
}

}  // namespace
}  // namespace yav::test
