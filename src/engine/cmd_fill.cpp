// `fill`: writes one value, or pseudo-random values, over a range of target memory, optionally
// reading every unit back.
#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/memory_commands.h"
#include "engine/options.h"
#include "model/messages.h"

namespace yav {

namespace {

// Units written between pumps of the front-end's events, so that a long fill can be stopped.
constexpr uint64_t kUnitsPerPump = 512;

struct FillOptions {
  int unit = 1;
  bool verify = false;
  bool random = false;
};

}  // namespace

const char* cmd_fill(Kernel& k, const char* rest, int) {
  const char* p = rest;
  FillOptions o;
  const bool known = scanOptions(
      k, p, "BWLVR",
      [&o](char letter, const char*&) {
        if (letter == 'V') {
          o.verify = true;
        } else if (letter == 'R') {
          o.random = true;
        } else {
          o.unit = unitForLetter(letter);
        }
      },
      " Unknown Option ");
  if (!known) return kEmptyRest;

  AddressRangeArgs range;
  if (!readAddressRange(k, p, "FILL", range)) return kEmptyRest;
  const uint32_t start = range.start, second = range.second;
  const bool sized = range.sized;
  if (sized && second == 0) {
    errmsg(k, {" Illegal count (zero) ", "\n"});
    return kEmptyRest;
  }
  const uint32_t end = sized ? start + second - 1 : second;
  if (end < start) {
    errmsg(k, {" Wrong Range for FILL ", "\n"});
    return kEmptyRest;
  }
  uint32_t filler = 0;
  if (!o.random) {
    p = skipSeparator(p);
    if (!evalInteger(k, p, filler)) {
      errmsg(k, {" Missing Filler Value ", "\n"});
      return kEmptyRest;
    }
  }
  TargetMemory* mem = memoryOrReport(k);
  if (!mem) return kEmptyRest;

  FillRandom random(FillRandom::freshSeed());
  const char* result = p;
  uint64_t written = 0;
  for (uint64_t a = start; a <= end; a += static_cast<uint64_t>(o.unit), ++written) {
    if (written > 0 && written % kUnitsPerPump == 0 && k.ui->pumpEvents().stop) {
      k.exec.stopreq = true;
      break;
    }
    const auto address = static_cast<uint32_t>(a);
    const uint32_t value = unitValue(o.random ? random.next() : filler, o.unit);
    if (!writeUnit(*mem, address, o.unit, value)) {
      errmsg(k, {errtext(msg::WriteError), " at: ", reportedAddress(address), "\n"});
      result = kEmptyRest;
      break;
    }
    uint32_t back = 0;
    if (o.verify && (!readUnitBack(*mem, address, o.unit, back) || back != value)) {
      errmsg(k, {" NO Verify at: ", reportedAddress(address), "\n"});
      result = kEmptyRest;
      break;
    }
  }
  k.ui->refreshViews(kViewMemory);
  return result;
}

}  // namespace yav
