// yav-objconv [-o OUT] [-I DIR]... [--chip NAME] PROGRAM.cdb
// Reads PROGRAM.cdb with PROGRAM.map and PROGRAM.s19 (or .ihx) beside it and writes the
// program in the debugger's object format (default PROGRAM.s08).
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "objconv/convert.h"
#include "sim/memory_map.h"

namespace {

std::optional<std::string> slurp(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return std::nullopt;
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string dirOf(const std::string& p) {
  const size_t slash = p.rfind('/');
  return slash == std::string::npos ? "." : p.substr(0, slash);
}

int usage() {
  std::cerr << "usage: yav-objconv [-o OUT] [-I SOURCEDIR]... [--chip NAME] PROGRAM.cdb\n"
               "  chips:";
  for (const std::string& c : yav::sim::chip_names()) std::cerr << " " << c;
  std::cerr << " (default QE128)\n";
  return 2;
}

// A start-up SP outside the chip's RAM: the program's first call returns into nowhere.
void checkStack(const objconv::ConvertResult& r, const yav::sim::MemoryMap& chip) {
  if (!r.startupStack || chip.is_ram(*r.startupStack)) return;
  char sp[8];
  std::snprintf(sp, sizeof sp, "0x%04X", *r.startupStack);
  std::cerr << "yav-objconv: warning: the start-up code sets SP to " << sp << ", outside the RAM of the "
            << chip.name() << " (give --stack-loc when compiling the file that holds main)\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, cdbPath, chipName = "QE128";
  std::vector<std::string> dirs;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "-o" && i + 1 < argc) out = argv[++i];
    else if (a == "--chip" && i + 1 < argc) chipName = argv[++i];
    else if (a == "-I" && i + 1 < argc) dirs.push_back(argv[++i]);
    else if (a.rfind("-I", 0) == 0 && a.size() > 2) dirs.push_back(a.substr(2));
    else if (!a.empty() && a[0] == '-') return usage();
    else if (cdbPath.empty()) cdbPath = a;
    else return usage();
  }
  if (cdbPath.empty()) return usage();
  const std::unique_ptr<yav::sim::MemoryMap> chip = yav::sim::make_chip(chipName);
  if (!chip) {
    std::cerr << "yav-objconv: unknown chip " << chipName << "\n";
    return usage();
  }
  const std::string stem = cdbPath.size() > 4 && cdbPath.compare(cdbPath.size() - 4, 4, ".cdb") == 0
                               ? cdbPath.substr(0, cdbPath.size() - 4)
                               : cdbPath;
  if (out.empty()) out = stem + ".s08";
  objconv::ConvertInput in;
  const auto cdb = slurp(cdbPath);
  if (!cdb) {
    std::cerr << "yav-objconv: cannot read " << cdbPath << "\n";
    return 1;
  }
  in.cdb = *cdb;
  const auto map = slurp(stem + ".map");
  if (!map) {
    std::cerr << "yav-objconv: cannot read " << stem << ".map (the linker writes it beside the .cdb)\n";
    return 1;
  }
  in.map = *map;
  std::optional<std::string> image;
  for (const char* ext : {".s19", ".ihx", ".hex", ".srec"}) {
    if ((image = slurp(stem + ext))) break;
  }
  if (!image) {
    std::cerr << "yav-objconv: no " << stem << ".s19 or .ihx beside the .cdb\n";
    return 1;
  }
  in.image = *image;
  dirs.insert(dirs.begin(), dirOf(cdbPath));
  in.readSource = [&](const std::string& name) -> std::optional<std::string> {
    if (!name.empty() && name[0] == '/') return slurp(name);
    for (const std::string& d : dirs) {
      if (auto t = slurp(d + "/" + name)) return t;
    }
    return std::nullopt;
  };
  const objconv::ConvertResult r = objconv::convert(in);
  for (const std::string& w : r.warnings) std::cerr << "yav-objconv: warning: " << w << "\n";
  if (!r.ok) {
    std::cerr << "yav-objconv: " << cdbPath << ": " << r.error << "\n";
    return 1;
  }
  checkStack(r, *chip);
  std::ofstream f(out, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(r.object.data()), static_cast<std::streamsize>(r.object.size()));
  if (!f) {
    std::cerr << "yav-objconv: cannot write " << out << "\n";
    return 1;
  }
  return 0;
}
