#include "console/console_loop.h"

#include "console/interrupt.h"
#include "engine/dispatcher.h"

namespace yav {

void runInteractive(Kernel& k, CommandWindowModel& model, TerminalView& view, LineReader& reader,
                    const std::function<void(std::string_view)>& write) {
  while (!k.disp.quitting) {
    LineRead got = reader.read(CommandWindowModel::kPrompt);
    takeInterrupt();  // a Ctrl-C that came after the last command ended stops nothing new
    switch (got.status) {
      case LineStatus::Interrupted:
        break;
      case LineStatus::EndOfInput:
        write("quit\n");
        runCommandLine(k, "quit", 1);
        return;
      case LineStatus::Line:
        view.expectEcho(got.text);
        model.typeText(got.text);
        reader.commandStarts();
        model.pressKey(CmdKey::Enter);
        reader.commandEnded();
        reader.remember(got.text);
        break;
    }
  }
}

}  // namespace yav
