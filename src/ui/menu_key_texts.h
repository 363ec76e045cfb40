// Key texts in the menu: a bound command's item shows its key after the right-alignment marker
// ("&Go\t<F5>"). Computed from the binding table before and after a change.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/frame_menu.h"
#include "ui/key_bindings.h"

namespace yav {

// The marker that starts the right-aligned part of a menu text.
inline constexpr char kMenuKeyMarker = '\t';

// `text` cut at the marker, then (unless `keyText` is empty) the marker and `keyText`.
std::string menuTextWithKey(std::string_view text, std::string_view keyText);

// The current text of the menu item carrying an id; nullopt when no item has it.
using MenuTextLookup = std::function<std::optional<std::string>(uint16_t id)>;

// A lookup over the menu table (the first item of each id).
MenuTextLookup menuTableLookup(const std::vector<MenuNode>& menu);

struct MenuTextChange {
  uint16_t id;
  std::string keyText;  // empty: the item shows no key
  std::string text;     // the looked-up item text with that key text
};

// The text of the item of `id` with the key text of its command in `b`; nullopt when no item
// carries the id.
std::optional<MenuTextChange> menuKeyText(const KeyBindings& b, int32_t id, const MenuTextLookup& lookup);

// For each combination whose id differs between `before` and `after`, the items of the old and
// the new id get the key text of their command in `after` (none when it is no longer bound).
// Ids without a menu item are left out; each id appears once. A frame whose menu holds an id
// in several items applies menuTextWithKey(itemText, keyText) to each of them.
std::vector<MenuTextChange> menuKeyTextChanges(const KeyBindings& before, const KeyBindings& after,
                                               const MenuTextLookup& lookup);

// At start: the menu table's texts show the built-in bindings, so the changes are those from
// the built-in table to the loaded one.
std::vector<MenuTextChange> startMenuKeyTexts(const KeyBindings& loaded, const MenuTextLookup& lookup);

}  // namespace yav
