// Place arguments of the commands: `file:line`, `function():line`, `name()`, `@address`, a line
// or event number, or a name; shared by the event, execution, activation, listing and frame
// commands.
#pragma once
#include <cstdint>
#include <string>

namespace yav {

struct LocSpec {
  bool isabs = false;     // the text was `@number`
  bool present = false;   // something was given
  bool hascolon = false;  // the text held a file or function separator `:`
  bool hasfunc = false;   // a function part was given (`name()`; empty name: the current frame's)
  uint32_t line = 0, line2 = 0;
  bool hasline = false;
  uint32_t absaddr = 0;
  std::string file;
  std::string func;
  std::string name;
  std::string text;  // the whole spec as written, for messages

  // A line spec names a file, a function, or a line given after a separator.
  bool isLineSpec() const { return name.empty() && (!file.empty() || hasfunc || (hasline && hascolon)); }
  // A plain number with nothing else: an event number.
  bool isNumber() const { return hasline && !hascolon && !hasfunc && file.empty() && name.empty() && !isabs; }
};

// Parses one place from `text`; returns the position after it (at a `,`, `;`, blank or the end).
const char* locspec(const char* text, LocSpec& spec);

}  // namespace yav
