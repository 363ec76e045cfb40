// `a`, `activ` and `deact`: which functions steps may enter.
#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/display_state.h"
#include "engine/errors.h"
#include "engine/locspec.h"
#include "model/loader.h"
#include "model/messages.h"

namespace yav {

namespace {

void setState(Kernel& k, FunctionEntry& f, uint8_t active) {
  f.active = active;
  f.armed = 0;
  k.exec.lastmode = ExecState::kReloadBreaks;
}

void setAll(Kernel& k, uint8_t active) {
  for (const auto& file : k.prog.program->tables.files) {
    for (const auto& f : file->functions) {
      if (f->isOuterScope() || f->isPlaceholder()) continue;
      if (active == 0 && inCallStack(k, f.get())) {
        errmsg(k, {f->name, ": ", errtext(msg::InStackFrame), "\n"});
        continue;
      }
      setState(k, *f, active);
    }
  }
}

// The function a place names: `name()`, `()` (the current frame's) or a bare name.
FunctionEntry* placeFunction(Kernel& k, const LocSpec& s, bool& isFunctionSpec, bool& noFrame) {
  isFunctionSpec = false;
  noFrame = false;
  std::string name;
  if (s.hasfunc && !s.hascolon) {
    if (s.func.empty()) {
      const Frame* f = selectedFrame(k);
      noFrame = f == nullptr;
      isFunctionSpec = true;
      if (!f) return nullptr;
      name = f->function->name;
    } else {
      name = s.func;
    }
  } else if (!s.name.empty() && !s.hascolon) {
    name = s.name;
  } else {
    return nullptr;
  }
  isFunctionSpec = true;
  FunctionEntry* f = k.prog.program->tables.findFunction(name);
  return f && !f->isOuterScope() ? f : nullptr;
}

const char* activate(Kernel& k, const char* rest, uint8_t active) {
  const char* p = skipBlanks(rest);
  if (*p == 0 || *p == ';' || *p == '}') {
    errmsg(k, {"Missing function for activate \n"});
    return p;
  }
  if (*p == '*') {
    setAll(k, active);
    return p + 1;
  }
  for (;;) {
    const char* end = p;
    while (*end && *end != ',' && *end != ';' && *end != '}') ++end;
    std::string item(p, end);
    LocSpec spec;
    locspec(item.c_str(), spec);
    bool isFunction = false, noFrame = false;
    FunctionEntry* f = placeFunction(k, spec, isFunction, noFrame);
    if (noFrame) {
      errmsg(k, {errtext(msg::NoFrame), "\n"});
      return kEmptyRest;
    }
    if (!isFunction) {
      errmsg(k, {errtext(msg::IncorrectArgument), " ", spec.text, "\n"});
      return kEmptyRest;
    }
    if (!f) {
      errmsg(k, {spec.hasfunc ? spec.func : spec.name, "(): ", errtext(msg::FunctionNotFound), "\n"});
      return kEmptyRest;
    }
    setState(k, *f, active);
    p = end;
    if (*p != ',') return p;
    p = skipBlanks(p + 1);
  }
}

}  // namespace

const char* cmd_activ(Kernel& k, const char* rest, int) { return activate(k, rest, 1); }

const char* cmd_deact(Kernel& k, const char* rest, int) { return activate(k, rest, 0); }

}  // namespace yav
