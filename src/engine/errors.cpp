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

void errshown(Kernel& k) { ++k.errorCount; }

void errmsg(Kernel& k, std::initializer_list<std::string_view> pieces) {
  ++k.errorCount;
  std::string text;
  for (std::string_view p : pieces) text += p;
  if (k.cmdfile.inputMark) {
    // One report is one line of the output, however the pieces end.
    if (text.empty() || text.back() != '\n') text += '\n';
    kout(k, "#error: " + text);
    return;
  }
  k.ui->messageBox("Error", text, MsgIcon::Error);
}

}  // namespace yav
