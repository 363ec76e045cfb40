// The files a memory window writes: the code dump (one disassembled instruction per line), the
// data dump (rows in the window's layout) and the S-record dump of a range.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/kernel.h"
#include "model/disasm.h"
#include "model/target_memory.h"
#include "ui/memory_window_spec.h"

namespace yav {

// Every instruction that starts from `from` up to and including `to`: the address ("%+05hl "),
// a blank, the instruction's bytes ("%+02hi" each, two blanks per missing byte up to six),
// the instruction text and a line feed.
std::string codeDumpText(const CodeReader& code, const LabelList* labels, uint32_t from, uint32_t to);

// Rows of the layout from `from` until a row starts past `to`: the address, then each item in
// the window's base and size followed by a blank, then the characters when the column is on.
// Nothing when the memory cannot be read.
std::optional<std::string> dataDumpText(TargetMemory& memory, uint32_t from, uint32_t to, const DataLayout& layout);

// Target memory read for the S-record dump through a cache of at most 512 bytes, refilled from
// the address asked for whenever it falls outside the cache.
class SRecordCache {
 public:
  static constexpr uint32_t kMaxBytes = 512;
  SRecordCache(TargetMemory& memory, uint32_t last) : memory_(memory), last_(last) {}
  // The byte at `address` (at most `last`); false when the target cannot be read.
  bool byte(uint32_t address, uint8_t& out);
  int refills() const { return refills_; }

 private:
  TargetMemory& memory_;
  uint32_t last_;
  uint32_t start_ = 0;
  std::vector<uint8_t> bytes_;
  int refills_ = 0;
};

// The S-records of the bytes from `from` to `to` (both taken modulo 0x20000): S1 records when
// both lie below 0x10000, else S2; at most 32 data bytes per record; then the terminator.
// Nothing when `to` lies below `from` or the memory cannot be read.
std::optional<std::string> srecordText(TargetMemory& memory, uint32_t from, uint32_t to);

// Writes a dump file; "Can't write " and the name when it cannot be created.
bool writeDumpFile(Kernel& k, const std::string& path, const std::string& text);

}  // namespace yav
