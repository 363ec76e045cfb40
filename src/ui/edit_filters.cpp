#include "ui/edit_filters.h"

namespace yav {

namespace {
bool hexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool control(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }
}  // namespace

bool editAccepts(EditKind kind, char c) {
  switch (kind) {
    case EditKind::ReadOnly: return false;
    case EditKind::Number: return control(c) || (c >= '0' && c <= '9');
    case EditKind::Hex: return control(c) || hexDigit(c) || c == 'x' || c == 'X';
    case EditKind::Mask: return control(c) || hexDigit(c) || c == 'x' || c == 'X' || c == '?';
    case EditKind::General: return control(c) || hexDigit(c) || c == 'x' || c == 'X' || c == '%' || c == '$';
  }
  return false;
}

bool editBeepsOnRefusal(EditKind kind) { return kind != EditKind::ReadOnly; }

}  // namespace yav
