// The command table: every command word of the debugger, its flags and its handler.
#pragma once
#include <cstdint>

#include "engine/kernel.h"

namespace yav {

// A handler gets the text after its command word (blanks skipped) and returns where parsing
// continues, or kEmptyRest when it consumed the line or reported an error.
using CmdHandler = const char* (*)(Kernel& k, const char* rest, int user);

enum CmdFlags : uint16_t {
  CMD_NOUPDATE = 0x0004,   // no view refresh and no command count after it
  CMD_NEEDDEBUG = 0x0010,  // refused with error 45 without C source information
  CMD_NEEDFRAME = 0x0020,  // works on the current stack frame
  CMD_INTERNAL = 0x0100,   // recognised only while internal commands are enabled
};

struct CmdRow {
  const char* name;  // lower case; null ends the table
  uint16_t len;      // characters of name compared
  uint16_t flags;
  CmdHandler func;
};

extern const CmdRow cmdtab[];

// The matching rule: first row whose whole word equals the start of `text` (case-insensitive),
// followed by the end, ';', a blank or 0x7F. Internal rows are skipped while disabled.
const CmdRow* findCommand(const Kernel& k, const char* text);

}  // namespace yav
