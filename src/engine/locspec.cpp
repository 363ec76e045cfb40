#include "engine/locspec.h"

#include <cctype>
#include <string_view>

#include "engine/dispatcher.h"
#include "model/numtext.h"

namespace yav {

namespace {

bool isNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '@' || c == '$';
}

// A whole text read as one number (decimal, 0x hexadecimal, ...); texts starting with u or l
// are names.
bool wholeNumber(std::string_view t, uint32_t& value) {
  if (t.empty() || !std::isdigit(static_cast<unsigned char>(t[0]))) return false;
  const NumberRead<uint32_t> n = readNumber(t);
  if (!n.ok || n.used != t.size()) return false;
  value = n.value;
  return true;
}

bool endsWithParens(std::string_view t) { return t.size() >= 2 && t.substr(t.size() - 2) == "()"; }

void setLines(std::string_view after, LocSpec& s) {
  const size_t colon = after.find(':');
  uint32_t a = 0, b = 0;
  if (colon == std::string_view::npos) {
    if (wholeNumber(after, a)) {
      s.line = a;
      s.hasline = true;
    } else if (!after.empty()) {
      s.name = std::string(after);
    }
    return;
  }
  if (wholeNumber(after.substr(0, colon), a) && wholeNumber(after.substr(colon + 1), b)) {
    s.line = a;
    s.line2 = b;
    s.hasline = true;
  } else {
    s.name = std::string(after);
  }
}

}  // namespace

const char* locspec(const char* text, LocSpec& s) {
  s = LocSpec{};
  const char* start = skipBlanks(text);
  const char* p = start;
  const char* firstOther = nullptr;
  const char* separator = nullptr;
  while (*p && *p != ';') {
    const char c = *p;
    if (c == ':' && !separator) {
      const char next = p[1];
      if (next == 0 || isBlank(next) || std::isdigit(static_cast<unsigned char>(next)) || p - start != 1) {
        separator = p++;
        continue;
      }
    }
    if (isNameChar(c) || (separator && c == ':')) {
      ++p;
      continue;
    }
    if (separator) break;
    if (!firstOther) firstOther = p;
    ++p;
  }
  if (!separator && firstOther) p = firstOther;
  std::string_view copied(start, static_cast<size_t>(p - start));
  const bool parens = p[0] == '(' && p[1] == ')';
  s.present = !copied.empty() || parens;
  s.text = std::string(copied);
  if (!separator) {
    uint32_t n = 0;
    if (!copied.empty() && copied[0] == '@') {
      s.isabs = true;
      s.absaddr = readNumber(copied.substr(1)).value;
    } else if (wholeNumber(copied, n)) {
      s.line = n;
      s.hasline = true;
    } else if (parens) {
      s.hasfunc = true;
      s.func = std::string(copied);
      s.text += "()";
      p += 2;
    } else {
      s.name = std::string(copied);
    }
    return p;
  }
  s.hascolon = true;
  const std::string_view before(start, static_cast<size_t>(separator - start));
  if (endsWithParens(before)) {
    s.hasfunc = true;
    s.func = std::string(before.substr(0, before.size() - 2));
  } else {
    s.file = std::string(before);
  }
  setLines(std::string_view(separator + 1, static_cast<size_t>(p - separator - 1)), s);
  return p;
}

}  // namespace yav
