// Addresses as the protocol writes them: "0x" and hexadecimal digits.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace yav::dap {

inline std::string hexAddress(uint32_t address) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", address);
  return text;
}

}  // namespace yav::dap
