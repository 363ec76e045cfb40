// What editors add to a breakpoint: a condition that decides whether a passage counts, and a
// log message printed in place of a stop.
#pragma once
#include <string>

#include "engine/events.h"

namespace yav {

// Whether the event's condition holds at the stop (true when it has none). A condition that
// cannot be evaluated holds, so the run stops where the user can see why, and the reason is
// printed.
bool conditionHolds(Kernel& k, const Event& e);

// The event's log message with each {expression} replaced by its value ("<error text>" where
// it cannot be evaluated).
std::string logMessageText(Kernel& k, const Event& e);

}  // namespace yav
