// The Setup menu's font and colour items: which settings key each command id changes.
#pragma once
#include <cstdint>
#include <string_view>

namespace yav {

// Setup / Fonts: the font key of an id 401..409 ("Source_Font" ...); empty for "A&ll" (407),
// which changes every font, and for ids outside the menu.
std::string_view fontKeyForCommand(uint16_t id);
inline constexpr uint16_t kCmdAllFonts = 407;
inline bool isFontCommand(uint16_t id) { return id >= 401 && id <= 409; }

// Setup / Colors: the colour key of an id 411..426 ("Source", "BkptOn" ...); empty when none.
std::string_view colourKeyForCommand(uint16_t id);

}  // namespace yav
