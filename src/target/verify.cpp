#include "target/verify.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "engine/errors.h"
#include "model/format.h"
#include "model/hex_records.h"
#include "target/chip_target.h"
#include "target/target_access.h"

namespace yav::target {

namespace {

constexpr uint16_t kPageRegister = 0x78;

// Every ending restores the cursor and the status field, and the page register when a paged
// record changed it.
struct Finish {
  Kernel& k;
  std::optional<uint8_t> savedPage;
  ~Finish() {
    const CableEntries& cable = targetState(k).cable;
    if (savedPage && cable.write_data_byte) cable.write_data_byte(kPageRegister, *savedPage);
    k.ui->CursorStd();
    k.ui->LeftStatus(" Command ");
  }
};

}  // namespace

VerifyResult verifyImage(Kernel& k, const VerifyRequest& req, const VerifyProgress& progress) {
  std::error_code ec;
  const uint64_t total = std::filesystem::file_size(req.file, ec);
  std::ifstream in(req.file, std::ios::binary);
  if (ec || !in) {
    errmsg(k, {"Can't Locate: ", req.file});
    return {VerifyOutcome::CantOpen, 0};
  }
  k.ui->CursorWait();
  k.ui->LeftStatus("Verifying .... Please Wait");
  Finish finish{k, std::nullopt};
  k.exec.stopreq = false;
  uint32_t compared = 0;
  uint64_t charsRead = 0;
  hexrec::LineReader reader;
  hexrec::Record rec;
  std::string line;
  while (std::getline(in, line)) {
    PumpResult pumped = k.ui->pumpEvents();
    if (pumped.stop) k.exec.stopreq = true;
    if (k.exec.stopreq) {
      k.ui->messageBox("Info", "Verify Cancelled", MsgIcon::Info);
      return {VerifyOutcome::Cancelled, compared};
    }
    charsRead += line.size() + 1;
    if (progress.fileRead) progress.fileRead(charsRead, total);
    if (line.empty() || line[0] != 'S') {
      errmsg(k, {"Record is NOT MOTOROLA ", " S-records"});
      return {VerifyOutcome::NotMotorola, compared};
    }
    if (!reader.read(line, rec)) {
      errmsg(k, {"Bad S-record: ", reader.error()});
      return {VerifyOutcome::BadRecord, compared};
    }
    if (rec.last) break;
    if (rec.kind != hexrec::Record::Kind::Data) continue;
    const uint32_t address = rec.address, count = static_cast<uint32_t>(rec.data.size());
    if (req.select && (static_cast<uint64_t>(address) + count < req.from || address > req.to)) continue;
    // A paged record is read through the window with its page selected; the others see the
    // page the program had.
    const uint32_t cpu = address & 0xFFFF;
    const CableEntries& cable = targetState(k).cable;
    if (address > 0xFFFF && cable.write_data_byte) {
      if (!finish.savedPage && cable.read_data_byte) finish.savedPage = cable.read_data_byte(kPageRegister);
      cable.write_data_byte(kPageRegister, static_cast<uint8_t>(address >> 16));
    } else if (finish.savedPage) {
      cable.write_data_byte(kPageRegister, *finish.savedPage);
    }
    std::vector<uint8_t> target(count);
    if (count && !readMemory(k, cpu, target.data(), static_cast<int>(count))) {
      errmsg(k, {"Can't read the target at: ", fmtstr("0x%hl", cpu)});
      return {VerifyOutcome::ReadFailed, compared};
    }
    for (uint32_t i = 0; i < count; ++i) {
      const uint64_t full = static_cast<uint64_t>(address) + i;
      if (req.select && (full < req.from || full > req.to)) continue;
      if (target[i] != rec.data[i]) {
        char text[80];
        std::snprintf(text, sizeof text, "Error at: 0x%x Target:0x%x File:0x%x ", cpu + i, target[i], rec.data[i]);
        errmsg(k, {text});
        return {VerifyOutcome::Mismatch, compared};
      }
    }
    compared += count;
    if (progress.bytesCompared) progress.bytesCompared(compared);
  }
  k.ui->messageBox("Info", "Verify Successfull", MsgIcon::Info);
  return {VerifyOutcome::Success, compared};
}

}  // namespace yav::target
