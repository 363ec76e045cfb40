#include "objconv/object_writer.h"

#include <algorithm>
#include <cstddef>

namespace objconv {

namespace {
void put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}
void set32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (24 - 8 * i));
}
}  // namespace

uint32_t DebugWriter::be32(uint32_t v) {
  const uint32_t at = here();
  put32(bytes_, v);
  return at;
}

uint32_t DebugWriter::le32(uint32_t v) {
  const uint32_t at = here();
  for (int s = 0; s < 32; s += 8) bytes_.push_back(static_cast<uint8_t>(v >> s));
  return at;
}

void DebugWriter::patchBe32(uint32_t at, uint32_t v) { set32(bytes_, at, v); }

uint32_t DebugWriter::string(const std::string& s) {
  const uint32_t at = here();
  bytes_.insert(bytes_.end(), s.begin(), s.end());
  bytes_.push_back(0);
  return at;
}

uint32_t DebugWriter::name(const std::string& s, uint8_t storageClass) {
  const uint32_t at = string(s);
  bytes_.push_back(storageClass);
  return at;
}

std::vector<uint8_t> writeObject(const std::vector<OutSection>& sections, const std::vector<OutLabel>& labels,
                                 const std::vector<OutRecord>& records) {
  std::vector<uint8_t> out(28 + 40 * sections.size(), 0);
  out[0] = 0xCD;
  out[3] = static_cast<uint8_t>(sections.size());
  std::vector<uint32_t> contentOffset(sections.size(), 0);
  for (size_t i = 0; i < sections.size(); ++i) {
    if (sections[i].contents.empty()) continue;
    contentOffset[i] = static_cast<uint32_t>(out.size());
    out.insert(out.end(), sections[i].contents.begin(), sections[i].contents.end());
  }
  for (size_t i = 0; i < sections.size(); ++i) {
    const OutSection& s = sections[i];
    const size_t h = 28 + 40 * i;
    const size_t len = std::min<size_t>(s.name.size(), 14);
    out[h + 1] = static_cast<uint8_t>(0x80 | len);
    std::copy_n(s.name.begin(), len, out.begin() + static_cast<std::ptrdiff_t>(h + 2));
    set32(out, h + 16, contentOffset[i]);
    set32(out, h + 20, s.size);
    set32(out, h + 32, s.address);
    set32(out, h + 36, s.address);
  }
  const uint32_t labelOffset = static_cast<uint32_t>(out.size());
  for (const OutLabel& l : labels) {
    put32(out, l.value);
    out.push_back(l.flags);
    out.push_back(l.section);
    const size_t len = std::min<size_t>(l.name.size(), 255);
    out.push_back(static_cast<uint8_t>(len));
    out.insert(out.end(), l.name.begin(), l.name.begin() + static_cast<std::ptrdiff_t>(len));
  }
  const uint32_t labelSize = static_cast<uint32_t>(out.size()) - labelOffset;
  const uint32_t debugOffset = static_cast<uint32_t>(out.size());
  for (const OutRecord& r : records) {
    put32(out, r.value);
    out.push_back(r.kind);
    out.push_back(0);
    const size_t len = std::min<size_t>(r.name.size(), 255);
    out.push_back(static_cast<uint8_t>(len));
    out.insert(out.end(), r.name.begin(), r.name.begin() + static_cast<std::ptrdiff_t>(len));
  }
  set32(out, 8, labelOffset);
  set32(out, 12, labelSize);
  set32(out, 16, static_cast<uint32_t>(records.size()));
  set32(out, 20, debugOffset);
  return out;
}

}  // namespace objconv
