// Motorola S-records and Intel hex: the one reader of code images as text, used by the
// loader, verify, yav-objconv and the simulator. Depends on the standard library only.
//
// Addresses above 0xFFFF in these files are paged: page << 16 | address, the address in the
// paging window 0x8000-0xBFFF. The debugger and the simulator use the paged form
// page << 14 | (address & 0x3FFF) instead; `Record::target` holds that form.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yav::hexrec {

// The longest line read; a longer one is an error (a record holds at most 255 bytes).
inline constexpr size_t kMaxLineLength = 1024;

struct Record {
  enum class Kind : uint8_t {
    None,   // empty line, header, count or address record: nothing to place
    Data,   // bytes at `address`
    Start,  // start address (S7/S8/S9, Intel 03/05) in `address`
  };
  Kind kind = Kind::None;
  bool last = false;         // end of the image (S7/S8/S9, Intel 01): lines after it are not read
  char type = 0;             // the record type: '0'-'9' for S-records, 0x00-0x05 for Intel hex
  uint32_t address = 0;      // as written in the file (Intel hex: with the extended base added)
  uint32_t target = 0;       // Data: the address of the first byte in the paged form
  std::vector<uint8_t> data; // Data: the bytes
};

// The paged form of the file address of `length` bytes: unchanged up to 0xFFFF; above it
// page << 14 | (address & 0x3FFF). Null on success, else what is wrong.
const char* placeBytes(uint32_t fileAddress, size_t length, uint32_t& target);

// Reads a file line by line. S-records and Intel hex are told apart by the first record;
// a line of the other kind is an error. Lines starting with '$' are comments.
class LineReader {
 public:
  // One line, without its line end; false on a malformed line, with `error()` set to
  // "line N: what is wrong". Blanks and a carriage return at either end are ignored.
  bool read(std::string_view line, Record& out);
  const std::string& error() const { return error_; }
  size_t lineNumber() const { return lineNo_; }
  // 'S' or ':' once a record was read, else 0.
  char format() const { return format_; }

 private:
  bool fail(const std::string& what);
  bool readSRecord(std::string_view line, Record& out);
  bool readIntelHex(std::string_view line, Record& out);
  bool placeData(Record& out);

  size_t lineNo_ = 0;
  char format_ = 0;    // 'S' or ':' once the first record is read
  uint32_t base_ = 0;  // Intel hex extended segment or linear address
  std::string error_;
  std::vector<uint8_t> bytes_;
};

// A whole image as runs of consecutive bytes in the paged form, sorted by address; where
// records overlap, the later one wins.
struct Block {
  uint32_t address = 0;
  std::vector<uint8_t> bytes;
};
struct Image {
  std::vector<Block> blocks;
  std::optional<uint32_t> start;  // the start address record, when there is one
};

// Reads all of `text`; false with `error` ("line N: ..."; "no data records" for an image
// without data) on bad input.
bool readImage(std::string_view text, Image& image, std::string& error);

// Notes the bytes of an image as they are read and gives the reset vector (0xFFFE-0xFFFF,
// big-endian) once both its bytes were seen.
class ResetVector {
 public:
  void note(uint32_t target, const std::vector<uint8_t>& data);
  std::optional<uint32_t> value() const;

 private:
  int high_ = -1, low_ = -1;
};

}  // namespace yav::hexrec
