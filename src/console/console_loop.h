// The interactive console: lines from a LineReader run through the command-window model, which
// keeps the window's own history and prints the output through its view.
#pragma once
#include <functional>
#include <string_view>

#include "console/line_reader.h"
#include "console/terminal_view.h"
#include "engine/kernel.h"
#include "ui/command_window.h"

namespace yav {

// Runs until `quit` or the end of input (which quits as `quit` does, shown on the terminal by
// `write`). Ctrl-C at the prompt only drops the line being typed.
void runInteractive(Kernel& k, CommandWindowModel& model, TerminalView& view, LineReader& reader,
                    const std::function<void(std::string_view)>& write);

}  // namespace yav
