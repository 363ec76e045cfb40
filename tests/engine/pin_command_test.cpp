// `pin`: drives and reads pins of the target through the target port.
#include <gtest/gtest.h>

#include "support/fake_target_kernel.h"

namespace yav {
namespace {

struct PinCommandTest : ::testing::Test, test::FakeTargetKernel {
  PinCommandTest() { port->pins = {{"PTA2", 1}, {"IRQ", 1}}; }
};

TEST_F(PinCommandTest, DrivesReadsAndLetsGo) {
  EXPECT_EQ(run("pin PTA2 0"), "PTA2: 0\n");
  EXPECT_EQ(port->pins["PTA2"], 0);
  EXPECT_EQ(run("pin PTA2"), "PTA2: 0\n");
  EXPECT_EQ(run("pin PTA2 free; pin IRQ 0"), "PTA2: 1\nIRQ: 0\n");
  EXPECT_EQ(port->pins["IRQ"], 0);
}

TEST_F(PinCommandTest, BadArgumentsAndUnknownPinsAreErrors) {
  struct Case {
    const char* line;
    const char* output;
  } cases[] = {
      {"pin", "#error: syntax error pin \n"},
      {"pin PTA2 2", "#error: syntax error pin PTA2 2\n"},
      {"pin PTA2 0 1", "#error: syntax error pin PTA2 0 1\n"},
      {"pin PTZ9 0", "#error: pin: the target has no pin PTZ9\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(run(c.line), c.output) << c.line;
  EXPECT_EQ(port->pins["PTA2"], 1);
  k.target.reset();
  EXPECT_EQ(run("pin PTA2"), "#error: pin: the target has no pin PTA2\n");
}

}  // namespace
}  // namespace yav
