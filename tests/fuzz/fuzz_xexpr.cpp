// Fuzzes the expression evaluator over a small program: globals of every kind, a function
// with register arguments, a struct, an enum, typedefs, labels, registers and memory. The
// first byte picks the evaluate flag, the assignment flag and the register-argument flag.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/eval_fake_env.h"
#include "model/evaluator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t flags = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  yav::test::FakeEvalEnv env;
  env.registerArgumentsSaved = flags & 4;
  env.hasFrame = !(flags & 8);
  yav::Evaluator ev(env);
  ev.assignmentAllowed = !(flags & 2);

  size_t cursor = 0;
  int error = 0;
  std::unique_ptr<yav::ValueRecord> v = yav::xexpr(ev, text, cursor, error, flags & 1);
  if (!v || cursor > text.size()) __builtin_trap();
  if (ev.pendingError != 0 || ev.evaluate != true) __builtin_trap();  // the outer state is restored

  bool isFloat = false;
  int32_t integer = 0;
  double floating = 0;
  (void)yav::Expression(ev, flags & 1, text, isFloat, integer, floating);
  return 0;
}
