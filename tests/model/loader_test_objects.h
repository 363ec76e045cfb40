// Builds small object files byte by byte for the loader tests.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace yav::test {

struct ObjSection {
  std::string name;
  uint32_t address = 0, size = 0;
  std::vector<uint8_t> contents;
  uint32_t physical = 0;
  bool physEqualsLogical = true;
};
struct ObjLabel {
  uint32_t value;
  uint8_t flags, section;
  std::string name;
};
struct ObjRecord {
  uint32_t value;
  uint8_t kind;
  std::string name;
  uint8_t section = 0;
};

inline void put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}
inline void set32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

// Debug information: offsets from its start; offset 0 is never a record.
struct DebugBytes {
  std::vector<uint8_t> b = std::vector<uint8_t>(4, 0);
  uint32_t here() const { return static_cast<uint32_t>(b.size()); }
  uint32_t be(uint32_t v) { uint32_t at = here(); put32(b, v); return at; }
  uint32_t le(uint32_t v) { uint32_t at = here(); for (int s = 0; s < 32; s += 8) b.push_back(uint8_t(v >> s)); return at; }
  uint32_t str(const std::string& s) { uint32_t at = here(); b.insert(b.end(), s.begin(), s.end()); b.push_back(0); return at; }
  uint32_t name(const std::string& s, uint8_t cls) { uint32_t at = str(s); b.push_back(cls); return at; }
  void patch(uint32_t at, uint32_t v) { set32(b, at, v); }
  // A local or member list: (name offset, value, type, slots) records then a zero record.
  uint32_t list(const std::vector<std::array<uint32_t, 4>>& recs) {
    uint32_t at = here();
    for (auto& r : recs) { be(r[0]); be(r[1]); le(r[2]); be(r[3]); }
    for (int i = 0; i < 4; ++i) be(0);
    return at;
  }
  uint32_t function(uint32_t name, uint32_t first, uint32_t last, uint32_t type, uint32_t slots, uint32_t locals) {
    uint32_t at = be(0);
    be(0); be(name); be(first); be(last); le(type); be(slots); be(locals); be(0);
    return at;
  }
};

inline std::vector<uint8_t> buildObject(const std::vector<ObjSection>& secs, const std::vector<ObjLabel>& labels,
                                        const std::vector<ObjRecord>& recs, uint8_t magic = 0xCD) {
  std::vector<uint8_t> out(28 + 40 * secs.size(), 0);
  out[0] = magic;
  out[3] = static_cast<uint8_t>(secs.size());
  std::vector<uint32_t> offs;
  for (auto& s : secs) {
    offs.push_back(s.contents.empty() ? 0 : static_cast<uint32_t>(out.size()));
    out.insert(out.end(), s.contents.begin(), s.contents.end());
  }
  for (size_t i = 0; i < secs.size(); ++i) {
    const size_t h = 28 + 40 * i;
    out[h + 1] = static_cast<uint8_t>((secs[i].physEqualsLogical ? 0x80 : 0) | secs[i].name.size());
    for (size_t c = 0; c < secs[i].name.size(); ++c) out[h + 2 + c] = static_cast<uint8_t>(secs[i].name[c]);
    set32(out, h + 16, offs[i]);
    set32(out, h + 20, secs[i].size);
    set32(out, h + 32, secs[i].address);
    set32(out, h + 36, secs[i].physical);
  }
  const uint32_t lo = static_cast<uint32_t>(out.size());
  for (auto& l : labels) {
    put32(out, l.value);
    out.push_back(l.flags);
    out.push_back(l.section);
    out.push_back(static_cast<uint8_t>(l.name.size()));
    out.insert(out.end(), l.name.begin(), l.name.end());
  }
  set32(out, 8, lo);
  set32(out, 12, static_cast<uint32_t>(out.size()) - lo);
  set32(out, 16, static_cast<uint32_t>(recs.size()));
  set32(out, 20, static_cast<uint32_t>(out.size()));
  for (auto& r : recs) {
    put32(out, r.value);
    out.push_back(r.kind);
    out.push_back(r.section);
    out.push_back(static_cast<uint8_t>(r.name.size()));
    out.insert(out.end(), r.name.begin(), r.name.end());
  }
  return out;
}

}  // namespace yav::test
