// Finding a source file through the source search path: each directory of the path (separated
// by '|'), then the name itself; when that fails the user may change the path and try again.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/kernel.h"

namespace yav {

// The places tried for `name`, in order: each directory of `path` with one trailing '/' dropped
// and the name appended, then the name itself ("./name" unless it begins with '/').
std::vector<std::string> sourceFileCandidates(std::string_view path, std::string_view name);

// Asks the user for a new source path (the frame's path editor); the search then runs again.
using PathEditor = std::function<void()>;

// The first candidate that opens as a regular file. When none does and `ask` is set: in batch mode
// "Can't Open " and the name is reported; otherwise the user is asked whether to change the path,
// and on yes `editPath` runs and the whole search is repeated.
std::optional<std::string> findSourceFile(Kernel& k, const std::string& name, bool ask, const PathEditor& editPath);

}  // namespace yav
