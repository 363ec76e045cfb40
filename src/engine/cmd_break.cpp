// `b`/`break`, `w`/`watch`: code events; `db`/`dbreak`, `dw`/`dwatch`: data events. With /A or
// /S they switch events on or off by number.
#include <cctype>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/event_args.h"
#include "engine/events.h"
#include "engine/options.h"
#include "model/messages.h"

namespace yav {

namespace {

struct EventOptions {
  int onOff = -1;  // /A: 1, /S: 0
  int32_t count = 0;
  bool entryOnly = false, inactive = false;
  char access = ev::DataAccess;
};

int32_t readCount(const char*& pos) {
  if (*pos != ':') return 0;
  ++pos;
  int32_t n = 0;
  while (std::isdigit(static_cast<unsigned char>(*pos))) n = n * 10 + (*pos++ - '0');
  return n;
}

char readAccess(const char*& pos) {
  if (*pos != ':' || !pos[1]) return ev::DataAccess;
  const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(pos[1])));
  pos += 2;
  return c == 'R' ? ev::DataRead : c == 'W' ? ev::DataWrite : ev::DataAccess;
}

bool readOptions(Kernel& k, const char*& p, std::string_view letters, EventOptions& o) {
  return scanOptions(k, p, letters, [&o](char letter, const char*& pos) {
    switch (letter) {
      case 'A': o.onOff = 1; break;
      case 'S': o.onOff = 0; break;
      case 'C': o.count = readCount(pos); break;
      case 'E': o.entryOnly = true; break;
      case 'I': o.inactive = true; break;
      case 'T': o.access = readAccess(pos); break;
      default: break;
    }
  });
}

const char* toStatementEnd(const char* p) {
  while (*p && *p != ';') ++p;
  return p;
}

// /A and /S: event numbers or `*`.
const char* switchEvents(Kernel& k, const std::vector<std::string>& items, bool on, const char* rest) {
  for (const std::string& item : items) {
    if (item == "*") {
      setEventOn(k, -1, on);
      continue;
    }
    LocSpec spec;
    locspec(item.c_str(), spec);
    if (!spec.isNumber() || spec.text != item) {
      errmsg(k, {errtext(msg::IncorrectArgument), "for: ", on ? " Break/Watch activate " : " Break/Watch suspend"});
      return toStatementEnd(rest);
    }
    if (!setEventOn(k, static_cast<int>(spec.line), on)) {
      errmsg(k, {errtext(msg::BreakpointNotFound), "\n"});
      return kEmptyRest;
    }
  }
  return rest;
}

bool atListEnd(const char* p) { return *p == 0 || *p == ';' || *p == '}'; }

// The common course of the four commands: options, then a listing (no places), a switch (/A,
// /S) or one event made by `makeOne` per place, all with the same action block.
template <typename MakeOne>
const char* eventCommand(Kernel& k, const char* rest, std::string_view letters, uint8_t watch, MakeOne makeOne) {
  const char* p = rest;
  EventOptions o;
  if (!readOptions(k, p, letters, o)) return kEmptyRest;
  if (atListEnd(p) && o.onOff < 0) {
    listEvents(k, watch);
    k.disp.noUpdate = true;
    return p;
  }
  const std::vector<std::string> items = eventArgItems(p);
  if (o.onOff >= 0) return switchEvents(k, items, o.onOff == 1, p);
  const std::optional<std::string> action = actionBlock(k, p);
  for (const std::string& item : items) {
    if (!makeOne(o, action, item)) return kEmptyRest;
  }
  return p;
}

const char* codeEvents(Kernel& k, const char* rest, int user, uint8_t watch) {
  return eventCommand(k, rest, "ASCEI", watch, [&](const EventOptions& o, const auto& action, const std::string& item) {
    LocSpec spec;
    locspec(item.c_str(), spec);
    // Anything but a line or an address is an expression: the spec keeps all of it.
    if (!spec.isLineSpec() && !spec.isabs) spec.text = item;
    return setCodeEvent(k, spec, CodeEventRequest{o.count, o.entryOnly, o.inactive, watch, user, action});
  });
}

const char* dataEvents(Kernel& k, const char* rest, uint8_t watch) {
  return eventCommand(k, rest, "ASCTI", watch, [&](const EventOptions& o, const auto& action, const std::string& item) {
    return setDataEvent(k, item, DataEventRequest{o.access, o.count, o.inactive, watch, action});
  });
}

}  // namespace

const char* cmd_break(Kernel& k, const char* rest, int user) { return codeEvents(k, rest, user, 0); }
const char* cmd_watch(Kernel& k, const char* rest, int user) { return codeEvents(k, rest, user, 1); }
const char* cmd_dbreak(Kernel& k, const char* rest, int) { return dataEvents(k, rest, 0); }
const char* cmd_dwatch(Kernel& k, const char* rest, int) { return dataEvents(k, rest, 1); }

}  // namespace yav
