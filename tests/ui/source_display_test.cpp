#include "ui/source_display.h"

#include <gtest/gtest.h>

#include "ui/c_markup.h"

namespace yav {
namespace {

TEST(SourceDisplay, TabsAdvanceToTheNextStopOfFour) {
  EXPECT_EQ(displayedText("abcdef\tx"), "abcdef  x");  // the tab at column 6 ends at column 8
  EXPECT_EQ(displayedText("\tx"), "    x");
  EXPECT_EQ(displayedText("abc\tx"), "abc x");
  EXPECT_EQ(displayedText("abcd\tx"), "abcd    x");
  EXPECT_EQ(displayColumn("abcdef\tx", 7), 8u);
  EXPECT_EQ(displayColumn("\x01\x05int\tx", 4), 4u);  // markers take no column
}

TEST(SourceDisplay, LinePrefixWithAndWithoutAddresses) {
  SourceLineState code;
  code.hasCode = true;
  code.address = 0x2a3f;
  const SourceLineState none;
  const LinePrefix withAddresses = LinePrefix::forLines(120, true);
  EXPECT_EQ(linePrefixText(7, code, withAddresses), "  7 02a3f ");
  EXPECT_EQ(linePrefixText(7, none, withAddresses), "  7       ");
  EXPECT_EQ(linePrefixText(120, code, LinePrefix::forLines(120, false)), "120 ");
  EXPECT_EQ(withAddresses.columns(), 10);
  EXPECT_EQ(displayLine(3, "\tx = 1;", code, LinePrefix::forLines(9, false)), "3     x = 1;");
}

TEST(SourceDisplay, RunsFollowTheMarkers) {
  const std::vector<TextRun> runs = textRuns(markupC("\tint x; /* c */", {}));
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs[0].text, "    ");
  EXPECT_EQ(runs[1].tokenClass, tokenclass::Keyword);
  EXPECT_EQ(runs[1].column, 4u);
  EXPECT_EQ(runs[1].text, "int");
  EXPECT_EQ(runs[2].text, " x; ");
  EXPECT_EQ(runs[3].tokenClass, tokenclass::Comment);
  EXPECT_EQ(runs[3].text, "/* c */");
}

}  // namespace
}  // namespace yav
