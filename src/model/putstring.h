// Display of a zero-terminated string read from target memory.
#pragma once
#include <cstdint>
#include <string>

#include "model/print_env.h"

namespace yav {

// Bytes of the text area a target string is shown in (the terminator included).
inline constexpr size_t kStringArea = 1280;
// Bytes read from the target at a time.
inline constexpr size_t kStringChunk = 20;

// The string at `address`: escaped and in double quotes when `quoted`, raw otherwise. A string
// that does not end within the area or the readable memory ends with "...".
std::string targetString(TargetMemory* memory, uint8_t space, uint32_t address, bool quoted);
void putstring(PrintEnv& env, uint8_t space, uint32_t address, bool quoted);

}  // namespace yav
