#include "target/verify.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/errors.h"
#include "model/format.h"
#include "target/chip_target.h"
#include "target/target_access.h"

namespace yav::target {

namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads `digits` hexadecimal digits at `pos`; false when the line is too short or not hex.
bool read_hex(const std::string& line, size_t& pos, int digits, uint32_t& v) {
  v = 0;
  for (int i = 0; i < digits; ++i, ++pos) {
    if (pos >= line.size()) return false;
    int d = hex_digit(line[pos]);
    if (d < 0) return false;
    v = v << 4 | static_cast<uint32_t>(d);
  }
  return true;
}

struct Finish {
  Kernel& k;
  ~Finish() {
    k.ui->CursorStd();
    k.ui->LeftStatus(" Command ");
  }
};

}  // namespace

VerifyResult verifyImage(Kernel& k, const VerifyRequest& req, const VerifyProgress& progress) {
  VerifyResult result;
  std::error_code ec;
  const uint64_t total = std::filesystem::file_size(req.file, ec);
  std::ifstream in(req.file, std::ios::binary);
  if (ec || !in) {
    errmsg(k, {"Can't Locate: ", req.file});
    result.outcome = VerifyOutcome::CantOpen;
    return result;
  }
  k.ui->CursorWait();
  k.ui->LeftStatus("Verifying .... Please Wait");
  Finish finish{k};
  k.exec.stopreq = false;
  int width = 4;
  uint64_t charsRead = 0;
  std::string line;
  while (std::getline(in, line)) {
    PumpResult pumped = k.ui->pumpEvents();
    if (pumped.stop) k.exec.stopreq = true;
    if (k.exec.stopreq) {
      k.ui->messageBox("Info", "Verify Cancelled", MsgIcon::Info);
      result.outcome = VerifyOutcome::Cancelled;
      return result;
    }
    charsRead += line.size() + 1;
    if (progress.fileRead) progress.fileRead(charsRead, total);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] != 'S') {
      errmsg(k, {"Record is NOT MOTOROLA ", " S-records"});
      result.outcome = VerifyOutcome::NotMotorola;
      return result;
    }
    const char type = line.size() > 1 ? line[1] : '\0';
    if (type == '0') continue;
    if (type == '7' || type == '8' || type == '9') break;
    if (type == '1') width = 4;
    else if (type == '2') width = 6;
    else if (type == '3') width = 8;
    size_t pos = 2;
    uint32_t count = 0, address = 0;
    // A record too short for its own fields is not a Motorola record either.
    if (!read_hex(line, pos, 2, count) || !read_hex(line, pos, width, address)) {
      errmsg(k, {"Record is NOT MOTOROLA ", " S-records"});
      result.outcome = VerifyOutcome::NotMotorola;
      return result;
    }
    const int overhead = width / 2 + 1;
    const uint32_t dataBytes = count > static_cast<uint32_t>(overhead) ? count - static_cast<uint32_t>(overhead) : 0;
    std::vector<uint8_t> file(dataBytes);
    for (uint32_t i = 0; i < dataBytes; ++i) {
      uint32_t b = 0;
      if (!read_hex(line, pos, 2, b)) {
        errmsg(k, {"Record is NOT MOTOROLA ", " S-records"});
        result.outcome = VerifyOutcome::NotMotorola;
        return result;
      }
      file[i] = static_cast<uint8_t>(b);
    }
    if (req.select && (static_cast<uint64_t>(address) + dataBytes < req.from || address > req.to)) continue;
    const uint8_t page = static_cast<uint8_t>(address >> 16);
    const uint32_t cpu = address & 0xFFFF;
    if (targetState(k).cable.write_data_byte) targetState(k).cable.write_data_byte(0x78, page);
    std::vector<uint8_t> target(dataBytes);
    if (dataBytes && !readMemory(k, cpu, target.data(), static_cast<int>(dataBytes))) {
      errmsg(k, {"Can't read the target at: ", fmtstr("0x%hl", cpu)});
      result.outcome = VerifyOutcome::ReadFailed;
      return result;
    }
    for (uint32_t i = 0; i < dataBytes; ++i) {
      const uint64_t full = static_cast<uint64_t>(address) + i;
      if (req.select && (full < req.from || full > req.to)) continue;
      if (target[i] != file[i]) {
        char text[80];
        std::snprintf(text, sizeof text, "Error at: 0x%x Target:0x%x File:0x%x ", cpu + i, target[i], file[i]);
        errmsg(k, {text});
        result.outcome = VerifyOutcome::Mismatch;
        return result;
      }
    }
    result.bytesCompared += dataBytes;
    if (progress.bytesCompared) progress.bytesCompared(result.bytesCompared);
  }
  k.ui->messageBox("Info", "Verify Successfull", MsgIcon::Info);
  return result;
}

}  // namespace yav::target
