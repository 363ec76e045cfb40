#include "engine/monitors.h"

#include <algorithm>
#include <cctype>

#include "engine/print_value.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "engine/output.h"
#include "engine/display_common.h"

namespace yav {

int declareMonitor(MonitorList& list, const std::string& expression, char format) {
  for (Monitor& m : list.items) {
    if (m.expression == expression) {
      m.format = format;
      return m.number;
    }
  }
  int number = 1;
  auto it = list.items.begin();
  while (it != list.items.end() && it->number == number) {
    ++it;
    ++number;
  }
  Monitor m;
  m.number = number;
  m.format = format;
  m.expression = expression;
  list.items.insert(it, std::move(m));
  return number;
}

bool removeMonitor(MonitorList& list, int number) {
  auto it = std::find_if(list.items.begin(), list.items.end(), [&](const Monitor& m) { return m.number == number; });
  if (it == list.items.end()) return false;
  list.items.erase(it);
  return true;
}

void removeAllMonitors(MonitorList& list) { list.items.clear(); }

void showMonitors(Kernel& k, const MonitorList& list) {
  for (const Monitor& m : list.items) {
    if (!m.on) continue;
    const char* text = m.expression.c_str();
    int error = 0;
    std::unique_ptr<ValueRecord> v = xexpr(k, text, error, true);
    if (error && error != 53) {
      errshown(k);
      outs(k, {"    ", m.expression, " = ", errtext(error), "\n"});
      continue;
    }
    putMonitorValue(k, *v, m.format == ' ' ? 0 : m.format);
  }
}

std::string monitorRecord(const Monitor& m) {
  if (m.format == ' ') return "monit " + m.expression;
  std::string s = "monit /";
  s += static_cast<char>(std::tolower(static_cast<unsigned char>(m.format)));
  return s + " " + m.expression;
}

std::string monitorCommands(const MonitorList& list) {
  std::string s;
  for (const Monitor& m : list.items) s += monitorRecord(m) + "\n";
  return s;
}

}  // namespace yav
