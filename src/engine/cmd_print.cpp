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

namespace yav {

namespace {
constexpr int kUnknownCommand = 11;
constexpr int kIncorrectArgument = 32;
constexpr int kNoFrame = 46;
constexpr int kFileNotFound = 75;
constexpr int kFunctionNotFound = 76;
}  // namespace

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
        errmsg(k, {errtext(kNoFrame), "\n"});
        return p;
      }
      f = frame->function;
    } else {
      f = t.findFunction(place.func);
    }
    if (!f || f->isOuterScope()) {
      errmsg(k, {place.func, "(): ", errtext(kFunctionNotFound), "\n"});
      return p;
    }
    printVariables(k, *f, mode);
    return p;
  }
  if (place.hascolon && !place.file.empty() && noLines) {
    const FileEntry* file = t.findFile(place.file);
    if (!file) {
      errmsg(k, {place.file, ": ", errtext(kFileNotFound), "\n"});
      return p;
    }
    if (const FunctionEntry* outer = file->outerScope()) printVariables(k, *outer, mode);
    return p;
  }
  if (!place.hascolon && !place.name.empty()) {
    errmsg(k, {errtext(kUnknownCommand), ": ", place.text, "\n"});
    return kEmptyRest;
  }
  errmsg(k, {errtext(kIncorrectArgument), " ", place.text, "\n"});
  return kEmptyRest;
}

}  // namespace yav
