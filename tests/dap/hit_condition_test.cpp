// Hit conditions as editors write them, read as the rule of the kernel's event.
#include <gtest/gtest.h>

#include "dap/dap_hit_condition.h"

namespace yav::dap {
namespace {

using Rule = Event::HitRule;

TEST(HitCondition, ReadsTheFormsEditorsWrite) {
  struct Case {
    const char* text;
    Rule rule;
    int32_t count;
  };
  const Case cases[] = {
      {"3", Rule::NthOnly, 3},       {"== 3", Rule::NthOnly, 3},  {"==3", Rule::NthOnly, 3},
      {" = 7 ", Rule::NthOnly, 7},   {">= 3", Rule::FromNth, 3},  {">=1", Rule::FromNth, 1},
      {"> 3", Rule::FromNth, 4},     {">0", Rule::FromNth, 1},    {"%3", Rule::EveryNth, 3},
      {"% 1", Rule::EveryNth, 1},    {"\t12\t", Rule::NthOnly, 12},
  };
  for (const Case& c : cases) {
    const auto read = readHitCondition(c.text);
    const HitCondition* hit = std::get_if<HitCondition>(&read);
    ASSERT_TRUE(hit) << c.text << ": " << std::get<std::string>(read);
    EXPECT_EQ(hit->rule, c.rule) << c.text;
    EXPECT_EQ(hit->count, c.count) << c.text;
  }
}

TEST(HitCondition, RefusesWhatIsNoCountOfPassages) {
  for (const char* text : {"", "often", "0", "== 0", "%0", "< 3", "<= 3", "3x", "-1", ">= -2", "1.5", ">", "%",
                           "99999999999", "3 3", "!= 3"}) {
    const auto read = readHitCondition(text);
    ASSERT_TRUE(std::holds_alternative<std::string>(read)) << text;
    EXPECT_NE(std::get<std::string>(read).find("hit condition"), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace yav::dap
