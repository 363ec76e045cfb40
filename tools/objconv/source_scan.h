// What the C source adds to the .cdb: enum members, which variables have an enum type, union
// tags, typedef names and the parameter names of each function definition.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace objconv {

struct EnumDef {
  std::string tag;
  std::vector<std::pair<std::string, int32_t>> members;
};

// A typedef name: its base type and the derivations its declarator adds, outermost first.
struct TypedefDef {
  std::string name;
  std::string base;  // "struct", "union", "enum" (with `tag`) or the C base type ("unsigned char"...)
  std::string tag;
  std::vector<std::pair<char, uint32_t>> derived;  // 'A' with its length, 'P'
};

struct SourceInfo {
  std::map<std::string, EnumDef> enums;         // by tag
  std::map<std::string, std::string> enumVars;  // declared name -> enum tag
  std::set<std::string> unionTags;
  std::map<std::string, std::vector<std::string>> params;  // function -> parameter names
  std::vector<std::string> includes;                       // quoted #include names
  std::vector<TypedefDef> typedefs;                        // in the order of the sources
};

// Adds what one source text declares. Never fails: text it does not understand is skipped.
void scanSource(const std::string& text, SourceInfo& info);

}  // namespace objconv
