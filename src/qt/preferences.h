// The settings file's colours and fonts as Qt takes them: a platform colour (0x00BBGGRR) as a
// QColor and back, a font description as a QFont and back.
#pragma once
#include <QColor>
#include <QFont>

#include <string_view>

#include "ui/colour_settings.h"
#include "ui/font_settings.h"
#include "ui/font_spec.h"
#include "ui/settings_values.h"

namespace yav {

QColor colourFromRgb(Rgb colour);
Rgb rgbFromColour(const QColor& colour);

// The described font; a description that names no usable face falls back to the system's
// fixed-pitch font.
QFont fontFromSpec(const FontSpec& spec);
// The description written for a font: its pixel height (negative: character height), weight,
// italic, underline, strike-out, pitch and face name.
FontSpec specFromFont(const QFont& font);

// The colours and fonts the frame hands to its views by settings key.
struct Preferences {
  ColourSet colours = defaultColours();
  FontSet fonts;

  // The `Colors` and `Fonts` sections as start-up reads them.
  static Preferences read();

  // By key ("BkptOn", "Source_Font" ...); an unknown key gives black and the built-in font.
  QColor colour(std::string_view key) const;
  QFont font(std::string_view key) const;
};

}  // namespace yav
