// The conversions of `fwrite` (printf-like) and `fread` (scanf-like) on file channels, apart
// from the target: numbers and texts in, text out, and text in, numbers and texts out.
//
// A conversion is `%` [flags] [width] [`.` precision] [`h` | `l`] letter, with the letters
//   d i   signed decimal           u   unsigned decimal
//   x X   hexadecimal              o   octal
//   c     one character            s   a text (`fread`: up to the next blank)
//   f e g a floating value (`fwrite` only; `fread` reads it and stores it converted)
// and `%%` for one `%`. The sizes are the target's: without a length letter the value is an
// int of 16 bits, with `l` a long of 32 bits, with `h` a short (16 bits). Flags (`-+ #0`),
// width and precision act as in C `printf` and are kept within kMaxFieldWidth; in `fread` the
// width is the longest field read. Whitespace in an `fread` format skips any whitespace of the
// input; any other character must be the next one of the input.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace yav {

inline constexpr int kMaxFieldWidth = 255;

struct Conversion {
  size_t start = 0;  // the `%` in the format
  size_t end = 0;    // after the conversion letter
  std::string flags;
  int width = -1;      // -1: none
  int precision = -1;  // -1: none
  char length = 0;     // 'h', 'l' or 0
  char letter = 0;     // the conversion letter; 0 when the text is no valid conversion

  bool isInteger() const;
  bool isFloating() const;
  bool isText() const { return letter == 's'; }
};

// Reads the conversion whose `%` is at `pos`. False when it is malformed or its letter unknown.
bool parseConversion(std::string_view format, size_t pos, Conversion& c);

// The printf-like text of one value. Integers are cut to the target size of the conversion first.
std::string formatInteger(const Conversion& c, int64_t value);
std::string formatFloating(const Conversion& c, double value);
std::string formatText(const Conversion& c, std::string_view text);

// Input of `fread`: characters one at a time with one character of push-back.
class ScanInput {
 public:
  virtual ~ScanInput() = default;
  virtual int get() = 0;  // EOF at the end
  virtual void unget(int c) = 0;
};

class FileScanInput : public ScanInput {
 public:
  explicit FileScanInput(std::FILE* f) : f_(f) {}
  int get() override { return std::fgetc(f_); }
  void unget(int c) override {
    if (c != EOF) std::ungetc(c, f_);
  }

 private:
  std::FILE* f_;
};

class TextScanInput : public ScanInput {
 public:
  explicit TextScanInput(std::string_view text) : text_(text) {}
  int get() override { return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_++]) : EOF; }
  void unget(int c) override {
    if (c != EOF && pos_ > 0) --pos_;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

// What one `fread` conversion read.
struct ScannedValue {
  bool floating = false;
  int64_t integer = 0;  // integer conversions and `c`, cut to the target size of the conversion
  double real = 0;
  std::string text;  // `s`
};

// Skips whitespace of the input.
void scanBlanks(ScanInput& in);
// Matches one literal character of the format; false when the input has another one.
bool scanLiteral(ScanInput& in, char expected);
// Reads one field; false when the input holds no such field (or ends).
bool scanConversion(ScanInput& in, const Conversion& c, ScannedValue& out);

}  // namespace yav
