// Writes an object file with many functions and line records, for the load benchmark:
// gen_big_object OUT [LINES] [--code]   (default 50,000 line records in 40 files)
// With --code each line is one NOP and each function ends in a branch back to its start, so the
// program can be stepped line by line (the step benchmark); without it the code is left empty.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "objconv/object_writer.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: gen_big_object OUT [LINES]\n");
    return 2;
  }
  const unsigned lines = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 50000;
  const bool code = argc > 3 && std::string(argv[3]) == "--code";
  const uint32_t lineBytes = code ? 1 : 3, endBytes = code ? 2 : 1;
  constexpr uint8_t kNop = 0x9D, kBra = 0x20;
  std::vector<uint8_t> text;
  constexpr unsigned kFiles = 40, kLinesPerFunction = 25;
  const unsigned functions = (lines + kLinesPerFunction - 1) / kLinesPerFunction;
  objconv::DebugWriter dbg;
  std::vector<objconv::OutRecord> recs;
  std::vector<objconv::OutLabel> labels;
  uint32_t addr = 0x2080;
  unsigned made = 0;
  for (unsigned f = 0; f < kFiles; ++f) {
    const std::string file = "file" + std::to_string(f) + ".c";
    std::vector<uint32_t> fnRecs;
    const uint32_t fileBase = addr;
    for (unsigned n = f; n < functions; n += kFiles) {
      const std::string name = "func" + std::to_string(n);
      const uint32_t start = addr;
      unsigned line = 10;
      for (unsigned l = 0; l < kLinesPerFunction && made < lines; ++l, ++made) {
        recs.push_back({addr, 0x08, file + ":" + std::to_string(line)});
        addr += lineBytes;
        line += 1;
      }
      recs.push_back({start, 0x20, file + "~" + name + ":9-" + std::to_string(line)});
      recs.push_back({addr, 0x10, file + "~" + name + ":"});
      if (code) {
        text.resize(addr - 0x2080, kNop);
        text.push_back(kBra);
        text.push_back(static_cast<uint8_t>(start - (addr + 2)));
      }
      addr += endBytes;
      labels.push_back({start, 0x01, 0, "_" + name});
      // locals: one argument and two autos
      const uint32_t la = dbg.name("a", 2), lb = dbg.name("b", 3), lc = dbg.name("c", 3);
      const uint32_t locals = dbg.here();
      for (uint32_t nm : {la, lb, lc}) {
        dbg.be32(nm);
        dbg.be32(2);
        dbg.le32(0x18);
        dbg.be32(0);
      }
      for (int i = 0; i < 4; ++i) dbg.be32(0);
      const uint32_t fname = dbg.name(name, 19);
      const uint32_t rec = dbg.be32(0);
      dbg.be32(0);
      dbg.be32(fname);
      dbg.be32(9);
      dbg.be32(line);
      dbg.le32(0x18);
      dbg.be32(0);
      dbg.be32(locals);
      dbg.be32(0);
      fnRecs.push_back(rec);
    }
    const uint32_t outer = dbg.be32(0);  // the file's outer scope: no name, type void
    for (int i = 0; i < 4; ++i) dbg.be32(0);
    dbg.le32(0x50);
    for (int i = 0; i < 3; ++i) dbg.be32(0);
    fnRecs.push_back(outer);
    for (size_t i = 0; i + 1 < fnRecs.size(); ++i) dbg.patchBe32(fnRecs[i], fnRecs[i + 1]);
    const uint32_t nameOff = dbg.string(file);
    dbg.byte(0x8c);
    const uint32_t fileRec = dbg.be32(nameOff);
    dbg.be32(fnRecs.front());
    recs.insert(recs.begin(), {fileBase, 0x40, file + "~:1.0." + std::to_string(fileRec)});
  }
  std::vector<objconv::OutSection> sections{{".text", 0x2080, addr - 0x2080, text}, {".debug", 0, dbg.here(), dbg.bytes()}};
  std::stable_sort(recs.begin(), recs.end(), [](const auto& a, const auto& b) {
    return a.value != b.value ? a.value < b.value : (a.kind == 0x40 ? 0 : a.kind == 0x20 ? 1 : 2) < (b.kind == 0x40 ? 0 : b.kind == 0x20 ? 1 : 2);
  });
  const std::vector<uint8_t> obj = objconv::writeObject(sections, labels, recs);
  std::ofstream(argv[1], std::ios::binary).write(reinterpret_cast<const char*>(obj.data()), static_cast<std::streamsize>(obj.size()));
  std::printf("%s: %u line records, %u functions, %zu bytes\n", argv[1], made, functions, obj.size());
  return 0;
}
