#include "dap/dap_channel.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace yav::dap {

bool Channel::receive(MessageReader& reader, int timeoutMs) {
  if (inputEnded_) return false;
  pollfd p{in_, POLLIN, 0};
  int ready;
  do {
    ready = ::poll(&p, 1, timeoutMs);
  } while (ready < 0 && errno == EINTR);
  if (ready < 0) inputEnded_ = true;  // the input cannot be waited for: nothing more comes
  if (ready <= 0) return ready == 0;
  char buffer[65536];
  ssize_t n;
  do {
    n = ::read(in_, buffer, sizeof buffer);
  } while (n < 0 && errno == EINTR);
  if (n <= 0) {
    inputEnded_ = true;
    return false;
  }
  reader.feed(std::string_view(buffer, static_cast<size_t>(n)));
  return true;
}

void Channel::send(const json& message) {
  if (outputClosed_) return;
  const std::string bytes = frameMessage(message);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(out_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      outputClosed_ = true;
      return;
    }
    done += static_cast<size_t>(n);
  }
}

}  // namespace yav::dap
