// Writing a window's text to a file the user named (the Save items of the list, register and
// stack windows).
#pragma once
#include <string>
#include <string_view>

namespace yav {

// Writes `text` to `path`, replacing the file. Returns the error to show ("Can't write " and
// the name), or an empty text on success.
std::string writeTextFile(const std::string& path, std::string_view text);

}  // namespace yav
