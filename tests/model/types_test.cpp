#include "model/types.h"

#include <gtest/gtest.h>

#include <string>

namespace yav {
namespace {

TEST(TypeNames, NamesAndUnknownCodes) {
  EXPECT_EQ(typeName(tc::UnsignedInt), "unsigned int");
  EXPECT_EQ(typeName(tc::CharEnum), "(char) enum ");
  EXPECT_EQ(typeName(tc::IntEnum), "(int) enum");
  for (uint8_t code : {tc::ShortBitField, tc::LongBitField, uint8_t{0x00}, uint8_t{0xFF}}) {
    EXPECT_EQ(typeName(code), "label ") << int(code);
    EXPECT_FALSE(hasTypeName(code));
  }
}

TEST(TypeInfo, SizesAndRadixColumns) {
  EXPECT_EQ(baseTypeSize(tc::Int), 2u);
  EXPECT_EQ(baseTypeSize(tc::Long), 4u);
  EXPECT_EQ(baseTypeSize(tc::Double), 8u);
  EXPECT_EQ(baseTypeSize(tc::CharEnum), 1u);
  EXPECT_EQ(baseTypeSize(tc::LongEnum), 4u);
  EXPECT_EQ(baseTypeSize(0x77), 0u);
  const TypeInfo* uc = &typeInfo(tc::UnsignedChar);
  EXPECT_STREQ(uc->display[static_cast<int>(radixFromSetting(0))], "%uc");
  EXPECT_STREQ(uc->display[static_cast<int>(radixFromSetting(1))], "0%oc");
  EXPECT_STREQ(uc->display[static_cast<int>(radixFromSetting(2))], "0x%hc");
  EXPECT_STREQ(uc->display[static_cast<int>(radixFromSetting(4))], "0b%zc");
  EXPECT_EQ(radixFromSetting(3), Radix::Decimal);
}

TEST(TypeClasses, IntegerUnsignedArithmetic) {
  for (uint8_t code : {tc::UnsignedChar, tc::UnsignedShort, tc::UnsignedInt, tc::UnsignedLong})
    EXPECT_TRUE(isUnsignedCode(code));
  for (uint8_t code : {tc::Bool, tc::Char, tc::CharBitField, tc::Int, tc::Long, tc::CharEnum, tc::Pointer})
    EXPECT_FALSE(isUnsignedCode(code));
  EXPECT_TRUE(isIntegerCode(tc::UnsignedLong));
  EXPECT_FALSE(isIntegerCode(tc::LongBitField));
  EXPECT_TRUE(isArithmeticCode(tc::LongDouble));
  EXPECT_FALSE(isArithmeticCode(tc::ShortFract));
}

// The first type of C's list for the constant's form that holds the value, at each boundary.
TEST(TypeClasses, IntegerConstantTypes) {
  struct Case {
    uint32_t value;
    bool decimal, u, l;
    uint8_t code;
  };
  for (const Case& c : {Case{32767, true, false, false, tc::Int}, Case{32768, true, false, false, tc::Long},
                        Case{0x7FFFFFFF, true, false, false, tc::Long}, Case{0x80000000, true, false, false, tc::UnsignedLong},
                        Case{0x7FFF, false, false, false, tc::Int}, Case{0x8000, false, false, false, tc::UnsignedInt},
                        Case{0xFFFF, false, false, false, tc::UnsignedInt}, Case{0x10000, false, false, false, tc::Long},
                        Case{0x80000000, false, false, false, tc::UnsignedLong}, Case{1, true, true, false, tc::UnsignedInt},
                        Case{65536, true, true, false, tc::UnsignedLong}, Case{1, true, false, true, tc::Long},
                        Case{0x80000000, true, false, true, tc::UnsignedLong}, Case{1, false, true, true, tc::UnsignedLong}}) {
    EXPECT_EQ(integerConstantCode(c.value, c.decimal, c.u, c.l), c.code) << c.value << " " << c.decimal << c.u << c.l;
  }
}

// Integer promotion with a 16-bit int, and the common type of two operands.
TEST(TypeClasses, PromotionsAndCommonType) {
  for (uint8_t code : {tc::Bool, tc::SignedChar, tc::Char, tc::UnsignedChar, tc::Short, tc::BitField, tc::Enum, tc::CharEnum})
    EXPECT_EQ(promotedCode(code), tc::Int) << int(code);
  EXPECT_EQ(promotedCode(tc::UnsignedShort), tc::UnsignedInt);
  EXPECT_EQ(promotedCode(tc::LongEnum), tc::Long);
  EXPECT_EQ(commonIntegerCode(tc::Int, tc::UnsignedInt), tc::UnsignedInt);
  EXPECT_EQ(commonIntegerCode(tc::UnsignedInt, tc::Long), tc::Long);
  EXPECT_EQ(commonIntegerCode(tc::Long, tc::UnsignedLong), tc::UnsignedLong);
  EXPECT_EQ(commonIntegerCode(tc::UnsignedChar, tc::SignedChar), tc::Int);
  EXPECT_EQ(commonIntegerCode(tc::UnsignedShort, tc::Int), tc::UnsignedInt);
}

TEST(TypeWord, Derivations) {
  const uint32_t charPtr = addPointer(tc::Char);
  EXPECT_EQ(charPtr, 0x40000009u);
  EXPECT_EQ(outermost(charPtr), Derivation::Pointer);
  EXPECT_EQ(removeOutermost(charPtr), uint32_t{tc::Char});
  const uint32_t ptrToArray = addPointer(addDerivation(tc::Int, Derivation::Array));
  EXPECT_EQ(outermost(ptrToArray), Derivation::Pointer);
  EXPECT_EQ(outermost(removeOutermost(ptrToArray)), Derivation::Array);
  EXPECT_TRUE(isPlain(removeOutermost(removeOutermost(ptrToArray))));
  const uint32_t fnPtr = addPointer(addDerivation(tc::Int, Derivation::Function));
  EXPECT_TRUE(isFunctionPointer(fnPtr));
  EXPECT_FALSE(isFunctionPointer(charPtr));
  // Twelve levels fill the word; a thirteenth pushes the innermost out.
  uint32_t deep = tc::Char;
  for (int i = 0; i < 12; ++i) deep = addPointer(deep);
  EXPECT_EQ(deep, 0x55555509u);
  EXPECT_EQ(addDerivation(deep, Derivation::Array), 0xD5555509u);
  EXPECT_TRUE(isStructOrUnion(tc::Union));
  EXPECT_FALSE(isStructOrUnion(addPointer(tc::Struct)));
}

TEST(Pointers, SizeAndRangeFromAttributes) {
  struct Case {
    uint16_t attrs;
    uint32_t size, highest;
    const char* hex;
  };
  for (const Case& c : {Case{0x0000, 2, 0xFFFF, "0x%hs"}, Case{0x1000, 1, 0xFF, "0x%hc"},
                        Case{0x2000, 2, 0xFFFF, "0x%hs"}, Case{0x3000, 4, 0xFFFFFFFF, "0x%hl"},
                        Case{0x9000, 1, 0xFF, "0x%hc"}}) {
    EXPECT_EQ(pointerSize(c.attrs), c.size) << c.attrs;
    EXPECT_EQ(pointerHighestAddress(c.attrs), c.highest) << c.attrs;
    EXPECT_STREQ(pointerHexFormat(c.attrs), c.hex) << c.attrs;
  }
}

TEST(TypeSize, ArraysPointersAggregates) {
  AggregateDescriptor s;
  s.size = 6;
  const uint32_t arr = addDerivation(tc::Long, Derivation::Array);
  EXPECT_EQ(typeSize(arr, {{5, nullptr}}, 0), 20u);
  // int m[3][4]
  const uint32_t arr2 = addDerivation(addDerivation(tc::Int, Derivation::Array), Derivation::Array);
  EXPECT_EQ(typeSize(arr2, {{3, nullptr}, {4, nullptr}}, 0), 24u);
  // far pointers, an array of 3
  EXPECT_EQ(typeSize(addDerivation(addPointer(tc::Char), Derivation::Array), {{3, nullptr}}, 0x3000), 12u);
  EXPECT_EQ(typeSize(tc::Struct, {{0, &s}}, 0), 6u);
  EXPECT_EQ(typeSize(addDerivation(tc::Struct, Derivation::Array), {{2, nullptr}, {0, &s}}, 0), 12u);
  EXPECT_EQ(typeSize(tc::Struct, {}, 0), 0u);  // no descriptor
  EXPECT_EQ(typeSize(arr, {}, 0), 0u);         // no length
  EXPECT_EQ(typeSize(addDerivation(tc::Int, Derivation::Function), {}, 0), 0u);
}

}  // namespace
}  // namespace yav
