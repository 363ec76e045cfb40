// What the frame reads from the settings file while it starts, in one record: the arrangement
// of the MDI children, the load options, the variable and integer formats, the auto-show of the
// command window, the paths and the start command file.
#pragma once
#include <cstdint>
#include <string>

#include "ui/option_settings.h"

namespace yav {

struct FrameStartSettings {
  uint16_t arrangement = 190;      // `Tile`: applied once the windows exist
  bool skipCodeDownload = false;   // `Code` of `Load` beginning with N
  uint16_t varFormatCommand = 0;   // `VarFormat`: 633 or 635 to send; 0 leaves the standard format
  bool loadSymbolsOnly = false;    // `LOAD_SYMB_ONLY`: send command 110
  uint16_t intFormatCommand = 460; // `DefIntFormat`: one of 460..463, always sent
  bool autoShowCommand = false;    // `AUTOCMD` starting with y/Y
  std::string sourcePath;          // `Path`
  std::string extensionPath;       // `ExtenPath`
  std::string startFile;           // `STARTFILE`: run at the end of start-up unless -i was given
};

FrameStartSettings readFrameStartSettings();

}  // namespace yav
