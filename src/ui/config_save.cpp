#include "ui/config_save.h"

#include "ui/option_settings.h"

namespace yav {

bool saveConfiguration(const ConfigSnapshot& config) {
  bool ok = writeLayout(config.layout);
  ok &= writeColours(config.colours);
  ok &= writeFonts(config.fonts);
  ok &= writeWindowRects(config.rects);
  ok &= writeSourcePath(config.sourcePath);
  ok &= writeExtensionPath(config.extensionPath);
  ok &= writeLoadSymbolsOnly(config.loadSymbolsOnly);
  return ok;
}

}  // namespace yav
