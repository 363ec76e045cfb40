#include "model/types.h"

#include <algorithm>
#include <array>

namespace yav {

namespace {

using namespace tp;

// Character, integer and arithmetic codes go by range: the rule the rows are checked against
// and the one for codes without a row.
constexpr uint16_t kRangeBits = Character | Integer | Arithmetic;
constexpr uint16_t rangeProps(unsigned code) {
  return static_cast<uint16_t>((code < 0x0b ? Character : 0) | (code < 0x22 ? Integer : 0) | (code < 0x2b ? Arithmetic : 0));
}

constexpr uint16_t I = Integer | Arithmetic;
constexpr uint16_t FL = Floating | Arithmetic;

#define NONE {nullptr, nullptr, nullptr, nullptr}
#define SAME(f) {f, f, f, f}
#define RADIX(dec, w) {dec, "0%o" w, "0b%z" w, "0x%h" w}

// One row per base type code, in code order; columns: code, printed name, size, properties,
// promoted type, conversion rank, default displays (decimal, octal, binary, hexadecimal).
// clang-format off
constexpr TypeInfo kRows[] = {
    {tc::Bool,          "_Bool",          1, I | Character,                       tc::Int,          0, SAME("%s")},
    {tc::SignedChar,    "signed char",    1, I | Character,             tc::Int,          0, RADIX("%c", "c")},
    {tc::Char,          "char",           1, I | Character,             tc::Int,          0, RADIX("%c", "c")},
    {tc::UnsignedChar,  "unsigned char",  1, I | Character | Unsigned,  tc::Int,          0, RADIX("%uc", "c")},
    {tc::CharBitField,  "char bit-field", 1, I | BitField,              tc::Int,          0, SAME("%c")},
    {tc::Short,         "short",          2, I,                         tc::Int,          0, RADIX("%s", "s")},
    // int has 16 bits: it cannot hold every unsigned short, so they compute as unsigned int.
    {tc::UnsignedShort, "unsigned short", 2, I | Unsigned,              tc::UnsignedInt,  0, RADIX("%us", "s")},
    {tc::ShortBitField, nullptr,          2, I | BitField,              tc::Int,          0, SAME("%s")},
    {tc::Int,           "int",            2, I,                         tc::Int,          1, RADIX("%s", "s")},
    {tc::BitField,      "bit-field",      2, I | BitField,              tc::Int,          0, SAME("%s")},
    {tc::UnsignedInt,   "unsigned int",   2, I | Unsigned,              tc::UnsignedInt,  2, RADIX("%us", "s")},
    {tc::Long,          "long",           4, I,                         tc::Long,         3, RADIX("%l", "l")},
    {tc::UnsignedLong,  "unsigned long",  4, I | Unsigned,              tc::UnsignedLong, 4, RADIX("%ul", "l")},
    {tc::LongBitField,  nullptr,          4, Arithmetic | BitField,     tc::Long,         0, SAME("%l")},
    {tc::Float,         "float",          4, FL,                        0,                0, NONE},
    {tc::Double,        "double",         8, FL,                        0,                0, NONE},
    {tc::LongDouble,    "long double",    8, FL,                        0,                0, NONE},
    {tc::ShortFract,    "short _Fract",   2, Fract,                     0,                0, SAME("%1.5f")},
    {tc::LongFract,     "long _Fract",    4, Fract,                     0,                0, SAME("%1.9f")},
    {tc::Pointer,       "pointer to",     2, 0,                         0,                0, SAME("0x%hl")},
    {tc::Array,         "array",          0, 0,                         0,                0, SAME("@0x%hl")},
    {tc::Struct,        "struct",         0, Aggregate,                 0,                0, NONE},
    {tc::Union,         "union",          0, Aggregate,                 0,                0, NONE},
    {tc::Enum,          "enum",           2, Enum,                      tc::Int,          0, NONE},
    {tc::CharEnum,      "(char) enum ",   1, Enum,                      tc::Int,          0, NONE},
    {tc::ShortEnum,     "(short) enum ",  2, Enum,                      tc::Int,          0, NONE},
    {tc::IntEnum,       "(int) enum",     2, Enum,                      tc::Int,          0, NONE},
    {tc::LongEnum,      "(long) enum",    4, Enum,                      tc::Long,         0, NONE},
    {tc::Void,          "void",           0, 0,                         0,                0, NONE},
    {tc::Label,         "label ",         0, 0,                         0,                0, NONE},
};
// clang-format on
#undef NONE
#undef SAME
#undef RADIX

constexpr std::array<TypeInfo, 256> byCode() {
  std::array<TypeInfo, 256> t{};
  for (unsigned c = 0; c < t.size(); ++c) {
    const uint16_t props = rangeProps(c);
    t[c] = {static_cast<uint8_t>(c), nullptr, 0, props, (props & Arithmetic) ? tc::Int : uint8_t{0}, 0,
            {nullptr, nullptr, nullptr, nullptr}};
  }
  for (const TypeInfo& row : kRows) t[row.code] = row;
  return t;
}
constexpr std::array<TypeInfo, 256> kByCode = byCode();

constexpr bool rowsConsistent() {
  for (size_t i = 0; i < std::size(kRows); ++i) {
    const TypeInfo& r = kRows[i];
    if (i > 0 && kRows[i - 1].code >= r.code) return false;  // ascending, each code once
    if ((r.props & kRangeBits) != rangeProps(r.code)) return false;
    if (r.is(Unsigned) != (r.code == tc::UnsignedChar || r.code == tc::UnsignedShort || r.code == tc::UnsignedInt ||
                           r.code == tc::UnsignedLong))
      return false;
    // Every integer type is computed in a type of rank at least as wide as itself.
    const bool computed = r.is(Arithmetic) && !r.is(Floating);
    if (computed || r.is(Enum)) {
      const TypeInfo& p = kByCode[r.promoted];
      if (p.rank == 0 || p.size < r.size || p.promoted != p.code) return false;
    } else if (r.promoted != 0) {
      return false;
    }
  }
  return true;
}
static_assert(rowsConsistent(), "type table: order, code ranges, unsigned set or promotions out of step");
// The usual arithmetic conversions take the higher rank; long outranks unsigned int because it
// holds every unsigned int value.
static_assert(kByCode[tc::Long].size > kByCode[tc::UnsignedInt].size);
static_assert(kByCode[tc::UnsignedInt].rank > kByCode[tc::Int].rank && kByCode[tc::Long].rank > kByCode[tc::UnsignedInt].rank &&
              kByCode[tc::UnsignedLong].rank > kByCode[tc::Long].rank);

// Pointer kinds by range bits >> 12.
constexpr PointerKind kPointerKinds[] = {
    {0x0000, 2, 0xFFFF, "0x%hs", "@near "},
    {0x1000, 1, 0xFF, "0x%hc", ""},
    {0x2000, 2, 0xFFFF, "0x%hs", "@near "},
    {0x3000, 4, 0xFFFFFFFF, "0x%hl", "@far "},
};
constexpr bool pointerKindsIndexedByBits() {
  for (size_t i = 0; i < std::size(kPointerKinds); ++i) {
    const PointerKind& k = kPointerKinds[i];
    if (k.rangeBits != i << 12 || (k.rangeBits & ~kPointerRangeBits) != 0) return false;
    if (k.highestAddress != (k.size == 4 ? 0xFFFFFFFFu : (1u << (8 * k.size)) - 1)) return false;
  }
  return true;
}
static_assert(pointerKindsIndexedByBits(), "one pointer kind per value of the range bits, in order");
static_assert(kPointerKinds[kPointerNear >> 12].size == 2 && kPointerKinds[kPointerFar >> 12].size == 4 &&
              kPointerKinds[kPointerTiny >> 12].size == 1);

}  // namespace

const TypeInfo& typeInfo(uint8_t code) { return kByCode[code]; }
std::string_view typeName(uint8_t code) { return kByCode[code].name ? kByCode[code].name : "label "; }
bool hasTypeName(uint8_t code) { return kByCode[code].name != nullptr; }
uint32_t baseTypeSize(uint8_t code) { return kByCode[code].size; }

Radix radixFromSetting(int setting) {
  switch (setting) {
    case 1: return Radix::Octal;
    case 2: return Radix::Hex;
    case 4: return Radix::Binary;
  }
  return Radix::Decimal;
}

bool isIntegerCode(uint8_t code) { return kByCode[code].is(Integer); }
bool isArithmeticCode(uint8_t code) { return kByCode[code].is(Arithmetic); }
bool isUnsignedCode(uint8_t code) { return kByCode[code].is(Unsigned); }
bool isFloatCode(uint8_t code) { return kByCode[code].is(Floating); }
bool isFractCode(uint8_t code) { return kByCode[code].is(Fract); }
bool isEnumCode(uint8_t code) { return kByCode[code].is(Enum); }
bool isCharCode(uint8_t code) { return kByCode[code].is(Character); }
bool isBitFieldCode(uint8_t code) { return kByCode[code].is(BitField); }

uint8_t promotedCode(uint8_t code) { return kByCode[code].promoted ? kByCode[code].promoted : tc::Int; }

uint8_t commonIntegerCode(uint8_t left, uint8_t right) {
  const uint8_t l = promotedCode(left), r = promotedCode(right);
  return kByCode[l].rank >= kByCode[r].rank ? l : r;
}

uint8_t integerConstantCode(uint32_t value, bool decimal, bool unsignedSuffix, bool longSuffix) {
  static constexpr uint8_t kDecimal[] = {tc::Int, tc::Long, tc::UnsignedLong};
  static constexpr uint8_t kOther[] = {tc::Int, tc::UnsignedInt, tc::Long, tc::UnsignedLong};
  const std::span<const uint8_t> candidates = decimal && !unsignedSuffix ? std::span<const uint8_t>(kDecimal)
                                                                         : std::span<const uint8_t>(kOther);
  for (const uint8_t code : candidates) {
    const TypeInfo& t = kByCode[code];
    if (unsignedSuffix && !t.is(Unsigned)) continue;
    if (longSuffix && t.size < kByCode[tc::Long].size) continue;
    const unsigned bits = 8u * t.size - (t.is(Unsigned) ? 0u : 1u);
    if (bits >= 32 || value <= (1u << bits) - 1) return code;
  }
  return tc::UnsignedLong;
}

const PointerKind& pointerKind(uint16_t attributes) { return kPointerKinds[(attributes & kPointerRangeBits) >> 12]; }
uint32_t pointerHighestAddress(uint16_t attributes) { return pointerKind(attributes).highestAddress; }
uint32_t pointerSize(uint16_t attributes) { return pointerKind(attributes).size; }
const char* pointerHexFormat(uint16_t attributes) { return pointerKind(attributes).hexFormat; }

const AggregateDescriptor* aggregateOf(const AuxList& aux) { return aux.empty() ? nullptr : aux.front().descriptor; }

uint32_t typeSize(uint32_t type, const AuxList& aux, uint16_t pointerAttributes) {
  uint64_t count = 1;
  size_t pos = 0;
  for (;;) {
    switch (outermost(type)) {
      case Derivation::Array:
        count *= pos < aux.size() ? aux[pos].word : 0;
        ++pos;
        if (count > 0xFFFFFFFFull) count = 0xFFFFFFFFull;  // no object is that large; keep it bounded
        type = removeOutermost(type);
        continue;
      case Derivation::Pointer:
        return static_cast<uint32_t>(std::min<uint64_t>(count * pointerSize(pointerAttributes), 0xFFFFFFFFull));
      case Derivation::Function:
        return 0;
      case Derivation::None:
        break;
    }
    break;
  }
  uint64_t base = baseTypeSize(baseCode(type));
  const uint8_t code = baseCode(type);
  if (kByCode[code].is(Aggregate)) {
    const AggregateDescriptor* d = pos < aux.size() ? aux[pos].descriptor : nullptr;
    base = d ? d->size : 0;
  }
  return static_cast<uint32_t>(std::min<uint64_t>(count * base, 0xFFFFFFFFull));
}

}  // namespace yav
