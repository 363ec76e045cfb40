// `yav --console`: the command window on a terminal. The command-window model keeps the text,
// the prompt and the history; this file only draws its last line and reads keys.
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "console/front_ends.h"
#include "console/input_line.h"
#include "engine/kernel.h"
#include "ui/command_window.h"
#include "target/connection.h"
#include "ui/startup.h"

namespace yav {

namespace {

volatile std::sig_atomic_t gInterrupted = 0;
extern "C" void onInterrupt(int) { gInterrupted = 1; }

// Ctrl-C requests a stop instead of ending the program.
void catchInterrupt() {
  struct sigaction sa {};
  sa.sa_handler = onInterrupt;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = 0;  // no restart: a waiting read returns so the request is seen at once
  sigaction(SIGINT, &sa, nullptr);
}

void writeOut(std::string_view s) {
  std::fwrite(s.data(), 1, s.size(), stdout);
  std::fflush(stdout);
}

// Character-at-a-time input without echo while the console runs; restored at the end.
class RawTerminal {
 public:
  RawTerminal() {
    if (tcgetattr(STDIN_FILENO, &saved_) != 0) return;
    termios raw = saved_;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    active_ = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
  }
  ~RawTerminal() {
    if (active_) tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
  }
  RawTerminal(const RawTerminal&) = delete;
  RawTerminal& operator=(const RawTerminal&) = delete;

 private:
  termios saved_{};
  bool active_ = false;
};

// Draws the model's text: finished lines scroll away, the input line is redrawn in place.
// Without a terminal every inserted piece is written as it comes, which makes a transcript.
class TerminalView : public CommandWindowListener {
 public:
  TerminalView(CommandWindowModel& model, bool tty) : model_(model), tty_(tty) {}

  void spliced(size_t pos, size_t removed, std::string_view inserted) override {
    if (!tty_) return writeOut(inserted);
    const bool append = removed == 0 && pos == mirror_.size() && pos >= lineStart_;
    mirror_.replace(pos, removed, inserted);
    if (append && cursorAtEnd_ && model_.caret() == mirror_.size()) {  // plain typing or output
      writeOut(inserted);
      size_t nl = mirror_.rfind('\n');
      if (nl != std::string::npos && nl >= lineStart_) lineStart_ = nl + 1;
      return;
    }
    if (pos < lineStart_) {
      if (inserted.empty() && pos + removed <= lineStart_) {  // old lines dropped: already on screen
        lineStart_ -= removed;
        return;
      }
      lineStart_ = pos;
    }
    redraw();
  }
  void caretMoved() override {
    if (tty_) redraw();
  }

  // Clears the input line so a message can be written, then redraw() puts it back.
  void clearLine() {
    if (tty_) writeOut("\r\033[K");
    cursorAtEnd_ = false;
  }
  void redraw() {
    if (!tty_) return;
    std::string out = "\r\033[K";
    size_t nl = mirror_.rfind('\n');
    if (nl != std::string::npos && nl >= lineStart_) {
      out += mirror_.substr(lineStart_, nl + 1 - lineStart_);
      lineStart_ = nl + 1;
    }
    out += mirror_.substr(lineStart_);
    size_t back = mirror_.size() - std::min(mirror_.size(), model_.caret());
    if (back) out += "\033[" + std::to_string(back) + "D";
    cursorAtEnd_ = back == 0;
    writeOut(out);
  }

 private:
  CommandWindowModel& model_;
  bool tty_;
  std::string mirror_;
  size_t lineStart_ = 0;  // where the line being drawn starts in mirror_
  bool cursorAtEnd_ = true;
};

enum class Key { None, Char, Enter, Backspace, Left, Right, Up, Down, Home, End, PageUp, PageDown, Escape, Interrupt,
                 EndOfInput };

struct KeyPress {
  Key key = Key::None;
  char c = 0;
};

// Reads keys from the terminal, decoding the escape sequences of the cursor keys.
class KeyReader {
 public:
  // Waits up to timeoutMs (-1: for ever) for one byte; false on timeout, interrupt or end.
  bool nextByte(int timeoutMs, unsigned char& b) {
    if (!pending_.empty()) {
      b = static_cast<unsigned char>(pending_.front());
      pending_.erase(0, 1);
      return true;
    }
    pollfd pfd{STDIN_FILENO, POLLIN, 0};
    if (poll(&pfd, 1, timeoutMs) <= 0) return false;
    ssize_t n = read(STDIN_FILENO, &b, 1);
    if (n == 0) ended_ = true;
    return n == 1;
  }

  KeyPress next() {
    unsigned char b = 0;
    while (true) {
      if (gInterrupted) {
        gInterrupted = 0;
        return {Key::Interrupt};
      }
      if (nextByte(-1, b)) break;
      if (ended_) return {Key::EndOfInput};
    }
    switch (b) {
      case '\r':
      case '\n':
        return {Key::Enter};
      case 0x7F:
      case 0x08:
        return {Key::Backspace};
      case 0x03:
        return {Key::Interrupt};
      case 0x04:
        return {Key::EndOfInput};
      case 0x1B:
        return escapeSequence();
      default:
        if (b < 0x20 && b != '\t') return {Key::None};
        return {Key::Char, static_cast<char>(b)};
    }
  }

  // While a command runs: takes what was typed; true when Escape is among it. The rest waits.
  bool escapeTyped() {
    unsigned char b;
    std::string got;
    pollfd pfd{STDIN_FILENO, POLLIN, 0};
    while (poll(&pfd, 1, 0) > 0 && read(STDIN_FILENO, &b, 1) == 1) got += static_cast<char>(b);
    bool escape = false;
    for (size_t i = 0; i < got.size(); ++i) {
      if (got[i] != 0x1B) continue;
      bool sequence = i + 1 < got.size() && (got[i + 1] == '[' || got[i + 1] == 'O');
      if (!sequence) {
        escape = true;
        got.erase(i--, 1);
      }
    }
    pending_ += got;
    return escape;
  }

 private:
  KeyPress escapeSequence() {
    unsigned char b;
    if (!nextByte(50, b) || (b != '[' && b != 'O')) return {Key::Escape};
    std::string params;
    while (nextByte(50, b)) {
      if (b >= 0x40 && b <= 0x7E) break;
      params += static_cast<char>(b);
    }
    switch (b) {
      case 'A': return {Key::Up};
      case 'B': return {Key::Down};
      case 'C': return {Key::Right};
      case 'D': return {Key::Left};
      case 'H': return {Key::Home};
      case 'F': return {Key::End};
      case '~':
        if (params == "1" || params == "7") return {Key::Home};
        if (params == "4" || params == "8") return {Key::End};
        if (params == "5") return {Key::PageUp};
        if (params == "6") return {Key::PageDown};
        return {Key::None};
      default:
        return {Key::None};
    }
  }

  std::string pending_;
  bool ended_ = false;
};

// The kernel's port on the terminal: output into the command-window model, messages to stderr.
class ConsoleUiPort : public UiPort {
 public:
  explicit ConsoleUiPort(bool tty) : tty_(tty) {}
  void attach(Kernel* k, CommandWindowModel* model, TerminalView* view, KeyReader* keys) {
    k_ = k;
    model_ = model;
    view_ = view;
    keys_ = keys;
  }

  void output(std::string_view text) override {
    if (model_) model_->output(text);
  }

  void messageBox(std::string_view title, std::string_view text, MsgIcon) override {
    if (view_) view_->clearLine();
    std::string line(title);
    line.append(": ").append(text);
    if (line.empty() || line.back() != '\n') line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    if (view_) view_->redraw();
  }

  bool askYesNo(std::string_view title, std::string_view text) override {
    if (view_) view_->clearLine();
    std::string question(title);
    question.append(": ").append(text);
    while (!question.empty() && question.back() == '\n') question.pop_back();
    question += " (y/n) ";
    writeOut(question);
    bool yes = tty_ ? answerFromKeys() : answerFromTerminal();
    writeOut(yes ? "y\n" : "n\n");
    if (view_) view_->redraw();
    return yes;
  }

  // A line typed after the prompt; Escape, Ctrl-C or the end of input cancel it. Without a
  // terminal the answer is the next line of standard input, where the commands come from.
  bool askText(std::string_view, std::string_view prompt, std::string& answer) override {
    if (view_) view_->clearLine();
    answer.clear();
    writeOut(std::string(prompt) + ": ");
    bool given = false;
    if (tty_ && keys_) {
      given = lineFromKeys(answer);
      writeOut("\n");
    } else {
      given = readInputLine(answer);
      writeOut(answer + "\n");
    }
    if (!given) answer.clear();
    if (view_) view_->redraw();
    return given;
  }

  void beep() override {
    if (tty_) writeOut("\a");
  }

  PumpResult pumpEvents() override {
    PumpResult r;
    if (gInterrupted) {
      gInterrupted = 0;
      r.stop = true;
    }
    if (tty_ && keys_ && keys_->escapeTyped()) r.stop = true;
    if (r.stop && k_) k_->exec.stopreq = true;
    return r;
  }

 private:
  bool answerFromKeys() {
    while (true) {
      KeyPress kp = keys_->next();
      if (kp.key == Key::Char && (kp.c == 'y' || kp.c == 'Y')) return true;
      if (kp.key == Key::Char && (kp.c == 'n' || kp.c == 'N')) return false;
      if (kp.key == Key::Escape || kp.key == Key::Interrupt || kp.key == Key::EndOfInput) return false;
    }
  }
  bool lineFromKeys(std::string& line) {
    while (true) {
      KeyPress kp = keys_->next();
      switch (kp.key) {
        case Key::Enter: return true;
        case Key::Char:
          line += kp.c;
          writeOut(std::string_view(&kp.c, 1));
          break;
        case Key::Backspace:
          if (!line.empty()) {
            line.pop_back();
            writeOut("\b \b");
          }
          break;
        case Key::Escape:
        case Key::Interrupt:
        case Key::EndOfInput: return false;
        default: break;
      }
    }
  }
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

  bool tty_;
  Kernel* k_ = nullptr;
  CommandWindowModel* model_ = nullptr;
  TerminalView* view_ = nullptr;
  KeyReader* keys_ = nullptr;
};

void interactiveLoop(Kernel& k, CommandWindowModel& model, KeyReader& keys) {
  while (!k.disp.quitting) {
    KeyPress kp = keys.next();
    switch (kp.key) {
      case Key::Char: model.typeChar(kp.c); break;
      case Key::Enter: model.pressKey(CmdKey::Enter); break;
      case Key::Backspace: model.pressKey(CmdKey::Backspace); break;
      case Key::Left: model.pressKey(CmdKey::Left); break;
      case Key::Right: model.pressKey(CmdKey::Right); break;
      case Key::Up: model.pressKey(CmdKey::Up); break;
      case Key::Down: model.pressKey(CmdKey::Down); break;
      case Key::Home: model.pressKey(CmdKey::Home); break;
      case Key::End: model.pressKey(CmdKey::End); break;
      case Key::PageUp: model.pressKey(CmdKey::PageUp); break;
      case Key::PageDown: model.pressKey(CmdKey::PageDown); break;
      case Key::Escape:
      case Key::Interrupt: k.exec.stopreq = true; break;
      case Key::EndOfInput: return;
      case Key::None: break;
    }
  }
}

void plainLoop(Kernel& k, CommandWindowModel& model) {
  std::string line;
  while (!k.disp.quitting && readInputLine(line)) {
    if (gInterrupted) {
      gInterrupted = 0;
      k.exec.stopreq = true;
    }
    model.typeText(line);
    model.pressKey(CmdKey::Enter);
  }
}

}  // namespace

int runConsole(const StartOptions& opt) {
  catchInterrupt();
  const bool tty = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
  ConsoleUiPort port(tty);
  Kernel k(port);
  CommandWindowModel model(k);
  TerminalView view(model, tty);
  KeyReader keys;
  port.attach(&k, &model, &view, &keys);
  model.setListener(&view);
  std::optional<RawTerminal> raw;
  if (tty) raw.emplace();

  model.open();
  runStartup(k, opt);
  model.ensurePrompt();
  if (tty) interactiveLoop(k, model, keys);
  else plainLoop(k, model);
  target::shutdownTarget(k);
  writeOut("\n");
  model.setListener(nullptr);
  return 0;
}

}  // namespace yav
