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

// What the command words do, for `help` and the console: the groups `help` lists them in.
enum class CmdGroup : uint8_t { Running, Events, Data, Memory, Program, Scripts, Windows, Debugger };

// The description of one command, shared by all its synonym rows.
struct CmdHelp {
  const char* words;    // the synonyms as the table spells them, blank-separated
  CmdGroup group;
  const char* summary;  // one line, no full stop
  const char* usage;    // options and arguments, one line per form
};

struct CmdRow {
  const char* name;  // lower case; null ends the table
  uint16_t len;      // characters of name compared
  uint16_t flags;
  CmdHandler func;
  const CmdHelp* help;  // null only for a word that has no description yet
};

extern const CmdRow cmdtab[];

// The matching rule: first row whose whole word equals the start of `text` (case-insensitive),
// followed by the end, ';', a blank or 0x7F. Internal rows are skipped while disabled.
const CmdRow* findCommand(const Kernel& k, const char* text);

// Title of a group as `help` prints it.
const char* cmdGroupTitle(CmdGroup g);

// `help` and `help WORD`: the command words by group, or one word's synonyms and usage.
const char* cmd_help(Kernel& k, const char* rest, int user);

}  // namespace yav
