// S-record and Intel hex readers; every malformed line is reported with its number.
#include "sim/image_loader.h"

#include <fstream>
#include <sstream>

namespace yav::sim {
namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Hex pairs of a record body into bytes; false on an odd count or a non-hex character.
bool hex_bytes(std::string_view s, std::vector<uint8_t>& out) {
  if (s.size() % 2) return false;
  out.clear();
  for (size_t i = 0; i < s.size(); i += 2) {
    const int hi = hex_digit(s[i]), lo = hex_digit(s[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<uint8_t>(hi * 16 + lo));
  }
  return true;
}

// File address to the simulator's address form; false when it cannot be placed.
bool place(uint32_t file_address, uint32_t& out) {
  if (file_address <= 0xFFFF) {
    out = file_address;
    return true;
  }
  const uint32_t page = file_address >> 16, offset = file_address & 0xFFFF;
  if (page > 0xFF || offset < 0x8000 || offset > 0xBFFF) return false;
  out = (page << 14) | (offset & 0x3FFF);
  return true;
}

class Builder {
 public:
  std::vector<ImageBlock> blocks;
  bool add(uint32_t file_address, const uint8_t* data, size_t n, std::string& error) {
    for (size_t i = 0; i < n; ++i) {
      uint32_t a = 0;
      if (!place(file_address + static_cast<uint32_t>(i), a)) {
        error = "address outside the memory and the paging window";
        return false;
      }
      if (blocks.empty() || blocks.back().address + blocks.back().bytes.size() != a) blocks.push_back({a, {}});
      blocks.back().bytes.push_back(data[i]);
    }
    return true;
  }
};

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

std::string at_line(size_t n, const std::string& what) { return "line " + std::to_string(n) + ": " + what; }

ImageLoad parse_srec(std::string_view text) {
  ImageLoad r;
  Builder b;
  std::vector<uint8_t> bytes;
  size_t line_no = 0;
  bool any = false;
  while (!text.empty()) {
    const size_t nl = text.find('\n');
    std::string_view line = trim(text.substr(0, nl));
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    ++line_no;
    if (line.empty()) continue;
    if (line.size() < 4 || (line[0] != 'S' && line[0] != 's') || line[1] < '0' || line[1] > '9') {
      r.error = at_line(line_no, "not an S-record");
      return r;
    }
    if (!hex_bytes(line.substr(2), bytes) || bytes.empty()) {
      r.error = at_line(line_no, "bad hexadecimal digits");
      return r;
    }
    if (bytes[0] + 1u != bytes.size()) {
      r.error = at_line(line_no, "record length does not match");
      return r;
    }
    unsigned sum = 0;
    for (uint8_t v : bytes) sum += v;
    if ((sum & 0xFF) != 0xFF) {
      r.error = at_line(line_no, "bad checksum");
      return r;
    }
    const char type = line[1];
    size_t addr_len = 0;
    switch (type) {
      case '1': case '9': addr_len = 2; break;
      case '2': case '8': addr_len = 3; break;
      case '3': case '7': addr_len = 4; break;
      case '0': case '5': case '6': continue;
      default:
        r.error = at_line(line_no, std::string("unknown record type S") + type);
        return r;
    }
    if (bytes.size() < addr_len + 2) {
      r.error = at_line(line_no, "record too short");
      return r;
    }
    if (type >= '7') continue;  // start address
    uint32_t address = 0;
    for (size_t i = 0; i < addr_len; ++i) address = (address << 8) | bytes[1 + i];
    if (!b.add(address, bytes.data() + 1 + addr_len, bytes.size() - 2 - addr_len, r.error)) {
      r.error = at_line(line_no, r.error);
      return r;
    }
    any = true;
  }
  if (!any) {
    r.error = "no data records";
    return r;
  }
  r.ok = true;
  r.blocks = std::move(b.blocks);
  return r;
}

ImageLoad parse_ihex(std::string_view text) {
  ImageLoad r;
  Builder b;
  std::vector<uint8_t> bytes;
  size_t line_no = 0;
  uint32_t base = 0;
  bool any = false, ended = false;
  while (!text.empty() && !ended) {
    const size_t nl = text.find('\n');
    std::string_view line = trim(text.substr(0, nl));
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    ++line_no;
    if (line.empty()) continue;
    if (line[0] != ':') {
      r.error = at_line(line_no, "not an Intel hex record");
      return r;
    }
    if (!hex_bytes(line.substr(1), bytes) || bytes.size() < 5) {
      r.error = at_line(line_no, "bad hexadecimal digits");
      return r;
    }
    if (bytes[0] + 5u != bytes.size()) {
      r.error = at_line(line_no, "record length does not match");
      return r;
    }
    unsigned sum = 0;
    for (uint8_t v : bytes) sum += v;
    if (sum & 0xFF) {
      r.error = at_line(line_no, "bad checksum");
      return r;
    }
    const uint32_t offset = (uint32_t(bytes[1]) << 8) | bytes[2];
    const uint8_t* data = bytes.data() + 4;
    const size_t n = bytes[0];
    switch (bytes[3]) {
      case 0x00:
        if (!b.add(base + offset, data, n, r.error)) {
          r.error = at_line(line_no, r.error);
          return r;
        }
        any = true;
        break;
      case 0x01: ended = true; break;
      case 0x02:
      case 0x04:
        if (n != 2) {
          r.error = at_line(line_no, "bad address record");
          return r;
        }
        base = ((uint32_t(data[0]) << 8) | data[1]) << (bytes[3] == 0x02 ? 4 : 16);
        break;
      case 0x03:
      case 0x05: break;
      default:
        r.error = at_line(line_no, "unknown record type");
        return r;
    }
  }
  if (!any) {
    r.error = "no data records";
    return r;
  }
  r.ok = true;
  r.blocks = std::move(b.blocks);
  return r;
}

}  // namespace

ImageLoad parse_image(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) {
    ImageLoad r;
    r.error = "empty file";
    return r;
  }
  if (text[first] == ':') return parse_ihex(text);
  if (text[first] == 'S' || text[first] == 's') return parse_srec(text);
  ImageLoad r;
  r.error = "neither S-records nor Intel hex";
  return r;
}

ImageLoad load_image_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ImageLoad r;
    r.error = "cannot open " + path;
    return r;
  }
  std::ostringstream ss;
  ss << in.rdbuf();
  ImageLoad r = parse_image(ss.str());
  if (!r.ok) r.error = path + ": " + r.error;
  return r;
}

}  // namespace yav::sim
