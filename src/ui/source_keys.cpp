#include "ui/source_keys.h"

#include <cctype>
#include <string>

#include "engine/dispatcher.h"

namespace yav {

namespace {
struct Shortcut {
  char letter;
  std::string_view command;
  bool allowedWhileRunning;  // "go" is issued even then, and beeps if the target still runs
};
constexpr Shortcut kShortcuts[] = {
    {'g', "go", true},
    {'i', "istep", false},
    {'o', "ostep", false},
    {'s', "step", false},
};
constexpr std::string_view kSilentLetters = "adrw";
}  // namespace

SourceKeyAction sourceKeyAction(char c, bool targetRunning) {
  char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const Shortcut& s : kShortcuts) {
    if (s.letter != lower) continue;
    if (targetRunning && !s.allowedWhileRunning) return {SourceKeyAction::Beep, {}, false};
    return {SourceKeyAction::Run, s.command, s.allowedWhileRunning};
  }
  if (kSilentLetters.find(lower) != std::string_view::npos) return {};
  return {SourceKeyAction::Beep, {}, false};
}

void typeInSourceWindow(Kernel& k, char c) {
  SourceKeyAction a = sourceKeyAction(c, k.exec.running);
  if (a.kind == SourceKeyAction::Beep) return k.ui->beep();
  if (a.kind != SourceKeyAction::Run) return;
  runCommandLine(k, std::string(a.command).c_str(), 1);
  if (a.beepIfStillRunning && k.exec.running) k.ui->beep();
}

}  // namespace yav
