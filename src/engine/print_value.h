// Printing evaluated values through the kernel's output entry.
#pragma once
#include "engine/kernel.h"
#include "model/value.h"

namespace yav {

// Prints the value (and its repeat elements) with a display letter; 0 for the type's default.
void putresult(Kernel& k, const ValueRecord& v, char letter);

// The line of the display commands: four blanks, the text, " = ", the value and a line feed.
// Struct, union and array values print without the prefix, and end the line only in textual
// output mode; otherwise they go to the aggregate window, or, when the front-end has none, are
// written out as text on a line of their own. A char array shown as a string (`S`, `s`) is one
// line like any value.
void putNameAndValue(Kernel& k, const ValueRecord& v, char letter);

// The same line for a monitor: aggregates are always written out as text, since a front-end
// with windows shows the monitor's tree in its monitor window, not in a window of its own.
void putMonitorValue(Kernel& k, const ValueRecord& v, char letter);

}  // namespace yav
