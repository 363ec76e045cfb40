#include "model/putfloat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace yav {
namespace {

struct FloatShow {
  double value;
  std::string shown;
};

class FloatDisplay : public ::testing::TestWithParam<FloatShow> {};

TEST_P(FloatDisplay, Shows) { EXPECT_EQ(floatText(GetParam().value), GetParam().shown) << GetParam().value; }

INSTANTIATE_TEST_SUITE_P(
    Values, FloatDisplay,
    ::testing::Values(
        // Small negative exponents in plain notation.
        FloatShow{1.5e-2, "0.015"}, FloatShow{-1.5e-2, "-0.015"}, FloatShow{0.1, "0.1"}, FloatShow{0.5, "0.5"},
        FloatShow{1e-4, "0.0001"}, FloatShow{1.25e-4, "0.000125"},
        // Positive exponents up to 6 with at least one fraction digit.
        FloatShow{150.0, "150.0"}, FloatShow{12.3456, "12.3456"}, FloatShow{0.0, "0.0"}, FloatShow{1.0, "1.0"},
        FloatShow{-2.5, "-2.5"}, FloatShow{10.0, "10.0"}, FloatShow{1e6, "1000000.0"},
        FloatShow{1234567.5, "1234567.5"}, FloatShow{3.141592653589793, "3.141592653"},
        // The tenth significant fraction digit is dropped, not rounded into the ninth.
        FloatShow{1.0000000019, "1.000000001"},
        // Exponent notation beyond.
        FloatShow{1.5e+07, "1.5e+07"}, FloatShow{2.5e-05, "2.5e-05"}, FloatShow{-1e7, "-1.0e+07"},
        FloatShow{1.5e+100, "1.5e+100"}, FloatShow{-2.5e-123, "-2.5e-123"}, FloatShow{1e-100, "1.0e-100"},
        FloatShow{1.7976931348623157e308, "1.797693134e+308"}, FloatShow{4.9406564584124654e-324, "4.940656458e-324"},
        FloatShow{-2.2250738585072014e-308, "-2.225073858e-308"},
        // Not numbers.
        FloatShow{std::numeric_limits<double>::quiet_NaN(), "nan"},
        FloatShow{std::numeric_limits<double>::infinity(), "inf"},
        FloatShow{-std::numeric_limits<double>::infinity(), "-inf"}));

}  // namespace
}  // namespace yav
