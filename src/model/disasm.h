// HC08/HCS08 disassembler: instruction text, lengths and cycle counts, listing lines.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace yav {

// Where the disassembler reads code from (target memory, a file image, a test buffer).
class CodeReader {
 public:
  virtual ~CodeReader() = default;
  virtual uint8_t read_byte(uint32_t address) const = 0;
};

// The label list as the disassembler needs it: the nearest label at or below a value.
class LabelList {
 public:
  virtual ~LabelList() = default;
  // True and the label's name and address when a label lies at or below `value`.
  virtual bool label_at_or_below(uint32_t value, std::string& name, uint32_t& address) const = 0;
};

// The operand text of a value: the nearest label at or below it when it is at most
// `max_offset` away ("name" or "name+5"), else hexadecimal with 2, 4 or 5 digits.
std::string symbolic_value(uint32_t value, uint32_t max_offset, const LabelList* labels);

struct Disassembly {
  int length = 0;    // bytes used; -1 (or -2 after the prefix) for an unknown opcode
  std::string text;  // mnemonic in six columns, then the operand
};

// Disassembles the instruction at `address`. `labels` may be null (no symbolic operands).
Disassembly disassemble(const CodeReader& code, uint32_t address, const LabelList* labels);

// Length, cycle count and bytes of the instruction at `address`; 1, or 0 for an unknown
// opcode. `bytes_out` (may be null) receives up to 4 bytes.
int InstrInformation(const CodeReader& code, uint32_t address, int* length_out, int* cycles_out,
                     uint8_t* bytes_out);

// Source lines shown before an address in a listing with source display on.
struct SourceLine {
  std::string file;
  int line = 0;
  std::string text;
};
class SourceLines {
 public:
  virtual ~SourceLines() = default;
  virtual std::vector<SourceLine> lines_at(uint32_t address) const = 0;
};

// What the listing needs besides the code: labels, the PC marker, breakpoints and source.
struct ListingContext {
  const LabelList* labels = nullptr;
  uint32_t current_pc = 0xFFFFFFFF;        // no marker when it matches no address
  const std::vector<uint32_t>* breakpoints = nullptr;
  bool in_source_listing = false;          // part of a source listing: no markers, no source
  const SourceLines* source = nullptr;     // non-null: source display on
};

// The listing text of the instruction at `address` (a label line and source lines first
// when they apply), and the address advanced past it, kept within 17 bits.
std::string listing_line(const CodeReader& code, uint32_t& address, const ListingContext& ctx);

// Values in listing arguments: labels and debugger variables by name, registers by "$name".
class ValueNames {
 public:
  virtual ~ValueNames() = default;
  virtual bool value_of(std::string_view name, uint32_t& value) const = 0;
};

// The argument of the disassembly listing: start, optional ',' then an end address, or '#'
// and a count; with no second value the last count is used.
struct ListingRange {
  uint32_t start = 0;
  bool has_end = false;
  uint32_t end = 0;    // when has_end: list the instructions that start at or below it
  uint32_t count = 0;  // otherwise: this many instructions
};

struct ListingArgs {
  bool ok = false;
  ListingRange range;
  std::string error;  // what was wrong when !ok
  size_t used = 0;    // characters consumed
};

// Parses the listing argument; a count given with '#' becomes the new `last_count`.
ListingArgs parse_listing_args(std::string_view text, const ValueNames* names, uint32_t& last_count);

// Evaluates one listing value expression (numbers, names, + - * / % & | ^ << >>, parentheses).
struct ValueResult {
  bool ok = false;
  uint32_t value = 0;
  std::string error;
  size_t used = 0;
};
ValueResult eval_listing_value(std::string_view text, const ValueNames* names);

}  // namespace yav
