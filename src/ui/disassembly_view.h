// The disassembly window's logic: the instructions around the program counter, followed at
// every stop, and the rows it shows.
#pragma once
#include <cstdint>

#include "engine/kernel.h"
#include "ui/memory_code_rows.h"

namespace yav {

// The start address `lines` instructions further down (or up: one byte back at a time until an
// instruction ends at the old start, else one byte) from `start`.
uint32_t scrolledStart(Kernel& k, uint32_t start, int lines);

class DisassemblyModel {
 public:
  // At a stop (the PC moved since the last call): keeps the rows when the PC lies on one of them
  // before the last, else starts at the PC's line entry (when it lies within a few instructions
  // before the PC) or at the PC. While the PC stays, the rows stay where the user scrolled them.
  void followPc(Kernel& k, int rowCount);
  // Rows from the current start.
  CodePaint paint(Kernel& k, int rowCount) { return rows_.paint(k, rowCount); }
  uint32_t start() const { return rows_.start(); }
  void setStart(uint32_t start) { rows_.setStart(start); }
  const std::vector<uint32_t>& shownAddresses() const { return rows_.shownAddresses(); }
  // Scrolls by whole instructions (down: the second row's address becomes the start; up: one
  // byte back at a time until an instruction ends at the old start, else one byte).
  void scroll(Kernel& k, int lines) { rows_.setStart(scrolledStart(k, rows_.start(), lines)); }

 private:
  CodeRowsModel rows_;
  bool followed_ = false;
  uint32_t lastPc_ = 0;
};

// How far before the PC its line entry may start and still be the first row shown.
inline constexpr uint32_t kLineStartReach = 32;

}  // namespace yav
