// The configuration save (Setup / "Save &Configuration", and at shutdown when save-on-exit is
// on): everything the frame keeps in the settings file, written in one go.
#pragma once
#include <string>

#include "ui/colour_settings.h"
#include "ui/font_settings.h"
#include "ui/layout_settings.h"
#include "ui/window_rects.h"

namespace yav {

// The frame's state at the moment of the save.
struct ConfigSnapshot {
  LayoutSnapshot layout;  // open windows, save-on-exit and the arrangement (`Tile`)
  ColourSet colours = defaultColours();
  FontSet fonts;
  WindowRects rects{};
  std::string sourcePath;
  std::string extensionPath;
  bool loadSymbolsOnly = false;
};

// Writes the layout keys and `Tile`, every colour, every font, every window rectangle, then
// `Path`, `ExtenPath` and `LOAD_SYMB_ONLY`. False when any write failed (the rest is still
// written).
bool saveConfiguration(const ConfigSnapshot& config);

}  // namespace yav
