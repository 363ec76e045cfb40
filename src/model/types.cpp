#include "model/types.h"

#include <algorithm>

namespace yav {

namespace {

// Printed type names, in table order.
constexpr TypeName kTypeNames[] = {
    {tc::Bool, "_Bool"},
    {tc::SignedChar, "signed char"},
    {tc::Char, "char"},
    {tc::UnsignedChar, "unsigned char"},
    {tc::CharBitField, "char bit-field"},
    {tc::Short, "short"},
    {tc::UnsignedShort, "unsigned short"},
    {tc::Int, "int"},
    {tc::BitField, "bit-field"},
    {tc::UnsignedInt, "unsigned int"},
    {tc::Long, "long"},
    {tc::UnsignedLong, "unsigned long"},
    {tc::Float, "float"},
    {tc::Double, "double"},
    {tc::LongDouble, "long double"},
    {tc::ShortFract, "short _Fract"},
    {tc::LongFract, "long _Fract"},
    {tc::Pointer, "pointer to"},
    {tc::Array, "array"},
    {tc::Struct, "struct"},
    {tc::Union, "union"},
    {tc::Enum, "enum"},
    {tc::CharEnum, "(char) enum "},
    {tc::ShortEnum, "(short) enum "},
    {tc::IntEnum, "(int) enum"},
    {tc::LongEnum, "(long) enum"},
    {tc::Void, "void"},
    {tc::Label, "label "},
};

// Size and default display per code; columns decimal, octal, binary, hexadecimal.
constexpr TypeInfo kTypeInfo[] = {
    {tc::Bool, 1, {"%s", "%s", "%s", "%s"}},
    {tc::SignedChar, 1, {"%c", "0%oc", "0b%zc", "0x%hc"}},
    {tc::Char, 1, {"%c", "0%oc", "0b%zc", "0x%hc"}},
    {tc::UnsignedChar, 1, {"%uc", "0%oc", "0b%zc", "0x%hc"}},
    {tc::CharBitField, 1, {"%c", "%c", "%c", "%c"}},
    {tc::Short, 2, {"%s", "0%os", "0b%zs", "0x%hs"}},
    {tc::UnsignedShort, 2, {"%us", "0%os", "0b%zs", "0x%hs"}},
    {tc::ShortBitField, 2, {"%s", "%s", "%s", "%s"}},
    {tc::Int, 2, {"%s", "0%os", "0b%zs", "0x%hs"}},
    {tc::BitField, 2, {"%s", "%s", "%s", "%s"}},
    {tc::UnsignedInt, 2, {"%us", "0%os", "0b%zs", "0x%hs"}},
    {tc::Long, 4, {"%l", "0%ol", "0b%zl", "0x%hl"}},
    {tc::UnsignedLong, 4, {"%ul", "0%ol", "0b%zl", "0x%hl"}},
    {tc::LongBitField, 4, {"%l", "%l", "%l", "%l"}},
    {tc::Float, 4, {nullptr, nullptr, nullptr, nullptr}},
    {tc::Double, 8, {nullptr, nullptr, nullptr, nullptr}},
    {tc::LongDouble, 8, {nullptr, nullptr, nullptr, nullptr}},
    {tc::ShortFract, 2, {"%1.5f", "%1.5f", "%1.5f", "%1.5f"}},
    {tc::LongFract, 4, {"%1.9f", "%1.9f", "%1.9f", "%1.9f"}},
    {tc::Pointer, 2, {"0x%hl", "0x%hl", "0x%hl", "0x%hl"}},
    {tc::Array, 0, {"@0x%hl", "@0x%hl", "@0x%hl", "@0x%hl"}},
    {tc::Struct, 0, {nullptr, nullptr, nullptr, nullptr}},
    {tc::Union, 0, {nullptr, nullptr, nullptr, nullptr}},
    {tc::Enum, 2, {nullptr, nullptr, nullptr, nullptr}},
    {tc::CharEnum, 1, {nullptr, nullptr, nullptr, nullptr}},
    {tc::ShortEnum, 2, {nullptr, nullptr, nullptr, nullptr}},
    {tc::IntEnum, 2, {nullptr, nullptr, nullptr, nullptr}},
    {tc::LongEnum, 4, {nullptr, nullptr, nullptr, nullptr}},
    {tc::Void, 0, {nullptr, nullptr, nullptr, nullptr}},
    {tc::Label, 0, {nullptr, nullptr, nullptr, nullptr}},
};

constexpr uint8_t kUnsignedCodes[] = {tc::UnsignedChar, tc::UnsignedShort, tc::UnsignedInt, tc::UnsignedLong};

}  // namespace

std::span<const TypeName> typeNames() { return kTypeNames; }

std::string_view typeName(uint8_t code) {
  for (const TypeName& n : kTypeNames) {
    if (n.code == code) return n.text;
  }
  return "label ";
}

bool hasTypeName(uint8_t code) {
  return std::any_of(std::begin(kTypeNames), std::end(kTypeNames), [&](const TypeName& n) { return n.code == code; });
}

Radix radixFromSetting(int setting) {
  switch (setting) {
    case 1: return Radix::Octal;
    case 2: return Radix::Hex;
    case 4: return Radix::Binary;
  }
  return Radix::Decimal;
}

const TypeInfo* typeInfo(uint8_t code) {
  for (const TypeInfo& t : kTypeInfo) {
    if (t.code == code) return &t;
  }
  return nullptr;
}

uint32_t baseTypeSize(uint8_t code) {
  const TypeInfo* t = typeInfo(code);
  return t ? t->size : 0;
}

bool isIntegerCode(uint8_t code) { return code < 0x22; }
bool isArithmeticCode(uint8_t code) { return code < 0x2b; }
bool isUnsignedCode(uint8_t code) {
  return std::find(std::begin(kUnsignedCodes), std::end(kUnsignedCodes), code) != std::end(kUnsignedCodes);
}
bool isFloatCode(uint8_t code) { return code == tc::Float || code == tc::Double || code == tc::LongDouble; }
bool isFractCode(uint8_t code) { return code == tc::ShortFract || code == tc::LongFract; }
bool isEnumCode(uint8_t code) { return code >= tc::Enum && code <= tc::LongEnum; }
bool isCharCode(uint8_t code) { return code < 0x0b; }
bool isBitFieldCode(uint8_t code) {
  return code == tc::CharBitField || code == tc::BitField || code == tc::ShortBitField || code == tc::LongBitField;
}

uint32_t pointerHighestAddress(uint16_t attributes) {
  switch (attributes & kPointerRangeBits) {
    case 0x1000: return 0xFF;
    case 0x3000: return 0xFFFFFFFF;
  }
  return 0xFFFF;
}

uint32_t pointerSize(uint16_t attributes) {
  switch (attributes & kPointerRangeBits) {
    case 0x1000: return 1;
    case 0x3000: return 4;
  }
  return 2;
}

const char* pointerHexFormat(uint16_t attributes) {
  switch (attributes & kPointerRangeBits) {
    case 0x1000: return "0x%hc";
    case 0x3000: return "0x%hl";
  }
  return "0x%hs";
}

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
  if (code == tc::Struct || code == tc::Union) {
    const AggregateDescriptor* d = pos < aux.size() ? aux[pos].descriptor : nullptr;
    base = d ? d->size : 0;
  }
  return static_cast<uint32_t>(std::min<uint64_t>(count * base, 0xFFFFFFFFull));
}

}  // namespace yav
