#include "qt/view_kinds.h"

#include "qt/disassembly_window.h"
#include "qt/registers_window.h"
#include "qt/stack_window.h"
#include "qt/variable_window.h"

namespace yav {

namespace {

// Rows are added by the modules that build each view.
const ViewKind kViewKinds[] = {
    {310, "REGHOST", "REGWIN", "Registers", "RegWindow", &createRegistersWindow},

    {320, "ASMHOST", "ASMWIN", "Disassembly", "DisaWindow", createDisassemblyWindow},

    {330, "STACKHOST", "STACKWIN", "Stack", "StackWindow", &createStackWindow},

    {335, "YAVVHOST", "YAVLOCS", "Locals", "LocalsWindow", createLocalsWindow},

    {336, "YAVVHOST", "YAVGLOBS", "Globals", "GlobalsWindow", createGlobalsWindow},

    {340, "MONHOST", "MONWIN", "Monitors", "MonWindow", createMonitorWindow},

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
