// Turns SDCC's output for one linked program into the debugger's object format.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace objconv {

struct ConvertInput {
  std::string cdb;    // the .cdb text
  std::string map;    // the linker's .map text (may be empty)
  std::string image;  // the .s19 or .ihx text
  // Reads a source or header file by name; nullopt when it cannot be found.
  std::function<std::optional<std::string>(const std::string&)> readSource;
};

struct ConvertResult {
  bool ok = false;
  std::string error;
  std::vector<std::string> warnings;
  std::vector<uint8_t> object;
  std::optional<uint16_t> startupStack;  // the SP the start-up code sets, when it is recognised
};

ConvertResult convert(const ConvertInput& in);

}  // namespace objconv
