#include "engine/channel_format.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace yav {

namespace {

constexpr std::string_view kFlags = "-+ #0";
constexpr std::string_view kIntegerLetters = "diuxXoc";
constexpr std::string_view kFloatingLetters = "feEgGaA";
// Longest text one `%s` of `fread` takes.
constexpr size_t kMaxScannedText = 4096;

bool isSigned(char letter) { return letter == 'd' || letter == 'i'; }

// A value cut to the target size of the conversion: int and short 16 bits, long 32 bits,
// characters 8 bits; signed or unsigned as the letter says.
int64_t toTargetSize(const Conversion& c, int64_t v) {
  const auto u = static_cast<uint64_t>(v);
  if (c.letter == 'c') return static_cast<unsigned char>(u);
  if (c.length == 'l') return isSigned(c.letter) ? int64_t{static_cast<int32_t>(u)} : int64_t{static_cast<uint32_t>(u)};
  return isSigned(c.letter) ? int64_t{static_cast<int16_t>(u)} : int64_t{static_cast<uint16_t>(u)};
}

// The C printf specification of a conversion, without its length and letter.
std::string printfSpec(const Conversion& c) {
  std::string spec = "%" + c.flags;
  if (c.width >= 0) spec += std::to_string(c.width);
  if (c.precision >= 0) spec += "." + std::to_string(c.precision);
  return spec;
}

template <typename T>
std::string printed(const std::string& spec, T value) {
  const int n = std::snprintf(nullptr, 0, spec.c_str(), value);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(out.data(), out.size(), spec.c_str(), value);
  out.resize(static_cast<size_t>(n));
  return out;
}

int digitValue(int ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return 99;
}

// Characters of one field, at most `width` of them.
class Field {
 public:
  Field(ScanInput& in, int width) : in_(in), left_(width < 0 ? kMaxScannedText : static_cast<size_t>(width)) {}
  int peek() {
    if (!have_) {
      ch_ = left_ ? in_.get() : EOF;
      have_ = true;
    }
    return ch_;
  }
  void take() {
    have_ = false;
    --left_;
  }
  ~Field() {
    if (have_ && ch_ != EOF) in_.unget(ch_);
  }

 private:
  ScanInput& in_;
  size_t left_;
  int ch_ = EOF;
  bool have_ = false;
};

bool scanInteger(ScanInput& in, const Conversion& c, int64_t& out) {
  Field f(in, c.width);
  bool negative = false;
  if (f.peek() == '-' || f.peek() == '+') {
    negative = f.peek() == '-';
    f.take();
  }
  int base = c.letter == 'x' || c.letter == 'X' ? 16 : c.letter == 'o' ? 8 : 10;
  bool digits = false;
  if ((c.letter == 'i' || base == 16) && f.peek() == '0') {
    f.take();
    digits = true;
    if (f.peek() == 'x' || f.peek() == 'X') {
      f.take();
      base = 16;
      digits = false;
    } else if (c.letter == 'i') {
      base = 8;
    }
  }
  uint64_t v = 0;
  while (digitValue(f.peek()) < base) {
    v = (v * static_cast<uint64_t>(base) + static_cast<uint64_t>(digitValue(f.peek()))) & 0xFFFFFFFFu;
    f.take();
    digits = true;
  }
  if (!digits) return false;
  out = negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
  return true;
}

bool scanFloating(ScanInput& in, const Conversion& c, double& out) {
  Field f(in, c.width);
  std::string text;
  auto takeWhile = [&](auto accept) {
    size_t n = 0;
    while (f.peek() != EOF && accept(f.peek())) {
      text += static_cast<char>(f.peek());
      f.take();
      ++n;
    }
    return n;
  };
  auto isDigit = [](int ch) { return ch >= '0' && ch <= '9'; };
  takeWhile([&](int ch) { return text.empty() && (ch == '-' || ch == '+'); });
  size_t digits = takeWhile(isDigit);
  if (takeWhile([&](int ch) { return ch == '.' && text.find('.') == std::string::npos; })) digits += takeWhile(isDigit);
  if (!digits) return false;
  if (f.peek() == 'e' || f.peek() == 'E') {
    text += 'e';
    f.take();
    takeWhile([&](int ch) { return text.back() == 'e' && (ch == '-' || ch == '+'); });
    if (!takeWhile(isDigit)) text += '0';
  }
  out = std::strtod(text.c_str(), nullptr);
  return true;
}

}  // namespace

bool Conversion::isInteger() const { return letter && kIntegerLetters.find(letter) != std::string_view::npos; }
bool Conversion::isFloating() const { return letter && kFloatingLetters.find(letter) != std::string_view::npos; }

bool parseConversion(std::string_view format, size_t pos, Conversion& c) {
  c = Conversion{};
  c.start = pos;
  size_t i = pos + 1;
  auto number = [&](int& into) {
    if (i >= format.size() || !std::isdigit(static_cast<unsigned char>(format[i]))) return false;
    into = 0;
    while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) {
      into = into * 10 + (format[i++] - '0');
      if (into > kMaxFieldWidth) into = kMaxFieldWidth;
    }
    return true;
  };
  while (i < format.size() && kFlags.find(format[i]) != std::string_view::npos) {
    if (c.flags.find(format[i]) == std::string::npos) c.flags += format[i];
    ++i;
  }
  number(c.width);
  if (i < format.size() && format[i] == '.') {
    ++i;
    if (!number(c.precision)) c.precision = 0;
  }
  if (i < format.size() && (format[i] == 'l' || format[i] == 'h')) c.length = format[i++];
  if (i >= format.size()) return false;
  const char letter = format[i];
  if (kIntegerLetters.find(letter) == std::string_view::npos && kFloatingLetters.find(letter) == std::string_view::npos &&
      letter != 's') {
    return false;
  }
  c.letter = letter;
  c.end = i + 1;
  return true;
}

std::string formatInteger(const Conversion& c, int64_t value) {
  const int64_t v = toTargetSize(c, value);
  if (c.letter == 'c') return printed(printfSpec(c) + "c", static_cast<int>(v));
  const char letter = c.letter == 'i' ? 'd' : c.letter;
  return printed(printfSpec(c) + "ll" + letter, static_cast<long long>(v));
}

std::string formatFloating(const Conversion& c, double value) {
  return printed(printfSpec(c) + c.letter, value);
}

std::string formatText(const Conversion& c, std::string_view text) {
  const std::string s(text.substr(0, text.find('\0')));
  return printed(printfSpec(c) + "s", s.c_str());
}

void scanBlanks(ScanInput& in) {
  int ch;
  while ((ch = in.get()) != EOF && std::isspace(ch)) {
  }
  in.unget(ch);
}

bool scanLiteral(ScanInput& in, char expected) {
  const int ch = in.get();
  if (ch == static_cast<unsigned char>(expected)) return true;
  in.unget(ch);
  return false;
}

bool scanConversion(ScanInput& in, const Conversion& c, ScannedValue& out) {
  out = ScannedValue{};
  if (c.letter == 'c') {
    const int ch = in.get();
    if (ch == EOF) return false;
    out.integer = static_cast<unsigned char>(ch);
    return true;
  }
  scanBlanks(in);
  if (c.isInteger()) {
    if (!scanInteger(in, c, out.integer)) return false;
    out.integer = toTargetSize(c, out.integer);
    return true;
  }
  if (c.isFloating()) {
    out.floating = true;
    return scanFloating(in, c, out.real);
  }
  Field f(in, c.width);
  while (f.peek() != EOF && !std::isspace(f.peek())) {
    out.text += static_cast<char>(f.peek());
    f.take();
  }
  return !out.text.empty();
}

}  // namespace yav
