#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"

namespace yav {

const char* cmd_unsupported(Kernel& k, const char*, int) {
  errmsg(k, {errtext(35), "\n"});
  k.disp.noUpdate = true;
  return kEmptyRest;
}

}  // namespace yav
