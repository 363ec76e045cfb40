#include "objconv/source_scan.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>

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

// The words of a typedef statement outside braces: identifiers, numbers and punctuation.
std::vector<std::string> typedefTokens(const std::string& text) {
  std::vector<std::string> toks;
  int depth = 0;
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '{' || c == '}') {
      depth += c == '{' ? 1 : (depth > 0 ? -1 : 0);
      ++i;
    } else if (depth > 0 || std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (identChar(c)) {
      const size_t st = i;
      while (i < text.size() && identChar(text[i])) ++i;
      toks.push_back(text.substr(st, i - st));
    } else {
      toks.emplace_back(1, c);
      ++i;
    }
  }
  return toks;
}

bool isQualifier(const std::string& w) {
  static const std::set<std::string> kWords{"const",  "volatile", "__near",  "__far",   "__data", "__xdata",
                                            "__code", "__idata",  "__pdata", "__banked", "restrict"};
  return kWords.count(w) != 0;
}

// "unsigned char", "int"...: the C base type of the specifier words, empty when it is none
// the debugger has.
std::string baseType(const std::vector<std::string>& words) {
  int longs = 0;
  bool isUnsigned = false, isSigned = false;
  std::string kind;
  for (const std::string& w : words) {
    if (w == "unsigned") isUnsigned = true;
    else if (w == "signed") isSigned = true;
    else if (w == "long") ++longs;
    else if (w == "int" && !kind.empty()) continue;  // "short int"
    else if (w == "int" && longs) continue;          // "long int"
    else kind = w;
  }
  if (longs > 1) return "";
  if (longs) kind = kind.empty() || kind == "int" ? "long" : "";
  if (kind == "double") kind = "float";  // SDCC's double is a float
  if (kind.empty()) kind = "int";
  if (kind == "char" && isSigned) return "signed char";
  if (isUnsigned && (kind == "char" || kind == "short" || kind == "int" || kind == "long")) return "unsigned " + kind;
  return kind;
}

// typedef SPECIFIERS DECLARATOR [, DECLARATOR]... (the text after "typedef", without the ';').
// Function types are left out.
void parseTypedef(const std::string& text, SourceInfo& info) {
  static const std::set<std::string> kBaseWords{"signed", "unsigned", "char",  "short", "int",
                                                "long",   "float",    "double", "void",  "_Bool"};
  const std::vector<std::string> toks = typedefTokens(text);
  if (std::find(toks.begin(), toks.end(), "(") != toks.end()) return;
  TypedefDef base;
  std::vector<std::string> words;
  const TypedefDef* alias = nullptr;
  size_t i = 0;
  for (; i < toks.size(); ++i) {
    const std::string& w = toks[i];
    if (isQualifier(w)) continue;
    if (kBaseWords.count(w)) {
      words.push_back(w);
    } else if (w == "struct" || w == "union" || w == "enum") {
      base.base = w;
      if (i + 1 < toks.size() && identStart(toks[i + 1][0])) base.tag = toks[++i];
    } else if (identStart(w[0]) && words.empty() && base.base.empty() && !alias) {
      for (const TypedefDef& d : info.typedefs)
        if (d.name == w) alias = &d;
      if (!alias) return;  // a type this scan does not know
    } else {
      break;
    }
  }
  if (alias) base = *alias;
  else if (base.base.empty()) base.base = baseType(words);
  if (base.base.empty()) return;
  if ((base.base == "struct" || base.base == "union" || base.base == "enum") && base.tag.empty()) return;
  std::vector<TypedefDef> found;
  while (i < toks.size()) {
    TypedefDef d;
    int pointers = 0;
    while (i < toks.size() && (toks[i] == "*" || isQualifier(toks[i]))) pointers += toks[i++] == "*";
    if (i >= toks.size() || !identStart(toks[i][0])) return;
    d.name = toks[i++];
    while (i + 1 < toks.size() && toks[i] == "[") {
      char* end = nullptr;
      const unsigned long n = std::strtoul(toks[i + 1].c_str(), &end, 0);
      const bool number = end && *end == 0 && toks[i + 1] != "]";
      d.derived.emplace_back('A', number ? static_cast<uint32_t>(n) : 0);
      i += number ? 2 : 1;
      while (i < toks.size() && toks[i] != "]") ++i;
      ++i;
    }
    for (int p = 0; p < pointers; ++p) d.derived.emplace_back('P', 0);
    d.base = base.base;
    d.tag = base.tag;
    d.derived.insert(d.derived.end(), base.derived.begin(), base.derived.end());
    found.push_back(std::move(d));
    if (i < toks.size() && toks[i] != ",") return;
    ++i;
  }
  for (TypedefDef& d : found) {
    if (d.base == "enum") info.enumVars[d.name] = d.tag;
    info.typedefs.push_back(std::move(d));
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
      if (id == "typedef" && depth == 0) {
        // The statement ends at the first ';' outside braces; the scan goes on inside it for
        // enum and union definitions.
        int nest = 0;
        size_t end = lx.p;
        for (; end < s.size() && !(s[end] == ';' && nest == 0); ++end) {
          if (s[end] == '{') ++nest;
          if (s[end] == '}' && nest > 0) --nest;
        }
        parseTypedef(s.substr(lx.p, end - lx.p), info);
      } else if (id == "enum") {
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
