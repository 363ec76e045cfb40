#include "ui/c_markup.h"

#include <algorithm>

#include "ui/c_words.h"

namespace yav {

namespace {

bool identStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool identChar(char c) { return identStart(c) || (c >= '0' && c <= '9'); }
bool digit(char c) { return c >= '0' && c <= '9'; }
// Blank in the kernel's sense: control bytes, space, DEL and the upper half.
bool blank(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u <= 0x20 || u >= 0x7F;
}

size_t identEnd(std::string_view t, size_t i) {
  while (i < t.size() && identChar(t[i])) ++i;
  return i;
}

size_t skipSpaces(std::string_view t, size_t i) {
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
  return i;
}

// A double quote that does not open or close a string: escaped by an odd run of backslashes, or
// written as a character constant '"'.
bool quoteIsLiteral(std::string_view t, size_t i) {
  size_t backslashes = 0;
  for (size_t j = i; j > 0 && t[j - 1] == '\\'; --j) ++backslashes;
  if (backslashes % 2 == 1) return true;
  return i > 0 && t[i - 1] == '\'' && i + 1 < t.size() && t[i + 1] == '\'';
}

bool precededByStar(std::string_view t, size_t i) {
  while (i > 0 && (t[i - 1] == ' ' || t[i - 1] == '\t')) --i;
  return i > 0 && t[i - 1] == '*';
}

size_t numberEnd(std::string_view t, size_t i) {
  while (i < t.size() && (identChar(t[i]) || t[i] == '.')) ++i;
  return i;
}

// One pass over C text keeping the in-string state. The visitor is told about text copied as it
// is (inside strings, the quotes themselves) with `plain(i, end)`, about comments with
// `comment(i, end)`, and about each character of code outside both with `code(i)`, which returns
// the index to go on from.
template <typename Visitor>
void walkC(std::string_view t, Visitor& v) {
  bool inString = false;
  for (size_t i = 0; i < t.size();) {
    const char c = t[i];
    if (c == '"' && !quoteIsLiteral(t, i)) {
      inString = !inString;
      v.plain(i, i + 1);
      ++i;
    } else if (inString) {
      if (c == '\n' && (i == 0 || t[i - 1] != '\\')) inString = false;  // an unclosed string ends with its line
      v.plain(i, i + 1);
      ++i;
    } else if (c == '/' && i + 1 < t.size() && (t[i + 1] == '*' || t[i + 1] == '/')) {
      const size_t close = t[i + 1] == '*' ? t.find("*/", i + 2) : t.find('\n', i);
      const size_t end = close == std::string_view::npos ? t.size() : close + (t[i + 1] == '*' ? 2 : 1);
      v.comment(i, end);
      i = end;
    } else {
      i = v.code(i);
    }
  }
}

}  // namespace

namespace {

// Collects the #define and typedef names of a text.
struct NameCollector {
  std::string_view t;
  FileNames names;
  bool inTypedef = false;
  int braces = 0;

  void plain(size_t, size_t) {}
  void comment(size_t, size_t) {}
  size_t code(size_t i) {
    const char c = t[i];
    if (c == '#') {
      const size_t w = skipSpaces(t, i + 1), we = identEnd(t, w);
      if (t.substr(w, we - w) != "define") return i + 1;
      const size_t n = skipSpaces(t, we), ne = identEnd(t, n);
      if (ne > n && identStart(t[n])) names.defines.emplace(t.substr(n, ne - n));
      return std::max(ne, i + 1);
    }
    if (c == '{') ++braces;
    if (c == '}' && braces > 0) --braces;
    if (c == ';' && braces == 0) inTypedef = false;
    if (digit(c)) return numberEnd(t, i);
    if (!identStart(c)) return i + 1;
    const size_t e = identEnd(t, i);
    const std::string_view word = t.substr(i, e - i);
    if (word == "typedef") {
      inTypedef = true;
      braces = 0;
    } else if (inTypedef && braces == 0 && !isCKeyword(word)) {
      // The declared names stand before ';', ',' or '[', or inside "(*name)".
      const size_t n = skipSpaces(t, e);
      const char next = n < t.size() ? t[n] : 0;
      if (next == ';' || next == ',' || next == '[' || (next == ')' && precededByStar(t, i))) {
        names.typedefs.emplace(word);
      }
    }
    return e;
  }
};

// Copies the text with the markers of its tokens.
struct Marker {
  std::string_view t;
  const FileNames& names;
  std::string out;

  void mark(uint8_t cls) {
    out += kMarker;
    out += static_cast<char>(cls);
  }
  void wrap(uint8_t cls, size_t i, size_t end) {
    mark(cls);
    out.append(t.substr(i, end - i));
    mark(tokenclass::Normal);
  }
  void plain(size_t i, size_t end) { out.append(t.substr(i, end - i)); }
  void comment(size_t i, size_t end) {
    mark(tokenclass::Comment);
    for (; i < end; ++i) {
      out += t[i];
      if (t[i] == '\n' && i + 1 < end) mark(tokenclass::Comment);  // each line starts its own comment
    }
    mark(tokenclass::Normal);
  }
  size_t code(size_t i) {
    const char c = t[i];
    if (c == '#') {
      const size_t w = skipSpaces(t, i + 1), we = identEnd(t, w);
      if (we > w && isPreprocessorDirective(t.substr(w, we - w))) {
        wrap(tokenclass::Preprocessor, i, we);
        return we;
      }
    }
    if (digit(c)) {  // a number with its suffix letters holds no identifier
      const size_t e = numberEnd(t, i);
      plain(i, e);
      return e;
    }
    if (!identStart(c)) {
      out += c;
      return i + 1;
    }
    const size_t e = identEnd(t, i);
    const uint8_t cls = classOf(t.substr(i, e - i), e);
    if (cls) {
      wrap(cls, i, e);
    } else {
      plain(i, e);
    }
    return e;
  }
  uint8_t classOf(std::string_view word, size_t end) const {
    if (isCKeyword(word)) return tokenclass::Keyword;
    size_t n = end;
    while (n < t.size() && blank(t[n])) ++n;
    if (n < t.size() && t[n] == '(' && isCLibraryFunction(word)) return tokenclass::Library;
    const std::string key(word);
    if (names.defines.contains(key)) return tokenclass::Define;
    if (names.typedefs.contains(key)) return tokenclass::Typedef;
    return 0;
  }
};

}  // namespace

FileNames namesDefinedIn(std::string_view text) {
  NameCollector c{text, {}};
  walkC(text, c);
  return std::move(c.names);
}

std::string displayableText(std::string_view raw) {
  std::string out;
  out.reserve(raw.size());
  for (char c : raw) {
    if (c == '\r') continue;
    const auto u = static_cast<unsigned char>(c);
    out += (u < 0x20 && c != '\t' && c != '\n') ? '?' : c;
  }
  return out;
}

std::string markupC(std::string_view text, const FileNames& names) {
  Marker m{text, names, {}};
  // Room for the text and a marker pair every few characters; grown by at least 512 bytes.
  m.out.reserve(text.size() + text.size() / 4 + 512);
  walkC(text, m);
  return std::move(m.out);
}

std::string withoutMarkers(std::string_view marked) {
  std::string out;
  out.reserve(marked.size());
  for (size_t i = 0; i < marked.size(); ++i) {
    if (marked[i] == kMarker) {
      ++i;
      continue;
    }
    out += marked[i];
  }
  return out;
}

}  // namespace yav
