// A font as the settings file describes it: the platform's logical-font fields and a face name.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace yav {

struct FontSpec {
  int height = 0;  // < 0: character height in pixels; > 0: cell height in pixels; 0: default size
  int width = 0;   // average character width, 0: chosen from the height
  int escapement = 0;
  int orientation = 0;
  int weight = 0;  // 0 default, 400 normal, 700 bold (100..900)
  int italic = 0;
  int underline = 0;
  int strikeOut = 0;
  int charSet = 0;
  int outPrecision = 0;
  int clipPrecision = 0;
  int quality = 0;
  int pitchAndFamily = 0;  // low two bits: 1 fixed pitch, 2 variable pitch; bits 4..7 the family
  std::string faceName;

  bool operator==(const FontSpec&) const = default;
};

inline constexpr int kFixedPitch = 1;
inline constexpr int kVariablePitch = 2;
inline constexpr int kFamilyModern = 0x30;  // fixed-width faces

// The thirteen numbers, each followed by a comma, then the face name.
std::string fontValueText(const FontSpec& f);

// Reads a value written by fontValueText. Reading stops at the first field not followed by a
// comma: an entry with fewer than thirteen numbers, or a number that does not fit, counts as
// absent (nullopt).
std::optional<FontSpec> fontFromValue(std::string_view value);

// The font used where the settings name none: a fixed-pitch face 13 pixels high.
FontSpec defaultFontSpec();

}  // namespace yav
