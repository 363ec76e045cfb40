#include <cctype>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/options.h"

namespace yav {

// `cmdwin /H` hides, `cmdwin /S` shows the command window.
const char* cmd_cmdwin(Kernel& k, const char* rest, int) {
  const char* p = rest;
  int show = -1;
  if (!scanOptions(k, p, "HS", [&](char letter, const char*&) { show = letter == 'S'; })) return kEmptyRest;
  if (show >= 0) k.ui->showCommandWindow(show == 1);
  return p;
}

const char* cmd_maximize(Kernel& k, const char* rest, int) {
  k.ui->maximizeMain();
  return rest;
}

const char* cmd_minimize(Kernel& k, const char* rest, int) {
  k.ui->minimizeMain();
  return rest;
}

}  // namespace yav
