#include "model/putfloat.h"

#include <string_view>

#include "model/format.h"

namespace yav {

std::string floatText(double d) {
  char buf[20];
  const std::string_view s(buf, sfmt(buf, sizeof buf, "%.10d", d));
  const size_t e = s.find('e');
  const size_t p = s.find('.');
  // nan and inf have no exponent part.
  if (e == std::string_view::npos || p == std::string_view::npos || p == 0 || e < p + 2 || e + 2 >= s.size()) {
    return std::string(s);
  }
  // Drop the tenth fraction digit, then trailing zeros, keeping one fraction digit.
  size_t k = e - 2;
  while (k > p + 1 && s[k] == '0') --k;
  const std::string_view mantissa = s.substr(0, k + 1);
  const std::string_view fraction = s.substr(p + 1, k - p);
  const char leading = s[p - 1];
  const bool negative = s[0] == '-';

  // The exponent as printed: sign and all its digits.
  const bool expNegative = s[e + 1] == '-';
  int exponent = 0;
  for (size_t i = e + 2; i < s.size(); ++i) exponent = exponent * 10 + (s[i] - '0');

  std::string out = negative ? "-" : "";
  if (expNegative && exponent <= 4) {
    out += "0.";
    out.append(static_cast<size_t>(exponent - 1), '0');
    out += leading;
    if (fraction != "0") out += fraction;
    return out;
  }
  if (!expNegative && exponent <= 6) {
    std::string digits(1, leading);
    if (fraction != "0") digits += fraction;
    const size_t intDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() < intDigits) digits.append(intDigits - digits.size(), '0');
    out += digits.substr(0, intDigits);
    out += '.';
    out += digits.size() > intDigits ? digits.substr(intDigits) : std::string("0");
    return out;
  }
  out = std::string(mantissa);
  out += s.substr(e);
  return out;
}

void putfloat(PrintEnv& env, double d) { env.put(floatText(d)); }

}  // namespace yav
