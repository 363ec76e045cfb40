// Writes the debugger's object format: header, section headers, contents, label table,
// debug symbol table and debug information.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace objconv {

struct OutSection {
  std::string name;  // ".text", ".bsct", ".data", ".bss", ".debug"
  uint32_t address = 0;
  uint32_t size = 0;
  std::vector<uint8_t> contents;  // empty: none in the file
};

struct OutLabel {
  uint32_t value = 0;
  uint8_t flags = 0;  // 0x01 code label
  uint8_t section = 0;
  std::string name;
};

struct OutRecord {
  uint32_t value = 0;
  uint8_t kind = 0;
  std::string name;
};

// The debug information: a byte graph addressed by offsets from its start.
class DebugWriter {
 public:
  DebugWriter() { bytes_.assign(4, 0); }  // offset 0 means "none"
  uint32_t here() const { return static_cast<uint32_t>(bytes_.size()); }
  uint32_t be32(uint32_t v);
  uint32_t le32(uint32_t v);
  void patchBe32(uint32_t at, uint32_t v);
  uint32_t string(const std::string& s);  // zero-terminated
  // A name followed by its storage-class byte.
  uint32_t name(const std::string& s, uint8_t storageClass);
  void byte(uint8_t b) { bytes_.push_back(b); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

std::vector<uint8_t> writeObject(const std::vector<OutSection>& sections, const std::vector<OutLabel>& labels,
                                 const std::vector<OutRecord>& records);

}  // namespace objconv
