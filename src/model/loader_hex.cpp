#include <cctype>
#include <string>

#include "model/loader.h"

namespace yav {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Decodes the hexadecimal pairs of a record; false on an odd count or a non-hex character.
bool hexBytes(std::string_view s, std::vector<uint8_t>& out) {
  out.clear();
  if (s.size() % 2) return false;
  for (size_t i = 0; i < s.size(); i += 2) {
    const int hi = hexDigit(s[i]), lo = hexDigit(s[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<uint8_t>(hi << 4 | lo));
  }
  return true;
}

bool checksumOk(const std::vector<uint8_t>& b, bool intel) {
  unsigned sum = 0;
  for (uint8_t v : b) sum += v;
  return intel ? (sum & 0xFF) == 0 : (sum & 0xFF) == 0xFF;
}

LoadOutcome bad(size_t lineNo, const char* why) {
  return LoadOutcome::abandon("read error S-record/Hex line " + std::to_string(lineNo) + ": " + why + "\n");
}

}  // namespace

LoadOutcome loadTextHex(ByteSource& src, LoadHost& host, bool symbolsOnly) {
  const uint64_t size = src.size();
  uint64_t pos = 0;
  size_t lineNo = 0;
  uint32_t upper = 0;  // Intel hex extended address
  std::vector<uint8_t> b;
  host.gaugeStart(static_cast<uint32_t>(size / 1024 + 1));
  uint64_t lastGauge = 0;
  while (pos < size) {
    std::string line;
    char c = 0;
    while (pos < size && src.read(pos, &c, 1) && c != '\n') {
      if (line.size() < 1024) line.push_back(c);
      ++pos;
    }
    ++pos;
    ++lineNo;
    while (!line.empty() && (line.back() == '\r' || std::isspace(static_cast<unsigned char>(line.back())))) line.pop_back();
    if (pos - lastGauge >= 1024) {
      host.gaugeAdd(static_cast<uint32_t>((pos - lastGauge) / 1024));
      lastGauge = pos;
    }
    if (line.empty() || line[0] == '$') continue;
    if (line[0] == 'S') {
      if (line.size() < 2) return bad(lineNo, "short record");
      const char type = line[1];
      if (!hexBytes(std::string_view(line).substr(2), b) || b.empty() || b[0] + 1u != b.size()) {
        return bad(lineNo, "malformed record");
      }
      if (!checksumOk(b, false)) return bad(lineNo, "checksum");
      size_t alen = 0;
      if (type == '1') alen = 2;
      else if (type == '2') alen = 3;
      else if (type == '3') alen = 4;
      else if (type == '7' || type == '8' || type == '9') break;
      else continue;  // header and count records
      if (b.size() < 1 + alen + 1) return bad(lineNo, "short record");
      uint32_t addr = 0;
      for (size_t i = 0; i < alen; ++i) addr = addr << 8 | b[1 + i];
      const size_t n = b.size() - 2 - alen;
      if (!symbolsOnly && n && !host.download(addr, b.data() + 1 + alen, n, addr, 0)) {
        host.gaugeStart(0);
        return LoadOutcome::fail("Error loading segment: S-record");
      }
    } else if (line[0] == ':') {
      if (!hexBytes(std::string_view(line).substr(1), b) || b.size() < 5 || b[0] + 5u != b.size()) {
        return bad(lineNo, "malformed record");
      }
      if (!checksumOk(b, true)) return bad(lineNo, "checksum");
      const uint8_t type = b[3];
      const uint32_t off = static_cast<uint32_t>(b[1]) << 8 | b[2];
      if (type == 0x01) break;
      if (type == 0x02 && b[0] == 2) upper = (static_cast<uint32_t>(b[4]) << 8 | b[5]) << 4;
      if (type == 0x04 && b[0] == 2) upper = (static_cast<uint32_t>(b[4]) << 8 | b[5]) << 16;
      if (type != 0x00) continue;
      if (!symbolsOnly && b[0] && !host.download(upper + off, b.data() + 4, b[0], upper + off, 0)) {
        host.gaugeStart(0);
        return LoadOutcome::fail("Error loading segment: Intel hex");
      }
    } else {
      host.gaugeStart(0);
      return LoadOutcome::abandon("read error S-record/Hex\n");
    }
    if (host.cancelled()) break;
  }
  host.gaugeStart(0);
  return {};
}

}  // namespace yav
