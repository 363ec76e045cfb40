// `m`, `monit`: declares monitors, or gives existing ones a new display format.
#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/display_common.h"
#include "engine/display_state.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "engine/options.h"

namespace yav {

const char* cmd_monit(Kernel& k, const char* rest, int) {
  DisplayState& d = displayState(k);
  const char* p = rest;
  char format = ' ';
  if (!scanOptions(k, p, "BCDOSUX", [&](char letter, const char*&) { format = displayLetter(letter); })) {
    return kEmptyRest;
  }
  if (*p == 0 || *p == ';' || *p == '}') return p;
  do {
    const char* start = p;
    int error = 0;
    std::unique_ptr<ValueRecord> v = xexpr(k, p, error, true);
    if (!acceptedResult(error)) {
      errmsg(k, {errtext(error), "\n"});
      return skipStatement(p);
    }
    std::string text = v->text.empty() ? std::string(start, p) : v->text;
    declareMonitor(d.monitors, text, format);
  } while (nextListItem(p));
  return p;
}

}  // namespace yav
