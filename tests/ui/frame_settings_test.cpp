#include "ui/frame_settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/ini.h"
#include "ui/edit_filters.h"

namespace yav {
namespace {

TEST(FrameSettings, TileByItsFirstLetter) {
  struct Case {
    const char* value;
    uint16_t mode;
  };
  const Case cases[] = {
      {"HORIZONTAL", 191}, {"horizontal", 191}, {"Vertical", 192}, {"v", 192}, {"FREE", 193},
      {"f", 193},          {"CASCADE", 190},    {"xyz", 190},      {"", 190},  {" vertical", 190},
  };
  for (const Case& c : cases) EXPECT_EQ(arrangementFromTile(c.value), c.mode) << c.value;
}

TEST(FrameSettings, ReadFromTheSettingsFile) {
  const auto ini = std::filesystem::temp_directory_path() / ("yav-frame-settings-" + std::to_string(::getpid()) + ".ini");
  std::filesystem::remove(ini);
  ::setenv("YAV_INI", ini.c_str(), 1);
  FrameStartSettings s = readFrameStartSettings();
  EXPECT_EQ(s.arrangement, 190);
  EXPECT_FALSE(s.autoShowCommand);
  struct Case {
    const char* tile;
    const char* autoCmd;
    uint16_t mode;
    bool autoShow;
  };
  const Case cases[] = {{"VERTICAL", "YES", 192, true}, {"Free", "y", 193, true}, {"Horizontal", "NO", 191, false},
                        {"other", "maybe", 190, false}};
  for (const Case& c : cases) {
    ASSERT_TRUE(platform::iniSet("Options", "Tile", c.tile));
    ASSERT_TRUE(platform::iniSet("OPTIONS", "AUTOCMD", c.autoCmd));
    s = readFrameStartSettings();
    EXPECT_EQ(s.arrangement, c.mode) << c.tile;
    EXPECT_EQ(s.autoShowCommand, c.autoShow) << c.autoCmd;
  }
  std::filesystem::remove(ini);
}

TEST(EditFilters, CharactersEachKindTakes) {
  struct Case {
    EditKind kind;
    const char* accepted;
    const char* refused;
  };
  const Case cases[] = {
      {EditKind::General, "0123456789abcdefABCDEFxX%$\b\t", "gG?-+ .z"},
      {EditKind::Hex, "0123456789abcdefABCDEFxX\b", "%$?gG -"},
      {EditKind::Mask, "09afAFxX?\b", "%$gG -"},
      {EditKind::Number, "0123456789\b\x7f", "aAxX?-+ "},
      {EditKind::ReadOnly, "", "0aX\b?"},
  };
  for (const Case& c : cases) {
    for (const char* p = c.accepted; *p; ++p) EXPECT_TRUE(editAccepts(c.kind, *p)) << int(c.kind) << " " << *p;
    for (const char* p = c.refused; *p; ++p) EXPECT_FALSE(editAccepts(c.kind, *p)) << int(c.kind) << " " << *p;
  }
  EXPECT_TRUE(editBeepsOnRefusal(EditKind::Hex));
  EXPECT_FALSE(editBeepsOnRefusal(EditKind::ReadOnly));
}

}  // namespace
}  // namespace yav
