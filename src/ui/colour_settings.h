// The colours of the settings file (section `Colors`): one table of keys, defaults and comments,
// read at start and written by the configuration save; and the colour table of the syntax
// colouring, indexed by token class.
#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "ui/settings_values.h"

namespace yav {

inline constexpr std::string_view kColourSection = "Colors";

struct ColourKey {
  std::string_view key;
  Rgb defaultColour;
  std::string_view comment;  // the text inside the C comment written after the value
  int tokenClass;            // slot in the syntax colour table, -1 when the colour has none
};

inline constexpr size_t kColourCount = 14;

// The fourteen colour keys in the order they are written.
std::span<const ColourKey> colourKeys();

// Index of a key in colourKeys() (case-insensitive); nullopt when unknown.
std::optional<size_t> colourIndex(std::string_view key);

// One colour per entry of colourKeys().
using ColourSet = std::array<Rgb, kColourCount>;

ColourSet defaultColours();

// Each key of the file that starts with a number replaces its default.
ColourSet readColours();

// Writes every colour with its comment; false when a write failed.
bool writeColours(const ColourSet& colours);

// Syntax colouring: the colour of each token class. Classes 5, 6, 7, 10, 11, 14, 16, 17 and 18
// take the colours of the keys; the others are fixed (2 and 12 red, 3 blue, 4 dark green,
// 8 brown, 9 orange, 13 green, 15 grey, the rest black).
inline constexpr size_t kTokenClassCount = 19;
std::array<Rgb, kTokenClassCount> tokenColours(const ColourSet& colours);

}  // namespace yav
