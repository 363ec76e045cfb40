#include "engine/print_value.h"

#include "engine/output.h"
#include "engine/print_text.h"
#include "model/putresult.h"

namespace yav {

namespace {

// The kernel as seen by the value printers.
class KernelPrintEnv : public PrintEnv {
 public:
  explicit KernelPrintEnv(Kernel& k) : k_(k) {}
  void put(std::string_view text) override { kout(k_, text); }
  TargetMemory* memory() override { return targetMemory(k_); }
  std::optional<std::string> functionNameAt(uint32_t address) override {
    return k_.values.functionNameAt ? k_.values.functionNameAt(address) : std::nullopt;
  }
  void showAggregate(const ValueRecord& v, char letter) override { k_.ui->showAggregate(v, letter); }
  bool textualMode() const override { return k_.out.textualMode; }
  int defaultRadix() const override { return k_.out.defaultRadix; }
  bool reload(ValueRecord& v) override {
    return k_.values.reload ? k_.values.reload(k_, v) : reloadFromMemory(targetMemory(k_), v);
  }

 private:
  Kernel& k_;
};

bool isAggregateValue(const ValueRecord& v) {
  return outermost(v.type) == Derivation::Array || isStructOrUnion(v.type);
}

}  // namespace

void putresult(Kernel& k, const ValueRecord& v, char letter) {
  KernelPrintEnv env(k);
  yav::putresult(env, v, letter);
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
