// The frame's main menu "MDIYAVMENU" and its toolbar, as data. The Qt layer builds its menu bar
// and toolbar from these tables; ids are the frame's command ids.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace yav {

enum class MenuKind : uint8_t { Popup, Item, Separator };

enum MenuState : uint8_t {
  kMenuTicked = 1,
  kMenuDisabled = 2,
};

// One row of the menu table: rows at depth d + 1 after a Popup row at depth d are its entries.
// In a text, '&' marks the mnemonic and '\t' starts the right-aligned part (key names).
struct MenuRow {
  uint8_t depth;
  MenuKind kind;
  std::string_view text;
  uint16_t id;
  uint8_t state;
};

std::span<const MenuRow> mainMenuRows();

// The same menu as a tree.
struct MenuNode {
  MenuKind kind = MenuKind::Item;
  std::string text;
  uint16_t id = 0;
  bool ticked = false;
  bool disabled = false;
  std::vector<MenuNode> children;
};

std::vector<MenuNode> mainMenu();

// The first item with this id, searched depth first; null when there is none.
const MenuNode* findMenuItem(const std::vector<MenuNode>& menu, uint16_t id);

// The item's text as shown: the '&' markers removed ("&&" stays one '&').
std::string menuTextWithoutMarkers(std::string_view text);

// Toolbar buttons in order; id 0 is a separator.
struct ToolbarEntry {
  uint16_t id;
  std::string_view image;  // bitmap resource name
  bool check;              // shows the toggle state of its window
  std::string_view tooltip;
};

std::span<const ToolbarEntry> toolbarEntries();

// Tooltip for a toolbar id (also the extensions' terminal button 1200); empty when unknown.
std::string_view toolbarTooltip(uint16_t id);

}  // namespace yav
