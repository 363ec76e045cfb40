// The disassembly window's logic: the instructions around the program counter, followed at
// every stop, and the rows it shows.
#pragma once
#include <cstdint>

#include "engine/kernel.h"
#include "ui/memory_code_rows.h"

namespace yav {

class DisassemblyModel {
 public:
  // At a stop: keeps the rows when the PC lies on one of them before the last, else starts at
  // the PC's line entry (when it lies within a few instructions before the PC) or at the PC.
  void followPc(Kernel& k, int rowCount);
  // Rows from the current start.
  CodePaint paint(Kernel& k, int rowCount) { return rows_.paint(k, rowCount); }
  uint32_t start() const { return rows_.start(); }
  void setStart(uint32_t start) { rows_.setStart(start); }
  const std::vector<uint32_t>& shownAddresses() const { return rows_.shownAddresses(); }
  // Scrolls by whole instructions (down: the second row's address becomes the start; up: one
  // byte back at a time until an instruction ends at the old start, else one byte).
  void scroll(Kernel& k, int lines);

 private:
  CodeRowsModel rows_;
};

// How far before the PC its line entry may start and still be the first row shown.
inline constexpr uint32_t kLineStartReach = 32;

}  // namespace yav
