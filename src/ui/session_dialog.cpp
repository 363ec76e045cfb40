#include "ui/session_dialog.h"

#include "engine/dispatcher.h"
#include "engine/options.h"
#include "engine/session_file.h"
#include "platform/ini.h"

namespace yav {

std::optional<SessionDialog> sessionDialog(uint16_t id) {
  if (id < kCmdLoadSession || id > kCmdSaveLayout) return std::nullopt;
  SessionDialog d;
  d.session = id == kCmdLoadSession || id == kCmdSaveSession;
  d.load = id == kCmdLoadSession || id == kCmdLoadLayout;
  d.title = d.session ? "Session File" : "Layout File";
  d.filter = d.session ? "Session Files(*.ssn)" : "Layout Files(*.lyt)";
  const char* section = (d.session ? kSessionFile : kLayoutFile).settingsSection;
  d.directory = platform::iniGet(section, "Directory", "");
  if (!d.directory.empty() && d.directory.back() != '/') d.directory += '/';
  const std::string file = platform::iniGet(section, "File", "");
  d.file = file.substr(file.rfind('/') + 1);  // npos + 1 is 0: the whole name
  return d;
}

std::string withSessionExtension(const std::string& name, bool session) {
  const size_t base = name.rfind('/') + 1;
  if (name.find('.', base) != std::string::npos) return name;
  return name + (session ? ".ssn" : ".lyt");
}

std::optional<std::string> sessionCommandLine(const SessionDialog& dialog, const std::string& chosen) {
  if (chosen.empty() || isBlank(chosen.front()) || chosen.back() == ' ' ||
      chosen.find_first_of("\t;}\r\n") != std::string::npos) {
    return std::nullopt;
  }
  std::string name = withSessionExtension(chosen, dialog.session);
  // The command would read "/x.ssn" (or "/my dir/x.ssn") as an option group; "/./" names the
  // same file and reads as a path.
  if (name.front() == '/' && isOptionGroup(name.c_str())) name = "/." + name;
  return std::string(dialog.session ? "session" : "layout") + (dialog.load ? " /l " : " /s ") + name;
}

}  // namespace yav
