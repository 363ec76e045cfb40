// Feeds arbitrary formats and argument lists to the format engine, and the format text to the
// number and escape readers. The input starts with the argument slots, the rest is the format.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "model/escape.h"
#include "model/format.h"
#include "model/numtext.h"
#include "model/putfloat.h"

namespace {

void discard(void* ctx, const char* bytes, size_t len) {
  auto* total = static_cast<size_t*>(ctx);
  // Touch every byte so that a piece pointing outside its buffer is seen by the sanitizer.
  for (size_t i = 0; i < len; ++i) *total += static_cast<unsigned char>(bytes[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  std::deque<std::string> texts;  // stable addresses for the string slots
  std::vector<yav::FmtArg> args;
  const unsigned slots = in.ConsumeIntegralInRange<unsigned>(0, 12);
  for (unsigned i = 0; i < slots; ++i) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
      case 0: args.emplace_back(in.ConsumeIntegral<uint32_t>()); break;
      case 1: args.emplace_back(in.ConsumeIntegralInRange<int32_t>(-40000, 40000)); break;
      case 2: {
        const double d = in.ConsumeFloatingPoint<double>();
        args.emplace_back(d);
        (void)yav::floatText(d);
        break;
      }
      default:
        texts.push_back(in.ConsumeRandomLengthString(64));
        args.emplace_back(texts.back());
        break;
    }
  }
  const std::string fmt = in.ConsumeRemainingBytesAsString();

  size_t total = 0;
  yav::putfmt(discard, &total, fmt, args);
  char small[16];
  (void)yav::sfmt(small, sizeof small, fmt, std::span<const yav::FmtArg>(args));

  for (unsigned base : {0u, 8u, 10u, 16u, 36u}) (void)yav::readNumber(fmt, base);
  (void)yav::readNumber16(fmt);
  (void)yav::readFloat(fmt);
  (void)yav::decodeEscapes(fmt);
  if (!fmt.empty()) {
    (void)yav::decodeEscape(std::string_view(fmt).substr(1), "\"c");
    (void)yav::escchar(fmt[0]);
  }
  return 0;
}
