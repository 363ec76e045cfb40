#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace yav::platform {

OpenStatus openRegularFile(const std::string& path, int& fd) {
  // O_NONBLOCK keeps the open of a FIFO without a writer from waiting.
  fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return OpenStatus::Missing;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    fd = -1;
    return OpenStatus::NotRegular;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return OpenStatus::Opened;
}

OpenStatus regularFileStatus(const std::string& path) {
  int fd = -1;
  const OpenStatus s = openRegularFile(path, fd);
  if (fd >= 0) ::close(fd);
  return s;
}

}  // namespace yav::platform
