// `pin NAME [0|1|free]`: drives a pin of the target board (an input, the IRQ line) or, without a
// level, reads it; prints "NAME: LEVEL" either way.
#include <cctype>
#include <cstring>
#include <optional>
#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/output.h"
#include "model/messages.h"

namespace yav {

namespace {

// A word of letters and digits; empty when there is none.
std::string word(const char*& p) {
  std::string w;
  while (std::isalnum(static_cast<unsigned char>(*p))) w += *p++;
  return w;
}

}  // namespace

const char* cmd_pin(Kernel& k, const char* rest, int) {
  const char* p = skipBlanks(rest);
  const std::string name = word(p);
  p = skipBlanks(p);
  std::optional<int> level;
  const std::string value = word(p);
  if (value == "0" || value == "1") level = value[0] - '0';
  else if (value == "free") level = -1;
  if (name.empty() || (!value.empty() && !level) || (*p != 0 && *p != ';' && *p != '}')) {
    errmsg(k, {errtext(msg::SyntaxError), " pin ", rest, "\n"});
    return kEmptyRest;
  }
  const std::optional<int> now = k.target ? k.target->pin(name, level) : std::nullopt;
  if (!now) {
    errmsg(k, {"pin: the target has no pin ", name, "\n"});
    return p;
  }
  outs(k, {name, ": ", *now ? "1" : "0", "\n"});
  return p;
}

}  // namespace yav
