// `print`: the variables of a function (`name()`) or of a file (`file:`).
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

const char* cmd_print(Kernel& k, const char* rest, int) {
  const char* p = rest;
  std::string mode;
  if (!scanOptions(k, p, "AP", [&](char letter, const char*&) { mode += letter == 'A' ? '&' : 'p'; })) {
    return kEmptyRest;
  }
  LocSpec place;
  p = locspec(p, place);
  if (!place.present) return p;
  const SymbolTables& t = k.prog.program->tables;
  const bool noLines = !place.hasline && place.name.empty() && !place.isabs;
  if (place.hasfunc && noLines) {
    const FunctionEntry* f = nullptr;
    if (place.func.empty()) {
      const Frame* frame = selectedFrame(k);
      if (!frame) {
        errmsg(k, {errtext(msg::NoFrame), "\n"});
        return p;
      }
      f = frame->function;
    } else {
      f = t.findFunction(place.func);
    }
    if (!f || f->isOuterScope()) {
      errmsg(k, {place.func, "(): ", errtext(msg::FunctionNotFound), "\n"});
      return p;
    }
    printVariables(k, *f, mode);
    return p;
  }
  if (place.hascolon && !place.file.empty() && noLines) {
    const FileEntry* file = t.findFile(place.file);
    if (!file) {
      errmsg(k, {place.file, ": ", errtext(msg::FileNotFound), "\n"});
      return p;
    }
    if (const FunctionEntry* outer = file->outerScope()) printVariables(k, *outer, mode);
    return p;
  }
  if (!place.hascolon && !place.name.empty()) {
    errmsg(k, {errtext(msg::UnknownCommand), ": ", place.text, "\n"});
    return kEmptyRest;
  }
  errmsg(k, {errtext(msg::IncorrectArgument), " ", place.text, "\n"});
  return kEmptyRest;
}

}  // namespace yav
