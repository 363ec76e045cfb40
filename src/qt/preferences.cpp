#include "qt/preferences.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <algorithm>
#include <cmath>

namespace yav {

QColor colourFromRgb(Rgb colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

Rgb rgbFromColour(const QColor& colour) {
  const QColor c = colour.toRgb();
  return static_cast<Rgb>(c.red()) | static_cast<Rgb>(c.green()) << 8 | static_cast<Rgb>(c.blue()) << 16;
}

QFont fontFromSpec(const FontSpec& spec) {
  const bool fixed = (spec.pitchAndFamily & 3) == kFixedPitch || (spec.pitchAndFamily & 0xF0) == kFamilyModern;
  QFont font = spec.faceName.empty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                     : QFont(QString::fromStdString(spec.faceName));
  if (fixed) {
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
  }
  // Pixel sizes beyond a few hundred are a damaged entry, not a font anyone reads.
  if (spec.height != 0) font.setPixelSize(std::clamp(std::abs(spec.height), 1, 500));
  if (spec.weight > 0) font.setWeight(static_cast<QFont::Weight>(std::clamp(spec.weight, 100, 900)));
  font.setItalic(spec.italic != 0);
  font.setUnderline(spec.underline != 0);
  font.setStrikeOut(spec.strikeOut != 0);
  // A fixed-pitch description whose face is missing gets the system's fixed font rather than
  // a proportional substitute.
  if (fixed && !QFontInfo(font).fixedPitch()) {
    QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    system.setPixelSize(font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(system).pixelSize());
    system.setWeight(font.weight());
    system.setItalic(font.italic());
    system.setUnderline(font.underline());
    system.setStrikeOut(font.strikeOut());
    return system;
  }
  return font;
}

FontSpec specFromFont(const QFont& font) {
  FontSpec spec;
  const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
  spec.height = -pixels;
  spec.weight = static_cast<int>(font.weight());
  spec.italic = font.italic() ? 1 : 0;
  spec.underline = font.underline() ? 1 : 0;
  spec.strikeOut = font.strikeOut() ? 1 : 0;
  spec.pitchAndFamily = QFontInfo(font).fixedPitch() ? (kFixedPitch | kFamilyModern) : kVariablePitch;
  spec.faceName = font.family().toStdString();
  return spec;
}

Preferences Preferences::read() {
  Preferences p;
  p.colours = readColours();
  p.fonts = readFonts();
  return p;
}

QColor Preferences::colour(std::string_view key) const {
  const auto i = colourIndex(key);
  return i ? colourFromRgb(colours[*i]) : QColor(Qt::black);
}

QFont Preferences::font(std::string_view key) const {
  const auto i = fontIndex(key);
  return fontFromSpec(i ? fonts.fonts[*i] : defaultFontSpec());
}

}  // namespace yav
