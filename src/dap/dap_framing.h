// The adapter's wire format: messages framed by a "Content-Length: N" header and a blank line,
// each holding one JSON object. The reader takes bytes as they arrive and hands out whole
// messages, or a clear reason why what arrived is not one. Header lines may end in LF alone;
// after a frame whose length fell short of its body the reader finds the next header again.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace yav::dap {

using json = nlohmann::json;

// One message taken from the input: its JSON object, or the reason it was refused (then `body`
// is null). A refused message does not stop the reader: it goes on with the next header.
struct IncomingMessage {
  json body;
  std::string error;
  bool ok() const { return error.empty(); }
};

class MessageReader {
 public:
  // Messages larger than this are refused (and skipped) instead of being held in memory.
  static constexpr size_t kMaxContentLength = 16u << 20;
  static constexpr size_t kMaxHeaderLength = 4096;

  void feed(std::string_view bytes) { buffer_.append(bytes); }
  // The next complete message, or nothing until more bytes arrive.
  std::optional<IncomingMessage> next();

 private:
  // Takes the header off the buffer once it is complete; a refusal when it is unusable.
  std::optional<IncomingMessage> readHeader();

  std::string buffer_;
  size_t contentLength_ = 0;  // of the message whose body is awaited
  bool inBody_ = false;
  size_t discard_ = 0;  // body bytes of a refused (too large) message still to drop
};

// A message as it goes out: header and body.
std::string frameMessage(const json& message);

// Checks that a message is a request: an object with an integer "seq", "type" "request" and a
// string "command". Returns the reason when it is not.
std::optional<std::string> requestShapeError(const json& message);

}  // namespace yav::dap
