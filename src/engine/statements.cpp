#include "engine/statements.h"

#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "model/messages.h"

namespace yav {

const char* statement(Kernel& k, const char* text, int user) {
  const char* p = skipBlanks(execcmd(k, text, user));
  if (*p == ';') return p + 1;
  if (*p && *p != '}') {
    errmsg(k, {errtext(msg::Missing), "';': ", p, "\n"});
    return kEmptyRest;
  }
  return p;
}

}  // namespace yav
