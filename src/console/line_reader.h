// Where the console's command lines come from. On a terminal an editing reader (libedit) sits
// behind this interface; the console loop sees only finished lines, an interrupt or the end, so
// tests drive it with scripted lines and no terminal.
#pragma once
#include <string>
#include <string_view>

namespace yav {

enum class LineStatus {
  Line,         // a finished line, in `text`
  Interrupted,  // Ctrl-C: the line being typed is dropped
  EndOfInput,   // Ctrl-D on an empty line, or the input ended
};

struct LineRead {
  LineStatus status = LineStatus::EndOfInput;
  std::string text;
};

class LineReader {
 public:
  virtual ~LineReader() = default;
  // Shows `prompt` and reads one line.
  virtual LineRead read(std::string_view prompt) = 0;
  // A command line that ran: offered again by the history keys and kept for the next run.
  virtual void remember(const std::string& line) = 0;

  // Around each command the reader watches the keys typed meanwhile: Escape asks for a stop,
  // the others wait for the next line.
  virtual void commandStarts() {}
  virtual void commandEnded() {}
  // True when Escape was typed since the command started.
  virtual bool escapeTyped() { return false; }
  // True when a key was pressed while the command runs (the key is used up); false without keys.
  virtual bool keyPressed() { return false; }
};

}  // namespace yav
