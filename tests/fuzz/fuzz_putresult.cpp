// Prints arbitrary value records over arbitrary target memory: types, letters, repeat counts,
// struct descriptors (including ones that contain themselves) and strings of any content.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/putresult.h"

namespace {

class BytesMemory : public yav::TargetMemory {
 public:
  explicit BytesMemory(std::vector<uint8_t> b) : bytes_(std::move(b)) {}
  bool read(uint8_t, uint32_t address, std::span<uint8_t> out) override {
    if (address > bytes_.size() || out.size() > bytes_.size() - address) return false;
    std::copy_n(bytes_.begin() + address, out.size(), out.begin());
    return true;
  }

 private:
  std::vector<uint8_t> bytes_;
};

class FuzzEnv : public yav::PrintEnv {
 public:
  FuzzEnv(BytesMemory& m, bool textual, int radix) : mem_(m), textual_(textual), radix_(radix) {}
  void put(std::string_view text) override { total += text.size(); }
  yav::TargetMemory* memory() override { return &mem_; }
  std::optional<std::string> functionNameAt(uint32_t address) override {
    if (address & 1) return std::nullopt;
    return "f";
  }
  bool textualMode() const override { return textual_; }
  int defaultRadix() const override { return radix_; }
  size_t total = 0;

 private:
  BytesMemory& mem_;
  bool textual_;
  int radix_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  yav::AggregateDescriptor desc;
  desc.size = in.ConsumeIntegralInRange<uint32_t>(0, 64);
  const unsigned members = in.ConsumeIntegralInRange<unsigned>(0, 4);
  for (unsigned i = 0; i < members; ++i) {
    yav::AggregateMember m;
    m.name = in.ConsumeRandomLengthString(8);
    m.type = in.ConsumeIntegral<uint32_t>();
    m.value = in.ConsumeIntegralInRange<int32_t>(-4, 64);
    m.pointerAttributes = in.ConsumeIntegral<uint16_t>();
    m.aux = {{in.ConsumeIntegralInRange<uint32_t>(0, 8), in.ConsumeBool() ? &desc : nullptr}};
    desc.members.push_back(std::move(m));
  }
  yav::ValueRecord v;
  v.type = in.ConsumeIntegral<uint32_t>();
  v.pointerAttributes = in.ConsumeIntegral<uint16_t>();
  v.address = in.ConsumeIntegralInRange<uint32_t>(0, 300);
  v.bits = in.ConsumeIntegral<uint64_t>();
  v.locationClass = in.ConsumeIntegralInRange<uint8_t>(0, 30);
  v.repeat = in.ConsumeIntegralInRange<uint32_t>(0, 6);
  v.size = in.ConsumeIntegralInRange<uint32_t>(0, 16);
  v.aux = {{in.ConsumeIntegralInRange<uint32_t>(0, 8), in.ConsumeBool() ? &desc : nullptr},
           {in.ConsumeIntegralInRange<uint32_t>(0, 8), &desc}};
  const char letter = in.ConsumeIntegral<char>();
  const bool textual = in.ConsumeBool();
  const int radix = in.ConsumeIntegralInRange<int>(0, 4);
  BytesMemory mem(in.ConsumeRemainingBytes<uint8_t>());
  FuzzEnv env(mem, textual, radix);
  yav::putresult(env, v, letter);
  return 0;
}
