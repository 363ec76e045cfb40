// Picking an expression from a source line with the mouse, and qualifying it with the function
// or file it belongs to so it evaluates the variable the line means.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace yav {

struct Program;

// The run of letters, digits, '_', '$', '.', '[', ']' and "->" around column `column` of the
// displayed text; nothing when the character there is none of them.
std::optional<std::string> expressionAt(std::string_view displayed, size_t column);

// A selection inside one line: its text without surrounding blanks; nothing when empty.
std::optional<std::string> selectedExpression(std::string_view displayed, size_t from, size_t to);

// "fn():name..." when the leading name is a local of the function holding line `line` of
// `file`; "file.c:name..." when it is a file-level static of that file (not in the main view);
// else the expression as it is.
std::string qualifyExpression(const Program& prog, const std::string& file, size_t line,
                              const std::string& expression, bool mainView);

}  // namespace yav
