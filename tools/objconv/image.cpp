#include "objconv/image.h"

#include <sstream>

namespace objconv {

namespace {
int hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
bool bytesOf(const std::string& s, size_t from, std::vector<uint8_t>& out) {
  out.clear();
  if ((s.size() - from) % 2) return false;
  for (size_t i = from; i < s.size(); i += 2) {
    const int a = hex(s[i]), b = hex(s[i + 1]);
    if (a < 0 || b < 0) return false;
    out.push_back(static_cast<uint8_t>(a << 4 | b));
  }
  return true;
}
}  // namespace

bool parseImage(const std::string& text, std::vector<ImageRun>& runs, std::string& error) {
  std::map<uint32_t, uint8_t> mem;
  std::istringstream in(text);
  std::string line;
  size_t n = 0;
  uint32_t upper = 0;
  std::vector<uint8_t> b;
  while (std::getline(in, line)) {
    ++n;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line.empty()) continue;
    const std::string where = "image line " + std::to_string(n);
    if (line[0] == 'S' && line.size() >= 4) {
      if (!bytesOf(line, 2, b) || b.empty() || b[0] + 1u != b.size()) return error = "malformed " + where, false;
      const size_t alen = line[1] == '1' ? 2 : line[1] == '2' ? 3 : line[1] == '3' ? 4 : 0;
      if (!alen) continue;
      if (b.size() < alen + 2) return error = "short record at " + where, false;
      uint32_t a = 0;
      for (size_t i = 0; i < alen; ++i) a = a << 8 | b[1 + i];
      for (size_t i = 1 + alen; i + 1 < b.size(); ++i) mem[a++] = b[i];
      if (mem.size() > (1u << 24)) return error = "image too large", false;
    } else if (line[0] == ':') {
      if (!bytesOf(line, 1, b) || b.size() < 5 || b[0] + 5u != b.size()) return error = "malformed " + where, false;
      const uint32_t off = static_cast<uint32_t>(b[1]) << 8 | b[2];
      if (b[3] == 1) break;
      if (b[3] == 4 && b[0] == 2) upper = (static_cast<uint32_t>(b[4]) << 8 | b[5]) << 16;
      if (b[3] == 2 && b[0] == 2) upper = (static_cast<uint32_t>(b[4]) << 8 | b[5]) << 4;
      if (b[3] != 0) continue;
      for (size_t i = 0; i < b[0]; ++i) mem[upper + off + static_cast<uint32_t>(i)] = b[4 + i];
      if (mem.size() > (1u << 24)) return error = "image too large", false;
    } else {
      return error = "not an S-record or Intel hex line at " + where, false;
    }
  }
  runs.clear();
  for (const auto& [addr, byte] : mem) {
    if (runs.empty() || runs.back().address + runs.back().bytes.size() != addr) runs.push_back({addr, {}});
    runs.back().bytes.push_back(byte);
  }
  return true;
}

}  // namespace objconv
