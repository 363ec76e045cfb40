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

// Where a saved event is: "FUNC()" or the file name of a line event with ":first[:last]" or ":"
// alone for any line, "@0x..." for an address, the name of a symbol or label, else the
// expression as typed.
std::string savedLocation(const Event& e) {
  switch (e.kind) {
    case ev::Line: {
      std::string s = e.func ? e.func->name + "()" : (e.file ? e.file->name : std::string());
      return s + (e.first == 0 ? std::string(":") : lineRange(e));
    }
    case ev::Address: return "@" + hex(e.addr);
    case ev::Symbol:
    case ev::Label: return e.name;
    default: return exprText(e);
  }
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
    if (!e.on) line += " /I";
    line += " " + savedLocation(e);
    if (!e.action.empty()) line += " {" + e.action + "}";
    out += line + "\n";
  }
  return out;
}

// The record form of session files: "/i " for a suspended event, "/C:n" above a count of 1, then
// a blank and the place. A data event that only watches reads or writes also carries its access
// type, without which it would come back watching every access.
std::vector<std::string> eventRecords(Kernel& k) {
  std::vector<std::string> out;
  for (const auto& ep : eventState(k).list) {
    const Event& e = *ep;
    if (!e.user) continue;
    std::string line = e.isData() ? "d" : "";
    line += e.watch ? "watch " : "break ";
    if (!e.on) line += "/i ";
    if (e.isData() && e.kind != ev::DataAccess) line += std::string("/T:") + e.kind + " ";
    if (e.count > 1) line += "/C:" + std::to_string(e.count);
    line += " " + savedLocation(e);
    if (!e.action.empty()) line += " {" + e.action + "}";
    out.push_back(std::move(line));
  }
  return out;
}

}  // namespace yav
