// The rows of a code view (code memory windows and the disassembly window): one instruction
// each, with the marks the view paints (event on the address, the PC, the PC's line range).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel.h"
#include "model/disasm.h"
#include "model/read_ahead_memory.h"

namespace yav {

enum class EventMark : uint8_t { None, Active, Suspended };

struct CodeRow {
  uint32_t address = 0;
  int length = 1;           // bytes of the instruction (at least 1)
  std::string addressText;  // five hexadecimal digits
  std::string bytesText;    // two digits per byte, two blanks per missing byte: 12 columns
  std::string mnemonic;     // the instruction text up to its first blank
  std::string operand;      // the rest, from the first blank on
  EventMark event = EventMark::None;
  int eventNumber = 0;       // the user event at this address, 0 when none
  bool atPc = false;         // the instruction at the program counter
  bool inLineRange = false;  // inside the address range of the PC's line entry

  // Columns of the row text: address, two blanks, the bytes, then mnemonic and operand.
  static constexpr int kAddressColumns = 5;
  static constexpr int kTextColumn = kAddressColumns + 2 + 12;
  std::string text() const { return addressText + "  " + bytesText + mnemonic + operand; }
};

// The instructions from `start` on, `count` of them, as the disassembler reads them.
std::vector<CodeRow> readCodeRows(const CodeReader& code, const LabelList* labels, uint32_t start, int count);
// One instruction's row.
CodeRow readCodeRow(const CodeReader& code, const LabelList* labels, uint32_t address);

// The kernel's marks on the rows: events (active or suspended), the PC, and (with debug
// information) the rows from the PC's line entry up to the next line entry.
void markCodeRows(Kernel& k, std::vector<CodeRow>& rows);

// The code event of the user at `address`: an address, symbol or label event there, or a line
// event holding the line that starts there. Null when none.
const struct Event* codeEventAt(Kernel& k, uint32_t address);

// The addresses of the PC's line entry range [first, end); empty range when the PC lies in no
// line entry.
struct AddressRange {
  uint32_t first = 0, end = 0;
  bool contains(uint32_t a) const { return a >= first && a < end; }
};
AddressRange pcLineRange(Kernel& k);

struct CodePaint {
  std::string message;  // shown instead of rows (the target runs)
  std::vector<CodeRow> rows;
};

// A code view's rows: the read-ahead block is filled from the start address with the bytes the
// rows can cover (at most 512), then the instructions are read through it.
class CodeRowsModel {
 public:
  explicit CodeRowsModel(uint32_t start = 0) : start_(start) {}
  uint32_t start() const { return start_; }
  void setStart(uint32_t start) { start_ = start; }

  CodePaint paint(Kernel& k, int rowCount);
  // The addresses of the rows painted last (for clicks and scrolling).
  const std::vector<uint32_t>& shownAddresses() const { return shown_; }

 private:
  uint32_t start_;
  std::vector<uint32_t> shown_;
  ReadAheadMemory readAhead_;
};

// Longest instruction plus its prefix, the bytes one row may take from the block.
inline constexpr int kMaxInstructionBytes = 4;

}  // namespace yav
