#include "engine/errors.h"

#include "engine/output.h"

namespace yav {

namespace {
struct MessageRow {
  int id;
  const char* text;
};
#define YAV_MSG(id, text) {id, text},
constexpr MessageRow kMessages[] = {
#include "resources/kernel_messages.inc"
};
#undef YAV_MSG
}  // namespace

std::string errtext(int id) {
  for (const MessageRow& row : kMessages) {
    if (row.id == id) return row.text;
  }
  return fmtstr(" **** Err %l ****", id);
}

void errmsg(Kernel& k, std::initializer_list<std::string_view> pieces) {
  ++k.errorCount;
  if (k.cmdfile.inputMark) {
    kout(k, "#error: ");
    for (std::string_view p : pieces) kout(k, p);
    return;
  }
  std::string text;
  for (std::string_view p : pieces) text += p;
  k.ui->messageBox("Error", text, MsgIcon::Error);
}

}  // namespace yav
