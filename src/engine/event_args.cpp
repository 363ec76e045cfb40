#include "engine/event_args.h"

#include "engine/dispatcher.h"
#include "engine/errors.h"

namespace yav {

namespace {

std::string trimmed(const char* from, const char* to) {
  from = skipBlanks(from);
  while (to > from && isBlank(to[-1])) --to;
  return std::string(from, to);
}

// Moves past a quoted text at `p` (on its opening quote), escapes included.
const char* pastQuoted(const char* p) {
  const char quote = *p++;
  while (*p && *p != quote) {
    if (*p == '\\' && p[1]) ++p;
    ++p;
  }
  return *p ? p + 1 : p;
}

}  // namespace

std::vector<std::string> eventArgItems(const char*& p) {
  std::vector<std::string> items;
  const char* start = p;
  int depth = 0;
  for (;;) {
    const char c = *p;
    const bool end = c == 0 || (depth == 0 && (c == '{' || c == '}' || c == ';' || c == ','));
    if (end) {
      std::string item = trimmed(start, p);
      if (!item.empty()) items.push_back(std::move(item));
      if (c != ',') return items;
      start = ++p;
      continue;
    }
    if (c == '"' || c == '\'') {
      p = pastQuoted(p);
      continue;
    }
    if (c == '(' || c == '[') ++depth;
    if ((c == ')' || c == ']') && depth > 0) --depth;
    ++p;
  }
}

std::optional<std::string> actionBlock(Kernel& k, const char*& p) {
  p = skipBlanks(p);
  if (*p != '{') return std::nullopt;
  const char* start = ++p;
  int depth = 1;
  while (*p) {
    if (*p == '"' || *p == '\'') {
      p = pastQuoted(p);
      continue;
    }
    if (*p == '{') ++depth;
    if (*p == '}' && --depth == 0) {
      std::string action = trimmed(start, p);
      ++p;
      return action;
    }
    ++p;
  }
  errmsg(k, {"'}' missing, assumed at end of line\n"});
  return trimmed(start, p);
}

}  // namespace yav
