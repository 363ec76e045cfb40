#include "ui/layout_settings.h"

#include "platform/ini.h"
#include "ui/option_settings.h"
#include "ui/settings_values.h"

namespace yav {

namespace {

constexpr std::string_view kSection = "LayOut";
constexpr size_t kValueChars = 13;  // layout keys are read into a buffer of 14 characters

constexpr LayoutKey kKeys[kLayoutWindowCount] = {
    {LayoutWindow::Registers, "Registers", 310, true, true},
    {LayoutWindow::Disassembly, "Disassembly", 320, true, true},
    {LayoutWindow::Stack, "Stack", 330, true, false},
    {LayoutWindow::Locals, "Locals", 335, true, false},
    {LayoutWindow::Globals, "Globals", 336, true, false},
    {LayoutWindow::Command, "Command", 300, true, false},
    {LayoutWindow::Monitors, "Monitors", 340, false, false},
};

std::string_view stateValue(WindowState s) {
  switch (s) {
    case WindowState::Minimised: return "ICONIC";
    case WindowState::Open: return "YES";
    case WindowState::Closed: break;
  }
  return "NO";
}

}  // namespace

std::span<const LayoutKey> layoutKeys() { return kKeys; }

bool writeLayout(const LayoutSnapshot& layout) {
  bool ok = true;
  for (const LayoutKey& k : kKeys)
    ok &= platform::iniSet(kSection, k.key, stateValue(layout.windows[static_cast<size_t>(k.window)]));
  ok &= platform::iniSet(kSection, "Save", yesNo(layout.saveOnExit));
  ok &= writeTile(layout.arrangement);
  return ok;
}

LayoutStart readLayout() {
  LayoutStart start;
  const std::string save = platform::iniGet(kSection, "Save", "", kValueChars);
  start.saveOnExit = !save.empty() && save.front() == 'Y';
  for (const LayoutKey& k : kKeys) {
    if (!k.restored) continue;
    const std::string v = platform::iniGet(kSection, k.key, "", kValueChars);
    const char c = v.empty() ? '\0' : v.front();
    if (c != 'Y' && c != 'I') continue;
    (k.afterConnect ? start.afterConnect : start.endOfStartup).push_back({k.window, k.showCommand, c == 'I'});
  }
  return start;
}

}  // namespace yav
