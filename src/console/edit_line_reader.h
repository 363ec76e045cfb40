// The line reader of an interactive terminal, built on libedit: Emacs keys, reverse search,
// history kept in a file between runs, Tab completion, Ctrl-C drops the line being typed and
// Ctrl-D ends the input only on an empty line.
#pragma once
#include <termios.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "console/completion.h"
#include "console/line_reader.h"

typedef struct editline EditLine;
typedef struct history History;

namespace yav {

class EditLineReader : public LineReader {
 public:
  using Completer = std::function<Completion(std::string_view beforeCursor)>;
  // Reads from `in` and draws on `out` (both terminals); `historyFile` is read now and the lines
  // remembered in this run are added to it at the end ("" keeps no file).
  EditLineReader(std::FILE* in, std::FILE* out, Completer completer, std::string historyFile);
  ~EditLineReader() override;
  EditLineReader(const EditLineReader&) = delete;
  EditLineReader& operator=(const EditLineReader&) = delete;

  LineRead read(std::string_view prompt) override;
  void remember(const std::string& line) override;
  // While a command runs the terminal hands over keys one by one without echo, so Escape is
  // seen at once; the other keys are given to the editor for the next line.
  void commandStarts() override;
  void commandEnded() override;
  bool escapeTyped() override;
  bool keyPressed() override;

  // Key handlers bound in libedit (called through its C interface).
  unsigned char interruptKey();
  unsigned char endOrDeleteKey();
  unsigned char completeKey();

  const char* prompt() const { return prompt_.c_str(); }

 private:
  LineRead readLine(std::string_view prompt);
  void listCandidates(const std::vector<std::string>& candidates);

  std::FILE* out_;
  EditLine* el_ = nullptr;
  History* hist_ = nullptr;
  Completer completer_;
  std::string historyFile_;
  std::vector<std::string> newLines_;
  std::string prompt_;
  int inFd_;
  std::optional<termios> commandMode_;  // the terminal's settings to restore after a command
  std::string typedAhead_;
  bool interrupted_ = false;
  int interruptedBeforeEnd_ = 0;  // characters after the cursor when Ctrl-C came
  bool ended_ = false;
};

}  // namespace yav
