#include "engine/commands.h"
#include "engine/dispatcher.h"

namespace yav {

// `*` and `rem`: a comment, the rest of the line is ignored.
const char* cmd_rem(Kernel&, const char*, int) { return kEmptyRest; }

}  // namespace yav
