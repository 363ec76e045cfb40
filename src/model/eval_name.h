// Splitting a name token of an expression into its file, function and variable parts.
#pragma once
#include <cstddef>
#include <string_view>

#include "model/eval_env.h"

namespace yav {

// Characters of a plain name: letters, digits, `_`, `@` and `$`.
bool isNameChar(char c);

struct NameRead {
  QualifiedName name;
  size_t end = 0;  // first character after the name (always beyond `pos`)
};

// Reads the name that starts at `pos` (which must lie inside `text`). A file part may hold the
// characters of a file name (dots, slashes, dashes) when a `:` follows it; a function part is a
// name followed by `()`. A name that cannot denote a value (empty, only a function, a line
// number after the separator, a malformed `@address`) comes back with `valid` false.
NameRead readQualifiedName(std::string_view text, size_t pos);

}  // namespace yav
