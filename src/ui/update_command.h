// The command line of an update dialog: a new value assigned through the kernel's `update`.
#pragma once
#include <string>
#include <string_view>

namespace yav {

// "update <target> = <value>" with the value trimmed; empty when the value is empty or would end
// the command and start another (a ';', '{' or a line break), so a typed text never runs more
// than the one assignment.
std::string updateCommandLine(std::string_view target, std::string_view value);

// The register form: "$" and the register name as the target.
inline std::string registerUpdateCommand(std::string_view name, std::string_view value) {
  return updateCommandLine("$" + std::string(name), value);
}

}  // namespace yav
