#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "model/messages.h"

namespace yav {

// `record path` opens the command log; `record` alone closes it.
const char* cmd_record(Kernel& k, const char* rest, int) {
  const char* end = rest;
  while (*end && *end != ';') ++end;
  const char* next = end;
  while (end > rest && isBlank(end[-1])) --end;
  std::string path(rest, end);
  if (path.empty()) {
    closeCommandLog(k);
    return next;
  }
  if (k.disp.log) {
    errmsg(k, {errtext(msg::LogAlreadyOpen), "\n"});
    return kEmptyRest;
  }
  k.disp.log = std::fopen(path.c_str(), "w+");
  k.disp.logPath = path;
  if (!k.disp.log) {
    errmsg(k, {errtext(msg::CannotCreateFile), " ", path, "\n"});
    return kEmptyRest;
  }
  return next;
}

}  // namespace yav
