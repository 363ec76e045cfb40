// What SDCC's .cdb debug file says about a linked program.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace objconv {

// One declarator or specifier of an SDCC type chain, outermost first.
struct TypeChain {
  struct Derived {
    char kind;  // 'A' array, 'P' pointer, 'F' function
    uint32_t length;
  };
  std::vector<Derived> derived;
  std::string spec;  // "SC", "SI", "SL", "SS", "SF", "SV", "ST", "SB"... or "Bool" (_Bool has none)
  std::string tag;   // for ST
  bool isSigned = false;
  uint32_t size = 0;  // total size from {n}
  uint32_t bitOffset = 0, bitWidth = 0;
};

struct CdbSymbol {
  std::string key;     // "G$name$0_0$0" etc.: joins the symbol with its address record
  char scope = 'G';    // 'G' global, 'F' file, 'L' function-local
  std::string module;  // file-scope and local symbols: their module
  std::string function;  // local symbols: their function
  std::string name;
  TypeChain type;
  char space = 'Z';  // SDCC address space letter
  bool onStack = false;
  int32_t stackOffset = 0;
  std::vector<std::string> registers;
};

struct CdbFunction {
  std::string module;
  std::string name;
  bool fileStatic = false;
  TypeChain type;  // the function's own chain (outermost 'F')
};

struct CdbMember {
  uint32_t offset = 0;
  std::string name;
  TypeChain type;
};

struct CdbType {
  std::string module, tag;
  std::vector<CdbMember> members;
};

struct CdbLine {
  std::string file;
  uint32_t line = 0;
  uint32_t address = 0;
};

struct Cdb {
  std::vector<std::string> modules;
  std::vector<CdbFunction> functions;
  std::vector<CdbSymbol> symbols;
  std::vector<CdbType> types;
  std::vector<CdbLine> lines;
  std::map<std::string, uint32_t> addresses;  // symbol key (with scope prefix) -> address
  std::map<std::string, uint32_t> functionEnds;  // "G$main$0$0" key of the start -> end address
};

// Parses the text of a .cdb file; false with a message on malformed input.
bool parseCdb(const std::string& text, Cdb& out, std::string& error);
bool parseTypeChain(const std::string& text, TypeChain& out);

}  // namespace objconv
