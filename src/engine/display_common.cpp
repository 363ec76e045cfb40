#include "engine/display_common.h"

#include "engine/dispatcher.h"
#include "engine/output.h"

namespace yav {

bool nextListItem(const char*& p) {
  p = skipBlanks(p);
  if (*p != ',') return false;
  p = skipBlanks(p + 1);
  return true;
}

const char* skipStatement(const char* p) {
  while (*p && *p != ';') ++p;
  return p;
}

char displayLetter(char option) {
  switch (option) {
    case 'D': return 'd';
    case 'B': return 'b';
    case 'H': return 'h';
    case 'U': return 'u';
    case 'S': return 'S';
    case 'O': return 'o';
    case 'C': return 'C';
    case 'X': return 'x';
    default: return 0;
  }
}

}  // namespace yav
