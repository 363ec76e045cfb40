#include "ui/source_search.h"

namespace yav {

SearchResult searchNext(SourceSearch& s, size_t lineCount, const std::function<std::string(size_t)>& displayed) {
  if (s.text.empty()) return SearchResult::NoText;
  if (lineCount == 0) return SearchResult::NotFound;
  const size_t startLine = s.line < 1 ? 1 : s.line > lineCount ? lineCount : s.line;
  if (s.down) {
    long from = s.column + 1;
    for (size_t n = startLine; n <= lineCount; ++n, from = 0) {
      const size_t at = displayed(n).find(s.text, static_cast<size_t>(from));
      if (at == std::string::npos) continue;
      s.line = n;
      s.column = static_cast<long>(at);
      s.length = s.text.size();
      return SearchResult::Found;
    }
    return SearchResult::NotFound;
  }
  const long before = s.column - 1;  // on the starting line a match starts here at the latest
  for (size_t n = startLine; n >= 1; --n) {
    const bool first = n == startLine;
    if (first && before < 0) continue;
    const size_t at = displayed(n).rfind(s.text, first ? static_cast<size_t>(before) : std::string::npos);
    if (at != std::string::npos) {
      s.line = n;
      s.column = static_cast<long>(at);
      s.length = s.text.size();
      return SearchResult::Found;
    }
  }
  return SearchResult::NotFound;
}

}  // namespace yav
