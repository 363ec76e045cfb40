#include "console/terminal_view.h"

#include "console/colour.h"

namespace yav {

void TerminalView::spliced(size_t, size_t, std::string_view inserted) {
  if (!editor_) {
    if (!colour_) return write_(inserted);
    // Pieces come a line at a time (the model splits output at line ends), so a piece that
    // starts a line holds the whole line.
    return writeLinePiece(inserted);
  }
  if (inserted.empty()) return;  // old text dropped from the model: already on screen
  if (!echo_.empty()) {
    if (echo_.starts_with(inserted)) {
      echo_.erase(0, inserted.size());
      return;
    }
    echo_.clear();  // the model did not echo as expected (a refused key): write what comes
  }
  // The editor draws the prompt when it reads; output that follows a prompt nobody typed at
  // (start-up messages) keeps a line of its own.
  if (atLineStart_ && inserted == CommandWindowModel::kPrompt) return;
  writeLinePiece(inserted);
}

void TerminalView::writeLinePiece(std::string_view piece) {
  if (colour_ && atLineStart_ && piece != "\n") {
    const bool ends = piece.ends_with('\n');
    std::string painted = paintLine(k_, ends ? piece.substr(0, piece.size() - 1) : piece);
    if (ends) painted += '\n';
    write_(painted);
  } else {
    write_(piece);
  }
  atLineStart_ = piece.ends_with('\n');
}

void TerminalView::breakLine() {
  if (!editor_ || atLineStart_) return;
  write_("\n");
  atLineStart_ = true;
}

}  // namespace yav
