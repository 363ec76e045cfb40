#include "engine/script_text.h"

namespace yav {

const char* scriptFileName(const char* p, std::string& name) {
  const char* end = p;
  while (*end && *end != '\t' && *end != ';' && *end != '}') ++end;
  name.assign(p, end);
  while (!name.empty() && (name.back() == ' ' || name.back() == '\r' || name.back() == '\n')) name.pop_back();
  return end;
}

const char* closingQuote(const char* p) {
  for (++p; *p; ++p) {
    if (*p == '\\' && p[1]) {
      ++p;
      continue;
    }
    if (*p == '"') return p;
  }
  return nullptr;
}

}  // namespace yav
