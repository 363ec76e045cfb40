// Assignment: typed writes to memory, registers, register-held symbols and debugger
// variables, and what the assignment gives back.
#include <gtest/gtest.h>

#include <bit>

#include "eval_fake_env.h"

namespace yav {
namespace {

using test::FakeEvalEnv;
namespace at = test::at;

struct MemoryWrite {
  const char* text;
  uint32_t address;
  std::vector<uint8_t> bytes;  // expected at the address afterwards
  int32_t result;              // integer value of the assignment
};

class MemoryAssignments : public ::testing::TestWithParam<MemoryWrite> {};

TEST_P(MemoryAssignments, WriteTypedBytes) {
  FakeEvalEnv env;
  const MemoryWrite& c = GetParam();
  test::Evaluated r = test::evaluateIn(env, c.text);
  ASSERT_EQ(r.error, 0) << c.text;
  for (size_t k = 0; k < c.bytes.size(); ++k) {
    EXPECT_EQ(env.mem.bytes[c.address + static_cast<uint32_t>(k)], c.bytes[k]) << c.text << " byte " << k;
  }
  EXPECT_EQ(r.v->intValue(), c.result) << c.text;
  EXPECT_EQ(r.v->locationClass, sc::Computed) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, MemoryAssignments,
    ::testing::Values(
        MemoryWrite{"i = 7", at::i, {0x00, 0x07}, 7}, MemoryWrite{"i = -2", at::i, {0xFF, 0xFE}, -2},
        MemoryWrite{"c = 300", at::c, {0x2C, 0xFF}, 44}, MemoryWrite{"sc = 255", at::sc, {0xFF}, -1},
        MemoryWrite{"uc = -1", at::uc, {0xFF, 0x00}, 255}, MemoryWrite{"l = -1", at::l, {0xFF, 0xFF, 0xFF, 0xFF}, -1},
        MemoryWrite{"ui = 1.9", at::ui, {0x00, 0x01}, 1}, MemoryWrite{"col = 2", at::col, {0x00, 0x02}, 2},
        MemoryWrite{"arr[2] = 5", at::arr + 4, {0x00, 0x05}, 5}, MemoryWrite{"*p = 3", at::arr, {0x00, 0x03}, 3},
        MemoryWrite{"p[9] = 0x1234", at::arr + 18, {0x12, 0x34}, 0x1234},
        MemoryWrite{"s.y = 9", at::s + 2, {0x00, 0x09}, 9}, MemoryWrite{"ps->tag = 'q'", at::s + 4, {'q', 0x00}, 'q'},
        MemoryWrite{"p = 0", at::p, {0x00, 0x00}, 0}, MemoryWrite{"p = &arr[1]", at::p, {0x01, 0x22}, 0x122},
        MemoryWrite{"p = arr", at::p, {0x01, 0x20}, 0x120},
        MemoryWrite{"ps = (struct point *)0x1234", at::ps, {0x12, 0x34}, 0x1234},
        MemoryWrite{"ps = (pointT *)0", at::ps, {0x00, 0x00}, 0},
        MemoryWrite{"flag = 0", at::flag, {0x00}, 0}, MemoryWrite{"flag = 0x100", at::flag, {0x08}, 1},
        MemoryWrite{"bf = 2", at::bf, {0x00, 0x20}, 2}, MemoryWrite{"bf = 15", at::bf, {0x00, 0x70}, 7},
        MemoryWrite{"fl.mode = 2", at::bits + 2, {0x8F, 0x2F}, 2}, MemoryWrite{"fl.ready = 0", at::bits + 4, {0xF0}, 0},
        MemoryWrite{"var = 0x1FF", at::var, {0xFF, 0x01}, 255}, MemoryWrite{"(i = 3) + 1", at::i, {0x00, 0x03}, 4},
        MemoryWrite{"i = uc", at::i, {0x00, 200}, 200}));

TEST(Assignment, FloatingTypesStoreTheirImage) {
  FakeEvalEnv env;
  ASSERT_EQ(test::evaluateIn(env, "f = 2").error, 0);
  EXPECT_EQ(env.mem.longAt(at::f), std::bit_cast<uint32_t>(2.0f));
  test::Evaluated r = test::evaluateIn(env, "d = i / 4.0");
  ASSERT_EQ(r.error, 0);
  EXPECT_EQ((uint64_t{env.mem.longAt(at::d)} << 32) | env.mem.longAt(at::d + 4), std::bit_cast<uint64_t>(308.5));
  EXPECT_DOUBLE_EQ(r.v->doubleValue(), 308.5);
  EXPECT_EQ(r.v->type, tc::Double);
}

TEST(Assignment, SetBitLeavesTheOtherBitsOfItsByte) {
  FakeEvalEnv env;
  env.mem.bytes[at::flag] = 0xF0;
  ASSERT_EQ(test::evaluateIn(env, "flag = 5").error, 0);
  EXPECT_EQ(env.mem.bytes[at::flag], 0xF8);
  env.mem.putWord(at::bf, 0xFFFF);
  ASSERT_EQ(test::evaluateIn(env, "bf = 0").error, 0);
  EXPECT_EQ(env.mem.word(at::bf), 0xFF8F);
}

TEST(Assignment, RegistersAndTheProgramCounter) {
  FakeEvalEnv env;
  test::Evaluated r = test::evaluateIn(env, "$a = 0x155");
  ASSERT_EQ(r.error, 0);
  EXPECT_EQ(env.regs.a, 0x55);
  EXPECT_EQ(env.pcNotifications, 0);
  ASSERT_EQ(test::evaluateIn(env, "$hx = p").error, 0);  // a register takes a pointer
  EXPECT_EQ(env.regs.hx, at::arr);
  ASSERT_EQ(test::evaluateIn(env, "$pc = 0x9000").error, 0);
  EXPECT_EQ(env.regs.pc, 0x9000);
  EXPECT_EQ(env.pcNotifications, 1);
  ASSERT_EQ(test::evaluateIn(env, "$pc = 0x9000").error, 0);
  EXPECT_EQ(env.pcNotifications, 1);  // unchanged: nothing to follow
}

TEST(Assignment, RefusedWritesAreReported) {
  FakeEvalEnv env;
  env.refusedRegisters.insert(REG_A);
  EXPECT_EQ(test::evaluateIn(env, "$a = 1").error, 54);
  EXPECT_EQ(env.regs.a, 0x12);
  env.refuseWrites = true;
  EXPECT_EQ(test::evaluateIn(env, "i = 1").error, 54);
  EXPECT_EQ(env.mem.word(at::i), 1234);
}

TEST(Assignment, RegisterHeldArguments) {
  FakeEvalEnv env;
  ASSERT_EQ(test::evaluateIn(env, "rc = 7").error, 0);  // a char argument in A
  EXPECT_EQ(env.regs.a, 7);
  EXPECT_EQ(env.regs.hx, 0x5634);
  ASSERT_EQ(test::evaluateIn(env, "ra = 0x1234").error, 0);  // an int argument in X:A
  EXPECT_EQ(env.regs.a, 0x34);
  EXPECT_EQ(env.regs.hx & 0xFF, 0x12);
  EXPECT_EQ(env.writes, 0);
}

TEST(Assignment, DebuggerVariables) {
  FakeEvalEnv env;
  test::Evaluated r = test::evaluateIn(env, ".v");
  ASSERT_EQ(r.error, 0);
  EXPECT_EQ(env.labels.at("..v"), 0u);  // created on first use
  EXPECT_EQ(r.v->type, tc::UnsignedLong);
  EXPECT_EQ(r.v->locationClass, sc::DebuggerVariable);
  ASSERT_EQ(test::evaluateIn(env, ".v = i + 1").error, 0);
  EXPECT_EQ(env.labels.at("..v"), 1235u);
  EXPECT_EQ(test::evaluateIn(env, ".v * 2").v->intValue(), 2470);
  EXPECT_EQ(env.writes, 0);
}

TEST(Assignment, KernelMaintainedVariablesAreReachable) {
  FakeEvalEnv env;
  env.labels[".tsize"] = 4410;
  EXPECT_EQ(test::evaluateIn(env, ".tsize").v->intValue(), 4410);
  EXPECT_EQ(env.labels.count("..tsize"), 0u);  // found, not created
  ASSERT_EQ(test::evaluateIn(env, ".tsize = 7").error, 0);
  EXPECT_EQ(env.labels.at(".tsize"), 7u);
  env.labels["..tsize"] = 1;  // a user variable of the same name comes first
  EXPECT_EQ(test::evaluateIn(env, ".tsize").v->intValue(), 1);
}

TEST(Assignment, LoneEqualsEndsTheExpressionWhenAssignmentIsNotAllowed) {
  FakeEvalEnv env;
  Evaluator ev(env);
  ev.assignmentAllowed = false;
  size_t cursor = 0;
  int error = 0;
  std::unique_ptr<ValueRecord> v = xexpr(ev, "i = 5", cursor, error, true);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(cursor, 2u);
  EXPECT_EQ(v->intValue(), 1234);
  EXPECT_EQ(env.writes, 0);
  cursor = 0;
  v = xexpr(ev, "i == 1234", cursor, error, true);
  EXPECT_EQ(v->intValue(), 1);
}

TEST(Assignment, ParsingOnlyWritesNothing) {
  FakeEvalEnv env;
  test::Evaluated r = test::evaluateIn(env, "i = 5", false);
  EXPECT_EQ(r.error, 0);
  EXPECT_EQ(env.writes, 0);
  EXPECT_EQ(env.mem.word(at::i), 1234);
  EXPECT_EQ(test::evaluateIn(env, "$a = 5", false).error, 0);
  EXPECT_EQ(env.regs.a, 0x12);
}

}  // namespace
}  // namespace yav
