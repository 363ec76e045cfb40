#include "ui/source_search.h"

#include <gtest/gtest.h>

#include <vector>

namespace yav {
namespace {

const std::vector<std::string> kLines = {"int count;", "void main(void)", "{", "  count++;", "}"};

SearchResult next(SourceSearch& s) {
  return searchNext(s, kLines.size(), [](size_t n) { return kLines[n - 1]; });
}

TEST(SourceSearch, DownFindsEachMatchThenStops) {
  SourceSearch s;
  s.text = "count";
  ASSERT_EQ(next(s), SearchResult::Found);
  EXPECT_EQ(s.line, 1u);
  EXPECT_EQ(s.column, 4);
  ASSERT_EQ(next(s), SearchResult::Found);
  EXPECT_EQ(s.line, 4u);
  EXPECT_EQ(s.column, 2);
  EXPECT_EQ(next(s), SearchResult::NotFound);  // no wrap round to line 1
  EXPECT_EQ(s.line, 4u);
  EXPECT_EQ(s.column, 2);
}

TEST(SourceSearch, TextOnlyOnTheOtherSideIsNotFound) {
  SourceSearch down;
  down.text = "int";
  down.line = 4;
  down.column = 2;
  EXPECT_EQ(next(down), SearchResult::NotFound);
  EXPECT_EQ(down.line, 4u);
  EXPECT_EQ(down.column, 2);

  SourceSearch up;
  up.text = "}";
  up.down = false;
  up.line = 3;
  up.column = 0;
  EXPECT_EQ(next(up), SearchResult::NotFound);
  EXPECT_EQ(up.line, 3u);
}

TEST(SourceSearch, UpGoesBackToLineOne) {
  SourceSearch s;
  s.text = "main";
  s.down = false;
  s.line = 5;
  s.column = 0;
  ASSERT_EQ(next(s), SearchResult::Found);
  EXPECT_EQ(s.line, 2u);
  EXPECT_EQ(s.column, 5);
  s.text = "n";  // none before column 5 on line 2; line 1 is searched from its end
  ASSERT_EQ(next(s), SearchResult::Found);
  EXPECT_EQ(s.line, 1u);
  EXPECT_EQ(s.column, 7);
}

TEST(SourceSearch, NothingStoredAndCaseMatters) {
  SourceSearch s;
  EXPECT_EQ(next(s), SearchResult::NoText);
  s.text = "COUNT";
  EXPECT_EQ(next(s), SearchResult::NotFound);
  s.reset();
  EXPECT_EQ(s.line, 1u);
  EXPECT_EQ(s.column, -1);
}

}  // namespace
}  // namespace yav
