#include "ui/update_command.h"

namespace yav {

std::string updateCommandLine(std::string_view target, std::string_view value) {
  const size_t first = value.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  value = value.substr(first);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  if (value.find_first_of(";{\r\n") != std::string_view::npos) return {};
  return "update " + std::string(target) + " = " + std::string(value);
}

}  // namespace yav
