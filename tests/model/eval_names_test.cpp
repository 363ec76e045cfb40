// Names: qualified names, storage classes and frame resolution, register arguments, labels,
// and what xexpr and Expression hand back.
#include <gtest/gtest.h>

#include "eval_fake_env.h"
#include "model/eval_name.h"
#include "model/putresult.h"

namespace yav {
namespace {

using test::FakeEvalEnv;
namespace at = test::at;

struct NameCase {
  const char* text;
  bool valid;
  const char* file;
  const char* function;
  const char* variable;
  size_t end;
};

class NameAnalysis : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameAnalysis, Split) {
  const NameCase& c = GetParam();
  NameRead r = readQualifiedName(c.text, 0);
  EXPECT_EQ(r.name.valid, c.valid) << c.text;
  EXPECT_EQ(r.name.file, c.file) << c.text;
  EXPECT_EQ(r.name.function, c.function) << c.text;
  EXPECT_EQ(r.name.variable, c.variable) << c.text;
  EXPECT_EQ(r.end, c.end) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Table, NameAnalysis,
                         ::testing::Values(NameCase{"count+1", true, "", "", "count", 5},
                                           NameCase{"s.x", true, "", "", "s", 1},
                                           NameCase{"demo.c:count", true, "demo.c", "", "count", 12},
                                           NameCase{"src/a-b.c:v.m", true, "src/a-b.c", "", "v", 11},
                                           NameCase{"main():i[2]", true, "", "main", "i", 8},
                                           NameCase{"():i", true, "", "", "i", 4}, NameCase{":i", true, "", "", "i", 2},
                                           NameCase{"main()", false, "", "main", "", 6},
                                           NameCase{"demo.c:12", false, "demo.c", "", "", 9},
                                           NameCase{"demo.c:12:14", false, "demo.c", "", "", 12},
                                           NameCase{"$pc", true, "", "", "$pc", 3}, NameCase{"}", false, "", "", "", 1},
                                           NameCase{"a b", true, "", "", "a", 1}));

TEST(NameAnalysis, AbsoluteAddress) {
  NameRead r = readQualifiedName("@0x1F0+1", 0);
  EXPECT_TRUE(r.name.valid);
  EXPECT_TRUE(r.name.isAbsolute);
  EXPECT_EQ(r.name.absolute, 0x1F0u);
  EXPECT_EQ(r.end, 6u);
}

struct FrameCase {
  const char* text;
  bool saved;  // register arguments sit in their frame slots
  uint8_t locationClass;
  uint32_t address;
  int32_t value;
};

class FrameResolution : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameResolution, StorageClassGivesPlace) {
  FakeEvalEnv env;
  env.registerArgumentsSaved = GetParam().saved;
  test::Evaluated r = test::evaluateIn(env, GetParam().text);
  ASSERT_EQ(r.error, 0) << GetParam().text;
  EXPECT_EQ(r.v->locationClass, GetParam().locationClass) << GetParam().text;
  EXPECT_EQ(r.v->address, GetParam().address) << GetParam().text;
  EXPECT_EQ(r.v->intValue(), GetParam().value) << GetParam().text;
}

// Frame bytes hold their own low address byte (0x1F8..0x207); A is 0x12, X 0x34.
INSTANTIATE_TEST_SUITE_P(
    Table, FrameResolution,
    ::testing::Values(FrameCase{"loc", false, 3, at::frameBase - 2, -257},  // auto: base - offset
                      FrameCase{"arg", false, 2, at::frameBase + 3, 0x0304},  // argument: base + offset + 2
                      FrameCase{"fn():arg", false, 2, at::frameBase + 3, 0x0304},
                      FrameCase{"ra", false, 7, REG_X, 0x3412},               // int first argument: X:A
                      FrameCase{"rc", false, 7, REG_A, 0x12},                 // char first argument: A
                      FrameCase{"ra", true, 1, at::frameBase + 3, 0x0304},    // saved: base + offset
                      FrameCase{"r5", false, 4, REG_A, 0x12},  // kept in a register: in A from the call until moved
                      FrameCase{"r5", true, 4, REG_A, 0x12},                  // held in its register
                      FrameCase{"rx", true, 4, REG_X, 0x34}));                // a char held in X is X

TEST(FrameResolution, WithoutAFrameOrARegisterALocalHasNoValue) {
  FakeEvalEnv env;
  env.hasFrame = false;
  env.mem.bytes[0] = 0;
  env.mem.bytes[1] = 9;
  EXPECT_EQ(test::evaluateIn(env, "arg").error, 54);  // not the word at address 0
  EXPECT_EQ(test::evaluateIn(env, "i").error, 0);     // statics need no frame
  env.hasFrame = true;
  EXPECT_EQ(test::evaluateIn(env, "arg").error, 0);
  EXPECT_EQ(test::evaluateIn(env, "rnone").error, 16);
}

TEST(FrameResolution, SavedRegisterArgumentIsAddressable) {
  FakeEvalEnv env;
  EXPECT_EQ(test::evaluateIn(env, "&ra").error, 53);
  env.registerArgumentsSaved = true;
  test::Evaluated r = test::evaluateIn(env, "&ra");
  ASSERT_EQ(r.error, 0);
  EXPECT_EQ(r.v->intValue(), static_cast<int32_t>(at::frameBase + 3));
}

TEST(Names, FunctionsAreFunctionPointers) {
  FakeEvalEnv env;
  test::Evaluated r = test::evaluateIn(env, "main");
  ASSERT_EQ(r.error, 0);
  EXPECT_TRUE(isFunctionPointer(r.v->type));
  EXPECT_EQ(baseCode(r.v->type), tc::Int);
  EXPECT_EQ(r.v->address, at::mainEntry);
  EXPECT_EQ(r.v->locationClass, 19);
}

TEST(Names, LabelsAsValuesAndAsVariables) {
  FakeEvalEnv env;
  test::Evaluated label = test::evaluateIn(env, "lbl");
  EXPECT_EQ(label.v->locationClass, sc::LabelValue);
  EXPECT_EQ(label.v->address, at::lbl);
  test::Evaluated variable = test::evaluateIn(env, "var");
  EXPECT_EQ(variable.v->locationClass, 6);
  EXPECT_EQ(variable.v->address, at::var);
  EXPECT_EQ(variable.v->size, 1u);
}

TEST(Names, DebugSymbolsComeBeforeLabels) {
  FakeEvalEnv env;
  env.labels["i"] = 0x999;
  EXPECT_EQ(test::evaluateIn(env, "i").v->intValue(), 1234);
}

TEST(Xexpr, RecordTextSizeAndCursor) {
  FakeEvalEnv env;
  test::Evaluated r = test::evaluateIn(env, " :i  , rest");
  ASSERT_EQ(r.error, 0);
  EXPECT_EQ(r.v->text, "i");
  EXPECT_EQ(r.cursor, 5u);
  EXPECT_EQ(r.v->size, 2u);
  EXPECT_EQ(textWithClassByte(*r.v), std::string("i\0\1", 3));
  test::Evaluated computed = test::evaluateIn(env, "i + 1)");
  EXPECT_EQ(computed.v->text, "i + 1");
  EXPECT_EQ(computed.cursor, 5u);
  EXPECT_EQ(computed.v->size, 0u);
  EXPECT_EQ(textWithClassByte(*computed.v), std::string("i + 1\0\x09", 7));
  EXPECT_EQ(test::evaluateIn(env, "s").v->size, 6u);
  EXPECT_EQ(test::evaluateIn(env, "p").v->size, 2u);
}

TEST(Xexpr, CStringFormAdvancesTheTextPointer) {
  FakeEvalEnv env;
  Evaluator ev(env);
  const char* text = "i*2; next";
  int error = -1;
  std::unique_ptr<ValueRecord> v = xexpr(ev, text, error, true);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(v->intValue(), 2468);
  EXPECT_STREQ(text, "; next");
  xfree(v.release());
}

struct ExpressionCase {
  const char* text;
  int error;
  bool isFloat;
  int32_t integer;
  double floating;
};

class ExpressionEntry : public ::testing::TestWithParam<ExpressionCase> {};

TEST_P(ExpressionEntry, WholeTextIsOneExpression) {
  FakeEvalEnv env;
  Evaluator ev(env);
  const ExpressionCase& c = GetParam();
  bool isFloat = false;
  int32_t integer = 0;
  double floating = 0;
  EXPECT_EQ(Expression(ev, true, c.text, isFloat, integer, floating), c.error) << c.text;
  if (c.error == 0) {
    EXPECT_EQ(isFloat, c.isFloat) << c.text;
    EXPECT_EQ(integer, c.integer) << c.text;
    EXPECT_DOUBLE_EQ(floating, c.floating) << c.text;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ExpressionEntry,
                         ::testing::Values(ExpressionCase{"1+2", 0, false, 3, 0}, ExpressionCase{"  i  \n", 0, false, 1234, 0},
                                           ExpressionCase{"d/2", 0, true, 0, 1.125}, ExpressionCase{"f", 0, true, 0, 1.5},
                                           ExpressionCase{"1+2 x", 58, false, 0, 0}, ExpressionCase{"1,2", 58, false, 0, 0},
                                           ExpressionCase{"1)", 58, false, 0, 0}, ExpressionCase{"5/0 x", 12, false, 0, 0}));

TEST(EvaluateFlag, ParsingOnlyReadsNothingFromTheTarget) {
  for (const char* text : {"*p", "i", "ps->x + arr[3]", "$a", "ra", "var", "i/i", "d/d", "p[2#3]", "s.y", "sizeof(*p)"}) {
    FakeEvalEnv env;
    test::Evaluated r = test::evaluateIn(env, text, false);
    EXPECT_EQ(r.error, 0) << text;
    EXPECT_EQ(env.mem.reads, 0) << text;
    EXPECT_EQ(env.registerReads, 0) << text;
  }
}

TEST(EvaluateFlag, TypesAreStillKnownWhenParsingOnly) {
  FakeEvalEnv env;
  test::Evaluated r = test::evaluateIn(env, "ps->tag", false);
  EXPECT_EQ(r.v->type, tc::Char);
  EXPECT_EQ(r.v->intValue(), 0);
  EXPECT_EQ(test::evaluateIn(env, "arr", false).v->intValue(), static_cast<int32_t>(at::arr));
}

TEST(EvaluateFlag, SizeofDoesNotEvaluateItsOperand) {
  FakeEvalEnv env;
  EXPECT_EQ(test::evaluateIn(env, "sizeof(i = 5)").v->intValue(), 2);
  EXPECT_EQ(env.writes, 0);
}

// An evaluation started from inside another (a callback during a read) keeps the outer
// evaluation's flag and error state.
TEST(Nesting, InnerEvaluationRestoresOuterState) {
  FakeEvalEnv env;
  Evaluator ev(env);
  int innerError = 0;
  bool sawEvaluate = true;
  bool nested = false;
  env.mem.onRead = [&] {
    if (nested) return;
    nested = true;
    size_t c = 0;
    xexpr(ev, "1/0", c, innerError, false);
    sawEvaluate = ev.evaluate;
  };
  size_t cursor = 0;
  int error = -1;
  std::unique_ptr<ValueRecord> v = xexpr(ev, "i + arr[1]", cursor, error, true);
  EXPECT_EQ(innerError, 12);
  EXPECT_TRUE(sawEvaluate);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(v->intValue(), 1244);
  EXPECT_EQ(ev.pendingError, 0);
}

// Repeat subscripts hand putresult a count of elements to print.
class Collect : public PrintEnv {
 public:
  explicit Collect(FakeEvalEnv& env) : env_(env) {}
  void put(std::string_view t) override { out += t; }
  TargetMemory* memory() override { return &env_.mem; }
  bool textualMode() const override { return true; }
  std::string out;

 private:
  FakeEvalEnv& env_;
};

struct RepeatCase {
  const char* text;
  uint32_t repeat;
  const char* printed;
};

class RepeatSubscripts : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(RepeatSubscripts, PrintElements) {
  FakeEvalEnv env;
  test::Evaluated r = test::evaluateIn(env, GetParam().text);
  ASSERT_EQ(r.error, 0) << GetParam().text;
  EXPECT_EQ(r.v->repeat, GetParam().repeat);
  Collect out(env);
  putresult(out, *r.v, 0);
  EXPECT_EQ(out.out, GetParam().printed);
}

INSTANTIATE_TEST_SUITE_P(Table, RepeatSubscripts,
                         ::testing::Values(RepeatCase{"arr[#]", 10, "{0, 10, 20, 30, 40, 50, 60, 70, 80, 90}"},
                                           RepeatCase{"p[2#3]", 3, "{20, 30, 40}"},
                                           RepeatCase{"arr[1+1#1+1]", 2, "{20, 30}"},
                                           RepeatCase{"str[0#5]", 5, "{104, 101, 108, 108, 111}"},
                                           RepeatCase{"*ps", 0, "{x=3, y=4, tag=122}"}));

}  // namespace
}  // namespace yav
