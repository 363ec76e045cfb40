// Verify: an S-record file compared with the target's memory byte by byte, as the kernel's
// target port runs it (TargetPort::verify).
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace yav {

struct VerifyRequest {
  std::string file;
  bool select = false;  // only the bytes in [from, to]
  uint32_t from = 0;
  uint32_t to = 0;
};

// Unsupported: the target port cannot compare (nothing was read).
enum class VerifyOutcome { Success, Mismatch, Cancelled, NotMotorola, BadRecord, CantOpen, ReadFailed, Unsupported };

struct VerifyResult {
  VerifyOutcome outcome = VerifyOutcome::Success;
  uint32_t bytesCompared = 0;
};

// Progress reports: characters of the file read so far (of `total`), and bytes compared.
struct VerifyProgress {
  std::function<void(uint64_t read, uint64_t total)> fileRead;
  std::function<void(uint32_t bytes)> bytesCompared;
};

}  // namespace yav
