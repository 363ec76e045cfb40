// `disa [address]`: the source view shows its disassembly form, and a listing of the
// instructions from the address (the PC when none is given) is printed.
#include <string>

#include "engine/code_view.h"
#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/display_common.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "engine/output.h"
#include "model/loader.h"
#include "model/storage_classes.h"
#include "model/types.h"
#include "model/value.h"

namespace yav {

namespace {

constexpr int kListedInstructions = 16;

// Where a `disa` without an address goes on: after the last listed instruction, while nothing
// has changed since that listing (no state-changing command, the same program, the same PC).
struct Continuation {
  const Kernel* kernel = nullptr;
  const Program* program = nullptr;
  uint16_t commandCount = 0;
  uint32_t pc = 0;
  uint32_t next = 0;

  bool applies(const Kernel& k) const {
    return kernel == &k && program == k.prog.program.get() && commandCount == k.disp.commandCount &&
           pc == currentPc(k);
  }
  void remember(const Kernel& k, uint32_t address) {
    *this = {&k, k.prog.program.get(), k.disp.commandCount, currentPc(k), address};
  }
};

Continuation continuation;

// The address at `p`: an expression as `x` reads it, or a name of the label table that
// expressions do not know. False (after an error report) when it is neither.
bool readStart(Kernel& k, const char*& p, uint32_t& start) {
  const char* item = p;
  int error = 0;
  std::unique_ptr<ValueRecord> v = xexpr(k, p, error, true);
  if (acceptedResult(error) && v) {
    start = v->locationClass == sc::LabelValue || outermost(v->type) == Derivation::Function ? v->address : v->uintValue();
    return true;
  }
  const char* end = item;
  while (*end && !isBlank(*end) && *end != ';') ++end;
  const std::string name(item, end);
  if (const LabelEntry* label = k.prog.program->labels.rensym(name)) {
    start = label->value;
    p = end;
    return true;
  }
  errmsg(k, {"Wrong address for DISA: ", name, " (", errtext(error), ")", "\n"});
  return false;
}

}  // namespace

const char* cmd_disa(Kernel& k, const char* rest, int) {
  k.ui->showDisassembly();
  const char* p = skipBlanks(rest);
  const bool given = *p && *p != ';';
  if (!k.target || !k.target->connected() || !targetMemory(k)) {
    errmsg(k, {"No target connected", "\n"});
    return given ? skipStatement(p) : p;
  }
  uint32_t address = continuation.applies(k) ? continuation.next : currentPc(k);
  if (given) {
    const char* start = p;
    if (!readStart(k, p, address)) return skipStatement(p);
    p = skipBlanks(p);
    if (*p && *p != ';') {
      errmsg(k, {"Wrong address for DISA: ", std::string(start, skipStatement(start)), "\n"});
      return skipStatement(p);
    }
  }
  for (int i = 0; i < kListedInstructions; ++i) outs(k, {disassemblyLine(k, address), "\n"});
  continuation.remember(k, address);
  return p;
}

}  // namespace yav
