#include "ui/menu_key_texts.h"

#include <algorithm>
#include <memory>

namespace yav {

std::string menuTextWithKey(std::string_view text, std::string_view keyText) {
  std::string result(text.substr(0, text.find(kMenuKeyMarker)));
  if (!keyText.empty()) {
    result += kMenuKeyMarker;
    result += keyText;
  }
  return result;
}

MenuTextLookup menuTableLookup(const std::vector<MenuNode>& menu) {
  auto shared = std::make_shared<const std::vector<MenuNode>>(menu);
  return [shared](uint16_t id) -> std::optional<std::string> {
    if (const MenuNode* item = findMenuItem(*shared, id)) return item->text;
    return std::nullopt;
  };
}

std::optional<MenuTextChange> menuKeyText(const KeyBindings& b, int32_t id, const MenuTextLookup& lookup) {
  if (id <= 0 || id > 0xFFFF) return std::nullopt;
  const auto text = lookup(static_cast<uint16_t>(id));
  if (!text) return std::nullopt;
  std::string key = keyTextOfCommand(b, id);
  std::string shown = menuTextWithKey(*text, key);
  return MenuTextChange{static_cast<uint16_t>(id), std::move(key), std::move(shown)};
}

std::vector<MenuTextChange> menuKeyTextChanges(const KeyBindings& before, const KeyBindings& after,
                                               const MenuTextLookup& lookup) {
  std::vector<int32_t> ids;
  for (int key = 0; key < kFunctionKeyCount; ++key) {
    for (int column = 0; column < kModifierColumns; ++column) {
      const int32_t oldId = before.at(key, column), newId = after.at(key, column);
      if (oldId == newId) continue;
      for (int32_t id : {oldId, newId})
        if (id != 0 && std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
    }
  }
  std::vector<MenuTextChange> changes;
  for (int32_t id : ids)
    if (auto change = menuKeyText(after, id, lookup)) changes.push_back(std::move(*change));
  return changes;
}

std::vector<MenuTextChange> startMenuKeyTexts(const KeyBindings& loaded, const MenuTextLookup& lookup) {
  return menuKeyTextChanges(defaultKeyBindings(), loaded, lookup);
}

}  // namespace yav
