#include "ui/stack_view.h"

#include "engine/display_state.h"
#include "engine/frames.h"

namespace yav {

void StackModel::refresh(Kernel& k) {
  const FrameChain& chain = frameChain(k);
  lines_.clear();
  places_.clear();
  for (const Frame& f : chain.frames) {
    lines_.push_back(frameLine(f));
    SourcePlace p;
    if (f.function && f.function->file) {
      p.file = f.function->file->name;
      p.line = static_cast<int>(f.line != 0 ? f.line : f.firstLine);
    }
    places_.push_back(std::move(p));
  }
  selected_ = chain.current;
}

SourcePlace StackModel::place(size_t line) const { return line < places_.size() ? places_[line] : SourcePlace{}; }

std::string StackModel::saveText() const {
  std::string text(kStackFileHeader);
  for (const std::string& l : lines_) text += l + "\n";
  return text;
}

}  // namespace yav
