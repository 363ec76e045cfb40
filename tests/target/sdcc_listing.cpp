#include "target/sdcc_listing.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <regex>
#include <stdexcept>

namespace yav::test {

namespace {

// `   20A6 AE 03         [ 2]  162 	ldx	#0x03`: an instruction at its address.
const std::regex kInstruction(R"(^ {3}([0-9A-F]{4}) (?:[0-9A-F]{2} )+ *\[ *\d+\])");
// `   20A6                     159 _triple:`: a label at its address.
const std::regex kLabel(R"(^ {3}([0-9A-F]{4}) +\d+ (_\w+)::?\s*$)");
// `C$runctl.c$21$1_0$5 ==.`: the code that follows belongs to this C line.
const std::regex kLineRecord(R"(\sC\$([^$]+)\$(\d+)\$)");
// `;/path/runctl.c:19: char triple(char c)`: the source line the compiler shows next.
const std::regex kSourceComment(R"(;(?:[^;:]*/)?([^/;:]+\.c):(\d+): )");
// `;	 function triple`: the start of a function.
const std::regex kFunction(R"(;\s+function (\w+)\s*$)");
// `C:   000022D9  __mulint   ...`: a code symbol of the map.
const std::regex kMapSymbol(R"(^C:\s+([0-9A-F]{8})\s+(_\w+))");

bool cannotRead(const std::filesystem::path& file, std::string& error) {
  error = "cannot read " + file.string();
  return false;
}

uint16_t hex16(const std::string& text) { return static_cast<uint16_t>(std::stoul(text, nullptr, 16)); }

}  // namespace

std::optional<SdccListing> SdccListing::read(const std::filesystem::path& dir, const std::string& program,
                                             std::string& error) {
  SdccListing listing;
  std::error_code ec;
  std::vector<std::filesystem::path> listings;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
    if (entry.path().extension() == ".rst") listings.push_back(entry.path());
  if (ec || listings.empty()) {
    error = "no SDCC listing (.rst) in " + dir.string();
    return std::nullopt;
  }
  std::sort(listings.begin(), listings.end());
  try {
    for (const auto& file : listings)
      if (!listing.readListing(file, error)) return std::nullopt;
    if (!listing.readMap(dir / (program + ".map"), error)) return std::nullopt;
  } catch (const std::out_of_range&) {  // a number too large for its field
    error = "a line or address out of range in the listings of " + dir.string();
    return std::nullopt;
  }
  return listing;
}

bool SdccListing::readListing(const std::filesystem::path& file, std::string& error) {
  std::ifstream in(file);
  if (!in) return cannotRead(file, error);
  ListedLine source, current;  // the last source comment; the line the code belongs to
  std::optional<ListedFunction> pending;  // a function whose entry label is still to come
  std::string text;
  std::smatch m;
  while (std::getline(in, text)) {
    if (std::regex_search(text, m, kFunction)) {
      if (pending) break;  // a function without its label: reported below
      pending = ListedFunction{m[1], source.file, source.line, 0};
    } else if (std::regex_search(text, m, kLabel)) {
      if (pending && m[2] == "_" + pending->name) {
        pending->entry = hex16(m[1]);
        symbols_[pending->entry] = pending->name;
        functions_.push_back(*pending);
        pending.reset();
      }
    } else if (std::regex_search(text, m, kInstruction)) {
      if (current.line) lines_[hex16(m[1])] = current;
    } else if (std::regex_search(text, m, kLineRecord)) {
      current = ListedLine{m[1], static_cast<uint32_t>(std::stoul(m[2]))};
    } else if (std::regex_search(text, m, kSourceComment)) {
      source = ListedLine{m[1], static_cast<uint32_t>(std::stoul(m[2]))};
    }
  }
  if (pending) {
    error = "function " + pending->name + " has no entry label in " + file.string();
    return false;
  }
  return true;
}

bool SdccListing::readMap(const std::filesystem::path& file, std::string& error) {
  std::ifstream in(file);
  if (!in) return cannotRead(file, error);
  std::string text;
  std::smatch m;
  while (std::getline(in, text))
    if (std::regex_search(text, m, kMapSymbol)) symbols_.emplace(hex16(m[1].str().substr(4)), m[2].str().substr(1));
  return true;
}

const ListedFunction* SdccListing::function(std::string_view name) const {
  for (const ListedFunction& f : functions_)
    if (f.name == name) return &f;
  return nullptr;
}

std::string SdccListing::nameAt(uint16_t address) const {
  if (auto it = symbols_.find(address); it != symbols_.end()) return it->second;
  char text[8];
  std::snprintf(text, sizeof text, "0x%04X", address);
  return text;
}

std::optional<ListedLine> SdccListing::lineBefore(uint16_t address) const {
  auto it = lines_.lower_bound(address);
  if (it == lines_.begin()) return std::nullopt;
  return std::prev(it)->second;
}

}  // namespace yav::test
