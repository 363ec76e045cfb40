#include "dap/dap_framing.h"

#include <algorithm>
#include <cctype>

namespace yav::dap {

namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";

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

// The value of a Content-Length field: decimal digits only, within the limit (a larger one is
// returned as is so that the caller can skip the body).
std::optional<size_t> contentLength(std::string_view header) {
  std::optional<size_t> found;
  while (!header.empty()) {
    const size_t end = header.find("\r\n");
    const std::string_view line = header.substr(0, end);
    header = end == std::string_view::npos ? std::string_view() : header.substr(end + 2);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || !sameWord(trim(line.substr(0, colon)), "Content-Length")) continue;
    const std::string_view digits = trim(line.substr(colon + 1));
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
  const size_t end = buffer_.find(kHeaderEnd);
  if (end == std::string::npos) {
    if (buffer_.size() <= kMaxHeaderLength) return std::nullopt;
    buffer_.clear();
    return refusal("message header too long (no blank line after it)");
  }
  const std::optional<size_t> length = contentLength(std::string_view(buffer_).substr(0, end));
  buffer_.erase(0, end + kHeaderEnd.size());
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
