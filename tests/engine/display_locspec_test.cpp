// Place arguments: what each written form sets.
#include <gtest/gtest.h>

#include "engine/locspec.h"

namespace yav {
namespace {

struct SpecCase {
  const char* text;
  const char* rest;  // what follows the spec
  bool present, isabs, hascolon, hasfunc, hasline;
  uint32_t line, line2, absaddr;
  const char* file;
  const char* func;
  const char* name;
};

TEST(DisplayLocspec, ParsesEveryForm) {
  const SpecCase cases[] = {
      {"", "", false, false, false, false, false, 0, 0, 0, "", "", ""},
      {"main()", "", true, false, false, true, false, 0, 0, 0, "", "main", ""},
      {"()", "", true, false, false, true, false, 0, 0, 0, "", "", ""},
      {"main() ; x", " ; x", true, false, false, true, false, 0, 0, 0, "", "main", ""},
      {"@0x20cc", "", true, true, false, false, false, 0, 0, 0x20cc, "", "", ""},
      {"12", "", true, false, false, false, true, 12, 0, 0, "", "", ""},
      {"0x10", "", true, false, false, false, true, 16, 0, 0, "", "", ""},
      {"counter", "", true, false, false, false, false, 0, 0, 0, "", "", "counter"},
      {"l12", "", true, false, false, false, false, 0, 0, 0, "", "", "l12"},
      {"main.c:12", "", true, false, true, false, true, 12, 0, 0, "main.c", "", ""},
      {"main.c:12:15", "", true, false, true, false, true, 12, 15, 0, "main.c", "", ""},
      {"main.c:", "", true, false, true, false, false, 0, 0, 0, "main.c", "", ""},
      {"main():3", "", true, false, true, true, true, 3, 0, 0, "", "main", ""},
      {"():x", "", true, false, true, true, false, 0, 0, 0, "", "", "x"},
      {"shapes.c:last_color;", ";", true, false, true, false, false, 0, 0, 0, "shapes.c", "", "last_color"},
      {":5", "", true, false, true, false, true, 5, 0, 0, "", "", ""},
      {"main.c:12, 3", ", 3", true, false, true, false, true, 12, 0, 0, "main.c", "", ""},
  };
  for (const SpecCase& c : cases) {
    LocSpec s;
    const char* rest = locspec(c.text, s);
    EXPECT_STREQ(rest, c.rest) << c.text;
    EXPECT_EQ(s.present, c.present) << c.text;
    EXPECT_EQ(s.isabs, c.isabs) << c.text;
    EXPECT_EQ(s.hascolon, c.hascolon) << c.text;
    EXPECT_EQ(s.hasfunc, c.hasfunc) << c.text;
    EXPECT_EQ(s.hasline, c.hasline) << c.text;
    EXPECT_EQ(s.line, c.line) << c.text;
    EXPECT_EQ(s.line2, c.line2) << c.text;
    EXPECT_EQ(s.absaddr, c.absaddr) << c.text;
    EXPECT_EQ(s.file, c.file) << c.text;
    EXPECT_EQ(s.func, c.func) << c.text;
    EXPECT_EQ(s.name, c.name) << c.text;
  }
}

TEST(DisplayLocspec, KindsOfSpec) {
  LocSpec s;
  locspec("main.c:12", s);
  EXPECT_TRUE(s.isLineSpec());
  locspec("main()", s);
  EXPECT_TRUE(s.isLineSpec());
  locspec("7", s);
  EXPECT_TRUE(s.isNumber());
  EXPECT_FALSE(s.isLineSpec());
  locspec("counter", s);
  EXPECT_FALSE(s.isLineSpec());
  EXPECT_FALSE(s.isNumber());
}

}  // namespace
}  // namespace yav
