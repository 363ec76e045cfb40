#include "qt/frame_preferences.h"

#include <QFontDatabase>

namespace yav {

QColor FramePreferences::colour(std::string_view key) const {
  auto it = colours_.find(key);
  return it == colours_.end() ? QColor(Qt::black) : it->second;
}

QFont FramePreferences::font(std::string_view key) const {
  auto it = fonts_.find(key);
  return it == fonts_.end() ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : it->second;
}

}  // namespace yav
