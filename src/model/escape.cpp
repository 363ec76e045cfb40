#include "model/escape.h"

#include "model/format.h"

namespace yav {

namespace {

struct LetterEscape {
  char letter;
  char code;
};
// Letters understood after a backslash, either case.
constexpr LetterEscape kDecodeLetters[] = {
    {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'}, {'v', '\v'},
};
// Control characters shown as a backslash and a letter.
constexpr LetterEscape kDisplayLetters[] = {
    {'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'}, {'v', '\v'},
};

bool isOctal(char c) { return c >= '0' && c <= '7'; }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

EscapeRead decodeEscape(std::string_view t, std::string_view specials) {
  EscapeRead r;
  if (t.empty()) {
    r.ch = '\\';
    return r;
  }
  if (isOctal(t[0])) {
    int v = 0;
    while (r.used < 3 && r.used < t.size() && isOctal(t[r.used])) v = v * 8 + (t[r.used++] - '0');
    r.ch = v & 0xFF;
    return r;
  }
  r.used = 1;
  for (const LetterEscape& e : kDecodeLetters) {
    if (lower(t[0]) == e.letter) {
      r.ch = static_cast<unsigned char>(e.code);
      return r;
    }
  }
  r.ch = static_cast<unsigned char>(t[0]);
  r.special = specials.find(t[0]) != std::string_view::npos;
  return r;
}

std::string decodeEscapes(std::string_view text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '\\') {
      out += text[i++];
      continue;
    }
    EscapeRead e = decodeEscape(text.substr(i + 1));
    out += static_cast<char>(e.ch);
    i += 1 + e.used;
  }
  return out;
}

size_t escchar(char* buffer, int c) {
  const unsigned char b = static_cast<unsigned char>(c);
  if (b >= 32 && b <= 126) {
    buffer[0] = static_cast<char>(b);
    return 1;
  }
  for (const LetterEscape& e : kDisplayLetters) {
    if (b == static_cast<unsigned char>(e.code)) {
      buffer[0] = '\\';
      buffer[1] = e.letter;
      return 2;
    }
  }
  return sfmt(buffer, kEscCharMax, "\\%oc", static_cast<unsigned>(b));
}

std::string escchar(int c) {
  char buf[kEscCharMax];
  return std::string(buf, escchar(buf, c));
}

}  // namespace yav
