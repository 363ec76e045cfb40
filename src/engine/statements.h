// The statement interpreter: splits a line into `;`-separated statements.
#pragma once
#include "engine/kernel.h"

namespace yav {

// Runs one statement at `text` and returns the text after it (after one `;`).
const char* statement(Kernel& k, const char* text, int user);

// Executes one command (not a control statement) through the command table.
const char* execcmd(Kernel& k, const char* text, int user);

}  // namespace yav
