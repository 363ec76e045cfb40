// Geometry of the frame's three-field status bar and of its progress gauge.
#pragma once
#include <array>
#include <cstdint>

namespace yav {

// Right ends of the three fields for a frame client area of this width.
std::array<int, 3> statusBarParts(int clientWidth);

struct GaugeGeometry {
  int x = 0, y = 0, width = 0, height = 0;  // the frame of the gauge
  int filled = 0;                            // pixels filled from the left
};

// The gauge inside a status bar of this size, with `done` of `total` units completed.
GaugeGeometry gaugeGeometry(int barWidth, int barHeight, uint32_t done, uint32_t total);

}  // namespace yav
