// The single-instance views the frame toggles with a Show command: one row each, held once.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace yav {

class ViewServices;
class ViewWindow;

struct ViewKind {
  uint16_t showId;                 // the frame command that opens and closes it (310, 320 ...)
  std::string_view hostClass;      // object name of the MDI host window ("REGHOST")
  std::string_view contentClass;   // object name of the view ("REGWIN")
  std::string_view title;          // window title ("Registers")
  std::string_view rectSection;    // settings section of its saved rectangle ("RegWindow"), or empty
  ViewWindow* (*create)(ViewServices&);
};

std::span<const ViewKind> viewKinds();

// The row of a Show command; null when the id opens no single-instance view.
const ViewKind* viewKindByShowId(uint16_t id);

}  // namespace yav
