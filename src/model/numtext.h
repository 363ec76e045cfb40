// Reading numbers from command and expression text.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace yav {

// Result of reading an integer: the value, the characters used (0 when no number was
// found) and whether at least one digit was read.
template <typename T>
struct NumberRead {
  T value = 0;
  size_t used = 0;
  bool ok = false;
};

// Reads an integer: leading blanks and control characters are skipped, then an optional sign.
// Base 0 chooses the base from the text: 0x/0X hexadecimal, 0b/0B binary, a leading 0 octal,
// else decimal. A fixed base 16 also accepts an optional 0x. Letters count as digits 10 and up
// in either case; the first digit beyond the base ends the number; one trailing l or L is
// consumed. The value wraps to 32 bits.
NumberRead<uint32_t> readNumber(std::string_view text, unsigned base = 0);
// The same for 16-bit fields: the value wraps to 16 bits.
NumberRead<uint16_t> readNumber16(std::string_view text, unsigned base = 0);

// Reads floating text: optional sign, digits, an optional fraction and an optional exponent
// (e or E, optional sign, decimal digits). Leading blanks are skipped like for integers.
NumberRead<double> readFloat(std::string_view text);

}  // namespace yav
