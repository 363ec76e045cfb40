// Shows the command-window model on a terminal. Without an editing terminal every piece of text
// the model inserts is written as it comes, which makes a transcript (prompt, echoed input and
// output). With the line editor, the editor draws the prompt and the line being typed, so the
// view writes the output alone: it drops the echo of the line just read and the bare prompts the
// model puts at the start of a line.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "engine/kernel.h"
#include "ui/command_window.h"

namespace yav {

class TerminalView : public CommandWindowListener {
 public:
  using Writer = std::function<void(std::string_view)>;
  // `editor`: the line editor draws prompt and input. `colour`: paint errors and stop lines.
  TerminalView(const Kernel& k, Writer write, bool editor, bool colour)
      : k_(k), write_(std::move(write)), editor_(editor), colour_(colour) {}

  void spliced(size_t pos, size_t removed, std::string_view inserted) override;

  // The line the editor read is about to go through the model as typed: its echo, up to and
  // including the line end the model adds, is not written again.
  void expectEcho(std::string_view line) { echo_ = std::string(line) + "\n"; }
  // Text the front-end writes itself (questions, messages) starts on a line of its own.
  void breakLine();

 private:
  void writeLinePiece(std::string_view piece);

  const Kernel& k_;
  Writer write_;
  bool editor_;
  bool colour_;
  std::string echo_;        // rest of the echo still to drop
  bool atLineStart_ = true;  // the last text written ended a line
};

}  // namespace yav
