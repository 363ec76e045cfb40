// `v`, `vars`: the variables of the selected frame's function, or of the function or file a place
// names.
#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/display_state.h"
#include "engine/errors.h"
#include "engine/locspec.h"
#include "engine/options.h"
#include "engine/variable_printer.h"
#include "model/loader.h"
#include "model/messages.h"

namespace yav {

const char* cmd_vars(Kernel& k, const char* rest, int) {
  const char* p = rest;
  bool addresses = false, declarations = false;
  if (!scanOptions(k, p, "AV", [&](char letter, const char*&) { (letter == 'A' ? addresses : declarations) = true; })) {
    return kEmptyRest;
  }
  const std::string mode = addresses ? (declarations ? "&p" : "&") : (declarations ? "p" : " ");
  LocSpec place;
  p = locspec(p, place);
  const FunctionEntry* scope = nullptr;
  const std::string named = place.hasfunc ? place.func : place.name;
  if (place.present && !place.file.empty() && !place.hasfunc && named.empty() && !place.hasline) {
    const FileEntry* file = k.prog.program->tables.findFile(place.file);
    if (!file) {
      errmsg(k, {place.file, ": ", errtext(msg::FileNotFound), "\n"});
      return p;
    }
    scope = file->outerScope();
  } else if (place.present && !named.empty()) {
    scope = k.prog.program->tables.findFunction(named);
    if (!scope || scope->isOuterScope()) {
      errmsg(k, {named, "(): ", errtext(msg::FunctionNotFound), "\n"});
      return p;
    }
  } else {
    const Frame* f = selectedFrame(k);
    if (!f) {
      errmsg(k, {errtext(msg::NoFrame), "\n"});
      return p;
    }
    scope = f->function;
  }
  if (scope) printVariables(k, *scope, mode);
  return p;
}

}  // namespace yav
