#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "model/messages.h"

namespace yav {

const char* cmd_unsupported(Kernel& k, const char*, int) {
  errmsg(k, {errtext(msg::NotSupported), "\n"});
  k.disp.noUpdate = true;
  return kEmptyRest;
}

}  // namespace yav
