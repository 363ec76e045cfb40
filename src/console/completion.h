// Tab completion of a console line: command words from the command table, then for the
// arguments the loaded program's symbols, `file.c:` names, register variables (`$a`, `$hx`...)
// and, after the words that take a file, file names.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/kernel.h"

namespace yav {

struct Completion {
  size_t start = 0;                     // the candidates replace the line from here to the cursor
  std::vector<std::string> candidates;  // sorted, no duplicates
};

// Candidates for the word that ends at the end of `beforeCursor` (the line up to the cursor).
Completion complete(const Kernel& k, std::string_view beforeCursor);

// The longest start shared by all candidates (empty for none).
std::string commonPrefix(const std::vector<std::string>& candidates);

}  // namespace yav
