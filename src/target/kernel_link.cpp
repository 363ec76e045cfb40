#include "target/kernel_link.h"

#include "engine/kernel_eval.h"
#include "target/connection.h"
#include "target/target_access.h"

namespace yav::target {

namespace {

class TargetDownloader : public CodeDownloader {
 public:
  explicit TargetDownloader(Kernel& k) : k_(k) {}

  bool begin() override {
    if (k_.target.hooks.resetBreakCounters) k_.target.hooks.resetBreakCounters(k_);
    if (!targetReady(k_)) return false;
    if (k_.target.chip.eminitload) k_.target.chip.eminitload();
    return true;
  }

  bool block(const uint8_t* data, uint32_t address, size_t length, uint32_t second, uint8_t) override {
    k_.ui->CursorWait();
    const bool ok = k_.target.chip.emload && loadMemory(k_, address, second, data, static_cast<int>(length));
    k_.ui->CursorStd();
    return ok;
  }

  void end() override {
    if (k_.target.chip.emendload) k_.target.chip.emendload();
  }

 private:
  Kernel& k_;
};

}  // namespace

RegisterFile toRegisterFile(const RegisterBlock& b) {
  RegisterFile f;
  f.a = b.a();
  f.hx = static_cast<uint16_t>(b.h() << 8 | b.x());
  f.ppage = b.ppage();
  f.cc = b.cc();
  f.sp = b.sp();
  f.pc = b.pc();
  return f;
}

void toRegisterBlock(const RegisterFile& f, RegisterBlock& b) {
  b.bytes[0] = f.a;
  b.bytes[1] = static_cast<uint8_t>(f.hx & 0xFF);
  b.bytes[2] = static_cast<uint8_t>(f.hx >> 8);
  b.bytes[3] = f.ppage;
  b.bytes[4] = f.cc;
  b.setSp(f.sp);
  b.setPc(f.pc);
}

void installTargetAccess(Kernel& k) {
  if (!k.target.downloader) k.target.downloader = std::make_unique<TargetDownloader>(k);
  k.prog.downloader = k.target.downloader.get();
  k.hooks.readTargetRegisters = [](Kernel& kk, RegisterFile& f) {
    RegisterBlock b;
    if (!readRegisters(kk, b)) return false;
    f = toRegisterFile(b);
    return true;
  };
  k.hooks.writeTargetRegisters = [](Kernel& kk, const RegisterFile& f) {
    RegisterBlock b;
    // Keep the reserved byte as the target has it.
    if (!readRegisters(kk, b)) return false;
    toRegisterBlock(f, b);
    return writeRegisters(kk, b);
  };
  // The load sets the program counter to the entry point, and `/O:reset` takes the PC a
  // reset of the target leaves.
  k.prog.startAt = [](Kernel& kk, uint32_t pc) { setKernelRegister(kk, REG_PPC, pc); };
  k.prog.resetTarget = [](Kernel& kk, uint32_t& pc) {
    if (!targetReady(kk)) return false;
    resetTarget(kk, 1);
    if (!refreshRegisters(kk)) return false;
    pc = currentPc(kk);
    return true;
  };
  refreshRegisters(k);
}

}  // namespace yav::target
