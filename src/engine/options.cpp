#include "engine/options.h"

#include <cctype>

#include "engine/dispatcher.h"
#include "engine/errors.h"

namespace yav {

namespace {
bool ends_letters(char c) { return c == 0 || isBlank(c) || c == ':' || c == ';'; }
}  // namespace

bool isOptionGroup(const char* p) {
  ++p;
  for (; *p && !isBlank(*p) && *p != ';' && *p != ':'; ++p) {
    if (*p == '/') return false;
  }
  return true;
}

namespace {

bool scan(Kernel& k, const char*& p, std::string_view known, const OptionFn& onLetter, std::string_view unknownText,
          bool pathEnds) {
  while (*p == '/' && !(pathEnds && !isOptionGroup(p))) {
    ++p;
    while (!ends_letters(*p)) {
      const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
      if (known.find(letter) == std::string_view::npos) {
        errmsg(k, {unknownText, p, "\n"});
        return false;
      }
      ++p;
      if (onLetter) onLetter(letter, p);
    }
    // A value the handler did not take is skipped up to the end of the group.
    while (*p && !isBlank(*p) && *p != ';' && *p != '/') ++p;
    p = skipBlanks(p);
  }
  return true;
}

}  // namespace

bool scanOptions(Kernel& k, const char*& p, std::string_view known, const OptionFn& onLetter,
                 std::string_view unknownText) {
  return scan(k, p, known, onLetter, unknownText, false);
}

bool scanFileOptions(Kernel& k, const char*& p, std::string_view known, const OptionFn& onLetter,
                     std::string_view unknownText) {
  return scan(k, p, known, onLetter, unknownText, true);
}

}  // namespace yav
