#include "qt/view_kinds.h"

#include "qt/disassembly_window.h"
#include "qt/registers_window.h"
#include "qt/stack_window.h"

namespace yav {

namespace {

// Rows are added by the modules that build each view.
const ViewKind kViewKinds[] = {
    {310, "REGHOST", "REGWIN", "Registers", "RegWindow", &createRegistersWindow},

    {320, "ASMHOST", "ASMWIN", "Disassembly", "DisaWindow", createDisassemblyWindow},

    {330, "STACKHOST", "STACKWIN", "Stack", "StackWindow", &createStackWindow},

    // locals (335)

    // globals (336)

    // monitors (340)

    {0, {}, {}, {}, {}, nullptr},
};

}  // namespace

std::span<const ViewKind> viewKinds() { return {kViewKinds, std::size(kViewKinds) - 1}; }

const ViewKind* viewKindByShowId(uint16_t id) {
  for (const ViewKind& v : viewKinds())
    if (v.showId == id) return &v;
  return nullptr;
}

}  // namespace yav
