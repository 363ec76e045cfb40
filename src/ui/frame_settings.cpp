#include "ui/frame_settings.h"

#include "platform/ini.h"
#include "ui/frame_commands.h"

namespace yav {

uint16_t arrangementFromTile(std::string_view value) {
  switch (value.empty() ? '\0' : value.front()) {
    case 'h': case 'H': return kCmdTileHorizontal;
    case 'v': case 'V': return kCmdTileVertical;
    case 'f': case 'F': return kCmdFree;
    default: return kCmdCascade;
  }
}

FrameStartSettings readFrameStartSettings() {
  FrameStartSettings s;
  s.arrangement = arrangementFromTile(platform::iniGet("Options", "Tile", "Cascade"));
  const std::string autoCmd = platform::iniGet("OPTIONS", "AUTOCMD", "NO");
  s.autoShowCommand = !autoCmd.empty() && (autoCmd[0] == 'y' || autoCmd[0] == 'Y');
  return s;
}

}  // namespace yav
