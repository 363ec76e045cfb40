// `output`: copies everything the kernel prints to a file, truncated or appended to (`/A`).
#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/options.h"
#include "engine/script_state.h"
#include "engine/script_text.h"
#include "model/messages.h"

namespace yav {

namespace {

// Ends the redirection; a file that could not be completed (a full disk) is reported.
void closeRedirection(Kernel& k) {
  std::FILE* f = k.out.redirect;
  if (!f) return;
  k.out.redirect = nullptr;
  const bool failed = std::ferror(f) != 0;
  if (std::fclose(f) != 0 || failed) errmsg(k, {errtext(msg::WriteError), ": ", scriptState(k).outputName, "\n"});
}

}  // namespace

const char* cmd_output(Kernel& k, const char* rest, int) {
  closeRedirection(k);
  const char* p = rest;
  bool append = false;
  if (!scanFileOptions(k, p, "A", [&](char, const char*&) { append = true; })) return kEmptyRest;
  std::string name;
  const char* end = scriptFileName(p, name);
  if (name.empty()) return end;
  std::FILE* f = std::fopen(name.c_str(), append ? "a+" : "w+");
  if (!f) {
    errmsg(k, {"Can't Open ", name, " for output redirection\n"});
    return kEmptyRest;
  }
  k.out.redirect = f;
  scriptState(k).outputName = name;
  return end;
}

}  // namespace yav
