#include "ui/status_bar_layout.h"

#include <algorithm>

namespace yav {

namespace {
constexpr int kRightMargin = 20;    // taken off the client width
constexpr int kGaugeSpace = 120;    // room right of the fields
constexpr int kSecondShorter = 20;  // the middle field ends this much before 2p
constexpr int kGaugeWidth = 100;
constexpr int kGaugeInset = 2;
}  // namespace

std::array<int, 3> statusBarParts(int clientWidth) {
  int p = std::max(0, (clientWidth - kRightMargin - kGaugeSpace) / 3);
  return {p, std::max(p, 2 * p - kSecondShorter), 3 * p};
}

GaugeGeometry gaugeGeometry(int barWidth, int barHeight, uint32_t done, uint32_t total) {
  GaugeGeometry g;
  g.x = barWidth - kGaugeSpace;
  g.y = kGaugeInset;
  g.width = kGaugeWidth;
  g.height = std::max(0, barHeight - 2 * kGaugeInset);
  // An empty total or an overrun never paints outside the frame.
  if (total != 0) g.filled = static_cast<int>(std::min<uint64_t>(uint64_t{kGaugeWidth} * done / total, kGaugeWidth));
  return g;
}

}  // namespace yav
