// How events read: the listing lines, the place shown when a breakpoint is reached, and the
// command lines that recreate the user events.
#include <cstdio>

#include "engine/errors.h"
#include "engine/events.h"
#include "engine/output.h"
#include "model/messages.h"

namespace yav {

namespace {

std::string hex(uint32_t v, int width = 0) {
  char b[16];
  std::snprintf(b, sizeof b, "0x%*x", width, v);
  return b;
}

const char* accessText(char kind) {
  switch (kind) {
    case ev::DataWrite: return " (write) ";
    case ev::DataRead: return " (read) ";
    default: return " (access) ";
  }
}

std::string exprText(const Event& e) { return e.expr ? e.expr->text : std::string(); }

// ":first[:last]" or ":anyline".
std::string lineRange(const Event& e) {
  if (e.first == 0) return ":anyline";
  std::string s = ":" + std::to_string(e.first);
  if (e.last != e.first) s += ":" + std::to_string(e.last);
  return s;
}

}  // namespace

std::string eventPlace(const Event& e) {
  if (e.isData()) return " " + exprText(e) + accessText(e.kind);
  switch (e.kind) {
    case ev::Line: {
      std::string s = " " + (e.file ? e.file->name : std::string());
      if (e.func) s += " " + e.func->name + "()";
      return s + lineRange(e);
    }
    case ev::Label: return " " + e.name + " (" + hex(e.addr) + ")";
    case ev::Symbol: return " at: " + e.name + " (" + hex(e.addr) + ")";
    case ev::Change: return exprText(e) + " ";
    default: return " at absolute address: " + hex(e.addr, 8);
  }
}

std::string eventLine(const Event& e) {
  return "(" + std::to_string(e.num) + ")   " + eventPlace(e) + "  {" + e.action + "} " +
         (e.user ? "(user)" : "(internal)") + " (count = " + std::to_string(e.count) +
         ", left = " + std::to_string(e.left) + ") " + (e.on ? "(on)" : "(off)") + "\n";
}

void listEvents(Kernel& k, uint8_t watch) {
  bool any = false;
  for (const auto& e : eventState(k).list) {
    if (e->watch != watch) continue;
    any = true;
    kout(k, eventLine(*e));
  }
  if (!any) errmsg(k, {errtext(msg::NoBreakpoint), "\n"});
}

// Each line gives the count, the access type of a data event and a suspended state, so that
// reading the file back makes the same events.
std::string saveEvents(Kernel& k) {
  std::string out;
  for (const auto& ep : eventState(k).list) {
    const Event& e = *ep;
    if (!e.user) continue;
    std::string line = e.isData() ? "d" : "";
    line += e.watch ? "watch" : "break";
    if (e.count > 1) line += " /C:" + std::to_string(e.count);
    if (e.isData() && e.kind != ev::DataAccess) line += std::string(" /T:") + e.kind;
    if (!e.isData() && !e.on) line += " /I";
    line += " ";
    switch (e.kind) {
      case ev::Line:
        line += e.func ? e.func->name + "()" : (e.file ? e.file->name : std::string());
        line += e.first == 0 ? std::string(":") : lineRange(e);
        break;
      case ev::Address: line += "@" + hex(e.addr); break;
      case ev::Symbol:
      case ev::Label: line += e.name; break;
      default: line += exprText(e); break;
    }
    if (!e.action.empty()) line += " {" + e.action + "}";
    out += line + "\n";
  }
  return out;
}

}  // namespace yav
