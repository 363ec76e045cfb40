#include "model/hex_records.h"

#include <map>

namespace yav::hexrec {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The hexadecimal pairs of a record; false on an odd count or a character that is not hex.
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

unsigned byteSum(const std::vector<uint8_t>& b) {
  unsigned sum = 0;
  for (uint8_t v : b) sum += v;
  return sum & 0xFF;
}

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  return s;
}

std::string hex(uint32_t v) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s;
  do {
    s.insert(s.begin(), digits[v & 0xF]);
    v >>= 4;
  } while (v);
  return "0x" + s;
}

}  // namespace

const char* placeBytes(uint32_t fileAddress, size_t length, uint32_t& target) {
  const uint64_t last = static_cast<uint64_t>(fileAddress) + (length ? length - 1 : 0);
  if (fileAddress <= 0xFFFF) {
    if (last > 0xFFFF) return "data runs past 0xFFFF";
    target = fileAddress;
    return nullptr;
  }
  const uint32_t page = fileAddress >> 16, offset = fileAddress & 0xFFFF;
  if (page > 0xFF) return "page above 0xFF";
  if (offset < 0x8000 || offset > 0xBFFF) return "paged address outside the window 0x8000-0xBFFF";
  if ((last & 0xFFFF) > 0xBFFF || last >> 16 != page) return "data runs past the end of the page window";
  target = page << 14 | (offset & 0x3FFF);
  return nullptr;
}

bool LineReader::fail(const std::string& what) {
  error_ = "line " + std::to_string(lineNo_) + ": " + what;
  return false;
}

bool LineReader::placeData(Record& out) {
  if (const char* why = placeBytes(out.address, out.data.size(), out.target)) {
    return fail(std::string(why) + " (address " + hex(out.address) + ")");
  }
  return true;
}

bool LineReader::read(std::string_view line, Record& out) {
  ++lineNo_;
  out = Record{};
  if (line.size() > kMaxLineLength) return fail("line too long");
  line = trim(line);
  if (line.empty() || line[0] == '$') return true;
  const char kind = line[0] == 's' ? 'S' : line[0];
  if (kind != 'S' && kind != ':') return fail("neither an S-record nor an Intel hex record");
  if (!format_) format_ = kind;
  if (kind != format_) return fail(format_ == 'S' ? "Intel hex record among S-records" : "S-record among Intel hex records");
  return kind == 'S' ? readSRecord(line, out) : readIntelHex(line, out);
}

bool LineReader::readSRecord(std::string_view line, Record& out) {
  if (line.size() < 2 || line[1] < '0' || line[1] > '9') return fail("no record type after 'S'");
  out.type = line[1];
  if (!hexBytes(line.substr(2), bytes_) || bytes_.empty()) return fail("bad hexadecimal digits");
  if (bytes_[0] + 1u != bytes_.size()) return fail("byte count does not match the record");
  if (byteSum(bytes_) != 0xFF) return fail("bad checksum");
  size_t addressLength = 0;
  switch (out.type) {
    case '0': case '1': case '5': case '9': addressLength = 2; break;
    case '2': case '6': case '8': addressLength = 3; break;
    case '3': case '7': addressLength = 4; break;
    default: return fail(std::string("unknown record type S") + out.type);
  }
  if (bytes_.size() < 1 + addressLength + 1) return fail("record too short for its address");
  for (size_t i = 0; i < addressLength; ++i) out.address = out.address << 8 | bytes_[1 + i];
  switch (out.type) {
    case '1': case '2': case '3':
      out.kind = Record::Kind::Data;
      out.data.assign(bytes_.begin() + static_cast<long>(1 + addressLength), bytes_.end() - 1);
      return placeData(out);
    case '7': case '8': case '9':
      out.kind = Record::Kind::Start;
      out.last = true;
      return true;
    default:  // header and count records
      out.address = 0;
      return true;
  }
}

bool LineReader::readIntelHex(std::string_view line, Record& out) {
  if (!hexBytes(line.substr(1), bytes_) || bytes_.size() < 5) return fail("bad hexadecimal digits");
  if (bytes_[0] + 5u != bytes_.size()) return fail("byte count does not match the record");
  if (byteSum(bytes_) != 0) return fail("bad checksum");
  const uint8_t type = bytes_[3];
  const uint32_t offset = static_cast<uint32_t>(bytes_[1]) << 8 | bytes_[2];
  const uint8_t* data = bytes_.data() + 4;
  const size_t n = bytes_[0];
  out.type = static_cast<char>(type);
  switch (type) {
    case 0x00:
      out.kind = Record::Kind::Data;
      out.address = base_ + offset;
      out.data.assign(data, data + n);
      return placeData(out);
    case 0x01:
      out.last = true;
      return true;
    case 0x02:
    case 0x04:
      if (n != 2) return fail("address record without 2 data bytes");
      base_ = (static_cast<uint32_t>(data[0]) << 8 | data[1]) << (type == 0x02 ? 4 : 16);
      return true;
    case 0x03:
    case 0x05:
      if (n != 4) return fail("start address record without 4 data bytes");
      out.kind = Record::Kind::Start;
      out.address = type == 0x05 ? static_cast<uint32_t>(data[0]) << 24 | data[1] << 16 | data[2] << 8 | data[3]
                                 : ((static_cast<uint32_t>(data[0]) << 8 | data[1]) << 4) + (data[2] << 8 | data[3]);
      return true;
    default:
      return fail("unknown record type " + hex(type));
  }
}

bool readImage(std::string_view text, Image& image, std::string& error) {
  image = Image{};
  std::map<uint32_t, uint8_t> bytes;
  LineReader reader;
  Record rec;
  bool anyData = false;
  while (!text.empty()) {
    const size_t nl = text.find('\n');
    const std::string_view line = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    if (!reader.read(line, rec)) {
      error = reader.error();
      return false;
    }
    if (rec.kind == Record::Kind::Start) image.start = rec.address;
    if (rec.kind == Record::Kind::Data) {
      anyData = true;
      for (size_t i = 0; i < rec.data.size(); ++i) bytes[rec.target + static_cast<uint32_t>(i)] = rec.data[i];
    }
    if (rec.last) break;
  }
  if (!anyData) {
    error = "no data records";
    return false;
  }
  for (const auto& [address, byte] : bytes) {
    if (image.blocks.empty() || image.blocks.back().address + image.blocks.back().bytes.size() != address) {
      image.blocks.push_back({address, {}});
    }
    image.blocks.back().bytes.push_back(byte);
  }
  return true;
}

void ResetVector::note(uint32_t target, const std::vector<uint8_t>& data) {
  for (size_t i = 0; i < data.size(); ++i) {
    const uint64_t a = static_cast<uint64_t>(target) + i;
    if (a == 0xFFFE) high_ = data[i];
    if (a == 0xFFFF) low_ = data[i];
  }
}

std::optional<uint32_t> ResetVector::value() const {
  if (high_ < 0 || low_ < 0) return std::nullopt;
  return static_cast<uint32_t>(high_ << 8 | low_);
}

}  // namespace yav::hexrec
