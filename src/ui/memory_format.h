// How memory windows write target values: items of one, two or four bytes in a chosen base,
// the character column and the row address.
#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace yav {

enum class MemBase : uint8_t { Binary = 0, Octal = 1, Decimal = 2, Hex = 3 };

// Item sizes of a data window: 1 (byte), 2 (word) or 4 (long); anything else counts as 1.
int validItemSize(int size);

// Digits of one item: binary 8/16/32, octal 3/6/12, decimal 3/5/12, hexadecimal 2/4/8.
int itemDigits(int size, MemBase base);
// Width a row reserves per item: its digits and one blank.
int itemCellWidth(int size, MemBase base);

// One item, zero-filled to its digits. Decimal items are signed: a negative one is "-" and its
// magnitude zero-filled to one digit less.
std::string itemText(uint32_t value, int size, MemBase base);
// An item whose bytes could not be read: '?' over its digits.
std::string unreadableItemText(int size, MemBase base);

// The character column: each byte masked to 7 bits, '.' below 0x20 and for 0x7F.
char shownCharacter(uint8_t byte);
std::string characterColumn(std::span<const uint8_t> bytes);

// The address at the start of a row: modulo 0x20000 as five zero-filled hexadecimal digits.
std::string rowAddressText(uint32_t address);

// The big-endian value of an item's bytes.
uint32_t itemValue(std::span<const uint8_t> bytes);

}  // namespace yav
