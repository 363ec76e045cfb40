#include "ui/frame_settings.h"

#include "platform/ini.h"

namespace yav {

FrameStartSettings readFrameStartSettings() {
  FrameStartSettings s;
  s.arrangement = arrangementFromTile(platform::iniGet("Options", "Tile", "Cascade"));
  s.skipCodeDownload = readSkipCodeDownload();
  const uint16_t varFormat = varFormatCommand(platform::iniGet("Options", "VarFormat", "YES"));
  s.varFormatCommand = varFormat == 634 ? 0 : varFormat;
  s.loadSymbolsOnly = readLoadSymbolsOnly();
  s.intFormatCommand = intFormatCommand(platform::iniGet("Options", "DefIntFormat", "D"));
  s.autoShowCommand = readAutoShowCommand();
  s.sourcePath = readSourcePath();
  s.extensionPath = readExtensionPath();
  s.startFile = readStartFile();
  return s;
}

}  // namespace yav
