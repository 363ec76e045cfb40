// A place in the program's source that a browser or list opens in a source window.
#pragma once
#include <string>

namespace yav {

struct SourcePlace {
  std::string file;  // empty: the entry has no source
  int line = 0;      // 0: keep the view's position
  bool operator==(const SourcePlace&) const = default;
};

}  // namespace yav
