// Searching a source view: exact, case-sensitive, on the displayed text of each line, Down to the
// last line or Up to the first, without wrapping round.
#pragma once
#include <functional>
#include <string>

namespace yav {

struct SourceSearch {
  std::string text;  // empty until a text is stored
  bool down = true;
  size_t line = 1;    // position of the last match (from 1); line 1, column -1 at first
  long column = -1;
  size_t length = 0;  // length of the last match, 0 when none is shown

  // Back to the first line, before its first column (Cancel).
  void reset() {
    line = 1;
    column = -1;
    length = 0;
  }
};

enum class SearchResult { Found, NotFound, NoText };

// Looks for the stored text from the last position in the stored direction; on a match the
// position moves to it, otherwise it stays. `displayed(n)` gives line n as displayed.
SearchResult searchNext(SourceSearch& s, size_t lineCount, const std::function<std::string(size_t)>& displayed);

inline constexpr const char* kMatchNotFound = " MATCH NOT FOUND";
inline constexpr const char* kNoSearchText = "NO defined String ";

}  // namespace yav
