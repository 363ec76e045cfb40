// Where the running program lives: its folder holds KT55RDLLS/, EXTENSIONS/ and the help files.
#pragma once
#include <string>

namespace yav::platform {

// Folder of the running executable, without a trailing '/'; "." when it cannot be found.
std::string programFolder();

}  // namespace yav::platform
