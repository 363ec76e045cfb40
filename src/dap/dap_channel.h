// The adapter's connection to the editor: requests read from one file descriptor, responses and
// events written to another, each framed as the protocol asks.
#pragma once
#include "dap/dap_framing.h"

namespace yav::dap {

class Channel {
 public:
  Channel(int in, int out) : in_(in), out_(out) {}

  // Waits up to `timeoutMs` (-1: as long as it takes) for input and hands what arrived to the
  // reader. False once the input has ended.
  bool receive(MessageReader& reader, int timeoutMs);
  // Writes one message whole; a closed output is remembered and further messages are dropped.
  void send(const json& message);
  bool closed() const { return inputEnded_ || outputClosed_; }

 private:
  int in_, out_;
  bool inputEnded_ = false;
  bool outputClosed_ = false;
};

}  // namespace yav::dap
