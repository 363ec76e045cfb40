#include "engine/output.h"

namespace yav {

namespace {
void append_capture(CaptureBuffer& b, std::string_view text) {
  // The caller that activated the buffer keeps its output within the size; never overrun it.
  size_t room = CaptureBuffer::kSize - 1 - std::min(b.text.size(), CaptureBuffer::kSize - 1);
  b.text.append(text.substr(0, std::min(room, text.size())));
}

CaptureBuffer& capture(Kernel& k, int which) { return which == 1 ? k.out.capture1 : k.out.capture2; }
}  // namespace

void kout(Kernel& k, std::string_view text) {
  k.out.happened = true;
  if (k.out.capture1.active) return append_capture(k.out.capture1, text);
  if (k.out.capture2.active) return append_capture(k.out.capture2, text);
  if (k.out.fakeIo.active) return append_capture(k.out.fakeIo, text);
  k.ui->output(text);
  if (k.out.redirect) {
    std::fwrite(text.data(), 1, text.size(), k.out.redirect);
    std::fflush(k.out.redirect);
  }
}

namespace {
void kout_piece(void* ctx, const char* bytes, size_t len) {
  kout(*static_cast<Kernel*>(ctx), std::string_view(bytes, len));
}
}  // namespace

void voutf(Kernel& k, std::string_view fmt, std::span<const FmtArg> args) { putfmt(kout_piece, &k, fmt, args); }

void outs(Kernel& k, std::initializer_list<std::string_view> pieces) {
  for (std::string_view p : pieces) kout(k, p);
}

void WinitFakeIo(Kernel& k) {
  k.out.fakeIo.active = true;
  k.out.fakeIo.text.clear();
}
void WinSetFakeIo(Kernel& k) { k.out.fakeIo.text.clear(); }
void WinStopFakeIo(Kernel& k) { k.out.fakeIo.active = false; }
void startCapture(Kernel& k, int which) {
  capture(k, which).active = true;
  capture(k, which).text.clear();
}
void resetCapture(Kernel& k, int which) { capture(k, which).text.clear(); }
void stopCapture(Kernel& k, int which) { capture(k, which).active = false; }

}  // namespace yav
