// `del`, `delete`: removes events (/E, the default), monitors (/M) or real-time monitors (/R).
#include <algorithm>
#include <functional>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/display_state.h"
#include "engine/errors.h"
#include "engine/event_args.h"
#include "engine/events.h"
#include "engine/kernel_eval.h"
#include "engine/options.h"

namespace yav {

namespace {

// Removes every event `pick` chooses; false when there was none.
bool removeEvents(Kernel& k, const std::function<bool(const Event&)>& pick) {
  std::vector<int> nums;
  for (const auto& e : eventState(k).list) {
    if (pick(*e)) nums.push_back(e->num);
  }
  for (const int n : nums) rmevent(k, n, 1);
  return !nums.empty();
}

// The events an expression names: symbol events of a function, label events of a label,
// change events of the same expression text.
bool deleteByExpression(Kernel& k, const std::string& item) {
  const char* p = item.c_str();
  int error = 0;
  std::unique_ptr<ValueRecord> v = xexpr(k, p, error, true);
  if (error) {
    errmsg(k, {errtext(error), "\n"});
    return false;
  }
  if (storageClass(v->locationClass).is(scp::Function)) {
    if (removeEvents(k, [&](const Event& e) { return !e.isData() && e.kind == ev::Symbol && e.name == v->text; })) return true;
    errmsg(k, {"Unknown Symbol Event: ", item, "\n"});
    return false;
  }
  if (v->locationClass == sc::LabelValue) {
    if (removeEvents(k, [&](const Event& e) { return !e.isData() && e.kind == ev::Label && e.addr == v->address; })) return true;
    errmsg(k, {"Unknown Label Event: ", item, "\n"});
    return false;
  }
  if (removeEvents(k, [&](const Event& e) {
        return !e.isData() && e.kind == ev::Change && e.expr && e.expr->text == v->text;
      })) {
    return true;
  }
  errmsg(k, {"Unknown Data Event: ", item, "\n"});
  return false;
}

bool deleteEvent(Kernel& k, const std::string& item) {
  LocSpec spec;
  locspec(item.c_str(), spec);
  if (spec.isNumber() && spec.text == item) return rmevent(k, static_cast<int>(spec.line), 1);
  if (spec.isLineSpec()) {
    const std::optional<LinePlace> place = resolveLinePlace(k, spec, false, false);
    if (place && removeEvents(k, [&](const Event& e) { return lineEventHolds(e, *place, place->first); })) return true;
    errmsg(k, {"Unknown Code Event: ", spec.text, "\n"});
    return false;
  }
  if (spec.isabs) {
    if (removeEvents(k, [&](const Event& e) { return !e.isData() && e.kind == ev::Address && e.addr == spec.absaddr; })) {
      return true;
    }
    errmsg(k, {"Unknown Absolute Event: ", spec.text, "\n"});
    return false;
  }
  return deleteByExpression(k, item);
}

// A monitor by its number or its expression text.
bool deleteMonitor(Kernel& k, const std::string& item) {
  MonitorList& monitors = displayState(k).monitors;
  LocSpec spec;
  locspec(item.c_str(), spec);
  if (spec.isNumber() && spec.text == item && removeMonitor(monitors, static_cast<int>(spec.line))) return true;
  auto it = std::find_if(monitors.items.begin(), monitors.items.end(),
                         [&](const Monitor& m) { return m.expression == item; });
  if (it != monitors.items.end()) {
    monitors.items.erase(it);
    return true;
  }
  errmsg(k, {"Unknown Monitor: ", item, "\n"});
  return false;
}

}  // namespace

const char* cmd_delete(Kernel& k, const char* rest, int) {
  const char* p = rest;
  char what = 'E';
  if (!scanOptions(k, p, "EMR", [&what](char letter, const char*&) { what = letter; })) return kEmptyRest;
  if (*p == '*') {
    if (what == 'E') rmevent(k, -1, 1);
    if (what == 'M') removeAllMonitors(displayState(k).monitors);
    return p + 1;
  }
  for (const std::string& item : eventArgItems(p)) {
    bool ok = false;
    if (what == 'E') ok = deleteEvent(k, item);
    if (what == 'M') ok = deleteMonitor(k, item);
    if (what == 'R') errmsg(k, {" Unknown Real Time Monitor: ", item, "\n"});
    if (!ok) return kEmptyRest;
  }
  return p;
}

}  // namespace yav
