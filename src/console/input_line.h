// One line of standard input for the terminal front-ends (commands, prompt answers), without
// its line end; a DOS line end loses its carriage return too.
#pragma once
#include <iostream>
#include <string>

namespace yav {

inline bool readInputLine(std::string& line) {
  if (!std::getline(std::cin, line)) {
    line.clear();
    return false;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

}  // namespace yav
