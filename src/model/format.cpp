#include "model/format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace yav {

FmtArg::FmtArg(const char* s) : kind(Kind::Ptr), p(s), plen(s ? std::strlen(s) : 0) {}

namespace {

// Reads argument slots in order; missing or mismatched slots read as zero / empty.
class ArgCursor {
 public:
  explicit ArgCursor(std::span<const FmtArg> a) : args_(a) {}
  uint32_t integer() {
    const FmtArg* a = next();
    if (!a) return 0;
    switch (a->kind) {
      case FmtArg::Kind::Int: return a->i;
      case FmtArg::Kind::Double: return static_cast<uint32_t>(static_cast<int64_t>(std::isfinite(a->d) && std::fabs(a->d) < 9.2e18 ? a->d : 0));
      case FmtArg::Kind::Ptr: return 0;
    }
    return 0;
  }
  double real() {
    const FmtArg* a = next();
    if (!a) return 0.0;
    if (a->kind == FmtArg::Kind::Double) return a->d;
    if (a->kind == FmtArg::Kind::Int) return static_cast<double>(static_cast<int32_t>(a->i));
    return 0.0;
  }
  std::string_view text() {
    const FmtArg* a = next();
    if (!a || a->kind != FmtArg::Kind::Ptr || !a->p) return {};
    return std::string_view(a->p, a->plen);
  }

 private:
  const FmtArg* next() { return pos_ < args_.size() ? &args_[pos_++] : nullptr; }
  std::span<const FmtArg> args_;
  size_t pos_ = 0;
};

std::string to_base(uint32_t v, unsigned base) {
  static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  char buf[40];
  int n = 0;
  do {
    buf[n++] = digits[v % base];
    v /= base;
  } while (v);
  std::string s;
  while (n) s += buf[--n];
  return s;
}

std::string signed_decimal(int32_t v) {
  if (v < 0) return "-" + to_base(static_cast<uint32_t>(0) - static_cast<uint32_t>(v), 10);
  return to_base(static_cast<uint32_t>(v), 10);
}

// Keeps at most 17 significant digits of a printed number; later digit positions become 0.
void limit_significant(std::string& s) {
  int sig = 0;
  bool started = false;
  for (char& c : s) {
    if (c < '0' || c > '9') {
      if (c == 'e') break;
      continue;
    }
    if (!started && c != '0') started = true;
    if (started && ++sig > 17) c = '0';
  }
}

std::string fixed_text(double v, int prec) {
  prec = std::clamp(prec, 0, 57);
  if (!std::isfinite(v)) return std::isnan(v) ? "nan" : (v < 0 ? "-inf" : "inf");
  std::vector<char> buf(400);
  int n = std::snprintf(buf.data(), buf.size(), "%.*f", prec, v);
  std::string s(buf.data(), static_cast<size_t>(std::max(0, std::min<int>(n, static_cast<int>(buf.size()) - 1))));
  limit_significant(s);
  return s;
}

std::string exp_text(double v, int prec) {
  prec = std::clamp(prec, 0, 57);
  if (!std::isfinite(v)) return std::isnan(v) ? "nan" : (v < 0 ? "-inf" : "inf");
  char buf[128];
  int digits = std::min(prec, 16);
  std::snprintf(buf, sizeof buf, "%.*e", digits, v);
  std::string s(buf);
  if (prec > digits) {
    size_t e = s.find('e');
    s.insert(e, static_cast<size_t>(prec - digits), '0');
  }
  return s;
}

bool is_conversion(char c) {
  return c == 'c' || c == 's' || c == 'i' || c == 'l' || c == 'p' || c == 'b' || c == 'f' || c == 'd' ||
         c == 'x';
}

unsigned base_of(char mod) {
  switch (mod) {
    case 'h': return 16;
    case 'o': return 8;
    case 'u': return 10;
    case 'z': return 2;
  }
  return 0;
}

}  // namespace

void putfmt(PutFn cb, void* ctx, std::string_view fmt, std::span<const FmtArg> args) {
  ArgCursor arg(args);
  size_t i = 0;
  const size_t n = fmt.size();
  while (i < n) {
    size_t run = fmt.find('%', i);
    if (run == std::string_view::npos) run = n;
    if (run > i) cb(ctx, fmt.data() + i, run - i);
    i = run;
    if (i >= n) break;
    ++i;  // the '%'
    bool left = false;
    char fill = ' ';
    if (i < n && (fmt[i] == '-' || fmt[i] == '+') && i + 1 < n) {
      left = fmt[i] == '-';
      fill = fmt[i + 1];
      i += 2;
    }
    auto read_count = [&]() -> int {
      if (i < n && (fmt[i] == 'n' || fmt[i] == 'N')) {
        ++i;
        return static_cast<int16_t>(arg.integer() & 0xFFFF);
      }
      int v = 0;
      while (i < n && fmt[i] >= '0' && fmt[i] <= '9') {
        v = static_cast<int16_t>(v * 10 + (fmt[i] - '0'));
        ++i;
      }
      return v;
    };
    int width = read_count();
    int prec = 0;
    if (i < n && fmt[i] == '.') {
      ++i;
      prec = read_count();
    }
    char mod = 0;
    if (i < n && (fmt[i] == 'h' || fmt[i] == 'o' || fmt[i] == 'u' || fmt[i] == 'z' || fmt[i] == 'a')) mod = fmt[i++];
    char conv = 0;
    if (i < n && is_conversion(fmt[i])) {
      conv = fmt[i++];
    } else if (mod) {
      conv = 'l';  // a modifier without conversion acts as a long conversion
    } else if (i < n) {
      conv = fmt[i++];
    } else {
      break;
    }

    std::string out;
    const unsigned base = base_of(mod);
    switch (conv) {
      case 'c': {
        uint32_t v = arg.integer();
        if (mod == 'a') out.assign(1, static_cast<char>(v & 0xFF));
        else if (base) out = to_base(v & 0xFF, base);
        else out = signed_decimal(static_cast<int16_t>(v & 0xFFFF));
        break;
      }
      case 's': {
        uint32_t v = arg.integer();
        if (mod == 'a') {
          out += static_cast<char>((v >> 8) & 0xFF);
          out += static_cast<char>(v & 0xFF);
        } else if (base) {
          out = to_base(v & 0xFFFF, base);
        } else {
          out = signed_decimal(static_cast<int16_t>(v & 0xFFFF));
        }
        break;
      }
      case 'i':
      case 'l': {
        uint32_t v = arg.integer();
        if (mod == 'a') {
          for (int k = 3; k >= 0; --k) out += static_cast<char>((v >> (8 * k)) & 0xFF);
        } else if (base) {
          out = to_base(v, base);
        } else {
          out = signed_decimal(static_cast<int32_t>(v));
        }
        break;
      }
      case 'p': {
        std::string_view s = arg.text();
        size_t z = s.find('\0');
        if (z != std::string_view::npos) s = s.substr(0, z);
        if (prec > 0 && static_cast<size_t>(prec) < s.size()) s = s.substr(0, static_cast<size_t>(prec));
        out.assign(s);
        break;
      }
      case 'b': {
        std::string_view s = arg.text();
        size_t count = arg.integer() & 0xFFFF;
        if (prec > 0) count = std::min<size_t>(count, static_cast<size_t>(prec));
        out.assign(s.substr(0, std::min(count, s.size())));
        break;
      }
      case 'f': out = fixed_text(arg.real(), prec); break;
      case 'd': out = exp_text(arg.real(), prec); break;
      case 'x': break;
      default: out.assign(1, conv); break;
    }
    if (!left) {
      for (int k = static_cast<int>(out.size()); k < width; ++k) cb(ctx, &fill, 1);
    }
    if (!out.empty()) cb(ctx, out.data(), out.size());
    if (left) {
      for (int k = static_cast<int>(out.size()); k < width; ++k) cb(ctx, &fill, 1);
    }
  }
}

namespace {
struct BufSink {
  char* buf;
  size_t limit;
  size_t used;
};
void buf_put(void* ctx, const char* bytes, size_t len) {
  auto* s = static_cast<BufSink*>(ctx);
  size_t room = s->limit - s->used;
  size_t take = std::min(room, len);
  if (take) std::memcpy(s->buf + s->used, bytes, take);
  s->used += take;
}
void str_put(void* ctx, const char* bytes, size_t len) { static_cast<std::string*>(ctx)->append(bytes, len); }
}  // namespace

size_t sfmt(char* buf, size_t limit, std::string_view fmt, std::span<const FmtArg> args) {
  BufSink s{buf, limit, 0};
  putfmt(buf_put, &s, fmt, args);
  return s.used;
}

std::string fmtstr(std::string_view fmt, std::span<const FmtArg> args) {
  std::string s;
  putfmt(str_put, &s, fmt, args);
  return s;
}

}  // namespace yav
