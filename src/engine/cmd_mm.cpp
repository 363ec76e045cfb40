// `mm`: writes one unit of target memory.
#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/memory_commands.h"
#include "engine/options.h"
#include "model/messages.h"

namespace yav {

const char* cmd_mm(Kernel& k, const char* rest, int) {
  const char* p = rest;
  int unit = 1;
  const auto onLetter = [&unit](char letter, const char*&) { unit = unitForLetter(letter); };
  const bool known = scanOptions(k, p, "BWL", onLetter, " Unknown Option ");
  if (!known) return kEmptyRest;

  uint32_t address = 0;
  if (!evalInteger(k, p, address)) {
    errmsg(k, {" Wrong Start Address for FILL ", "\n"});
    return kEmptyRest;
  }
  p = skipSeparator(p);
  uint32_t value = 0;
  if (!evalInteger(k, p, value)) {
    errmsg(k, {" Missing Value ", "\n"});
    return kEmptyRest;
  }
  TargetMemory* mem = memoryOrReport(k);
  if (!mem) return kEmptyRest;

  const char* result = p;
  if (!writeUnit(*mem, address, unit, value)) {
    errmsg(k, {errtext(msg::WriteError), " at: ", reportedAddress(address), "\n"});
    result = kEmptyRest;
  }
  k.ui->refreshViews(kViewMemory);
  return result;
}

}  // namespace yav
