// Display of float, double and long double values.
#pragma once
#include <string>

#include "model/print_env.h"

namespace yav {

// Plain notation for exponents from -4 to +6 (0.015, 150.0, 12.3456, 0.0), else the mantissa
// with its exponent (1.5e+07, 2.5e-05, 1.5e+100). At most nine fraction digits are shown.
// Not-a-number and infinities print as nan, inf and -inf.
std::string floatText(double d);
void putfloat(PrintEnv& env, double d);

}  // namespace yav
