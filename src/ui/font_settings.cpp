#include "ui/font_settings.h"

#include "platform/ini.h"
#include "ui/settings_values.h"

namespace yav {

namespace {

constexpr std::string_view kFontKeys[kFontCount] = {
    "Assembler_Font", "Browser_Font", "Command_Font", "Memory_Font",
    "Monitor_Font",   "Register_Font", "Source_Font",  "Stack_Font",
};

constexpr size_t kReadOrder[kFontCount] = {0, 2, 3, 4, 5, 6, 7, 1};

}  // namespace

std::span<const std::string_view> fontKeys() { return kFontKeys; }
std::span<const size_t> fontReadOrder() { return kReadOrder; }

std::optional<size_t> fontIndex(std::string_view key) {
  for (size_t i = 0; i < kFontCount; ++i) {
    if (sameSettingsName(kFontKeys[i], key)) return i;
  }
  return std::nullopt;
}

FontSet readFonts() {
  FontSet set;
  const bool valid = yesByFirstLetter(platform::iniGet("OPTIONS", "NEWFONTS", ""));
  for (size_t i : kReadOrder) {
    std::optional<FontSpec> f;
    if (valid) f = fontFromValue(platform::iniGet(kFontSection, kFontKeys[i], ""));
    set.fromFile[i] = f.has_value();
    set.fonts[i] = f ? *f : defaultFontSpec();
  }
  platform::iniSet("OPTIONS", "NEWFONTS", "YES");
  return set;
}

bool writeFonts(const FontSet& fonts) {
  bool ok = true;
  for (size_t i = 0; i < kFontCount; ++i) ok &= platform::iniSet(kFontSection, kFontKeys[i], fontValueText(fonts.fonts[i]));
  return ok;
}

}  // namespace yav
