#include "dap/dap_base64.h"

namespace yav::dap {

namespace {
constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int digitValue(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}
}  // namespace

std::string toBase64(std::span<const uint8_t> bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t n = std::min<size_t>(3, bytes.size() - i);
    uint32_t group = static_cast<uint32_t>(bytes[i]) << 16;
    if (n > 1) group |= static_cast<uint32_t>(bytes[i + 1]) << 8;
    if (n > 2) group |= bytes[i + 2];
    for (size_t d = 0; d < 4; ++d) out += d <= n ? kDigits[(group >> (18 - 6 * d)) & 0x3F] : '=';
  }
  return out;
}

std::optional<std::vector<uint8_t>> fromBase64(std::string_view text) {
  while (!text.empty() && text.back() == '=') text.remove_suffix(1);
  if (text.size() % 4 == 1) return std::nullopt;
  std::vector<uint8_t> out;
  out.reserve(text.size() * 3 / 4);
  uint32_t group = 0;
  int bits = 0;
  for (char c : text) {
    const int v = digitValue(c);
    if (v < 0) return std::nullopt;
    group = (group << 6) | static_cast<uint32_t>(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<uint8_t>(group >> bits));
      group &= (1u << bits) - 1;
    }
  }
  return out;
}

}  // namespace yav::dap
