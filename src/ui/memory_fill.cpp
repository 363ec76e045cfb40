#include "ui/memory_fill.h"

#include "engine/errors.h"
#include "engine/memory_commands.h"
#include "model/messages.h"
#include "ui/memory_window_spec.h"

namespace yav {

std::optional<FillRequest> checkFillFields(Kernel& k, const FillDialogFields& fields) {
  FillRequest r;
  r.size = fields.size == 2 || fields.size == 4 ? fields.size : 1;
  r.random = fields.random;
  r.verify = fields.verify;
  bool codeSpace = false;
  if (!evaluateAddress(k, stripSpacePrefix(fields.from, codeSpace), r.from)) {
    errmsg(k, {"Wrong Start Address", "\n"});
    return std::nullopt;
  }
  if (!evaluateAddress(k, stripSpacePrefix(fields.to, codeSpace), r.to) || r.to < r.from) {
    errmsg(k, {"Wrong End Address", "\n"});
    return std::nullopt;
  }
  if (!r.random && !evaluateAddress(k, fields.with, r.value)) {
    errmsg(k, {"Wrong value", "\n"});
    return std::nullopt;
  }
  return r;
}

namespace {
constexpr uint64_t kItemsPerPump = 512;
}  // namespace

FillOutcome fillMemory(TargetMemory& memory, const FillRequest& request, uint32_t seed,
                       const std::function<bool()>& keepGoing) {
  FillOutcome out;
  FillRandom random(seed);
  const int size = request.size == 2 || request.size == 4 ? request.size : 1;
  for (uint64_t a = request.from; a <= request.to; a += static_cast<uint64_t>(size)) {
    if (keepGoing && out.written > 0 && out.written % kItemsPerPump == 0 && !keepGoing()) return out;
    const auto address = static_cast<uint32_t>(a);
    const uint32_t value = unitValue(request.random ? random.next() : request.value, size);
    if (!writeUnit(memory, address, size, value)) {
      out = {false, address, true, out.written};
      return out;
    }
    ++out.written;
    uint32_t back = 0;
    if (request.verify && (!readUnitBack(memory, address, size, back) || back != value)) {
      out.ok = false;
      out.failedAt = address;
      return out;
    }
  }
  return out;
}

bool runFill(Kernel& k, const FillRequest& request) {
  TargetMemory* memory = memoryOrReport(k);
  if (!memory) return false;
  k.ui->LeftStatus("Filling Memory");
  k.ui->CursorWait();
  const FillOutcome outcome = fillMemory(*memory, request, kFillSeed, [&k] {
    if (!k.ui->pumpEvents().stop) return true;
    k.exec.stopreq = true;
    return false;
  });
  k.ui->CursorStd();
  if (outcome.refused) {
    errmsg(k, {errtext(msg::WriteError), " at: ", reportedAddress(outcome.failedAt), "\n"});
  } else if (!outcome.ok) {
    errmsg(k, {" NO Verify at: ", reportedAddress(outcome.failedAt), "\n"});
  }
  k.ui->LeftStatus("Command");
  k.ui->refreshViews(kViewMemory);
  return outcome.ok;
}

}  // namespace yav
