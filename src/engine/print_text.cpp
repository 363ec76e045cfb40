#include "engine/print_text.h"

#include "model/putresult.h"

namespace yav {

namespace {

class TextPrintEnv : public PrintEnv {
 public:
  explicit TextPrintEnv(Kernel& k) : k_(k) {}
  void put(std::string_view t) override { text += t; }
  TargetMemory* memory() override { return targetMemory(k_); }
  std::optional<std::string> functionNameAt(uint32_t a) override {
    return k_.values.functionNameAt ? k_.values.functionNameAt(a) : std::nullopt;
  }
  bool textualMode() const override { return true; }
  int defaultRadix() const override { return k_.out.defaultRadix; }
  bool reload(ValueRecord& v) override {
    return k_.values.reload ? k_.values.reload(k_, v) : reloadFromMemory(targetMemory(k_), v);
  }
  std::string text;

 private:
  Kernel& k_;
};

}  // namespace

std::string printedValue(Kernel& k, const ValueRecord& v, char letter) {
  TextPrintEnv env(k);
  yav::putresult(env, v, letter);
  return env.text;
}

}  // namespace yav
