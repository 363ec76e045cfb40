// What `dump`, `fill` and `mm` share: units and radixes, argument evaluation, typed unit reads
// and writes, the dump's line layout and read block, and the random filler.
#pragma once
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/kernel.h"
#include "model/target_memory.h"

namespace yav {

// Bytes per unit of `/B` (default), `/W` and `/L`; 0 for any other letter.
int unitForLetter(char upperLetter);

enum class DumpRadix { Binary, Octal, Decimal, Hex };

// The radix named after `/F:` (either case); false for any other letter.
bool radixForLetter(char letter, DumpRadix& radix);

// Evaluates the expression at `p` (advanced past it) and gives its integer value (a floating
// result is truncated). False when the evaluator reports an error.
bool evalInteger(Kernel& k, const char*& p, uint32_t& value);

// The address arguments of dump and fill: a start, then either ", size" or an end address.
// Reports " Wrong Start Address for <WORD> " or " Wrong Size or End Address for <WORD> ".
struct AddressRangeArgs {
  uint32_t start = 0;
  uint32_t second = 0;  // the size when `sized`, else the end address
  bool sized = false;
};
bool readAddressRange(Kernel& k, const char*& p, std::string_view word, AddressRangeArgs& out);

// Skips blanks and one `,` with the blanks after it.
const char* skipSeparator(const char* p);

// The connected target's memory; without a target reports it and gives null.
TargetMemory* memoryOrReport(Kernel& k);

// One unit (1, 2 or 4 bytes, big-endian) at `address`.
bool writeUnit(TargetMemory& mem, uint32_t address, int unit, uint32_t value);
// Reads one unit back from the target itself (never from a copy kept on this side), so that a
// verification sees what the target holds.
bool readUnitBack(TargetMemory& mem, uint32_t address, int unit, uint32_t& value);

// The low byte, low 16 bits or whole value, as one unit of that size holds it.
uint32_t unitValue(uint32_t value, int unit);

// An address in error reports: "0x" and its hexadecimal digits padded with blanks to eight.
std::string reportedAddress(uint32_t address);

// One dump line: the address, the 16 bytes in units of the radix's fixed width, optionally the
// characters, and a newline.
constexpr int kDumpLineBytes = 16;
std::string dumpLine(uint32_t address, std::span<const uint8_t, kDumpLineBytes> bytes, int unit, DumpRadix radix,
                     bool withCharacters);

// The dump's read block: up to 512 bytes fetched in one transfer from the first line that lies
// outside the block, kept while the following lines lie inside it.
class DumpReadBlock {
 public:
  static constexpr uint64_t kMaxBytes = 512;
  explicit DumpReadBlock(TargetMemory& mem) : mem_(mem) {}

  // The 16 bytes of the line at `address`; `remaining` is the number of bytes from there to the
  // end of the last line of the range. Null when the target cannot be read.
  const uint8_t* line(uint32_t address, uint64_t remaining);
  int transfers() const { return transfers_; }

 private:
  TargetMemory& mem_;
  std::vector<uint8_t> block_;
  uint64_t start_ = 0;
  int transfers_ = 0;
};

// The pseudo-random values of `fill /R`, seeded once per command.
class FillRandom {
 public:
  explicit FillRandom(uint32_t seed) : gen_(seed) {}
  // A seed that differs from one command to the next.
  static uint32_t freshSeed();
  uint32_t next() { return static_cast<uint32_t>(gen_()); }

 private:
  std::mt19937 gen_;
};

}  // namespace yav
