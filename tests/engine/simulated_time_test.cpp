// `$time`: the simulated time the target port measures, as a read-only number in expressions.
#include <gtest/gtest.h>

#include <string>

#include "support/fake_target_kernel.h"

namespace yav {
namespace {

struct SimulatedTimeTest : ::testing::Test, test::FakeTargetKernel {};

TEST_F(SimulatedTimeTest, ReadsTheTargetsMicrosecondsAsANumber) {
  // 65,536 bus cycles at 4,194,304 Hz, then the same plus one cycle (0.2384185791015625 us).
  port->microseconds = 15625.0;
  EXPECT_EQ(run("x $time"), "    $time = 15625.0\n");
  port->microseconds = 15625.2384185791015625;
  EXPECT_EQ(run("x $time"), "    $time = 15625.23841\n");  // ten significant digits
  // A number like any other in expressions, read anew each time.
  port->microseconds = 1.5;
  EXPECT_EQ(run("x $time * 2 + 1"), "    $time * 2 + 1 = 4.0\n");
  EXPECT_EQ(run("x sizeof($time)"), "    sizeof($time) = " + std::to_string(sizeof(double)) + "\n");
}

TEST_F(SimulatedTimeTest, IsReadOnlyAndAbsentWithoutASimulator) {
  port->microseconds = 100.0;
  const std::string refused = run("u $time = 5");
  EXPECT_NE(refused.find("#error"), std::string::npos) << refused;
  EXPECT_EQ(run("x $time"), "    $time = 100.0\n");
  // A real board measures no time: `$time` is then an unknown name, as `$nosuch` is.
  port->microseconds.reset();
  const std::string unknown = run("x $nosuch");
  ASSERT_NE(unknown.find("#error"), std::string::npos) << unknown;
  EXPECT_EQ(run("x $time"), unknown);
  k.target.reset();
  EXPECT_NE(run("x $time").find("#error"), std::string::npos);
}

}  // namespace
}  // namespace yav
