#include "engine/print_text.h"

#include "engine/kernel_print_env.h"
#include "model/putresult.h"

namespace yav {

namespace {

// Collects the printed text, aggregates written out.
class TextPrintEnv : public KernelPrintEnv {
 public:
  using KernelPrintEnv::KernelPrintEnv;
  void put(std::string_view t) override { text += t; }
  bool textualMode() const override { return true; }
  std::string text;
};

}  // namespace

std::string printedValue(Kernel& k, const ValueRecord& v, char letter) {
  TextPrintEnv env(k);
  yav::putresult(env, v, letter);
  return env.text;
}

}  // namespace yav
