#include "model/numtext.h"

#include <charconv>
#include <cmath>
#include <string>

namespace yav {

namespace {

// Blanks of the command language: control characters, the space, DEL and bytes above 0x7F.
bool isLeadingBlank(unsigned char c) { return c != 0 && (c <= 0x20 || c >= 0x7F); }

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

size_t skipBlanks(std::string_view t, size_t i) {
  while (i < t.size() && isLeadingBlank(static_cast<unsigned char>(t[i]))) ++i;
  return i;
}

// A constant beyond the range of a double becomes infinity when it is too large and zero when
// it is too small, as a C compiler reads it. The decimal magnitude tells which.
double outOfRangeValue(std::string_view num) {
  long magnitude = 0;
  size_t k = 0;
  while (k < num.size() && num[k] == '0') ++k;
  size_t intDigits = 0;
  while (k < num.size() && isDigit(num[k])) ++k, ++intDigits;
  if (intDigits) {
    magnitude = static_cast<long>(intDigits);
  } else if (k < num.size() && num[k] == '.') {
    ++k;
    while (k < num.size() && num[k] == '0') ++k, --magnitude;
  }
  size_t e = num.find_first_of("eE");
  if (e != std::string_view::npos) {
    NumberRead<uint32_t> x = readNumber(num.substr(e + 1), 10);
    long exponent = static_cast<int32_t>(x.value);
    // Exponents are far beyond any double's range long before they wrap at 32 bits.
    if (num.size() - e > 9) exponent = num[e + 1] == '-' ? -100000 : 100000;
    magnitude += exponent;
  }
  return magnitude > 0 ? HUGE_VAL : 0.0;
}

}  // namespace

NumberRead<uint32_t> readNumber(std::string_view t, unsigned base) {
  NumberRead<uint32_t> r;
  if (base == 1 || base > 36) return r;
  size_t i = skipBlanks(t, 0);
  bool negative = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';

  // A prefix counts only when a digit of its base follows; otherwise "0x" reads as 0 then x.
  auto prefixed = [&](char letter, unsigned prefixBase) {
    return i + 2 < t.size() && t[i] == '0' && (t[i + 1] == letter || t[i + 1] == letter - 'a' + 'A') &&
           digitValue(t[i + 2]) < static_cast<int>(prefixBase);
  };
  if (base == 0) {
    if (prefixed('x', 16)) {
      base = 16;
      i += 2;
    } else if (prefixed('b', 2)) {
      base = 2;
      i += 2;
    } else if (i < t.size() && t[i] == '0') {
      base = 8;
    } else {
      base = 10;
    }
  } else if (base == 16 && prefixed('x', 16)) {
    i += 2;
  }

  uint32_t value = 0;
  size_t digits = 0;
  while (i < t.size() && digitValue(t[i]) < static_cast<int>(base)) {
    value = value * base + static_cast<uint32_t>(digitValue(t[i]));
    ++i;
    ++digits;
  }
  if (digits == 0) return r;
  if (i < t.size() && (t[i] == 'l' || t[i] == 'L')) ++i;
  r.value = negative ? 0u - value : value;
  r.used = i;
  r.ok = true;
  return r;
}

NumberRead<uint16_t> readNumber16(std::string_view text, unsigned base) {
  NumberRead<uint32_t> w = readNumber(text, base);
  return {static_cast<uint16_t>(w.value & 0xFFFF), w.used, w.ok};
}

NumberRead<double> readFloat(std::string_view t) {
  NumberRead<double> r;
  const size_t start = skipBlanks(t, 0);
  size_t i = start;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  size_t mantissaDigits = 0;
  while (i < t.size() && isDigit(t[i])) ++i, ++mantissaDigits;
  if (i < t.size() && t[i] == '.') {
    size_t j = i + 1;
    while (j < t.size() && isDigit(t[j])) ++j, ++mantissaDigits;
    if (mantissaDigits) i = j;
  }
  if (mantissaDigits == 0) return r;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    size_t j = i + 1;
    if (j < t.size() && (t[j] == '-' || t[j] == '+')) ++j;
    size_t expDigits = 0;
    while (j < t.size() && isDigit(t[j])) ++j, ++expDigits;
    if (expDigits) i = j;
  }
  // from_chars takes no leading '+' and reads independently of the locale.
  std::string_view num = t.substr(start, i - start);
  bool negative = false;
  if (num.front() == '+' || num.front() == '-') {
    negative = num.front() == '-';
    num.remove_prefix(1);
  }
  double v = 0.0;
  auto res = std::from_chars(num.data(), num.data() + num.size(), v);
  if (res.ec == std::errc::result_out_of_range) v = outOfRangeValue(num);
  r.value = negative ? -v : v;
  r.used = i;
  r.ok = true;
  return r;
}

}  // namespace yav
