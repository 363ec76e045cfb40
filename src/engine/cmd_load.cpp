// `load`: makes a new program the debugged program.
#include <cctype>
#include <cstdlib>
#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/load_host.h"
#include "engine/load_program.h"
#include "engine/options.h"
#include "engine/output.h"

namespace yav {

const char* cmd_load(Kernel& k, const char* rest, int) {
  const char* p = skipBlanks(rest);
  LoadOptions opt;
  opt.entry = k.prog.defaultEntry;
  while (*p == '/' && isOptionGroup(p)) {
    ++p;
    for (; *p && !isBlank(*p) && *p != ';'; ++p) {
      const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
      if (letter == 'S') {
        opt.symbolsOnly = true;
      } else if (letter == 'O') {
        if (p[1] != ':') {
          errmsg(k, {"Wrong option ", "\n"});
          return kEmptyRest;
        }
        p += 2;
        const char* start = p;
        while (*p && !isBlank(*p)) ++p;
        opt.entry.assign(start, p);
        break;
      } else {
        errmsg(k, {"Unknown Option ", p, "\n"});
        return kEmptyRest;
      }
    }
    p = skipBlanks(p);
  }
  const char* start = p;
  while (*p && !isBlank(*p) && *p != ';') ++p;
  const std::string name(start, p);
  loadProgram(k, name, opt);
  return p;
}

}  // namespace yav
