#include "ui/font_spec.h"

#include "ui/settings_values.h"

namespace yav {

namespace {

std::array<int*, 13> numbers(FontSpec& f) {
  return {&f.height, &f.width, &f.escapement, &f.orientation, &f.weight, &f.italic, &f.underline,
          &f.strikeOut, &f.charSet, &f.outPrecision, &f.clipPrecision, &f.quality, &f.pitchAndFamily};
}

}  // namespace

std::string fontValueText(const FontSpec& f) {
  FontSpec copy = f;
  std::string text;
  for (int* n : numbers(copy)) text += std::to_string(*n) + ",";
  return text + f.faceName;
}

std::optional<FontSpec> fontFromValue(std::string_view value) {
  FontSpec f;
  for (int* n : numbers(f)) {
    const size_t comma = value.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::string_view field = value.substr(0, comma);
    // The whole field is the number: "12x," is not a font field.
    if (signedDecimalLength(field) != field.size() || field.empty()) return std::nullopt;
    const auto v = leadingNumber(field, 10);
    if (!v || *v < INT32_MIN || *v > INT32_MAX) return std::nullopt;
    *n = static_cast<int>(*v);
    value.remove_prefix(comma + 1);
  }
  f.faceName = std::string(value);
  return f;
}

FontSpec defaultFontSpec() {
  FontSpec f;
  f.height = -13;
  f.weight = 400;
  f.pitchAndFamily = kFixedPitch | kFamilyModern;
  f.faceName = "Monospace";
  return f;
}

}  // namespace yav
