#include "ui/recent_files.h"

#include "platform/ini.h"

namespace yav {

namespace {

constexpr std::string_view kSection = "Files";
constexpr size_t kNameChars = 511;  // entries are read into a buffer of 512 characters

std::string keyOf(size_t n) { return std::to_string(n); }

}  // namespace

std::vector<std::string> recentFiles() {
  std::vector<std::string> files;
  for (size_t n = 1; n <= kRecentFileCount; ++n) {
    std::string name = platform::iniGet(kSection, keyOf(n), "", kNameChars);
    if (name.empty()) break;
    files.push_back(std::move(name));
  }
  return files;
}

bool addRecentFile(std::string_view file) {
  if (file.empty() || file.find_first_of("\r\n") != std::string_view::npos) return false;
  std::vector<std::string> kept;
  for (std::string& old : recentFiles())
    if (old != file && kept.size() < kRecentFileCount - 1) kept.push_back(std::move(old));
  bool ok = platform::iniSet(kSection, keyOf(1), file);
  for (size_t i = 0; i < kept.size(); ++i) ok &= platform::iniSet(kSection, keyOf(i + 2), kept[i]);
  return ok;
}

std::vector<RecentFileItem> recentFileMenuItems() {
  std::vector<RecentFileItem> items;
  const std::vector<std::string> files = recentFiles();
  for (size_t i = 0; i < files.size(); ++i) {
    const size_t n = i + 1;
    items.push_back({static_cast<uint16_t>(kFirstRecentFileItem - 1 + n), "&" + keyOf(n) + " " + files[i]});
  }
  return items;
}

std::string recentFileForItem(uint16_t id) {
  if (id < kFirstRecentFileItem || id > kLastRecentFileItem) return "ERROR.C";
  const char key[2] = {static_cast<char>(id - 131), '\0'};
  return platform::iniGet(kSection, key, "ERROR.C", kNameChars);
}

}  // namespace yav
