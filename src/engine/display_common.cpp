#include "engine/display_common.h"

#include "engine/dispatcher.h"
#include "engine/output.h"
#include "engine/print_text.h"
#include "engine/print_value.h"

namespace yav {

void showNameAndValue(Kernel& k, const ValueRecord& v, char letter) {
  const bool array = outermost(v.type) == Derivation::Array;
  const bool aggregate = array || isStructOrUnion(v.type);
  const bool charString = (letter == 'S' || letter == 's') && array && isCharCode(v.code());
  if (!aggregate || k.out.textualMode || (k.ui->hasAggregateWindow() && !charString)) {
    putNameAndValue(k, v, letter);
    return;
  }
  if (charString) {
    outs(k, {"    ", v.text, " = "});
    putresult(k, v, letter);
    kout(k, "\n");
    return;
  }
  outs(k, {"    ", v.text, " = ", printedValue(k, v, letter), "\n"});
}

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
