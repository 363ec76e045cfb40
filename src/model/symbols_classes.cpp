#include "model/symbols.h"

namespace yav {

namespace {
constexpr const char* kClassNames[] = {
    "",                  // 0
    "static ",           // 1
    "argument ",         // 2
    "auto ",             // 3
    "register ",         // 4
    "register ",         // 5
    "extern ",           // 6
    "argument ",         // 7
    "absolute ",         // 8
    "", "", "",          // 9 to 11
    "enum member ",      // 12
    "",                  // 13
    "static argument ",  // 14
    "static argument ",  // 15
    "static auto ",      // 16
    "typedef ",          // 17
    "local ",            // 18
    "global ",           // 19
    "argument ", "argument ", "argument ", "argument ", "argument ",  // 20 to 24
};
}  // namespace

std::string_view storageClassName(uint8_t code) {
  return code < std::size(kClassNames) ? kClassNames[code] : "";
}

bool isArgumentClass(uint8_t c) {
  switch (c) {
    case 2: case 5: case 7: case 14: case 15: case 20: case 21: case 22: case 23: case 24:
      return true;
    default:
      return false;
  }
}

bool isRegisterHeldClass(uint8_t c) { return c == 4 || c == 5 || c == 20 || c == 21 || c == 22; }

bool hasSecondAddress(uint8_t c) { return c == 5 || c == 21 || c == 22; }

}  // namespace yav
