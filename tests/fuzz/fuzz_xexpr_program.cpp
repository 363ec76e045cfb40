// Fuzzes the kernel's evaluator with a real program's symbols loaded: the demo program (or the
// object file named by YAV_FUZZ_PROGRAM) over a flat 64 KiB memory, assignments allowed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "engine/dispatcher.h"
#include "engine/kernel_eval.h"
#include "model/target_memory.h"
#include "support/fake_target_port.h"
#include "support/fake_ui_port.h"

namespace {

class FlatMemory : public yav::TargetMemory {
 public:
  bool read(uint8_t, uint32_t address, std::span<uint8_t> out) override {
    for (size_t i = 0; i < out.size(); ++i) out[i] = bytes[(address + i) & 0xFFFF];
    return true;
  }
  bool write(uint8_t, uint32_t address, std::span<const uint8_t> in) override {
    for (size_t i = 0; i < in.size(); ++i) bytes[(address + i) & 0xFFFF] = in[i];
    return true;
  }
  std::vector<uint8_t> bytes = std::vector<uint8_t>(0x10000, 0x5A);
};

struct Fixture {
  yav::test::FakeUiPort ui;
  yav::Kernel k{ui};
  FlatMemory memory;
  Fixture() {
    const char* env = std::getenv("YAV_FUZZ_PROGRAM");
    const std::string program = env ? env : "build/examples/demo/demo.s08";
    yav::docmd(k, ("load /S " + program).c_str(), 1);
    if (!k.debugInfoLoaded) std::abort();  // nothing to fuzz against: say so at once
    k.target = std::make_unique<yav::test::FakeTargetPort>(&memory);
    k.regs.file.pc = 0x20CC;  // inside main
    k.regs.file.sp = 0x17F0;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Fixture f;
  std::string text(reinterpret_cast<const char*>(data), size);
  const char* p = text.c_str();
  int error = 0;
  auto v = yav::xexpr(f.k, p, error, true);
  (void)v;
  return 0;
}
