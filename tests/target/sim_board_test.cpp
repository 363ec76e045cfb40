// The simulated board's own entries through the chip library: its simulated time and its pins.
#include "target/chip_target.h"
#include "target/connection.h"
#include "target/target_fixture.h"

namespace yav::test {
namespace {

using namespace yav::target;

TEST_F(TargetTest, SimulatedTimeAdvancesWithTheBusCyclesAndPinsAnswer) {
  ASSERT_TRUE(connectTarget(k));
  const target::TargetState& t = target::targetState(k);
  ASSERT_NE(t.chip.emtime, nullptr);
  unsigned long long before = 0, after = 0;
  double us = -1;
  ASSERT_EQ(t.chip.emtime(&before, &us), 0);
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(k.target->instructionStep());
  ASSERT_EQ(t.chip.emtime(&after, &us), 0);
  EXPECT_GT(after, before);
  // The QE128's bus runs at 4194304 Hz.
  EXPECT_NEAR(us, static_cast<double>(after) * 1e6 / 4194304, 1e-6);
  EXPECT_EQ(k.target->pin("PTC3", std::nullopt), 1);
  EXPECT_EQ(k.target->pin("PTC3", 0), 0);
  EXPECT_EQ(k.target->pin("PTC3", std::nullopt), 0);
  EXPECT_EQ(k.target->pin("nosuch", 1), std::nullopt);
  shutdownTarget(k);
  EXPECT_EQ(k.target->pin("PTC3", std::nullopt), std::nullopt);
}

}  // namespace
}  // namespace yav::test
