// What a memory window is: code or data, its start address and the address space of its
// address text, and for data windows the layout of their rows. A session stores a data
// window's layout as four integers.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/kernel.h"
#include "ui/memory_format.h"

namespace yav {

enum class MemKind : uint8_t { Code, Data };

// Bytes per row of every data window opened from the configuration dialog or an operand popup.
inline constexpr int kDefaultBytesPerRow = 16;
inline constexpr int kMaxBytesPerRow = 64;

struct DataLayout {
  int size = 1;                 // item size: 1, 2 or 4
  MemBase base = MemBase::Hex;  // number base of the items
  bool characters = true;       // character column shown
  int bytesPerRow = kDefaultBytesPerRow;  // a multiple of 4, 4 to 64

  bool operator==(const DataLayout&) const = default;
};

struct MemoryWindowSpec {
  MemKind kind = MemKind::Data;
  // The address text carries "code:" (else "data:"). The chip has one address space, so both
  // read the same memory; the prefix is kept so the window shows and saves what was typed.
  bool codeSpace = false;
  uint32_t address = 0;
  DataLayout layout;  // data windows

  // "code:0x..." or "data:0x...": the window's address as its address field shows it.
  std::string addressText() const;
};

// The four display settings a session file stores for a data window, in this order: item size
// (1, 2, 4), base (0 binary, 1 octal, 2 decimal, 3 hexadecimal), character column (0, 1),
// bytes per row.
using SessionDataSettings = std::array<int, 4>;
SessionDataSettings sessionSettings(const DataLayout& layout);
// The layout of four stored settings; values out of range fall back to the defaults.
DataLayout layoutFromSession(const SessionDataSettings& settings);

// A memory window as a session file's `Data` record stores it: "D," address in lower-case
// hexadecimal, the four settings, the rectangle; or "C," address, the rectangle.
struct MemorySessionRecord {
  MemoryWindowSpec spec;
  std::array<int, 4> rect{};  // left, top, right, bottom
};
std::string formatSessionRecord(const MemorySessionRecord& record);
// The record of a `Data` key; nothing (with the reason in `error`) when it is malformed.
std::optional<MemorySessionRecord> parseSessionRecord(std::string_view text, std::string& error);

// What the "Memory Window Configuration" dialog holds.
struct MemoryConfig {
  std::string address = "data:0x0";  // a C expression with an optional "code:"/"data:" prefix
  MemKind kind = MemKind::Data;
  bool codeSpace = false;  // "Code Space" chosen
  int size = 1;
  MemBase base = MemBase::Hex;
  bool characters = true;
};

// Splits an optional "code:" or "data:" prefix (either case) off the address text; `codeSpace`
// is set when the prefix says so and left alone without a prefix.
std::string_view stripSpacePrefix(std::string_view text, bool& codeSpace);

// Evaluates an address expression: labels, functions and arrays give their address, other
// values their integer value. False (nothing reported) when it cannot be evaluated or does not
// end where the text ends.
bool evaluateAddress(Kernel& k, std::string_view text, uint32_t& address);

// The window the dialog asks for; reports "Can't evaluate" and gives nothing when the address
// expression fails.
std::optional<MemoryWindowSpec> configuredWindow(Kernel& k, const MemoryConfig& config);

// The dialog's fields for an open window (its "Address" command).
MemoryConfig configOf(const MemoryWindowSpec& spec);

}  // namespace yav
