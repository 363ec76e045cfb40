// `session` and `layout`: save (`/S`, the default) or load (`/L`) a session or layout file.
#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/options.h"
#include "engine/script_text.h"
#include "engine/session_file.h"

namespace yav {

namespace {

const char* sessionCommand(Kernel& k, const char* rest, const SessionFileKind& kind) {
  const char* p = rest;
  bool loading = false;
  if (!scanFileOptions(k, p, "SL", [&](char letter, const char*&) { loading = letter == 'L'; }, " Unknown Option ")) {
    return kEmptyRest;
  }
  std::string name;
  const char* end = scriptFileName(p, name);
  // A name without a folder is taken in the current one.
  if (name.find('/') == std::string::npos) name = "./" + name;
  if (loading) loadSessionFile(k, kind, name);
  else saveSessionFile(k, kind, name);
  return end;
}

}  // namespace

const char* cmd_session(Kernel& k, const char* rest, int) { return sessionCommand(k, rest, kSessionFile); }
const char* cmd_layout(Kernel& k, const char* rest, int) { return sessionCommand(k, rest, kLayoutFile); }

}  // namespace yav
