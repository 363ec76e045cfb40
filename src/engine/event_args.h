// The argument text of the event commands: a comma-separated list of places or expressions,
// then an optional action block in braces.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "engine/kernel.h"

namespace yav {

// Splits the list at `p` at its top-level commas (not inside brackets, parentheses or quotes);
// stops at a top-level `{`, `}`, `;` or the end, with `p` there. Items are trimmed; empty items
// are dropped.
std::vector<std::string> eventArgItems(const char*& p);

// Reads the action block at `p` when one starts there: the text up to the matching `}`
// (nesting counted), trimmed. Without the closing brace the rest of the line is the action, and
// the missing brace is reported. `p` ends after the block.
std::optional<std::string> actionBlock(Kernel& k, const char*& p);

}  // namespace yav
