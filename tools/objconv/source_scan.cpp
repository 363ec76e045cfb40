#include "objconv/source_scan.h"

#include <cctype>
#include <cstdlib>

namespace objconv {

namespace {

bool identStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool identChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The text without comments, string and character literals (replaced by blanks), and with the
// quoted includes collected.
std::string clean(const std::string& s, std::vector<std::string>& includes) {
  std::string out(s.size(), ' ');
  for (size_t i = 0; i < s.size();) {
    if (s.compare(i, 2, "//") == 0) {
      while (i < s.size() && s[i] != '\n') ++i;
    } else if (s.compare(i, 2, "/*") == 0) {
      const size_t e = s.find("*/", i + 2);
      for (size_t j = i; j < (e == std::string::npos ? s.size() : e + 2); ++j) out[j] = s[j] == '\n' ? '\n' : ' ';
      i = e == std::string::npos ? s.size() : e + 2;
    } else if (s[i] == '#') {
      const size_t e = s.find('\n', i);
      const std::string line = s.substr(i, e == std::string::npos ? std::string::npos : e - i);
      const size_t inc = line.find("include");
      const size_t q1 = line.find('"');
      const size_t q2 = q1 == std::string::npos ? q1 : line.find('"', q1 + 1);
      if (inc != std::string::npos && q2 != std::string::npos) includes.push_back(line.substr(q1 + 1, q2 - q1 - 1));
      i = e == std::string::npos ? s.size() : e;
    } else if (s[i] == '"' || s[i] == '\'') {
      const char q = s[i++];
      while (i < s.size() && s[i] != q && s[i] != '\n') i += s[i] == '\\' ? 2 : 1;
      ++i;
    } else {
      out[i] = s[i];
      ++i;
    }
  }
  return out;
}

struct Lexer {
  const std::string& s;
  size_t p = 0;
  void blanks() {
    while (p < s.size() && std::isspace(static_cast<unsigned char>(s[p]))) ++p;
  }
  std::string ident() {
    blanks();
    const size_t st = p;
    if (p < s.size() && identStart(s[p]))
      while (p < s.size() && identChar(s[p])) ++p;
    return s.substr(st, p - st);
  }
  char peek() {
    blanks();
    return p < s.size() ? s[p] : 0;
  }
};

int32_t evalValue(const std::string& expr, const EnumDef& def, int32_t fallback) {
  std::string e;
  for (char c : expr)
    if (!std::isspace(static_cast<unsigned char>(c))) e += c;
  if (e.empty()) return fallback;
  char* end = nullptr;
  const long v = std::strtol(e.c_str(), &end, 0);
  if (end && *end == 0) return static_cast<int32_t>(v);
  for (const auto& m : def.members)
    if (m.first == e) return m.second;
  return fallback;
}

void parseEnum(Lexer& lx, SourceInfo& info) {
  std::string tag = lx.ident();
  if (lx.peek() == '{') {
    ++lx.p;
    EnumDef def;
    def.tag = tag;
    int32_t next = 0;
    while (lx.p < lx.s.size() && lx.peek() != '}') {
      const std::string name = lx.ident();
      if (name.empty()) {
        ++lx.p;
        continue;
      }
      int32_t value = next;
      if (lx.peek() == '=') {
        ++lx.p;
        const size_t st = lx.p;
        while (lx.p < lx.s.size() && lx.s[lx.p] != ',' && lx.s[lx.p] != '}') ++lx.p;
        value = evalValue(lx.s.substr(st, lx.p - st), def, next);
      }
      def.members.emplace_back(name, value);
      next = value + 1;
      if (lx.peek() == ',') ++lx.p;
    }
    if (!tag.empty()) info.enums[tag] = def;
    return;
  }
  if (tag.empty()) return;
  // "enum tag [*...] name": a variable, member or parameter of that enum type.
  while (lx.peek() == '*') ++lx.p;
  const std::string name = lx.ident();
  if (!name.empty()) info.enumVars[name] = tag;
}

void parseParams(const std::string& list, std::vector<std::string>& out) {
  size_t start = 0;
  for (;;) {
    const size_t comma = list.find(',', start);
    std::string part = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const size_t br = part.find('[');
    if (br != std::string::npos) part = part.substr(0, br);
    std::string last;
    for (size_t i = 0; i < part.size();) {
      if (identStart(part[i])) {
        const size_t st = i;
        while (i < part.size() && identChar(part[i])) ++i;
        last = part.substr(st, i - st);
      } else {
        ++i;
      }
    }
    if (!last.empty() && last != "void") out.push_back(last);
    if (comma == std::string::npos) return;
    start = comma + 1;
  }
}

}  // namespace

void scanSource(const std::string& text, SourceInfo& info) {
  const std::string s = clean(text, info.includes);
  Lexer lx{s};
  int depth = 0;
  std::string prevIdent;
  while (lx.p < s.size()) {
    const char c = s[lx.p];
    if (identStart(c)) {
      const std::string id = lx.ident();
      if (id == "enum") {
        parseEnum(lx, info);
      } else if (id == "union") {
        const std::string tag = lx.ident();
        if (!tag.empty()) info.unionTags.insert(tag);
      } else if (depth == 0 && lx.peek() == '(') {
        // A function definition: name ( params ) [qualifiers] {
        const size_t open = lx.p;
        int nest = 0;
        size_t close = open;
        for (; close < s.size(); ++close) {
          if (s[close] == '(') ++nest;
          if (s[close] == ')' && --nest == 0) break;
        }
        if (close >= s.size()) break;
        Lexer after{s, close + 1};
        while (identStart(after.peek())) after.ident();
        if (after.peek() == '{') {
          std::vector<std::string> params;
          parseParams(s.substr(open + 1, close - open - 1), params);
          info.params[id] = params;
        }
        lx.p = close + 1;
      }
      continue;
    }
    if (c == '{') ++depth;
    if (c == '}' && depth > 0) --depth;
    ++lx.p;
  }
}

}  // namespace objconv
