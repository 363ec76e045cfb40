#include <cstring>

#include "engine/commands.h"
#include "engine/dispatcher.h"

namespace yav {

// `internals off` disables the internal command words; anything else enables them.
const char* cmd_internals(Kernel& k, const char* rest, int) {
  k.disp.internals = std::strncmp(rest, "off", 3) != 0;
  return kEmptyRest;
}

}  // namespace yav
