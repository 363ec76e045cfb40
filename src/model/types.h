// Base type codes, the type word built on them, and the descriptors of aggregates.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace yav {

// One-byte base type codes shared by the symbol tables, the evaluator and the printers.
namespace tc {
inline constexpr uint8_t Bool = 0x01;
inline constexpr uint8_t SignedChar = 0x08;
inline constexpr uint8_t Char = 0x09;
inline constexpr uint8_t UnsignedChar = 0x0a;
inline constexpr uint8_t CharBitField = 0x0b;
inline constexpr uint8_t Short = 0x10;
inline constexpr uint8_t UnsignedShort = 0x11;
inline constexpr uint8_t ShortBitField = 0x12;
inline constexpr uint8_t Int = 0x18;
inline constexpr uint8_t BitField = 0x19;
inline constexpr uint8_t UnsignedInt = 0x1a;
inline constexpr uint8_t Long = 0x20;
inline constexpr uint8_t UnsignedLong = 0x21;
inline constexpr uint8_t LongBitField = 0x22;
inline constexpr uint8_t Float = 0x28;
inline constexpr uint8_t Double = 0x29;
inline constexpr uint8_t LongDouble = 0x2a;
inline constexpr uint8_t ShortFract = 0x2c;
inline constexpr uint8_t LongFract = 0x2d;
inline constexpr uint8_t Pointer = 0x40;
inline constexpr uint8_t Array = 0x41;
inline constexpr uint8_t Struct = 0x48;
inline constexpr uint8_t Union = 0x49;
inline constexpr uint8_t Enum = 0x4a;
inline constexpr uint8_t CharEnum = 0x4b;
inline constexpr uint8_t ShortEnum = 0x4c;
inline constexpr uint8_t IntEnum = 0x4d;
inline constexpr uint8_t LongEnum = 0x4e;
inline constexpr uint8_t Void = 0x50;
inline constexpr uint8_t Label = 0x58;
}  // namespace tc

// Printed name of a type code; codes without an entry print "label ".
struct TypeName {
  uint8_t code;
  const char* text;
};
std::span<const TypeName> typeNames();
std::string_view typeName(uint8_t code);
bool hasTypeName(uint8_t code);

// Default integer radix setting: 1 octal, 2 hexadecimal, 4 binary, anything else decimal.
enum class Radix : uint8_t { Decimal = 0, Octal = 1, Binary = 2, Hex = 3 };
Radix radixFromSetting(int setting);

// Size in target bytes and default display formats of one base type code. A null format means
// the type has its own display rule (floating display, aggregates, enums).
struct TypeInfo {
  uint8_t code;
  uint8_t size;
  const char* display[4];  // indexed by Radix
};
// The entry of a code, or null for codes outside the table.
const TypeInfo* typeInfo(uint8_t code);
uint32_t baseTypeSize(uint8_t code);  // 0 for unknown codes

bool isIntegerCode(uint8_t code);     // below 0x22
bool isArithmeticCode(uint8_t code);  // below 0x2b
bool isUnsignedCode(uint8_t code);    // exactly 0x0a, 0x11, 0x1a, 0x21
bool isFloatCode(uint8_t code);       // float, double, long double
bool isFractCode(uint8_t code);       // short and long _Fract
bool isEnumCode(uint8_t code);        // 0x4a to 0x4e
bool isCharCode(uint8_t code);        // below 0x0b
bool isBitFieldCode(uint8_t code);    // 0x0b, 0x12, 0x19, 0x22

// Type word: bits 0-7 the base code, bits 8-31 up to twelve 2-bit derivations, the outermost
// in bits 30-31.
enum class Derivation : uint8_t { None = 0, Pointer = 1, Function = 2, Array = 3 };
constexpr uint8_t baseCode(uint32_t type) { return static_cast<uint8_t>(type & 0xFF); }
constexpr Derivation outermost(uint32_t type) { return static_cast<Derivation>(type >> 30); }
constexpr uint32_t removeOutermost(uint32_t type) { return (type & 0xFF) | ((type >> 8) << 10); }
constexpr uint32_t addPointer(uint32_t type) {
  return (type & 0xFF) | (((type >> 10) << 8) & 0x3FFFFF00u) | 0x40000000u;
}
constexpr uint32_t addDerivation(uint32_t type, Derivation d) {
  return (type & 0xFF) | (((type >> 10) << 8) & 0x3FFFFF00u) | (static_cast<uint32_t>(d) << 30);
}
constexpr bool isPlain(uint32_t type) { return (type >> 8) == 0; }
// A pointer whose next level is a function.
constexpr bool isFunctionPointer(uint32_t type) {
  return outermost(type) == Derivation::Pointer && outermost(removeOutermost(type)) == Derivation::Function;
}
// A struct or union value itself (not a pointer to one or an array of them).
constexpr bool isStructOrUnion(uint32_t type) {
  return isPlain(type) && (baseCode(type) == tc::Struct || baseCode(type) == tc::Union);
}

// Pointer attribute bits that give the pointer's address range, and the flag telling that the
// auxiliary list carries the next pointer level's attributes.
inline constexpr uint16_t kPointerRangeBits = 0x3000;
inline constexpr uint16_t kPointerNextAttrs = 0x8000;
uint32_t pointerHighestAddress(uint16_t attributes);
uint32_t pointerSize(uint16_t attributes);
// Hexadecimal display of a pointer shown through an integer display table.
const char* pointerHexFormat(uint16_t attributes);

struct AggregateDescriptor;

// One word of an auxiliary list: an element count, a pointer attribute word, or (first word
// of a struct, union or enum type) the aggregate's descriptor.
struct AuxWord {
  uint32_t word = 0;
  const AggregateDescriptor* descriptor = nullptr;
};
using AuxList = std::vector<AuxWord>;

// A member of a struct or union (value = offset) or of an enum (value = member value).
struct AggregateMember {
  std::string name;
  uint32_t type = 0;
  AuxList aux;
  int32_t value = 0;
  uint16_t pointerAttributes = 0;
  uint8_t storageClass = 0;  // 12 for the members of an enum
  uint8_t bitNumber = 0;     // bit-fields: lowest bit in the containing unit; _Bool: its bit
  uint8_t bitWidth = 0;      // bit-fields
};

// Descriptor of a struct, union or enum: shared by every symbol of that type. The member
// table is the vector; it needs no terminating entry.
struct AggregateDescriptor {
  uint32_t identity = 0;  // offset of the descriptor in the debug information
  uint32_t size = 0;
  std::string tag;
  std::vector<AggregateMember> members;
};

// The descriptor of a struct, union or enum type (from the first auxiliary word), or null.
const AggregateDescriptor* aggregateOf(const AuxList& aux);

// Size in bytes of a full type: arrays multiply by their lengths from the auxiliary list, a
// pointer takes its size from its attributes, aggregates from their descriptor.
uint32_t typeSize(uint32_t type, const AuxList& aux, uint16_t pointerAttributes);

}  // namespace yav
