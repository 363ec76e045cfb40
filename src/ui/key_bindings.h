// The function-key bindings: for each of F1..F12 the command ids of the plain key, Shift, Ctrl
// and Ctrl+Shift (0 unbound), kept in section `KeyBindings` under "<F1>".."<F12>".
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yav {

inline constexpr int kFunctionKeyCount = 12;
inline constexpr int kModifierColumns = 4;  // column = 1 for Shift + 2 for Ctrl

using BindingRow = std::array<int32_t, kModifierColumns>;

struct KeyBindings {
  std::array<BindingRow, kFunctionKeyCount> rows{};  // rows[0] is F1

  int32_t& at(int key, int column) { return rows[static_cast<size_t>(key)][static_cast<size_t>(column)]; }
  int32_t at(int key, int column) const { return rows[static_cast<size_t>(key)][static_cast<size_t>(column)]; }
  bool operator==(const KeyBindings&) const = default;
};

inline constexpr int modifierColumn(bool shift, bool ctrl) { return (shift ? 1 : 0) + (ctrl ? 2 : 0); }

// F1 plain bound to help on usage (13001), everything else unbound.
KeyBindings defaultKeyBindings();

// "<F1>" .. "<F12>" for key 0..11.
std::string functionKeyName(int key);

// The text of a combination: "<Shift>", then "<Ctrl>", then the key name, run together.
std::string keyText(int key, int column);

// The id a key sends with the current modifiers; 0 when unbound. `key` 0..11 is F1..F12.
int32_t boundCommand(const KeyBindings& b, int key, bool shift, bool ctrl);

// The key text of the first binding of `id`, searching F1 to F12 and within a row plain, Ctrl,
// Shift, Ctrl+Shift; empty when the id is unbound (or 0).
std::string keyTextOfCommand(const KeyBindings& b, int32_t id);

// A row as written: "%d,%d,%d,%d".
std::string bindingRowText(const BindingRow& row);

// Reads a row: four decimal ids separated by commas (blanks before a number allowed, anything
// after the fourth ignored). Nullopt when a number is missing or not a command id (0..65535).
std::optional<BindingRow> bindingRowFromValue(std::string_view value);

// Each key of the settings that holds a readable row replaces its row of `b`; the other rows
// are left as they are.
void readKeyBindings(KeyBindings& b);

// Writes the twelve rows; false when a write failed.
bool writeKeyBindings(const KeyBindings& b);

}  // namespace yav
