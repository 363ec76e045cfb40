// The simulator as the tests' witness: the chip library that the debugger has loaded, asked
// directly (not through the debugger) for its record of calls in progress and its registers.
#pragma once
#include <dlfcn.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/program_dir.h"
#include "sim/debug/emcalls.h"

namespace yav::test {

class SimProbe {
 public:
  // Finds the entries in the chip library of the build tree once the debugger has loaded it.
  bool attach() {
    const auto path = std::filesystem::path(platform::programFolder()) / "KT55RDLLS/yavsim_hcs08.so";
    void* lib = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!lib) return false;
    calls_ = reinterpret_cast<yavsim_emcalls_fn>(::dlsym(lib, "emcalls"));
    getregs_ = reinterpret_cast<int (*)(uint8_t*)>(::dlsym(lib, "getregs"));
    ::dlclose(lib);  // the debugger's own handle keeps it loaded
    return calls_ && getregs_;
  }
  // Starts a fresh record.
  void record() { calls_(YAVSIM_CALLS_ON, nullptr, 0); }
  // The calls in progress, outermost first.
  std::vector<yavsim_call> calls() const {
    std::vector<yavsim_call> out(64);
    const int held = calls_(YAVSIM_CALLS_READ, out.data(), static_cast<int>(out.size()));
    if (held > static_cast<int>(out.size())) {
      out.resize(static_cast<size_t>(held));
      calls_(YAVSIM_CALLS_READ, out.data(), held);
    }
    out.resize(static_cast<size_t>(held < 0 ? 0 : held));
    return out;
  }
  uint16_t pc() const { return word(8); }
  uint16_t sp() const { return word(6); }

 private:
  // The register block of getregs: A, X, H, page, CC, 0, SP and PC (little-endian words).
  uint16_t word(int at) const {
    uint8_t block[16] = {};
    getregs_(block);
    return static_cast<uint16_t>(block[at] | block[at + 1] << 8);
  }
  yavsim_emcalls_fn calls_ = nullptr;
  int (*getregs_)(uint8_t*) = nullptr;
};

}  // namespace yav::test
