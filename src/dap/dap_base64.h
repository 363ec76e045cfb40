// Base64 as the protocol carries memory contents.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace yav::dap {

std::string toBase64(std::span<const uint8_t> bytes);
// Nothing when the text is not base64 (padding optional, no blanks inside).
std::optional<std::vector<uint8_t>> fromBase64(std::string_view text);

}  // namespace yav::dap
