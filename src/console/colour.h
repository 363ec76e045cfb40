// Colour on the console: errors in red and the line where the program stopped highlighted, only
// when the output is a terminal and NO_COLOR is not set. Colour never changes the layout: the
// escape sequences wrap whole lines.
#pragma once
#include <string>
#include <string_view>

#include "engine/kernel.h"

namespace yav {

// True when `fd` is a terminal and the NO_COLOR convention does not forbid colour.
bool colourWanted(int fd);

// `FILE:LINE: text` with FILE one of the loaded program's source files.
bool isStopLine(const Kernel& k, std::string_view line);

// One whole line of output (without its line end), painted when it is an error report or a stop
// line; returned as it is otherwise.
std::string paintLine(const Kernel& k, std::string_view line);

// An error message in red.
std::string paintError(std::string_view text);

}  // namespace yav
