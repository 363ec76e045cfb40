#include <cstdlib>
#include <sstream>

#include "objconv/cdb.h"

namespace objconv {

namespace {

bool toNumber(const std::string& s, int base, long long& v) {
  if (s.empty() || s.size() > 18) return false;
  char* end = nullptr;
  v = std::strtoll(s.c_str(), &end, base);
  return end && *end == 0;
}

std::vector<std::string> split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t p = s.find(sep, start);
    parts.push_back(s.substr(start, p == std::string::npos ? std::string::npos : p - start));
    if (p == std::string::npos) return parts;
    start = p + 1;
  }
}

// "G$name$..." or "Fmodule$name$..." or "Lmodule.func$name$...": the scope fields.
bool scopeOf(const std::string& key, char& scope, std::string& module, std::string& function, std::string& name) {
  const std::vector<std::string> f = split(key, '$');
  if (f.size() < 2 || f[0].empty()) return false;
  scope = f[0][0];
  name = f[1];
  module.clear();
  function.clear();
  if (scope == 'F') {
    module = f[0].substr(1);
  } else if (scope == 'L') {
    const std::string mf = f[0].substr(1);
    const size_t dot = mf.find('.');
    if (dot == std::string::npos) return false;
    module = mf.substr(0, dot);
    function = mf.substr(dot + 1);
  } else if (scope != 'G') {
    return false;
  }
  return !name.empty();
}

// The "(...)" type chain starting at `pos`; advances past it.
bool chainAt(const std::string& s, size_t& pos, TypeChain& t) {
  if (pos >= s.size() || s[pos] != '(') return false;
  const size_t close = s.find(')', pos);
  if (close == std::string::npos) return false;
  if (!parseTypeChain(s.substr(pos + 1, close - pos - 1), t)) return false;
  pos = close + 1;
  return true;
}

bool parseSymbol(const std::string& body, CdbSymbol& sym) {
  const size_t open = body.find('(');
  if (open == std::string::npos) return false;
  sym.key = body.substr(0, open);
  if (!scopeOf(sym.key, sym.scope, sym.module, sym.function, sym.name)) return false;
  size_t pos = open;
  if (!chainAt(body, pos, sym.type)) return false;
  std::string rest = body.substr(pos);
  std::string regs;
  const size_t br = rest.find('[');
  if (br != std::string::npos) {
    const size_t brc = rest.find(']', br);
    if (brc == std::string::npos) return false;
    regs = rest.substr(br + 1, brc - br - 1);
    rest = rest.substr(0, br);
  }
  const std::vector<std::string> f = split(rest, ',');
  if (f.size() < 4 || f[1].size() != 1) return false;
  sym.space = f[1][0];
  long long onStack = 0, offset = 0;
  if (!toNumber(f[2], 10, onStack) || !toNumber(f[3], 10, offset)) return false;
  sym.onStack = onStack != 0;
  sym.stackOffset = static_cast<int32_t>(offset);
  if (!regs.empty()) sym.registers = split(regs, ',');
  return true;
}

bool parseTypeRecord(const std::string& body, CdbType& t) {
  const size_t open = body.find('[');
  if (open == std::string::npos || body.empty() || body.back() != ']') return false;
  const std::string head = body.substr(0, open);
  const size_t dollar = head.find('$');
  if (head.empty() || head[0] != 'F' || dollar == std::string::npos) return false;
  t.module = head.substr(1, dollar - 1);
  t.tag = head.substr(dollar + 1);
  size_t pos = open + 1;
  while (pos < body.size() && body[pos] == '(') {
    // ({offset}S:S$name$...(chain),Z,0,0)
    const size_t brace = body.find('}', pos);
    if (pos + 1 >= body.size() || body[pos + 1] != '{' || brace == std::string::npos) return false;
    long long off = 0;
    if (!toNumber(body.substr(pos + 2, brace - pos - 2), 10, off)) return false;
    CdbMember m;
    m.offset = static_cast<uint32_t>(off);
    size_t p = brace + 1;
    if (body.compare(p, 4, "S:S$") != 0) return false;
    p += 4;
    const size_t d = body.find('$', p);
    if (d == std::string::npos) return false;
    m.name = body.substr(p, d - p);
    const size_t chain = body.find('(', d);
    if (chain == std::string::npos) return false;
    p = chain;
    if (!chainAt(body, p, m.type)) return false;
    const size_t end = body.find(')', p);
    if (end == std::string::npos) return false;
    pos = end + 1;
    t.members.push_back(std::move(m));
  }
  return pos + 1 == body.size();
}

}  // namespace

bool parseTypeChain(const std::string& text, TypeChain& t) {
  if (text.empty() || text[0] != '{') return false;
  const size_t close = text.find('}');
  if (close == std::string::npos) return false;
  long long size = 0;
  if (!toNumber(text.substr(1, close - 1), 10, size) || size < 0) return false;
  t.size = static_cast<uint32_t>(size);
  std::string rest = text.substr(close + 1);
  const size_t colon = rest.rfind(':');
  if (colon == std::string::npos) return false;
  t.isSigned = rest.substr(colon + 1) == "S";
  rest = rest.substr(0, colon);
  const std::vector<std::string> toks = split(rest, ',');
  for (size_t i = 0; i < toks.size(); ++i) {
    const std::string& tok = toks[i];
    if (tok.empty() && i + 1 == toks.size()) {
      t.spec = "Bool";  // _Bool has no specifier at all: "{1}:S", "{2}DG,:S"
      continue;
    }
    if (tok.size() < 2) return false;
    if (tok[0] == 'D') {
      if (tok[1] == 'A') {
        long long n = 0;
        const std::string num = tok.substr(2, tok.size() > 3 && tok.back() == 'd' ? tok.size() - 3 : std::string::npos);
        if (!toNumber(num, 10, n) || n < 0) return false;
        t.derived.push_back({'A', static_cast<uint32_t>(n)});
      } else if (tok[1] == 'F') {
        t.derived.push_back({'F', 0});
      } else {
        t.derived.push_back({'P', 0});
      }
      if (t.derived.size() > 12) return false;
    } else if (tok[0] == 'S' && i + 1 == toks.size()) {
      t.spec = tok.substr(0, 2);
      if (t.spec == "ST") t.tag = tok.substr(2);
      if (t.spec == "SB") {
        const size_t d = tok.find('$');
        long long off = 0, width = 0;
        if (d == std::string::npos || !toNumber(tok.substr(2, d - 2), 10, off) || !toNumber(tok.substr(d + 1), 10, width)) {
          return false;
        }
        t.bitOffset = static_cast<uint32_t>(off);
        t.bitWidth = static_cast<uint32_t>(width);
      }
    } else {
      return false;
    }
  }
  return !t.spec.empty();
}

bool parseCdb(const std::string& text, Cdb& out, std::string& error) {
  std::istringstream in(text);
  std::string line;
  std::string module;
  size_t lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() < 2 || line[1] != ':') continue;
    const std::string body = line.substr(2);
    bool ok = true;
    switch (line[0]) {
      case 'M':
        module = body;
        out.modules.push_back(body);
        break;
      case 'F': {
        CdbSymbol s;
        ok = parseSymbol(body, s);
        if (ok) out.functions.push_back({s.scope == 'F' ? s.module : module, s.name, s.scope == 'F', s.type});
        break;
      }
      case 'S': {
        CdbSymbol s;
        ok = parseSymbol(body, s);
        if (ok) {
          if (s.module.empty()) s.module = module;
          out.symbols.push_back(std::move(s));
        }
        break;
      }
      case 'T': {
        CdbType t;
        ok = parseTypeRecord(body, t);
        if (ok) out.types.push_back(std::move(t));
        break;
      }
      case 'L': {
        const size_t colon = body.rfind(':');
        long long addr = 0;
        ok = colon != std::string::npos && toNumber(body.substr(colon + 1), 16, addr) && addr >= 0;
        if (!ok) break;
        const std::string key = body.substr(0, colon);
        if (key.rfind("C$", 0) == 0) {
          const std::vector<std::string> f = split(key, '$');
          long long ln = 0;
          ok = f.size() >= 3 && toNumber(f[2], 10, ln) && ln >= 0;
          if (ok) out.lines.push_back({f[1], static_cast<uint32_t>(ln), static_cast<uint32_t>(addr)});
        } else if (key.rfind("A$", 0) == 0) {
          // assembler lines are not used
        } else if (key.rfind("XG$", 0) == 0 || key.rfind("XF", 0) == 0) {
          out.functionEnds[key.substr(1)] = static_cast<uint32_t>(addr);
        } else {
          out.addresses[key] = static_cast<uint32_t>(addr);
        }
        break;
      }
      default:
        break;
    }
    if (!ok) {
      error = "malformed .cdb record on line " + std::to_string(lineNo) + ": " + line.substr(0, 80);
      return false;
    }
  }
  return true;
}

}  // namespace objconv
