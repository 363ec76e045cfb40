// `dump`: prints a range of target memory in lines of 16 bytes.
#include <cstring>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/memory_commands.h"
#include "engine/options.h"
#include "engine/output.h"
#include "model/messages.h"

namespace yav {

namespace {

struct DumpOptions {
  int unit = 1;
  DumpRadix radix = DumpRadix::Hex;
  bool withCharacters = false;
  const char* error = nullptr;  // a wrong `/F` value
};

// Reads the value of `/F` at `pos`; on a wrong value records the error and ends the scan.
void readRadix(DumpOptions& o, const char*& pos) {
  if (*pos != ':') {
    o.error = " Wrong option ";
  } else if (!radixForLetter(pos[1], o.radix)) {
    o.error = " Wrong Option for /F ";
  } else {
    pos += 2;
    return;
  }
  pos += std::strlen(pos);
}

// Lines between pumps of the front-end's events, so that a long dump can be stopped.
constexpr uint64_t kLinesPerPump = DumpReadBlock::kMaxBytes / kDumpLineBytes;

}  // namespace

const char* cmd_dump(Kernel& k, const char* rest, int) {
  const char* p = rest;
  DumpOptions o;
  const bool known = scanOptions(
      k, p, "ABWLF",
      [&o](char letter, const char*& pos) {
        if (letter == 'A') {
          o.withCharacters = true;
        } else if (letter == 'F') {
          readRadix(o, pos);
        } else {
          o.unit = unitForLetter(letter);
        }
      },
      " Unknown Option ");
  if (!known) return kEmptyRest;
  if (o.error) {
    errmsg(k, {o.error, "\n"});
    return kEmptyRest;
  }

  AddressRangeArgs range;
  if (!readAddressRange(k, p, "DUMP", range)) return kEmptyRest;
  const uint32_t start = range.start, second = range.second;
  const bool sized = range.sized;
  const uint32_t end = sized ? start + second : second;
  if (start >= end) {
    errmsg(k, {" Wrong Range for DUMP ", "\n"});
    return kEmptyRest;
  }
  TargetMemory* mem = memoryOrReport(k);
  if (!mem) return kEmptyRest;

  DumpReadBlock block(*mem);
  uint64_t printed = 0;
  // Lines are printed while their address is not above the end; the last one may pass it.
  for (uint64_t line = start; line <= end; line += kDumpLineBytes, ++printed) {
    if (printed > 0 && printed % kLinesPerPump == 0 && k.ui->pumpEvents().stop) {
      k.exec.stopreq = true;
      break;
    }
    const uint64_t remaining = ((end - line) / kDumpLineBytes + 1) * kDumpLineBytes;
    const uint8_t* bytes = block.line(static_cast<uint32_t>(line), remaining);
    if (!bytes) {
      errmsg(k, {errtext(msg::ReadError), " at: ", reportedAddress(static_cast<uint32_t>(line)), "\n"});
      return kEmptyRest;
    }
    kout(k, dumpLine(static_cast<uint32_t>(line), std::span<const uint8_t, kDumpLineBytes>(bytes, kDumpLineBytes),
                     o.unit, o.radix, o.withCharacters));
  }
  return p;
}

}  // namespace yav
