// `funcs`: the functions of one source file, or of every file, with their state and address.
#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/options.h"
#include "engine/output.h"
#include "model/messages.h"

namespace yav {

namespace {

const char* stateText(const FunctionEntry& f) {
  if (f.active == 0) return " (off)  ";
  return f.armed ? " (act)  " : " (on)   ";
}

std::string paddedAddress(uint32_t a) {
  std::string s = fmtstr("0x%hl", a);
  if (s.size() < 8) s.append(8 - s.size(), ' ');
  return s;
}

void listFile(Kernel& k, const FileEntry& file, bool prototypes) {
  outs(k, {errtext(msg::FunctionsInFile), ": ", file.name, "\n"});
  for (const auto& fp : file.functions) {
    const FunctionEntry& f = *fp;
    if (f.isPlaceholder() || (f.startRecord == kNoRecord && !f.name.empty())) continue;
    std::string line = stateText(f);
    if (prototypes) {
      line += f.description + f.name + "(" + f.argumentList() + ")";
    } else {
      line += f.name + "()";
    }
    line += " at " + paddedAddress(f.address()) + "\n";
    kout(k, line);
  }
  kout(k, "\n");
}

}  // namespace

const char* cmd_funcs(Kernel& k, const char* rest, int) {
  const char* p = skipBlanks(rest);
  bool prototypes = false;
  if (!scanOptions(k, p, "NV", [&](char letter, const char*&) { prototypes = letter == 'V'; })) return kEmptyRest;
  const char* start = p;
  while (*p && !isBlank(*p) && *p != ';') ++p;
  std::string name(start, p);
  if (!name.empty() && name.back() == ':') name.pop_back();
  const SymbolTables& t = k.prog.program->tables;
  if (!name.empty()) {
    const FileEntry* f = t.findFile(name);
    if (!f) {
      errmsg(k, {errtext(msg::IncorrectArgument), " ", name, "\n"});
      return kEmptyRest;
    }
    listFile(k, *f, prototypes);
    return p;
  }
  for (const auto& f : t.files) {
    if (!(f->flags & fileflag::Duplicate)) listFile(k, *f, prototypes);
  }
  return p;
}

}  // namespace yav
