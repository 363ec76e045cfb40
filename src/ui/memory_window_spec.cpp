#include "ui/memory_window_spec.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <vector>
#include <memory>

#include "engine/dispatcher.h"
#include "engine/display_common.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "model/format.h"
#include "model/storage_classes.h"
#include "model/types.h"
#include "model/value.h"

namespace yav {

std::string MemoryWindowSpec::addressText() const { return fmtstr("%p0x%hl", codeSpace ? "code:" : "data:", address); }

SessionDataSettings sessionSettings(const DataLayout& layout) {
  return {layout.size, static_cast<int>(layout.base), layout.characters ? 1 : 0, layout.bytesPerRow};
}

DataLayout layoutFromSession(const SessionDataSettings& s) {
  DataLayout l;
  if (s[0] == 1 || s[0] == 2 || s[0] == 4) l.size = s[0];
  if (s[1] >= 0 && s[1] <= 3) l.base = static_cast<MemBase>(s[1]);
  if (s[2] == 0 || s[2] == 1) l.characters = s[2] == 1;
  if (s[3] >= 4 && s[3] <= kMaxBytesPerRow && s[3] % 4 == 0) l.bytesPerRow = s[3];
  return l;
}

std::string formatSessionRecord(const MemorySessionRecord& r) {
  const auto& q = r.rect;
  if (r.spec.kind == MemKind::Code) return fmtstr("C,%hl,%i,%i,%i,%i", r.spec.address, q[0], q[1], q[2], q[3]);
  const SessionDataSettings s = sessionSettings(r.spec.layout);
  return fmtstr("D,%hl,%i,%i,%i,%i,", r.spec.address, s[0], s[1], s[2], s[3]) +
         fmtstr("%i,%i,%i,%i", q[0], q[1], q[2], q[3]);
}

namespace {

// The comma-separated fields of a record, blanks around them dropped.
std::vector<std::string_view> fields(std::string_view text) {
  std::vector<std::string_view> out;
  for (;;) {
    const size_t comma = text.find(',');
    std::string_view f = text.substr(0, comma);
    while (!f.empty() && isBlank(f.front())) f.remove_prefix(1);
    while (!f.empty() && isBlank(f.back())) f.remove_suffix(1);
    out.push_back(f);
    if (comma == std::string_view::npos) return out;
    text.remove_prefix(comma + 1);
  }
}

bool number(std::string_view f, int base, int64_t lo, int64_t hi, int64_t& out) {
  if (f.empty() || f.size() > 12) return false;
  const std::string s(f);
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(s.c_str(), &end, base);
  if (errno != 0 || end != s.c_str() + s.size() || v < lo || v > hi) return false;
  out = v;
  return true;
}

}  // namespace

std::optional<MemorySessionRecord> parseSessionRecord(std::string_view text, std::string& error) {
  const std::vector<std::string_view> f = fields(text);
  MemorySessionRecord r;
  const bool data = !f.empty() && (f[0] == "D" || f[0] == "d");
  const bool code = !f.empty() && (f[0] == "C" || f[0] == "c");
  if (!data && !code) {
    error = "not a memory window record";
    return std::nullopt;
  }
  const size_t expected = data ? 10 : 6;
  if (f.size() != expected) {
    error = "wrong number of fields";
    return std::nullopt;
  }
  int64_t v = 0;
  if (!number(f[1], 16, 0, 0xFFFFFFFF, v)) {
    error = "wrong address";
    return std::nullopt;
  }
  r.spec.kind = data ? MemKind::Data : MemKind::Code;
  r.spec.codeSpace = code;
  r.spec.address = static_cast<uint32_t>(v);
  size_t i = 2;
  if (data) {
    SessionDataSettings s{};
    for (int& x : s) {
      if (!number(f[i++], 10, -1000000, 1000000, v)) {
        error = "wrong display setting";
        return std::nullopt;
      }
      x = static_cast<int>(v);
    }
    r.spec.layout = layoutFromSession(s);
  }
  for (int& x : r.rect) {
    if (!number(f[i++], 10, -1000000, 1000000, v)) {
      error = "wrong rectangle";
      return std::nullopt;
    }
    x = static_cast<int>(v);
  }
  return r;
}

std::string_view stripSpacePrefix(std::string_view text, bool& codeSpace) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  auto prefixed = [&text](std::string_view word) {
    if (text.size() < word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(text[i])) != word[i]) return false;
    return true;
  };
  if (prefixed("code:")) {
    codeSpace = true;
    text.remove_prefix(5);
  } else if (prefixed("data:")) {
    codeSpace = false;
    text.remove_prefix(5);
  }
  return text;
}

bool evaluateAddress(Kernel& k, std::string_view text, uint32_t& address) {
  const std::string expr(text);
  const char* p = expr.c_str();
  if (*skipBlanks(p) == '\0') return false;
  int error = 0;
  std::unique_ptr<ValueRecord> v = xexpr(k, p, error, true);
  if (!acceptedResult(error) || !v || *skipBlanks(p) != '\0') return false;
  const Derivation d = outermost(v->type);
  if (v->locationClass == sc::LabelValue || d == Derivation::Function || d == Derivation::Array) {
    address = v->address;
  } else if (isPlain(v->type) && isFloatCode(v->code())) {
    const double x = v->doubleValue();
    if (!(x >= 0 && x < 4294967296.0)) return false;
    address = static_cast<uint32_t>(x);
  } else {
    address = v->uintValue();
  }
  return true;
}

std::optional<MemoryWindowSpec> configuredWindow(Kernel& k, const MemoryConfig& config) {
  MemoryWindowSpec spec;
  spec.kind = config.kind;
  spec.codeSpace = config.codeSpace;
  const std::string_view expr = stripSpacePrefix(config.address, spec.codeSpace);
  if (!evaluateAddress(k, expr, spec.address)) {
    errmsg(k, {"Can't evaluate", "\n"});
    return std::nullopt;
  }
  spec.layout.size = validItemSize(config.size);
  spec.layout.base = config.base;
  spec.layout.characters = config.characters;
  return spec;
}

MemoryConfig configOf(const MemoryWindowSpec& spec) {
  MemoryConfig c;
  c.address = spec.addressText();
  c.kind = spec.kind;
  c.codeSpace = spec.codeSpace;
  c.size = spec.layout.size;
  c.base = spec.layout.base;
  c.characters = spec.layout.characters;
  return c;
}

}  // namespace yav
