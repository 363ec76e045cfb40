// `yav --console`: the command window on a terminal. The command-window model keeps the text,
// the prompt and the window's history; on an interactive terminal libedit reads the lines, else
// standard input is read line by line and everything is echoed, which makes a transcript.
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>

#include "console/colour.h"
#include "console/console_loop.h"
#include "console/edit_line_reader.h"
#include "console/front_ends.h"
#include "console/history_file.h"
#include "console/input_line.h"
#include "console/interrupt.h"
#include "engine/kernel.h"
#include "ui/command_window.h"
#include "ui/startup.h"

namespace yav {

namespace {

void writeOut(std::string_view s) {
  std::fwrite(s.data(), 1, s.size(), stdout);
  std::fflush(stdout);
}

// The kernel's port on the terminal: output into the command-window model, messages to stderr.
class ConsoleUiPort : public UiPort {
 public:
  explicit ConsoleUiPort(bool colourErrors) : colourErrors_(colourErrors) {}
  void attach(Kernel* k, CommandWindowModel* model, TerminalView* view, LineReader* reader) {
    k_ = k;
    model_ = model;
    view_ = view;
    reader_ = reader;
  }

  void output(std::string_view text) override {
    if (model_) model_->output(text);
  }

  // No source window: where execution stopped is printed as one line.
  void showExecutionPoint(std::string_view place) override {
    output(place);
    output("\n");
  }

  void messageBox(std::string_view title, std::string_view text, MsgIcon icon) override {
    if (view_) view_->breakLine();
    std::string line(title);
    line.append(": ").append(text);
    while (!line.empty() && line.back() == '\n') line.pop_back();
    if (colourErrors_ && icon == MsgIcon::Error) line = paintError(line);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
  }

  bool askYesNo(std::string_view title, std::string_view text) override {
    if (view_) view_->breakLine();
    std::string question(title);
    question.append(": ").append(text);
    while (!question.empty() && question.back() == '\n') question.pop_back();
    question += " (y/n) ";
    if (reader_) {
      LineRead got = reader_->read(question);
      return got.status == LineStatus::Line && !got.text.empty() && (got.text[0] == 'y' || got.text[0] == 'Y');
    }
    writeOut(question);
    bool yes = answerFromTerminal();
    writeOut(yes ? "y\n" : "n\n");
    return yes;
  }

  // A line typed after the prompt; Ctrl-C or the end of input cancel it. Without a terminal the
  // answer is the next line of standard input, where the commands come from.
  bool askText(std::string_view, std::string_view prompt, std::string& answer) override {
    if (view_) view_->breakLine();
    answer.clear();
    const std::string shown = std::string(prompt) + ": ";
    if (reader_) {
      LineRead got = reader_->read(shown);
      if (got.status != LineStatus::Line) return false;
      answer = got.text;
      return true;
    }
    writeOut(shown);
    const bool given = readInputLine(answer);
    writeOut(answer + "\n");
    if (!given) answer.clear();
    return given;
  }

  void beep() override {
    if (reader_) writeOut("\a");
  }

  // `pause`: the next key on a terminal, or Ctrl-C; without a terminal it returns at once.
  void waitKey() override {
    if (!reader_) return;
    while (!reader_->keyPressed()) {
      if (takeInterrupt()) {
        if (k_) k_->exec.stopreq = true;
        return;
      }
      ::usleep(20000);
    }
  }

  PumpResult pumpEvents() override {
    PumpResult r;
    r.stop = takeInterrupt();
    if (reader_ && reader_->escapeTyped()) r.stop = true;
    if (r.stop && k_) k_->exec.stopreq = true;
    return r;
  }

 private:
  // Without a terminal on stdin the question goes to the controlling terminal, if there is one;
  // otherwise the answer is yes, as in batch runs.
  bool answerFromTerminal() {
    std::FILE* t = std::fopen("/dev/tty", "r");
    if (!t) return true;
    char buf[16] = {};
    bool yes = std::fgets(buf, sizeof buf, t) == nullptr || (buf[0] != 'n' && buf[0] != 'N');
    std::fclose(t);
    return yes;
  }

  bool colourErrors_;
  Kernel* k_ = nullptr;
  CommandWindowModel* model_ = nullptr;
  TerminalView* view_ = nullptr;
  LineReader* reader_ = nullptr;
};

void plainLoop(Kernel& k, CommandWindowModel& model) {
  std::string line;
  while (!k.disp.quitting && readInputLine(line)) {
    if (takeInterrupt()) k.exec.stopreq = true;
    model.typeText(line);
    model.pressKey(CmdKey::Enter);
  }
}

}  // namespace

int runConsole(const StartOptions& opt) {
  catchInterrupt();
  const bool tty = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
  const bool colour = colourWanted(STDOUT_FILENO);
  ConsoleUiPort port(colour && colourWanted(STDERR_FILENO));
  Kernel k(port);
  CommandWindowModel model(k);
  TerminalView view(k, writeOut, tty, colour);
  std::optional<EditLineReader> reader;
  if (tty) {
    reader.emplace(stdin, stdout, [&k](std::string_view before) { return complete(k, before); }, historyPath());
  }
  port.attach(&k, &model, &view, reader ? &*reader : nullptr);
  model.setListener(&view);

  model.open();
  runStartup(k, opt);
  model.ensurePrompt();
  if (reader) runInteractive(k, model, view, *reader, writeOut);
  else plainLoop(k, model);
  closeTarget(k);
  if (!tty) writeOut("\n");
  model.setListener(nullptr);
  return 0;
}

}  // namespace yav
