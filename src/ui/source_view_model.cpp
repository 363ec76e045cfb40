#include "ui/source_view_model.h"

#include <algorithm>

#include "engine/kernel_eval.h"
#include "model/loader.h"
#include "ui/source_expression.h"

namespace yav {

namespace {
constexpr size_t kMargin = 3;  // lines kept above a line made visible, columns before a match
}

std::optional<ExecutionMark> executionMark(Kernel& k) {
  if (!k.target || !k.target->connected() || !k.regs.valid || k.exec.running) return std::nullopt;
  const DebugRecord* r = k.prog.program->tables.lineAt(currentPc(k));
  if (!r || r->startLine == 0) return std::nullopt;
  ExecutionMark m{r->fileName, r->startLine, std::nullopt};
  const bool oneLine = r->endLine == 0 || r->endLine == r->startLine;
  if (r->startColumn > 0 && r->endColumn >= r->startColumn && oneLine) {
    m.columns = std::make_pair<size_t, size_t>(r->startColumn, r->endColumn);  // raw, from 1
  }
  return m;
}

std::string SourceViewModel::title() const { return main_ ? "Source" : "Browser: " + name_; }

void SourceViewModel::adopt(std::shared_ptr<const LoadedSource> file) {
  if (file == file_) return;
  const bool sameName = file_ && file && file_->name() == file->name();
  file_ = std::move(file);
  executed_.assign(file_->lineCount() + 1, false);
  longest_ = 0;
  for (size_t n = 1; n <= file_->lineCount(); ++n) longest_ = std::max(longest_, displayed(n).size());
  selection_.reset();
  if (!sameName) {
    firstLine_ = firstColumn_ = 0;
    current_ = 0;
    search_.reset();
  }
}

void SourceViewModel::rebuildLines(Kernel& k) {
  exec_.reset();
  if (!file_) return;
  if (std::optional<ExecutionMark> m = executionMark(k); m && m->file == name_ && m->line <= file_->lineCount()) {
    const LineCode* code = file_->code(m->line);
    if (m->columns && code && code->records > 1) {
      // The statement's characters (from 1, last one included) as text columns.
      const std::string_view line = file_->line(m->line);
      m->columns = std::make_pair(displayColumn(line, m->columns->first - 1), displayColumn(line, m->columns->second));
    } else {
      m->columns.reset();
    }
    if (m->line < executed_.size()) executed_[m->line] = true;
    exec_ = std::move(m);
  }
  lines_.rebuild(k, *file_, executed_);
}

bool SourceViewModel::showFile(Kernel& k, const std::string& file, size_t line, const SourceOpen& open) {
  std::shared_ptr<const LoadedSource> loaded = loadedSource(k, file, open);
  if (!loaded) return false;
  name_ = file;
  adopt(std::move(loaded));
  rebuildLines(k);
  if (line > 0) {
    current_ = std::min(line, lineCount());
    makeVisible(current_);
  }
  return true;
}

void SourceViewModel::refresh(Kernel& k, const SourceOpen& open) {
  if (main_) {
    if (std::optional<ExecutionMark> m = executionMark(k)) {
      SourceOpen asking = open;
      if (showFile(k, m->file, m->line, asking)) return;
    }
  }
  if (!name_.empty()) {
    SourceOpen quiet = open;
    quiet.ask = false;  // a file shown before is not asked for again at every stop
    if (std::shared_ptr<const LoadedSource> loaded = loadedSource(k, name_, quiet)) adopt(std::move(loaded));
  }
  rebuildLines(k);
}

void SourceViewModel::scrollTo(size_t n) {
  const size_t count = lineCount();
  if (n + visible_ > count) n = count > visible_ ? count - visible_ : 0;
  firstLine_ = n;
}

void SourceViewModel::makeVisible(size_t n) {
  if (n == 0) return;
  const size_t line = n - 1;  // from 0
  const size_t top = firstLine_ + kMargin;
  const size_t bottom = firstLine_ + visible_ > kMargin ? firstLine_ + visible_ - kMargin : 0;
  if (line < top || line >= bottom) firstLine_ = n > kMargin ? n - kMargin : 0;
}

void SourceViewModel::centre(size_t n) {
  const size_t half = (visible_ + 1) / 2;
  firstLine_ = n > half ? n - half : 0;
}

SearchResult SourceViewModel::findNext(size_t visibleColumns) {
  const SearchResult r = searchNext(search_, lineCount(), [this](size_t n) { return displayed(n); });
  if (r != SearchResult::Found) return r;
  const auto column = static_cast<size_t>(search_.column);
  if (column < firstColumn_ || column + search_.length > firstColumn_ + visibleColumns) {
    firstColumn_ = column > kMargin ? column - kMargin : 0;
  }
  current_ = search_.line;
  makeVisible(search_.line);
  return r;
}

SourceGeometry SourceViewModel::geometry(int lineHeight, int charWidth) const {
  const LinePrefix p = prefix();
  return {firstLine_, firstColumn_, lineCount(), lineHeight, charWidth, p.columns(), p.numberWidth + 1};
}

std::optional<std::string> SourceViewModel::expressionAt(Kernel& k, const SourceHit& hit) const {
  if (hit.area != HitArea::Text) return std::nullopt;
  std::optional<std::string> e = yav::expressionAt(displayed(hit.line), hit.column);
  if (!e) return std::nullopt;
  return qualifyExpression(*k.prog.program, name_, hit.line, *e, main_);
}

std::optional<std::string> SourceViewModel::selectionExpression(Kernel& k, size_t line, size_t from, size_t to) const {
  std::optional<std::string> e = selectedExpression(displayed(line), from, to);
  if (!e) return std::nullopt;
  return qualifyExpression(*k.prog.program, name_, line, *e, main_);
}

bool SourceViewModel::select(Kernel& k, size_t line, size_t from, size_t to) {
  std::optional<std::string> e = selectionExpression(k, line, from, to);
  if (!e) return false;
  selection_ = SourceSelection{line, std::min(from, to), std::max(from, to), std::move(*e)};
  return true;
}

std::optional<std::string> SourceViewModel::popupExpression(Kernel& k, const SourceHit& hit) const {
  if (selection_ && hit.area == HitArea::Text && hit.line == selection_->line && hit.column >= selection_->from &&
      hit.column <= selection_->to) {
    return selection_->expression;
  }
  return expressionAt(k, hit);
}

PopupContext SourceViewModel::popupContext(size_t line, const std::string& expression) const {
  const SourceLineState& s = lineState(line);
  return {name_, line, s.address, s.event, s.mark == BreakMark::Active, expression};
}

}  // namespace yav
