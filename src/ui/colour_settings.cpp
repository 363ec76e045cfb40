#include "ui/colour_settings.h"

#include <string>

#include "platform/ini.h"
#include "ui/settings_values.h"

namespace yav {

namespace {

constexpr ColourKey kColours[kColourCount] = {
    {"Assembler", 0x00ffff, "Color for Assembler Highlihgt", -1},
    {"BkptOn", 0x0000ff, "Color for Active Breakpoints", -1},
    {"BkptOff", 0x00ff00, "Color for Suspended Breakpoints", -1},
    {"Source", 0xff0000, "Color for Source Highlight", -1},
    {"Instruction", 0xff0000, "Color for Instruction Highlight", -1},
    {"C_Keyword", 0xff0000, "Color for C Keywords", 5},
    {"C_Library", 0x0000ff, "Color for C Library functions", 6},
    {"Comments", 0x008000, "Color for C Comments", 7},
    {"Memory", 0x0000ff, "Color for Memory Data Window Highlight", 10},
    {"Assembler_Mnemonics", 0x0000ff, "Color for Instruction Mnemonics Highlight", 11},
    {"Preprocessor", 0x828282, "Color for Preprocessor Directives", 14},
    {"Defines", 0x004080, "Color for Defines", 16},
    {"Typedefs", 0x4080ff, "Color for Typedefs", 17},
    {"Search", 0x00ff00, "Color for Search", 18},
};

struct FixedTokenColour {
  int tokenClass;
  Rgb colour;
};

constexpr FixedTokenColour kFixedTokenColours[] = {
    {2, 0x0000ff}, {12, 0x0000ff}, {3, 0xff0000}, {4, 0x008000},
    {8, 0x004080}, {9, 0x0080ff}, {13, 0x00ff00}, {15, 0x808080},
};

}  // namespace

std::span<const ColourKey> colourKeys() { return kColours; }

std::optional<size_t> colourIndex(std::string_view key) {
  for (size_t i = 0; i < kColourCount; ++i) {
    if (sameSettingsName(kColours[i].key, key)) return i;
  }
  return std::nullopt;
}

ColourSet defaultColours() {
  ColourSet c{};
  for (size_t i = 0; i < kColourCount; ++i) c[i] = kColours[i].defaultColour;
  return c;
}

ColourSet readColours() {
  ColourSet c = defaultColours();
  for (size_t i = 0; i < kColourCount; ++i) {
    if (const auto v = colourFromValue(platform::iniGet(kColourSection, kColours[i].key, ""))) c[i] = *v;
  }
  return c;
}

bool writeColours(const ColourSet& colours) {
  bool ok = true;
  for (size_t i = 0; i < kColourCount; ++i)
    ok &= platform::iniSet(kColourSection, kColours[i].key, colourValueText(colours[i], kColours[i].comment));
  return ok;
}

std::array<Rgb, kTokenClassCount> tokenColours(const ColourSet& colours) {
  std::array<Rgb, kTokenClassCount> t{};
  for (const FixedTokenColour& f : kFixedTokenColours) t[static_cast<size_t>(f.tokenClass)] = f.colour;
  for (size_t i = 0; i < kColourCount; ++i)
    if (kColours[i].tokenClass >= 0) t[static_cast<size_t>(kColours[i].tokenClass)] = colours[i];
  return t;
}

}  // namespace yav
