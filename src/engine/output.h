// The kernel's one output entry and the printing helpers built on the format language.
#pragma once
#include <initializer_list>
#include <span>
#include <string_view>

#include "engine/kernel.h"
#include "model/format.h"

namespace yav {

// Every byte the kernel prints passes here: capture buffers first, else the front-end
// (command window) and the `output` redirection file.
void kout(Kernel& k, std::string_view text);

void voutf(Kernel& k, std::string_view fmt, std::span<const FmtArg> args);
template <typename... A>
void outf(Kernel& k, std::string_view fmt, const A&... a) {
  const FmtArg list[] = {FmtArg(a)..., FmtArg()};
  voutf(k, fmt, std::span<const FmtArg>(list, sizeof...(A)));
}

// Prints each piece in turn, unformatted.
void outs(Kernel& k, std::initializer_list<std::string_view> pieces);

// Capture buffers and fake input/output: start (activate and empty), reset (empty), stop.
void WinitFakeIo(Kernel& k);
void WinSetFakeIo(Kernel& k);
void WinStopFakeIo(Kernel& k);
void startCapture(Kernel& k, int which);
void resetCapture(Kernel& k, int which);
void stopCapture(Kernel& k, int which);

}  // namespace yav
