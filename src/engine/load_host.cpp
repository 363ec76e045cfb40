#include "engine/load_host.h"

#include "engine/errors.h"
#include "engine/output.h"
#include "model/messages.h"

namespace yav {

bool KernelLoadHost::download(uint32_t address, const uint8_t* data, size_t len, uint32_t second, uint8_t flags) {
  CodeDownloader* d = k_.target ? k_.target->downloader() : nullptr;
  return d && d->block(data, address, len, second, flags);
}

void KernelLoadHost::progress(std::string_view section, uint32_t address, uint32_t size) {
  if (quiet_) return;
  k_.ui->MiddleStatus(fmtstr("%p 0x%hl (%l)", section, address, size));
}

void KernelLoadHost::gaugeStart(uint32_t total) { k_.ui->WinStatGauge(total != 0, total); }
void KernelLoadHost::gaugeAdd(uint32_t n) { k_.ui->WinStatGaugeAdd(n); }

void KernelLoadHost::print(std::string_view text) {
  if (!quiet_) kout(k_, text);
}

void KernelLoadHost::error(std::string_view text) { errmsg(k_, {text, "\n"}); }

void KernelLoadHost::readError(std::string_view what) { errmsg(k_, {errtext(msg::ReadError), " ", what}); }

void KernelLoadHost::status(std::string_view text) {
  if (!quiet_) k_.ui->RightStatus(text);
}

bool KernelLoadHost::cancelled() {
  if (k_.ui->pumpEvents().stop) k_.exec.stopreq = true;
  return k_.exec.stopreq;
}

std::string KernelLoadHost::noDupFiles() { return k_.prog.noDupFiles; }

}  // namespace yav
