// Monitors: expressions shown with their current values after every command that changed
// state and after every stop.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "engine/kernel.h"

namespace yav {

struct Monitor {
  int number = 0;     // lowest free number from 1
  bool on = true;
  char format = ' ';  // display letter; blank for the type's default
  std::string expression;
};

struct MonitorList {
  std::vector<Monitor> items;  // by number
};

// Declares a monitor, or gives an existing one of the same expression text the new format.
// Returns the monitor's number.
int declareMonitor(MonitorList& list, const std::string& expression, char format);

// Removes monitor `number`; false when there is none.
bool removeMonitor(MonitorList& list, int number);
void removeAllMonitors(MonitorList& list);

// Prints every active monitor's current value, one name-and-value line each.
void showMonitors(Kernel& k, const MonitorList& list);

// The command line that declares a monitor again ("monit %s", "monit /%c %s").
std::string monitorRecord(const Monitor& m);

// The command lines that declare the monitors again, one line each.
std::string monitorCommands(const MonitorList& list);

}  // namespace yav
