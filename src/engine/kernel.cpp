#include "engine/kernel.h"

namespace yav {

Kernel::~Kernel() {
  if (disp.log) std::fclose(disp.log);
  if (out.redirect) std::fclose(out.redirect);
}

}  // namespace yav
