#include "model/loader_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace yav {

bool ByteSource::be32(uint64_t off, uint32_t& v) {
  uint8_t b[4];
  if (!read(off, b, 4)) return false;
  v = static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 | static_cast<uint32_t>(b[2]) << 8 | b[3];
  return true;
}

bool ByteSource::le32(uint64_t off, uint32_t& v) {
  uint8_t b[4];
  if (!read(off, b, 4)) return false;
  v = static_cast<uint32_t>(b[3]) << 24 | static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[1]) << 8 | b[0];
  return true;
}

bool ByteSource::cstring(uint64_t off, std::string& s, size_t limit) {
  s.clear();
  char c;
  while (s.size() < limit) {
    if (!read(off + s.size(), &c, 1)) return false;
    if (c == 0) return true;
    s.push_back(c);
  }
  return false;
}

std::unique_ptr<FileSource> FileSource::open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<FileSource>(new FileSource(fd, static_cast<uint64_t>(st.st_size)));
}

FileSource::~FileSource() { ::close(fd_); }

bool FileSource::read(uint64_t offset, void* out, size_t n) {
  if (offset > size_ || n > size_ - offset) return false;
  if (n == 0) return true;
  constexpr size_t kWindow = 64 * 1024;
  if (n > kWindow) {
    size_t done = 0;
    while (done < n) {
      const ssize_t r = ::pread(fd_, static_cast<uint8_t*>(out) + done, n - done, static_cast<off_t>(offset + done));
      if (r <= 0) return false;
      done += static_cast<size_t>(r);
    }
    return true;
  }
  if (offset < windowStart_ || offset + n > windowStart_ + window_.size()) {
    window_.resize(static_cast<size_t>(std::min<uint64_t>(kWindow, size_ - offset)));
    size_t done = 0;
    while (done < window_.size()) {
      const ssize_t r = ::pread(fd_, window_.data() + done, window_.size() - done, static_cast<off_t>(offset + done));
      if (r <= 0) {
        window_.clear();
        return false;
      }
      done += static_cast<size_t>(r);
    }
    windowStart_ = offset;
  }
  std::memcpy(out, window_.data() + (offset - windowStart_), n);
  return true;
}

bool MemorySource::read(uint64_t offset, void* out, size_t n) {
  if (offset > bytes_.size() || n > bytes_.size() - offset) return false;
  if (n) std::memcpy(out, bytes_.data() + offset, n);
  return true;
}

}  // namespace yav
