#include "ui/status_bar_layout.h"

#include <gtest/gtest.h>

namespace yav {
namespace {

TEST(StatusBarLayout, PartsEndAtPTwoPLessTwentyAndThreeP) {
  struct Case {
    int width;
    std::array<int, 3> ends;
  };
  const Case cases[] = {
      {1024, {294, 568, 882}},  // W = 1004, p = 884 / 3
      {800, {220, 420, 660}},
      {141, {0, 0, 0}},  // p = 1 / 3 = 0
      {0, {0, 0, 0}},    // never negative
      {200, {20, 20, 60}},
  };
  for (const Case& c : cases) EXPECT_EQ(statusBarParts(c.width), c.ends) << c.width;
}

TEST(StatusBarLayout, GaugeGeometryAndFill) {
  struct Case {
    uint32_t done, total;
    int filled;
  };
  const Case cases[] = {{0, 10, 0}, {5, 10, 50}, {10, 10, 100}, {1, 3, 33}, {20, 10, 100}, {5, 0, 0},
                        {4000000000u, 4000000000u, 100}};
  for (const Case& c : cases) {
    GaugeGeometry g = gaugeGeometry(1000, 24, c.done, c.total);
    EXPECT_EQ(g.x, 880);
    EXPECT_EQ(g.y, 2);
    EXPECT_EQ(g.width, 100);
    EXPECT_EQ(g.height, 20);
    EXPECT_EQ(g.filled, c.filled) << c.done << "/" << c.total;
  }
}

}  // namespace
}  // namespace yav
