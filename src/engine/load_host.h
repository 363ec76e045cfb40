// Connects the program loader to the kernel: downloads through the installed CodeDownloader,
// progress through the status bar and gauge, printed lines through the kernel's output.
#pragma once
#include "engine/kernel.h"
#include "model/loader.h"

namespace yav {

class KernelLoadHost : public LoadHost {
 public:
  KernelLoadHost(Kernel& k, bool quiet) : k_(k), quiet_(quiet) {}
  bool download(uint32_t address, const uint8_t* data, size_t len, uint32_t second, uint8_t flags) override;
  void progress(std::string_view section, uint32_t address, uint32_t size) override;
  void gaugeStart(uint32_t total) override;
  void gaugeAdd(uint32_t n) override;
  void print(std::string_view text) override;
  void error(std::string_view text) override;
  void readError(std::string_view what) override;
  void status(std::string_view text) override;
  bool cancelled() override;
  std::string noDupFiles() override;

 private:
  Kernel& k_;
  bool quiet_;
};

}  // namespace yav
