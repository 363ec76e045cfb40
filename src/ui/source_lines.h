// The state of each line of a shown source file: code, code address, the breakpoint on it
// (active or suspended, with its event number) and whether execution has reached it.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/kernel.h"
#include "ui/source_file.h"

namespace yav {

enum class BreakMark : uint8_t { None, Active, Suspended };

struct SourceLineState {
  bool hasCode = false;
  uint32_t address = 0;
  BreakMark mark = BreakMark::None;
  uint16_t event = 0;  // number of the event on the line when marked
  bool executed = false;
};

class SourceLineModel {
 public:
  // Re-reads the events for `file`; `executed` lists (by line) the lines execution has reached.
  void rebuild(Kernel& k, const LoadedSource& file, const std::vector<bool>& executed);
  // Line `n` from 1; a line without code outside the file.
  const SourceLineState& operator[](size_t n) const { return n < lines_.size() ? lines_[n] : none_; }

 private:
  std::vector<SourceLineState> lines_;  // index 0 unused
  SourceLineState none_;
};

}  // namespace yav
