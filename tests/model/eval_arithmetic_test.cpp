// Integer arithmetic by C's rules on this target (int 16 bits, long 32, char 8): the types of
// constants, integer promotions, the usual arithmetic conversions, unsigned division, shifts
// and comparisons. Every expected value was computed by C on the host with the target's widths
// (int16_t, uint16_t, int32_t, uint32_t for int, unsigned int, long, unsigned long), with the
// variables ucmax = 255, us = ui = 65535, sc = -1, l = 0x12345678, ul = 3000000000.
#include <gtest/gtest.h>

#include "eval_fake_env.h"

namespace yav {
namespace {

using test::FakeEvalEnv;

struct CCase {
  const char* text;
  uint8_t type;   // base type code of the result
  uint32_t bits;  // the value as stored: sign-extended for signed types, zero-extended otherwise
};

class CArithmetic : public ::testing::TestWithParam<CCase> {};

TEST_P(CArithmetic, TypeAndValue) {
  const CCase& c = GetParam();
  FakeEvalEnv env;
  test::Evaluated r = test::evaluateIn(env, c.text);
  ASSERT_EQ(r.error, 0) << c.text;
  EXPECT_EQ(r.v->type, uint32_t{c.type}) << c.text;
  EXPECT_EQ(r.v->uintValue(), c.bits) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Table, CArithmetic, ::testing::ValuesIn(std::vector<CCase>{
        {"40000", tc::Long, 0x00009C40u},
        {"32767", tc::Int, 0x00007FFFu},
        {"32768", tc::Long, 0x00008000u},
        {"70000L", tc::Long, 0x00011170u},
        {"12L", tc::Long, 0x0000000Cu},
        {"5U", tc::UnsignedInt, 0x00000005u},
        {"70000U", tc::UnsignedLong, 0x00011170u},
        {"5UL", tc::UnsignedLong, 0x00000005u},
        {"5lu", tc::UnsignedLong, 0x00000005u},
        {"0x8000", tc::UnsignedInt, 0x00008000u},
        {"0177777", tc::UnsignedInt, 0x0000FFFFu},
        {"0x10000", tc::Long, 0x00010000u},
        {"0x8000L", tc::Long, 0x00008000u},
        {"0x80000000", tc::UnsignedLong, 0x80000000u},
        {"2147483648", tc::UnsignedLong, 0x80000000u},
        {"-32768", tc::Long, 0xFFFF8000u},
        {"-1U", tc::UnsignedInt, 0x0000FFFFu},
        {"40000*2", tc::Long, 0x00013880u},
        {"ucmax+1", tc::Int, 0x00000100u},
        {"-ucmax", tc::Int, 0xFFFFFF01u},
        {"~ucmax", tc::Int, 0xFFFFFF00u},
        {"sc+0U", tc::UnsignedInt, 0x0000FFFFu},
        {"us+1", tc::UnsignedInt, 0x00000000u},
        {"ui+1", tc::UnsignedInt, 0x00000000u},
        {"ui/2", tc::UnsignedInt, 0x00007FFFu},
        {"-2/ui", tc::UnsignedInt, 0x00000000u},
        {"7U%-2", tc::UnsignedInt, 0x00000007u},
        {"-ui", tc::UnsignedInt, 0x00000001u},
        {"~0U", tc::UnsignedInt, 0x0000FFFFu},
        {"0xFFFF+1", tc::UnsignedInt, 0x00000000u},
        {"0xFFFF+1L", tc::Long, 0x00010000u},
        {"0x8000>>1", tc::UnsignedInt, 0x00004000u},
        {"1U<<15", tc::UnsignedInt, 0x00008000u},
        {"1L<<20", tc::Long, 0x00100000u},
        {"-8>>1", tc::Int, 0xFFFFFFFCu},
        {"0xFFFFFFFF>>4", tc::UnsignedLong, 0x0FFFFFFFu},
        {"ul/2", tc::UnsignedLong, 0x59682F00u},
        {"ul%7", tc::UnsignedLong, 0x00000004u},
        {"ul+1", tc::UnsignedLong, 0xB2D05E01u},
        {"-ul", tc::UnsignedLong, 0x4D2FA200u},
        {"ul>>31", tc::UnsignedLong, 0x00000001u},
        {"l*16", tc::Long, 0x23456780u},
        {"l+ui", tc::Long, 0x12355677u},
        {"-7/2", tc::Int, 0xFFFFFFFDu},
        {"-7%2", tc::Int, 0xFFFFFFFFu},
        {"(int)70000L", tc::Int, 0x00001170u},
        {"(unsigned)70000L", tc::UnsignedInt, 0x00001170u},
        {"(long)0xFFFF", tc::Long, 0x0000FFFFu},
        {"(long)-1", tc::Long, 0xFFFFFFFFu},
        {"(unsigned long)-1", tc::UnsignedLong, 0xFFFFFFFFu},
        // comparisons convert both sides to their common type first, and give an int
        {"ul>1", tc::Int, 0x00000001u},
        {"ul==3000000000", tc::Int, 0x00000001u},
        {"ul>l", tc::Int, 0x00000001u},
        {"-1<1U", tc::Int, 0x00000000u},
        {"-1<1UL", tc::Int, 0x00000000u},
        {"-1L<1U", tc::Int, 0x00000001u},
        {"-1<1", tc::Int, 0x00000001u},
        {"0xFFFF==-1", tc::Int, 0x00000001u},
        {"65535==-1", tc::Int, 0x00000000u},
        {"sc<0U", tc::Int, 0x00000000u},
        {"ucmax>sc", tc::Int, 0x00000001u},
}));

}  // namespace
}  // namespace yav
