#include "ui/settings_values.h"

#include <strings.h>

#include <cstdio>

namespace yav {

namespace {

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string withComment(std::string value, std::string_view comment) {
  value += "    /* ";
  value += comment;
  value += " */";
  return value;
}

}  // namespace

std::string_view yesNo(bool yes) { return yes ? "YES" : "NO"; }

bool yesByFirstLetter(std::string_view value) {
  return !value.empty() && (value.front() == 'y' || value.front() == 'Y');
}

std::optional<int64_t> leadingNumber(std::string_view text, int base) {
  size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (base == 0) {
    base = 10;
    if (i < text.size() && text[i] == '0') {
      base = 8;
      // "0x" counts as the hexadecimal prefix only when a hex digit follows; "0x" alone is 0.
      if (i + 2 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') && digitValue(text[i + 2]) < 16) {
        base = 16;
        i += 2;
      }
    }
  }
  const size_t first = i;
  int64_t v = 0;
  for (; i < text.size() && digitValue(text[i]) < base; ++i) {
    v = v * base + digitValue(text[i]);
    if (v > 0xFFFFFFFFLL) return std::nullopt;
  }
  if (i == first) return std::nullopt;
  return negative ? -v : v;
}

size_t signedDecimalLength(std::string_view text) {
  size_t n = 0;
  while (n < text.size() && isBlank(text[n])) ++n;
  if (n < text.size() && (text[n] == '+' || text[n] == '-')) ++n;
  const size_t firstDigit = n;
  while (n < text.size() && text[n] >= '0' && text[n] <= '9') ++n;
  return n == firstDigit ? 0 : n;
}

bool sameSettingsName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::string colourValueText(Rgb colour, std::string_view comment) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%-6x", static_cast<unsigned>(colour & 0xFFFFFF));
  return withComment(hex, comment);
}

std::optional<Rgb> colourFromValue(std::string_view value) {
  const auto v = leadingNumber(value, 0);
  if (!v) return std::nullopt;
  return static_cast<Rgb>(*v) & 0xFFFFFF;
}

std::string edgeValueText(int edge, std::string_view comment) { return withComment(std::to_string(edge), comment); }

std::optional<int> edgeFromValue(std::string_view value) {
  const auto v = leadingNumber(value, 10);
  if (!v || *v < INT32_MIN || *v > INT32_MAX) return std::nullopt;
  return static_cast<int>(*v);
}

}  // namespace yav
