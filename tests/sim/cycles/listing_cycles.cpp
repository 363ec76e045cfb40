// listing-cycles: the opcode table's cycle counts against the bracketed counts SDCC writes
// into its relocated listings (.rst) of the programs the build compiles.
//
// usage: listing-cycles DIR...   (every *.rst below each DIR)
// Exit 0 when every instruction agrees (apart from the known exceptions), 1 otherwise, 77 when
// no listing was found.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "model/hc08_opcodes.h"

namespace {

// Where SDCC's listing is wrong about the HCS08.
struct KnownException {
  bool prefixed;
  uint8_t opcode;
  int listed;  // what SDCC prints
  const char* reason;
};
constexpr KnownException kExceptions[] = {
    {false, 0x4E, 6,
     "mov dir,dir takes 5 cycles on the HCS08 (an independent model of the instruction set "
     "agrees); SDCC's listing prints the HC08's 6"},
};

const KnownException* exception_for(bool prefixed, uint8_t opcode, int listed) {
  for (const KnownException& e : kExceptions)
    if (e.prefixed == prefixed && e.opcode == opcode && e.listed == listed) return &e;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  // "   8000 45 80 00      [ 3]   26 	ldhx	#0x8000"
  // (the count right after the bytes: brackets in the source text do not count)
  static const std::regex line(R"(^\s+[0-9A-Fa-f]{4,6}\s+([0-9A-Fa-f]{2})(?:\s([0-9A-Fa-f]{2}))?(?:\s[0-9A-Fa-f]{2})*\s+\[\s*(\d+)\])");
  std::set<std::string> opcodes_seen;
  std::map<const KnownException*, int> excepted;
  int files = 0, instructions = 0, mismatches = 0;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    if (!fs::is_directory(argv[i], ec)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(argv[i], ec)) {
      if (entry.path().extension() != ".rst") continue;
      ++files;
      std::ifstream in(entry.path());
      std::string text;
      int number = 0;
      while (std::getline(in, text)) {
        ++number;
        std::smatch m;
        if (!std::regex_search(text, m, line)) continue;
        const uint8_t first = static_cast<uint8_t>(std::stoul(m[1].str(), nullptr, 16));
        const uint8_t second = m[2].matched ? static_cast<uint8_t>(std::stoul(m[2].str(), nullptr, 16)) : 0;
        const yav::hc08::Decoded d = yav::hc08::decode(first, second);
        const int listed = std::stoi(m[3].str());
        if (!d.known()) {
          std::printf("%s:%d: unknown opcode in: %s\n", entry.path().c_str(), number, text.c_str());
          ++mismatches;
          continue;
        }
        ++instructions;
        opcodes_seen.insert((d.prefixed ? "9e" : "") + std::to_string(d.opcode));
        if (d.cycles() == listed) continue;
        if (const KnownException* e = exception_for(d.prefixed, d.opcode, listed)) {
          ++excepted[e];
          continue;
        }
        std::printf("%s:%d: table %d cycles, listing %d: %s\n", entry.path().c_str(), number, d.cycles(), listed,
                    text.c_str());
        ++mismatches;
      }
    }
  }
  if (files == 0) {
    std::puts("SKIP: no SDCC listings found");
    return 77;
  }
  std::printf("%d listings, %d instructions of %zu opcodes checked, %d disagreements\n", files, instructions,
              opcodes_seen.size(), mismatches);
  for (const auto& [e, n] : excepted) std::printf("known exception, %d instructions: %s\n", n, e->reason);
  return mismatches ? 1 : 0;
}
