#include "target/console_port.h"

#include "engine/output.h"
#include "target/chip_target.h"

namespace yav::target {

int pollConsole(Kernel& k) {
  const TargetState& t = targetState(k);
  if (!t.connected || t.chip.emconsole == nullptr) return 0;
  int total = 0;
  char buffer[256];
  for (int n; (n = t.chip.emconsole(buffer, sizeof buffer)) > 0; total += n) {
    const std::string_view text(buffer, static_cast<size_t>(n));
    if (!k.ui->programOutput(text)) kout(k, text);
  }
  return total;
}

bool sendConsole(Kernel& k, std::string_view text) {
  const TargetState& t = targetState(k);
  if (!t.connected || t.chip.emconsolein == nullptr) return false;
  return t.chip.emconsolein(text.data(), static_cast<int>(text.size())) == 0;
}

}  // namespace yav::target
