#include "model/eval_name.h"

#include "model/numtext.h"

namespace yav {

namespace {

bool isAsciiAlnum(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }
bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }
bool isFileNameChar(char c) {
  return isNameChar(c) || c == '.' || c == '/' || c == '\\' || c == '-' || c == '~';
}

size_t skipNameChars(std::string_view t, size_t i) {
  while (i < t.size() && isNameChar(t[i])) ++i;
  return i;
}

bool allNameChars(std::string_view s) {
  for (char c : s) {
    if (!isNameChar(c)) return false;
  }
  return true;
}

// The part after the separator: a variable name, or one or two line numbers.
size_t readAfterSeparator(std::string_view t, size_t i, QualifiedName& q) {
  if (i < t.size() && isDecimalDigit(t[i])) {
    size_t k = skipNameChars(t, i);
    if (k < t.size() && t[k] == ':' && k + 1 < t.size() && isDecimalDigit(t[k + 1])) k = skipNameChars(t, k + 1);
    return k;  // a line: not a value
  }
  const size_t k = skipNameChars(t, i);
  q.variable = std::string(t.substr(i, k - i));
  q.valid = !q.variable.empty();
  return k;
}

}  // namespace

bool isNameChar(char c) { return isAsciiAlnum(c) || c == '_' || c == '@' || c == '$'; }

NameRead readQualifiedName(std::string_view t, size_t pos) {
  NameRead r;
  QualifiedName& q = r.name;
  size_t j = pos;
  while (j < t.size() && isFileNameChar(t[j])) ++j;
  const std::string_view prefix = t.substr(pos, j - pos);

  const bool parens = j + 1 < t.size() && t[j] == '(' && t[j + 1] == ')' && allNameChars(prefix);
  if (parens && j + 2 < t.size() && t[j + 2] == ':') {
    q.hasColon = q.hasFunction = true;
    q.function = std::string(prefix);
    r.end = readAfterSeparator(t, j + 3, q);
  } else if (parens) {
    q.hasFunction = true;  // a function alone names no value
    q.function = std::string(prefix);
    r.end = j + 2;
  } else if (j < t.size() && t[j] == ':') {
    q.hasColon = true;
    q.hasFile = !prefix.empty();
    q.file = std::string(prefix);
    r.end = readAfterSeparator(t, j + 1, q);
  } else {
    const size_t k = skipNameChars(t, pos);
    q.variable = std::string(t.substr(pos, k - pos));
    r.end = k;
    if (!q.variable.empty() && q.variable[0] == '@') {
      const NumberRead<uint32_t> n = readNumber(std::string_view(q.variable).substr(1));
      q.isAbsolute = true;
      q.absolute = n.value;
      q.valid = n.ok && n.used + 1 == q.variable.size() && isDecimalDigit(q.variable[1]);
      q.variable.clear();
    } else {
      q.valid = !q.variable.empty();
    }
  }
  if (r.end <= pos) r.end = pos + 1;  // an unusable character is consumed with the name
  if (r.end > t.size()) r.end = t.size();
  q.text = std::string(t.substr(pos, r.end - pos));
  return r;
}

}  // namespace yav
