// The session and layout file dialogs of the File menu without their window: what the dialog
// shows at start, and the command line that loads or saves the chosen file, so that the frame
// only shows the dialog and runs that line.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "ui/frame_commands.h"

namespace yav {

struct SessionDialog {
  bool session = true;  // a session file, else a layout file
  bool load = true;     // an open dialog, else a save dialog
  std::string title;    // "Session File" or "Layout File"
  std::string filter;   // "Session Files(*.ssn)" or "Layout Files(*.lyt)"
  std::string directory;  // start folder from the settings, ending in '/' (empty: none kept)
  std::string file;       // start file name from the settings, without its folder
};

// The dialog of menu item 131..134, its start folder and file read from the keys `Directory` and
// `File` of section `Session` or `Layout`; none for another id.
std::optional<SessionDialog> sessionDialog(uint16_t id);

// The chosen name with ".ssn" or ".lyt" added when its file name holds no '.'.
std::string withSessionExtension(const std::string& name, bool session);

// The command line to run for the name chosen in the dialog: "session /l NAME", "session /s NAME",
// "layout /l NAME" or "layout /s NAME", the extension added as above. None when the name cannot
// be carried by a command line (empty, or holding a tab, ';', '}' or a line end, or beginning or
// ending with a blank): the frame then reports "Can't use file name: " and the name.
std::optional<std::string> sessionCommandLine(const SessionDialog& dialog, const std::string& chosen);

}  // namespace yav
