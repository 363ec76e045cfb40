// Backslash escapes: decoding what the user writes in double quotes, and the display form
// of single characters.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace yav {

// One decoded escape. `special` is set when the character after the backslash is one of the
// caller's special characters; `ch` then holds that character for the caller to act on.
struct EscapeRead {
  int ch = 0;
  bool special = false;
  size_t used = 0;  // characters used after the backslash (0 for a backslash at the end)
};

// Decodes the escape whose text starts right after a backslash: up to three octal digits give
// that character code, b f n r t v (either case) the control characters, a character listed in
// `specials` is reported as special, and any other character stands for itself. An empty text
// (a backslash at the end) gives the backslash itself.
EscapeRead decodeEscape(std::string_view afterBackslash, std::string_view specials = {});

// Decodes every escape of a text, with no special characters.
std::string decodeEscapes(std::string_view text);

// Longest display form of one character: a backslash and three octal digits.
inline constexpr size_t kEscCharMax = 4;

// Writes the display form of the character `c` into `buffer` (room for kEscCharMax bytes, no
// terminator) and returns its length: the character itself from 32 to 126, a backslash and one
// of abfnrtv for the control characters 7 8 12 10 13 9 11, else a backslash and its octal code.
size_t escchar(char* buffer, int c);
std::string escchar(int c);

}  // namespace yav
