// What the C source adds to the .cdb: enum members, which variables have an enum type, union
// tags and the parameter names of each function definition.
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

struct SourceInfo {
  std::map<std::string, EnumDef> enums;         // by tag
  std::map<std::string, std::string> enumVars;  // declared name -> enum tag
  std::set<std::string> unionTags;
  std::map<std::string, std::vector<std::string>> params;  // function -> parameter names
  std::vector<std::string> includes;                       // quoted #include names
};

// Adds what one source text declares. Never fails: text it does not understand is skipped.
void scanSource(const std::string& text, SourceInfo& info);

}  // namespace objconv
