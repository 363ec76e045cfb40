// The event list: numbering, lookup, removal and the on/off switch.
#include <algorithm>

#include "engine/errors.h"
#include "engine/events.h"
#include "model/messages.h"

namespace yav {

namespace {

// The run loop reloads the target's break list before the next run; the source views redraw
// their markers.
void breaksChanged(Kernel& k) {
  k.exec.lastmode = ExecState::kReloadBreaks;
  k.ui->refreshViews(kViewSource);
}

}  // namespace

Event* findEvent(Kernel& k, int num) {
  for (const auto& e : eventState(k).list) {
    if (e->num == num) return e.get();
  }
  return nullptr;
}

Event& addEvent(Kernel& k, std::unique_ptr<Event> e) {
  auto& list = eventState(k).list;
  uint16_t num = 1;
  auto it = list.begin();
  while (it != list.end() && (*it)->num == num) {
    ++it;
    ++num;
  }
  e->num = num;
  Event& added = **list.insert(it, std::move(e));
  eventState(k).lastNumber = num;
  breaksChanged(k);
  return added;
}

bool rmevent(Kernel& k, int num, int complain) {
  auto& list = eventState(k).list;
  if (num == -1) {
    if (list.empty()) {
      if (complain) errmsg(k, {errtext(msg::NoBreakpoint), "\n"});
      return false;
    }
    list.clear();
    breaksChanged(k);
    return true;
  }
  auto it = std::find_if(list.begin(), list.end(), [num](const auto& e) { return e->num == num; });
  if (it == list.end()) {
    errmsg(k, {errtext(msg::BreakpointNotFound), "\n"});
    return false;
  }
  list.erase(it);
  breaksChanged(k);
  return true;
}

void removeInternalEvents(Kernel& k) {
  auto& list = eventState(k).list;
  const size_t before = list.size();
  std::erase_if(list, [](const auto& e) { return e->user == 0; });
  if (list.size() != before) breaksChanged(k);
}

bool setEventOn(Kernel& k, int num, bool on) {
  bool found = false;
  for (const auto& e : eventState(k).list) {
    if (num == -1 ? e->user == 0 : e->num != num) continue;
    found = true;
    if (e->on != on) {
      e->on = on;
      k.exec.lastmode = ExecState::kReloadBreaks;
    }
  }
  if (!on && found) k.ui->refreshViews(kViewSource);
  return found || num == -1;
}

}  // namespace yav
