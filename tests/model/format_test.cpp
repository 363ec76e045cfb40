#include "model/format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace yav {
namespace {

struct FmtCase {
  const char* fmt;
  std::vector<FmtArg> args;
  std::string expected;
};

class FormatCases : public ::testing::TestWithParam<FmtCase> {};

TEST_P(FormatCases, Expands) {
  const FmtCase& c = GetParam();
  EXPECT_EQ(fmtstr(c.fmt, std::span<const FmtArg>(c.args)), c.expected) << "format: " << c.fmt;
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, FormatCases,
    ::testing::Values(
        // Width from a slot, fill after + or -, never truncated.
        FmtCase{"%+0nhl", {4, 0x1A}, "001a"}, FmtCase{"%+0nhl", {2, 0x1234}, "1234"},
        FmtCase{"%- 6p|", {"ab"}, "ab    |"}, FmtCase{"%+ np", {5, "ab"}, "   ab"},
        FmtCase{"%+02hi", {7}, "07"}, FmtCase{"%6l|", {-12}, "   -12|"}, FmtCase{"%-*4l|", {5}, "5***|"},
        FmtCase{"%+0nhl", {0xFFFF, 0x1A}, "1a"},  // width -1 pads nothing
        // c: 16-bit signed without modifier, 8 bits with a base, raw byte with a.
        FmtCase{"%c", {0xFFFFFFFFu}, "-1"}, FmtCase{"%c", {200}, "200"}, FmtCase{"%hc", {0x1FF}, "ff"},
        FmtCase{"%zc", {5}, "101"}, FmtCase{"%ac", {0x41}, "A"},
        // s: 16 bits.
        FmtCase{"%s", {0x00018000}, "-32768"}, FmtCase{"%us", {0xFFFF}, "65535"}, FmtCase{"%hs", {0x12345}, "2345"},
        FmtCase{"%as", {0x4142}, "AB"}, FmtCase{"%os", {8}, "10"},
        // i and l: the whole 32 bits.
        FmtCase{"%l", {0x80000000u}, "-2147483648"}, FmtCase{"%ul", {0xFFFFFFFFu}, "4294967295"},
        FmtCase{"%hl", {0xDEADBEEFu}, "deadbeef"}, FmtCase{"%i", {-5}, "-5"}, FmtCase{"%al", {0x41424344}, "ABCD"},
        // Strings and byte runs.
        FmtCase{"%p", {"hello"}, "hello"}, FmtCase{"%.3p", {"hello"}, "hel"}, FmtCase{"%b", {"abcdef", 4}, "abcd"},
        FmtCase{"%.2b", {"abcdef", 4}, "ab"}, FmtCase{"%.np", {2, "hello"}, "he"},
        // Doubles.
        FmtCase{"%1.5f", {0.5}, "0.50000"}, FmtCase{"%.2f", {-0.25}, "-0.25"}, FmtCase{"%f", {0.25}, "0"},
        FmtCase{"%.3f", {1234.5678}, "1234.568"}, FmtCase{"%d", {1234.0}, "1e+03"},
        FmtCase{"%.2d", {-0.000123}, "-1.23e-04"}, FmtCase{"%.2d", {0.0}, "0.00e+00"},
        FmtCase{"%.1d", {1.5e100}, "1.5e+100"}, FmtCase{"%.20d", {1.0}, "1.00000000000000000000e+00"},
        FmtCase{"%.20f", {0.1}, "0.10000000000000000000"},
        // Padding only, percent, unknown conversions, modifier without conversion.
        FmtCase{"[%4x]", {}, "[    ]"}, FmtCase{"100%%", {}, "100%"}, FmtCase{"%q", {}, "q"},
        FmtCase{"0b%z", {5}, "0b101"}, FmtCase{"%hq", {255}, "ffq"}, FmtCase{"a%", {}, "a"},
        // Missing or mismatched arguments never read garbage.
        FmtCase{"%l %p %f", {}, "0  0"}, FmtCase{"%p", {42}, ""}, FmtCase{"%l", {"text"}, "0"},
        FmtCase{"%l", {2.9}, "2"}));

TEST(Sfmt, StoresAtMostLimitWithoutTerminator) {
  char buf[8];
  std::fill(std::begin(buf), std::end(buf), '#');
  EXPECT_EQ(sfmt(buf, 5, "%l-%l", 1234, 5678), 5u);
  EXPECT_EQ(std::string(buf, 6), "1234-#");
  EXPECT_EQ(sfmt(buf, 0, "%l", 1), 0u);
}

}  // namespace
}  // namespace yav
