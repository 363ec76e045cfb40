// The frame's own keys of the settings file, read at start: the arrangement of the MDI
// children (`Tile`) and the auto-show of the command window (`AUTOCMD`).
#pragma once
#include <cstdint>
#include <string_view>

#include "engine/window_layout_text.h"  // arrangementFromTile: `Tile` read the same way as in layout files

namespace yav {

struct FrameStartSettings {
  uint16_t arrangement = 190;
  bool autoShowCommand = false;  // AUTOCMD starting with y/Y
};

FrameStartSettings readFrameStartSettings();

}  // namespace yav
