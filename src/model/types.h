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

// Property bits of a base type code.
namespace tp {
inline constexpr uint16_t Integer = 1 << 0;     // codes below 0x22
inline constexpr uint16_t Arithmetic = 1 << 1;  // codes below 0x2b
inline constexpr uint16_t Unsigned = 1 << 2;    // exactly unsigned char, short, int and long
inline constexpr uint16_t Floating = 1 << 3;    // float, double, long double
inline constexpr uint16_t Fract = 1 << 4;       // short and long _Fract
inline constexpr uint16_t Enum = 1 << 5;        // the enum codes 0x4a to 0x4e
inline constexpr uint16_t Character = 1 << 6;   // the char codes, below 0x0b: strings for S and s
inline constexpr uint16_t BitField = 1 << 7;    // read and written inside a containing unit
inline constexpr uint16_t Aggregate = 1 << 8;   // struct and union: size and members from a descriptor
}  // namespace tp

// Default integer radix setting: 1 octal, 2 hexadecimal, 4 binary, anything else decimal.
enum class Radix : uint8_t { Decimal = 0, Octal = 1, Binary = 2, Hex = 3 };
Radix radixFromSetting(int setting);

// Everything known about one base type code.
struct TypeInfo {
  uint8_t code;
  const char* name;  // as printed; null for codes without a name entry (they print "label ")
  uint8_t size;      // target bytes
  uint16_t props;
  // The type an operand of this type is computed in (C's integer promotion on this target,
  // where int has 16 bits): int, unsigned int, long or unsigned long. 0 for non-integers.
  uint8_t promoted;
  // Conversion rank of the four promoted types (the usual arithmetic conversions take the
  // operand type of higher rank); 0 for every other code.
  uint8_t rank;
  // Default display formats indexed by Radix; null when the type has its own display rule
  // (floating display, aggregates, enums).
  const char* display[4];

  constexpr bool is(uint16_t bits) const { return (props & bits) != 0; }
};
// The row of a code. Codes without a row get an unnamed row of size 0 whose integer and
// arithmetic properties follow the code ranges.
const TypeInfo& typeInfo(uint8_t code);
std::string_view typeName(uint8_t code);
bool hasTypeName(uint8_t code);
uint32_t baseTypeSize(uint8_t code);  // 0 for unknown codes

bool isIntegerCode(uint8_t code);
bool isArithmeticCode(uint8_t code);
bool isUnsignedCode(uint8_t code);
bool isFloatCode(uint8_t code);
bool isFractCode(uint8_t code);
bool isEnumCode(uint8_t code);
bool isCharCode(uint8_t code);
bool isBitFieldCode(uint8_t code);

// C's integer promotion and usual arithmetic conversions on the base codes (enums count as
// their integer type): the code the operation is carried out in.
uint8_t promotedCode(uint8_t code);
uint8_t commonIntegerCode(uint8_t left, uint8_t right);
// The type of an integer constant by C's rules on this target: the first of int, long,
// unsigned long (decimal) or of int, unsigned int, long, unsigned long (octal, hexadecimal,
// binary, or any constant with a U suffix) that holds the value; U keeps the unsigned ones,
// L the long ones.
uint8_t integerConstantCode(uint32_t value, bool decimal, bool unsignedSuffix, bool longSuffix);

// Type word: bits 0-7 the base code, bits 8-31 up to twelve 2-bit derivations, the outermost
// in bits 30-31.
enum class Derivation : uint8_t { None = 0, Pointer = 1, Function = 2, Array = 3 };
inline constexpr int kMaxDerivations = 12;
// Whether a derivation takes a word of the auxiliary list (an array's length, a pointer's
// attributes), indexed by Derivation.
inline constexpr bool kDerivationTakesAuxWord[] = {false, true, false, true};
constexpr bool takesAuxWord(Derivation d) { return kDerivationTakesAuxWord[static_cast<uint8_t>(d)]; }
constexpr uint8_t baseCode(uint32_t type) { return static_cast<uint8_t>(type & 0xFF); }
constexpr Derivation outermost(uint32_t type) { return static_cast<Derivation>(type >> 30); }
constexpr uint32_t removeOutermost(uint32_t type) { return (type & 0xFF) | ((type >> 8) << 10); }
constexpr uint32_t addPointer(uint32_t type) {
  return (type & 0xFF) | (((type >> 10) << 8) & 0x3FFFFF00u) | 0x40000000u;
}
constexpr uint32_t addDerivation(uint32_t type, Derivation d) {
  return (type & 0xFF) | (((type >> 10) << 8) & 0x3FFFFF00u) | (static_cast<uint32_t>(d) << 30);
}
// The outermost derivation replaced by another one (an array level decaying to a pointer).
constexpr uint32_t replaceOutermost(uint32_t type, Derivation d) {
  return (type & 0x3FFFFFFFu) | (static_cast<uint32_t>(d) << 30);
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
inline constexpr uint16_t kPointerNear = 0x0000;
inline constexpr uint16_t kPointerTiny = 0x1000;
inline constexpr uint16_t kPointerFar = 0x3000;

// What the range bits of a pointer's attributes decide.
struct PointerKind {
  uint16_t rangeBits;
  uint8_t size;
  uint32_t highestAddress;
  const char* hexFormat;   // shown through an integer display table
  const char* declPrefix;  // in front of the `*` of a declaration
};
const PointerKind& pointerKind(uint16_t attributes);
uint32_t pointerHighestAddress(uint16_t attributes);
uint32_t pointerSize(uint16_t attributes);
const char* pointerHexFormat(uint16_t attributes);
// The attributes of a pointer made to an address (by `&` or an array used as a value).
constexpr uint16_t pointerAttributesReaching(uint32_t address) { return address > 0xFFFF ? kPointerFar : kPointerNear; }

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
