#include "dap/dap_framing.h"

#include <algorithm>
#include <cctype>

namespace yav::dap {

namespace {

bool sameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool tokenChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_'; }

constexpr std::string_view kContentLength = "Content-Length";

// Where the name of a Content-Length field starts in `text` from `from` on, or npos.
size_t findContentLength(std::string_view text, size_t from = 0) {
  for (size_t at = from; at + kContentLength.size() <= text.size(); ++at) {
    if (sameWord(text.substr(at, kContentLength.size()), kContentLength)) return at;
  }
  return std::string_view::npos;
}

// The value of the Content-Length field of a header line, if the line holds one. The name may
// follow the tail of a message whose announced length was too short ("...}Content-Length: 9"):
// the reader picks the header up again there.
std::optional<std::string_view> contentLengthField(std::string_view line) {
  std::optional<std::string_view> value;
  for (size_t at = findContentLength(line); at != std::string_view::npos;
       at = findContentLength(line, at + 1)) {
    if (at > 0 && tokenChar(line[at - 1])) continue;
    const std::string_view rest = trim(line.substr(at + kContentLength.size()));
    if (!rest.empty() && rest.front() == ':') value = trim(rest.substr(1));
  }
  return value;
}

// The end of the header that starts the buffer: the blank line after it, its lines ended by
// CR LF or by LF alone. Sets `bodyStart` past the blank line; npos while it has not arrived.
size_t headerEnd(std::string_view buffer, size_t& bodyStart) {
  for (size_t at = 0;;) {
    const size_t lf = buffer.find('\n', at);
    if (lf == std::string_view::npos) return std::string_view::npos;
    const size_t length = lf - at - (lf > at && buffer[lf - 1] == '\r' ? 1 : 0);
    if (length == 0) {
      bodyStart = lf + 1;
      return at;
    }
    at = lf + 1;
  }
}

// The value of a Content-Length field: decimal digits only, within the limit (a larger one is
// returned as is so that the caller can skip the body).
std::optional<size_t> contentLength(std::string_view header) {
  std::optional<size_t> found;
  while (!header.empty()) {
    const size_t end = header.find('\n');
    std::string_view line = header.substr(0, end);
    header = end == std::string_view::npos ? std::string_view() : header.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::optional<std::string_view> field = contentLengthField(line);
    if (!field) continue;
    const std::string_view digits = *field;
    if (digits.empty() || digits.size() > 12) return std::nullopt;
    size_t n = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return std::nullopt;
      n = n * 10 + static_cast<size_t>(c - '0');
    }
    found = n;
  }
  return found;
}

IncomingMessage refusal(std::string text) { return IncomingMessage{json(), std::move(text)}; }

}  // namespace

std::optional<IncomingMessage> MessageReader::readHeader() {
  // Line ends left between messages are no header.
  const size_t start = buffer_.find_first_not_of("\r\n");
  buffer_.erase(0, start == std::string::npos ? buffer_.size() : start);
  size_t bodyStart = 0;
  const size_t end = headerEnd(buffer_, bodyStart);
  if (end == std::string::npos) {
    if (buffer_.size() <= kMaxHeaderLength) return std::nullopt;
    // No blank line comes: what follows the last Content-Length seen may still be a message.
    size_t resume = std::string::npos;
    for (size_t at = findContentLength(buffer_); at != std::string::npos; at = findContentLength(buffer_, at + 1)) {
      resume = at;
    }
    buffer_.erase(0, resume == std::string::npos || resume == 0 ? buffer_.size() : resume);
    return refusal("message header too long (no blank line after it)");
  }
  const std::optional<size_t> length = contentLength(std::string_view(buffer_).substr(0, end));
  buffer_.erase(0, bodyStart);
  if (!length) return refusal("message header without a valid Content-Length");
  if (*length > kMaxContentLength) {
    discard_ = *length;
    return refusal("message too large: " + std::to_string(*length) + " bytes");
  }
  contentLength_ = *length;
  inBody_ = true;
  return std::nullopt;
}

std::optional<IncomingMessage> MessageReader::next() {
  if (discard_ > 0) {
    const size_t n = std::min(discard_, buffer_.size());
    buffer_.erase(0, n);
    discard_ -= n;
    if (discard_ > 0) return std::nullopt;
  }
  if (!inBody_) {
    if (std::optional<IncomingMessage> refused = readHeader()) return refused;
    if (!inBody_) return std::nullopt;
  }
  if (buffer_.size() < contentLength_) return std::nullopt;
  json body = json::parse(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(contentLength_), nullptr, false);
  buffer_.erase(0, contentLength_);
  inBody_ = false;
  if (body.is_discarded()) return refusal("malformed JSON in message");
  if (!body.is_object()) return refusal("message is not a JSON object");
  return IncomingMessage{std::move(body), {}};
}

std::string frameMessage(const json& message) {
  // Text from the target or from the user may hold bytes that are not UTF-8: they are replaced,
  // never allowed to break the message.
  const std::string body = message.dump(-1, ' ', false, json::error_handler_t::replace);
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::optional<std::string> requestShapeError(const json& message) {
  const auto type = message.find("type");
  if (type == message.end() || !type->is_string()) return "message without a \"type\"";
  if (*type != "request") return "only requests are accepted, not \"" + type->get<std::string>() + "\"";
  const auto seq = message.find("seq");
  if (seq == message.end() || !seq->is_number_integer()) return "request without an integer \"seq\"";
  const auto command = message.find("command");
  if (command == message.end() || !command->is_string()) return "request without a \"command\"";
  const auto args = message.find("arguments");
  if (args != message.end() && !args->is_object() && !args->is_null()) return "\"arguments\" is not an object";
  return std::nullopt;
}

}  // namespace yav::dap
