// Printing one evaluated value according to its type and a display letter.
#pragma once
#include "model/print_env.h"
#include "model/value.h"

namespace yav {

// Display letters: C quoted character, S quoted string, s raw string, b binary, c raw
// character, d signed decimal, h hexadecimal, o octal, u unsigned decimal, x hexadecimal with
// 0x. Any other letter (conventionally 0) chooses the type's default display. With a repeat
// count the value and the elements after it are printed in braces.
void putresult(PrintEnv& env, const ValueRecord& v, char letter);

}  // namespace yav
