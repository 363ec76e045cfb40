// The commands a function key can be bound to, in the order the key-binding dialog lists them.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace yav {

struct BindableCommand {
  uint16_t id;
  std::string_view description;
};

std::span<const BindableCommand> bindableCommands();

// Index of the first entry with this id; nullopt when the id is not in the list.
std::optional<size_t> bindableIndex(int32_t id);

}  // namespace yav
