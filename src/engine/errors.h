// Numbered kernel messages and the kernel's error report.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/kernel.h"

namespace yav {

// Text of kernel message `id`; " **** Err <id> ****" when the table has none.
std::string errtext(int id);

// Reports an error made of text pieces: while a command file runs, "#error: " and the pieces
// go to the output as one line (a line end is added when the pieces have none); otherwise the
// joined pieces are shown in a message box titled "Error". Callers need not end the text.
void errmsg(Kernel& k, std::initializer_list<std::string_view> pieces);

// An error the user is shown some other way (inside a listing line, as a question): it counts
// like a reported one, so a `--strict` batch run fails.
void errshown(Kernel& k);

}  // namespace yav
