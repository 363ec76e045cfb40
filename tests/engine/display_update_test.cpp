// `update` and `eval` on every kind of variable of the demo: what is printed and the bytes that
// land in target memory.
#include <gtest/gtest.h>

#include "display_fixture.h"

namespace yav::test {
namespace {

class DisplayUpdate : public DisplayFixture {};

struct UpdateCase {
  const char* command;
  const char* printed;   // the update line
  const char* object;    // expression whose address is checked
  const char* bytes;     // big-endian image in memory afterwards
  const char* evalLine;  // `x` of the object afterwards
};

TEST_F(DisplayUpdate, WritesEveryKindOfVariableAndReadsItBack) {
  const UpdateCase cases[] = {
      {"u table[2] = 200", "    table[2] = 0 => 200\n", "table[2]", "c8", "x /x table[2]"},
      {"u *(char*)0x180 = -3", "    *(char*)0x180 = 0 => -3\n", "*(char*)0x180", "fd", "x *(char*)0x180"},
      {"u count = -2", "    count = 0 => 65534\n", "count", "fffe", "x /x count"},
      {"u main.c:count = -300", "    main.c:count = 0 => -300\n", "main.c:count", "fed4", "x main.c:count"},
      {"u fact_result 0x12345678", "    fact_result = 0 => 305419896\n", "fact_result", "12345678", "x /x fact_result"},
      {"u mean = 2.5", "    mean = 0.0 => 2.5\n", "mean", "40200000", "x mean"},
      {"u mean = 3", "    mean = 2.5 => 3.0\n", "mean", "40400000", "x mean"},
      {"u shapes.c:last_color = 4", "    shapes.c:last_color = RED => GREEN\n", "shapes.c:last_color", "04",
       "x shapes.c:last_color"},
      {"u shapes[1].corner.y = 25", "    shapes[1].corner.y = 0 => 25\n", "shapes[1].corner.y", "0019",
       "x shapes[1].corner"},
      {"u packed.word = 0xABCD", "    packed.word = 0 => 43981\n", "packed", "abcd", "x /x packed.bytes[1]"},
      {"u first_shape = &shapes[2]", "    first_shape = NULL => 0x12d\n", "first_shape", "012d", "x first_shape->sides"},
      {"u table = \"ab\", \"c\\101\"", "    table = \"\" => \"abcA\"\n", "table[0]", "61626341", "x /S table"},
  };
  const char* expectedEval[] = {
      "    table[2] = 0xc8\n",
      "    *(char*)0x180 = -3\n",
      "    count = 0xfffe\n",
      "    main.c:count = -300\n",
      "    fact_result = 0x12345678\n",
      "    mean = 2.5\n",
      "    mean = 3.0\n",
      "    shapes.c:last_color = GREEN\n",
      "    shapes[1].corner = {x=0, y=25}\n",
      "    packed.bytes[1] = 0xcd\n",
      "    first_shape->sides = 0\n",
      "    table = \"abcA\"\n",
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const UpdateCase& c = cases[i];
    EXPECT_EQ(run(c.command), c.printed) << c.command;
    const std::string hex = c.bytes;
    EXPECT_EQ(bytesAt(address(c.object), hex.size() / 2), hex) << c.command;
    EXPECT_EQ(run(c.evalLine), expectedEval[i]) << c.evalLine;
  }
}

TEST_F(DisplayUpdate, RefusedObjectsAndValues) {
  const std::pair<const char*, const char*> cases[] = {
      {"u 5 = 6", "#error: expression not updatable\n"},
      {"u shapes[1] = 0", "#error: expression not updatable\n"},
      {"u mean = \"x\"", "#error: illegal type\n"},
      {"u first_shape = 5", "#error: illegal type\n"},
      {"u count =", "#error: syntax error\n"},
      {"u nosuch = 1", "#error: variable can't be accessed\n"},
      {"u table = \"abc", "#error: missing '\"'\n"},
  };
  const std::string before = bytesAt(0x100, 0x40);
  for (const auto& [command, error] : cases) EXPECT_EQ(run(command), error) << command;
  EXPECT_EQ(bytesAt(0x100, 0x40), before);
}

TEST_F(DisplayUpdate, TextsLongerThanAnArrayStopAtItsEnd) {
  const uint32_t after = address("fact_result");
  ASSERT_EQ(address("table[7]") + 1, after);
  const std::string out = run("u table = \"0123456789\"");
  EXPECT_NE(out.find("#error: string too long\n"), std::string::npos) << out;
  EXPECT_EQ(bytesAt(address("table[0]"), 8), "3031323334353637");
  EXPECT_EQ(bytesAt(after, 4), "00000000");  // the neighbour is untouched
}

TEST_F(DisplayUpdate, PromptsForAnExpressionOrAString) {
  ui.textAnswer = "7 + 1";
  EXPECT_EQ(run("u main.c:count ?"), "    main.c:count = 0 => 8\n");
  EXPECT_EQ(ui.prompts.back(), "Enter Expression");
  EXPECT_EQ(ui.statusWhileAsked, "WAITING |Enter Expression");
  ui.textAnswer = "hi";
  EXPECT_EQ(run("u table = ?s"), "    table = \"\" => \"hi\"\n");
  EXPECT_EQ(ui.prompts.back(), "Enter String");
  ui.answerGiven = false;
  EXPECT_EQ(run("u main.c:count ?"), "");
  EXPECT_EQ(run("x main.c:count"), "    main.c:count = 8\n");
  // An answer longer than 80 characters is cut there.
  ui.answerGiven = true;
  ui.textAnswer = std::string(100, 'z');
  run("u *(char*)0x200 = ?s");
  EXPECT_EQ(ram.bytes[0x200 + 79], 'z');
  EXPECT_EQ(ram.bytes[0x200 + 80], 0);
}

TEST_F(DisplayUpdate, TimingVariablesShowTheirCellsAndSurviveALoad) {
  EXPECT_EQ(k.prog.program->labels.cell(TimingCell::BTime), nullptr);
  EXPECT_EQ(run("u .btime = 5"), "    .btime = 0 => 5\n");
  uint32_t* cell = k.prog.program->labels.cell(TimingCell::BTime);
  ASSERT_NE(cell, nullptr);
  *cell = 250;  // a measurement written by the timing code
  EXPECT_EQ(run("x .btime"), "    .btime = 250\n");
  run("load " + demoProgramPath());  // debugger variables survive, connected in the new tables
  cell = k.prog.program->labels.cell(TimingCell::BTime);
  ASSERT_NE(cell, nullptr);
  *cell = 17;
  EXPECT_EQ(run("x .btime"), "    .btime = 17\n");
}

TEST_F(DisplayUpdate, RegistersAndTheirRefusal) {
  EXPECT_EQ(run("u $x = 0x34"), "    $x = 0x0 => 0x34\n");
  EXPECT_EQ(run("u $h = 0x12"), "    $h = 0x0 => 0x12\n");
  EXPECT_EQ(targetPort->regs.hx, 0x1234);
  EXPECT_EQ(run("u $cc = 0"), "    $cc = 0x68 => 0x60\n");
  EXPECT_EQ(run("u $ppc = 0x1C123"), "    $ppc = 0x2080 => 0x1c123\n");
  EXPECT_EQ(targetPort->regs.ppage, 7);
  EXPECT_EQ(targetPort->regs.pc, 0x8123);
  EXPECT_EQ(run("r"), "cc:...... a:00 hx:1234 sp:00ff pc:1c123\n");
  targetPort->refuseRegisters = true;
  EXPECT_EQ(run("u $a = 5"), "#error: variable can't be accessed\n");
  EXPECT_EQ(k.regs.file.a, 0);
  EXPECT_EQ(run("r"), "cc:...... a:00 hx:1234 sp:00ff pc:1c123\n");
}

}  // namespace
}  // namespace yav::test
