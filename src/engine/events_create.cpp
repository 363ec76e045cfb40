// Creating events: line places resolved through the file and function tables, addresses,
// function symbols, labels and changes of a variable's value; data events on static variables.
#include <algorithm>
#include <cstring>

#include "engine/errors.h"
#include "engine/events.h"
#include "engine/frames.h"
#include "engine/kernel_eval.h"
#include "engine/output.h"
#include "model/loader.h"
#include "model/messages.h"
#include "model/target_memory.h"

namespace yav {

namespace {

// Lines of a file: from the first line of its first function to the last line of its last.
bool fileLines(const FileEntry& f, uint32_t& first, uint32_t& last) {
  bool any = false;
  for (const auto& fn : f.functions) {
    if (fn->isOuterScope()) continue;
    first = any ? std::min(first, fn->firstLine) : fn->firstLine;
    last = any ? std::max(last, fn->lastLine) : fn->lastLine;
    any = true;
  }
  return any;
}

bool isCodeEntry(uint8_t kind) {
  return kind == rk::FunctionExit || kind == rk::Line || kind == rk::FunctionStart;
}

bool hasCode(const SymbolTables& t, const FileEntry& file, uint32_t first, uint32_t last) {
  return std::any_of(t.records.begin(), t.records.end(), [&](const DebugRecord& r) {
    return isCodeEntry(r.kind) && r.startLine >= first && r.startLine <= last &&
           (r.function ? r.function->file == &file : r.fileName == file.name);
  });
}

bool refuse(Kernel& k, bool report, int id, std::initializer_list<std::string_view> pieces) {
  if (report) {
    errmsg(k, pieces);
    eventState(k).lastError = id;
  }
  return false;
}

bool sameCodePlace(const Event& e, const Event& n) {
  if (e.kind != n.kind || e.isData()) return false;
  switch (e.kind) {
    case ev::Address:
    case ev::Label: return e.addr == n.addr;
    case ev::Symbol: return e.addr == n.addr || e.name == n.name;
    case ev::Change: return e.expr && n.expr && e.expr->text == n.expr->text;
    default: return lineEventHolds(e, LinePlace{n.file, n.func, n.first, n.last}, n.first);
  }
}

int32_t countOf(int32_t n) { return n > 0 ? n : 1; }

// A variable whose place is fixed for the whole run.
bool staticallyAllocated(uint8_t locationClass) {
  const StorageClassInfo& c = storageClass(locationClass);
  if (locationClass == sc::StaticAuto) return true;
  return locationClass != sc::Computed && c.place == FramePlace::Fixed &&
         !c.is(scp::NotAddressable | scp::AddressIsValue);
}

// The saved bytes of a change event: the variable as it is now.
bool readBytes(Kernel& k, const ValueRecord& v, std::vector<uint8_t>& out) {
  TargetMemory* mem = targetMemory(k);
  out.assign(v.size, 0);
  return mem && v.size > 0 && mem->read(v.addressSpace, v.address, out);
}

void announce(Kernel& k, const Event& e) {
  if (e.user && !eventState(k).quietListing) kout(k, eventLine(e));
}

// The event an expression names: a function symbol, a label, or a change of an object's value.
std::unique_ptr<Event> expressionEvent(Kernel& k, const LocSpec& spec) {
  const char* p = spec.text.c_str();
  int error = 0;
  std::unique_ptr<ValueRecord> v = xexpr(k, p, error, true);
  if (error) {
    refuse(k, true, error, {errtext(error), "\n"});
    return nullptr;
  }
  auto e = std::make_unique<Event>();
  const StorageClassInfo& cls = storageClass(v->locationClass);
  if (cls.is(scp::Function)) {
    e->kind = ev::Symbol;
    e->addr = v->address;
    e->name = v->text;
    return e;
  }
  if (v->locationClass == sc::LabelValue) {
    e->kind = ev::Label;
    e->addr = v->address;
    e->name = v->text;
    return e;
  }
  // A value with no type, or one that lives nowhere in memory, never changes where we look.
  if (v->type == 0 || cls.is(scp::NotAddressable) || !readBytes(k, *v, e->saved)) {
    refuse(k, true, msg::IllegalBreakpoint, {errtext(msg::IllegalBreakpoint), " ", spec.text, "\n"});
    return nullptr;
  }
  e->kind = ev::Change;
  e->addr = v->address;
  e->expr = std::move(v);
  return e;
}

}  // namespace

bool lineEventHolds(const Event& e, const LinePlace& place, uint32_t line) {
  if (e.kind != ev::Line || e.isData()) return false;
  if (e.first != 0 && (line < e.first || line > e.last)) return false;
  if (e.file && place.file && e.file != place.file) return false;
  if (e.func && place.func && e.func != place.func) return false;
  return true;
}

std::optional<LinePlace> resolveLinePlace(Kernel& k, const LocSpec& spec, bool entryOnly, bool report) {
  const SymbolTables& t = k.prog.program->tables;
  LinePlace place;
  if (!spec.file.empty()) {
    place.file = t.findFile(spec.file);
    if (!place.file) {
      refuse(k, report, msg::FileNotFound, {spec.file, ": ", errtext(msg::FileNotFound), "\n"});
      return std::nullopt;
    }
  }
  if (spec.hasfunc) {
    if (spec.func.empty()) {
      const Frame* f = selectedFrame(k);
      place.func = f ? f->function : nullptr;
    } else {
      place.func = t.findFunction(spec.func);
      if (!place.func) {
        refuse(k, report, msg::FunctionNotFound, {spec.func, "(): ", errtext(msg::FunctionNotFound), "\n"});
        return std::nullopt;
      }
    }
    if (place.func) place.file = place.func->file;
  }
  if (!place.file && !place.func) {
    const Frame* f = selectedFrame(k);
    if (!f || !f->function) {
      refuse(k, report, msg::IncorrectArgument, {"Missing File/function specification for ", spec.text, "\n"});
      return std::nullopt;
    }
    place.file = f->function->file;
  }
  if (!spec.hasline) {
    if (place.func) {
      place.first = place.func->firstLine;
      place.last = entryOnly ? place.func->firstLine : place.func->lastLine;
    }
    return place;
  }
  place.first = spec.line;
  place.last = spec.line2 ? spec.line2 : spec.line;
  for (const uint32_t line : {place.first, place.last}) {
    const std::string n = std::to_string(line);
    if (place.func && (line < place.func->firstLine || line > place.func->lastLine)) {
      refuse(k, report, msg::LineNotFound, {place.func->name, "():", n, ": ", errtext(msg::LineNotFound), "\n"});
      return std::nullopt;
    }
    uint32_t lo = 0, hi = 0;
    if (!place.func && fileLines(*place.file, lo, hi) && (line < lo || line > hi)) {
      refuse(k, report, msg::LineNotFound, {place.file->name, ":", n, ": ", errtext(msg::LineNotFound), "\n"});
      return std::nullopt;
    }
  }
  if (place.last < place.first || !hasCode(t, *place.file, place.first, place.last)) {
    refuse(k, report, msg::NoCodeThere,
           {place.file->name, ":", std::to_string(place.first), ": ", errtext(msg::NoCodeThere), "\n"});
    return std::nullopt;
  }
  return place;
}

bool setCodeEvent(Kernel& k, const LocSpec& spec, const CodeEventRequest& request) {
  std::unique_ptr<Event> e;
  if (spec.isLineSpec()) {
    std::optional<LinePlace> place = resolveLinePlace(k, spec, request.entryOnly, true);
    if (!place) return false;
    e = std::make_unique<Event>();
    e->kind = ev::Line;
    e->file = place->file;
    e->func = place->func;
    e->first = place->first;
    e->last = place->last;
  } else if (spec.isabs) {
    e = std::make_unique<Event>();
    e->kind = ev::Address;
    e->addr = spec.absaddr;
  } else {
    e = expressionEvent(k, spec);
    if (!e) return false;
  }
  EventState& s = eventState(k);
  s.lastError = 0;
  for (const auto& existing : s.list) {
    if (!sameCodePlace(*existing, *e)) continue;
    if (request.count) existing->count = existing->left = countOf(request.count);
    if (request.action) existing->action = *request.action;
    k.exec.lastmode = ExecState::kReloadBreaks;
    announce(k, *existing);
    return true;
  }
  e->cls = ev::CodeClass;
  e->on = !request.inactive;
  e->count = e->left = countOf(request.count);
  e->user = request.user;
  e->watch = request.watch;
  if (request.action) e->action = *request.action;
  announce(k, addEvent(k, std::move(e)));
  return true;
}

bool setDataEvent(Kernel& k, const std::string& text, const DataEventRequest& request) {
  const char* p = text.c_str();
  int error = 0;
  std::unique_ptr<ValueRecord> v = xexpr(k, p, error, true);
  if (error) {
    errmsg(k, {"Incorrect argument for Variable break\n"});
    eventState(k).lastError = error;
    return false;
  }
  if (!staticallyAllocated(v->locationClass) || v->size == 0) {
    errmsg(k, {"Illegal argument for Variable break (dynamic allocation)\n"});
    eventState(k).lastError = msg::IncorrectArgument;
    return false;
  }
  eventState(k).lastError = 0;
  auto e = std::make_unique<Event>();
  e->cls = ev::DataClass;
  e->kind = request.access;
  e->addr = v->address;
  e->expr = std::move(v);
  e->user = 1;
  e->on = !request.inactive;
  e->watch = request.watch;
  e->count = e->left = countOf(request.count);
  if (request.action) e->action = *request.action;
  announce(k, addEvent(k, std::move(e)));
  return true;
}

}  // namespace yav
