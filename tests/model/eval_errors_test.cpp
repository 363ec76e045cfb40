// Errors of the evaluator: each case and the message number it reports.
#include <gtest/gtest.h>

#include <string>

#include "eval_fake_env.h"

namespace yav {
namespace {

using test::FakeEvalEnv;
namespace at = test::at;

struct ErrorCase {
  const char* text;
  int error;
};

class EvaluatorErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(EvaluatorErrors, Report) {
  FakeEvalEnv env;
  test::Evaluated r = test::evaluateIn(env, GetParam().text);
  EXPECT_EQ(r.error, GetParam().error) << GetParam().text;
  ASSERT_NE(r.v, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EvaluatorErrors,
    ::testing::Values(
        // 12 zero divide
        ErrorCase{"5/0", 12}, ErrorCase{"5.0/0", 12}, ErrorCase{"5%0", 12}, ErrorCase{"i/(i-1234)", 12},
        // 13 syntax
        ErrorCase{"'a", 13}, ErrorCase{"", 13}, ErrorCase{"()", 13}, ErrorCase{"(1", 13}, ErrorCase{"1+", 13},
        ErrorCase{"#", 13}, ErrorCase{"arr[1", 13}, ErrorCase{"s.", 13}, ErrorCase{". ", 13},
        ErrorCase{"sizeof i", 13}, ErrorCase{"sizeof(i", 13}, ErrorCase{"(struct point)s", 13},
        ErrorCase{"(enum color)1", 13}, ErrorCase{"(pointT)1", 13}, ErrorCase{"(arrT)1", 13},
        ErrorCase{"(char *)1.5", 13}, ErrorCase{"\"x\"", 13}, ErrorCase{"*", 13}, ErrorCase{"&&i", 13},
        ErrorCase{")", 13},
        // 52 incorrect variable
        ErrorCase{"demo.c:12", 52}, ErrorCase{"main()", 52}, ErrorCase{"}", 52}, ErrorCase{"@", 52},
        ErrorCase{"@12x", 52}, ErrorCase{"\x01", 52},
        // 53 not addressable
        ErrorCase{"&$a", 53}, ErrorCase{"&1", 53}, ErrorCase{"&(i+1)", 53}, ErrorCase{"&.v", 53}, ErrorCase{"&rc", 53},
        // 54 not accessible
        ErrorCase{"$nosuch", 54}, ErrorCase{"$", 54}, ErrorCase{"nosuch", 54}, ErrorCase{"other.c:i", 54},
        ErrorCase{"main():i", 54}, ErrorCase{"other.c:var", 54}, ErrorCase{"main():lbl", 54},
        // 55 illegal type
        ErrorCase{"i.y", 55}, ErrorCase{"p->x", 55}, ErrorCase{"p+1.5", 55}, ErrorCase{"s+1", 55}, ErrorCase{"-s", 55},
        ErrorCase{"~1.5", 55}, ErrorCase{"!s", 55}, ErrorCase{"!p", 55}, ErrorCase{"~arr", 55}, ErrorCase{"!col", 55},
        ErrorCase{"-col", 55}, ErrorCase{"+p", 55}, ErrorCase{"*i", 55}, ErrorCase{"i[1]", 55},
        ErrorCase{"arr[1.5]", 55}, ErrorCase{"p[#]", 55}, ErrorCase{"arr[0#1.5]", 55}, ErrorCase{"arr[col]", 55}, ErrorCase{"arr[0#col]", 55}, ErrorCase{"arr[0#-1]", 55},
        ErrorCase{"p-ps", 55}, ErrorCase{"ps<p", 55}, ErrorCase{"1-p", 55}, ErrorCase{"p=5", 55}, ErrorCase{"i=p", 55},
        ErrorCase{"ps=p", 55}, ErrorCase{"i=s", 55},
        // 56 unknown field
        ErrorCase{"s.nosuch", 56}, ErrorCase{"ps->nosuch", 56},
        // 57 illegal operator
        ErrorCase{"1.5%2", 57}, ErrorCase{"1.5<<1", 57}, ErrorCase{"d&1", 57}, ErrorCase{"p*2", 57}, ErrorCase{"p&&p", 57},
        // 61 not updatable
        ErrorCase{"3=4", 61}, ErrorCase{"i=uc=3", 61}, ErrorCase{"arr=1", 61}, ErrorCase{"s=s", 61},
        ErrorCase{"main=1", 61}, ErrorCase{"lbl=1", 61}, ErrorCase{"(i)+0=1", 61}, ErrorCase{"(int)i=1", 61}));

TEST(EvaluatorErrors, FirstErrorWins) {
  FakeEvalEnv env;
  EXPECT_EQ(test::evaluateIn(env, "nosuch + 5/0").error, 54);
  EXPECT_EQ(test::evaluateIn(env, "5/0 + nosuch").error, 12);
}

// Deep nesting is refused with a syntax error instead of exhausting the stack.
TEST(EvaluatorErrors, DeepNestingIsASyntaxError) {
  FakeEvalEnv env;
  const int n = 100000;
  for (const std::string& text : {std::string(n, '(') + "1" + std::string(n, ')'), std::string(n, '-') + "1",
                                  std::string(n, '*') + "p", [&] { std::string t; for (int k = 0; k < n; ++k) t += "(int)"; return t + "1"; }(), [&] { std::string t; for (int k = 0; k < n; ++k) t += "arr["; return t; }()}) {
    EXPECT_EQ(test::evaluateIn(env, text).error, 13) << text.substr(0, 5);
  }
  EXPECT_EQ(test::evaluateIn(env, std::string(50, '(') + "1" + std::string(50, ')')).error, 0);
}

TEST(EvaluatorErrors, NothingIsWrittenOnceAnErrorIsPending) {
  for (const char* text : {"i = 1/0", "i = nosuch", "i = (1", "i = s.nosuch", "$a = 1/0", ".v = 1/0"}) {
    FakeEvalEnv env;
    const RegisterFile before = env.regs;
    EXPECT_NE(test::evaluateIn(env, text).error, 0) << text;
    EXPECT_EQ(env.writes, 0) << text;
    EXPECT_EQ(env.regs, before) << text;
    EXPECT_EQ(env.labels.count("..v") ? env.labels["..v"] : 0u, 0u) << text;
  }
}

}  // namespace
}  // namespace yav
