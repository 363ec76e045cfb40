// The text of the window records in session and layout files: rectangles "l,t,r,b", window
// values "YES,l,t,r,b" or "NO", memory window records "D,addr,s1,s2,s3,s4,l,t,r,b" and
// "C,addr,l,t,r,b", the arrangement words of `Tile`; and the `Options` `Tile`, `Windows` and
// `Data` sections as a whole. Reading never fails on bad text: a malformed value is left out
// and named in the problems.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/window_layout.h"

namespace yav {

std::string rectText(const WindowRect& r);
// Four signed decimal numbers separated by commas (blanks around a number allowed); none when
// a field is missing, empty, not a number, out of range, or when more follows.
std::optional<WindowRect> parseRect(std::string_view text);

// "YES," and the rectangle when open ("YES" alone without one), "NO" when closed.
std::string placementText(const WindowPlacement& p);
// A missing value leaves the window unchanged; one beginning with y/Y opens it, at the
// rectangle after the first comma when that one is sound; any other value closes it. `sound`
// is set false when the value asks for a rectangle that does not parse.
WindowPlacement parsePlacement(const std::optional<std::string>& value, bool& sound);

std::string memoryRecordText(const MemoryWindowRecord& m);
// "D" or "C" (either case), the address in hexadecimal (1 to 8 digits), then four decimal
// settings for a data window, then the rectangle; none when any field is wrong.
std::optional<MemoryWindowRecord> parseMemoryRecord(std::string_view text);

// `Tile` as written: 191 "HORIZONTAL", 192 "VERTICAL", 193 "FREE", anything else "CASCADE".
std::string_view tileText(uint16_t arrangement);
// `Tile` by its first letter: h/H horizontal tile (191), v/V vertical tile (192), f/F free
// (193), anything else cascade (190).
uint16_t arrangementFromTile(std::string_view value);

// Writes `Options` `Tile` and the `Windows` keys of `layout` into the profile text, and with
// `withMemory` the `Data` records numbered from 1.
std::string writeWindowLayout(std::string text, const WindowLayout& layout, bool withMemory);

// Reads the same back; with `withMemory` the `Data` records, keys from 1 up to the first missing
// one. Values that do not parse are left out and described, one line each, in `problems`.
WindowLayout readWindowLayout(std::string_view text, bool withMemory, std::vector<std::string>& problems);

}  // namespace yav
