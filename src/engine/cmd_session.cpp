// `session` and `layout`: save (`/S`, the default) or load (`/L`) a session or layout file in
// profile form. The engine's sections are the program, the source path, the events and the
// monitors; a layout holds only the window arrangement, which belongs to the front-end.
#include <cstdio>
#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/display_state.h"
#include "engine/errors.h"
#include "engine/events.h"
#include "engine/monitors.h"
#include "engine/options.h"
#include "engine/script_text.h"
#include "platform/ini.h"

namespace yav {

namespace {

struct FileKind {
  bool session;
  const char* writeFailure;
  const char* openFailure;
};
constexpr FileKind kSession{true, "Can't Write Session File: ", "Can't Open Session File: "};
constexpr FileKind kLayout{false, "Can't Write Layout File: ", "Can't Open Layout File: "};

// Numbered keys "1", "2", ... of a section, one per line of `lines`.
std::string numberedKeys(std::string text, const char* section, const std::string& lines) {
  size_t start = 0;
  for (int key = 1; start < lines.size(); ++key) {
    size_t nl = lines.find('\n', start);
    if (nl == std::string::npos) nl = lines.size();
    text = platform::profileUpdate(text, section, std::to_string(key), lines.substr(start, nl - start));
    start = nl + 1;
  }
  return text;
}

std::string sessionText(Kernel& k, bool session) {
  // The frame's rectangle is the front-end's: "YES" alone marks the file as one of ours.
  std::string text = platform::profileUpdate("", "Windows", "Yav", "YES");
  if (!session) return text;
  const std::string& program = k.prog.program->fileName;
  if (!program.empty()) text = platform::profileUpdate(text, "Load", "File", program);
  if (!k.cmdfile.sourcePath.empty()) text = platform::profileUpdate(text, "Options", "Path", k.cmdfile.sourcePath);
  text = numberedKeys(text, "Events", saveEvents(k));
  return numberedKeys(text, "Monitors", monitorCommands(displayState(k).monitors));
}

void save(Kernel& k, const FileKind& kind, const std::string& name) {
  std::FILE* f = std::fopen(name.c_str(), "w+");
  if (!f) {
    errmsg(k, {kind.writeFailure, name, "\n"});
    return;
  }
  const std::string text = sessionText(k, kind.session);
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (std::fclose(f) != 0 || !written) errmsg(k, {kind.writeFailure, name, "\n"});
}

// Runs the lines of the numbered keys of a section, from 1 up to the first missing key.
void replaySection(Kernel& k, const std::string& text, const char* section) {
  for (int key = 1;; ++key) {
    const std::optional<std::string> line = platform::profileLookup(text, section, std::to_string(key));
    if (!line) return;
    runCommandLine(k, line->c_str(), 1);
  }
}

void load(Kernel& k, const FileKind& kind, const std::string& name) {
  std::FILE* f = std::fopen(name.c_str(), "r");
  if (!f) {
    errmsg(k, {kind.openFailure, name, "\n"});
    return;
  }
  std::string text;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, got);
  std::fclose(f);
  const std::optional<std::string> frame = platform::profileLookup(text, "Windows", "Yav");
  if (!frame || frame->empty()) {
    errmsg(k, {"File: ", name, " Not a Session file\n"});
    return;
  }
  if (!kind.session) return;
  k.ui->CursorWait();
  const std::optional<std::string> program = platform::profileLookup(text, "Load", "File");
  if (program && !program->empty()) runCommandLine(k, ("load " + *program).c_str(), 1);
  const std::optional<std::string> path = platform::profileLookup(text, "Options", "Path");
  if (path && !path->empty()) runCommandLine(k, ("path \"" + *path + "\"").c_str(), 1);
  replaySection(k, text, "Events");
  replaySection(k, text, "Monitors");
  k.ui->CursorStd();
}

const char* sessionCommand(Kernel& k, const char* rest, const FileKind& kind) {
  const char* p = rest;
  bool loading = false;
  if (!scanFileOptions(k, p, "SL", [&](char letter, const char*&) { loading = letter == 'L'; }, " Unknown Option ")) {
    return kEmptyRest;
  }
  std::string name;
  const char* end = scriptFileName(p, name);
  if (name.find('/') == std::string::npos) name = "./" + name;
  if (loading) load(k, kind, name);
  else save(k, kind, name);
  return end;
}

}  // namespace

const char* cmd_session(Kernel& k, const char* rest, int) { return sessionCommand(k, rest, kSession); }
const char* cmd_layout(Kernel& k, const char* rest, int) { return sessionCommand(k, rest, kLayout); }

}  // namespace yav
