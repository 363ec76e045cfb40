// Bounded random access to a program file: every read is checked against the file's size, so
// offsets taken from the file itself can never reach outside it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace yav {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t size() const = 0;
  // Copies `n` bytes at `offset`; false (nothing promised in `out`) when any lies outside.
  virtual bool read(uint64_t offset, void* out, size_t n) = 0;

  bool u8(uint64_t off, uint8_t& v) { return read(off, &v, 1); }
  bool be32(uint64_t off, uint32_t& v);
  bool le32(uint64_t off, uint32_t& v);
  // A zero-terminated string of at most `limit` bytes; false when unterminated or outside.
  bool cstring(uint64_t off, std::string& s, size_t limit = 4096);
};

// A file kept open for reads on demand, with a read-ahead window.
class FileSource : public ByteSource {
 public:
  static std::unique_ptr<FileSource> open(const std::string& path);
  ~FileSource() override;
  uint64_t size() const override { return size_; }
  bool read(uint64_t offset, void* out, size_t n) override;

 private:
  explicit FileSource(int fd, uint64_t size) : fd_(fd), size_(size) {}
  int fd_;
  uint64_t size_;
  std::vector<uint8_t> window_;
  uint64_t windowStart_ = 0;
};

// Bytes held in memory (tests and fuzzing).
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  MemorySource(const uint8_t* data, size_t n) : bytes_(data, data + n) {}
  uint64_t size() const override { return bytes_.size(); }
  bool read(uint64_t offset, void* out, size_t n) override;

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace yav
