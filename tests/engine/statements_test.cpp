// Control statements, messages, output redirection, `write` and file channels, run on the demo
// program in simulated memory. Expected texts are the command language's own messages and what
// C's printf and scanf make of the values on this target (int 16 bits, long 32 bits).
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/display_state.h"
#include "engine/events.h"
#include "engine/monitors.h"
#include "engine/channel_format.h"
#include "engine/statements.h"
#include "engine/display_fixture.h"

namespace yav::test {
namespace {

namespace fs = std::filesystem;

class StatementsTest : public DisplayFixture {
 protected:
  void SetUp() override {
    DisplayFixture::SetUp();
    if (IsSkipped()) return;
    fs::remove_all(dir);
    fs::create_directories(dir);
    run("u main.c:count = 0");
  }
  void TearDown() override { fs::remove_all(dir); }
  // Runs every statement of the line, as the command window does.
  std::string line(const std::string& text) {
    ui.out.clear();
    runCommandLine(k, text.c_str(), 1);
    return ui.out;
  }
  std::string file(const std::string& name) { return (dir / name).string(); }
  std::string contents(const std::string& name) {
    std::ifstream in(dir / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  int32_t value(const std::string& expression) {
    const char* p = expression.c_str();
    int error = 0;
    auto v = xexpr(k, p, error, true);
    EXPECT_EQ(error, 0) << expression;
    return v ? v->intValue() : 0;
  }

  fs::path dir = fs::path(::testing::TempDir()) /
                 ("yav_statements_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

struct Case {
  const char* line;
  const char* output;
};

TEST_F(StatementsTest, ControlStatementsRunAndSkipAsWritten) {
  const Case cases[] = {
      // The condition is true three times: 1, 2 and 3 are printed.
      {"while ((main.c:count = main.c:count + 1) <= 3) mess \"%d \", main.c:count;", "1 2 3 "},
      {"while (0) mess \"never\"; mess \"after\"", "after"},
      {"while (0) { mess \"a\"; mess \"b\" } mess \"after\"", "after"},
      // The condition is true twice (1 < 3, 2 < 3): the body runs three times.
      {"do mess \"%d \", main.c:count; while ((main.c:count = main.c:count + 1) < 3);", "0 1 2 "},
      {"do { mess \"once\" } while (0); mess \" then\"", "once then"},
      {"if (0) mess \"one\"; else mess \"two\"", "two"},
      {"if (1) mess \"one\"; else mess \"two\"", "one"},
      {"if (2 > 1) { if (0) { mess \"a\" } else { mess \"b\"; if (1) mess \"c\"; } } else mess \"d\"", "bc"},
      {"if (0) { if (1) mess \"a\"; else mess \"b\"; } else { if (0) mess \"c\"; else mess \"d\"; }", "d"},
      // Braces and semicolons inside a message do not end a skipped statement or block.
      {"if (0) { mess \"}\" } else mess \"{;\"", "{;"},
      {"if (0) mess \";\"; mess \"x\"", "x"},
      {"if (1) { if (0) mess \"a\" } mess \"b\"", "b"},
      {"if (0) watch main {mess \"a\"; mess \"b\"}; else mess \"c\"", "c"},
      {"if (1.5) mess \"float\"", "float"},
      {"while ((main.c:count = main.c:count + 1) < 3) { while (0) mess \"no\"; mess \"%d\", main.c:count }", "12"},
  };
  for (const Case& c : cases) {
    run("u main.c:count = 0");
    EXPECT_EQ(line(c.line), c.output) << c.line;
  }
}

TEST_F(StatementsTest, SyntaxErrorsNameTheStatement) {
  const Case cases[] = {
      {"if 1 mess \"x\"", "#error: if: syntax error\n"},
      {"if (1 mess \"x\"", "#error: if: syntax error\n"},
      {"if (1)", "#error: if: syntax error\n"},
      {"if (0) { mess \"a\"", "#error: if: syntax error\n"},
      {"if (1) mess \"a\"; else", "a#error: else: syntax error\n"},
      {"if (0) mess \"a\"; else", "#error: else: incorrect function\n"},
      {"if (1/0) mess \"a\"", "#error: if: zero divide\n"},
      {"while 1 mess \"a\"", "#error: while: syntax error\n"},
      {"while (1 mess \"a\"", "#error: while: syntax error\n"},
      // A block not closed on its line runs nothing.
      {"while (1) { mess \"a\"", "#error: {}: syntax error\n"},
      {"if (1) { mess \"a\"", "#error: {}: syntax error\n"},
      {"do mess \"a\"; until (0);", "a#error: do: syntax error\n"},
      {"do mess \"a\"; while 0;", "a#error: do while: syntax error\n"},
      {"do mess \"a\"; while (0", "a#error: do while: syntax error\n"},
      {"do mess \"a\"; while (0)", "a#error: do while: syntax error\n"},
      {"x 1 2", "    1 = 1\n#error: missing ';': 2\n"},
      // An error inside a block ends the whole statement and the rest of the line.
      {"if (1) { mess \"a\"; bogus; mess \"b\" } mess \"c\"", "a#error: unknown command: bogus; mess \"b\" } mess \"c\"\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(line(c.line), c.output) << c.line;
}

TEST_F(StatementsTest, NestingDeeperThanTheLimitIsRefused) {
  std::string deep;
  for (int i = 0; i < 100; ++i) deep += "if (1) ";
  deep += "mess \"x\"";
  EXPECT_EQ(line(deep), "#error: {}: statements nested more than 64 deep\n");
}

// A front-end whose Escape key is pressed after a number of pumps.
class EscapeAfter : public FakeUiPort {
 public:
  PumpResult pumpEvents() override { return PumpResult{++pumps >= 20, false}; }
  int pumps = 0;
};

TEST(StatementStop, AnEndlessLoopEndsAtTheStopRequest) {
  EscapeAfter ui;
  Kernel k{ui};
  k.exec.stopreq = true;  // an old request does not end a new loop at once
  runCommandLine(k, "while (1) {}", 1);
  EXPECT_EQ(ui.pumps, 20);
  EXPECT_TRUE(k.exec.stopreq);
  ui.pumps = 0;
  runCommandLine(k, "do mess \"x\"; while (1);", 1);
  EXPECT_GE(ui.out.size(), 5u);
  EXPECT_EQ(ui.out, std::string(ui.out.size(), 'x'));
}

TEST(StatementStop, PauseEndsAtTheStopRequest) {
  EscapeAfter ui;
  Kernel k{ui};
  runCommandLine(k, "pause 600000", 1);  // ten minutes, unless Escape is pressed
  EXPECT_EQ(ui.pumps, 20);
  EXPECT_TRUE(k.exec.stopreq);
}

TEST_F(StatementsTest, SysStartsTheCommandWithoutWaiting) {
  const std::string made = file("made.txt");
  EXPECT_EQ(line("sys sleep 1; touch " + made), "");
  EXPECT_FALSE(fs::exists(made));  // the command is still asleep
  bool appeared = false;
  for (int i = 0; i < 1000 && !appeared; ++i) {
    appeared = fs::exists(made);
    if (!appeared) ::usleep(10000);
  }
  EXPECT_TRUE(appeared);
}

TEST_F(StatementsTest, MessagesDecodeEscapesAndPrintValues) {
  const Case cases[] = {
      {"mess \"\\101\\102\\t\\N\"", "AB\t\n"},
      {"mess \"\\q\\\"\"", "q\""},
      {"mess \"%% %q %\"", "% q "},
      {"mess \"%d|%x|%o|%c|%u\", 42, 255, 8, 65, 7", "42|0xff|010|A|7"},
      {"mess \"[%d]\" 3", "[3]"},
      {"mess \"%d %d\", 1, 1/0", "1 #error: zero divide\n"},
      {"mess nothing", "#error: syntax error nothing\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(line(c.line), c.output) << c.line;
}

TEST_F(StatementsTest, OutputIsCopiedToAFileTruncatedOrAppended) {
  const std::string out = file("out.txt");
  line("output " + out + "; x 1");
  line("output /A " + out + "; x 2");
  line("output");
  line("x 3");
  EXPECT_EQ(contents("out.txt"), "    1 = 1\n    2 = 2\n");
  line("output " + out + "; x 4; output");
  EXPECT_EQ(contents("out.txt"), "    4 = 4\n");
  EXPECT_EQ(line("output /Q x"), "#error: Unknown Option Q x\n");
  EXPECT_EQ(line("output " + file("no/such/dir")), "#error: Can't Open " + file("no/such/dir") + " for output redirection\n");
}

TEST_F(StatementsTest, WrittenMonitorsComeBackThroughInput) {
  line("m main.c:count; m /x mean, table[1]");
  const std::string before = monitorCommands(displayState(k).monitors);
  line("write /M " + file("mon.cmd"));
  EXPECT_EQ(contents("mon.cmd"), "monit main.c:count\nmonit /x mean\nmonit /x table[1]\n");
  line("zero /M");
  EXPECT_TRUE(displayState(k).monitors.items.empty());
  line("input " + file("mon.cmd"));
  EXPECT_EQ(monitorCommands(displayState(k).monitors), before);
  line("zero /M");
  EXPECT_EQ(line("write " + file("no/such/dir")), "#error: cannot create file " + file("no/such/dir") + "\n");
}

TEST_F(StatementsTest, FwriteFormatsAsCOnThisTarget) {
  const Case cases[] = {
      {"\"%d %u %x %X %o\\n\", -1, -1, -1, 255, 8", "-1 65535 ffff FF 10\n"},
      {"\"%ld %lu %lx\", -1, -1, 0x12345678", "-1 4294967295 12345678"},
      {"\"%d\", 70000", "4464"},  // 70000 cut to 16 bits
      {"\"%5d|%-4x|%04o|%+d|%#x\", 42, 10, 8, 3, 255", "   42|a   |0010|+3|0xff"},
      {"\"%c%c\" 72, 105", "Hi"},
      {"\"%.2f %e\", 1.5, 2", "1.50 2.000000e+00"},
      {"\"100%%\"", "100%"},
  };
  int channel = 1;
  for (const Case& c : cases) {
    const std::string name = "w" + std::to_string(channel) + ".txt";
    line("fopen /C:" + std::to_string(channel) + " " + file(name));
    EXPECT_EQ(line("fwrite /C:" + std::to_string(channel) + " " + c.line), "") << c.line;
    EXPECT_EQ(contents(name), c.output) << c.line;
    ++channel;
  }
}

TEST_F(StatementsTest, ChannelWrittenAndReadBackIntoTargetMemory) {
  line("u table = \"hey\"");
  line("fopen /C:-7 " + file("ch.txt"));
  EXPECT_EQ(line("fwrite /C:-7 \"%d %lu %x %c %s\\n\", -300, 4000000000, 0xbeef, 65, table"), "");
  EXPECT_EQ(contents("ch.txt"), "-300 4000000000 beef A hey\n");
  line("u table = \"xxxxxxx\"");
  line("rewind -7");
  EXPECT_EQ(line("fread /C:-7 \"%d %lu %x %c %s\", main.c:count, fact_result, table[5], table[6], table"), "");
  EXPECT_EQ(value("main.c:count"), -300);
  EXPECT_EQ(static_cast<uint32_t>(value("fact_result")), 4000000000u);
  EXPECT_EQ(value("table[5]"), 0xef);  // 0xbeef stored into an unsigned char
  EXPECT_EQ(bytesAt(address("table"), 8), "6865790078ef4100");  // "hey", NUL, "x", 0xef, 'A'
  // Reading on: the end of the file matches no number.
  EXPECT_EQ(line("fread /C:-7 \"%d\", main.c:count"), "#error: Format Error (or missing args) at: %d\n");
  EXPECT_EQ(line("fclose /C:-7"), "");
  EXPECT_EQ(line("fclose -7"), "#error: Unknown Channel:-7\n");
}

TEST_F(StatementsTest, ChannelCommandsReportEachMistake) {
  line("fopen /C:1 " + file("a.txt"));
  const std::string other = file("b.txt");
  const Case cases[] = {
      {"fwrite /C:1 \"%d %d\", 1", "#error: Format Error (or missing args) at: %d\n"},
      {"fwrite /C:1 \"%d\", 1, 2", "#error: Too many arguments: 2\n"},
      {"fwrite /C:1 \"%q\", 1", "#error: Format Error (or missing args) at: %q\n"},
      {"fwrite \"%d\", 1", "#error:  Missing channel \"%d\", 1\n"},
      {"fwrite /C:9 \"%d\", 1", "#error:  Unknown Channel: 9\n"},
      {"fwrite /C:1 %d, 1", "#error: Missing Format %d, 1\n"},
      {"fwrite /C:1 \"%d, 1", "#error: Invalid Format: \"%d, 1\n"},
      {"fread /C:1 \"%d\", 3", "#error: Format Error (or missing args) at: %d\n"},
      {"rewind 9", "#error: Unknown Channel:9\n"},
      {"fclose /X:1", "#error: Wrong option /X:1\n"},
      {"remove nonexistent.file", "#error: Can't remove file: nonexistent.file\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(line(c.line), c.output) << c.line;
  // A failing format writes nothing.
  EXPECT_EQ(contents("a.txt"), "");
  EXPECT_EQ(line("fopen /C:1 " + other), "#error: Channel 1 already used\n");
  EXPECT_FALSE(fs::exists(other));
  EXPECT_EQ(line("fopen " + other), "#error: Wrong option " + other + "\n");
  EXPECT_EQ(line("fopen /C:2 " + dir.string()), "#error: Can't Open:" + dir.string() + "\n");
  EXPECT_EQ(line("remove " + file("a.txt")), "");
  EXPECT_FALSE(fs::exists(dir / "a.txt"));
}

TEST_F(StatementsTest, AnExistingFileIsKeptOrAppendedTo) {
  std::ofstream(dir / "keep.txt") << "12 34";
  line("fopen /C:1 " + file("keep.txt") + "; fread /C:1 \"%d\", main.c:count");
  EXPECT_EQ(value("main.c:count"), 12);
  line("fopen /C:2 /A " + file("keep.txt") + "; fwrite /C:2 \"|%d\", 5; fclose 2");
  EXPECT_EQ(contents("keep.txt"), "12 34|5");
  // A floating field is stored converted to the variable's type: 2.5 is exact in a float.
  std::ofstream(dir / "real.txt") << "2.5e0 7";
  line("fopen /C:3 " + file("real.txt") + "; fread /C:3 \"%f %f\", mean, main.c:count");
  const char* text = "mean";
  int error = 0;
  auto mean = xexpr(k, text, error, true);
  ASSERT_EQ(error, 0);
  EXPECT_EQ(mean->doubleValue(), 2.5);
  EXPECT_EQ(value("main.c:count"), 7);
}

TEST(ChannelFormat, ScanningReadsFieldsAsScanfDoes) {
  struct ScanCase {
    const char* conversion;
    const char* input;
    bool matches;
    int64_t value;
  };
  const ScanCase cases[] = {
      {"%d", "  -42x", true, -42},     {"%u", "65535", true, 65535},  {"%d", "65535", true, -1},
      {"%x", "0x1F", true, 31},        {"%x", "ff", true, 255},       {"%o", "17", true, 15},
      {"%i", "0x10", true, 16},        {"%i", "010", true, 8},        {"%ld", "-70000", true, -70000},
      {"%lx", "ffffffff", true, 0xffffffff}, {"%2d", "1234", true, 12}, {"%c", " a", true, ' '},
      {"%d", "abc", false, 0},         {"%d", "", false, 0},
  };
  for (const ScanCase& c : cases) {
    Conversion conv;
    ASSERT_TRUE(parseConversion(c.conversion, 0, conv)) << c.conversion;
    TextScanInput in(c.input);
    ScannedValue v;
    EXPECT_EQ(scanConversion(in, conv, v), c.matches) << c.conversion << " on " << c.input;
    if (c.matches) {
      EXPECT_EQ(v.integer, c.value) << c.conversion << " on " << c.input;
    }
  }
}

}  // namespace
}  // namespace yav::test
