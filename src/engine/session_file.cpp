#include "engine/session_file.h"

#include <array>
#include <optional>
#include <vector>

#include "engine/cmdtab.h"
#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/display_state.h"
#include "engine/errors.h"
#include "engine/events.h"
#include "engine/frames.h"
#include "engine/monitors.h"
#include "engine/window_layout_text.h"
#include "platform/ini.h"

namespace yav {

namespace {

constexpr const char* kEvents = "Events";
constexpr const char* kMonitors = "Monitors";

std::string numberedKeys(std::string text, const char* section, const std::vector<std::string>& records) {
  for (size_t i = 0; i < records.size(); ++i) {
    text = platform::profileUpdate(text, section, std::to_string(i + 1), records[i]);
  }
  return text;
}

std::vector<std::string> monitorRecords(Kernel& k) {
  std::vector<std::string> out;
  for (const Monitor& m : displayState(k).monitors.items) out.push_back(monitorRecord(m));
  return out;
}

// A session file is outside input: each line it makes the debugger run must be one command of
// the kind its section holds. Anything else (a `sys`, a command file, a control statement) is
// refused unrun; only the first command of the line runs, and text after it is reported, never
// run. Failures of the command itself report through the dispatcher as usual.
struct RecordRule {
  const char* what;  // "an event command" ...
  std::array<CmdHandler, 4> handlers;  // unused places null
};
const RecordRule kEventRule{"an event command", {cmd_break, cmd_watch, cmd_dbreak, cmd_dwatch}};
const RecordRule kMonitorRule{"a monit command", {cmd_monit}};
const RecordRule kLoadRule{"a load command", {cmd_load}};
const RecordRule kPathRule{"a path command", {cmd_path}};

void runRecord(Kernel& k, const std::string& line, const RecordRule& rule, const std::string& where) {
  const char* text = skipBlanks(line.c_str());
  if (!*text) return;
  const CmdRow* row = findCommand(k, text);
  bool allowed = false;
  for (CmdHandler h : rule.handlers) allowed = allowed || (h && row && row->func == h);
  if (!allowed) {
    errmsg(k, {where, ": not ", rule.what, ", not run: ", text, "\n"});
    return;
  }
  const char* rest = skipBlanks(docmd(k, text, 1));
  while (*rest == ';') rest = skipBlanks(rest + 1);
  if (*rest) errmsg(k, {where, ": only one command is run, not: ", rest, "\n"});
}

// Runs the records of a numbered section, keys from 1 up to the first missing one.
void replaySection(Kernel& k, const platform::ProfileIndex& file, const char* section, const RecordRule& rule,
                   const std::string& name) {
  for (int key = 1;; ++key) {
    const std::optional<std::string> line = file.lookup(section, std::to_string(key));
    if (!line) return;
    runRecord(k, *line, rule, "File: " + name + " " + section + " " + std::to_string(key));
  }
}

std::string lookupOrEmpty(const platform::ProfileIndex& file, const char* section, const char* key) {
  return file.lookup(section, key).value_or(std::string());
}

}  // namespace

std::string sessionFileText(Kernel& k, bool session) {
  using platform::profileUpdate;
  std::string text;
  if (session) {
    const std::string& program = k.prog.program->fileName;
    if (!program.empty()) text = profileUpdate(text, "Load", "File", program);
    if (!k.cmdfile.sourcePath.empty()) text = profileUpdate(text, "Options", "Path", k.cmdfile.sourcePath);
    const std::string extensions = platform::iniGet("Options", "ExtenPath", "", 10238);
    if (!extensions.empty()) text = profileUpdate(text, "Options", "ExtenPath", extensions);
  }
  if (const std::optional<WindowLayout> layout = k.ui->currentWindowLayout()) {
    text = writeWindowLayout(text, *layout, session);
  } else {
    // A front-end without windows has no rectangles to give: "YES" alone still marks the file as
    // a session or layout file, and reading it back leaves every window where it is.
    text = profileUpdate(text, "Windows", "Yav", "YES");
  }
  if (!session) return text;
  text = numberedKeys(text, kEvents, eventRecords(k));
  return numberedKeys(text, kMonitors, monitorRecords(k));
}

bool saveSessionFile(Kernel& k, const SessionFileKind& kind, const std::string& name) {
  // The file is replaced as a whole, so no stale section of an older file survives, and a save
  // that fails leaves the older file as it was.
  if (name.empty() || !platform::replaceProfileFile(name, sessionFileText(k, kind.session))) {
    errmsg(k, {kind.writeFailure, name, "\n"});
    return false;
  }
  rememberSessionFile(kind, name);
  return true;
}

bool restoreSessionText(Kernel& k, std::string_view text, const std::string& name, bool session) {
  const platform::ProfileIndex file(text);
  if (lookupOrEmpty(file, "Windows", "Yav").empty()) {
    errmsg(k, {"File: ", name, " Not a Session file\n"});
    return false;
  }
  k.ui->CursorWait();
  if (session) {
    clearFrames(k);
    const std::string program = lookupOrEmpty(file, "Load", "File");
    if (!program.empty()) runRecord(k, "load " + program, kLoadRule, "File: " + name + " Load File");
    const std::string path = lookupOrEmpty(file, "Options", "Path");
    if (!path.empty()) runRecord(k, "path \"" + path + "\"", kPathRule, "File: " + name + " Options Path");
  }
  std::vector<std::string> problems;
  const WindowLayout layout = readWindowLayout(text, session, problems);
  if (!problems.empty()) {
    std::string all;
    for (const std::string& p : problems) all += "\n" + p;
    errmsg(k, {"File: ", name, " values ignored:", all, "\n"});
  }
  k.ui->applyWindowLayout(layout, session);
  if (session) {
    replaySection(k, file, kEvents, kEventRule, name);
    replaySection(k, file, kMonitors, kMonitorRule, name);
  }
  k.ui->CursorStd();
  return true;
}

bool loadSessionFile(Kernel& k, const SessionFileKind& kind, const std::string& name) {
  const std::optional<std::string> text = name.empty() ? std::nullopt : platform::readProfileFile(name);
  if (!text) {
    errmsg(k, {kind.openFailure, name, "\n"});
    return false;
  }
  if (!restoreSessionText(k, *text, name, kind.session)) return false;
  rememberSessionFile(kind, name);
  return true;
}

void rememberSessionFile(const SessionFileKind& kind, const std::string& name) {
  const size_t slash = name.rfind('/');
  const std::string directory = slash == std::string::npos ? "" : slash == 0 ? "/" : name.substr(0, slash);
  platform::iniSet(kind.settingsSection, "File", name);
  platform::iniSet(kind.settingsSection, "Directory", directory);
}

}  // namespace yav
