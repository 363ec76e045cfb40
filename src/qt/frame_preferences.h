// The colours and fonts the views paint with, as the settings file and the Setup menu leave them.
#pragma once
#include <QColor>
#include <QFont>
#include <map>
#include <string>
#include <string_view>

namespace yav {

class FramePreferences {
 public:
  QColor colour(std::string_view key) const;
  QFont font(std::string_view key) const;
  void setColour(std::string_view key, const QColor& c) { colours_[std::string(key)] = c; }
  void setFont(std::string_view key, const QFont& f) { fonts_[std::string(key)] = f; }

 private:
  std::map<std::string, QColor, std::less<>> colours_;
  std::map<std::string, QFont, std::less<>> fonts_;
};

}  // namespace yav
