#include "ui/memory_format.h"

#include "model/format.h"

namespace yav {

namespace {

constexpr int kDigits[4][3] = {
    {8, 16, 32},  // binary
    {3, 6, 12},   // octal
    {3, 5, 12},   // decimal
    {2, 4, 8},    // hexadecimal
};

int sizeIndex(int size) { return size == 4 ? 2 : size == 2 ? 1 : 0; }

}  // namespace

int validItemSize(int size) { return size == 2 || size == 4 ? size : 1; }

int itemDigits(int size, MemBase base) { return kDigits[static_cast<int>(base) & 3][sizeIndex(size)]; }

int itemCellWidth(int size, MemBase base) { return itemDigits(size, base) + 1; }

std::string itemText(uint32_t value, int size, MemBase base) {
  const int digits = itemDigits(size, base);
  const int bits = 8 * validItemSize(size);
  if (bits < 32) value &= (1u << bits) - 1;
  switch (base) {
    case MemBase::Binary: return fmtstr("%+0nzl", digits, value);
    case MemBase::Octal: return fmtstr("%+0nol", digits, value);
    case MemBase::Hex: return fmtstr("%+0nhl", digits, value);
    case MemBase::Decimal: break;
  }
  const uint32_t signBit = 1u << (bits - 1);
  if ((value & signBit) == 0) return fmtstr("%+0nul", digits, value);
  uint32_t magnitude = 0u - value;  // two's complement within the item's bits
  if (bits < 32) magnitude &= (1u << bits) - 1;
  return "-" + fmtstr("%+0nul", digits - 1, magnitude);
}

std::string unreadableItemText(int size, MemBase base) { return std::string(static_cast<size_t>(itemDigits(size, base)), '?'); }

char shownCharacter(uint8_t byte) {
  const uint8_t c = byte & 0x7F;
  return (c < 0x20 || c == 0x7F) ? '.' : static_cast<char>(c);
}

std::string characterColumn(std::span<const uint8_t> bytes) {
  std::string s;
  s.reserve(bytes.size());
  for (uint8_t b : bytes) s += shownCharacter(b);
  return s;
}

std::string rowAddressText(uint32_t address) { return fmtstr("%+0nhl", 5, address % 0x20000); }

uint32_t itemValue(std::span<const uint8_t> bytes) {
  uint32_t v = 0;
  for (uint8_t b : bytes) v = v << 8 | b;
  return v;
}

}  // namespace yav
