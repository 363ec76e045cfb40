#include "ui/keybind_dialog.h"

namespace yav {

KeyBindModel::KeyBindModel(KeyBindings& table, MenuTextLookup lookup)
    : table_(table), previous_(table), lookup_(std::move(lookup)) {}

std::string KeyBindModel::keyFieldText() const { return key_ ? keyText(*key_, column()) : std::string(); }

void KeyBindModel::showBinding() { list_ = key_ ? bindableIndex(table_.at(*key_, column())) : std::nullopt; }

void KeyBindModel::selectKey(int key) {
  if (key < 0 || key >= kFunctionKeyCount) return;
  key_ = key;
  showBinding();
}

void KeyBindModel::setShift(bool on) {
  shift_ = on;
  showBinding();
}

void KeyBindModel::setCtrl(bool on) {
  ctrl_ = on;
  showBinding();
}

std::string KeyBindModel::chooseCommand(std::optional<size_t> index) {
  if (!key_) {
    list_.reset();
    return std::string(kNoKeySelected);
  }
  list_ = index && *index < commands().size() ? index : std::nullopt;
  return {};
}

void KeyBindModel::addChanges(std::vector<MenuTextChange> changes) {
  for (MenuTextChange& c : changes) menuChanges_.push_back(std::move(c));
}

std::string KeyBindModel::set() {
  if (!key_) return std::string(kNoKeySelected);
  if (!list_) return {};
  const int32_t old = table_.at(*key_, column());
  table_.at(*key_, column()) = commands()[*list_].id;
  // Only the replaced command's item changes now (it keeps the text of another key bound to
  // it, if any); the new one shows its key once the dialog closes.
  if (old != 0 && old != table_.at(*key_, column()))
    if (auto change = menuKeyText(table_, old, lookup_)) menuChanges_.push_back(std::move(*change));
  return {};
}

std::string KeyBindModel::clear() {
  if (!key_) return std::string(kNoKeySelected);
  table_.at(*key_, column()) = 0;
  showBinding();
  return {};
}

void KeyBindModel::close() { addChanges(menuKeyTextChanges(previous_, table_, lookup_)); }

void KeyBindModel::cancel() {
  const KeyBindings edited = table_;
  table_ = previous_;
  addChanges(menuKeyTextChanges(edited, table_, lookup_));
}

}  // namespace yav
