// Command files: read a file of command lines and run each through docmd.
#pragma once
#include <cstddef>
#include <string>

#include "engine/kernel.h"

namespace yav {

// Longest command-file line, without its line end; a longer line is reported and skipped.
inline constexpr size_t kMaxCommandFileLine = 511;
// Deepest nesting of command files run by `input` from command files.
inline constexpr int kMaxCommandFileDepth = 64;

// Opens `name` (else each directory of the source path in turn) and runs its lines.
// Returns true when the file was read; reports "<name>: cannot redirect" otherwise (with the
// reason when the name is a folder, device or FIFO, or files are nested too deeply).
bool runCommandFile(Kernel& k, const std::string& name);

}  // namespace yav
