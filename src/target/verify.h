// Verify: compares an S-record file with the target's memory byte by byte. A paged record
// (page << 16 | address) is read through the window with its page written to 0x78; the page
// register is set back afterwards.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "engine/kernel.h"

namespace yav::target {

struct VerifyRequest {
  std::string file;
  bool select = false;  // only the bytes in [from, to]
  uint32_t from = 0;
  uint32_t to = 0;
};

enum class VerifyOutcome { Success, Mismatch, Cancelled, NotMotorola, BadRecord, CantOpen, ReadFailed };

struct VerifyResult {
  VerifyOutcome outcome = VerifyOutcome::Success;
  uint32_t bytesCompared = 0;
};

// Progress reports: characters of the file read so far (of `total`), and bytes compared.
struct VerifyProgress {
  std::function<void(uint64_t read, uint64_t total)> fileRead;
  std::function<void(uint32_t bytes)> bytesCompared;
};

// Runs the comparison and reports its outcome ("Verify Successfull", "Error at: ...", ...)
// through the kernel's error report and information boxes.
VerifyResult verifyImage(Kernel& k, const VerifyRequest& req, const VerifyProgress& progress = {});

}  // namespace yav::target
