// Session and layout files: a session records the program, the source path, the windows, the
// memory windows, the events and the monitors, so that debugging can be resumed; a layout only
// the arrangement and places of the windows. Both are profile text (sections of key=value
// lines); reading a session replays most of it as command lines through the dispatcher.
#pragma once
#include <string>
#include <string_view>

#include "engine/kernel.h"

namespace yav {

struct SessionFileKind {
  bool session;
  const char* settingsSection;  // where the last file and its directory are remembered
  const char* writeFailure;
  const char* openFailure;
};
inline constexpr SessionFileKind kSessionFile{true, "Session", "Can't Write Session File: ",
                                              "Can't Open Session File: "};
inline constexpr SessionFileKind kLayoutFile{false, "Layout", "Can't Write Layout File: ",
                                             "Can't Open Layout File: "};

// The file text for the current state: with `session` the program, the paths, the memory
// windows, the events and the monitors too.
std::string sessionFileText(Kernel& k, bool session);

// Replaces the file `name` as a whole with the current state and remembers the file in the
// settings. A path that is not a regular file, or a file that cannot be written, is reported
// with the kind's write failure, and an existing file is then left as it was.
bool saveSessionFile(Kernel& k, const SessionFileKind& kind, const std::string& name);

// Reads the file `name` and restores what it holds; remembers the file in the settings. A file
// that cannot be opened (or is not a regular file) is reported with the kind's open failure; one without the frame's
// record is "Not a Session file" and changes nothing.
bool loadSessionFile(Kernel& k, const SessionFileKind& kind, const std::string& name);

// Restores from file text already read (`name` is for the messages). Returns false, changing
// nothing, when the text is not a session or layout file.
bool restoreSessionText(Kernel& k, std::string_view text, const std::string& name, bool session);

// Writes `name` and its directory (the text before its last '/') to the settings keys `File`
// and `Directory` of the kind's section.
void rememberSessionFile(const SessionFileKind& kind, const std::string& name);

}  // namespace yav
