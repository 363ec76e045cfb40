// Disassembly listing: one line per instruction, and the listing command's argument.
#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "model/disasm.h"
#include "model/format.h"
#include "model/numtext.h"

namespace yav {

std::string listing_line(const CodeReader& code, uint32_t& address, const ListingContext& ctx) {
  std::string out;
  std::string name;
  uint32_t at = 0;
  if (ctx.labels && ctx.labels->label_at_or_below(address, name, at) && at == address)
    out += fmtstr("    0x%+0nhl %np%p:\n", 5, address, 7, "", name);
  if (ctx.source && !ctx.in_source_listing) {
    for (const SourceLine& s : ctx.source->lines_at(address)) {
      out += fmtstr("%p:%i | %b", s.file, s.line, FmtArg::bytes(s.text.data(), s.text.size()), s.text.size());
      if (s.text.empty() || s.text.back() != '\n') out += '\n';
    }
  }
  const char* marker = "    ";
  if (!ctx.in_source_listing) {
    if (address == ctx.current_pc) marker = "--> ";
    else if (ctx.breakpoints && std::find(ctx.breakpoints->begin(), ctx.breakpoints->end(), address) != ctx.breakpoints->end())
      marker = "(B) ";
  }
  const Disassembly d = disassemble(code, address, ctx.labels);
  const int length = std::abs(d.length);
  out += marker;
  out += fmtstr("0x%+0nhl ", 5, address);
  for (int i = 0; i < 6; ++i) {
    if (i < length) out += fmtstr("%+02hi", code.read_byte(address + static_cast<uint32_t>(i)));
    else out += "  ";
  }
  out += fmtstr(" %p\n", d.text);
  address = (address + static_cast<uint32_t>(length)) & 0x1FFFF;
  return out;
}

namespace {

// Recursive-descent reader of listing values with C operator precedence.
class ValueParser {
 public:
  ValueParser(std::string_view text, const ValueNames* names) : s_(text), names_(names) {}

  ValueResult run() {
    ValueResult r;
    r.value = binary(0);
    r.used = pos_;
    r.ok = error_.empty();
    r.error = error_;
    return r;
  }

 private:
  std::string_view s_;
  const ValueNames* names_;
  size_t pos_ = 0;
  std::string error_;
  int depth_ = 0;

  void blanks() {
    while (pos_ < s_.size() && (static_cast<unsigned char>(s_[pos_]) <= 0x20 || static_cast<unsigned char>(s_[pos_]) >= 0x7F))
      ++pos_;
  }
  void fail(std::string msg) {
    if (error_.empty()) error_ = std::move(msg);
  }

  // Binary operator at the current position: its length and precedence (0 none).
  int peek_op(int& len) {
    blanks();
    len = 1;
    if (pos_ >= s_.size()) return 0;
    const char c = s_[pos_];
    const char n = pos_ + 1 < s_.size() ? s_[pos_ + 1] : '\0';
    if ((c == '<' && n == '<') || (c == '>' && n == '>')) {
      len = 2;
      return 4;
    }
    switch (c) {
      case '|': return 1;
      case '^': return 2;
      case '&': return 3;
      case '+': case '-': return 5;
      case '*': case '/': case '%': return 6;
    }
    return 0;
  }

  uint32_t binary(int min_prec) {
    uint32_t lhs = unary();
    for (;;) {
      int len = 0;
      const int prec = peek_op(len);
      if (prec == 0 || prec <= min_prec || !error_.empty()) return lhs;
      const char op = s_[pos_];
      pos_ += static_cast<size_t>(len);
      const uint32_t rhs = binary(prec);
      switch (op) {
        case '|': lhs |= rhs; break;
        case '^': lhs ^= rhs; break;
        case '&': lhs &= rhs; break;
        case '<': lhs = rhs >= 32 ? 0 : lhs << rhs; break;
        case '>': lhs = rhs >= 32 ? 0 : lhs >> rhs; break;
        case '+': lhs += rhs; break;
        case '-': lhs -= rhs; break;
        case '*': lhs *= rhs; break;
        case '/':
        case '%':
          if (rhs == 0) {
            fail("division by zero");
            return 0;
          }
          lhs = op == '/' ? lhs / rhs : lhs % rhs;
          break;
      }
    }
  }

  static bool name_start(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '.'; }
  static bool name_char(char c) { return name_start(c) || std::isdigit(static_cast<unsigned char>(c)); }

  uint32_t unary() {
    blanks();
    if (pos_ >= s_.size()) {
      fail("value expected");
      return 0;
    }
    const char c = s_[pos_];
    if (c == '-' || c == '+' || c == '~') {
      ++pos_;
      const uint32_t v = unary();
      return c == '-' ? 0u - v : c == '~' ? ~v : v;
    }
    if (c == '(') {
      if (++depth_ > 64) {
        fail("expression too deeply nested");
        return 0;
      }
      ++pos_;
      const uint32_t v = binary(0);
      blanks();
      if (pos_ < s_.size() && s_[pos_] == ')') ++pos_;
      else fail("')' expected");
      --depth_;
      return v;
    }
    if (std::isdigit(static_cast<unsigned char>(c))) {
      const NumberRead<uint32_t> n = readNumber(s_.substr(pos_));
      if (!n.ok) {
        fail("bad number");
        return 0;
      }
      pos_ += n.used;
      return n.value;
    }
    if (c == '$' || name_start(c)) {
      const size_t begin = pos_;
      if (c == '$') ++pos_;
      while (pos_ < s_.size() && name_char(s_[pos_])) ++pos_;
      const std::string_view name = s_.substr(begin, pos_ - begin);
      uint32_t v = 0;
      if (name.size() < 2 && c == '$') fail("register name expected after '$'");
      else if (!names_ || !names_->value_of(name, v)) fail("unknown name " + std::string(name));
      return v;
    }
    fail(std::string("unexpected '") + c + "'");
    return 0;
  }
};

}  // namespace

ValueResult eval_listing_value(std::string_view text, const ValueNames* names) {
  return ValueParser(text, names).run();
}

ListingArgs parse_listing_args(std::string_view text, const ValueNames* names, uint32_t& last_count) {
  ListingArgs out;
  auto skip = [&](size_t p) {
    while (p < text.size() && (static_cast<unsigned char>(text[p]) <= 0x20)) ++p;
    return p;
  };
  const ValueResult start = eval_listing_value(text, names);
  if (!start.ok) {
    out.error = start.error;
    return out;
  }
  out.range.start = start.value;
  size_t p = skip(start.used);
  if (p < text.size() && text[p] == ',') p = skip(p + 1);
  if (p < text.size() && text[p] == '#') {
    const ValueResult count = eval_listing_value(text.substr(p + 1), names);
    if (!count.ok) {
      out.error = count.error;
      return out;
    }
    last_count = count.value;
    out.range.count = count.value;
    p += 1 + count.used;
  } else if (p < text.size()) {
    const ValueResult end = eval_listing_value(text.substr(p), names);
    if (!end.ok) {
      out.error = end.error;
      return out;
    }
    out.range.has_end = true;
    out.range.end = end.value;
    p += end.used;
  } else {
    out.range.count = last_count;
  }
  out.used = p;
  out.ok = true;
  return out;
}

}  // namespace yav
