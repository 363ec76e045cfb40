// The fonts of the settings file (section `Fonts`, valid when `NEWFONTS` of `OPTIONS` is yes):
// one per window kind, read at start and written by the configuration save.
#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "ui/font_spec.h"

namespace yav {

inline constexpr std::string_view kFontSection = "Fonts";
inline constexpr size_t kFontCount = 8;

// The font keys in the order the configuration save writes them: "Assembler_Font",
// "Browser_Font", "Command_Font", "Memory_Font", "Monitor_Font", "Register_Font", "Source_Font",
// "Stack_Font". A FontSet is indexed the same way.
std::span<const std::string_view> fontKeys();

// The order they are read at start: Assembler, Command, Memory, Monitor, Register, Source,
// Stack, Browser (indexes into fontKeys()).
std::span<const size_t> fontReadOrder();

// Index of a key in fontKeys() (case-insensitive); nullopt when unknown.
std::optional<size_t> fontIndex(std::string_view key);

struct FontSet {
  std::array<FontSpec, kFontCount> fonts;
  std::array<bool, kFontCount> fromFile{};  // false: the built-in default stands in
};

// Reads every font when NEWFONTS begins with y/Y; a key that is absent or incomplete (and every
// key when NEWFONTS is not yes) gets the built-in default. Writes NEWFONTS "YES" afterwards:
// from now on the section holds the fonts that the configuration save writes.
FontSet readFonts();

// Writes every font under its key, in the save order; false when a write failed.
bool writeFonts(const FontSet& fonts);

}  // namespace yav
