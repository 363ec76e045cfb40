#include "target/download.h"

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

void installDownloader(Kernel& k) {
  if (!k.target.downloader) k.target.downloader = std::make_unique<TargetDownloader>(k);
  k.prog.downloader = k.target.downloader.get();
}

}  // namespace yav::target
