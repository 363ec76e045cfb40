#include "model/putstring.h"

#include "model/escape.h"

namespace yav {

namespace {

// Reads one chunk; where the whole chunk cannot be read (the end of memory), as many bytes as
// can be read one by one. Returns the number of bytes read.
size_t readChunk(TargetMemory* memory, uint8_t space, uint32_t address, uint8_t (&buf)[kStringChunk]) {
  if (!memory) return 0;
  if (memory->read(space, address, buf)) return kStringChunk;
  size_t n = 0;
  while (n < kStringChunk && memory->readByte(space, address + static_cast<uint32_t>(n), buf[n])) ++n;
  return n;
}

}  // namespace

std::string targetString(TargetMemory* memory, uint8_t space, uint32_t address, bool quoted) {
  constexpr size_t kRoom = kStringArea - 1;
  std::string text;
  bool terminated = false;
  bool full = false;
  uint32_t at = address;
  while (!terminated && !full) {
    uint8_t buf[kStringChunk];
    const size_t got = readChunk(memory, space, at, buf);
    for (size_t i = 0; i < got; ++i) {
      if (buf[i] == 0) {
        terminated = true;
        break;
      }
      char esc[kEscCharMax];
      const size_t n = quoted ? escchar(esc, buf[i]) : (esc[0] = static_cast<char>(buf[i]), 1);
      if (text.size() + n > kRoom) {
        full = true;
        break;
      }
      text.append(esc, n);
    }
    if (got < kStringChunk) break;  // unreadable memory ends the string
    at += kStringChunk;
  }
  if (!terminated && text.size() > 3) text.replace(text.size() - 3, 3, "...");
  return quoted ? "\"" + text + "\"" : text;
}

void putstring(PrintEnv& env, uint8_t space, uint32_t address, bool quoted) {
  env.put(targetString(env.memory(), space, address, quoted));
}

}  // namespace yav
