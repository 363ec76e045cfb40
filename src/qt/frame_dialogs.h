// Small dialogs of the frame: the path editor ("PATHEDIT") and the help on the command language.
#pragma once
#include <cstdint>
#include <string>

namespace yav {

class ViewServices;

// The path editor: the current source path to edit; the `path` command line for the new value,
// empty when cancelled.
std::string runPathEditor(ViewServices& services);

// Help menu ids 13001..13003: the command language's help in a window, or the help file named for
// the id from the program's folder.
void showHelp(ViewServices& services, uint16_t id);

}  // namespace yav
