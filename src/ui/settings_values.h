// How values are spelled in the settings file: yes/no by first letter, colours as a C-notation
// number with a comment after it, window edges as signed decimals with a comment.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yav {

// "YES" / "NO", as every yes/no key is written.
std::string_view yesNo(bool yes);

// True when the value begins with y or Y.
bool yesByFirstLetter(std::string_view value);

// The number at the start of `text` (blanks before it skipped, an optional sign), the rest
// ignored. Base 0 reads C notation ("0x" hexadecimal, a leading 0 octal, else decimal); base 10
// decimal only. Nullopt when no digit is there or the number does not fit 32 bits.
std::optional<int64_t> leadingNumber(std::string_view text, int base);

// Length of the signed decimal at the start of `text` (blanks, an optional sign, digits); 0
// when no digit is there.
size_t signedDecimalLength(std::string_view text);

// Section and key names of the settings file match without regard to case.
bool sameSettingsName(std::string_view a, std::string_view b);

// A platform colour: 0x00BBGGRR, red in the low byte.
using Rgb = uint32_t;

// "0x" + lower-case hex of the 24-bit value, padded with blanks to eight characters, then four
// blanks and the comment `/* <comment> */`.
std::string colourValueText(Rgb colour, std::string_view comment);

// The colour a value names (its leading C number, kept to 24 bits); nullopt when it does not
// start with a number.
std::optional<Rgb> colourFromValue(std::string_view value);

// A window edge: the signed decimal, four blanks and the comment `/* <comment> */`.
std::string edgeValueText(int edge, std::string_view comment);

// The edge a value names (its leading signed decimal); nullopt when it does not start with one.
std::optional<int> edgeFromValue(std::string_view value);

}  // namespace yav
