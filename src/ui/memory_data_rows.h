// The rows of a data memory window: what each row shows and which items changed since the
// last paint. Memory is read through the read-ahead block, filled once per paint.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/kernel.h"
#include "model/read_ahead_memory.h"
#include "ui/memory_window_spec.h"

namespace yav {

inline constexpr const char* kCantReadWhileRunning = "Can't Read Memory while running";

struct DataItem {
  std::string text;      // the digits, without the blank after them
  bool changed = false;  // differs from the item painted last at this place
};

struct DataRow {
  uint32_t address = 0;
  std::string addressText;  // five hexadecimal digits
  std::vector<DataItem> items;
  std::string characters;  // empty when the column is off
  bool readable = true;    // false: the items show '?'

  // The row as text: address and blank, each item and a blank, then the characters.
  std::string text() const;
};

struct DataPaint {
  std::string message;  // shown instead of rows (the target runs)
  std::vector<DataRow> rows;
};

class DataRowsModel {
 public:
  DataRowsModel(uint32_t start, const DataLayout& layout) : start_(start), layout_(layout) {}

  uint32_t start() const { return start_; }
  const DataLayout& layout() const { return layout_; }
  // A new start address or layout marks the window fresh: its next paint marks nothing.
  void setStart(uint32_t start);
  void setLayout(const DataLayout& layout);
  void markFresh() { fresh_ = true; }

  // The rows from the start address, read through `memory` (null: nothing readable); while
  // `running` only the message. Remembers the items for the next change marking.
  DataPaint paint(TargetMemory* memory, bool running, int rowCount);
  // The same on the kernel's target.
  DataPaint paint(Kernel& k, int rowCount);

 private:
  uint32_t start_;
  DataLayout layout_;
  bool fresh_ = true;
  std::vector<std::optional<uint32_t>> shown_;  // items of the last paint, row by row
  ReadAheadMemory readAhead_;
};

// Bytes the read-ahead block takes for `rows` rows: all of them, at most the block's size.
size_t readAheadBytes(int rows, int bytesPerRow);

}  // namespace yav
