// The command entry point: every command line of the debugger passes through docmd.
#pragma once
#include <string_view>

#include "engine/kernel.h"

namespace yav {

// The shared empty rest, returned by handlers that consumed the whole line.
extern const char* const kEmptyRest;

// Runs the first statement of `line`; returns where it stopped (kEmptyRest when all consumed).
const char* docmd(Kernel& k, const char* line, int user);

// Appends a command line to the log opened by `record`; closes it. A failed write or close is
// reported and ends the log.
void logCommand(Kernel& k, const char* line);
bool closeCommandLog(Kernel& k);

// Runs every statement of `line` as it stands: hands the rest back to docmd until the text ends or
// a '}' is reached. A line that docmd takes as a comment ends there.
void runStatements(Kernel& k, const char* line, int user);

// Runs a line typed by the user: blanks skipped, then as runStatements. Hands the rest back to docmd until the text ends or a '}' is reached.
void runCommandLine(Kernel& k, const char* line, int user);

// Blank bytes: 0x01-0x20, 0x7F and 0x80-0xFF.
inline bool isBlank(char c) {
  auto u = static_cast<unsigned char>(c);
  return (u >= 0x01 && u <= 0x20) || u >= 0x7F;
}
inline const char* skipBlanks(const char* p) {
  while (*p && isBlank(*p)) ++p;
  return p;
}

}  // namespace yav
