// What a source view shows and does, without the drawing: the file and its lines, the scroll
// position, the execution line, the search, and the command lines of mouse actions. One model
// per view; the main source view follows execution, secondary views ("Browser: " + file) show the
// file they were opened on.
#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/kernel.h"
#include "ui/source_display.h"
#include "ui/source_file.h"
#include "ui/source_lines.h"
#include "ui/source_mouse.h"
#include "ui/source_popup.h"
#include "ui/source_search.h"

namespace yav {

// Where execution stands in a file: the line, and the text columns of the current statement when
// the line holds several and the program says which one runs (else the whole line).
struct ExecutionMark {
  std::string file;
  size_t line = 0;
  std::optional<std::pair<size_t, size_t>> columns;  // first column, column after the last
};

// The execution point of the stopped target in the source, or nothing (running, no target,
// outside the source).
std::optional<ExecutionMark> executionMark(Kernel& k);

// Text selected with the mouse on one line: columns [from, to] and the expression they pick.
struct SourceSelection {
  size_t line = 0, from = 0, to = 0;
  std::string expression;
};

class SourceViewModel {
 public:
  explicit SourceViewModel(bool mainView) : main_(mainView) {}

  bool isMain() const { return main_; }
  // "Source" for the main view, "Browser: " + file for the others.
  std::string title() const;
  const std::string& fileName() const { return name_; }
  bool hasFile() const { return file_ != nullptr; }

  // Shows `file` and makes `line` (from 1; 0 keeps the position) the current, visible line.
  // False when the file cannot be found: the view stays as it was.
  bool showFile(Kernel& k, const std::string& file, size_t line, const SourceOpen& open);
  // After a stop or a command: the file again if it was forgotten, the events on its lines and the
  // execution line; the main view moves to the file and line where execution stopped.
  void refresh(Kernel& k, const SourceOpen& open);

  size_t lineCount() const { return file_ ? file_->lineCount() : 1; }
  std::string_view markedLine(size_t n) const { return file_ ? file_->line(n) : std::string_view(); }
  const SourceLineState& lineState(size_t n) const { return lines_[n]; }
  std::string displayed(size_t n) const { return displayedText(markedLine(n)); }
  // Longest displayed text of a line, in columns.
  size_t longestLine() const { return longest_; }
  const std::optional<ExecutionMark>& execution() const { return exec_; }

  bool showAddresses() const { return addresses_; }
  void setShowAddresses(bool on) { addresses_ = on; }
  LinePrefix prefix() const { return LinePrefix::forLines(lineCount(), addresses_); }

  // Scrolling. `visibleLines` is set by the view from its height.
  size_t firstLine() const { return firstLine_; }
  size_t firstColumn() const { return firstColumn_; }
  size_t currentLine() const { return current_; }
  void setVisibleLines(size_t n) { visible_ = n == 0 ? 1 : n; }
  size_t visibleLines() const { return visible_; }
  // First visible line n (from 0), moved up so that the last page is full.
  void scrollTo(size_t n);
  void scrollColumns(size_t column) { firstColumn_ = column; }
  // Line n (from 1) visible: if it lies outside the visible lines shrunk by 3 at each end, line
  // n - 3 becomes the first.
  void makeVisible(size_t n);
  // Line n (from 1) in the middle of the view.
  void centre(size_t n);

  // Search: the stored text and direction, the last match as the highlight.
  SourceSearch& search() { return search_; }
  const SourceSearch& search() const { return search_; }
  // Finds the next match and scrolls to it (3 columns before it when the view has to scroll).
  SearchResult findNext(size_t visibleColumns);
  // Cancel: back to line 1, column -1.
  void cancelSearch() { search_.reset(); }

  // Mouse: the click position for the view's geometry.
  SourceGeometry geometry(int lineHeight, int charWidth) const;
  // The expression under a text click, qualified; nothing when the click is on none.
  std::optional<std::string> expressionAt(Kernel& k, const SourceHit& hit) const;
  // A selection of text columns on one line, qualified.
  std::optional<std::string> selectionExpression(Kernel& k, size_t line, size_t from, size_t to) const;
  // Selects columns [from, to] of a line when they hold an expression; false otherwise.
  bool select(Kernel& k, size_t line, size_t from, size_t to);
  void clearSelection() { selection_.reset(); }
  const std::optional<SourceSelection>& selection() const { return selection_; }
  // The expression a right click at `hit` acts on: the selection when the click lies inside it,
  // else the expression under the pointer.
  std::optional<std::string> popupExpression(Kernel& k, const SourceHit& hit) const;
  // What the popup items act on for line `line` and expression `expression`.
  PopupContext popupContext(size_t line, const std::string& expression) const;
  void setCurrentLine(size_t n) { current_ = n; }

 private:
  void adopt(std::shared_ptr<const LoadedSource> file);
  void rebuildLines(Kernel& k);

  bool main_;
  std::string name_;
  std::shared_ptr<const LoadedSource> file_;
  SourceLineModel lines_;
  std::vector<bool> executed_;
  std::optional<ExecutionMark> exec_;
  size_t longest_ = 0;
  bool addresses_ = true;
  size_t firstLine_ = 0, firstColumn_ = 0, current_ = 0, visible_ = 1;
  SourceSearch search_;
  std::optional<SourceSelection> selection_;
};

}  // namespace yav
