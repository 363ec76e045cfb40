#include "ui/frame_settings.h"

#include "platform/ini.h"

namespace yav {

FrameStartSettings readFrameStartSettings() {
  FrameStartSettings s;
  s.arrangement = arrangementFromTile(platform::iniGet("Options", "Tile", "Cascade"));
  const std::string autoCmd = platform::iniGet("OPTIONS", "AUTOCMD", "NO");
  s.autoShowCommand = !autoCmd.empty() && (autoCmd[0] == 'y' || autoCmd[0] == 'Y');
  return s;
}

}  // namespace yav
