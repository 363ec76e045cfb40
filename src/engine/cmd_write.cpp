// `write`: the current events (`/E`) and monitors (`/M`) as a command file that `input` reads
// back; `/F` is accepted and adds nothing; no option writes both.
#include <cstdio>
#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/display_state.h"
#include "engine/errors.h"
#include "engine/events.h"
#include "engine/monitors.h"
#include "engine/options.h"
#include "engine/script_text.h"
#include "model/messages.h"

namespace yav {

const char* cmd_write(Kernel& k, const char* rest, int) {
  const char* p = rest;
  bool events = false, monitors = false;
  if (!scanFileOptions(k, p, "EMF", [&](char letter, const char*&) {
        if (letter == 'E') events = true;
        if (letter == 'M') monitors = true;
      })) {
    return kEmptyRest;
  }
  if (!events && !monitors) events = monitors = true;
  std::string name;
  const char* end = scriptFileName(p, name);
  std::FILE* f = name.empty() ? nullptr : std::fopen(name.c_str(), "w+");
  if (!f) {
    errmsg(k, {errtext(msg::CannotCreateFile), " ", name, "\n"});
    return kEmptyRest;
  }
  std::string text;
  if (events) text += saveEvents(k);
  if (monitors) text += monitorCommands(displayState(k).monitors);
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (std::fclose(f) != 0 || !written) {
    errmsg(k, {errtext(msg::WriteError), ": ", name, "\n"});
    return kEmptyRest;
  }
  return end;
}

}  // namespace yav
