// The recently loaded files (section `Files`, keys "1" to "5", newest first) and the File-menu
// items that offer them (ids 180..184).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace yav {

inline constexpr size_t kRecentFileCount = 5;
inline constexpr uint16_t kFirstRecentFileItem = 180;
inline constexpr uint16_t kLastRecentFileItem = 184;

// Keys "1" upward while they hold a name (at most five).
std::vector<std::string> recentFiles();

// Puts `file` first; the others that differ from it keep their order behind it, the oldest
// dropping out beyond five. An empty name, or one that a settings line cannot hold (a line
// break in it), is not recorded. False when a write failed.
bool addRecentFile(std::string_view file);

// The items appended to the File menu (after one separator) while it is open: entry n as id
// 179 + n with the text "&" n " " name.
struct RecentFileItem {
  uint16_t id;
  std::string text;
};
std::vector<RecentFileItem> recentFileMenuItems();

// The file an item 180..184 loads (as command 102): key id - 131 as a character ("1".."5"),
// "ERROR.C" when the key is absent.
std::string recentFileForItem(uint16_t id);

}  // namespace yav
