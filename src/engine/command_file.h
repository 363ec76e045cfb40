// Command files: read a file of command lines and run each through docmd.
#pragma once
#include <string>

#include "engine/kernel.h"

namespace yav {

// Opens `name` (else each directory of the source path in turn) and runs its lines.
// Returns true when the file was read; reports "<name>: cannot redirect" otherwise.
bool runCommandFile(Kernel& k, const std::string& name);

}  // namespace yav
