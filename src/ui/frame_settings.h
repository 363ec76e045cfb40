// The frame's own keys of the settings file, read at start: the arrangement of the MDI
// children (`Tile`) and the auto-show of the command window (`AUTOCMD`).
#pragma once
#include <cstdint>
#include <string_view>

namespace yav {

// `Tile` by its first letter: h/H horizontal tile (191), v/V vertical tile (192), f/F free
// (193), anything else cascade (190).
uint16_t arrangementFromTile(std::string_view value);

struct FrameStartSettings {
  uint16_t arrangement = 190;
  bool autoShowCommand = false;  // AUTOCMD starting with y/Y
};

FrameStartSettings readFrameStartSettings();

}  // namespace yav
