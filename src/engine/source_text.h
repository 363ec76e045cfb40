// The text of the program's C source files, found beside the program or through the source path
// and kept once read, for the line shown where execution stopped.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "engine/kernel.h"

namespace yav {

// Line `line` (from 1) of source file `name`, without its line end; nothing when the file cannot
// be found or is shorter.
std::optional<std::string> sourceLineText(Kernel& k, const std::string& name, uint32_t line);

// Forgets the files read so far (a new program, a changed path).
void forgetSourceText(Kernel& k);

}  // namespace yav
