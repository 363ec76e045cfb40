#include "ui/key_bindings.h"

#include "platform/ini.h"
#include "ui/settings_values.h"

namespace yav {

namespace {

constexpr std::string_view kSection = "KeyBindings";

// Order in which a command's key text is searched within a row: plain, Ctrl, Shift, both.
constexpr int kTextSearchColumns[kModifierColumns] = {0, 2, 1, 3};

}  // namespace

KeyBindings defaultKeyBindings() {
  KeyBindings b;
  b.at(0, 0) = 13001;
  return b;
}

std::string functionKeyName(int key) { return "<F" + std::to_string(key + 1) + ">"; }

std::string keyText(int key, int column) {
  std::string text;
  if (column & 1) text += "<Shift>";
  if (column & 2) text += "<Ctrl>";
  return text + functionKeyName(key);
}

int32_t boundCommand(const KeyBindings& b, int key, bool shift, bool ctrl) {
  if (key < 0 || key >= kFunctionKeyCount) return 0;
  return b.at(key, modifierColumn(shift, ctrl));
}

std::string keyTextOfCommand(const KeyBindings& b, int32_t id) {
  if (id == 0) return {};
  for (int key = 0; key < kFunctionKeyCount; ++key)
    for (int column : kTextSearchColumns)
      if (b.at(key, column) == id) return keyText(key, column);
  return {};
}

std::string bindingRowText(const BindingRow& row) {
  return std::to_string(row[0]) + "," + std::to_string(row[1]) + "," + std::to_string(row[2]) + "," +
         std::to_string(row[3]);
}

std::optional<BindingRow> bindingRowFromValue(std::string_view value) {
  BindingRow row{};
  for (int i = 0; i < kModifierColumns; ++i) {
    if (i > 0) {
      if (value.empty() || value.front() != ',') return std::nullopt;
      value.remove_prefix(1);
    }
    const size_t n = signedDecimalLength(value);
    const auto v = leadingNumber(value.substr(0, n), 10);
    if (!v || *v < 0 || *v > 0xFFFF) return std::nullopt;
    row[static_cast<size_t>(i)] = static_cast<int32_t>(*v);
    value.remove_prefix(n);
  }
  return row;
}

void readKeyBindings(KeyBindings& b) {
  for (int key = 0; key < kFunctionKeyCount; ++key) {
    if (const auto row = bindingRowFromValue(platform::iniGet(kSection, functionKeyName(key), "")))
      b.rows[static_cast<size_t>(key)] = *row;
  }
}

bool writeKeyBindings(const KeyBindings& b) {
  bool ok = true;
  for (int key = 0; key < kFunctionKeyCount; ++key)
    ok &= platform::iniSet(kSection, functionKeyName(key), bindingRowText(b.rows[static_cast<size_t>(key)]));
  return ok;
}

}  // namespace yav
