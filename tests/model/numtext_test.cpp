#include "model/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace yav {
namespace {

struct NumberCase {
  std::string text;
  unsigned base;
  uint32_t value;
  size_t used;  // 0: no number
};

class NumberCases : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberCases, Reads) {
  const NumberCase& c = GetParam();
  NumberRead<uint32_t> r = readNumber(c.text, c.base);
  EXPECT_EQ(r.used, c.used) << c.text;
  EXPECT_EQ(r.ok, c.used != 0) << c.text;
  if (c.used) {
    EXPECT_EQ(r.value, c.value) << c.text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberCases,
    ::testing::Values(
        NumberCase{"1234", 0, 1234, 4}, NumberCase{"0x1F", 0, 0x1F, 4}, NumberCase{"0XffG", 0, 0xFF, 4},
        NumberCase{"0b101", 0, 5, 5}, NumberCase{"0B12", 0, 1, 3}, NumberCase{"017", 0, 15, 3},
        NumberCase{"019", 0, 1, 2},  // 9 is beyond octal
        NumberCase{"0", 0, 0, 1}, NumberCase{"0x", 0, 0, 1}, NumberCase{"0xz", 0, 0, 1}, NumberCase{"0b", 0, 0, 1},
        NumberCase{"  \t-12", 0, static_cast<uint32_t>(-12), 6}, NumberCase{"+7", 0, 7, 2},
        NumberCase{"12L+", 0, 12, 3}, NumberCase{"12ll", 0, 12, 3}, NumberCase{"12a", 0, 12, 2},
        NumberCase{"4294967296", 0, 0, 10},  // wraps to 32 bits
        NumberCase{"ff", 16, 0xFF, 2}, NumberCase{"0x10", 16, 0x10, 4}, NumberCase{"0b1", 16, 0xB1, 3},
        NumberCase{"zz", 36, 36 * 35 + 35, 2}, NumberCase{"777", 8, 511, 3},
        NumberCase{"", 0, 0, 0}, NumberCase{"   ", 0, 0, 0}, NumberCase{"-", 0, 0, 0}, NumberCase{"x12", 0, 0, 0},
        NumberCase{"12", 1, 0, 0}, NumberCase{"12", 37, 0, 0}));

TEST(Number16, WrapsToSixteenBits) {
  NumberRead<uint16_t> r = readNumber16("0x12345", 0);
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.value, 0x2345);
  EXPECT_EQ(r.used, 7u);
  EXPECT_EQ(readNumber16("-1").value, 0xFFFF);
}

TEST(Number, StopsAtTheEndOfAView) {
  std::string text = "123456";
  NumberRead<uint32_t> r = readNumber(std::string_view(text).substr(0, 3));
  EXPECT_EQ(r.value, 123u);
  EXPECT_EQ(r.used, 3u);
}

struct FloatCase {
  std::string text;
  double value;
  size_t used;
};

class FloatCases : public ::testing::TestWithParam<FloatCase> {};

TEST_P(FloatCases, Reads) {
  const FloatCase& c = GetParam();
  NumberRead<double> r = readFloat(c.text);
  EXPECT_EQ(r.used, c.used) << c.text;
  if (c.used) {
    EXPECT_DOUBLE_EQ(r.value, c.value) << c.text;
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, FloatCases,
                         ::testing::Values(FloatCase{"1.5", 1.5, 3}, FloatCase{"12", 12.0, 2},
                                           FloatCase{"1.5e3x", 1500.0, 5}, FloatCase{"2E-2", 0.02, 4},
                                           FloatCase{"1e+", 1.0, 1}, FloatCase{"1e", 1.0, 1},
                                           FloatCase{"3.", 3.0, 2}, FloatCase{".5", 0.5, 2},
                                           FloatCase{" -2.5", -2.5, 5}, FloatCase{"+4", 4.0, 2},
                                           FloatCase{"0.000", 0.0, 5}, FloatCase{"1e-400", 0.0, 6},
                                           FloatCase{"", 0, 0}, FloatCase{".", 0, 0}, FloatCase{"-", 0, 0},
                                           FloatCase{"e5", 0, 0}));

TEST(Float, OutOfRangeIsInfinityOrZero) {
  EXPECT_TRUE(std::isinf(readFloat("1e999").value));
  EXPECT_TRUE(std::isinf(readFloat("-1e999").value));
  EXPECT_LT(readFloat("-1e999").value, 0);
  EXPECT_EQ(readFloat("0.00001e-320").value, 0.0);
  EXPECT_TRUE(std::isinf(readFloat("1e99999999999999").value));
  EXPECT_EQ(readFloat("1e-99999999999999").value, 0.0);
}

}  // namespace
}  // namespace yav
