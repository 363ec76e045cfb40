#include "ui/command_window.h"

#include <algorithm>

#include "engine/dispatcher.h"

namespace yav {

namespace {
// Keeps the typed-command flag raised exactly while a typed line runs, even if the run unwinds.
struct FlagRaised {
  explicit FlagRaised(bool& f) : flag(f) { flag = true; }
  ~FlagRaised() { flag = false; }
  bool& flag;
};
}  // namespace

size_t CommandWindowModel::lastLineStart() const {
  size_t nl = text_.rfind('\n');
  return nl == std::string::npos ? 0 : nl + 1;
}

size_t CommandWindowModel::caret() const {
  return std::min(text_.size(), lastLineStart() + static_cast<size_t>(std::max(column_, 0)));
}

void CommandWindowModel::beep() { k_.ui->beep(); }

void CommandWindowModel::splice(size_t pos, size_t removed, std::string_view inserted, int newColumn) {
  text_.replace(pos, removed, inserted);
  if (newColumn >= 0) column_ = newColumn;
  if (listener_) listener_->spliced(pos, removed, inserted);
}

void CommandWindowModel::setColumn(int column) {
  column_ = column;
  if (listener_) listener_->caretMoved();
}

// Appends at the end of the text within the edit pane's limit: when the text would not fit,
// the oldest whole lines go first, so new output is never refused.
void CommandWindowModel::appendAtEnd(std::string_view s) {
  if (s.size() > kTextLimit) s = s.substr(0, kTextLimit);
  if (text_.size() + s.size() > kTextLimit) {
    size_t over = text_.size() + s.size() - kTextLimit;
    size_t nl = text_.find('\n', over - 1);
    splice(0, nl == std::string::npos ? text_.size() : nl + 1, {});
  }
  size_t nl = s.rfind('\n');
  size_t column = nl == std::string_view::npos ? text_.size() - lastLineStart() + s.size() : s.size() - nl - 1;
  splice(text_.size(), 0, s, static_cast<int>(column));
}

void CommandWindowModel::open() {
  open_ = true;
  outputCount_ = 0;
  splice(0, text_.size(), {});
  appendAtEnd(kPrompt);
  setColumn(kPromptColumn);
}

void CommandWindowModel::close() {
  if (!open_) return;
  open_ = false;
  splice(0, text_.size(), {});
  column_ = 0;
}

void CommandWindowModel::ensurePrompt() {
  if (!open_ || lastLine() == kPrompt) return;
  if (!text_.empty() && text_.back() != '\n') appendAtEnd("\n");
  appendAtEnd(kPrompt);
  setColumn(kPromptColumn);
}

// One piece of output up to (and without) a line end, or the remainder of the text.
void CommandWindowModel::appendOutputPiece(std::string_view piece, bool endsLine) {
  if (outputCount_ < kReplaceCount) {
    appendAtEnd(piece);
  } else {
    splice(0, text_.size(), {});
    appendAtEnd(piece);
    outputCount_ = 0;
  }
  if (endsLine) appendAtEnd("\n");
  outputCount_ += piece.size();
}

void CommandWindowModel::output(std::string_view text) {
  if (!open_) {
    if (!autoShow_) return;
    if (listener_) listener_->showRequested();
    if (!open_) return;
  }
  std::string line;
  for (char c : text) {
    if (c == '\r') continue;  // the pane has its own line ends
    if (c == '\n') {
      appendOutputPiece(line, true);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) appendOutputPiece(line, false);
}

void CommandWindowModel::showHistoryEntry(int index) {
  historyCursor_ = index;
  const std::string& entry = history_[static_cast<size_t>(index)];
  size_t start = lastLineStart();
  std::string shown(kPrompt);
  shown += entry;
  splice(start, text_.size() - start, shown, static_cast<int>(shown.size()));
}

void CommandWindowModel::runTypedLine() {
  if (typedCommand_) {  // a typed line is still running: no nested run from typed-ahead keys
    beep();
    return;
  }
  std::string line = lastLine().substr(0, kMaxInputLine);
  if (line.starts_with(kPrompt)) line.erase(0, kPrompt.size());
  appendAtEnd("\n");
  if (!line.empty()) {
    {
      FlagRaised running(typedCommand_);
      runCommandLine(k_, line.c_str(), 1);
    }
    if (history_.size() == kHistoryMax) history_.pop_back();
    history_.push_front(line);
    historyCursor_ = -1;
  }
  if (k_.disp.quitting) return;  // the front-end is closing: no new prompt
  if (listener_) listener_->activateRequested();
  ensurePrompt();
}

void CommandWindowModel::pressKey(CmdKey key) {
  if (!open_) return;
  switch (key) {
    case CmdKey::PageUp:
    case CmdKey::PageDown:
    case CmdKey::Home:
    case CmdKey::End:
      beep();
      return;
    case CmdKey::Left:
      if (column_ <= kPromptColumn) return beep();
      return setColumn(column_ - 1);
    case CmdKey::Right:
      // The caret cannot pass the end of the line, so neither does the column.
      if (caret() < text_.size()) setColumn(column_ + 1);
      return;
    case CmdKey::Up:
      if (history_.empty()) return;
      if (historyCursor_ < 0) return showHistoryEntry(0);
      if (static_cast<size_t>(historyCursor_) + 1 < history_.size()) showHistoryEntry(historyCursor_ + 1);
      return;
    case CmdKey::Down:
      if (historyCursor_ > 0) showHistoryEntry(historyCursor_ - 1);
      return;
    case CmdKey::Backspace: {
      if (column_ <= kPromptColumn) return beep();
      size_t at = caret();
      splice(at - 1, 1, {}, column_ - 1);
      return;
    }
    case CmdKey::Enter:
      return runTypedLine();
  }
}

void CommandWindowModel::typeChar(char c) {
  if (!open_) return;
  if (c == '\r' || c == '\n') return pressKey(CmdKey::Enter);
  if (c == '\b') return pressKey(CmdKey::Backspace);
  if (text_.size() >= kTextLimit) return beep();
  size_t at = caret();
  splice(at, 0, std::string_view(&c, 1), column_ + 1);
}

void CommandWindowModel::typeText(std::string_view text) {
  for (char c : text) typeChar(c);
}

}  // namespace yav
