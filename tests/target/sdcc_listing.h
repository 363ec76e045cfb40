// What SDCC's own listings say about a compiled program, read apart from the debugger so that
// tests can name code by symbol: each function with source (its entry address and the file and
// line of its header), the C line of every instruction, and the global code symbols of the map
// (library helpers included).
#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yav::test {

struct ListedFunction {
  std::string name;
  std::string file;         // the source file's name, without folders
  uint32_t headerLine = 0;  // the line of the function's header
  uint16_t entry = 0;       // its first instruction
};

struct ListedLine {
  std::string file;
  uint32_t line = 0;
};

class SdccListing {
 public:
  // Reads every .rst listing of `dir` and the map `dir/program.map`. Null with `error` set when
  // a file is missing or a function has no entry label.
  static std::optional<SdccListing> read(const std::filesystem::path& dir, const std::string& program,
                                         std::string& error);

  const std::vector<ListedFunction>& functions() const { return functions_; }
  const ListedFunction* function(std::string_view name) const;
  // The C name of the function or code symbol that starts at `address` ("_mulint" for the
  // library's __mulint), or "0x" and the address when none does.
  std::string nameAt(uint16_t address) const;
  // The C line of the last instruction before `address`: for a return address, the line of the
  // call.
  std::optional<ListedLine> lineBefore(uint16_t address) const;

 private:
  bool readListing(const std::filesystem::path& file, std::string& error);
  bool readMap(const std::filesystem::path& file, std::string& error);

  std::vector<ListedFunction> functions_;
  std::map<uint16_t, ListedLine> lines_;      // instruction address -> its C line
  std::map<uint16_t, std::string> symbols_;  // code address -> C name
};

}  // namespace yav::test
