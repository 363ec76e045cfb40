// The command window's logic: the text of its edit pane with the "Yav>" prompt, the input column,
// the history of typed lines, running a typed line through the dispatcher, and appending kernel
// output. A front-end (Qt edit, terminal) only renders the text and forwards keys here.
#pragma once
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "engine/kernel.h"

namespace yav {

// Keys of the edit pane that are not plain characters.
enum class CmdKey { Left, Right, Up, Down, Backspace, Enter, PageUp, PageDown, Home, End };

// Told about every change of the text, so a view can follow it without redrawing everything.
class CommandWindowListener {
 public:
  virtual ~CommandWindowListener() = default;
  // text[pos, pos + removed) was replaced by `inserted`; caret() is already the new caret.
  virtual void spliced(size_t pos, size_t removed, std::string_view inserted) = 0;
  // The caret moved without a text change.
  virtual void caretMoved() {}
  // Output arrived while the window is closed and auto-show is on: open the window (the
  // front-end calls open() on this model when it has done so).
  virtual void showRequested() {}
  // A typed line has run: bring the window to the front and focus its edit pane.
  virtual void activateRequested() {}
};

class CommandWindowModel {
 public:
  static constexpr std::string_view kPrompt = "Yav>";
  static constexpr int kPromptColumn = 4;
  static constexpr size_t kHistoryMax = 20;
  static constexpr size_t kReplaceCount = 53249;  // output since clearing that makes the next line replace all
  static constexpr size_t kTextLimit = 0x10000;
  static constexpr size_t kMaxInputLine = 1022;

  explicit CommandWindowModel(Kernel& k) : k_(k) {}

  void setListener(CommandWindowListener* l) { listener_ = l; }

  // Window lifecycle: opening starts a fresh text holding the prompt; closing drops the text.
  bool isOpen() const { return open_; }
  void open();
  void close();
  // Puts a prompt on a line of its own unless the last line already is a bare prompt.
  void ensurePrompt();

  bool autoShow() const { return autoShow_; }
  void setAutoShow(bool on) { autoShow_ = on; }

  // What reaches the front-end's output: shown, or lost while closed without auto-show.
  void output(std::string_view text);

  // Keyboard input of the edit pane. Refused keys beep through the kernel's port.
  void pressKey(CmdKey key);
  void typeChar(char c);
  void typeText(std::string_view text);  // each character as typed

  const std::string& text() const { return text_; }
  size_t caret() const;
  int column() const { return column_; }
  std::string lastLine() const { return text_.substr(lastLineStart()); }
  const std::deque<std::string>& history() const { return history_; }  // newest first
  int historyCursor() const { return historyCursor_; }                 // -1: none shown
  size_t outputCount() const { return outputCount_; }
  bool typedCommand() const { return typedCommand_; }  // raised while a typed line runs

 private:
  size_t lastLineStart() const;
  void splice(size_t pos, size_t removed, std::string_view inserted, int newColumn = -1);
  void appendAtEnd(std::string_view s);
  void appendOutputPiece(std::string_view piece, bool endsLine);
  void setColumn(int column);
  void runTypedLine();
  void showHistoryEntry(int index);
  void beep();

  Kernel& k_;
  CommandWindowListener* listener_ = nullptr;
  bool open_ = false;
  bool autoShow_ = false;
  bool typedCommand_ = false;
  std::string text_;
  int column_ = 0;
  size_t outputCount_ = 0;
  std::deque<std::string> history_;
  int historyCursor_ = -1;
};

}  // namespace yav
