#include "engine/memory_commands.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "model/format.h"
#include "model/types.h"
#include "model/value.h"

namespace yav {

namespace {

// Fixed-width conversions of one unit in each radix, indexed by radix then unit (byte, word, long).
struct RadixFormats {
  DumpRadix radix;
  char letter;
  const char* unitFormat[3];
};
constexpr RadixFormats kRadixes[] = {
    {DumpRadix::Binary, 'B', {"%+08zc ", "%+016zs ", "%+032zl "}},
    {DumpRadix::Octal, 'O', {"%+03oc ", "%+06os ", "%+012ol "}},
    {DumpRadix::Decimal, 'D', {"%+03uc ", "%+05us ", "%+012ul "}},
    {DumpRadix::Hex, 'H', {"%+02hc ", "%+04hs ", "%+08hl "}},
};

int unitIndex(int unit) { return unit == 4 ? 2 : unit == 2 ? 1 : 0; }

char shownCharacter(uint8_t byte) {
  const uint8_t c = byte & 0x7F;
  return (c < 0x20 || c == 0x7F) ? '.' : static_cast<char>(c);
}

}  // namespace

int unitForLetter(char upperLetter) {
  switch (upperLetter) {
    case 'B': return 1;
    case 'W': return 2;
    case 'L': return 4;
    default: return 0;
  }
}

bool radixForLetter(char letter, DumpRadix& radix) {
  const char upper = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
  for (const RadixFormats& r : kRadixes) {
    if (r.letter == upper) {
      radix = r.radix;
      return true;
    }
  }
  return false;
}

bool evalInteger(Kernel& k, const char*& p, uint32_t& value) {
  int error = 0;
  std::unique_ptr<ValueRecord> v = xexpr(k, p, error);
  if (error != 0 || !v) return false;
  if (isPlain(v->type) && isFloatCode(v->code())) {
    const double d = v->doubleValue();
    // Out-of-range or not-a-number values have no integer: refuse them rather than guess.
    if (!std::isfinite(d) || d <= -2147483649.0 || d >= 4294967296.0) return false;
    value = d < 0 ? static_cast<uint32_t>(static_cast<int32_t>(d)) : static_cast<uint32_t>(d);
    return true;
  }
  value = v->uintValue();
  return true;
}

const char* skipSeparator(const char* p) {
  p = skipBlanks(p);
  if (*p == ',') p = skipBlanks(p + 1);
  return p;
}

TargetMemory* memoryOrReport(Kernel& k) {
  TargetMemory* memory = targetMemory(k);
  if (!memory) errmsg(k, {"No target connected", "\n"});
  return memory;
}

bool writeUnit(TargetMemory& mem, uint32_t address, int unit, uint32_t value) {
  return mem.writeBigEndian(0, address, static_cast<size_t>(unit), unitValue(value, unit));
}

bool readUnitBack(TargetMemory& mem, uint32_t address, int unit, uint32_t& value) {
  uint8_t b[4];
  if (unit < 1 || unit > 4) return false;
  if (!mem.readTarget(0, address, std::span<uint8_t>(b, static_cast<size_t>(unit)))) return false;
  value = 0;
  for (int i = 0; i < unit; ++i) value = value << 8 | b[i];
  return true;
}

uint32_t unitValue(uint32_t value, int unit) {
  if (unit == 1) return value & 0xFF;
  if (unit == 2) return value & 0xFFFF;
  return value;
}

std::string reportedAddress(uint32_t address) { return fmtstr("0x%8hl", address); }

std::string dumpLine(uint32_t address, std::span<const uint8_t, kDumpLineBytes> bytes, int unit, DumpRadix radix,
                     bool withCharacters) {
  const RadixFormats* formats = &kRadixes[3];
  for (const RadixFormats& r : kRadixes) {
    if (r.radix == radix) formats = &r;
  }
  const char* unitFormat = formats->unitFormat[unitIndex(unit)];
  std::string line = fmtstr("%+05hl ", address);
  for (int i = 0; i < kDumpLineBytes; i += unit) {
    uint32_t v = 0;
    for (int b = 0; b < unit; ++b) v = v << 8 | bytes[static_cast<size_t>(i + b)];
    line += fmtstr(unitFormat, v);
  }
  if (withCharacters) {
    for (uint8_t b : bytes) line += shownCharacter(b);
  }
  line += '\n';
  return line;
}

const uint8_t* DumpReadBlock::line(uint32_t address, uint64_t remaining) {
  const uint64_t a = address;
  if (block_.empty() || a < start_ || a + kDumpLineBytes > start_ + block_.size()) {
    block_.assign(static_cast<size_t>(std::clamp<uint64_t>(remaining, kDumpLineBytes, kMaxBytes)), 0);
    ++transfers_;
    if (!mem_.read(0, address, block_)) {
      block_.clear();
      return nullptr;
    }
    start_ = a;
  }
  return block_.data() + (a - start_);
}

uint32_t FillRandom::freshSeed() {
  static uint32_t commands = 0;  // two commands in the same clock tick still differ
  const auto ticks = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  std::seed_seq seq{static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32), ++commands};
  uint32_t seed = 0;
  seq.generate(&seed, &seed + 1);
  return seed;
}

bool readAddressRange(Kernel& k, const char*& p, std::string_view word, AddressRangeArgs& out) {
  if (!evalInteger(k, p, out.start)) {
    errmsg(k, {" Wrong Start Address for ", word, " ", "\n"});
    return false;
  }
  p = skipBlanks(p);
  out.sized = *p == ',';
  if (out.sized) p = skipBlanks(p + 1);
  if (!evalInteger(k, p, out.second)) {
    errmsg(k, {" Wrong Size or End Address for ", word, " ", "\n"});
    return false;
  }
  return true;
}

}  // namespace yav
