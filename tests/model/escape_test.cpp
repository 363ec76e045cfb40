#include "model/escape.h"

#include <gtest/gtest.h>

#include <string>

namespace yav {
namespace {

struct DecodeCase {
  std::string after;  // text after the backslash
  std::string specials;
  int ch;
  bool special;
  size_t used;
};

class DecodeCases : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeCases, Decodes) {
  const DecodeCase& c = GetParam();
  EscapeRead r = decodeEscape(c.after, c.specials);
  EXPECT_EQ(r.ch, c.ch) << c.after;
  EXPECT_EQ(r.special, c.special) << c.after;
  EXPECT_EQ(r.used, c.used) << c.after;
}

INSTANTIATE_TEST_SUITE_P(
    Escapes, DecodeCases,
    ::testing::Values(DecodeCase{"n", "", '\n', false, 1}, DecodeCase{"N", "", '\n', false, 1},
                      DecodeCase{"t", "", '\t', false, 1}, DecodeCase{"B", "", '\b', false, 1},
                      DecodeCase{"f", "", '\f', false, 1}, DecodeCase{"r", "", '\r', false, 1},
                      DecodeCase{"V", "", '\v', false, 1}, DecodeCase{"a", "", 'a', false, 1},
                      DecodeCase{"\\", "", '\\', false, 1}, DecodeCase{"101", "", 'A', false, 3},
                      DecodeCase{"1012", "", 'A', false, 3}, DecodeCase{"0", "", 0, false, 1},
                      DecodeCase{"18", "", 1, false, 1}, DecodeCase{"777", "", 0xFF, false, 3},
                      DecodeCase{"c", "c", 'c', true, 1}, DecodeCase{"\"", "\"", '"', true, 1},
                      DecodeCase{"", "", '\\', false, 0}));

TEST(DecodeEscapes, WholeText) {
  EXPECT_EQ(decodeEscapes("a\\tb\\101\\x\\"), std::string("a\tbAx\\"));
  EXPECT_EQ(decodeEscapes("\\0z"), std::string("\0z", 2));
}

struct EscCharCase {
  int c;
  std::string shown;
};

class EscCharCases : public ::testing::TestWithParam<EscCharCase> {};

TEST_P(EscCharCases, Shows) {
  char buf[kEscCharMax];
  const size_t n = escchar(buf, GetParam().c);
  EXPECT_EQ(std::string(buf, n), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Characters, EscCharCases,
                         ::testing::Values(EscCharCase{'A', "A"}, EscCharCase{' ', " "}, EscCharCase{'~', "~"},
                                           EscCharCase{'\\', "\\"}, EscCharCase{'"', "\""}, EscCharCase{7, "\\a"},
                                           EscCharCase{8, "\\b"}, EscCharCase{12, "\\f"}, EscCharCase{10, "\\n"},
                                           EscCharCase{13, "\\r"}, EscCharCase{9, "\\t"}, EscCharCase{11, "\\v"},
                                           EscCharCase{0x1B, "\\33"}, EscCharCase{0, "\\0"},
                                           EscCharCase{127, "\\177"}, EscCharCase{0xFF, "\\377"},
                                           EscCharCase{-1, "\\377"}, EscCharCase{0x141, "A"}));

}  // namespace
}  // namespace yav
