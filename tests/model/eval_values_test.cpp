// Values of expressions: constants, operators and precedence, variables of every kind,
// selections, subscripts, casts and sizeof.
#include <gtest/gtest.h>

#include "eval_fake_env.h"

namespace yav {
namespace {

using test::FakeEvalEnv;
namespace at = test::at;

struct IntCase {
  const char* text;
  int32_t value;
  uint32_t type;
};

class IntegerValues : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntegerValues, Evaluate) {
  FakeEvalEnv env;
  const IntCase& c = GetParam();
  test::Evaluated r = test::evaluateIn(env, c.text);
  ASSERT_EQ(r.error, 0) << c.text;
  EXPECT_EQ(r.v->intValue(), c.value) << c.text;
  if (c.type) {
    EXPECT_EQ(r.v->type, c.type) << c.text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntegerValues,
    ::testing::Values(
        // constants
        IntCase{"1+2*3", 7, tc::Int}, IntCase{"1<<4>>2", 4, 0}, IntCase{"'AB'", 0x4142, tc::Int},
        IntCase{"'\xff'", -1, 0}, IntCase{"''", 0, 0}, IntCase{"010", 8, 0}, IntCase{"0x1F", 31, 0},
        IntCase{"0b101", 5, 0}, IntCase{"12L", 12, tc::Long}, IntCase{"0xFFFFFFFF", -1, 0},
        IntCase{"  42  ", 42, 0},
        // arithmetic and precedence
        IntCase{"2-3-4", -5, 0}, IntCase{"7/2", 3, 0}, IntCase{"-7/2", -3, 0}, IntCase{"-7%2", -1, 0},
        IntCase{"(1+2)*3", 9, 0}, IntCase{"1+2==3", 1, 0}, IntCase{"5&3|8", 9, 0}, IntCase{"6^3", 5, 0},
        IntCase{"1||0&&0", 1, 0}, IntCase{"1&&0", 0, 0}, IntCase{"3<2", 0, 0}, IntCase{"-1<0", 1, 0},
        IntCase{"2>=2", 1, 0}, IntCase{"2!=2", 0, 0}, IntCase{"!0", 1, 0}, IntCase{"!5", 0, 0},
        IntCase{"~0", -1, 0}, IntCase{"-(3)", -3, 0}, IntCase{"+4", 4, 0}, IntCase{"#5", 5, 0},
        IntCase{"- -2", 2, 0},
        // no faults at the edges of 32-bit arithmetic
        IntCase{"(-2147483647-1)/-1", INT32_MIN, 0}, IntCase{"(-2147483647-1)%-1", 0, 0},
        IntCase{"2147483647+1", INT32_MIN, 0}, IntCase{"1<<40", 0, 0}, IntCase{"-8>>1", -4, 0},
        IntCase{"-1>>40", -1, 0}, IntCase{"1<<-1", 0, 0}, IntCase{"65536*65536", 0, 0},
        // variables
        IntCase{"i", 1234, tc::Int}, IntCase{"i+1", 1235, tc::Int}, IntCase{"c", 'A', tc::Char},
        IntCase{"sc", -1, tc::SignedChar}, IntCase{"l", 0x12345678, tc::Long}, IntCase{"uc", 200, tc::UnsignedChar},
        IntCase{"ui", 0xFFFF, tc::UnsignedInt}, IntCase{"col", 1, tc::Enum}, IntCase{"col+1", 2, tc::Int},
        IntCase{"flag", 1, tc::Bool}, IntCase{"bf", 5, tc::BitField}, IntCase{"demo.c:i", 1234, 0},
        IntCase{":i", 1234, 0},
        // selections and subscripts
        IntCase{"arr[3]", 30, tc::Int}, IntCase{"arr[1+1]", 20, 0}, IntCase{"p[2]", 20, tc::Int},
        IntCase{"*p", 0, tc::Int}, IntCase{"*(p+4)", 40, 0}, IntCase{"*(4+p)", 40, 0}, IntCase{"*(arr+5)", 50, 0},
        IntCase{"s.y", 4, tc::Int}, IntCase{"s.tag", 'z', tc::Char}, IntCase{"ps->tag", 'z', 0},
        IntCase{"(*ps).x", 3, 0}, IntCase{"str[1]", 'e', tc::Char}, IntCase{"*str", 'h', 0},
        IntCase{"fl.count", 7, tc::Int}, IntCase{"fl.mode", 5, tc::BitField}, IntCase{"fl.ready", 1, tc::Bool},
        IntCase{"&arr[2]-&arr[0]", 2, tc::Int}, IntCase{"p+3-p", 3, tc::Int}, IntCase{"&arr[4]-p", 4, 0},
        IntCase{"p+1>p", 1, tc::Int}, IntCase{"p==0", 0, 0}, IntCase{"&s", int32_t{at::s}, 0},
        IntCase{"&s.y", int32_t{at::s} + 2, 0}, IntCase{"&*p", int32_t{at::arr}, 0},
        IntCase{"p+2", int32_t{at::arr} + 4, 0}, IntCase{"arr+2", int32_t{at::arr} + 4, 0},
        // names that are not debug variables
        IntCase{"lbl", int32_t{at::lbl}, tc::Int}, IntCase{"var", 0x7F, tc::UnsignedChar},
        IntCase{"$a", 0x12, tc::UnsignedLong}, IntCase{"$hx", 0x5634, 0}, IntCase{"$x", 0x34, 0},
        IntCase{"main", int32_t{at::mainEntry}, 0}, IntCase{"@0x40", 0x40, tc::Int},
        // sizeof
        IntCase{"sizeof(long)", 4, tc::Int}, IntCase{"sizeof(int)", 2, 0}, IntCase{"sizeof(char)", 1, 0},
        IntCase{"sizeof(unsigned short)", 2, 0}, IntCase{"sizeof(double)", 8, 0}, IntCase{"sizeof(float)", 4, 0},
        IntCase{"sizeof(long double)", 8, 0}, IntCase{"sizeof(char *)", 2, 0}, IntCase{"sizeof(struct point)", 6, 0},
        IntCase{"sizeof(struct point *)", 2, 0}, IntCase{"sizeof(enum color)", 2, 0}, IntCase{"sizeof(pointT)", 6, 0},
        IntCase{"sizeof(arrT)", 8, 0}, IntCase{"sizeof(s)", 6, 0}, IntCase{"sizeof(arr)", 20, 0},
        IntCase{"sizeof(arr[0])", 2, 0}, IntCase{"sizeof(l)+1", 5, 0}, IntCase{"sizeof(d)", 8, 0},
        // casts
        IntCase{"(char)0x1FF", 0xFF, tc::UnsignedChar}, IntCase{"(signed char)0xFF", -1, tc::SignedChar},
        IntCase{"(unsigned char)-1", 255, tc::UnsignedChar}, IntCase{"(short)0x18000", -32768, tc::Short},
        IntCase{"(short int)0x18000", -32768, tc::Short}, IntCase{"(unsigned short)-1", 65535, tc::UnsignedShort},
        IntCase{"(signed short int)65535", -1, tc::Short}, IntCase{"(int)70000", 4464, tc::Int},
        IntCase{"(unsigned)5", 5, tc::UnsignedInt}, IntCase{"(signed)5", 5, tc::Int},
        IntCase{"(long)-1", -1, tc::Long}, IntCase{"(unsigned long int)-1", -1, tc::UnsignedLong},
        IntCase{"(long int)3", 3, tc::Long}, IntCase{"(signed long)3", 3, tc::Long},
        IntCase{"(const volatile unsigned char)0x1FF", 255, tc::UnsignedChar}, IntCase{"(uint8)0x1FF", 255, tc::UnsignedChar},
        IntCase{"(int)2.7", 2, tc::Int}, IntCase{"(int)-2.7", -2, tc::Int}, IntCase{"(char)300.0", 44, 0},
        IntCase{"(long)1e30", INT32_MAX, tc::Long},
        IntCase{"((struct point *)0x150)->y", 4, tc::Int}, IntCase{"((pointT *)0x150)->tag", 'z', 0},
        IntCase{"((intptr)0x120)[1]", 10, tc::Int}, IntCase{"*(int *)0x122", 10, 0},
        IntCase{"**(char * *)&str", 'h', 0}, IntCase{"(i)", 1234, 0}));

struct FloatCase {
  const char* text;
  double value;
  uint32_t type;
};

class FloatingValues : public ::testing::TestWithParam<FloatCase> {};

TEST_P(FloatingValues, Evaluate) {
  FakeEvalEnv env;
  const FloatCase& c = GetParam();
  test::Evaluated r = test::evaluateIn(env, c.text);
  ASSERT_EQ(r.error, 0) << c.text;
  EXPECT_DOUBLE_EQ(r.v->doubleValue(), c.value) << c.text;
  EXPECT_EQ(r.v->type, c.type) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Table, FloatingValues,
                         ::testing::Values(FloatCase{"1.5e2", 150.0, tc::Double}, FloatCase{"2.", 2.0, tc::Double},
                                           FloatCase{"1E-1", 0.1, tc::Double}, FloatCase{"1+0.5", 1.5, tc::Double},
                                           FloatCase{"0.5+1", 1.5, tc::Double}, FloatCase{"3.0/2", 1.5, tc::Double},
                                           FloatCase{"f", 1.5, tc::Float}, FloatCase{"d", 2.25, tc::Double},
                                           FloatCase{"d*2", 4.5, tc::Double}, FloatCase{"f+d", 3.75, tc::Float},
                                           FloatCase{"i+0.5", 1234.5, tc::Double}, FloatCase{"-1.5", -1.5, tc::Double},
                                           FloatCase{"(float)1", 1.0, tc::Float}, FloatCase{"(double)i", 1234.0, tc::Double},
                                           FloatCase{"(long double)2", 2.0, tc::LongDouble},
                                           FloatCase{"(double)0.25", 0.25, tc::Double}));

struct TruthCase {
  const char* text;
  int32_t value;
};

class TruthValues : public ::testing::TestWithParam<TruthCase> {};

TEST_P(TruthValues, ComparisonsAndLogicGiveInt) {
  FakeEvalEnv env;
  test::Evaluated r = test::evaluateIn(env, GetParam().text);
  ASSERT_EQ(r.error, 0) << GetParam().text;
  EXPECT_EQ(r.v->type, tc::Int) << GetParam().text;
  EXPECT_EQ(r.v->intValue(), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, TruthValues,
                         ::testing::Values(TruthCase{"1.5<2", 1}, TruthCase{"d==2.25", 1},
                                           TruthCase{"0.0||0.5", 1}, TruthCase{"0.5&&0.0", 0},
                                           TruthCase{"1>=f", 0}, TruthCase{"col==1", 1},
                                           TruthCase{"col!=1", 0}, TruthCase{"col&&0", 0},
                                           TruthCase{"uc<300", 1}));

}  // namespace
}  // namespace yav
