#include "engine/print_value.h"

#include "engine/kernel_print_env.h"
#include "engine/output.h"
#include "engine/print_text.h"
#include "model/putresult.h"

namespace yav {

namespace {

// The kernel as seen by the value printers, printing to the kernel's output.
class OutputPrintEnv : public KernelPrintEnv {
 public:
  using KernelPrintEnv::KernelPrintEnv;
  void put(std::string_view text) override { kout(k_, text); }
  void showAggregate(const ValueRecord& v, char letter) override { k_.ui->showAggregate(v, letter); }
  bool textualMode() const override { return k_.out.textualMode; }
};

bool isAggregateValue(const ValueRecord& v) {
  return outermost(v.type) == Derivation::Array || isStructOrUnion(v.type);
}

}  // namespace

void putresult(Kernel& k, const ValueRecord& v, char letter) {
  OutputPrintEnv env(k);
  yav::putresult(env, v, letter);
}

void putMonitorValue(Kernel& k, const ValueRecord& v, char letter) {
  if (isAggregateValue(v) && !k.out.textualMode && k.ui->hasAggregateWindow()) {
    const bool charString = (letter == 'S' || letter == 's') && outermost(v.type) == Derivation::Array &&
                            isCharCode(v.code());
    if (!charString) return outs(k, {"    ", v.text, " = ", printedValue(k, v, letter), "\n"});
  }
  putNameAndValue(k, v, letter);
}

void putNameAndValue(Kernel& k, const ValueRecord& v, char letter) {
  const bool array = outermost(v.type) == Derivation::Array;
  // A char array shown as a string is printed in place, never handed to the aggregate window.
  const bool charString = (letter == 'S' || letter == 's') && array && isCharCode(v.code());
  if (!isAggregateValue(v) || charString) {
    outs(k, {"    ", v.text, " = "});
    putresult(k, v, letter);
    kout(k, "\n");
    return;
  }
  if (k.out.textualMode) {
    putresult(k, v, letter);
    kout(k, "\n");
    return;
  }
  // Without an aggregate window (terminal, batch) the aggregate is written out as text.
  if (!k.ui->hasAggregateWindow()) {
    outs(k, {"    ", v.text, " = ", printedValue(k, v, letter), "\n"});
    return;
  }
  putresult(k, v, letter);
}

}  // namespace yav
